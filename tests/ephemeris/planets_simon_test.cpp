#include "ephemeris/planets_simon.h"

#include <gtest/gtest.h>

#include <cmath>

#include "ephemeris/simon_elements.h"
#include "support/reference_table.h"

namespace {

// Simon et al. (1994): 600 numbers; Mercury's mean longitude at J2000.0, and Saturn's a-term
// of multiplier 0 with cosine amplitude -119919 (a constant -0.0119919 AU).
TEST(SimonElements, CountAndQuotedValues) {
    EXPECT_EQ(kSimonElementCount, 600);
    EXPECT_EQ(simonElements[kSimonLambda + 0], 252.25090552);
    EXPECT_EQ(simonElements[kSimonNa + 9 * 5 + 1], 0.0);
    EXPECT_EQ(simonElements[kSimonCa + 9 * 5 + 1], -119919.0);
}

// ERFA plan94, an independent evaluation of the same published method, at 1e-10 AU and
// 1e-12 AU/day; the ecliptic outputs (J2000 obliquity) describe the same point.
TEST(ComputePlanetPositionSimon, AgreesWithIndependentEvaluation) {
    const double cosEps = 0.9174820620691818, sinEps = 0.3977771559319137;
    ReferenceTable ref = ReadReferenceTable(ZENDAVORI_SOURCE_DIR, "simon1994_planets.csv");
    ASSERT_EQ(ref.rows.size(), 80u);
    const char* names[6] = {"x", "y", "z", "vx", "vy", "vz"};
    for (std::size_t k = 0; k < ref.rows.size(); ++k) {
        double pv[6], lon = 9, lat = 9, radius = 9;
        const auto planet = static_cast<uint32_t>(ref.Get(k, "planet"));
        ComputePlanetPositionSimon(ref.Get(k, "jd1"), ref.Get(k, "jd2"), planet, pv, &lon, &lat, &radius);
        for (int c = 0; c < 6; ++c)
            EXPECT_NEAR(pv[c], ref.Get(k, names[c]), c < 3 ? 1e-10 : 1e-12) << k << ' ' << c;  // AU, AU/day
        const double x = ref.Get(k, "x"), y = ref.Get(k, "y"), z = ref.Get(k, "z");
        const double r = std::sqrt(x * x + y * y + z * z), ecliptic = std::atan2(y * cosEps + z * sinEps, x);
        EXPECT_NEAR(std::remainder(lon - ecliptic, 2.0 * M_PI), 0.0, 1e-10) << k;
        EXPECT_NEAR(lat, std::asin((z * cosEps - y * sinEps) / r), 1e-10) << k;
        EXPECT_NEAR(radius, r, 1e-10) << k;
        EXPECT_TRUE(lon > -2.0 * M_PI && lon <= 2.0 * M_PI) << lon;
    }
}

// A bad planet index writes nothing; every output is optional.
TEST(ComputePlanetPositionSimon, BadPlanetWritesNothingAndOutputsAreOptional) {
    for (uint32_t planet : {8u, 100u, static_cast<uint32_t>(-1)}) {
        double pv[6] = {1, 2, 3, 4, 5, 6}, lon = 7, lat = 8, radius = 9;
        ComputePlanetPositionSimon(2451545.0, 0.0, planet, pv, &lon, &lat, &radius);
        for (int k = 0; k < 6; ++k) EXPECT_EQ(pv[k], k + 1.0);
        EXPECT_TRUE(lon == 7.0 && lat == 8.0 && radius == 9.0) << planet;
    }
    double pv[6] = {}, radius = 0.0;
    ComputePlanetPositionSimon(2451545.0, 0.0, kSimonMars, pv, nullptr, nullptr, nullptr);
    ComputePlanetPositionSimon(2451545.0, 0.0, kSimonMars, nullptr, nullptr, nullptr, &radius);
    ComputePlanetPositionSimon(2451545.0, 0.0, kSimonMars, nullptr, nullptr, nullptr, nullptr);
    EXPECT_NEAR(radius, std::sqrt(pv[0] * pv[0] + pv[1] * pv[1] + pv[2] * pv[2]), 1e-15);
}

}  // namespace
