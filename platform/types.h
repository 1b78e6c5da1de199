// Basic types of the platform layer: window handles, message parameters,
// rectangles, points and the message record.
#pragma once

#include <cstdint>

namespace pl {

// A window handle. Its value identifies a window but is never dereferenced:
// handles are checked against the window table, and a destroyed window's
// handle is never given out again, so a stale handle is simply invalid.
struct WindowHandle;
using Hwnd = WindowHandle*;

using WParam = std::uintptr_t;
using LParam = std::intptr_t;
using LResult = std::intptr_t;

// A window procedure: (window, message id, wParam, lParam) -> result.
using WndProc = LResult (*)(Hwnd hwnd, uint32_t message, WParam wParam, LParam lParam);

struct Point {
    int x = 0;
    int y = 0;
    bool operator==(const Point&) const = default;
};

// Left and top inside, right and bottom outside.
struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool IsEmpty() const { return right <= left || bottom <= top; }
    bool Contains(Point p) const { return p.x >= left && p.x < right && p.y >= top && p.y < bottom; }
    bool operator==(const Rect&) const = default;
};

// Intersection of two rectangles (empty when they do not overlap).
Rect Intersect(const Rect& a, const Rect& b);
// Rectangle moved by (dx, dy).
Rect Offset(const Rect& r, int dx, int dy);

// One message: target window (null for a message to the thread), id,
// parameters, the tick count when it was taken and the stylus position then
// (screen coordinates).
struct Msg {
    Hwnd hwnd = nullptr;
    uint32_t id = 0;
    WParam wParam = 0;
    LParam lParam = 0;
    uint32_t time = 0;
    Point pt;
};

// Packing of two 16-bit values into a message parameter, low word first.
constexpr LParam MakeLParam(int low, int high) {
    return static_cast<LParam>((static_cast<uint32_t>(low) & 0xFFFF) | ((static_cast<uint32_t>(high) & 0xFFFF) << 16));
}
constexpr WParam MakeWParam(int low, int high) { return static_cast<WParam>(static_cast<uint32_t>(MakeLParam(low, high))); }
constexpr int LoWord(std::uintptr_t v) { return static_cast<int>(v & 0xFFFF); }
constexpr int HiWord(std::uintptr_t v) { return static_cast<int>((v >> 16) & 0xFFFF); }
// Signed coordinates of a pointer message's lParam (client coordinates).
constexpr int PointX(LParam l) { return static_cast<int16_t>(l & 0xFFFF); }
constexpr int PointY(LParam l) { return static_cast<int16_t>((l >> 16) & 0xFFFF); }

}  // namespace pl
