// The chart's two save-under boxes: what lay under the selected object's label
// box and under the telescope marker, kept in small 16-bit pictures so that the
// label or marker can be erased by copying it back.
#pragma once

#include <cstdint>

#include "platform/types.h"
#include "ui/draw_window.h"
#include "ui/xywh_rect.h"

struct SaveUnderBox {
    DrawWindowRecord* bitmap;  // null until the first save, and after FreeChartBitmaps
    int32_t x, y;              // where the saved pixels belong in the window that shows them
};

// The status box is 78 x 28 GetScreenScale pixels, the marker box 28 square.
extern SaveUnderBox chartStatusBox;
extern SaveUnderBox chartMarkerBox;

// Frees both boxes; they are made again by the next save.
void FreeChartBitmaps();
// Frees the marker box alone.
void FreeChartMarkerBox();

// Copies the box's size of pixels at (x, y) of `source` (null: the current draw
// window) into the box, making its picture on first use. Nothing is saved when
// the picture cannot be made. A picture drawn off the screen and copied onto it
// at (dx, dy) gives that offset: the box belongs at (x + dx, y + dy).
void SaveStatusBox(const DrawWindowRecord* source, int x, int y, int dx = 0, int dy = 0);
void SaveMarkerBox(const DrawWindowRecord* source, int x, int y);

// Copies the saved status box to (x, y) of `destination`, within `clip`. Says
// "WinHandled Null" when nothing is saved; else "WinDest Null" without a
// destination and "clipBounds Null" without a clip (both when both are
// missing); nothing is copied then.
void RestoreStatusBox(int x, int y, const pl::Rect* clip, DrawWindowRecord* destination);

// The same for the marker box, silently nothing when anything is missing.
void RestoreMarkerBox(int x, int y, const pl::Rect* clip, DrawWindowRecord* destination);

// Chart patches: 16-bit copies of small parts of the picture, kept in module
// slots until FreeChartPatches: the label box, the legend's picture and what
// lies under the picture box's thumbnail.
enum ChartPatchSlot { kPatchLabel = 0, kPatchLegend = 1, kPatchPicture = 2 };

// The slot's picture, made (again) at width x height when it is missing or of
// another size; null when it cannot be made.
DrawWindowRecord* ChartPatchRecord(int slot, int width, int height);

// restore 0: the slot (the label's unless given) receives a copy of `rect` of
// the current draw window (its picture made at the rect's size); otherwise the
// slot is copied back to the rect's corner. Nothing without a draw window or a
// saved patch.
void SaveRestoreChartPatch(int restore, const XywhRect& rect, int slot = kPatchLabel);

// Frees every patch slot.
void FreeChartPatches();
