#include "platform/paint.h"

#include "platform/core_internal.h"
#include "platform/messages.h"
#include "platform/message_queue.h"
#include "platform/window.h"

namespace pl {
namespace {

using detail::Find;
using detail::WindowPtr;

BackgroundFill backgroundFill = nullptr;

Rect ClientOf(const detail::Window& w) { return {0, 0, w.rect.Width(), w.rect.Height()}; }

}  // namespace

bool Invalidate(Hwnd hwnd, const Rect* rect, bool erase) {
    WindowPtr w = Find(hwnd);
    if (!w) return false;
    Rect r = rect ? Intersect(*rect, ClientOf(*w)) : ClientOf(*w);
    if (r.IsEmpty()) return true;
    w->update.Add(r);
    if (erase) w->eraseNeeded = true;
    w->paintTakenDepth = -1;
    return true;
}

bool Validate(Hwnd hwnd, const Rect* rect) {
    WindowPtr w = Find(hwnd);
    if (!w) return false;
    if (rect) w->update.Subtract(*rect);
    else w->update.Clear();
    if (w->update.IsEmpty()) w->eraseNeeded = false;
    return true;
}

bool GetUpdateRect(Hwnd hwnd, Rect* out) {
    WindowPtr w = Find(hwnd);
    if (!w) return false;
    *out = w->update.Bounds();
    return !w->update.IsEmpty();
}

bool UpdateNow(Hwnd hwnd) {
    WindowPtr w = Find(hwnd);
    if (!w) return false;
    if (detail::IsShown(*w) && !w->update.IsEmpty()) SendMessage(hwnd, WM_PAINT, 0, 0);
    return true;
}

void PaintInvalidNow() {
    for (Hwnd h : detail::PaintOrder()) {
        WindowPtr w = Find(h);
        if (w && w->paintsRunning == 0 && !w->update.IsEmpty() && detail::IsShown(*w)) SendMessage(h, WM_PAINT, 0, 0);
    }
}

void InvalidateAllWindows() {
    for (Hwnd h : TopLevelWindows()) detail::InvalidateTree(h);
}

Hdc BeginPaint(Hwnd hwnd, PaintStruct* ps) {
    *ps = PaintStruct{};
    WindowPtr w = Find(hwnd);
    if (!w) return nullptr;
    ps->paint = w->update.Bounds();
    bool erase = w->eraseNeeded;
    w->painting = w->update;
    w->update.Clear();
    w->eraseNeeded = false;
    w->paintTakenDepth = -1;
    ++w->paintsRunning;
    ps->hdc = GetDC(hwnd);
    ps->erase = erase;
    if (erase && ps->hdc) ps->erase = SendMessage(hwnd, WM_ERASEBKGND, reinterpret_cast<WParam>(ps->hdc), 0) == 0;
    return ps->hdc;
}

bool EndPaint(Hwnd hwnd, const PaintStruct* ps) {
    WindowPtr w = Find(hwnd);
    if (w) {
        w->painting.Clear();
        if (w->paintsRunning > 0) --w->paintsRunning;
    }
    if (ps && ps->hdc) ReleaseDC(hwnd, ps->hdc);
    return w != nullptr;
}

void SetBackgroundFill(BackgroundFill fill) { backgroundFill = fill; }

namespace detail {

bool FillBackground(const Window& w, void* dc) {
    if (!backgroundFill || !w.background || !dc) return false;
    Hdc hdc = static_cast<Hdc>(dc);
    if (w.painting.IsEmpty()) {
        backgroundFill(hdc, ClientOf(w), w.background);
    } else {
        for (const Rect& r : w.painting.Rects()) backgroundFill(hdc, r, w.background);
    }
    return true;
}

void ExposeBelow(Hwnd hwnd, const Rect& screen) {
    for (Hwnd h : PaintOrder()) {
        if (h == hwnd) break;
        WindowPtr w = Find(h);
        if (!w || !IsShown(*w)) continue;
        Rect ws = ScreenRectOf(*w);
        Rect r = Intersect(screen, ws);
        if (r.IsEmpty()) continue;
        r = Offset(r, -ws.left, -ws.top);
        Invalidate(h, &r, true);
    }
}

void InvalidateTree(Hwnd hwnd) {
    WindowPtr w = Find(hwnd);
    if (!w) return;
    Invalidate(hwnd, nullptr, true);
    for (Hwnd c : w->children) InvalidateTree(c);
}

bool FindPaint(const Filter& filter, int depth, bool remove, Msg* out) {
    if (!filter.Accepts(WM_PAINT)) return false;
    for (Hwnd h : PaintOrder()) {
        WindowPtr w = Find(h);
        if (!w || w->update.IsEmpty() || !IsShown(*w) || !filter.AcceptsWindow(h)) continue;
        if (w->paintTakenDepth >= 0 && depth >= w->paintTakenDepth) continue;
        *out = Msg{};
        out->hwnd = h;
        out->id = WM_PAINT;
        if (remove) w->paintTakenDepth = depth;
        return true;
    }
    return false;
}

}  // namespace detail
}  // namespace pl
