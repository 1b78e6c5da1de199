// The two scatter plots of the N-star form: each entry's error before the
// correction (reading1/2 - measured1/2, the prediction less the reading) in
// the first, after it (corrected1/2 - measured1/2) in the second, degrees,
// axis-1 differences taken across 0/360 deg.
//
// Geometry (design pixels times the display scale): squares of side S = 83,
// the first with its corner at (73, 130), the second to its right; each has
// circles of diameters S and S/2 about its centre and a centre cross, in the
// pen colour. An error (d1, d2) is drawn at (d1, d2) x (S/2)/h from the
// centre (screen x and y as they are), h being the plot's half-width in
// degrees. An error beyond the square is pinned to its edge in the error's
// direction and drawn hollow: every marker stays inside its plot, and one on
// the edge tells that the error passes the chosen scale (a wider scale shows
// where). The current entry is black and the others red (200, 0, 0); in night
// mode the others are red at two thirds of the night colour level and the
// current one at that level.
#pragma once

#include "scope/alignment.h"
#include "ui/xywh_rect.h"

// Square `which` (0 or 1) in form pixels.
XywhRect NStarPlotRect(int which);

// The offset from the centre in pixels of a marker `marker` pixels wide for an
// error (d1, d2) in a plot of side `side` and half-width h. An offset that
// would put the marker on or past the square's frame is shortened, keeping
// its direction, until the marker lies just inside; *pinned tells so. False
// (nothing to draw) for h <= 0 or an error that is not a number.
bool NStarMarkerOffset(double d1, double d2, double h, int side, int marker, int* dx, int* dy, bool* pinned);

// Both plots into the current draw window: the squares erased and drawn, then
// the markers of the n entries with entry `current` on top; last the frame of
// the form's "Star position" box above them.
void DrawNStarPlots(const AlignmentStar* list, int n, int current, double h1, double h2);
