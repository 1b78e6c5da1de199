// The angle helpers of the satellite propagators against the C library's sine
// and cosine, and Kepler's equation solved from the sine and cosine of u.
#include "orbits/satellite_math.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "orbits/satellite_propagation.h"

namespace {

constexpr double kStep = 6.283185307179586 / 512;  // spacing of the table

// Table entries, midpoints between them (the largest remainder, either way of
// the rounding), the wrap at 0 and 2 pi, negative angles, many turns (a mean
// anomaly after months) and 1e6 and beyond (SineCosine's part): within 3e-16
// of the library (a couple of units in the last place).
TEST(TabulatedSineCosine, AgreesWithTheLibrary) {
    const double cases[] = {0.0,          -0.0,           37 * kStep,     37.5 * kStep,      37.5 * kStep + 1e-15,
                            -37.5 * kStep, 1.5707963267948966, 3.141592653589793, 6.283185307179586, -1e-3,
                            -6.2831,      12345.678,      -98765.4321,    999999.9,          1e6,
                            -3.5e7};
    for (double x : cases) {
        double s = 7, c = 7;
        TabulatedSineCosine(x, &s, &c);
        EXPECT_NEAR(s, std::sin(x), 3e-16) << x;
        EXPECT_NEAR(c, std::cos(x), 3e-16) << x;
    }
    for (int i = -30000; i <= 30000; ++i) {
        const double x = i * 0.0173205080757 * (1 + (i & 15));
        double s, c;
        TabulatedSineCosine(x, &s, &c);
        ASSERT_NEAR(s, std::sin(x), 3e-16) << x;
        ASSERT_NEAR(c, std::cos(x), 3e-16) << x;
    }
    const double nan = std::numeric_limits<double>::quiet_NaN(), inf = std::numeric_limits<double>::infinity();
    for (double x : {nan, inf, -inf}) {
        double s = 0, c = 0;
        TabulatedSineCosine(x, &s, &c);
        EXPECT_TRUE(std::isnan(s) && std::isnan(c)) << x;
    }
}

// a + d on both sides of 0.01, where the series gives way to SineCosine.
TEST(AddAngle, SeriesAndLibraryMeet) {
    const double a = 0.75;
    for (double d : {0.0, 1e-9, -1e-3, 0.0099999, -0.0099999, 0.01, -0.0100001, 0.5, -3.0}) {
        double s, c;
        AddAngle(std::sin(a), std::cos(a), d, &s, &c);
        EXPECT_NEAR(s, std::sin(a + d), 4e-16) << d;
        EXPECT_NEAR(c, std::cos(a + d), 4e-16) << d;
    }
}

// From the sine and cosine of u the solver takes the steps it takes from u
// itself, whatever turn u is given in, and x = u + offset satisfies Kepler's
// equation u = x - axN sin x + ayN cos x to the square of the 1e-6 step.
TEST(SolveSatelliteKeplerAt, SameStepsAsFromTheAngle) {
    struct {
        double u, axN, ayN;
    } cases[] = {{1.0, 0.01, 0.005}, {6.28, 0.3, -0.2}, {-2.5, -0.05, 0.6}, {0.06283185307179587, 0.99, 0.0}};
    for (const auto& c : cases) {
        for (double turn : {0.0, 2 * 3.141592653589793, -20 * 3.141592653589793}) {
            double x, offset, sinX, cosX;
            int steps = SolveSatelliteKepler(c.u, c.axN, c.ayN, &x, &sinX, &cosX);
            int stepsAt = SolveSatelliteKeplerAt(std::sin(c.u + turn), std::cos(c.u + turn), c.axN, c.ayN, &offset,
                                                 &sinX, &cosX);
            EXPECT_EQ(stepsAt, steps) << c.u << " " << turn;
            if (steps == 10) continue;
            double y = c.u + offset;
            EXPECT_NEAR(c.u, y - c.axN * std::sin(y) + c.ayN * std::cos(y), 1e-11) << c.u << " " << turn;
        }
    }
}

}  // namespace
