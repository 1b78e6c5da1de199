// Block, stretched and transparent copies between contexts.
#include <algorithm>
#include <cstdint>
#include <vector>

#include "platform/drawing.h"
#include "platform/raster.h"

namespace pl {
namespace {

int64_t FloorDiv(int64_t a, int64_t b) {
    int64_t q = a / b;
    return (a % b != 0 && ((a < 0) != (b < 0))) ? q - 1 : q;
}

// Source coordinate (context coordinates) for each destination coordinate
// lo .. hi - 1 of one axis.
std::vector<int> AxisMap(int lo, int hi, int origin, int extent, int srcOrigin, int srcExtent) {
    std::vector<int> map(static_cast<size_t>(hi - lo));
    for (int d = lo; d < hi; ++d)
        map[static_cast<size_t>(d - lo)] =
            srcOrigin + static_cast<int>(FloorDiv((2 * int64_t{d - origin} + 1) * srcExtent, 2 * int64_t{extent}));
    return map;
}

bool Copy(Hdc dst, int x, int y, int w, int h, Hdc src, int sx, int sy, int sw, int sh, bool keyed,
          ColorRef key) {
    RasterTarget t;
    int sox = 0, soy = 0;
    Surface* source = SourceSurface(src, &sox, &soy);
    if (!source || w == 0 || h == 0 || sw == 0 || sh == 0 || !ResolveTarget(dst, &t)) return false;
    Surface snapshot;
    if (source == t.surface) {  // overlapping copies read the pixels as they were
        snapshot = *source;
        source = &snapshot;
    }
    // The destination rectangle, cut to what the clip can reach so that huge
    // extents cost nothing.
    Rect area{std::min(x, x + w), std::min(y, y + h), std::max(x, x + w), std::max(y, y + h)};
    area = Intersect(area, Offset(t.surface->Bounds(), -t.originX, -t.originY));
    if (area.IsEmpty()) return true;
    std::vector<int> cols = AxisMap(area.left, area.right, x, w, sx, sw);
    std::vector<int> rows = AxisMap(area.top, area.bottom, y, h, sy, sh);
    uint32_t keyRaw = RawFromColor(*source, key);
    bool sameFormat = source->bitsPerPixel == t.surface->bitsPerPixel;
    for (const Rect& c : t.clip) {
        Rect r = Intersect(Offset(area, t.originX, t.originY), c);
        for (int py = r.top; py < r.bottom; ++py) {
            int srow = rows[static_cast<size_t>(py - t.originY - area.top)] + soy;
            if (srow < 0 || srow >= source->height) continue;
            for (int px = r.left; px < r.right; ++px) {
                int scol = cols[static_cast<size_t>(px - t.originX - area.left)] + sox;
                if (scol < 0 || scol >= source->width) continue;
                uint32_t raw = ReadRaw(*source, scol, srow);
                if (keyed && raw == keyRaw) continue;
                WriteRaw(*t.surface, px, py, sameFormat ? raw : RawFromColor(*t.surface, ColorFromRaw(*source, raw)));
            }
        }
    }
    return true;
}

}  // namespace

bool BitBlt(Hdc dst, int x, int y, int width, int height, Hdc src, int sx, int sy) {
    return Copy(dst, x, y, width, height, src, sx, sy, width, height, false, 0);
}

bool StretchBlt(Hdc dst, int x, int y, int width, int height, Hdc src, int sx, int sy, int sw, int sh) {
    return Copy(dst, x, y, width, height, src, sx, sy, sw, sh, false, 0);
}

bool TransparentBlt(Hdc dst, int x, int y, int width, int height, Hdc src, int sx, int sy, int sw, int sh,
                    ColorRef key) {
    return Copy(dst, x, y, width, height, src, sx, sy, sw, sh, true, key);
}

}  // namespace pl
