// The compass chart's numbers: the Sun and the Moon against PyEphem, and the
// layout its formulas give for the screens the program runs on.
#include "chart/compass_chart.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "support/reference_table.h"
#include "support/test_site.h"

namespace {

// Angle on the sky between two (azimuth, altitude) directions, degrees.
double Separation(double az1, double alt1, double az2, double alt2) {
    const double k = 0.0174532925199433;
    double c = std::sin(alt1 * k) * std::sin(alt2 * k) +
               std::cos(alt1 * k) * std::cos(alt2 * k) * std::cos((az1 - az2) * k);
    return std::acos(std::clamp(c, -1.0, 1.0)) / k;
}

// Tolerances: the Keplerian Sun is good to 0.01 degree and is geometric, of
// the mean equinox (aberration 20", nutation up to 17" more); PyEphem's Moon is
// a truncated theory of its own. Largest differences over the table: Sun
// 0.0125, Moon 0.0077 degree.
constexpr double kSunDegrees = 0.02;
constexpr double kMoonDegrees = 0.01;

// scripts/reference/compass_sun_moon_pyephem.py: apparent topocentric places, no refraction.
TEST(CompassChart, SunAndMoonAgainstPyEphem) {
    ReferenceTable t = ReadReferenceTable(ZENDAVORI_SOURCE_DIR, "compass_sun_moon_pyephem.csv");
    ASSERT_EQ(t.rows.size(), 24u);
    for (std::size_t i = 0; i < t.rows.size(); ++i) {
        ResetWithDefaults();
        SetTestSite(t.Get(i, "latitude"), t.Get(i, "longitude_west"), static_cast<int>(t.Get(i, "zone_minutes")));
        const DateTime when{static_cast<int>(t.Get(i, "year")), static_cast<int>(t.Get(i, "month")),
                            static_cast<int>(t.Get(i, "day")),  static_cast<int>(t.Get(i, "hour")),
                            static_cast<int>(t.Get(i, "minute")), 0};
        CompassPlace p[kCompassBodies];
        ASSERT_EQ(ComputeCompassPlaces(when, -1.0, 0.0, p), 2);
        EXPECT_FALSE(p[kCompassObject].valid);
        EXPECT_LT(Separation(p[0].azimuth, p[0].altitude, t.Get(i, "sun_az"), t.Get(i, "sun_alt")), kSunDegrees) << i;
        EXPECT_LT(Separation(p[1].azimuth, p[1].altitude, t.Get(i, "moon_az"), t.Get(i, "moon_alt")), kMoonDegrees)
            << i;
        EXPECT_EQ(preferences.word[kPrefPositionMode], 0) << "position mode put back";
    }
}

// An object on the meridian at declination 21 from latitude 51: azimuth 180,
// altitude 90 - 51 + 21 = 60; its path passes the meridian at the chart time
// (point 12, two hours after the first) and is 15 degrees of hour angle on
// each hour.
TEST(CompassChart, ObjectOnTheMeridianAndItsPath) {
    ResetWithDefaults();
    SetTestSite(51.0, 0.0, 0);
    const DateTime when{2024, 3, 5, 21, 10, 0};
    const double lst = CompassSiderealTime(when);
    CompassPlace p[kCompassBodies];
    ASSERT_EQ(ComputeCompassPlaces(when, lst, 21.0, p), 3);
    EXPECT_NEAR(p[kCompassObject].azimuth, 180.0, 1e-6);
    EXPECT_NEAR(p[kCompassObject].altitude, 60.0, 1e-6);
    CompassPathPoint path[kCompassPathPoints];
    ComputeCompassPath(kCompassObject, when, lst, 21.0, path);
    EXPECT_EQ((std::vector{path[0].hour, path[0].minute, path[72].hour, path[72].minute}),
              (std::vector{19, 10, 7, 10}));
    EXPECT_NEAR(path[12].place.altitude, 60.0, 1e-6);
    EXPECT_GT(path[6].place.altitude, 50.0);  // one hour before: east of south and lower
    EXPECT_LT(path[6].place.azimuth, 180.0);
}

// The layout by the compass formulas: R = min(w, h) / 3 - trunc(3 sx), the
// rose centre (xr + R + 2R/3 - trunc(2 sx), trunc(36 sy) + R) with
// xr = (w - trunc(240 sx)) / 4 + trunc(32 sx), the bar at
// xb + trunc(32 sx) with xb = (w - trunc(240 sx)) / 3, the curve box only when
// trunc(320 sx) <= h.
TEST(CompassChart, LayoutByScreen) {
    const struct {
        int w, h;
        double s;
        int radius, cx, cy, barX, barY, barW, markX, altitude60Y;
        bool curve;
    } cases[] = {
        {240, 320, 1.0, 77, 158, 113, 32, 36, 40, 52, 61, true},
        {480, 640, 2.0, 154, 316, 226, 64, 72, 80, 104, 123, true},
        {240, 240, 1.0, 77, 158, 113, 32, 36, 40, 52, 61, false},
        {320, 240, 1.0, 77, 178, 113, 58, 36, 40, 78, 61, false},
    };
    for (const auto& c : cases) {
        CompassLayout l = ComputeCompassLayout(c.w, c.h, c.s, c.s);
        EXPECT_EQ((std::vector{l.radius, l.centreX, l.centreY, l.bar.x, l.bar.y, l.bar.width, l.bar.height, l.markX,
                               CompassBarY(l, 60.0)}),
                  (std::vector{c.radius, c.cx, c.cy, c.barX, c.barY, c.barW, 2 * c.radius, c.markX, c.altitude60Y}))
            << c.w << "x" << c.h;
        EXPECT_EQ(l.curve, c.curve) << c.w << "x" << c.h;
    }
    CompassLayout l = ComputeCompassLayout(240, 320, 1.0, 1.0);
    int x = 0, y = 0;
    CompassRosePoint(l, 180.0, l.ringRadius, &x, &y);
    EXPECT_EQ((std::vector{x, y}), (std::vector{158, 180}));
    CompassRosePoint(l, 90.0, l.radius, &x, &y);
    EXPECT_EQ((std::vector{x, y}), (std::vector{235, 113}));
}

}  // namespace
