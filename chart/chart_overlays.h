// Overlays drawn over the chart and the sphere pictures around their centre:
// the eyepiece field, the camera sensor frame and the field-of-view label.
// They draw into the current draw window.
#pragma once

#include "platform/color.h"
#include "platform/types.h"

// The field of the eyepiece of preference word 46 (1-based: record word - 1
// of the eyepiece file; its value at byte 68 is the apparent field in
// degrees), when "FOV: Eyepiece" (word 45) is set and word 46 is not 0.
// Magnification m = the telescope focal length (GetScopeFocalLengthMm) / the
// eyepiece's focal length, true field F = apparent x 60 / m arcminutes, radius
// trunc(F x pixelsPerArcmin): the circle about (cx, cy) in `colour` and
// "<eyepiece> %d" of m above it at (cx, cy - radius - 8). Nothing when the
// record cannot be read, either focal length is not above 0, or the radius is
// not finite or more than 4 times the screen's longer side.
void DrawEyepieceCircle(int cx, int cy, float pixelsPerArcmin, pl::ColorRef colour);

// The camera sensor's field (words 49 and 50: its sides in mm x 100; word 53:
// the focal length in mm, else GetScopeFocalLengthMm()), when word 48 or 49 is
// not 0: each side's field atan(side x 0.005 / focal) x 6875.4935 arcminutes;
// the rectangle (cx -+ w, cy -+ h) with w, h = trunc(field x pixelsPerArcmin),
// and "%d'%d''" (arcminutes and seconds) of the width at (cx, cy + h + 2) and
// of the height at (cx + w + 2, cy), in `colour`. Nothing without a focal length.
void DrawSensorFrame(int cx, int cy, float pixelsPerArcmin, pl::ColorRef colour);

// The field of zoom step `zoom` at (x + 1, y), "FOV %d.%d°" or "FOV %d°" of its
// tenths of a degree (1800, 1500, ... 10, 5), and below it at y + 10 scaleY the
// limits of the step: "O<%d, S<%d" (object, star), or "All, S<%d" without an
// object limit (100). Font 0 on a screen whose GetScreenScale is above 1; text
// colour entry 4 of chartColours on backgrounds 0 and 1, else the ink colour
// (night mode 0 or 1) or entry 0. Nothing for a step outside 0..12.
void DrawFovLabel(int x, int y, int zoom);

// The cells of the label's two lines as DrawFovLabel(x, y, zoom) draws them;
// both empty for a step outside 0..12.
void MeasureFovLabel(int x, int y, int zoom, pl::Rect cells[2]);

// The top of the label of `zoom` drawn at x = 0 beside the status lines whose
// boxes on the chart (StatusLineBox: their cells and 2 scaleX either side)
// are `status`: `designed` while each line of the label keeps 1 scaleX clear
// of them, 3 of their texts; else higher, its second line ending on the top of
// the highest box (in a wide face "FOV 120°" and its limits ran into the date).
int FovLabelTop(int designed, int zoom, const pl::Rect* status, int count);

// The width of the chart's bottom-left corner, where the legend's dials stand
// or, after a zoom change, the field-of-view label: the dials' 48 scaleX, or
// the widest label drawn at x = 0 ("O<00, S<00" in font 0 from x = 1) and 2
// scaleX more when that is wider. Measured in the current draw window.
int ChartCornerWidth();
