#include "platform/raster.h"

#include <algorithm>
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

namespace {

using Wide = __int128;

// The walk in its own axes: step n (0 .. count - 1) lies at along0 + stepAlong
// * n on the longer axis and across0 + stepAcross * Across(n) on the shorter.
struct LineSteps {
    int64_t along0, across0;
    int stepAlong, stepAcross;
    int64_t major, minor, count;

    // The steps of the shorter axis taken before step n. The error term before
    // step n is 2 minor - major + 2 minor n - 2 major Across(n) and stays in
    // 2 minor - 2 major + 1 .. 2 minor, which leaves one value for Across(n).
    int64_t Across(int64_t n) const {
        return major == 0 ? 0 : static_cast<int64_t>((Wide{2} * minor * n + major - 1) / (Wide{2} * major));
    }
    // The first step whose Across is at least k; past the last step when none is.
    int64_t FirstReaching(int64_t k) const {
        if (k <= 0) return 0;
        if (k > minor) return count;
        const Wide num = Wide{2} * major * k - major + 1, den = Wide{2} * minor;
        return static_cast<int64_t>((num + den - 1) / den);
    }
};

// The offsets from `start` in direction `step` that keep a coordinate in lo .. hi.
void OffsetsWithin(int64_t start, int step, int64_t lo, int64_t hi, int64_t* first, int64_t* last) {
    *first = step > 0 ? lo - start : start - hi;
    *last = step > 0 ? hi - start : start - lo;
}

template <int kBytes>
void WriteRun(uint8_t* bits, std::ptrdiff_t at, int64_t count, int64_t e, int64_t twoMinor, int64_t twoMajor,
              std::ptrdiff_t alongBytes, std::ptrdiff_t acrossBytes, uint32_t word) {
    for (; count > 0; --count) {
        uint8_t* p = bits + at;
        for (int i = 0; i < kBytes; ++i) p[i] = static_cast<uint8_t>(word >> (8 * i));
        at += alongBytes;
        if (e > 0) {
            at += acrossBytes;
            e -= twoMajor;
        }
        e += twoMinor;
    }
}

}  // namespace

void WalkLine(int x1, int y1, int x2, int y2, bool includeLast, const Rect& clip, const PixelRows& rows,
              uint32_t word) {
    if (clip.IsEmpty()) return;
    const int64_t ax = int64_t{x1} + rows.originX, ay = int64_t{y1} + rows.originY;
    const int64_t bx = int64_t{x2} + rows.originX, by = int64_t{y2} + rows.originY;
    const int64_t dx = std::abs(bx - ax), dy = std::abs(by - ay);
    const int sx = ax > bx ? -1 : 1, sy = ay > by ? -1 : 1;
    // Walk the major axis one pixel a step; the minor axis follows the error term.
    const bool steep = dx < dy;
    LineSteps w{steep ? ay : ax, steep ? ax : ay, steep ? sy : sx, steep ? sx : sy, steep ? dy : dx,
                steep ? dx : dy, 0};
    w.count = includeLast ? w.major + 1 : w.major;
    // The steps inside the clip: an interval on each axis, the shorter one's
    // offset growing with the step.
    const int64_t alongLo = steep ? clip.top : clip.left, alongHi = (steep ? clip.bottom : clip.right) - 1;
    const int64_t acrossLo = steep ? clip.left : clip.top, acrossHi = (steep ? clip.right : clip.bottom) - 1;
    int64_t first, last, lo, hi;
    OffsetsWithin(w.along0, w.stepAlong, alongLo, alongHi, &first, &last);
    OffsetsWithin(w.across0, w.stepAcross, acrossLo, acrossHi, &lo, &hi);
    if (hi < 0 || lo > w.minor) return;
    first = std::max({first, int64_t{0}, w.FirstReaching(lo)});
    last = std::min({last, w.count - 1, w.FirstReaching(hi + 1) - 1});
    if (first > last) return;
    // Start at step `first` with its error term.
    const int64_t across = w.Across(first);
    const int64_t e = static_cast<int64_t>(Wide{2} * w.minor * (first + 1) - w.major - Wide{2} * w.major * across);
    const int64_t along = w.along0 + w.stepAlong * first, acrossAt = w.across0 + w.stepAcross * across;
    const int64_t x = steep ? acrossAt : along, y = steep ? along : acrossAt;
    const std::ptrdiff_t rowBytes = rows.bottomUp ? -rows.stride : rows.stride;
    const std::ptrdiff_t at = (rows.bottomUp ? rows.height - 1 - y : y) * rows.stride + x * rows.bytesPerPixel;
    const std::ptrdiff_t xBytes = rows.bytesPerPixel, alongBytes = w.stepAlong * (steep ? rowBytes : xBytes);
    const std::ptrdiff_t acrossBytes = w.stepAcross * (steep ? xBytes : rowBytes);
    const int64_t n = last - first + 1;
    switch (rows.bytesPerPixel) {
    case 4: WriteRun<4>(rows.bits, at, n, e, 2 * w.minor, 2 * w.major, alongBytes, acrossBytes, word); break;
    case 2: WriteRun<2>(rows.bits, at, n, e, 2 * w.minor, 2 * w.major, alongBytes, acrossBytes, word); break;
    default: WriteRun<1>(rows.bits, at, n, e, 2 * w.minor, 2 * w.major, alongBytes, acrossBytes, word); break;
    }
}

}  // namespace pl
