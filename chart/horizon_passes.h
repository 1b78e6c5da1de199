// The passes of the horizon chart's redraw over the bright stars and the
// observing list (views 0 Sky Map and 1 Horizon View): the Horizon View's
// azimuth and altitude scale, the projection that marks what lies below the
// horizon, the constellation figures and names, the bright stars with their
// letters, and the kept star positions moved by a drag.
//
// Kept values: each bright star's chartWords[0] and [1] (v and u, the two
// outputs of the horizon projection), screen point and hidden flag; each list
// entry's chartX, chartY and horizonHidden. The projection runs once per change
// of time, site or view; the drawing passes read the kept integers only.
#pragma once

#include <cstdint>

#include "platform/color.h"
#include "platform/types.h"

// The Horizon View's scale (nothing with "Hide Grid", word 42). `scale` is the
// chart's scale word (pixels per degree = scale / 65536), flipped by the
// orientation of zoom step `flipMode` (ApplyChartFlip); x0 is the screen x of
// azimuth 0 and horizonY the screen y of altitude 0. Azimuth ticks 13 scaleY
// long from y = 21 scaleY with "%d°" labels (the azimuth brought into 0..359) and
// the letters N, NE, E, SE, S, SW, W, NW at 0, 45, 90, 135, 180, 225, 270, 315
// and at the same azimuths a turn before or after (-45 "NW", 360 "N", 405
// "NE") within the ticks' range, whether a tick falls there or not, in
// cardinalColour and font 5; altitude lines across
// 240 scaleX with "%d°" labels below 90 degrees, each only below y = 18 scaleY.
// The steps (1, 5, 10, 20 or 30 degrees) follow the degrees that a fifth of the
// screen's width or height covers.
void DrawHorizonScale(int flipMode, pl::ColorRef lineColour, pl::ColorRef cardinalColour, pl::ColorRef labelColour,
                      int32_t scale, int x0, int horizonY);

// Projects for the horizon chart at local sidereal time lstHours (preference
// word 35: by RA and LST in floating point, else by hour angle in fixed point):
// unless *objectsDone, every list entry (chartX, chartY, horizonHidden), the
// planets and comets (designations 45 and 12, places of date) first turned back
// to J2000 as the stars are drawn; then the chart's object list is refreshed.
// Unless *starsDone, the bright stars (loaded when needed). Each pass steps the
// busy indicator before records 0, 100, 200, ..., ends it, sets its done flag
// to 1 and *dirty to 0.
void MarkHiddenBelowHorizon(float lstHours, int* objectsDone, int* starsDone, int* dirty);

// One place projected as MarkHiddenBelowHorizon projects a list entry of
// designation `designation`: 1 with (a, b) when it is above the horizon, else
// 0 with a and b untouched.
int ProjectHorizonPlace(float lstHours, float raHours, float decDeg, int designation, int32_t* a, int32_t* b);

// Every shown bright star (hidden 0): shift non-zero moves its screen point by
// (dx, dy); shift 0 puts it back on its kept projection. Hidden stars keep theirs.
void ShiftBrightStarPositions(int dx, int dy, int shift);

// Constellation figures between the kept positions of their stars (lines
// with "Const. Lines", word 122, in lineColour; a line with a hidden end star is
// left out; in the Horizon View the wrap of `rect` applies to both ends and a
// line across the seam is left out), the end stars' icons below zoom 3 (second
// star first); nothing of this while linesDone. Then, on a screen whose
// GetScreenScale is not 1 and with "Const. Names" (word 121), the abbreviation
// of every constellation whose label point is above the horizon at lstHours, in
// labelColour, font 4 for "Font Size" 1 else font 0 (drawn plain for size 2).
void DrawConstellationFiguresHorizon(float lstHours, pl::ColorRef labelColour, pl::ColorRef lineColour,
                                     const pl::Rect& rect, int linesDone, int zoom);

// The bright stars at their kept positions (Horizon View wrap of left..right),
// inside left..right and top..bottom, not hidden and, below zoom 2, of a
// magnitude class up to magnitudeLimit: the icon (one size smaller on a screen
// whose GetScreenScale s is 1); the Greek letter at (x - 5 s, y - 2 s) from zoom
// 7, and with "Stars Symbols" (word 120) on a screen of s above 1 from zoom 6
// (alpha and beta from zoom 3); the Flamsteed number in font 2 at (x + 2 s, y)
// from zoom 7 with word 120.
void DrawBrightStarsHorizon(int zoom, int magnitudeLimit, int left, int right, int top, int bottom);
