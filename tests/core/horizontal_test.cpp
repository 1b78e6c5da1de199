#include "core/horizontal.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "support/reference_csv.h"
#include "support/wrapped_difference.h"

namespace {

TEST(NormalizeHours, IntoMinus12To12) {
    const struct { double in, out; } cases[] = {{13, -11}, {-13, 11}, {36, 12},    {12, 12},      {-12, -12},
                                                {25, 1},   {0, 0},    {-36, -12}, {23.5, -0.5}, {-47.25, 0.75}};
    for (const auto& c : cases) EXPECT_DOUBLE_EQ(NormalizeHours(c.in), c.out) << c.in;
}

// On the meridian a star culminates at 90 - |lat - dec|, due south when it passes south of the
// zenith and due north otherwise (lower culmination: lat + dec - 90). Seen from the equator, a
// point of the celestial equator six hours west of the meridian sets due west, six hours east
// it rises due east. Meeus, Astronomical Algorithms, example 13.b: Venus from Washington,
// H = 64.352133 deg, dec = -6 43 11.61, lat = 38 55 17: azimuth 248.0337 from the north,
// altitude 15.1249 (tolerance: the book's last digit).
TEST(Horizontal, MeridianSixHoursAndMeeusExample) {
    const struct { double lst, ra, dec, lat, alt, az, tol; } cases[] = {
        {5, 5, 10, 40, 60, 180, 1e-9},  {5, 5, 70, 40, 60, 0, 1e-9},  {17, 5, 70, 40, 20, 0, 1e-9},
        {12, 6, 0, 0, 0, 270, 1e-9},    {0, 6, 0, 0, 0, 90, 1e-9},
        {64.352133 / 15, 0, -(6 + 43 / 60.0 + 11.61 / 3600), 38 + 55 / 60.0 + 17 / 3600.0, 15.1249, 248.0337, 1e-4},
    };
    for (const auto& c : cases) {
        EXPECT_NEAR(ComputeAltitude(c.lst, c.ra, c.dec, c.lat), c.alt, c.tol) << c.lst << ' ' << c.dec;
        EXPECT_NEAR(ComputeAzimuth(c.lst, c.ra, c.dec, c.lat), c.az, c.tol) << c.lst << ' ' << c.dec;
    }
}

// ERFA hd2ae over the whole sphere (scripts/reference/sidereal_horizontal_erfa.py).
TEST(Horizontal, MatchesErfaHd2ae) {
    auto rows = ReadReferenceCsv("horizontal_erfa.csv");
    ASSERT_EQ(rows.size(), 300u);
    for (const auto& r : rows) {
        double alt = ComputeAltitude(r[0], r[1], r[2], r[3]);
        double az = ComputeAzimuth(r[0], r[1], r[2], r[3]);
        EXPECT_NEAR(alt, r[4], 1e-8) << r[0] << ' ' << r[1] << ' ' << r[2] << ' ' << r[3];
        // Azimuth is ill-defined near the zenith: allow for it as 1/cos(alt).
        double cosAlt = std::max(std::cos(alt * 0.0174532925199433), 1e-6);
        EXPECT_NEAR(WrappedDifference(az, r[5], 360.0), 0.0, 1e-8 / cosAlt);
        EXPECT_TRUE(az >= 0.0 && az < 360.0) << az;
    }
}

// A star on the meridian at declination = latitude passes the zenith; rounding can push the
// sine of its altitude a hair above 1. A star a hair west of north (azimuth 360 - 3e-15
// degrees, which rounds to 360) must come out inside [0, 360).
TEST(Horizontal, ZenithPassageIsNinetyNotNaNAndAzimuthNever360) {
    for (int i = -9000; i <= 9000; ++i) {
        double lat = i / 100.0;
        double alt = ComputeAltitude(3.0, 3.0, lat, lat);
        ASSERT_FALSE(std::isnan(alt)) << lat;
        ASSERT_NEAR(alt, 90.0, 1e-5) << lat;
    }
    double az = ComputeAzimuth(11.9999999999, 0.0, 89.9999, 0.0);
    EXPECT_TRUE(az >= 0.0 && az < 360.0) << az;
}

}  // namespace
