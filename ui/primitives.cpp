#include "ui/primitives.h"

#include "platform/color.h"
#include "platform/drawing.h"
#include "platform/line_walk.h"
#include "platform/window.h"
#include "ui/colors.h"
#include "ui/draw_window.h"

namespace {

void WritePixelWord(const DrawWindowRecord& r, int x, int y, uint32_t word) {
    uint8_t* p = DibPixelAddress(r, x, y);
    switch (r.bitsPerPixel) {
    case 16: WritePixel16(p, static_cast<uint16_t>(word)); break;
    case 32:
        for (int i = 0; i < 4; ++i) p[i] = static_cast<uint8_t>(word >> (8 * i));
        break;
    default: p[0] = static_cast<uint8_t>(word); break;
    }
}

bool DrawsIntoDib() {
    const DrawWindowRecord* r = GetDrawWindow();
    return r && r->dibBits;
}

// The line's pixels inside `clip` (within the DIB), both ends included,
// written straight into the DIB's bits in the foreground pixel word.
void DrawDibLine(const DrawWindowRecord& r, int x1, int y1, int x2, int y2, const pl::Rect& clip) {
    const pl::PixelRows rows{r.dibBits, r.stride, r.bottom, true, r.bytesPerPixel, 0, 0};
    pl::WalkLine(x1, y1, x2, y2, true, pl::Intersect(clip, pl::Rect{0, 0, r.right, r.bottom}), rows,
                 GetForePixel());
}

void FillWithBrush(pl::Hdc dc, const XywhRect& rect, pl::Hbrush brush) { pl::FillRect(dc, XywhToRect(rect), brush); }

void FillWindowPart(pl::Hwnd window, int topInset) {
    pl::Rect client;
    if (!pl::GetClientRect(window, &client)) return;
    client.top += topInset;
    pl::Hdc dc = pl::GetDC(window);
    pl::FillRect(dc, client, GetBackgroundBrush());
    pl::ReleaseDC(window, dc);
}

}  // namespace

void DrawPixel(int x, int y) {
    const DrawWindowRecord* r = GetDrawWindow();
    if (r && r->dibBits) {
        if (x >= 0 && x < r->right && y >= 0 && y < r->bottom) WritePixelWord(*r, x, y, GetForePixel());
        return;
    }
    pl::SetPixel(GetDrawDc(), x, y, GetForeColorRef());
}

void DrawPixelColor(int x, int y, uint32_t value) {
    if (DrawsIntoDib())
        SetForePixel(value);
    else
        SetForeColor(value);
    DrawPixel(x, y);
}

void DrawLine(int x1, int y1, int x2, int y2) {
    const DrawWindowRecord* r = GetDrawWindow();
    if (r && r->dibBits) {
        DrawDibLine(*r, x1, y1, x2, y2, pl::Rect{0, 0, r->right, r->bottom});
        return;
    }
    pl::Hdc dc = GetDrawDc();
    if (GetForegroundPen()) pl::SelectObject(dc, GetForegroundPen());
    pl::Point points[2] = {{x1, y1}, {x2, y2}};
    pl::Polyline(dc, points, 2);
}

void DrawLineInside(int x1, int y1, int x2, int y2, const XywhRect& clip) {
    const DrawWindowRecord* r = GetDrawWindow();
    if (r && r->dibBits) {
        DrawDibLine(*r, x1, y1, x2, y2, XywhToRect(clip));
        return;
    }
    DrawLine(x1, y1, x2, y2);
}

void DrawLineColor(int x1, int y1, int x2, int y2, uint32_t color) {
    if (DrawsIntoDib())
        SetForePixel(pl::ToPixel555(color));
    else
        SetForeColor(color);
    DrawLine(x1, y1, x2, y2);
}

void FillRectangle(const XywhRect& rect, int corner) {
    pl::Hdc dc = GetDrawDc();
    if (corner == 0) {
        FillWithBrush(dc, rect, GetForegroundBrush());
        return;
    }
    pl::Hbrush previous = pl::SelectObject(dc, GetForegroundBrush());
    pl::RoundRect(dc, rect.x, rect.y, rect.x + rect.width, rect.y + rect.height, 2 * corner, 2 * corner);
    if (previous) pl::SelectObject(dc, previous);
}

void DrawRectangleOutline(const XywhRect& rect) {
    int right = rect.x + rect.width, bottom = rect.y + rect.height;
    pl::Point points[5] = {{rect.x, rect.y}, {rect.x, bottom}, {right, bottom}, {right, rect.y}, {rect.x, rect.y}};
    pl::Polyline(GetDrawDc(), points, 5);
}

void DrawRectangleFrame(const XywhRect& rect) { pl::DrawMonoEdge(GetDrawDc(), XywhToRect(rect)); }

void EraseRectangle(const XywhRect& rect) { FillWithBrush(GetDrawDc(), rect, GetBackgroundBrush()); }

void EraseWindow(pl::Hwnd window) { FillWindowPart(window, 0); }

void EraseWindowBelowTitle(pl::Hwnd window) { FillWindowPart(window, ScaleY(24)); }

void EraseBottomStrip(pl::Hwnd window) {
    pl::Rect client;
    if (!pl::GetClientRect(window, &client)) return;
    client.top = client.bottom - ScaleY(22);
    pl::FillRect(GetDrawDc(), client, GetBackgroundBrush());
}

void GetControlBounds(pl::Hwnd dialog, int id, XywhRect* out) {
    pl::Hwnd control = pl::GetDlgItem(dialog, id);
    pl::Rect r;
    if (control && pl::GetWindowRect(control, &r)) RectToXywh(r, out);
}
