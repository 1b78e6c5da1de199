#include "ephemeris/topocentric_parallax.h"

#include <gtest/gtest.h>

#include <cmath>

#include "core/julian_day.h"
#include "support/reference_csv.h"
#include "support/reference_table.h"
#include "support/wrapped_difference.h"

namespace {

constexpr double kDegToRad = 0.017453292519943295;
constexpr double kRadToDeg = 57.29577951308232;

// Julian centuries of the Julian day.
double Centuries(double jd) { return (jd - 2451545.0) / 36525.0; }

// Angle between two places in arcseconds (radians in).
double SeparationRad(double ra1, double dec1, double ra2, double dec2) {
    return SeparationArcsec(ra1 * kRadToDeg / 15, dec1 * kRadToDeg, ra2 * kRadToDeg / 15, dec2 * kRadToDeg);
}

// IAU 1976: 84381.448" at J2000.0; -46.815" per century.
TEST(MeanObliquity, Iau1976) {
    EXPECT_NEAR(ComputeMeanObliquity(0.0), 84381.448 / 3600, 1e-12);
    EXPECT_NEAR(ComputeMeanObliquity(1.0), (84381.448 - 46.815 - 0.00059 + 0.001813) / 3600, 1e-12);
    EXPECT_NEAR(ComputeMeanObliquity(-1.0), (84381.448 + 46.815 - 0.00059 - 0.001813) / 3600, 1e-12);
}

// Meeus, Astronomical Algorithms, example 40.a: Mars on 2003 August 28 at
// 3h17m UT from Palomar (33 21 22 N, 7h47m27s W, height
// 1706 m), geocentric 22h38m07.25s (339.530208), -15.771083 at 0.37276 AU:
// topocentric 22h38m08.54s, -15 46 30.0.
TEST(TopocentricParallax, MeeusMarsFromPalomar) {
    const double jd = JulianDayFromDateTime(2003, 8, 28, 3, 17, 0, 0);
    double ra = 339.530208 * kDegToRad, dec = -15.771083 * kDegToRad;
    ApplyTopocentricParallax(Centuries(jd), &ra, &dec, nullptr, nullptr, 0.37276,
                             (7 + 47 / 60.0 + 27 / 3600.0) * 15, 33 + 21 / 60.0 + 22 / 3600.0, 1706);
    EXPECT_NEAR(ra * kRadToDeg / 15 * 3600, 22 * 3600 + 38 * 60 + 8.54, 0.01);
    EXPECT_NEAR(dec * kRadToDeg * 3600, -(15 * 3600 + 46 * 60 + 30.0), 0.1);
}

// At 1 AU the shift never exceeds the solar parallax, 8.794"; at the Moon's
// 0.00257 AU it reaches about one degree for a body on the horizon.
TEST(TopocentricParallax, SizeOfTheShift) {
    double largestSun = 0, largestMoon = 0;
    for (double ra0 = 0; ra0 < 6.28; ra0 += 0.3) {
        for (double dec0 = -1.4; dec0 < 1.45; dec0 += 0.35) {
            for (double lat : {-60.0, 0.0, 45.0}) {
                double ra = ra0, dec = dec0;
                ApplyTopocentricParallax(0.1, &ra, &dec, nullptr, nullptr, 1.0, 20.0, lat, 3000);
                largestSun = std::max(largestSun, SeparationRad(ra, dec, ra0, dec0));
                ra = ra0, dec = dec0;
                ApplyTopocentricParallax(0.1, &ra, &dec, nullptr, nullptr, 0.00257, 20.0, lat, 0);
                largestMoon = std::max(largestMoon, SeparationRad(ra, dec, ra0, dec0));
            }
        }
    }
    EXPECT_LE(largestSun, 8.794 * (1 + 3000 / 6378140.0) + 1e-6);
    EXPECT_GT(largestSun, 8.5);
    const double moonParallax = std::asin(6378.14 / (0.00257 * 149597870.0)) * kRadToDeg * 3600;
    EXPECT_LE(largestMoon, moonParallax + 1e-6);
    EXPECT_GT(largestMoon, 0.95 * moonParallax);
    EXPECT_NEAR(moonParallax / 3600, 0.95, 0.01);
}

// On the meridian there is no shift in right ascension and the azimuth is 0
// or 180; rounding must not make it NaN. Seen from the equator at sea level
// (rho cos phi' = 1, rho sin phi' = 0) the body moves straight away from the
// zenith, by p sin(dec) in declination.
TEST(TopocentricParallax, OnTheMeridianAndFromTheEquator) {
    // The local sidereal angle at T = 0 on Greenwich, with the equation of the
    // equinoxes (-13.9" x cos 23.44 on 2000 January 1.5).
    const double meridianRa = (280.46061837 - 13.9 * 0.9175 / 3600) * kDegToRad;
    const double p = std::sin(4.263451511677261e-05 / 0.01);
    for (double decDeg : {-30.0, -5.0, 10.0, 60.0}) {
        double ra = meridianRa, dec = decDeg * kDegToRad, az = -1, alt = -1;
        ApplyTopocentricParallax(0.0, &ra, &dec, &az, &alt, 0.01, 0.0, 0.0, 0.0);
        ASSERT_FALSE(std::isnan(az)) << decDeg;
        EXPECT_NEAR(WrappedDifference(ra, meridianRa, 6.283185307179586), 0.0, 1e-9) << decDeg;
        EXPECT_NEAR(dec - decDeg * kDegToRad, p * std::sin(decDeg * kDegToRad), 2e-5) << decDeg;
        EXPECT_NEAR(alt, 90 - std::fabs(dec * kRadToDeg), 1e-3) << decDeg;
        EXPECT_NEAR(az, decDeg < 0 ? 180.0 : 0.0, 1e-3) << decDeg;
    }
}

TEST(TopocentricParallax, WithoutBothOutputsNoAltitudeOrAzimuth) {
    double ra = 1.0, dec = 0.3, az = -7, alt = -7;
    ApplyTopocentricParallax(0.2, &ra, &dec, &az, nullptr, 0.0025, 10.0, 40.0, 100);
    EXPECT_EQ(az, -7);
    EXPECT_NE(ra, 1.0);
    ApplyTopocentricParallax(0.2, &ra, &dec, nullptr, &alt, 0.0025, 10.0, 40.0, 100);
    EXPECT_EQ(alt, -7);
}

// A site longitude or right ascension so large that adding 360 degrees no longer
// changes it (a damaged site record), or an infinite one, hung the reduction of
// the hour angle, which added or took off 360 degrees until it was in range.
TEST(TopocentricParallax, HugeHourAngleDidNotEndItsReduction) {
    // Such a longitude leaves no sidereal time to speak of, but the place stays a place.
    for (double longitude : {1e20, -3e38}) {
        double ra = 1.0, dec = 0.3, az = -1, alt = -99;
        ApplyTopocentricParallax(0.2, &ra, &dec, &az, &alt, 0.0025, longitude, 40.0, 100);
        EXPECT_NEAR(ra, 1.0, 0.03) << longitude;  // at most the Moon's parallax
        EXPECT_NEAR(dec, 0.3, 0.03) << longitude;
        EXPECT_GE(alt, -90.0) << longitude;
        EXPECT_LE(alt, 90.0) << longitude;
        EXPECT_GE(az, 0.0) << longitude;
        EXPECT_LE(az, 360.0) << longitude;
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

// PyEphem's topocentric Moon, Sun and planets with their altitudes and
// azimuths (scripts/reference/bodies_pyephem.py), from its geocentric places
// and distances at the universal time it used. PyEphem gives distances to 7
// digits and the Moon's to 0.1 km; it refers the site to the same ellipsoid.
TEST(TopocentricParallax, MatchesPyEphem) {
    auto rows = ReadReferenceCsv("bodies_pyephem.csv");
    ASSERT_FALSE(rows.empty());
    int checked = 0;
    for (const auto& r : rows) {
        const int body = int(r[6]);
        if (body > 9) continue;
        const int year = int(r[0]), month = int(r[1]), day = int(r[2]);
        const double jdUT = r[21];
        double ra = r[7] * 15 * kDegToRad, dec = r[8] * kDegToRad, az, alt;
        ApplyTopocentricParallax(Centuries(jdUT), &ra, &dec, &az, &alt, r[9], r[15], r[14], r[16]);
        const double tolerance = body == 1 ? 1.5 : 0.5;  // arcseconds
        EXPECT_LT(SeparationRad(ra, dec, r[17] * 15 * kDegToRad, r[18] * kDegToRad), tolerance)
            << year << '-' << month << '-' << day << " body " << body;
        EXPECT_NEAR(alt, r[19], 2.0 / 3600) << year << " body " << body;
        EXPECT_NEAR(WrappedDifference(az, r[20], 360.0) * std::cos(alt * kDegToRad), 0.0, 2.0 / 3600)
            << year << " body " << body;
        ++checked;
    }
    EXPECT_EQ(checked, 80);
}

}  // namespace
