// Rows of owner-drawn lists, drawn through the drawing layer.
#pragma once

#include <cstdint>

#include "platform/controls.h"
#include "ui/xywh_rect.h"

// Draws one row: (row, its rectangle in the list, selected flag, the list's width).
using OwnerRowRoutine = void (*)(int16_t row, const XywhRect& rect, int selected, int itemWidth);

// Fills the row (selected: the highlight brush under highlight-text coloured
// text; others: the menu colour under pen-coloured text; opaque text cells in
// the fill's colour), makes the item's
// context with the list the current draw window and calls the routine; then
// `window` becomes the current draw window with a context of its own (the
// item's context ends with the list's paint).
void DrawOwnerItem(pl::Hwnd window, const pl::DrawItem* item, OwnerRowRoutine routine);
