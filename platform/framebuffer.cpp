#include "platform/framebuffer.h"

#include <algorithm>

#include "platform/screen.h"

namespace pl {
namespace {

struct Screen {
    Surface surface;
    int dpi = 96;
    Screen() {
        ScreenInfo info = GetScreenInfo();
        InitSurface(&surface, info.width, info.height, 32, false);
        dpi = info.dpi;
    }
};

Screen& TheScreen() {
    static Screen screen;
    return screen;
}

}  // namespace

void ResetScreen(int width, int height, int dpi) {
    Screen& s = TheScreen();
    InitSurface(&s.surface, std::clamp(width, 1, kMaxSurfaceSide), std::clamp(height, 1, kMaxSurfaceSide), 32, false);
    s.dpi = std::max(dpi, 1);
}

int ScreenWidth() { return TheScreen().surface.width; }
int ScreenHeight() { return TheScreen().surface.height; }
int ScreenDpi() { return TheScreen().dpi; }

ColorRef ScreenPixel(int x, int y) {
    const Surface& s = TheScreen().surface;
    return s.Contains(x, y) ? ReadColor(s, x, y) : kInvalidColor;
}

const uint32_t* ScreenPixels() { return reinterpret_cast<const uint32_t*>(TheScreen().surface.Bits()); }

Surface& ScreenSurface() { return TheScreen().surface; }

}  // namespace pl
