// Pixels, lines and shapes.
#include "platform/drawing.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "platform/raster.h"
#include "platform/sys_colors.h"

namespace pl {
namespace {

// The rounded-rectangle region in doubled coordinates, where pixel centres are
// odd. Products are taken in 128 bits so that any int box is exact.
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
        using Wide = __int128;
        return Wide{dx} * dx * ey * ey + Wide{dy} * dy * ex * ex <= Wide{ex} * ex * ey * ey;
    }
};

struct Span {
    int first = 0;
    int last = -1;  // empty when last < first
    bool Has(int x) const { return x >= first && x <= last; }
};

// The run of row y inside the region: the region is convex and symmetric, so
// the first inside pixel is found by bisection between the left side and the
// middle column, and the last mirrors it.
Span RowSpan(const RoundedRegion& region, int left, int right, int y) {
    int middle = static_cast<int>(left + (int64_t{right} - left - 1) / 2);
    if (!region.Inside(middle, y)) return Span{};
    int lo = left, hi = middle;
    while (lo < hi) {
        int mid = static_cast<int>(lo + (int64_t{hi} - lo) / 2);
        if (region.Inside(mid, y)) hi = mid;
        else lo = mid + 1;
    }
    return Span{lo, static_cast<int>(int64_t{left} + right - 1 - lo)};
}

bool DrawRoundedRegion(Hdc dc, int left, int top, int right, int bottom, int ew, int eh) {
    RasterTarget t;
    if (!ResolveTarget(dc, &t)) return false;
    if (left > right) std::swap(left, right);
    if (top > bottom) std::swap(top, bottom);
    if (left == right || top == bottom) return false;
    int64_t w = int64_t{right} - left, h = int64_t{bottom} - top;
    RoundedRegion region{2 * int64_t{left}, 2 * int64_t{right}, 2 * int64_t{top}, 2 * int64_t{bottom},
                         std::clamp<int64_t>(ew, 0, w), std::clamp<int64_t>(eh, 0, h)};
    // Only the rows and columns the clip can reach are visited.
    Rect reach = Intersect(t.ClipBounds(), Rect{left, top, right, bottom});
    if (reach.IsEmpty()) return true;
    uint32_t pen = RawFromColor(*t.surface, dc->pen ? dc->pen->color : 0);
    uint32_t brush = RawFromColor(*t.surface, BrushColor(dc->brush));
    Span above = reach.top > top ? RowSpan(region, left, right, reach.top - 1) : Span{};
    Span row = RowSpan(region, left, right, reach.top);
    for (int y = reach.top; y < reach.bottom; ++y) {
        Span below = y + 1 < bottom ? RowSpan(region, left, right, y + 1) : Span{};
        for (int x = std::max(row.first, reach.left); x <= std::min(row.last, reach.right - 1); ++x) {
            bool edge = x == row.first || x == row.last || !above.Has(x) || !below.Has(x);
            PlotRaw(t, x, y, edge ? pen : brush);
        }
        above = row;
        row = below;
    }
    return true;
}

// Visits once each pixel of the outermost ring of a non-empty rectangle that
// lies within reach.
template <class F>
void ForEachRingPixel(const Rect& r, const Rect& reach, F visit) {
    Rect span = Intersect(r, reach);
    for (int x = span.left; x < span.right; ++x) {
        if (r.top >= reach.top && r.top < reach.bottom) visit(x, r.top);
        if (r.bottom - 1 > r.top && r.bottom - 1 >= reach.top && r.bottom - 1 < reach.bottom) visit(x, r.bottom - 1);
    }
    for (int y = std::max(r.top + 1, span.top); y < std::min(r.bottom - 1, span.bottom); ++y) {
        if (r.left >= reach.left && r.left < reach.right) visit(r.left, y);
        if (r.right - 1 > r.left && r.right - 1 >= reach.left && r.right - 1 < reach.right) visit(r.right - 1, y);
    }
}

void FillRing(RasterTarget& t, const Rect& r, uint32_t raw) {
    if (r.IsEmpty()) return;
    ForEachRingPixel(r, t.ClipBounds(), [&](int x, int y) { PlotRaw(t, x, y, raw); });
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
    const PixelRows rows = RowsOf(t);
    for (int i = 0; i + 1 < count; ++i) {
        const Point& a = points[i];
        const Point& b = points[i + 1];
        for (const Rect& c : t.clip) WalkLine(a.x, a.y, b.x, b.y, false, Intersect(c, t.surface->Bounds()), rows, raw);
    }
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
    const uint32_t mask = RawFromColor(*t.surface, GetSysColor(kColorWindow) ^ GetSysColor(kColorWindowText));
    ForEachRingPixel(rect, t.ClipBounds(), [&](int x, int y) {
        int sx = x + t.originX, sy = y + t.originY;
        if (((x + y) & 1) == 0 && t.Visible(sx, sy)) WriteRaw(*t.surface, sx, sy, ReadRaw(*t.surface, sx, sy) ^ mask);
    });
    return true;
}

}  // namespace pl
