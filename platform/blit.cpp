// Block, stretched and transparent copies between contexts.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

#include "platform/drawing.h"
#include "platform/raster.h"
#include "platform/text_log.h"

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

// An unscaled copy between surfaces of one format: each row of the destination rectangle
// (within the clip) from the source row it maps to, run by run. dx, dy: destination minus
// source surface coordinates.
void CopyRows(const Surface& source, RasterTarget& t, const Rect& area, int64_t dx, int64_t dy, bool keyed,
              uint32_t keyRaw) {
    const int bytes = source.bitsPerPixel / 8;
    for (const Rect& c : t.clip) {
        Rect r = Intersect(Offset(area, t.originX, t.originY), c);
        const int64_t left = std::max<int64_t>(r.left, dx), right = std::min<int64_t>(r.right, source.width + dx);
        for (int py = r.top; left < right && py < r.bottom; ++py) {
            const int64_t srow = py - dy;
            if (srow < 0 || srow >= source.height) continue;
            const uint8_t* from = source.Row(static_cast<int>(srow)) + (left - dx) * bytes;
            uint8_t* to = t.surface->Row(py) + left * bytes;
            if (!keyed) {
                std::memcpy(to, from, static_cast<size_t>(right - left) * bytes);
                continue;
            }
            for (int64_t px = left; px < right; ++px, from += bytes, to += bytes) {
                uint32_t raw = ReadRaw(source, static_cast<int>(px - dx), static_cast<int>(srow));
                if (raw != keyRaw) std::memcpy(to, from, static_cast<size_t>(bytes));
            }
        }
    }
}

// The text log follows an opaque copy: an unscaled one carries the source's
// texts along, a scaled one only covers what was there.
void LogBlock(const Surface& source, const RasterTarget& t, int x, int y, int w, int h, int sx, int sy, int sw,
              int sh) {
    Rect area{std::min(x, x + w), std::min(y, y + h), std::max(x, x + w), std::max(y, y + h)};
    area = Offset(area, t.originX, t.originY);
    std::vector<Rect> parts;
    for (const Rect& c : t.clip)
        if (Rect part = Intersect(area, c); !part.IsEmpty()) parts.push_back(part);
    if (w == sw && h == sh) {
        LogCopy(source.serial, t.surface->serial, parts, x + t.originX - sx, y + t.originY - sy);
        return;
    }
    for (const Rect& part : parts) LogFill(t.surface->serial, part);
}

bool Copy(Hdc dst, int x, int y, int w, int h, Hdc src, int sx, int sy, int sw, int sh, bool keyed,
          ColorRef key) {
    RasterTarget t;
    int sox = 0, soy = 0;
    Surface* source = SourceSurface(src, &sox, &soy);
    if (!source || w == 0 || h == 0 || sw == 0 || sh == 0 || !ResolveTarget(dst, &t)) return false;
    if (!keyed && TextLogRunning()) LogBlock(*source, t, x, y, w, h, sx + sox, sy + soy, sw, sh);
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
    uint32_t keyRaw = RawFromColor(*source, key);
    bool sameFormat = source->bitsPerPixel == t.surface->bitsPerPixel;
    if (sameFormat && w == sw && h == sh && w > 0 && h > 0) {
        CopyRows(*source, t, area, int64_t{t.originX} + x - sx - sox, int64_t{t.originY} + y - sy - soy, keyed, keyRaw);
        return true;
    }
    std::vector<int> cols = AxisMap(area.left, area.right, x, w, sx, sw);
    std::vector<int> rows = AxisMap(area.top, area.bottom, y, h, sy, sh);
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
