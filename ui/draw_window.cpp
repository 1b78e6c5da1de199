#include "ui/draw_window.h"

#include "platform/window.h"
#include "ui/colors.h"
#include "ui/font_set.h"

DisplayScale displayScale;

namespace {

struct DrawState {
    DrawWindowRecord* current = nullptr;
    // The one window record: each InitDrawWindow refills it, so a record
    // pointer kept by a caller never dangles.
    DrawWindowRecord windowRecord;
    pl::Rect clientRect;
    pl::Hwnd ownDcWindow = nullptr;  // the context the layer got itself
    pl::Hdc ownDc = nullptr;
} state;

void ReleaseOwnDc() {
    if (state.ownDc) pl::ReleaseDC(state.ownDcWindow, state.ownDc);
    state.ownDc = nullptr;
    state.ownDcWindow = nullptr;
}

}  // namespace

void InitDisplayScale() {
    pl::Hdc screen = pl::GetDC(nullptr);
    displayScale.scaleX = pl::GetDeviceCaps(screen, pl::kLogPixelsX) / 96.0;
    displayScale.scaleY = pl::GetDeviceCaps(screen, pl::kLogPixelsY) / 96.0;
    pl::ReleaseDC(nullptr, screen);
}

int ScaleX(double designPixels) { return static_cast<int>(designPixels * displayScale.scaleX); }
int ScaleY(double designPixels) { return static_cast<int>(designPixels * displayScale.scaleY); }

void InitDrawWindow(pl::Hwnd window, pl::Hdc dc) {
    if (ResetForeground()) ResetCurrentFontId();
    if (dc != state.ownDc) ReleaseOwnDc();
    state.windowRecord = DrawWindowRecord{window, dc};
    UseSchemeTextColors(dc);
    state.clientRect = pl::Rect{};
    pl::GetClientRect(window, &state.clientRect);
    state.current = &state.windowRecord;
}

void InitDrawWindowOwnDc(pl::Hwnd window) {
    pl::Hdc dc = pl::GetDC(window);
    ReleaseOwnDc();
    state.ownDc = dc;
    state.ownDcWindow = window;
    InitDrawWindow(window, dc);
}

DrawWindowRecord* SetDrawWindow(DrawWindowRecord* record) {
    DrawWindowRecord* previous = state.current;
    state.current = record;
    return previous;
}

DrawWindowRecord* GetDrawWindow() { return state.current; }
pl::Hdc GetDrawDc() { return state.current ? state.current->dc : nullptr; }
pl::Hwnd GetDrawWindowHandle() { return state.current ? state.current->ownerWindow : nullptr; }
pl::Rect GetDrawClientRect() { return state.clientRect; }

void ReleaseDrawWindow() {
    ResetForeground();
    ReleaseOwnDc();
    state.windowRecord = DrawWindowRecord{};
    state.current = nullptr;
}

void ForgetDrawWindow(const DrawWindowRecord* record) {
    if (record && state.current == record) state.current = nullptr;
}

void GetScreenSize(int* width, int* height) {
    pl::ScreenInfo screen = pl::GetScreenInfo();
    *width = screen.width;
    *height = screen.height;
}

void ClipToWindow() { pl::SelectClipRect(GetDrawDc(), &state.clientRect); }

void SetClip(const XywhRect& rect) { pl::IntersectClipRect(GetDrawDc(), XywhToRect(rect)); }
