#include "core/interpolation.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

constexpr double kArcsecondsPerRadian = 206264.8062;

TEST(Interpolate3, NodesExtrapolationAndMeeusExample3a) {
    EXPECT_EQ(Interpolate3(1.5, 2.5, 7.0, -1.0), 1.5);
    EXPECT_EQ(Interpolate3(1.5, 2.5, 7.0, 0.0), 2.5);
    EXPECT_EQ(Interpolate3(1.5, 2.5, 7.0, 1.0), 7.0);
    EXPECT_EQ(Interpolate3(1.0, 4.0, 9.0, 2.0), 16.0);  // the parabola (x + 2)^2 at x = 2
    // Distance of Mars, 1992 Nov 7, 8, 9 at 0h TD; 4h21m after the middle date.
    // Meeus, Astronomical Algorithms, example 3.a: 0.876125 AU.
    EXPECT_NEAR(Interpolate3(0.884226, 0.877366, 0.870531, 0.18125), 0.876125, 5e-7);
}

// Body 1 fixed at the origin and body 2 passing it symmetrically: separation 0 at the middle
// instant. Offsets that never change leave nothing to solve: the middle instant and its
// separation, 206264.8062 sin(ddec) as ComputeSeparationOffsets gives for equal RA.
TEST(FindMinimumSeparation, SymmetricPassAndUnchangingOffsets) {
    const double t[3] = {10.0, 11.0, 12.0}, zero[3] = {0, 0, 0}, ra2[3] = {-0.002, 0.0, 0.002};
    double separation = -1, time = -1;
    FindMinimumSeparation(t, zero, zero, ra2, zero, &separation, &time);
    EXPECT_EQ(separation, 0.0);
    EXPECT_EQ(time, 11.0);
    const double ra[3] = {0.5, 0.5, 0.5}, dec1[3] = {0.1, 0.1, 0.1}, dec2[3] = {0.101, 0.101, 0.101};
    FindMinimumSeparation(t, ra, dec1, ra, dec2, &separation, &time);
    EXPECT_NEAR(separation, kArcsecondsPerRadian * std::sin(0.001), 1e-9);
    EXPECT_EQ(time, 11.0);
    double u = 1, v = 1;
    ComputeSeparationOffsets(1.2, 0.3, 1.2, 0.35, &u, &v);
    EXPECT_EQ(u, 0.0);
    EXPECT_NEAR(v, kArcsecondsPerRadian * std::sin(0.05), 1e-9);
}

// Exact great-circle separation in arcseconds (haversine form).
double Separation(double ra1, double dec1, double ra2, double dec2) {
    const double sd = std::sin((dec2 - dec1) / 2), sa = std::sin((ra2 - ra1) / 2);
    return 2 * std::asin(std::sqrt(sd * sd + std::cos(dec1) * std::cos(dec2) * sa * sa)) * kArcsecondsPerRadian;
}

TEST(FindMinimumSeparation, AgreesWithBruteForceOnMovingBodies) {
    // Two bodies moving uniformly near declination 20 degrees; the reference
    // minimum is found by dense sampling of the exact separation.
    const double t[3] = {-1.0, 0.0, 1.0};
    auto ra1 = [](double x) { return 1.0 + 0.004 * x; };
    auto dec1 = [](double x) { return 0.35 + 0.001 * x; };
    auto ra2 = [](double x) { return 1.0012 + 0.0065 * x; };
    auto dec2 = [](double x) { return 0.3515 - 0.0008 * x; };
    double r1[3], d1[3], r2[3], d2[3];
    for (int i = 0; i < 3; ++i) r1[i] = ra1(t[i]), d1[i] = dec1(t[i]), r2[i] = ra2(t[i]), d2[i] = dec2(t[i]);
    double best = 1e30, bestT = 0;
    for (int i = 0; i <= 200000; ++i) {
        const double x = -1.0 + i * 1e-5;
        const double s = Separation(ra1(x), dec1(x), ra2(x), dec2(x));
        if (s < best) best = s, bestT = x;
    }
    double separation = -1, time = -1;
    FindMinimumSeparation(t, r1, d1, r2, d2, &separation, &time);
    EXPECT_NEAR(separation, best, 1e-3);  // arcseconds, about 387"
    EXPECT_NEAR(time, bestT, 1e-4);       // tabular intervals
}

}  // namespace
