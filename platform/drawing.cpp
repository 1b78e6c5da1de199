// Pixels, lines and shapes.
#include "platform/drawing.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "platform/raster.h"
#include "platform/sys_colors.h"

namespace pl {
namespace {

// The rounded-rectangle region in doubled coordinates, where pixel centres are odd.
struct RoundedRegion {
    int64_t left2, right2, top2, bottom2;  // doubled sides
    int64_t ex, ey;                        // corner ellipse, full width and height

    bool Inside(int x, int y) const {
        int64_t px = 2 * int64_t{x} + 1, py = 2 * int64_t{y} + 1;
        if (px < left2 || px > right2 || py < top2 || py > bottom2) return false;
        int64_t dx, dy;
        if (px < left2 + ex) dx = px - (left2 + ex);
        else if (px > right2 - ex) dx = px - (right2 - ex);
        else return true;
        if (py < top2 + ey) dy = py - (top2 + ey);
        else if (py > bottom2 - ey) dy = py - (bottom2 - ey);
        else return true;
        return dx * dx * ey * ey + dy * dy * ex * ex <= ex * ex * ey * ey;
    }
};

struct Span {
    int first = 0;
    int last = -1;  // empty when last < first
    bool Has(int x) const { return x >= first && x <= last; }
};

bool DrawRoundedRegion(Hdc dc, int left, int top, int right, int bottom, int ew, int eh) {
    RasterTarget t;
    if (!ResolveTarget(dc, &t)) return false;
    if (left > right) std::swap(left, right);
    if (top > bottom) std::swap(top, bottom);
    if (left == right || top == bottom) return false;
    int w = right - left, h = bottom - top;
    RoundedRegion region{2 * int64_t{left}, 2 * int64_t{right}, 2 * int64_t{top}, 2 * int64_t{bottom},
                         std::clamp(ew, 0, w), std::clamp(eh, 0, h)};
    // Each row of the region is one run of pixels (the region is convex).
    std::vector<Span> rows(static_cast<size_t>(h) + 2);
    for (int y = top; y < bottom; ++y) {
        Span& s = rows[static_cast<size_t>(y - top) + 1];
        int x = left;
        while (x < right && !region.Inside(x, y)) ++x;
        s.first = x;
        s.last = left + right - 1 - x;  // mirror image of the first pixel
    }
    uint32_t pen = RawFromColor(*t.surface, dc->pen ? dc->pen->color : 0);
    uint32_t brush = RawFromColor(*t.surface, BrushColor(dc->brush));
    for (int y = top; y < bottom; ++y) {
        const Span& above = rows[static_cast<size_t>(y - top)];
        const Span& row = rows[static_cast<size_t>(y - top) + 1];
        const Span& below = rows[static_cast<size_t>(y - top) + 2];
        for (int x = row.first; x <= row.last; ++x) {
            bool edge = x == row.first || x == row.last || !above.Has(x) || !below.Has(x);
            PlotRaw(t, x, y, edge ? pen : brush);
        }
    }
    return true;
}

// Visits each pixel of the outermost ring of a non-empty rectangle once.
template <class F>
void ForEachRingPixel(const Rect& r, F visit) {
    for (int x = r.left; x < r.right; ++x) {
        visit(x, r.top);
        if (r.bottom - 1 > r.top) visit(x, r.bottom - 1);
    }
    for (int y = r.top + 1; y < r.bottom - 1; ++y) {
        visit(r.left, y);
        if (r.right - 1 > r.left) visit(r.right - 1, y);
    }
}

void FillRing(RasterTarget& t, const Rect& r, uint32_t raw) {
    if (r.IsEmpty()) return;
    ForEachRingPixel(r, [&](int x, int y) { PlotRaw(t, x, y, raw); });
}

}  // namespace

ColorRef SetPixel(Hdc dc, int x, int y, ColorRef color) {
    RasterTarget t;
    if (!ResolveTarget(dc, &t) || !t.Visible(x + t.originX, y + t.originY)) return kInvalidColor;
    uint32_t raw = RawFromColor(*t.surface, color);
    WriteRaw(*t.surface, x + t.originX, y + t.originY, raw);
    return ColorFromRaw(*t.surface, raw);
}

ColorRef GetPixel(Hdc dc, int x, int y) {
    RasterTarget t;
    if (!ResolveTarget(dc, &t) || !t.Visible(x + t.originX, y + t.originY)) return kInvalidColor;
    return ReadColor(*t.surface, x + t.originX, y + t.originY);
}

bool Polyline(Hdc dc, const Point* points, int count) {
    RasterTarget t;
    if (!points || count < 2 || !ResolveTarget(dc, &t)) return false;
    uint32_t raw = RawFromColor(*t.surface, dc->pen ? dc->pen->color : 0);
    for (int i = 0; i + 1 < count; ++i)
        WalkLine(points[i].x, points[i].y, points[i + 1].x, points[i + 1].y, false,
                 [&](int x, int y) { PlotRaw(t, x, y, raw); });
    return true;
}

bool FillRect(Hdc dc, const Rect& rect, Hbrush brush) {
    RasterTarget t;
    if (!brush || !ResolveTarget(dc, &t)) return false;
    FillRaw(t, rect, RawFromColor(*t.surface, BrushColor(brush)));
    return true;
}

bool RoundRect(Hdc dc, int left, int top, int right, int bottom, int ellipseWidth, int ellipseHeight) {
    return DrawRoundedRegion(dc, left, top, right, bottom, ellipseWidth, ellipseHeight);
}

bool Ellipse(Hdc dc, int left, int top, int right, int bottom) {
    return DrawRoundedRegion(dc, left, top, right, bottom, std::abs(right - left), std::abs(bottom - top));
}

bool DrawMonoEdge(Hdc dc, const Rect& rect) {
    RasterTarget t;
    if (rect.IsEmpty() || !ResolveTarget(dc, &t)) return false;
    FillRing(t, rect, RawFromColor(*t.surface, GetSysColor(kColorWindowFrame)));
    FillRing(t, Rect{rect.left + 1, rect.top + 1, rect.right - 1, rect.bottom - 1},
             RawFromColor(*t.surface, GetSysColor(kColorWindow)));
    return true;
}

bool DrawFocusRect(Hdc dc, const Rect& rect) {
    RasterTarget t;
    if (rect.IsEmpty() || !ResolveTarget(dc, &t)) return false;
    uint32_t mask = t.surface->bitsPerPixel == 16 ? 0x7FFF : 0xFFFFFF;
    ForEachRingPixel(rect, [&](int x, int y) {
        int sx = x + t.originX, sy = y + t.originY;
        if (((x + y) & 1) == 0 && t.Visible(sx, sy)) WriteRaw(*t.surface, sx, sy, ReadRaw(*t.surface, sx, sy) ^ mask);
    });
    return true;
}

}  // namespace pl
