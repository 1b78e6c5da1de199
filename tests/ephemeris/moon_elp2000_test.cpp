#include "ephemeris/moon_elp2000.h"

#include <gtest/gtest.h>

#include <cmath>

#include "ephemeris/ephemeris_work.h"
#include "support/reference_csv.h"
#include "support/wrapped_difference.h"

namespace {

constexpr double kRadToDeg = 57.29577951308232;
constexpr double kAuKm = 149597870.0;

double CenturiesFromJ2000(double jd) { return (jd - 2451545.0) / 36525; }

// Meeus, Astronomical Algorithms, example 47.a: 1992 April 12, 0h TD, lambda = 133.162655 deg,
// beta = -3.229126 deg (his abridged series). The longitude comes out negative and lies
// within a few arcseconds of the book's once 2 pi is added. The complete ELP 2000-82B gives
// a distance of 368405.6 km (libnova), the book's abridged series 368409.7 km.
TEST(ComputeGeometricMoon, MeeusExample47a) {
    double lon, lat, dist;
    double returned = ComputeGeometricMoon(CenturiesFromJ2000(2448724.5), &lon, &lat, &dist);
    EXPECT_LT(lon, 0.0);
    EXPECT_NEAR((lon + 2 * M_PI) * kRadToDeg, 133.162655, 3.0 / 3600);
    EXPECT_NEAR(lat * kRadToDeg, -3.229126, 3.0 / 3600);
    EXPECT_NEAR(dist * kAuKm, 368405.6, 1.0);
    EXPECT_EQ(returned, dist);
}

// Against the complete ELP 2000-82B (libnova, all 36 series, taken to the mean ecliptic and
// equinox of date with the IAU 1976 precession; scripts/reference/sun_moon_reference.py; it
// agrees with JPL DE431 within 1.6" and 0.2 km). 300 dates 1900-2100. The truncation leaves out
// thousands of small planetary terms, every planetary term in distance and the terms in T,
// and its mean longitude includes the light time (-0.7"): over 20000 dates 1900-2100 it stays
// within 5.93" in longitude, 1.04" in latitude and 5.12 km in distance of the complete
// theory, which the tolerances below state.
constexpr double kLongitudeBound = 6.0;  // arcseconds
constexpr double kLatitudeBound = 1.1;   // arcseconds
constexpr double kDistanceBound = 5.2;   // km

TEST(ComputeGeometricMoon, AgreesWithCompleteElp2000From1900To2100) {
    auto rows = ReadReferenceCsv("moon_elp2000_reference.csv");
    ASSERT_EQ(rows.size(), 300u);
    for (const auto& row : rows) {
        double lon, lat, dist;
        ComputeGeometricMoon(CenturiesFromJ2000(row[0]), &lon, &lat, &dist);
        EXPECT_LT(std::fabs(lon), 2.1 * M_PI);
        EXPECT_NEAR(WrappedDifference(lon * kRadToDeg, row[1], 360.0) * 3600, 0.0,
                    kLongitudeBound)
            << row[0];
        EXPECT_NEAR((lat * kRadToDeg - row[2]) * 3600, 0.0, kLatitudeBound) << row[0];
        EXPECT_NEAR(dist * kAuKm, row[3], kDistanceBound) << row[0];
    }
}

// The short series against the same reference: 18, 14 and 13 terms are good to 0.06 degree in
// longitude, 0.03 degree in latitude and 230 km (largest errors over 20000 dates 1900-2100:
// 205", 107", 224 km).
TEST(ComputeMoonShortSeries, AgreesWithCompleteElp2000WithinItsAccuracy) {
    auto rows = ReadReferenceCsv("moon_elp2000_reference.csv");
    ASSERT_EQ(rows.size(), 300u);
    for (const auto& row : rows) {
        double lon, lat, dist;
        double returned = ComputeMoonShortSeries(CenturiesFromJ2000(row[0]), &lon, &lat, &dist);
        EXPECT_EQ(returned, dist);
        EXPECT_NEAR(WrappedDifference(lon * kRadToDeg, row[1], 360.0), 0.0, 0.06) << row[0];
        EXPECT_NEAR(lat * kRadToDeg, row[2], 0.03) << row[0];
        EXPECT_NEAR(dist * kAuKm, row[3], 230.0) << row[0];
    }
}

}  // namespace
