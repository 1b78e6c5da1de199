#include "ephemeris/moon_view_helpers.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

// Mended: results lie in [0, 360) and [0, 2 pi); 360 minus a value below the sum's precision
// rounded to exactly 360.
TEST(ReduceDegrees, TinyNegativeAngleDoesNotReturnFullTurn) {
    const double degrees[][2] = {{-360, 0}, {720, 0}, {-1, 359}, {-361.5, 358.5}, {1e6, 280}, {-1e6, 80}};
    for (const auto& c : degrees) EXPECT_NEAR(ReduceDegrees(c[0]), c[1], 1e-9) << c[0];
    EXPECT_NEAR(ReduceRadians(-13.0), 6 * M_PI - 13.0, 1e-12);
    EXPECT_NEAR(ReduceRadians(2 * M_PI), 0.0, 1e-12);
    for (double x : {-1e-20, -1e-15, -std::nextafter(0.0, -1.0)}) {
        EXPECT_TRUE(ReduceDegrees(x) >= 0.0 && ReduceDegrees(x) < 360.0) << x;
        EXPECT_LT(ReduceRadians(x), 2 * M_PI) << x;
    }
}

// Julian days of 0 h of proleptic Gregorian dates from ERFA cal2jd (astronomical year
// numbering, so year 0 is 1 BC).
TEST(JulianDayAFC, ProlepticGregorianDates) {
    struct Case { int y, m, d; double jd; } cases[] = {
        {2000, 1, 1, 2451544.5}, {1957, 10, 4, 2436115.5}, {1987, 6, 19, 2446965.5},
        {1600, 12, 31, 2305812.5}, {1, 1, 1, 1721425.5}, {0, 3, 1, 1721119.5},
        {-100, 3, 1, 1684594.5}, {-4712, 1, 1, 37.5},
    };
    for (const Case& c : cases) EXPECT_EQ(JulianDayAFC(c.y, c.m, c.d), c.jd) << c.y;
}

}  // namespace
