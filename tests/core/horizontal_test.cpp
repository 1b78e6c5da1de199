#include "core/horizontal.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "support/reference_csv.h"
#include "support/wrapped_difference.h"

namespace {

TEST(NormalizeHours, IntoMinus12To12) {
    struct Case { double in, out; } cases[] = {
        {13, -11}, {-13, 11}, {36, 12}, {12, 12}, {-12, -12}, {25, 1}, {0, 0}, {-36, -12},
        {23.5, -0.5}, {-47.25, 0.75},
    };
    for (const Case& c : cases) EXPECT_DOUBLE_EQ(NormalizeHours(c.in), c.out) << c.in;
}

// On the meridian a star culminates at 90 - |lat - dec|, due south when it
// passes south of the zenith and due north otherwise.
TEST(Horizontal, MeridianTransit) {
    EXPECT_NEAR(ComputeAltitude(5.0, 5.0, 10.0, 40.0), 60.0, 1e-9);
    EXPECT_NEAR(ComputeAzimuth(5.0, 5.0, 10.0, 40.0), 180.0, 1e-9);
    EXPECT_NEAR(ComputeAltitude(5.0, 5.0, 70.0, 40.0), 60.0, 1e-9);
    EXPECT_NEAR(ComputeAzimuth(5.0, 5.0, 70.0, 40.0), 0.0, 1e-9);
    EXPECT_NEAR(ComputeAltitude(17.0, 5.0, 70.0, 40.0), 20.0, 1e-9);  // lower: lat + dec - 90
    EXPECT_NEAR(ComputeAzimuth(17.0, 5.0, 70.0, 40.0), 0.0, 1e-9);
}

// Seen from the equator, a point of the celestial equator six hours west of
// the meridian sets due west; six hours east it rises due east.
TEST(Horizontal, EquatorSixHoursFromTheMeridian) {
    EXPECT_NEAR(ComputeAltitude(12.0, 6.0, 0.0, 0.0), 0.0, 1e-9);
    EXPECT_NEAR(ComputeAzimuth(12.0, 6.0, 0.0, 0.0), 270.0, 1e-9);
    EXPECT_NEAR(ComputeAltitude(0.0, 6.0, 0.0, 0.0), 0.0, 1e-9);
    EXPECT_NEAR(ComputeAzimuth(0.0, 6.0, 0.0, 0.0), 90.0, 1e-9);
}

// Meeus, Astronomical Algorithms, example 13.b: Venus from Washington,
// H = 64.352133 deg, dec = -6 43 11.61, lat = 38 55 17: azimuth 68.0337 from
// the south (248.0337 from the north), altitude 15.1249.
TEST(Horizontal, MeeusExample) {
    double lst = 64.352133 / 15;
    double dec = -(6 + 43 / 60.0 + 11.61 / 3600);
    double lat = 38 + 55 / 60.0 + 17 / 3600.0;
    EXPECT_NEAR(ComputeAltitude(lst, 0.0, dec, lat), 15.1249, 0.0001);
    EXPECT_NEAR(ComputeAzimuth(lst, 0.0, dec, lat), 248.0337, 0.0001);
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
        EXPECT_GE(az, 0.0);
        EXPECT_LT(az, 360.0);
    }
}

// A star on the meridian at declination = latitude passes the zenith; rounding
// can push the sine of its altitude a hair above 1.
TEST(Horizontal, ZenithPassageIsNinetyNotNaN) {
    for (int i = -9000; i <= 9000; ++i) {
        double lat = i / 100.0;
        double alt = ComputeAltitude(3.0, 3.0, lat, lat);
        ASSERT_FALSE(std::isnan(alt)) << lat;
        ASSERT_NEAR(alt, 90.0, 1e-5) << lat;
    }
}

// A star a hair west of north (azimuth 360 - 3e-15 degrees, which rounds to
// 360) must come out inside [0, 360).
TEST(Horizontal, AzimuthJustWestOfNorthIsNot360) {
    double az = ComputeAzimuth(11.9999999999, 0.0, 89.9999, 0.0);
    EXPECT_GE(az, 0.0);
    EXPECT_LT(az, 360.0);
}

}  // namespace
