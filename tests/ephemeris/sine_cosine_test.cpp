// SineCosine (ephemeris/sine_cosine.h) against the C library's sine and cosine.
#include "ephemeris/sine_cosine.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

// Angles of each kind the series evaluations give it: small ones, the quadrant edges (where
// the reduction switches branch), long multiples of a mean motion up to 1e5 radians, negative
// ones, and those left to the library (1e6 and more, infinities, NaN). Within 4e-16 absolute
// of the C library (a couple of units in the last place).
TEST(SineCosine, AgreesWithTheLibrary) {
    const double halfPi = 1.5707963267948966;
    const double cases[] = {0.0,        -0.0,          1e-300,        0.3,         -0.785398163397,
                            0.785398163398, halfPi,    -halfPi,        3.141592653589793, 4.71238898038469,
                            6.283185307179586, 611.27, -611.27,        2 * 69613.0 * 0.0088, 99999.9,
                            -123456.789, 999999.0,     1e6,            -3.5e7,      1e300};
    for (double x : cases) {
        double s = 7, c = 7;
        SineCosine(x, &s, &c);
        EXPECT_NEAR(s, std::sin(x), 4e-16) << x;
        EXPECT_NEAR(c, std::cos(x), 4e-16) << x;
    }
    for (int i = -20000; i <= 20000; ++i) {
        const double x = i * 0.0123456789 * (1 + (i & 7));
        double s, c;
        SineCosine(x, &s, &c);
        ASSERT_NEAR(s, std::sin(x), 4e-16) << x;
        ASSERT_NEAR(c, std::cos(x), 4e-16) << x;
    }
}

TEST(SineCosine, NonFiniteAnglesGiveNaN) {
    const double cases[] = {std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity(),
                            std::numeric_limits<double>::quiet_NaN()};
    for (double x : cases) {
        double s = 0, c = 0;
        SineCosine(x, &s, &c);
        EXPECT_TRUE(std::isnan(s) && std::isnan(c)) << x;
    }
}

}  // namespace
