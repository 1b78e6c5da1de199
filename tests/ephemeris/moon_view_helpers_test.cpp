#include "ephemeris/moon_view_helpers.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

TEST(ReduceDegrees, IntoZeroTo360) {
    struct Case { double in, out; } cases[] = {
        {0, 0}, {-360, 0}, {360, 0}, {720, 0}, {-720, 0}, {1, 1}, {-1, 359}, {361.5, 1.5},
        {-361.5, 358.5}, {1e6, 280}, {-1e6, 80},
    };
    for (const Case& c : cases) EXPECT_NEAR(ReduceDegrees(c.in), c.out, 1e-9) << c.in;
}

TEST(ReduceRadians, IntoZeroToTwoPi) {
    const double pi = 3.141592653589793;
    struct Case { double in, out; } cases[] = {
        {0, 0}, {-2 * pi, 0}, {2 * pi, 0}, {pi, pi}, {-pi, pi}, {7.5, 7.5 - 2 * pi},
        {-0.5, 2 * pi - 0.5}, {-13.0, 6 * pi - 13.0},
    };
    for (const Case& c : cases) EXPECT_NEAR(ReduceRadians(c.in), c.out, 1e-12) << c.in;
}

// Mended: 360 minus a value below the sum's precision rounded to exactly 360.
TEST(ReduceDegrees, TinyNegativeAngleDoesNotReturnFullTurn) {
    for (double x : {-1e-20, -1e-15, -std::nextafter(0.0, -1.0)}) {
        EXPECT_LT(ReduceDegrees(x), 360.0) << x;
        EXPECT_LT(ReduceRadians(x), 6.283185307179586) << x;
        EXPECT_GE(ReduceDegrees(x), 0.0) << x;
    }
}

// Julian days of 0 h of proleptic Gregorian dates from ERFA cal2jd (astronomical
// year numbering, so year 0 is 1 BC).
TEST(JulianDayAFC, ProlepticGregorianDates) {
    struct Case { int y, m, d; double jd; } cases[] = {
        {2000, 1, 1, 2451544.5}, {1957, 10, 4, 2436115.5}, {1987, 1, 27, 2446822.5},
        {1987, 6, 19, 2446965.5}, {1988, 1, 27, 2447187.5}, {1900, 1, 1, 2415020.5},
        {1600, 1, 1, 2305447.5}, {1600, 12, 31, 2305812.5}, {1000, 1, 1, 2086302.5},
        {1, 1, 1, 1721425.5}, {0, 3, 1, 1721119.5}, {-100, 3, 1, 1684594.5},
        {-1000, 7, 12, 1356009.5}, {-4712, 1, 1, 37.5},
    };
    for (const Case& c : cases) EXPECT_EQ(JulianDayAFC(c.y, c.m, c.d), c.jd) << c.y;
}

}  // namespace
