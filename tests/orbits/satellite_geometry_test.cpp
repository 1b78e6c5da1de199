// The satellite geometry against hand-made configurations.
#include "orbits/satellite_geometry.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "core/shared_state.h"
#include "orbits/satellite_math.h"
#include "satellite_fixtures.h"

namespace {

constexpr double kPi = 3.141592653589793;
constexpr double kDeg = kPi / 180.0;

// Observer at 0 N, 0 E, height 0 when the sidereal angle is 0 (stepped back
// from J2000 by the sidereal rate, to the rounding of a Julian day): on the x
// axis at the equatorial radius, moving at 6378.135 x 7.292115e-5 km/s along y.
TEST(ComputeObserverState, EquatorAtZeroSiderealAngle) {
    double jd = 2451545.0;
    for (int k = 0; k < 4; ++k) jd -= std::remainder(ComputeGmst(jd), 2 * kPi) / (2 * kPi * 1.00273790935);
    ObserverSite site{0.0, 0.0, 0.0, 1.0};
    double r[4], v[4];
    ComputeObserverState(jd, &site, r, v);
    EXPECT_NEAR(std::remainder(site.siderealAngle, 2 * kPi), 0.0, 1e-8);
    const double expected[2][3] = {{6378.135, 0, 0}, {0, 0.465101, 0}};
    for (int k = 0; k < 3; ++k) {
        EXPECT_NEAR(r[k], expected[0][k], 1e-4);
        EXPECT_NEAR(v[k], expected[1][k], 1e-6);
    }
}

// From the observer on the equator facing x (north +z, east +y), at sidereal
// angle 0: a satellite 1000 km away in each direction, moving with the
// observer. atan(-e / s) at s = 0 reported due east as due west.
TEST(ComputeTopocentricLookAngles, CompassPointsDueEastNotWest) {
    struct Case {
        double offset[3];
        double azimuth, elevation;
        int result;
    } cases[] = {
        {{1000, 0, 0}, -1, kPi / 2, 1},  // zenith: azimuth undefined
        {{0, 1000, 0}, kPi / 2, 0, 1},
        {{0, 0, 1000}, 0, 0, 1},
        {{0, 0, -1000}, kPi, 0, 1},
        {{0, -1000, 0}, 3 * kPi / 2, 0, 1},
        {{-500, 1000, 1000}, kPi / 4, -std::asin(1.0 / 3.0), 0},
    };
    const double jd = 2451545.0;
    for (const Case& c : cases) {
        ObserverSite site{0.0, -ComputeGmst(jd), 0.0, 0.0};
        const double sat[4] = {6378.135 + c.offset[0], c.offset[1], c.offset[2], 0};
        const double moving[4] = {0, 6378.135 * 7.292115e-5, 0, 0};
        LookAngles look;
        EXPECT_EQ(ComputeTopocentricLookAngles(jd, sat, moving, &site, &look), c.result) << c.offset[1];
        if (c.azimuth >= 0) {
            EXPECT_NEAR(look.azimuth, c.azimuth, 1e-12) << c.offset[1];
        }
        EXPECT_NEAR(look.elevation, c.elevation, 1e-12) << c.offset[1];
        EXPECT_NEAR(look.range, std::hypot(c.offset[0], c.offset[1], c.offset[2]), 1e-9);
        EXPECT_NEAR(look.rangeRate, 0.0, 1e-9);
    }
}

// On the z axis: latitude pi/2, the height above the polar radius (r / cos
// latitude gave minus the Earth's radius), the longitude -GMST negated; a
// position that is not a number ended the latitude iteration never.
TEST(ComputeSubSatellitePoint, OverThePoleAndNotANumber) {
    const double jd = 2451545.25, pole[4] = {0.0, 0.0, 7000.0, 7000.0};
    SubPoint sub;
    ComputeSubSatellitePoint(jd, pole, &sub);
    EXPECT_DOUBLE_EQ(sub.latitude, kPi / 2);
    EXPECT_NEAR(sub.height, 7000.0 - 6378.135 * std::sqrt(1.0 - 0.006694379990141316), 1e-6);
    EXPECT_NEAR(sub.longitude, std::remainder(ComputeGmst(jd), 2 * kPi), 1e-15);
    const double nan = std::numeric_limits<double>::quiet_NaN(), lost[4] = {nan, nan, nan, nan};
    ComputeSubSatellitePoint(jd, lost, &sub);
    EXPECT_TRUE(std::isnan(sub.latitude) && std::isnan(sub.height));
}

// 51.6 degrees at 15.5 rev/day reaches about 71.8 degrees of latitude. At
// 16.9 rev/day the horizon angle is 6.1 degrees: 98 degrees folds to 82 and
// reaches 88.1. Mean motion 0, or an apogee inside the Earth: never.
TEST(IsSatelliteVisibleFromSite, InclinationPlusHorizonAngle) {
    const double cases[][4] = {{51.6, 15.5, 70.0, 1}, {51.6, 15.5, -70.0, 1}, {51.6, 15.5, 75.0, 0},
                               {98.0, 16.9, 88.0, 1}, {98.0, 16.9, 88.5, 0},  {51.6, 0.0, 0.0, 0},
                               {51.6, 17.5, 0.0, 0}};
    for (const auto& c : cases) {
        SatelliteElements el{};
        el.inclination = c[0] * kDeg;
        el.meanMotion = c[1] * 2.0 * kPi / 1440.0;
        EXPECT_EQ(IsSatelliteVisibleFromSite(&el, c[2] * kDeg), c[3]) << c[0] << " " << c[1] << " " << c[2];
    }
}

TEST(IsGeostationary, WithinTwoTenThousandthsOfTheSiderealRate) {
    const std::pair<double, int> cases[] = {{1.0027, 1}, {1.00271289, 1}, {1.0024, 0}, {1.003, 0}};
    for (auto [revsPerDay, expected] : cases) {
        SatelliteElements el{};
        el.meanMotion = revsPerDay * 2.0 * kPi / 1440.0;
        EXPECT_EQ(IsGeostationary(&el), expected) << revsPerDay;
    }
}

// The elevation's rate is its change: the central difference of
// SatelliteElevationAt over a second, hourly over a day at 40 N 105 W, for a
// set like the space station's and a 12-hour set (within 1e-5 degree a
// second, a hundredth of a percent); with no satellite installed both are
// not a number.
TEST(SatelliteElevationAndRateAt, RateIsTheElevationsChange) {
    const SiteRecord saved = currentSite;
    SetSiteLatitude(currentSite, 40.0);
    currentSite.longitude = 105.0f;
    const char* const sets[][2] = {
        {"1 90001U 27999A   27019.50000000  .00012456  00000-0  22437-3 0  9999",
         "2 90001  51.6358 172.4410 0005611  58.9136 301.2468 15.50034815    11"},
        {"1 90005U 27999A   27015.50000000 -.00000050  00000-0  10000-3 0  9991",
         "2 90005  55.0000 100.0000 0050000 270.0000  90.0000  2.00560000    18"}};
    for (const auto& lines : sets) {
        SatelliteElements el = ElementsOf(lines[0], lines[1]);
        SetSearchedSatellite(&el);
        for (int hour = 0; hour < 24; ++hour) {
            const double jd = el.epochJd + hour / 24.0, half = 0.5 / 86400.0;
            const double change = SatelliteElevationAt(jd + half) - SatelliteElevationAt(jd - half);
            double rate = 0.0;
            const double elevation = SatelliteElevationAndRateAt(jd, &rate);
            EXPECT_EQ(elevation, SatelliteElevationAt(jd));
            EXPECT_NEAR(rate, change, 1e-5 + 1e-4 * std::fabs(change)) << lines[1] << " " << hour;
        }
    }
    SetSearchedSatellite(nullptr);
    double rate = 0.0;
    EXPECT_TRUE(std::isnan(SatelliteElevationAndRateAt(2461421.0, &rate)));
    EXPECT_TRUE(std::isnan(rate));
    currentSite = saved;
}

}  // namespace
