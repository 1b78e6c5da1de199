// The Moon map picture: the near side assembled from bitmap resources, the
// night side darkened along the terminator of the Sun's selenographic
// position, the terminator line in black, the night filter in night mode and
// the mirroring of the telescope's view; and its drawing on the form.
#pragma once

#include <cstdint>
#include <string>

#include "ui/draw_window.h"
#include "ui/xywh_rect.h"

// The one rendered map, a 16-bit DIB record: shared by the Moon assistant and
// the Moon map form; null when none could be made.
extern DrawWindowRecord* moonMapBitmap;

// The side of the map of a size mode: 320 for mode 1, 960 for any other.
int MoonMapSize(int sizeMode);

// Frees moonMapBitmap (when there is one) and clears it, then makes the map of
// sizeMode for a local civil date and time at the current site: bitmap 6036
// (mode 1), or tiles 6025..6033 assembled row by row into a new 960 x 960 DIB
// (night-filtered as loaded in night mode); shaded by ShadeMoonMap for the
// Sun's selenographic colongitude and latitude at that instant; in night mode
// filtered once more; mirrored left-right (flipX >= 1) and top-bottom (flipY
// >= 1). Returns the new moonMapBitmap; null after "offScreen Not enough
// memory" when the picture cannot be made.
DrawWindowRecord* RenderMoonMapOffscreen(int sizeMode, int year, int month, int day, int hour, int minute, int flipX,
                                         int flipY);

void FreeMoonMapBitmap();

// Mirrors moonMapBitmap in place: left-right with flipX >= 1, top-bottom with
// flipY >= 1.
void MirrorMoonMap(int flipX, int flipY);

// A 5-5-5 pixel darkened for the night side: each of the three 5-bit fields
// less 5, floored at 0.
uint16_t DarkenMoonMapPixel(uint16_t pixel);

// Darkens the night side of the disc that fills a square 16-bit DIB of side
// 2R, for the Sun's selenographic colongitude c0 and latitude b0 (degrees):
// with a = R sin c0 cos b0 and, for each row y, w = a sin(acos((y - R) / R)),
// the pixels from xT = int(R + w) to the row's end when 90 < c0 < 270 (all of
// the row when xT < 1), else those left of xT = int(R - w). The two pixels
// xT - 1 and xT of each row become black (the terminator line; at the right
// edge when xT < 1 in the first case); pixels outside the picture are left out.
void ShadeMoonMap(DrawWindowRecord* map, double colongitude, double latitude);

// Copies the part `source` of moonMapBitmap to (0, 0) of the draw window,
// zoomed by `factor`; nothing while there is no map.
void CopyMoonMapView(const XywhRect& source, double factor);

// The header at the top left: line 1 at (0, 0), in font 5 on screens of scale
// above 1, line 2 at (0, 14 x scaleY) in font 0; white, or red of the night
// intensity in night mode; on a transparent background.
void DrawMoonMapHeader(const std::string& line1, const std::string& line2);

// The yellow circle around a selected feature, clipped to the view.
void DrawMoonFeatureMarker(int x, int y, int radius, const XywhRect& view);

// Test hook: the maker of the 960 x 960 surface (null restores
// CreateOffscreenDib); returns the previous one.
using MoonMapSurfaceMaker = DrawWindowRecord* (*)(int width, int height, int bitsPerPixel);
MoonMapSurfaceMaker SetMoonMapSurfaceMaker(MoonMapSurfaceMaker maker);
