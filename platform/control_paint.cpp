#include "platform/control_paint.h"

#include <algorithm>
#include <string>

#include "platform/drawing.h"
#include "platform/fonts.h"
#include "platform/screen.h"
#include "platform/text.h"
#include "platform/window.h"

namespace pl {

void FillSolid(Hdc dc, const Rect& rect, ColorRef color) {
    Hbrush brush = CreateSolidBrush(color);
    FillRect(dc, rect, brush);
    DeleteObject(brush);
}

void FrameSolid(Hdc dc, const Rect& r, ColorRef color) {
    if (r.IsEmpty()) return;
    FillSolid(dc, Rect{r.left, r.top, r.right, r.top + 1}, color);
    FillSolid(dc, Rect{r.left, r.bottom - 1, r.right, r.bottom}, color);
    FillSolid(dc, Rect{r.left, r.top, r.left + 1, r.bottom}, color);
    FillSolid(dc, Rect{r.right - 1, r.top, r.right, r.bottom}, color);
}

namespace {

void PrepareTextIn(Hdc dc, ColorRef color, Hfont font) {
    SelectObject(dc, font);
    SetBkMode(dc, kTransparent);
    SetTextColor(dc, color);
}

int LineHeight(Hfont font) {
    Hdc dc = CreateCompatibleDC(nullptr);
    SelectObject(dc, font);
    TextMetrics m;
    GetTextMetrics(dc, &m);
    DeleteDC(dc);
    return m.height;
}

}  // namespace

void PrepareText(Hdc dc, ColorRef color) { PrepareTextIn(dc, color, GetSystemFont()); }
void PrepareControlText(Hdc dc, ColorRef color) { PrepareTextIn(dc, color, GetDialogFont()); }

void DrawTextIn(Hdc dc, std::string_view text, Rect rect, unsigned format, ColorRef color) {
    PrepareText(dc, color);
    DrawText(dc, text, &rect, format);
}

void DrawControlText(Hdc dc, std::string_view text, Rect rect, unsigned format, ColorRef color) {
    PrepareControlText(dc, color);
    DrawText(dc, text, &rect, format);
}

int SystemFontHeight() { return LineHeight(GetSystemFont()); }
int DialogFontHeight() { return LineHeight(GetDialogFont()); }

void RegisterClassOnce(const char* name, WndProc proc, const void* background) {
    WindowClass existing;
    if (GetClassInfo(name, &existing)) return;
    WindowClass c;
    c.name = name;
    c.proc = proc;
    c.background = background;
    RegisterClass(c);
}

int PixelScale() { return std::max(1, GetScreenInfo().dpi / 96); }

}  // namespace pl
