// The screen: its size in pixels and its pixels per inch. Set at start from
// ZENDAVORI_SCREEN ("WxH@DPI") or a default, and changed by the test harness.
#pragma once

namespace pl {

struct ScreenInfo {
    int width = 240;
    int height = 320;
    int dpi = 96;
    bool operator==(const ScreenInfo&) const = default;
};

// The screen of the headless backend and of the tests.
constexpr ScreenInfo kHeadlessScreen{240, 320, 96};
// The default screen of the program's window.
constexpr ScreenInfo kWindowScreen{480, 640, 192};

ScreenInfo GetScreenInfo();

// Sets the screen and tells the graphics side (the screen-change hook). Sends
// no message: the harness's changeScreen does that.
void SetScreenInfo(const ScreenInfo& screen);

// Reads "WxH@DPI" (for example "480x640@192"); width and height 1..4096, dpi
// 24..1200. False, leaving *out alone, for any other text.
bool ParseScreenPreset(const char* text, ScreenInfo* out);

// The screen named by ZENDAVORI_SCREEN, else `fallback`. False when the variable
// is set but is not a valid preset (*out is then the fallback).
bool ScreenFromEnvironment(const ScreenInfo& fallback, ScreenInfo* out);

// Called (on the thread that changes it) after the screen size changed; the
// graphics side resizes its framebuffer here.
// Returns the hook it replaces.
using ScreenChangeHook = void (*)(const ScreenInfo& screen);
ScreenChangeHook SetScreenChangeHook(ScreenChangeHook hook);

}  // namespace pl
