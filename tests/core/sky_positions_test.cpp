#include "core/sky_positions.h"

#include <gtest/gtest.h>

#include <cmath>

#include "support/reference_csv.h"
#include "support/wrapped_difference.h"

namespace {

constexpr double kPi = 3.14159265358979323846;

TEST(VectorAngle, QuadrantsAndAxes) {
    const struct { double x, y, angle; } cases[] = {
        {1, 0, 0},    {1, 1, kPi / 4},       {0, 1, kPi / 2},       {-1, 1, 3 * kPi / 4}, {-1, 0, kPi},
        {-1, -1, 5 * kPi / 4}, {0, -1, 3 * kPi / 2}, {1, -1, 7 * kPi / 4}, {0, 0, 0}};
    for (const auto& c : cases) EXPECT_NEAR(VectorAngle(c.x, c.y), c.angle, 1e-13) << c.x << ',' << c.y;
}

// Right angles and opposites; two directions 1e-6 radian apart, where the cosine formula has
// only about 1e-8 of relative precision left and the small-angle formula gives it.
TEST(AngularDistanceRad, RightAnglesOppositesAndSmallAngles) {
    const struct { double ra1, dec1, ra2, dec2, angle, tol; } cases[] = {
        {0, 0, 6, 0, kPi / 2, 1e-12},   {0, 0, 12, 0, kPi, 1e-7},       {3, 90, 17, 0, kPi / 2, 1e-12},
        {0, 45, 12, 45, kPi / 2, 1e-12}, {0, 0, 1e-6 / 0.2617993877991829, 0, 1e-6, 1e-15},
        {5, 20, 5, 20 + 1e-6 * 57.29577951308232, 1e-6, 1e-15}};
    for (const auto& c : cases)
        EXPECT_NEAR(AngularDistanceRad(c.ra1, c.dec1, c.ra2, c.dec2), c.angle, c.tol) << c.ra2 << ' ' << c.dec2;
}

// Equal directions could give a cosine a hair above 1 and so acos = NaN.
TEST(AngularDistanceRad, EqualDirectionsGiveZeroNotNaN) {
    for (double ra = 0; ra < 24; ra += 0.37)
        for (double dec = -89.5; dec <= 89.5; dec += 7.3) {
            const double a = AngularDistanceRad(ra, dec, ra, dec);
            ASSERT_FALSE(std::isnan(a)) << ra << ' ' << dec;
            ASSERT_NEAR(a, 0.0, 1e-7) << ra << ' ' << dec;
        }
    EXPECT_FALSE(std::isnan(AngularDistanceRad(7, 90, 7, 90)));
}

// Against astropy's built-in ephemeris (scripts/reference/sky_positions_astropy.py).
// The Astronomical Almanac states 0.01 degree for its low-precision Sun over
// 1950-2050, and 0.3 degree in longitude and 0.2 degree in latitude for its
// Moon, whose distance formula is good to about 0.2 Earth radii. In right
// ascension and declination the Moon's two errors combine: up to
// sqrt(0.3^2 + 0.2^2) = 0.36 degree.
TEST(SkyPositions, SunAndTopocentricMoonAgreeWithAstropy) {
    auto rows = ReadReferenceCsv("sky_positions_astropy.csv");
    ASSERT_EQ(rows.size(), 40u);
    for (const auto& r : rows) {
        const double jd = r[0], lat = r[1], lst = r[3];
        double ra, dec;
        ComputeSunRaDec(jd, &ra, &dec);
        EXPECT_NEAR(WrappedDifference(ra, r[4], 24.0) * 15 * std::cos(dec * kPi / 180), 0.0, 0.01) << jd;
        EXPECT_NEAR(dec, r[5], 0.01) << jd;
        double dist;
        ComputeMoonTopocentric(jd, lst, lat, &ra, &dec, &dist);
        EXPECT_NEAR(WrappedDifference(ra, r[6], 24.0) * 15 * std::cos(dec * kPi / 180), 0.0, 0.36) << jd;
        EXPECT_NEAR(dec, r[7], 0.36) << jd;
        EXPECT_NEAR(dist, r[8], 0.25) << jd;
        EXPECT_TRUE(ra >= 0.0 && ra < 24.0) << ra;
    }
}

// The site's latitude (degrees) once went into sine and cosine as radians,
// which moved the Moon by its parallax in the wrong direction. With the Moon on
// the meridian, parallax lowers it by about p sin(phi - dec): the sites at 50 N
// and 50 S see it 2 p sin 50 cos(dec) apart, the northern one further south.
TEST(SkyPositions, MoonParallaxTookLatitudeDegreesAsRadians) {
    const double jd = 2451545.0;
    double lst = 0.0, ra, dec, dist;
    for (int i = 0; i < 4; ++i) {  // put the Moon on the meridian
        ComputeMoonTopocentric(jd, lst, 0.0, &ra, &dec, &dist);
        lst = ra;
    }
    const double p = std::asin(1.0 / dist);
    double raN, decN, raS, decS;
    ComputeMoonTopocentric(jd, lst, 50.0, &raN, &decN, &dist);
    ComputeMoonTopocentric(jd, lst, -50.0, &raS, &decS, &dist);
    const double expected = -2 * p * std::sin(50 * kPi / 180) * std::cos(dec * kPi / 180) * 180 / kPi;
    EXPECT_NEAR(decN - decS, expected, 0.02);
    EXPECT_NEAR(WrappedDifference(raN, raS, 24.0), 0.0, 1e-4);
}

}  // namespace
