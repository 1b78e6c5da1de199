#include "platform/focus.h"

#include "platform/core_internal.h"
#include "platform/messages.h"
#include "platform/message_queue.h"
#include "platform/window.h"

namespace pl {
namespace {

Hwnd focus = nullptr;
Hwnd capture = nullptr;
Hwnd active = nullptr;

bool Inside(Hwnd w, Hwnd ancestor) { return w && ancestor && detail::IsSelfOrDescendant(w, ancestor); }

bool CanBecomeActive(Hwnd h) {
    detail::WindowPtr w = detail::Find(h);
    return w && !w->destroying && IsWindowVisible(h) && IsWindowEnabled(h);
}

// The window that becomes active when `leaving` is hidden or destroyed: its
// owner when it can be, else the topmost visible, enabled top-level window.
Hwnd NextActive(Hwnd leaving) {
    Hwnd owner = GetWindowOwner(leaving);
    if (CanBecomeActive(owner)) return owner;
    for (Hwnd h : TopLevelWindows()) {
        if (h != leaving && CanBecomeActive(h)) return h;
    }
    return nullptr;
}

}  // namespace

Hwnd SetFocus(Hwnd hwnd) {
    if (hwnd && (!IsWindow(hwnd) || !IsWindowEnabled(hwnd))) return nullptr;
    if (hwnd == focus) return focus;
    if (hwnd && GetTopLevel(hwnd) != active) SetActiveWindow(hwnd);
    Hwnd old = focus;
    if (hwnd == old) return old;
    focus = hwnd;
    if (IsWindow(old)) SendMessage(old, WM_KILLFOCUS, reinterpret_cast<WParam>(hwnd), 0);
    if (hwnd && focus == hwnd) SendMessage(hwnd, WM_SETFOCUS, reinterpret_cast<WParam>(old), 0);
    return old;
}

Hwnd GetFocus() { return focus; }

Hwnd SetCapture(Hwnd hwnd) {
    if (hwnd && !IsWindow(hwnd)) return nullptr;
    Hwnd old = capture;
    capture = hwnd;
    if (old && old != hwnd && IsWindow(old)) SendMessage(old, WM_CAPTURECHANGED, 0, reinterpret_cast<LParam>(hwnd));
    return old;
}

bool ReleaseCapture() {
    Hwnd old = capture;
    capture = nullptr;
    if (old && IsWindow(old)) SendMessage(old, WM_CAPTURECHANGED, 0, 0);
    return true;
}

Hwnd GetCapture() { return capture; }

Hwnd SetActiveWindow(Hwnd hwnd) {
    Hwnd top = hwnd ? GetTopLevel(hwnd) : nullptr;
    if (hwnd && !top) return nullptr;
    Hwnd old = active;
    if (top == old) return old;
    active = top;
    if (IsWindow(old)) {
        SendMessage(old, WM_ACTIVATE, WA_INACTIVE, reinterpret_cast<LParam>(top));
        if (Inside(focus, old)) SetFocus(nullptr);
    }
    if (top && active == top) SendMessage(top, WM_ACTIVATE, WA_ACTIVE, reinterpret_cast<LParam>(old));
    return old;
}

Hwnd GetActiveWindow() { return active; }

bool SetForegroundWindow(Hwnd hwnd) {
    Hwnd top = GetTopLevel(hwnd);
    if (!top) return false;
    BringWindowToTop(top);
    SetActiveWindow(top);
    return true;
}

Hwnd GetForegroundWindow() { return active; }

namespace detail {

void OnWindowHidden(Hwnd hwnd) {
    if (Inside(capture, hwnd)) ReleaseCapture();
    if (Inside(focus, hwnd)) {
        Hwnd parent = GetParent(hwnd);
        bool canTake = parent && IsWindowVisible(parent) && IsWindowEnabled(parent);
        SetFocus(canTake ? parent : nullptr);
    }
    if (active == hwnd) SetActiveWindow(NextActive(hwnd));
}

void ForgetWindow(Hwnd hwnd) {
    if (focus == hwnd) focus = nullptr;
    if (capture == hwnd) capture = nullptr;
    if (active == hwnd) active = nullptr;
}

void ResetFocus() {
    focus = nullptr;
    capture = nullptr;
    active = nullptr;
}

Hwnd KeyTarget() { return focus ? focus : active; }

}  // namespace detail
}  // namespace pl
