// The star and object icon strip of the chart and the sphere pictures: 13
// sizes by 7 colour bands of 13 x 13 pixel cells, and the magnitude legend
// built from it.
#pragma once

#include "ui/draw_window.h"

constexpr int kIconCell = 13;

// Column offset of zoom step `zoom` (clamped to 0..13): the table of a display
// scale of 2 or more (trunc(scaleX) >= 2) in both modes, else the night-mode
// or the day table.
int IconColumnOffset(int zoom);

// The strip in use: for background scheme 2 by day 4103 (or 4106 with "Star
// Color" black and white, word 25), else 4104 (or 4105 in night mode or black
// and white). Its key is white for 4103 and 4106, black for the others.
int IconStripBitmap();

// Draws the icon of a size class (0 the largest) and a colour class (B-V in
// tenths) centred on (x, y) into `surface`, or the current draw window when it
// is null: cell column clamp(IconColumnOffset(zoom) + sizeClass, 0, 12), row by
// colour band (c < -3: 0, < 0: 1, < 3: 2, < 6: 3, < 8: 4, < 14: 5, else 6; row
// 2 in night mode), copied keyed with its corner at (x - 6, y - 6). The strip
// is loaded on first use and kept until FreeObjectIconBitmap.
void DrawObjectIcon(DrawWindowRecord* surface, int zoom, int sizeClass, int colourClass, int x, int y);

// Frees the strip (closing the chart, a night-mode change); the next icon
// loads the strip of the colours in force then.
void FreeObjectIconBitmap();

// The star legend: a box of the foreground colour at (x - 5 scaleX, y),
// 25 scaleX wide and as high as `count` rows plus 6 scaleY, row i as high as
// 19, 17, 15, 13, 11 or 9 scaleY by its column (IconColumnOffset + i, clamped to
// 0..9); in row i the icon of size class i, colour class 0, and the number i
// ("%d") in the draw context's font and text colour at x + 12 scaleX less
// 3 pixels for each two digits.
void DrawMagnitudeLegend(DrawWindowRecord* surface, int zoom, int x, int y, int count);
