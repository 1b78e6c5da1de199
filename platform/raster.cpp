#include "platform/raster.h"

#include <cstdlib>

#include "platform/text_log.h"

namespace pl {
namespace {

// Pixels left .. right - 1 of row y, which must be inside.
void FillRow(Surface& s, int y, int left, int right, uint32_t raw) {
    uint8_t* p = s.Row(y);
    if (s.bitsPerPixel == 16) {
        const uint8_t lo = static_cast<uint8_t>(raw), hi = static_cast<uint8_t>(raw >> 8);
        for (int x = left; x < right; ++x) p[2 * x] = lo, p[2 * x + 1] = hi;
        return;
    }
    for (int x = left; x < right; ++x) WriteRaw(s, x, y, raw);
}

}  // namespace

void FillRaw(RasterTarget& t, const Rect& rect, uint32_t raw) {
    Rect r = Offset(rect, t.originX, t.originY);
    if (TextLogRunning()) LogFill(t.surface->serial, Intersect(r, Offset(t.ClipBounds(), t.originX, t.originY)));
    for (const Rect& c : t.clip) {
        Rect i = Intersect(r, c);
        if (i.IsEmpty()) continue;
        for (int y = i.top; y < i.bottom; ++y) FillRow(*t.surface, y, i.left, i.right, raw);
    }
}

void WalkLine(int x1, int y1, int x2, int y2, bool includeLast, const std::function<void(int, int)>& visit) {
    int dx = std::abs(x2 - x1), dy = std::abs(y2 - y1);
    int sx = x1 > x2 ? -1 : 1, sy = y1 > y2 ? -1 : 1;
    int x = x1, y = y1;
    // Walk the major axis one pixel a step; the minor axis follows the error term.
    bool steep = dx < dy;
    int major = steep ? dy : dx, minor = steep ? dx : dy;
    int* along = steep ? &y : &x;
    int* across = steep ? &x : &y;
    int stepAlong = steep ? sy : sx, stepAcross = steep ? sx : sy;
    int e = 2 * minor - major;
    for (int n = includeLast ? major + 1 : major; n > 0; --n) {
        visit(x, y);
        *along += stepAlong;
        if (e > 0) *across += stepAcross;
        e += e < 1 ? 2 * minor : 2 * (minor - major);
    }
}

}  // namespace pl
