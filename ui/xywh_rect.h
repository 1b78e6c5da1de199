// Rectangles as the drawing routines take them: left, top, width, height.
#pragma once

#include "platform/types.h"

struct XywhRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    bool operator==(const XywhRect&) const = default;
};

// True when x0 <= x < x0 + width and y0 <= y < y0 + height.
inline bool PointInRect(int x, int y, const XywhRect& r) {
    return x >= r.x && x < r.x + r.width && y >= r.y && y < r.y + r.height;
}

// Left, top, width, height of a left/top/right/bottom rectangle.
inline void RectToXywh(const pl::Rect& rect, XywhRect* out) {
    *out = XywhRect{rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
}

inline pl::Rect XywhToRect(const XywhRect& r) { return pl::Rect{r.x, r.y, r.x + r.width, r.y + r.height}; }
