// Curved shapes in the current draw window, drawn with integers through the
// pixel and line calls in the foreground colour: circles, discs and the Moon's
// phase as a shaded disc or as a picture cut by the terminator.
#pragma once

// Outline circle of radius r (pixels) by the midpoint method, each of the
// eight symmetric points through DrawPixel. Nothing when r < 0.
void DrawCircle(int cx, int cy, int r);

// The platform ellipse in (cx - d/2, cy - d/2)..(cx + d/2, cy + d/2), filled
// with the colour set's background brush and outlined with the current pen.
void DrawDisc(int cx, int cy, int d);

// Fills the part of the disc of diameter `height` centred at (cx, cy) between
// its left limb and the terminator, about `percent` per cent of the disc
// (50: the left half; 101: the whole disc), row by row with DrawLine.
void DrawMoonPhaseShading(int cx, int cy, int width, int height, int percent);

// Column spans, per row distance i = 0..R-1 from the centre row of a disc of
// radius R, of the part cut off by the terminator of `phase` (0..1): with
// w = R cos(asin(i/R)) and c = cos(2 pi phase), left = R - w and right = R - w c
// from phase 0.5 on, else left = R + w c and right = R + w (truncated). All 0
// below phase 0.01. The arrays hold at least R entries.
void ComputePhaseSpans(double phase, int* left, int* right, int R);

// The Moon picture of bitmap A turned by `angle` degrees into the box of
// width x height at (x, y), the pixels inside the phase spans taken from
// bitmap B (same size as A); each box pixel (c, r) lands at
// (x0 + c stepX, y0 + r stepY) around the box centre. Pixels equal to A's
// first stored pixel are left out. Raw pixel words: the draw window is a
// 16-bit DIB. Nothing when a side is 0 or a bitmap is missing.
void DrawMoonPhaseImage(int bitmapA, int bitmapB, int width, int height, int x, int y, double phase, double angle,
                        int stepX, int stepY);
