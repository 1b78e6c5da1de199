// Marks drawn over the sky chart: the target mark at the chart's centre, the
// telescope cross and the Telrad finder rings.
#pragma once

#include "platform/gdi.h"

// The target bitmap centred on (x, y): its top-left corner at (x - 8 s, y - 8 s)
// with s = GetScreenScale, drawn scaled and keyed; 1687 (keyed white) on a white
// background (preference 26 >= 2) by day, else 1686 (keyed black). Nothing
// while the cursor preference (word 238) is 2 "None".
void DrawTargetMark(int x, int y);

// The telescope cross on (x, y). With GetScreenScale 1 or less, four lines
// 2..8 pixels from the point in `colour`, the foreground colour restored;
// otherwise bitmap 1689 or 1688 (as for the target mark) with its top-left
// corner at (x - 8 s, y - 8 s + 1).
void DrawScopeCross(pl::ColorRef colour, int x, int y);

// The three Telrad rings (radii from preference words 128..130, tenths of a
// degree, times 6 x pixelsPerArcmin, truncated) centred on (x, y) and a cross
// as wide as the outer ring, in `colour`, which stays the foreground colour.
void DrawTelrad(int x, int y, double pixelsPerArcmin, pl::ColorRef colour);
