#include "core/fixed_trig.h"

#include <cmath>
#include <cstdlib>
#include <limits>

CordicWork cordicWork;

// atan(2^-i) for i = 0..24, 8.24, mostly rounded down.
const int32_t kCircular24[25] = {
    13176794, 7778716, 4110059, 2086330, 1047213, 524117, 262122, 131069, 65535,
    32767,    16383,   8192,    4096,    2048,    1024,  512,    256,    128,
    64,       32,      16,      8,       4,       2,     1};

// atanh(2^-i) for i = 1..24, 8.24 (index 0 unused).
const int32_t kHyperbolic24[25] = {
    0,     9215827, 4285115, 2108178, 1049944, 524458, 262165, 131074, 65536,
    32768, 16384,   8192,    4096,    2048,    1024,   512,    256,    128,
    64,    32,      16,      8,       4,       2,      1};

namespace {

// atan(2^-i) for i = 0..11, 5.11.
constexpr int16_t kCircular11[12] = {1608, 949, 501, 254, 127, 63, 31, 15, 7, 3, 1, 1};

constexpr int16_t kFix11HalfPi = 3217;
constexpr int16_t kFix11Pi = 6434;
constexpr int16_t kFix11ThreeHalfPi = 9651;
constexpr int16_t kFix11RotationGain = 1243;

int32_t Neg(int32_t a) { return WrapSub(0, a); }

int16_t Wrap16(int32_t v) { return static_cast<int16_t>(static_cast<uint16_t>(v)); }

void StoreWork(int32_t x, int32_t y, int32_t z) {
    cordicWork.x = x;
    cordicWork.y = y;
    cordicWork.z = z;
}

// The 25 circular steps: rotation mode turns (x, y) by z (the step goes counter-clockwise while
// z >= 0); vectoring mode drives y to 0 (counter-clockwise while y <= 0), accumulating the
// angle in z. Returns the final x.
int32_t CircularKernel(int32_t x, int32_t y, int32_t z, bool vectoring) {
    for (int i = 0; i <= 24; ++i) {
        int32_t dx = y >> i;
        int32_t dy = x >> i;
        if (vectoring ? y <= 0 : z >= 0) {
            x = WrapSub(x, dx);
            y = WrapAdd(y, dy);
            z = WrapSub(z, kCircular24[i]);
        } else {
            x = WrapAdd(x, dx);
            y = WrapSub(y, dy);
            z = WrapAdd(z, kCircular24[i]);
        }
    }
    StoreWork(x, y, z);
    return x;
}

// A negative angle raised by whole turns to its smallest non-negative equivalent.
int32_t RaiseToPositiveTurn(int32_t angle) {
    if (angle >= 0) return angle;
    uint32_t magnitude = static_cast<uint32_t>(-static_cast<int64_t>(angle));
    uint32_t turns = (magnitude - 1) / static_cast<uint32_t>(kFix24TwoPi) + 1;
    return WrapAdd(angle, static_cast<int32_t>(turns * static_cast<uint32_t>(kFix24TwoPi)));
}

// Cosine and sine of an angle in [0, 2 pi] (and beyond, unreduced) by quadrant.
void QuadrantSinCos24(int32_t r, int32_t* cosine, int32_t* sine) {
    if (r < kFix24HalfPi) {
        CordicRotate24(kFix24RotationGain, 0, r);
        *cosine = cordicWork.x;
        *sine = cordicWork.y;
    } else if (r < kFix24Pi) {
        CordicRotate24(kFix24RotationGain, 0, WrapSub(kFix24Pi, r));
        *cosine = Neg(cordicWork.x);
        *sine = cordicWork.y;
    } else if (r < kFix24ThreeHalfPi) {
        CordicRotate24(kFix24RotationGain, 0, WrapSub(kFix24ThreeHalfPi, r));
        *cosine = Neg(cordicWork.y);
        *sine = Neg(cordicWork.x);
    } else {
        CordicRotate24(kFix24RotationGain, 0, WrapSub(kFix24TwoPi, r));
        *cosine = cordicWork.x;
        *sine = Neg(cordicWork.y);
    }
}

}  // namespace

int32_t CordicRotate24(int32_t x, int32_t y, int32_t z) { return CircularKernel(x, y, z, false); }

int32_t CordicVector24(int32_t x, int32_t y, int32_t z) { return CircularKernel(x, y, z, true); }

void CordicHyperbolicVector24(int32_t x, int32_t y, int32_t z) {
    for (int i = 1; i <= 24; ++i) {
        int repeats = (i == 4 || i == 13) ? 2 : 1;
        for (int r = 0; r < repeats; ++r) {
            int32_t dx = y >> i;
            int32_t dy = x >> i;
            if (y > 0) {
                x = WrapSub(x, dx);
                y = WrapSub(y, dy);
                z = WrapAdd(z, kHyperbolic24[i]);
            } else {
                x = WrapAdd(x, dx);
                y = WrapAdd(y, dy);
                z = WrapSub(z, kHyperbolic24[i]);
            }
        }
    }
    StoreWork(x, y, z);
}

void CordicRotate11(int16_t x, int16_t y, int16_t z) {
    for (int i = 0; i <= 11; ++i) {
        int16_t dx = static_cast<int16_t>(y >> i);
        int16_t dy = static_cast<int16_t>(x >> i);
        if (z >= 0) {
            x = Wrap16(x - dx);
            y = Wrap16(y + dy);
            z = Wrap16(z - kCircular11[i]);
        } else {
            x = Wrap16(x + dx);
            y = Wrap16(y - dy);
            z = Wrap16(z + kCircular11[i]);
        }
    }
    StoreWork(x, y, z);
}

void FixSinCos24(Fix24Angle angle, int32_t* cosine, int32_t* sine) {
    int32_t r = angle % kFix24TwoPi;  // truncated division: r keeps the sign of angle
    if (r < 0) r += kFix24TwoPi;
    QuadrantSinCos24(r, cosine, sine);
}

int32_t FixCos24(Fix24Angle angle) {
    int32_t cosine = 0;
    int32_t sine = 0;
    QuadrantSinCos24(RaiseToPositiveTurn(angle), &cosine, &sine);
    return cosine;
}

Fix24Angle FixAtan2_24(int32_t y, int32_t x) {
    if (x == 0 && y == 0) return 0;
    int32_t angle;
    if (x < 0) {
        CordicVector24(Neg(x), y, 0);
        angle = WrapSub(y > 0 ? kFix24Pi : -kFix24Pi, cordicWork.z);
    } else {
        CordicVector24(x, y, 0);
        angle = cordicWork.z;
    }
    return RaiseToPositiveTurn(angle);
}

int32_t FixTan24(Fix24Angle angle) {
    FixSinCos24(angle, &cordicWork.spareCosine, &cordicWork.spareSine);
    int64_t sine = cordicWork.spareSine;
    int64_t cosine = cordicWork.spareCosine;
    if (cosine == 0) {
        return sine < 0 ? std::numeric_limits<int32_t>::min()
                        : std::numeric_limits<int32_t>::max();
    }
    return static_cast<int32_t>(sine * kFix24One / cosine);
}

int32_t FixPoly24(Fix24Angle x) {
    static constexpr int32_t kCoefficients[6] = {48663, 412134, 895468, 2237953, 5592373,
                                                 16777216};
    int32_t t = FixMul24(x, x);
    int32_t p = 159666;
    for (int32_t c : kCoefficients) p = WrapAdd(FixMul24(p, t), c);
    return FixMul24(p, x);
}

Fix24Angle FixAsin24(int32_t x) {
    // The nine-term series falls short of asin by x^11 terms: 2e-7 at 0.3 but 0.0118 rad at
    // sqrt(3)/2, a jump of 0.67 degrees where the CORDIC path takes over. It is used only up to
    // 0.3; the CORDIC path, within 16 units everywhere below 0.98, takes the rest.
    if (std::abs(static_cast<int64_t>(x)) <= kFix24AsinSeriesLimit) {
        int32_t t = FixMul24(x, x);
        int32_t p = WrapAdd(FixMul24(t, 509724), 748982);
        p = WrapAdd(FixMul24(p, t), 1258291);
        p = WrapAdd(FixMul24(p, t), 2796202);
        p = WrapAdd(FixMul24(p, t), kFix24One);
        return FixMul24(p, x);
    }
    int32_t magnitude = x < 0 ? Neg(x) : x;
    Fix24Angle a = FixAsinLarge24(magnitude);
    return x < 0 ? Neg(a) : a;
}

Fix24Angle FixAsinLarge24(int32_t x) {
    if (x >= 16441672) {
        double s = std::fmin(x * 5.960464477539063e-08, 1.0);
        return static_cast<int32_t>(std::asin(s) * 16777216.0);
    }
    int32_t magnitude = x < 0 ? Neg(x) : x;
    int32_t t = FixMul24(magnitude, magnitude);
    CordicHyperbolicVector24(WrapAdd(WrapSub(kFix24One, t), 6115511), WrapSub(WrapSub(kFix24One, t), 6115511), 0);
    CordicVector24(cordicWork.x, magnitude, 0);
    return x < 0 ? Neg(cordicWork.z) : cordicWork.z;
}

void FixSinCos11(int16_t angle, int16_t* cosine, int16_t* sine) {
    int16_t r = Wrap16(angle % kFix11TwoPi);
    if (r < 0) r = Wrap16(r + kFix11TwoPi);
    if (r < kFix11HalfPi) {
        CordicRotate11(kFix11RotationGain, 0, r);
        *cosine = Wrap16(cordicWork.x);
        *sine = Wrap16(cordicWork.y);
    } else if (r < kFix11Pi) {
        CordicRotate11(kFix11RotationGain, 0, Wrap16(kFix11Pi - r));
        *cosine = Wrap16(-cordicWork.x);
        *sine = Wrap16(cordicWork.y);
    } else if (r < kFix11ThreeHalfPi) {
        CordicRotate11(kFix11RotationGain, 0, Wrap16(kFix11ThreeHalfPi - r));
        *cosine = Wrap16(-cordicWork.y);
        *sine = Wrap16(-cordicWork.x);
    } else {
        CordicRotate11(kFix11RotationGain, 0, Wrap16(kFix11TwoPi - r));
        *cosine = Wrap16(cordicWork.x);
        *sine = Wrap16(-cordicWork.y);
    }
}

void FixMatVec24(const int32_t* m, int32_t* v) {
    int32_t w[3];
    for (int r = 0; r < 3; ++r) {
        w[r] = WrapAdd(WrapAdd(FixMul24(m[3 * r], v[0]), FixMul24(m[3 * r + 1], v[1])),
                   FixMul24(m[3 * r + 2], v[2]));
    }
    for (int r = 0; r < 3; ++r) v[r] = w[r];
}

void FixMatMul24(const int32_t* a, const int32_t* b, int32_t* c) {
    for (int i = 0; i < 3; ++i) {
        for (int j = 0; j < 3; ++j) {
            c[3 * i + j] = WrapAdd(WrapAdd(FixMul24(a[3 * i], b[j]), FixMul24(a[3 * i + 1], b[3 + j])),
                               FixMul24(a[3 * i + 2], b[6 + j]));
        }
    }
}

void FixRotationMatrix24(int32_t* m, Fix24Angle a1, Fix24Angle a2, Fix24Angle a3) {
    int32_t c1, s1, c2, s2, c3, s3;
    FixSinCos24(a1, &c1, &s1);
    FixSinCos24(a2, &c2, &s2);
    FixSinCos24(a3, &c3, &s3);
    int32_t a = FixMul24(s2, s1);
    int32_t b = FixMul24(s2, c1);
    m[0] = FixMul24(c2, c3);
    m[1] = FixMul24(c2, s3);
    m[2] = s2;
    m[3] = Neg(WrapAdd(FixMul24(a, c3), FixMul24(c1, s3)));
    m[4] = WrapSub(FixMul24(c1, c3), FixMul24(a, s3));
    m[5] = FixMul24(s1, c2);
    m[6] = WrapSub(FixMul24(s1, s3), FixMul24(b, c3));
    // -(s1 c3 + c1 s2 s3): the sign that makes the matrix a rotation for every a1.
    m[7] = Neg(WrapAdd(FixMul24(s1, c3), FixMul24(b, s3)));
    m[8] = FixMul24(c1, c2);
}

void FixRotationMatrixB24(int32_t* m, Fix24Angle a1, Fix24Angle a2, Fix24Angle a3) {
    int32_t c0, s0, c1, s1, c2, s2, c3, s3;
    FixSinCos24(0, &c0, &s0);
    FixSinCos24(a1, &c1, &s1);
    FixSinCos24(a2, &c2, &s2);
    FixSinCos24(a3, &c3, &s3);
    int32_t c1s2 = FixMul24(s2, c1);
    int32_t p = WrapAdd(FixMul24(FixMul24(s1, c3), c2), c1s2);
    int32_t q = WrapSub(FixMul24(FixMul24(c1, c3), c2), FixMul24(s1, s2));
    int32_t s1s3 = FixMul24(s1, s3);
    int32_t c1s3 = FixMul24(c1, s3);
    m[0] = WrapSub(FixMul24(c1, c2), FixMul24(FixMul24(s1, s2), c3));
    m[1] = Neg(WrapAdd(FixMul24(c1s2, c3), FixMul24(s1, c2)));
    m[2] = 0;
    m[3] = WrapSub(FixMul24(p, c0), FixMul24(s1s3, s0));
    m[4] = WrapSub(FixMul24(q, c0), FixMul24(c1s3, s0));
    m[5] = 0;
    m[6] = WrapAdd(FixMul24(s1s3, c0), FixMul24(p, s0));
    m[7] = WrapAdd(FixMul24(c1s3, c0), FixMul24(q, s0));
    m[8] = 0;
}
