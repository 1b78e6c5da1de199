// The chart's two save-under boxes: what lay under the selected object's label
// box and under the telescope marker, kept in small 16-bit pictures so that the
// label or marker can be erased by copying it back.
#pragma once

#include <cstdint>

#include "platform/types.h"
#include "ui/draw_window.h"

struct SaveUnderBox {
    DrawWindowRecord* bitmap;  // null until the first save, and after FreeChartBitmaps
    int32_t x, y;              // where the saved pixels were taken from
};

// The status box is 78 x 28 GetScreenScale pixels, the marker box 28 square.
extern SaveUnderBox chartStatusBox;
extern SaveUnderBox chartMarkerBox;

// Frees both boxes; they are made again by the next save.
void FreeChartBitmaps();

// Copies the box's size of pixels at (x, y) of `source` (null: the current draw
// window) into the box, making its picture on first use. Nothing is saved when
// the picture cannot be made.
void SaveStatusBox(const DrawWindowRecord* source, int x, int y);
void SaveMarkerBox(const DrawWindowRecord* source, int x, int y);

// Copies the saved status box to (x, y) of `destination`, within `clip`. Says
// "WinHandled Null" when nothing is saved; else "WinDest Null" without a
// destination and "clipBounds Null" without a clip (both when both are
// missing); nothing is copied then.
void RestoreStatusBox(int x, int y, const pl::Rect* clip, DrawWindowRecord* destination);

// The same for the marker box, silently nothing when anything is missing.
void RestoreMarkerBox(int x, int y, const pl::Rect* clip, DrawWindowRecord* destination);
