// The satellite geometry against hand-made configurations: the observer's
// state, look angles along the four compass points, the sub-point over the
// pole, the visibility and geostationary tests.
#include "orbits/satellite_geometry.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "orbits/satellite_math.h"

namespace {

constexpr double kPi = 3.141592653589793;
constexpr double kDeg = kPi / 180.0;

// A Julian day whose Greenwich mean sidereal angle is 0,
// found by stepping back by the sidereal rate (to the rounding of a Julian
// day, 3e-9 rad).
double JulianDayOfZeroGmst() {
    double jd = 2451545.0;
    for (int k = 0; k < 4; ++k) {
        double g = ComputeGmst(jd);
        if (g > kPi) g -= 2.0 * kPi;
        jd -= g / (2.0 * kPi * 1.00273790935);
    }
    return jd;
}

// Observer at 0 N, 0 E, height 0, GMST 0 (Kelso's example geometry): the
// position is the equatorial radius on x, the velocity the Earth's rotation
// times it on y.
TEST(ComputeObserverState, EquatorAtZeroSiderealAngle) {
    ObserverSite site{0.0, 0.0, 0.0, 1.0};
    double position[4], velocity[4];
    ComputeObserverState(JulianDayOfZeroGmst(), &site, position, velocity);
    EXPECT_NEAR(site.siderealAngle < kPi ? site.siderealAngle : site.siderealAngle - 2 * kPi, 0.0, 1e-8);
    EXPECT_NEAR(position[0], 6378.135, 1e-6);
    EXPECT_NEAR(position[1], 0.0, 1e-5);
    EXPECT_NEAR(position[2], 0.0, 1e-9);
    EXPECT_NEAR(velocity[0], 0.0, 1e-9);
    EXPECT_NEAR(velocity[1], 6378.135 * 7.292115e-5, 1e-9);  // 0.465101 km/s
    EXPECT_NEAR(velocity[2], 0.0, 1e-12);
    EXPECT_NEAR(position[3], 6378.135, 1e-6);
}

// From the observer on the equator facing x, a satellite 1000 km away along
// each compass direction (north is +z, east +y, the zenith +x). Due east was
// reported as due west by atan(-e / s) at s = 0.
TEST(ComputeTopocentricLookAngles, CompassPointsAndZenithDueEastNotSwappedWithWest) {
    struct Case {
        const char* name;
        double offset[3];
        double azimuth, elevation;  // rad, by construction
        int result;
    } cases[] = {
        {"zenith", {1000, 0, 0}, -1, kPi / 2, 1},
        {"east on the horizon", {0, 1000, 0}, kPi / 2, 0, 1},
        {"north on the horizon", {0, 0, 1000}, 0, 0, 1},
        {"south on the horizon", {0, 0, -1000}, kPi, 0, 1},
        {"west on the horizon", {0, -1000, 0}, 3 * kPi / 2, 0, 1},
        {"east 45 degrees up", {1000, 1000, 0}, kPi / 2, kPi / 4, 1},
        {"below the horizon to the north-east", {-500, 1000, 1000}, kPi / 4, -asin(500.0 / 1500.0), 0},
    };
    const double jd = 2451545.0;
    for (const Case& c : cases) {
        ObserverSite site{0.0, -ComputeGmst(jd), 0.0, 0.0};  // sidereal angle 0
        const double sat[4] = {6378.135 + c.offset[0], c.offset[1], c.offset[2], 0};
        const double still[4] = {0, 6378.135 * 7.292115e-5, 0, 0};
        LookAngles look;
        EXPECT_EQ(ComputeTopocentricLookAngles(jd, sat, still, &site, &look), c.result) << c.name;
        if (c.azimuth >= 0) {
            EXPECT_NEAR(look.azimuth, c.azimuth, 1e-12) << c.name;
        }
        EXPECT_NEAR(look.elevation, c.elevation, 1e-12) << c.name;
        double range = std::hypot(c.offset[0], c.offset[1], c.offset[2]);
        EXPECT_NEAR(look.range, range, 1e-9) << c.name;
        EXPECT_NEAR(look.rangeRate, 0.0, 1e-9) << c.name;  // moving with the observer
        LookAngles dir;
        ComputeTopocentricDirection(jd, sat, still, &site, &dir);
        const double unit[3] = {c.offset[0] / range, c.offset[1] / range, c.offset[2] / range};
        EXPECT_NEAR(dir.azimuth, unit[0], 1e-12) << c.name;
        EXPECT_NEAR(dir.elevation, unit[1], 1e-12) << c.name;
        EXPECT_NEAR(dir.range, unit[2], 1e-12) << c.name;
    }
}

// Over the pole (a point on the z axis): latitude pi/2, the height above the
// polar radius (r / cos(latitude) gave minus the Earth's radius there), the
// longitude Modulo2Pi(-GMST) turned into [-pi, pi] and negated.
TEST(ComputeSubSatellitePoint, OverThePoleHeightIsAbovePolarRadius) {
    const double jd = 2451545.25;
    const double position[4] = {0.0, 0.0, 7000.0, 7000.0};
    SubPoint sub;
    ComputeSubSatellitePoint(jd, position, &sub);
    EXPECT_DOUBLE_EQ(sub.latitude, kPi / 2);
    EXPECT_NEAR(sub.height, 7000.0 - 6378.135 * std::sqrt(1.0 - 0.006694379990141316), 1e-6);  // polar radius b
    double expected = Modulo2Pi(-ComputeGmst(jd));
    if (expected > kPi) expected -= 2 * kPi;
    EXPECT_DOUBLE_EQ(sub.longitude, -expected);
}

// A position that is not a number ended the latitude iteration never.
TEST(ComputeSubSatellitePoint, NotANumberPositionEnds) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double position[4] = {nan, nan, nan, nan};
    SubPoint sub;
    ComputeSubSatellitePoint(2451545.0, position, &sub);
    EXPECT_TRUE(std::isnan(sub.latitude));
    EXPECT_TRUE(std::isnan(sub.height));
}

SatelliteElements Orbit(double inclinationDeg, double revsPerDay, double eccentricity = 0.0) {
    SatelliteElements el{};
    el.inclination = inclinationDeg * kDeg;
    el.meanMotion = revsPerDay * 2.0 * kPi / 1440.0;
    el.eccentricity = eccentricity;
    return el;
}

// 51.6 degrees at 15.5 rev/day reaches 51.6 + about 20 degrees of horizon
// angle. At 16.9 rev/day the horizon angle is 6.1 degrees: 98 degrees folds to
// 82 and reaches 88.1 degrees of latitude, not the pole.
TEST(IsSatelliteVisibleFromSite, InclinationPlusHorizonAngle) {
    struct Case {
        double inclination, revsPerDay, latitude;
        int visible;
    } cases[] = {
        {51.6, 15.5, 70.0, 1}, {51.6, 15.5, -70.0, 1}, {51.6, 15.5, 75.0, 0},
        {98.0, 16.9, 88.0, 1}, {98.0, 16.9, 88.5, 0},  {82.0, 16.9, 88.5, 0},
        {51.6, 0.0, 0.0, 0},   {51.6, 17.5, 0.0, 0},   // no mean motion; apogee inside the Earth
    };
    for (const Case& c : cases) {
        SatelliteElements el = Orbit(c.inclination, c.revsPerDay);
        EXPECT_EQ(IsSatelliteVisibleFromSite(&el, c.latitude * kDeg), c.visible)
            << c.inclination << " " << c.revsPerDay << " " << c.latitude;
    }
}

TEST(IsGeostationary, WithinTwoTenThousandthsOfTheSiderealRate) {
    const std::pair<double, int> cases[] = {{1.0027, 1}, {1.00271289, 1}, {1.0024, 0}, {1.003, 0}, {0.0, 0}};
    for (auto [revsPerDay, expected] : cases) {
        SatelliteElements el = Orbit(0.0, revsPerDay);
        EXPECT_EQ(IsGeostationary(&el), expected) << revsPerDay;
    }
}

}  // namespace
