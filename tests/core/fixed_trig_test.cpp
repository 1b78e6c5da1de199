#include "core/fixed_trig.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <random>
#include <utility>
#include <vector>

namespace {

constexpr double kUnit = 1.0 / 16777216.0;  // one 8.24 unit, and a Fix24Angle unit in radians
constexpr int32_t kDegree = 292817;         // whole degrees as the drawing code passes them

double ToDouble(int32_t v) { return v * kUnit; }
Fix24Angle ToFix(double radians) { return static_cast<Fix24Angle>(std::lround(radians * 16777216.0)); }

// (cosine, sine) of FixSinCos24.
std::pair<int32_t, int32_t> CosSin24(Fix24Angle a) {
    int32_t cs = -1, sn = -1;
    FixSinCos24(a, &cs, &sn);
    return {cs, sn};
}

// Row-major 3x3 product in double precision.
void Mul3(const double* a, const double* b, double* c) {
    for (int i = 0; i < 9; ++i) {
        const double* row = a + i / 3 * 3;
        c[i] = row[0] * b[i % 3] + row[1] * b[3 + i % 3] + row[2] * b[6 + i % 3];
    }
}

// Exact integers quoted for the kernels' edge cases: unit results exceed 2^24 by a few units;
// the positive x axis is two units below a full turn, the other axes and the diagonal within
// three units of the program's quarter, half and three-quarter turns and of half its quarter.
TEST(FixedTrig, QuotedExactValues) {
    using P = std::pair<int32_t, int32_t>;
    EXPECT_EQ(CosSin24(0), (P{16777218, 0}));
    EXPECT_EQ(CosSin24(26353589), (P{2, 16777217}));
    EXPECT_EQ(CosSin24(-26353589), (P{-2, -16777217}));
    EXPECT_EQ(FixAtan2_24(0, 0), 0);
    EXPECT_EQ(FixAtan2_24(0, 16777216), 105414354);
    const struct { int32_t y, x; Fix24Angle expected; } axes[] = {
        {16777216, 0, kFix24HalfPi}, {0, -16777216, kFix24Pi}, {-16777216, 0, kFix24ThreeHalfPi},
        {16777216, 16777216, kFix24HalfPi / 2}};
    for (const auto& c : axes) EXPECT_LE(std::abs(FixAtan2_24(c.y, c.x) - c.expected), 3) << c.y << ',' << c.x;
}

// Against libm over many turns both ways: the 25-step kernel with truncated tables stays within
// 16 units (1e-6 rad). A turn is 105414356 units (1.4 units short of 2 pi), so the reference
// angle is reduced by that turn. FixCos24 raises negative angles by whole turns, down to INT32_MIN.
TEST(FixSinCos24, AgreesWithDoublePrecision) {
    std::mt19937 rng(7);
    std::uniform_int_distribution<int32_t> angle(-4 * kFix24TwoPi, 4 * kFix24TwoPi);
    for (int i = 0; i < 20000; ++i) {
        const Fix24Angle a = angle(rng);
        const auto [cs, sn] = CosSin24(a);
        EXPECT_NEAR(ToDouble(cs), std::cos((a % kFix24TwoPi) * kUnit), 16 * kUnit) << a;
        EXPECT_NEAR(ToDouble(sn), std::sin((a % kFix24TwoPi) * kUnit), 16 * kUnit) << a;
        if (a >= 0 && a < kFix24TwoPi) {
            EXPECT_EQ(FixCos24(a), cs) << a;
            EXPECT_EQ(FixCos24(a - 3 * kFix24TwoPi), cs) << a;
        }
    }
    EXPECT_NEAR(ToDouble(FixCos24(INT32_MIN)), std::cos((INT32_MIN % kFix24TwoPi) * kUnit), 16 * kUnit);
}

// Vectors of length 1.0 and more (the shifts of the vectoring lose bits of shorter ones).
TEST(FixAtan2_24, AgreesWithDoublePrecisionInEveryQuadrant) {
    std::mt19937 rng(11);
    std::uniform_int_distribution<int32_t> coord(-200000000, 200000000);
    for (int i = 0; i < 20000; ++i) {
        const int32_t y = coord(rng), x = coord(rng);
        if (std::hypot(double(x), double(y)) < kFix24One) continue;
        const Fix24Angle got = FixAtan2_24(y, x);
        EXPECT_TRUE(got >= 0 && got < kFix24TwoPi) << got;
        EXPECT_NEAR(std::remainder(got * kUnit - std::atan2(y, x), 2 * M_PI), 0.0, 16 * kUnit) << y << ',' << x;
    }
}

// Within 80 degrees the error of the quotient grows with 1 / cos^2. Where the integer cosine
// is 0 (a few angles around the quarter turns) the tangent saturates with the sign of the
// sine instead of dividing by zero. FixPoly24 is within 2e-7 of tan x up to pi/4 (the stated
// accuracy), plus a unit of rounding.
TEST(FixTan24, AgreesWithDoublePrecisionAndSaturatesAtZeroCosine) {
    for (int deg = -80; deg <= 80; ++deg) {
        const double expected = std::tan(deg * kDegree * kUnit);
        EXPECT_NEAR(ToDouble(FixTan24(deg * kDegree)), expected, 8 * kUnit * (1 + expected * expected)) << deg;
    }
    int found[2] = {0, 0};
    for (Fix24Angle a = kFix24HalfPi - 40; a <= kFix24HalfPi + 40; ++a) {
        for (Fix24Angle angle : {a, -a}) {
            const auto [cs, sn] = CosSin24(angle);
            if (cs != 0) continue;
            ++found[sn < 0];
            EXPECT_EQ(FixTan24(angle), sn < 0 ? INT32_MIN : INT32_MAX) << angle;
        }
    }
    EXPECT_TRUE(found[0] > 0 && found[1] > 0);
    for (int i = -1000; i <= 1000; ++i) {
        const Fix24Angle x = static_cast<Fix24Angle>(i / 1000.0 * (M_PI / 4) * 16777216.0);
        EXPECT_NEAR(ToDouble(FixPoly24(x)), std::tan(x * kUnit), 2e-7 + 2 * kUnit) << x;
    }
}

// The series x + x^3/6 + 3x^5/40 + 5x^7/112 + 35x^9/1152 serves up to 0.3 (5033165), CORDIC
// above, double precision from 16441672; every path within 16 units of asin. Odd symmetry is
// exact off the series and within one unit on it (its last shift floors).
TEST(FixAsin24, PathsAgreeWithAsinAndOddSymmetry) {
    for (int i = -1000; i <= 1000; ++i) {
        const int32_t x = static_cast<int32_t>(i / 1000.0 * 16777216.0);
        const bool series = std::abs(x) <= kFix24AsinSeriesLimit;
        EXPECT_NEAR(FixAsin24(x) * kUnit, std::asin(ToDouble(x)), 16 * kUnit) << x;
        EXPECT_LE(std::abs(FixAsin24(-x) + FixAsin24(x)), series ? 1 : 0) << x;
    }
    for (int32_t x : {5033165, 5033166, 14529495, 14529496, 16441671, 16441672})
        EXPECT_NEAR(FixAsin24(x) * kUnit, std::asin(ToDouble(x)), 16 * kUnit) << x;
}

// The nine-term series was used up to sqrt(3)/2, where it falls 0.0118 rad (0.67 degrees)
// short of asin: altitudes near 60 degrees were drawn that far off and jumped at 60.
TEST(FixAsin24, NoJumpAtSixtyDegrees) {
    EXPECT_LE(std::abs(FixAsin24(14529496) - FixAsin24(14529495)), 16);
    EXPECT_NEAR(FixAsin24(14529495) * kUnit, std::asin(ToDouble(14529495)), 16 * kUnit);
}

// Unit results of FixSinCos24 exceed 2^24 by a few units; their arcsine is that of 1.0,
// not the undefined conversion of asin's not-a-number.
TEST(FixAsin24, SlightlyAboveOneGivesAQuarterTurnInsteadOfNotANumber) {
    const int32_t quarter = static_cast<int32_t>(std::asin(1.0) * 16777216.0);
    EXPECT_EQ(FixAsin24(16777218), quarter);
    EXPECT_EQ(FixAsin24(-16777218), -quarter);
    EXPECT_EQ(FixAsinLarge24(16777300), quarter);
}

// FixSinCos11 (0) is quoted as (2046, 3).
TEST(FixSinCos11, QuotedValueAndAgreementWithDoublePrecision) {
    int16_t cs = 0, sn = 0;
    FixSinCos11(0, &cs, &sn);
    EXPECT_EQ(std::pair(cs, sn), (std::pair<int16_t, int16_t>{2046, 3}));
    for (int a = -2 * kFix11TwoPi; a <= 2 * kFix11TwoPi; a += 7) {
        FixSinCos11(static_cast<int16_t>(a), &cs, &sn);
        EXPECT_NEAR(cs / 2048.0, std::cos((a % kFix11TwoPi) / 2048.0), 10 / 2048.0) << a;
        EXPECT_NEAR(sn / 2048.0, std::sin((a % kFix11TwoPi) / 2048.0), 10 / 2048.0) << a;
    }
}

// The matrix was not a rotation for a first angle other than 0 (row 2, column 1 had the sign of
// s1 c3 flipped). Now M M^T is the identity within fixed-point rounding, and M is the rotation
// Rx(a1) Ry(-a2) Rz(a3) it stands for.
TEST(FixRotationMatrix24, OrthogonalForAnyAnglesRow2Column1SignMended) {
    std::mt19937 rng(3);
    std::uniform_int_distribution<int32_t> angle(-kFix24TwoPi, kFix24TwoPi);
    for (int n = 0; n < 2000; ++n) {
        const Fix24Angle a[3] = {angle(rng), angle(rng), angle(rng)};
        double c[3], s[3], md[9], mt[9], rxy[9], ref[9], mmt[9];
        for (int k = 0; k < 3; ++k) c[k] = std::cos(a[k] * kUnit), s[k] = std::sin(a[k] * kUnit);
        const double rx[9] = {1, 0, 0, 0, c[0], s[0], 0, -s[0], c[0]};
        const double ry[9] = {c[1], 0, s[1], 0, 1, 0, -s[1], 0, c[1]}, rz[9] = {c[2], s[2], 0, -s[2], c[2], 0, 0, 0, 1};
        int32_t m[9];
        FixRotationMatrix24(m, a[0], a[1], a[2]);
        for (int i = 0; i < 9; ++i) md[i] = ToDouble(m[i]), mt[i] = ToDouble(m[3 * (i % 3) + i / 3]);
        Mul3(md, mt, mmt);
        Mul3(rx, ry, rxy);
        Mul3(rxy, rz, ref);
        for (int i = 0; i < 9; ++i) {
            EXPECT_NEAR(mmt[i], i % 4 == 0 ? 1.0 : 0.0, 64 * kUnit) << a[0] << ' ' << a[1] << ' ' << a[2];
            EXPECT_NEAR(md[i], ref[i], 32 * kUnit) << i;
        }
    }
}

// Orbit-plane axes: column 0 towards perihelion, column 1 ninety degrees ahead in the
// orbit, both in ecliptic coordinates (argument of perihelion w, node W, inclination i).
TEST(FixRotationMatrixB24, OrbitalPlaneAxes) {
    const int cases[][3] = {{0, 0, 0}, {30, 80, 10}, {250, 300, 170}, {113, 17, 90}};  // w, node, i in degrees
    for (const auto& d : cases) {
        int32_t m[9];
        FixRotationMatrixB24(m, d[0] * kDegree, d[1] * kDegree, d[2] * kDegree);
        double c[3], s[3];
        for (int k = 0; k < 3; ++k) c[k] = std::cos(d[k] * kDegree * kUnit), s[k] = std::sin(d[k] * kDegree * kUnit);
        const double p[3] = {c[0] * c[1] - s[0] * s[1] * c[2], c[0] * s[1] + s[0] * c[1] * c[2], s[0] * s[2]};
        const double q[3] = {-s[0] * c[1] - c[0] * s[1] * c[2], -s[0] * s[1] + c[0] * c[1] * c[2], c[0] * s[2]};
        for (int r = 0; r < 3; ++r) {
            EXPECT_NEAR(ToDouble(m[3 * r]), p[r], 32 * kUnit) << d[0] << ' ' << r;
            EXPECT_NEAR(ToDouble(m[3 * r + 1]), q[r], 32 * kUnit) << d[0] << ' ' << r;
            EXPECT_EQ(m[3 * r + 2], 0);
        }
    }
}

// A quarter turn about z in place: (1, 0, 0) -> (0, 1, 0) needs the old x in the second row.
// Each product rounds toward minus infinity before the sum: -1 x 0.5 unit gives -1. The
// product of two rotations agrees with the double-precision product of their entries.
TEST(FixMatrices, InPlaceVectorProductAndMatrixProduct) {
    const int32_t m[9] = {0, -kFix24One, 0, kFix24One, 0, 0, 0, 0, kFix24One};
    int32_t v[3] = {kFix24One, 0, kFix24One / 2};
    FixMatVec24(m, v);
    EXPECT_EQ(std::vector<int32_t>(v, v + 3), (std::vector<int32_t>{0, kFix24One, kFix24One / 2}));
    const int32_t half[9] = {kFix24One / 2, 0, 0, 0, 0, 0, 0, 0, 0};
    int32_t u[3] = {-1, 0, 0};
    FixMatVec24(half, u);
    EXPECT_EQ(u[0], -1);
    int32_t a[9], b[9], c[9];
    FixRotationMatrix24(a, ToFix(0.3), ToFix(-1.1), ToFix(2.0));
    FixRotationMatrix24(b, ToFix(-0.7), ToFix(0.4), ToFix(5.5));
    FixMatMul24(a, b, c);
    double ad[9], bd[9], e[9];
    for (int i = 0; i < 9; ++i) ad[i] = ToDouble(a[i]), bd[i] = ToDouble(b[i]);
    Mul3(ad, bd, e);
    for (int i = 0; i < 9; ++i) EXPECT_NEAR(ToDouble(c[i]), e[i], 3 * kUnit) << i;
}

}  // namespace
