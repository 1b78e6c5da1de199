// Bitmap resources drawn by the controls (popup arrows, bitmap buttons),
// scaled by the display scale.
#pragma once

#include <cstdint>

#include "platform/color.h"
#include "platform/dc.h"

// Width and height of bitmap resource `id` in design pixels; false when there
// is no such bitmap.
bool GetBitmapSize(int id, int* width, int* height);

// The transparent key of a 5-5-5 colour for bitmaps as they are loaded now:
// in night mode filtered as their pixels are, so the key still matches.
pl::ColorRef ControlKeyFrom555(uint16_t pixel);
// The same for a COLORREF key.
pl::ColorRef ControlKeyFromColor(pl::ColorRef color);

// Draws bitmap `id` into dc at (x, y), stretched to width x scaleX by
// height x scaleY: copied, or without the pixels of `key` when `transparent`.
// False when the bitmap cannot be loaded.
bool DrawControlBitmap(pl::Hdc dc, int id, int x, int y, bool transparent, pl::ColorRef key);
