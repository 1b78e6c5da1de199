// The picture box of the chart: the thumbnail of the current list entry, the
// mark that tells that a picture of it is installed, and that picture shown
// over the chart.
#pragma once

#include "ui/draw_window.h"

// For entry `entryIndex` of selectionList, drawn with the corner at (x, y): on a
// display scale above 1 its thumbnail (a Messier entry's bitmap 3000 + its index
// within the source for Messier 1..110; another entry that is not a planet the
// thumbnail of its type code or object type, 2999 + n); then the 20 x 20 mark
// 1941 when BuildImagePath finds its picture (named "%s" of the entry's name for
// planets and Messier entries, kinds 45 and 40, else "%s%ld" of its designation
// prefix and number, kind its designation). Nothing for a position out of use.
void DrawImageMarker(int x, int y, int entryIndex);

// The picture of entry `entryIndex`, when installed, over the chart from
// (x, y) to the bottom less 20 scaleY and the right edge (less the 11-pixel
// tool strip while "Hide ToolBar", word 235, is 0): that part of the current
// draw window is saved into `save` (at the same place), the picture drawn,
// WaitPenUpOrKey waits, and the part is put back (in views 0 and 1 the whole of
// `save`, the finished chart picture). Returns 0 when there is no picture, 1
// when it was shown and the chart put back, 2 when it was shown without a save
// surface (the caller redraws the chart).
int ShowChartObjectImage(DrawWindowRecord* save, int entryIndex, int x, int y);
