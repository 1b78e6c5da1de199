// Device contexts of windows and of the whole screen, and the graphics side's
// hooks into the window core: screen changes, the default background fill, and
// the framebuffer and PNG writer of the test harness.
#include "platform/dc.h"

#include "platform/drawing.h"
#include "platform/framebuffer.h"
#include "platform/gdi_internal.h"
#include "platform/harness.h"
#include "platform/image_files.h"
#include "platform/paint.h"
#include "platform/screen.h"
#include "platform/window.h"

namespace pl {
namespace {

FramebufferView ScreenView() {
    const Surface& s = ScreenSurface();
    return FramebufferView{ScreenPixels(), s.width, s.height, s.stride / 4};
}

bool WriteScreenPng(const std::string& path, const FramebufferView&) { return SaveScreenPng(path); }

void OnScreenChange(const ScreenInfo& screen) { ResetScreen(screen.width, screen.height, screen.dpi); }

void FillBackground(Hdc dc, const Rect& rect, const void* brush) {
    FillRect(dc, rect, static_cast<Hbrush>(const_cast<void*>(brush)));
}

// Installed before main runs; the hooks are plain pointers, set at no cost.
[[maybe_unused]] const bool hooksInstalled = [] {
    SetScreenChangeHook(OnScreenChange);
    SetBackgroundFill(FillBackground);
    SetFramebufferSource(ScreenView);
    SetPngWriter(WriteScreenPng);
    return true;
}();

}  // namespace

Hdc GetDC(Hwnd hwnd) {
    if (hwnd && !IsWindow(hwnd)) return nullptr;
    auto* dc = new DeviceContext;
    dc->kind = DcKind::Window;
    dc->window = hwnd;
    InitContextDefaults(dc);
    return dc;
}

int ReleaseDC(Hwnd, Hdc dc) {
    if (!dc || dc->kind != DcKind::Window) return 0;
    ReleaseContextObjects(dc);
    delete dc;
    return 1;
}

}  // namespace pl
