// What lies under a tap: searches of the kept screen positions of the last
// drawing (bright stars, an object table, the chart's two screen lists).
// Positions of the bright stars and of the tables are relative to their
// picture's origin (x0, y0); the screen lists hold window positions.
#pragma once

#include "catalog/selection_entry.h"

// The shown bright star (hidden 0) nearest to (x - x0, y - y0) by |dx| + |dy|,
// nearer than GetScreenScale x r x 2; the earlier of equally near stars. -1 for
// none, and while the table is not loaded.
int FindNearestBrightStar(int x0, int y0, int x, int y, int r);

// The first of `count` objects that is shown (horizonHidden 0), passes the
// class filter by its type, and lies within r of (x - x0, y - y0) on both axes.
// -1 for none (at once for count < 1 or no table).
int FindObjectInSquare(const SelectionEntry* objects, int count, int x0, int y0, int x, int y, int r);

// The first entry of the star (8-byte) or object (16-byte) screen list within r
// of (x, y) on both axes, searched up to its end mark or its capacity (1500 and
// 300 entries); -1 for none or no list.
int FindPointInScreenList8(int x, int y, int r);
int FindPointInScreenList16(int x, int y, int r);

// The star screen list's first entry among its first `maxEntries` (and before
// its end mark) within r of (x, y) on both axes: |d| < r when `strict`, else
// |d| <= r. -1 for none or no list.
int FindStarInScreenList(int x, int y, int r, bool strict, int maxEntries);
