// The screen: one 32-bit framebuffer (0x00RRGGBB pixels, rows top-down) of the
// size and pixels per inch of the screen preset (platform/screen.h), which
// resizes it through the screen-change hook. Backends present it; the test
// harness reads it.
#pragma once

#include <cstdint>

#include "platform/color.h"
#include "platform/surface.h"

namespace pl {

// Makes the screen width x height pixels at dpi pixels per inch, all black (the
// screen-change hook; the program changes the screen with SetScreenInfo).
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
