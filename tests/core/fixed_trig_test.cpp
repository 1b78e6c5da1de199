#include "core/fixed_trig.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <random>

namespace {

constexpr double kUnit = 1.0 / 16777216.0;  // one 8.24 unit
constexpr double kRadPerUnit = kUnit;       // a Fix24Angle unit is 2^-24 radian

double ToDouble(int32_t v) { return v * kUnit; }
Fix24Angle ToFix(double radians) { return static_cast<Fix24Angle>(std::lround(radians * 16777216.0)); }

// Exact integers quoted for the kernels' edge cases.
TEST(FixSinCos24, QuotedExactValues) {
    struct Case {
        Fix24Angle angle;
        int32_t cosine, sine;
    } cases[] = {
        {0, 16777218, 0},
        {26353589, 2, 16777217},
        {-26353589, -2, -16777217},
    };
    for (const auto& c : cases) {
        int32_t cs = -1, sn = -1;
        FixSinCos24(c.angle, &cs, &sn);
        EXPECT_EQ(cs, c.cosine) << c.angle;
        EXPECT_EQ(sn, c.sine) << c.angle;
    }
}

// Against the libm sine and cosine over many turns both ways: the 25-step kernel with
// truncated tables stays within 16 units (1e-6 rad). A turn is 105414356 units (1.4 units short of
// 2 pi), so the reference angle is reduced by that turn.
TEST(FixSinCos24, AgreesWithDoublePrecision) {
    std::mt19937 rng(7);
    std::uniform_int_distribution<int32_t> angle(-4 * kFix24TwoPi, 4 * kFix24TwoPi);
    for (int i = 0; i < 20000; ++i) {
        Fix24Angle a = angle(rng);
        int32_t cs, sn;
        FixSinCos24(a, &cs, &sn);
        double r = (a % kFix24TwoPi) * kRadPerUnit;
        EXPECT_NEAR(ToDouble(cs), std::cos(r), 16 * kUnit) << a;
        EXPECT_NEAR(ToDouble(sn), std::sin(r), 16 * kUnit) << a;
    }
}

TEST(FixCos24, MatchesFixSinCos24BelowATurnAndRaisesNegativeAngles) {
    for (Fix24Angle a : {0, 1, 26353588, 26353589, 52707178, 79060767, 105414355}) {
        int32_t cs, sn;
        FixSinCos24(a, &cs, &sn);
        EXPECT_EQ(FixCos24(a), cs) << a;
        EXPECT_EQ(FixCos24(a - kFix24TwoPi), cs) << a;
        EXPECT_EQ(FixCos24(a - 3 * kFix24TwoPi), cs) << a;
    }
    // The most negative angle is raised by 21 turns of 105414356 units.
    EXPECT_NEAR(ToDouble(FixCos24(INT32_MIN)), std::cos((INT32_MIN % kFix24TwoPi) * kRadPerUnit),
                16 * kUnit);
}

// The quoted values: (0, 0) gives 0, the positive x axis two units below a full turn, the
// other axes and the diagonal within three units of the program's quarter, half and
// three-quarter turns and of half its quarter turn.
TEST(FixAtan2_24, AxesAndDiagonal) {
    EXPECT_EQ(FixAtan2_24(0, 0), 0);
    EXPECT_EQ(FixAtan2_24(0, 16777216), 105414354);
    struct Case {
        int32_t y, x;
        Fix24Angle expected;
    } cases[] = {
        {16777216, 0, kFix24HalfPi},
        {0, -16777216, kFix24Pi},
        {-16777216, 0, kFix24ThreeHalfPi},
        {16777216, 16777216, kFix24HalfPi / 2},
    };
    for (const auto& c : cases) {
        EXPECT_LE(std::abs(FixAtan2_24(c.y, c.x) - c.expected), 3) << c.y << ',' << c.x;
    }
}

// Vectors of length 1.0 and more (the shifts of the vectoring lose bits of shorter ones).
TEST(FixAtan2_24, AgreesWithDoublePrecisionInEveryQuadrant) {
    std::mt19937 rng(11);
    std::uniform_int_distribution<int32_t> coord(-200000000, 200000000);
    for (int i = 0; i < 20000; ++i) {
        int32_t y = coord(rng), x = coord(rng);
        if (std::hypot(double(x), double(y)) < kFix24One) continue;
        double expected = std::atan2(double(y), double(x));
        if (expected < 0) expected += 2 * M_PI;
        Fix24Angle got = FixAtan2_24(y, x);
        EXPECT_GE(got, 0);
        EXPECT_LT(got, kFix24TwoPi);
        double diff = std::remainder(got * kRadPerUnit - expected, 2 * M_PI);
        EXPECT_NEAR(diff, 0.0, 16 * kUnit) << y << ',' << x;
    }
}

TEST(FixTan24, AgreesWithDoublePrecisionUpTo80Degrees) {
    for (int deg = -80; deg <= 80; ++deg) {
        Fix24Angle a = deg * 292817;
        double expected = std::tan(a * kRadPerUnit);
        // The error of the quotient grows with 1 / cos^2.
        double tol = 8 * kUnit * (1 + expected * expected);
        EXPECT_NEAR(ToDouble(FixTan24(a)), expected, tol) << deg;
    }
}

// The integer cosine is 0 at a few angles around the quarter turns; there the tangent
// saturates with the sign of the sine instead of dividing by zero.
TEST(FixTan24, ZeroCosineSaturatesInsteadOfDividingByZero) {
    int found[2] = {0, 0};
    for (Fix24Angle centre : {kFix24HalfPi, -kFix24HalfPi}) {
        for (Fix24Angle a = centre - 40; a <= centre + 40; ++a) {
            int32_t cs, sn;
            FixSinCos24(a, &cs, &sn);
            if (cs != 0) continue;
            ++found[sn < 0];
            EXPECT_EQ(FixTan24(a), sn < 0 ? INT32_MIN : INT32_MAX) << a;
        }
    }
    EXPECT_GT(found[0], 0);
    EXPECT_GT(found[1], 0);
}

// Within 2e-7 of tan x up to pi/4 (the stated accuracy), plus a unit of rounding.
TEST(FixPoly24, TangentWithinStatedAccuracy) {
    for (int i = -1000; i <= 1000; ++i) {
        Fix24Angle x = static_cast<Fix24Angle>(i / 1000.0 * (M_PI / 4) * 16777216.0);
        EXPECT_NEAR(ToDouble(FixPoly24(x)), std::tan(x * kRadPerUnit), 2e-7 + 2 * kUnit) << x;
    }
}

// The series path stands for x + x^3/6 + 3x^5/40 + 5x^7/112 + 35x^9/1152 (evaluated here in
// double precision); it falls short of asin by up to 0.0118 rad at its limit sqrt(3)/2.
double AsinSeries(double x) {
    return x + x * x * x / 6 + 3 * std::pow(x, 5) / 40 + 5 * std::pow(x, 7) / 112 +
           35 * std::pow(x, 9) / 1152;
}

TEST(FixAsin24, AgreesWithItsSeriesAndWithDoublePrecision) {
    for (int i = -1000; i <= 1000; ++i) {
        int32_t x = static_cast<int32_t>(i / 1000.0 * 16777216.0);
        double got = FixAsin24(x) * kRadPerUnit;
        if (std::abs(x) <= 14529495) {
            EXPECT_NEAR(got, AsinSeries(ToDouble(x)), 6 * kUnit) << x;
            EXPECT_NEAR(got, std::asin(ToDouble(x)), 0.0118) << x;
        } else {
            EXPECT_NEAR(got, std::asin(ToDouble(x)), 16 * kUnit) << x;
        }
    }
}

// The path boundaries: the series up to 14529495 inclusive, CORDIC above, double precision
// from 16441672. Odd symmetry is exact off the series and within one unit on it.
TEST(FixAsin24, PathBoundariesAndOddSymmetry) {
    EXPECT_NEAR(FixAsin24(14529495) * kRadPerUnit, AsinSeries(ToDouble(14529495)), 6 * kUnit);
    for (int32_t x : {14529496, 16441671, 16441672, 16777216})
        EXPECT_NEAR(FixAsin24(x) * kRadPerUnit, std::asin(ToDouble(x)), 16 * kUnit) << x;
    for (int32_t x = 14529496; x < 16777216; x += 9973) EXPECT_EQ(FixAsin24(-x), -FixAsin24(x)) << x;
    for (int32_t x = 1; x <= 14529495; x += 9973) EXPECT_LE(std::abs(FixAsin24(-x) + FixAsin24(x)), 1) << x;
    // The series polynomial is used at the limit: its result differs from the CORDIC value one
    // unit above by the series' truncation error, far more than one unit of angle.
    EXPECT_GT(FixAsin24(14529496) - FixAsin24(14529495), 100);
    // 16441672 is exactly asin(0.98) truncated.
    EXPECT_EQ(FixAsin24(16441672),
              static_cast<int32_t>(std::asin(16441672 * 5.960464477539063e-08) * 16777216.0));
}

// Unit results of FixSinCos24 exceed 2^24 by a few units; their arcsine is that of 1.0,
// not the undefined conversion of asin's not-a-number.
TEST(FixAsin24, SlightlyAboveOneGivesAQuarterTurnInsteadOfNotANumber) {
    const int32_t quarter = static_cast<int32_t>(std::asin(1.0) * 16777216.0);
    EXPECT_EQ(FixAsin24(16777218), quarter);
    EXPECT_EQ(FixAsin24(-16777218), -quarter);
    EXPECT_EQ(FixAsinLarge24(16777300), quarter);
}

TEST(FixSinCos11, QuotedValueAndAccuracy) {
    int16_t cs = 0, sn = 0;
    FixSinCos11(0, &cs, &sn);
    EXPECT_EQ(cs, 2046);
    EXPECT_EQ(sn, 3);
    for (int a = -2 * kFix11TwoPi; a <= 2 * kFix11TwoPi; a += 7) {
        FixSinCos11(static_cast<int16_t>(a), &cs, &sn);
        double r = (a % kFix11TwoPi) / 2048.0;
        EXPECT_NEAR(cs / 2048.0, std::cos(r), 10 / 2048.0) << a;
        EXPECT_NEAR(sn / 2048.0, std::sin(r), 10 / 2048.0) << a;
    }
}

// Row-major double rotation Rx(a1) Ry(-a2) Rz(a3), the matrix the builder stands for.
void ReferenceRotation(double a1, double a2, double a3, double* m) {
    double c1 = std::cos(a1), s1 = std::sin(a1), c2 = std::cos(a2), s2 = std::sin(a2);
    double c3 = std::cos(a3), s3 = std::sin(a3);
    double rx[9] = {1, 0, 0, 0, c1, s1, 0, -s1, c1};
    double ry[9] = {c2, 0, s2, 0, 1, 0, -s2, 0, c2};
    double rz[9] = {c3, s3, 0, -s3, c3, 0, 0, 0, 1};
    double t[9];
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) {
            t[3 * i + j] = 0;
            for (int k = 0; k < 3; ++k) t[3 * i + j] += rx[3 * i + k] * ry[3 * k + j];
        }
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) {
            m[3 * i + j] = 0;
            for (int k = 0; k < 3; ++k) m[3 * i + j] += t[3 * i + k] * rz[3 * k + j];
        }
}

// The matrix was not a rotation for a first angle other than 0 (row 2, column 1 had the
// sign of s1 c3 flipped). Now M M^T is the identity within fixed-point rounding.
TEST(FixRotationMatrix24, OrthogonalForAnyAnglesRow2Column1SignMended) {
    std::mt19937 rng(3);
    std::uniform_int_distribution<int32_t> angle(-kFix24TwoPi, kFix24TwoPi);
    for (int n = 0; n < 2000; ++n) {
        Fix24Angle a1 = angle(rng), a2 = angle(rng), a3 = angle(rng);
        int32_t m[9];
        FixRotationMatrix24(m, a1, a2, a3);
        for (int i = 0; i < 3; ++i)
            for (int j = 0; j < 3; ++j) {
                double dot = 0;
                for (int k = 0; k < 3; ++k) dot += ToDouble(m[3 * i + k]) * ToDouble(m[3 * j + k]);
                EXPECT_NEAR(dot, i == j ? 1.0 : 0.0, 64 * kUnit) << a1 << ' ' << a2 << ' ' << a3;
            }
        double ref[9];
        ReferenceRotation(a1 * kRadPerUnit, a2 * kRadPerUnit, a3 * kRadPerUnit, ref);
        for (int i = 0; i < 9; ++i) EXPECT_NEAR(ToDouble(m[i]), ref[i], 32 * kUnit) << i;
    }
}

// Orbit-plane axes: column 0 towards perihelion, column 1 ninety degrees ahead in the
// orbit, both in ecliptic coordinates (argument of perihelion w, node W, inclination i).
TEST(FixRotationMatrixB24, OrbitalPlaneAxes) {
    struct Case {
        int w, node, incl;  // whole degrees, as the orbit view passes them
    } cases[] = {{0, 0, 0}, {30, 80, 10}, {250, 300, 170}, {113, 17, 90}};
    for (const auto& c : cases) {
        int32_t m[9];
        FixRotationMatrixB24(m, c.w * 292817, c.node * 292817, c.incl * 292817);
        double w = c.w * 292817 * kRadPerUnit, o = c.node * 292817 * kRadPerUnit,
               i = c.incl * 292817 * kRadPerUnit;
        double px[3] = {std::cos(w) * std::cos(o) - std::sin(w) * std::sin(o) * std::cos(i),
                        std::cos(w) * std::sin(o) + std::sin(w) * std::cos(o) * std::cos(i),
                        std::sin(w) * std::sin(i)};
        double qx[3] = {-std::sin(w) * std::cos(o) - std::cos(w) * std::sin(o) * std::cos(i),
                        -std::sin(w) * std::sin(o) + std::cos(w) * std::cos(o) * std::cos(i),
                        std::cos(w) * std::sin(i)};
        for (int r = 0; r < 3; ++r) {
            EXPECT_NEAR(ToDouble(m[3 * r]), px[r], 32 * kUnit) << c.w << ' ' << r;
            EXPECT_NEAR(ToDouble(m[3 * r + 1]), qx[r], 32 * kUnit) << c.w << ' ' << r;
            EXPECT_EQ(m[3 * r + 2], 0);
        }
    }
}

TEST(FixMatVec24, InPlaceProductUsesTheOldVector) {
    // A quarter turn about z: (1, 0, 0) -> (0, 1, 0) needs the old x in the second row.
    const int32_t m[9] = {0, -kFix24One, 0, kFix24One, 0, 0, 0, 0, kFix24One};
    int32_t v[3] = {kFix24One, 0, kFix24One / 2};
    FixMatVec24(m, v);
    EXPECT_EQ(v[0], 0);
    EXPECT_EQ(v[1], kFix24One);
    EXPECT_EQ(v[2], kFix24One / 2);
    // Each product rounds toward minus infinity before the sum: -1 x 0.5 unit gives -1.
    const int32_t half[9] = {kFix24One / 2, 0, 0, 0, 0, 0, 0, 0, 0};
    int32_t u[3] = {-1, 0, 0};
    FixMatVec24(half, u);
    EXPECT_EQ(u[0], -1);
}

TEST(FixMatMul24, MatchesDoubleProduct) {
    int32_t a[9], b[9], c[9];
    FixRotationMatrix24(a, ToFix(0.3), ToFix(-1.1), ToFix(2.0));
    FixRotationMatrix24(b, ToFix(-0.7), ToFix(0.4), ToFix(5.5));
    FixMatMul24(a, b, c);
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) {
            double e = 0;
            for (int k = 0; k < 3; ++k) e += ToDouble(a[3 * i + k]) * ToDouble(b[3 * k + j]);
            EXPECT_NEAR(ToDouble(c[3 * i + j]), e, 3 * kUnit);
        }
}

}  // namespace
