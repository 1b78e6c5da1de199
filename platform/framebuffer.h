// The screen: one 32-bit framebuffer (0x00RRGGBB pixels, rows top-down) of the
// preset size and pixels per inch. Until ResetScreen is called it is 240 by 320
// at 96 pixels per inch. Backends present it; the test harness reads it.
#pragma once

#include <cstdint>

#include "platform/color.h"
#include "platform/surface.h"

namespace pl {

// Makes the screen width x height pixels at dpi pixels per inch, all black.
// Sides are clamped to 1..kMaxSurfaceSide and dpi to at least 1.
void ResetScreen(int width, int height, int dpi);

int ScreenWidth();
int ScreenHeight();
int ScreenDpi();

// Colour of a screen pixel; kInvalidColor outside the screen.
ColorRef ScreenPixel(int x, int y);

// The pixel rows for presenting: ScreenWidth() words per row, top row first.
const uint32_t* ScreenPixels();

// The framebuffer itself, for the graphics code.
Surface& ScreenSurface();

}  // namespace pl
