#include "ui/rotated_curves.h"

#include "core/fixed_trig.h"
#include "ui/colors.h"
#include "ui/primitives.h"

namespace {

constexpr Fix24Angle k90Degrees = 26353530;
constexpr Fix24Angle k270Degrees = 79060590;
constexpr Fix24Angle k4Degrees = 1171268;
constexpr Fix24Angle k12Degrees = 3513804;
constexpr Fix24Angle kPast80Degrees = 23425361;

struct Offset {
    int x;
    int y;
};

// Screen offset of the vector (x, y, 0) turned by the matrix, each component
// shifted right by `shift`.
Offset Turn(const int32_t* matrix, int64_t x, int64_t y, int shift) {
    int32_t v[3] = {static_cast<int32_t>(x), static_cast<int32_t>(y), 0};
    FixMatVec24(matrix, v);
    return Offset{v[0] >> shift, v[1] >> shift};
}

// The ring's point at angle phi: (a cos phi, b sin phi) scaled by 4096.
Offset RingPoint(const int32_t* matrix, int a, int b, Fix24Angle phi) {
    int32_t c, s;
    FixSinCos24(phi, &c, &s);
    return Turn(matrix, (int64_t{a} * 4096 * c) >> 24, (int64_t{b} * 4096 * s) >> 24, 12);
}

}  // namespace

void DrawRotatedRing(const int32_t* matrix, int cx, int cy, int a, int b, uint32_t colourAbove,
                     uint32_t colourBelow) {
    if (a == 0 || b == 0) return;
    Fix24Angle step = (a / b == 1 && b / a == 1) ? k12Degrees : k4Degrees;
    Offset top = RingPoint(matrix, a, b, k270Degrees), bottom = RingPoint(matrix, a, b, k90Degrees);
    int sx = top.x + bottom.x, sy = top.y + bottom.y;  // the point reflection is (sx - x, sy - y)
    SetForeColor(colourBelow);
    Offset first{}, previous{};
    for (Fix24Angle phi = k270Degrees; phi >= k90Degrees; phi -= step) {
        Offset p = RingPoint(matrix, a, b, phi);
        if (phi == k270Degrees) {
            first = p;
        } else {
            bool above = p.y < 0;
            DrawLineColor(cx + p.x, cy + p.y, cx + previous.x, cy + previous.y, above ? colourAbove : colourBelow);
            DrawLineColor(cx + sx - p.x, cy + sy - p.y, cx + sx - previous.x, cy + sy - previous.y,
                          above ? colourBelow : colourAbove);
        }
        previous = p;
    }
    SetForeColor(previous.y < 0 ? colourAbove : colourBelow);
    DrawLine(cx + sx - first.x, cy + sy - first.y, cx + previous.x + sx / 2, cy + previous.y + sy / 2);
    SetForeColor(previous.y < 1 ? colourBelow : colourAbove);
    DrawLine(cx + first.x, cy + first.y, cx + sx - previous.x, cy + sy - previous.y);
}

void DrawRotatedParabola(const int32_t* matrix, int cx, int cy, int32_t q, uint32_t colourAbove,
                         uint32_t colourBelow) {
    SetForeColor(colourBelow);
    Offset previousUpper{}, previousLower{};
    for (Fix24Angle phi = 0; phi < kPast80Degrees; phi += k4Degrees) {
        int64_t t = FixTan24(phi);
        int64_t x = ((((int64_t{1} << 24) - ((t * t) >> 24)) * q) >> 24) >> 4;
        int64_t y = ((2 * int64_t{q} * t) >> 24) >> 4;
        Offset upper = Turn(matrix, x, y, 8), lower = Turn(matrix, x, -y, 8);
        if (phi > 0) {
            SetForeColor(upper.y < 0 ? colourAbove : colourBelow);
            DrawLine(cx + upper.x, cy + upper.y, cx + previousUpper.x, cy + previousUpper.y);
            SetForeColor(lower.y < 0 ? colourAbove : colourBelow);
            DrawLine(cx + lower.x, cy + lower.y, cx + previousLower.x, cy + previousLower.y);
        }
        previousUpper = upper;
        previousLower = lower;
    }
}
