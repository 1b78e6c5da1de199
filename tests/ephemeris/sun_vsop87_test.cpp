#include "ephemeris/sun_vsop87.h"

#include <gtest/gtest.h>

#include <cmath>

#include "ephemeris/ephemeris_work.h"
#include "support/reference_csv.h"
#include "support/wrapped_difference.h"

namespace {

constexpr double kRadToDeg = 57.29577951308232;
constexpr double kArcsec = 1.0 / 3600;  // degrees

double CenturiesFromJ2000(double jd) { return (jd - 2451545.0) / 36525; }

// Meeus, Astronomical Algorithms, example 25.b: 1992 October 13, 0h TD, with the abridged
// series: L = -43.63484796 rad = 19.907372 deg, B = -0.00000312 rad, R = 0.99760775 AU.
TEST(ComputeEarthLongitude, MeeusExample25b) {
    double t = CenturiesFromJ2000(2448908.5);
    EXPECT_NEAR(ComputeEarthLongitude(t), 19.907372, 1e-6);
}

TEST(ComputeGeometricSun, MeeusExample25b) {
    double t = CenturiesFromJ2000(2448908.5);
    double lon, lat, r;
    ComputeGeometricSun(t, &lon, &lat, &r);
    // Theta = L + 180 = 199.907372 deg; the FK5 correction (-0.09033") gives 199.907347 deg.
    EXPECT_NEAR(lon * kRadToDeg, 199.907347, 1e-6);
    // beta = -B = +0.6436" (+-0.002" for the book's rounding), then the FK5 correction
    // 0.03916" (cos - sin) of lambda' = 199.906 deg: -0.0234".
    EXPECT_NEAR(lat * kRadToDeg * 3600, 0.6436 - 0.0234, 0.003);
    EXPECT_NEAR(r, 0.99760775, 1e-8);
}

// At T = 0 the Sun's longitude is the Earth's plus 180 degrees (with the FK5 correction).
TEST(ComputeGeometricSun, J2000IsTheEarthTurnedBy180Degrees) {
    double lon, lat, r;
    ComputeGeometricSun(0.0, &lon, &lat, &r);
    EXPECT_NEAR(lon * kRadToDeg, ComputeEarthLongitude(0.0) + 180.0 - 0.09033 * kArcsec, 1e-9);
    EXPECT_NEAR(r, 0.98332, 1e-5);  // near perihelion (Astronomical Almanac 2000: 0.98333 AU)
}

// Before 2000 (negative T) whole revolutions are removed with floor, so the longitude stays
// in [0, 360); the Sun's own longitude is not reduced and runs up to 540 degrees.
TEST(ComputeEarthLongitude, NegativeCenturiesStayInOneRevolution) {
    bool sawSunAbove2Pi = false;
    for (double t = -1.0; t <= 1.0; t += 0.0137) {
        double l = ComputeEarthLongitude(t);
        EXPECT_GE(l, 0.0) << t;
        EXPECT_LT(l, 360.0) << t;
        double lon, lat, r;
        ComputeGeometricSun(t, &lon, &lat, &r);
        if (lon > 2 * M_PI) sawSunAbove2Pi = true;
        EXPECT_GT(lon, M_PI - 1e-3);
        EXPECT_LT(lon, 3 * M_PI);
    }
    EXPECT_TRUE(sawSunAbove2Pi);
}

// Against the complete VSOP87 (libnova's VSOP87B Earth, taken to the FK5 mean ecliptic and
// equinox of date with the IAU 1976 precession; scripts/reference/sun_moon_reference.py,
// cross-checked with ERFA epv00 to 0.06"), 300 dates 1900-2100. The abridged series is good to
// 1" in longitude, 0.3" in latitude and 2.5e-6 AU in distance (largest errors over 20000
// dates: 0.72", 0.29", 2.4e-6 AU).
TEST(ComputeGeometricSun, AgreesWithCompleteVsop87From1900To2100) {
    auto rows = ReadReferenceCsv("sun_vsop87_reference.csv");
    ASSERT_EQ(rows.size(), 300u);
    for (const auto& row : rows) {
        double lon, lat, r;
        ComputeGeometricSun(CenturiesFromJ2000(row[0]), &lon, &lat, &r);
        EXPECT_NEAR(WrappedDifference(lon * kRadToDeg, row[1], 360.0), 0.0, 1.0 * kArcsec)
            << row[0];
        EXPECT_NEAR(lat * kRadToDeg * 3600, row[2], 0.3) << row[0];
        EXPECT_NEAR(r, row[3], 2.5e-6) << row[0];
    }
}

}  // namespace
