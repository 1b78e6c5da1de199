#include "ephemeris/topocentric_parallax.h"

#include <gtest/gtest.h>

#include <cmath>

#include "core/julian_day.h"
#include "support/reference_csv.h"
#include "support/reference_table.h"
#include "support/wrapped_difference.h"

namespace {

constexpr double kDeg = 0.017453292519943295;

// Angle between two places in arcseconds (radians in).
double SeparationRad(double ra1, double dec1, double ra2, double dec2) {
    return SeparationArcsec(ra1 / kDeg / 15, dec1 / kDeg, ra2 / kDeg / 15, dec2 / kDeg);
}

// Meeus, Astronomical Algorithms, example 40.a: Mars on 2003 August 28 at 3h17m UT from
// Palomar (33 21 22 N, 7h47m27s W, height 1706 m), geocentric 22h38m07.25s (339.530208),
// -15.771083 at 0.37276 AU: topocentric 22h38m08.54s, -15 46 30.0.
TEST(TopocentricParallax, MeeusMarsFromPalomar) {
    double ra = 339.530208 * kDeg, dec = -15.771083 * kDeg;
    ApplyTopocentricParallax((JulianDayFromDateTime(2003, 8, 28, 3, 17, 0, 0) - 2451545.0) / 36525, &ra, &dec,
                             nullptr, nullptr, 0.37276, (7 + 47 / 60.0 + 27 / 3600.0) * 15,
                             33 + 21 / 60.0 + 22 / 3600.0, 1706);
    EXPECT_NEAR(ra / kDeg / 15 * 3600, 22 * 3600 + 38 * 60 + 8.54, 0.01);
    EXPECT_NEAR(dec / kDeg * 3600, -(15 * 3600 + 46 * 60 + 30.0), 0.1);
}

// PyEphem's topocentric Moon, Sun and planets with their altitudes and azimuths, from its
// geocentric places and distances at the universal time it used. PyEphem gives distances to
// 7 digits and the Moon's to 0.1 km; it refers the site to the same ellipsoid.
TEST(TopocentricParallax, MatchesPyEphem) {
    int checked = 0;
    for (const auto& r : ReadReferenceCsv("bodies_pyephem.csv")) {
        if (r[6] > 9) continue;
        double ra = r[7] * 15 * kDeg, dec = r[8] * kDeg, az, alt;
        const double t = (r[21] - 2451545.0) / 36525;  // UT
        ApplyTopocentricParallax(t, &ra, &dec, &az, &alt, r[9], r[15], r[14], r[16]);
        SCOPED_TRACE(::testing::Message() << r[0] << '-' << r[1] << '-' << r[2] << " body " << r[6]);
        EXPECT_LT(SeparationRad(ra, dec, r[17] * 15 * kDeg, r[18] * kDeg), r[6] == 1 ? 1.5 : 0.5);
        EXPECT_NEAR(alt, r[19], 2.0 / 3600);
        EXPECT_NEAR(WrappedDifference(az, r[20], 360.0) * std::cos(alt * kDeg), 0.0, 2.0 / 3600);
        ++checked;
    }
    EXPECT_EQ(checked, 80);
}

// On the meridian there is no shift in right ascension and the azimuth is 0 or 180; rounding
// must not make it NaN. Seen from the equator at sea level (rho cos phi' = 1, rho sin phi' = 0)
// the body moves straight away from the zenith, by p sin(dec) in declination. Without both
// outputs no altitude or azimuth is written.
TEST(TopocentricParallax, OnTheMeridianFromTheEquatorAndOptionalOutputs) {
    // The local sidereal angle at T = 0 on Greenwich, with the equation of the equinoxes
    // (-13.9" x cos 23.44 on 2000 January 1.5).
    const double meridianRa = (280.46061837 - 13.9 * 0.9175 / 3600) * kDeg;
    const double p = std::sin(4.263451511677261e-05 / 0.01);
    for (double decDeg : {-30.0, -5.0, 10.0, 60.0}) {
        double ra = meridianRa, dec = decDeg * kDeg, az = -1, alt = -1;
        ApplyTopocentricParallax(0.0, &ra, &dec, &az, &alt, 0.01, 0.0, 0.0, 0.0);
        EXPECT_NEAR(WrappedDifference(ra, meridianRa, 2 * M_PI), 0.0, 1e-9) << decDeg;
        EXPECT_NEAR(dec - decDeg * kDeg, p * std::sin(decDeg * kDeg), 2e-5) << decDeg;
        EXPECT_NEAR(alt, 90 - std::fabs(dec / kDeg), 1e-3) << decDeg;
        EXPECT_NEAR(az, decDeg < 0 ? 180.0 : 0.0, 1e-3) << decDeg;  // NaN fails
    }
    double ra = 1.0, dec = 0.3, az = -7, alt = -7;
    ApplyTopocentricParallax(0.2, &ra, &dec, &az, nullptr, 0.0025, 10.0, 40.0, 100);
    ApplyTopocentricParallax(0.2, &ra, &dec, nullptr, &alt, 0.0025, 10.0, 40.0, 100);
    EXPECT_TRUE(az == -7 && alt == -7 && ra != 1.0);
}

// A site longitude or right ascension so large that adding 360 degrees no longer changes it
// (a damaged site record), or an infinite one, hung the reduction of the hour angle, which
// added or took off 360 degrees until it was in range.
TEST(TopocentricParallax, HugeHourAngleDidNotEndItsReduction) {
    // Such a longitude leaves no sidereal time to speak of, but the place stays a place.
    for (double longitude : {1e20, -3e38}) {
        double ra = 1.0, dec = 0.3, az = -1, alt = -99;
        ApplyTopocentricParallax(0.2, &ra, &dec, &az, &alt, 0.0025, longitude, 40.0, 100);
        EXPECT_NEAR(ra, 1.0, 0.03) << longitude;  // at most the Moon's parallax
        EXPECT_NEAR(dec, 0.3, 0.03) << longitude;
        EXPECT_TRUE(alt >= -90.0 && alt <= 90.0 && az >= 0.0 && az <= 360.0) << longitude;
    }
    double ra = -1e30, dec = 0.3;
    ApplyTopocentricParallax(0.2, &ra, &dec, nullptr, nullptr, 0.0025, 10.0, 40.0, 100);
    EXPECT_TRUE(std::isfinite(dec));
    for (double longitude : {INFINITY, -INFINITY}) {
        ra = 1.0, dec = 0.3;
        ApplyTopocentricParallax(0.2, &ra, &dec, nullptr, nullptr, 0.0025, longitude, 40.0, 100);
        EXPECT_TRUE(std::isnan(ra)) << longitude;
    }
}

// A site at exactly 90 degrees was taken for the other pole (90 times the rounded degree passes
// pi/2, and the reduced latitude came from atan of its tangent): the Moon was moved away from the
// South Pole's zenith as seen from the North Pole. At a pole at sea level the site is (0, 0,
// +-b/a) in Earth radii: the Moon at declination d and D Earth radii (of 6378.14 km; an AU of
// 149597870 km) is seen at atan2(sin d -+ (b/a) / D, cos d), its right ascension unchanged; the
// last 0.0001 degree before the pole moves it by under 0.01".
TEST(TopocentricParallax, PoleWasTakenForTheOtherPole) {
    const double delta = 0.0025, d = 0.3, distance = delta * 149597870.0 / 6378.14;
    for (double latitude : {90.0, -90.0, 89.9999, -89.9999}) {
        const double pole = latitude > 0 ? 0.99664719 : -0.99664719;
        double ra = 1.0, dec = d;
        ApplyTopocentricParallax(0.2, &ra, &dec, nullptr, nullptr, delta, 10.0, latitude, 0);
        EXPECT_NEAR(dec / kDeg * 3600, std::atan2(std::sin(d) - pole / distance, std::cos(d)) / kDeg * 3600, 0.05)
            << latitude;
        EXPECT_NEAR(ra, 1.0, 1e-6) << latitude;
    }
}

}  // namespace
