#include "platform/raster.h"

#include <cstdlib>

namespace pl {

void FillRaw(RasterTarget& t, const Rect& rect, uint32_t raw) {
    Rect r = Offset(rect, t.originX, t.originY);
    for (const Rect& c : t.clip) {
        Rect i = Intersect(r, c);
        if (i.IsEmpty()) continue;
        for (int y = i.top; y < i.bottom; ++y)
            for (int x = i.left; x < i.right; ++x) WriteRaw(*t.surface, x, y, raw);
    }
}

void WalkLine(int x1, int y1, int x2, int y2, bool includeLast, const std::function<void(int, int)>& visit) {
    int dx = std::abs(x2 - x1), dy = std::abs(y2 - y1);
    int sx = x1 > x2 ? -1 : 1, sy = y1 > y2 ? -1 : 1;
    int x = x1, y = y1;
    if (dx < dy) {
        int e = 2 * dx - dy;
        for (int n = includeLast ? dy + 1 : dy; n > 0; --n) {
            visit(x, y);
            y += sy;
            if (e > 0) x += sx;
            e += e < 1 ? 2 * dx : 2 * (dx - dy);
        }
    } else {
        int e = 2 * dy - dx;
        for (int n = includeLast ? dx + 1 : dx; n > 0; --n) {
            visit(x, y);
            x += sx;
            if (e > 0) y += sy;
            e += e < 1 ? 2 * dy : 2 * (dy - dx);
        }
    }
}

}  // namespace pl
