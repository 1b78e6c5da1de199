#include "ephemeris/planets_simon.h"

#include <gtest/gtest.h>

#include <cmath>

#include "ephemeris/simon_elements.h"
#include "support/reference_table.h"

namespace {

constexpr double kPi = 3.141592653589793;
constexpr double kCosEps = 0.9174820620691818;
constexpr double kSinEps = 0.3977771559319137;

TEST(SimonElements, CountAndQuotedValues) {
    EXPECT_EQ(kSimonElementCount, 600);
    // Mercury's mean longitude at J2000.0 (Simon et al. 1994).
    EXPECT_EQ(simonElements[kSimonLambda + 0], 252.25090552);
    // Saturn's a-term with multiplier 0 and cosine amplitude -119919 (a constant -0.0119919 AU).
    EXPECT_EQ(simonElements[kSimonNa + 9 * 5 + 1], 0.0);
    EXPECT_EQ(simonElements[kSimonCa + 9 * 5 + 1], -119919.0);
}

// Independent evaluation of the same published method: ERFA plan94.
TEST(ComputePlanetPositionSimon, AgreesWithIndependentEvaluation) {
    ReferenceTable ref = ReadReferenceTable(ZENDAVORI_SOURCE_DIR, "simon1994_planets.csv");
    ASSERT_EQ(ref.rows.size(), 80u);
    const char* names[6] = {"x", "y", "z", "vx", "vy", "vz"};
    for (std::size_t k = 0; k < ref.rows.size(); ++k) {
        double pv[6];
        auto planet = static_cast<uint32_t>(ref.Get(k, "planet"));
        ComputePlanetPositionSimon(ref.Get(k, "jd1"), ref.Get(k, "jd2"), planet, pv, nullptr,
                                   nullptr, nullptr);
        for (int c = 0; c < 3; ++c) {
            EXPECT_NEAR(pv[c], ref.Get(k, names[c]), 1e-10) << k;          // AU
            EXPECT_NEAR(pv[3 + c], ref.Get(k, names[3 + c]), 1e-12) << k;  // AU/day
        }
    }
}

// The ecliptic outputs describe the same point as the reference's equatorial position.
TEST(ComputePlanetPositionSimon, EclipticOutputsAgreeWithIndependentPosition) {
    ReferenceTable ref = ReadReferenceTable(ZENDAVORI_SOURCE_DIR, "simon1994_planets.csv");
    for (std::size_t k = 0; k < ref.rows.size(); ++k) {
        double x = ref.Get(k, "x"), y = ref.Get(k, "y"), z = ref.Get(k, "z");
        double ye = y * kCosEps + z * kSinEps, ze = z * kCosEps - y * kSinEps;
        double r = std::sqrt(x * x + y * y + z * z);
        double lon = 9.0, lat = 9.0, radius = 9.0;
        ComputePlanetPositionSimon(ref.Get(k, "jd1"), ref.Get(k, "jd2"),
                                   static_cast<uint32_t>(ref.Get(k, "planet")), nullptr, &lon,
                                   &lat, &radius);
        EXPECT_NEAR(std::remainder(lon - std::atan2(ye, x), 2.0 * kPi), 0.0, 1e-10) << k;
        EXPECT_NEAR(lat, std::asin(ze / r), 1e-10) << k;
        EXPECT_NEAR(radius, r, 1e-10) << k;
        EXPECT_GT(lon, -2.0 * kPi);
        EXPECT_LE(lon, 2.0 * kPi);
    }
}

TEST(ComputePlanetPositionSimon, BadPlanetWritesNothing) {
    for (uint32_t planet : {8u, 100u, static_cast<uint32_t>(-1)}) {
        double pv[6] = {1, 2, 3, 4, 5, 6};
        double lon = 7, lat = 8, radius = 9;
        ComputePlanetPositionSimon(2451545.0, 0.0, planet, pv, &lon, &lat, &radius);
        for (int k = 0; k < 6; ++k) EXPECT_EQ(pv[k], k + 1.0);
        EXPECT_EQ(lon, 7.0);
        EXPECT_EQ(lat, 8.0);
        EXPECT_EQ(radius, 9.0);
    }
}

TEST(ComputePlanetPositionSimon, EveryOutputIsOptional) {
    double pv[6] = {0, 0, 0, 0, 0, 0};
    ComputePlanetPositionSimon(2451545.0, 0.0, kSimonMars, pv, nullptr, nullptr, nullptr);
    EXPECT_NE(pv[0], 0.0);
    double radius = 0.0;
    ComputePlanetPositionSimon(2451545.0, 0.0, kSimonMars, nullptr, nullptr, nullptr, &radius);
    EXPECT_NEAR(radius, std::sqrt(pv[0] * pv[0] + pv[1] * pv[1] + pv[2] * pv[2]), 1e-15);
    ComputePlanetPositionSimon(2451545.0, 0.0, kSimonMars, nullptr, nullptr, nullptr, nullptr);
}

TEST(ComputePlanetPositionSimon, SplittingTheDayDifferentlyGivesTheSamePlace) {
    double a[6], b[6];
    ComputePlanetPositionSimon(2455197.75, 0.0, kSimonJupiter, a, nullptr, nullptr, nullptr);
    ComputePlanetPositionSimon(2451545.0, 3652.75, kSimonJupiter, b, nullptr, nullptr, nullptr);
    for (int k = 0; k < 3; ++k) {
        EXPECT_NEAR(a[k], b[k], 1e-12);
        EXPECT_NEAR(a[3 + k], b[3 + k], 1e-14);
    }
}

TEST(NormalizeAnglePi, ReducesToHalfTurns) {
    EXPECT_DOUBLE_EQ(NormalizeAnglePi(1.0), 1.0);
    EXPECT_DOUBLE_EQ(NormalizeAnglePi(-1.0), -1.0);
    EXPECT_NEAR(NormalizeAnglePi(1.5 * kPi), -0.5 * kPi, 1e-15);
    EXPECT_NEAR(NormalizeAnglePi(-1.5 * kPi), 0.5 * kPi, 1e-15);
    EXPECT_NEAR(NormalizeAnglePi(7.0), 7.0 - 2.0 * kPi, 1e-15);
    EXPECT_EQ(NormalizeAnglePi(kPi), kPi - 6.283185307179586);
    EXPECT_EQ(NormalizeAnglePi(-kPi), -kPi + 6.283185307179586);
}

}  // namespace
