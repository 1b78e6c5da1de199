#include "ephemeris/body_positions.h"

#include <gtest/gtest.h>

#include <cmath>

#include "core/delta_t.h"
#include "core/julian_day.h"
#include "core/preferences.h"
#include "core/shared_state.h"
#include "core/sidereal_time.h"
#include "support/reference_csv.h"
#include "support/reference_table.h"
#include "support/test_site.h"
#include "support/wrapped_difference.h"

namespace {

constexpr double kDegToRad = 0.017453292519943295;

// A record whose every field holds a marker, to see which ones a path writes.
BodyPosition Marked() {
    BodyPosition p;
    double* f = &p.ra;
    for (int i = 0; i < 11; ++i) f[i] = -777.0;
    return p;
}

class Bodies : public ::testing::Test {
protected:
    void SetUp() override {
        ResetWithDefaults();
        currentSite.zoneMinutes = 0;
    }
    static void Mode(int mode) { preferences.word[kPrefPositionMode] = mode; }
    static void Site(double lat, double lonWest, int height) { SetTestSite(lat, lonWest, 0, height); }
    // ComputeBody at a TT instant: the local time (zone 0) is the instant less
    // the whole seconds of Delta T that ComputeBody adds back.
    static int AtTT(BodyPosition* out, int body, int y, int mo, int d, int h, int mi, int s) {
        const int deltaT = static_cast<int>(ComputeDeltaT(y, mo, d));
        return ComputeBody(out, body, y, mo, d, h, mi, s - deltaT);
    }
};

// The largest heliocentric longitude errors of Simon et al. (1994) over
// 1800-2050 against DE102, arcseconds: Mercury, Venus, Earth-Moon barycentre,
// Mars, Jupiter, Saturn, Uranus, Neptune (A&A 282, 663, table 6).
double SimonError(int body) {
    static const double kError[] = {4, 5, 17, 71, 81, 86, 11};  // Mercury, Venus, Mars .. Neptune
    return kError[body - 2];
}
constexpr double kSimonEarthError = 6;

// Geocentric apparent places against PyEphem (VSOP87 planets and Sun, ELP Moon,
// Chapront's Pluto; scripts/reference/bodies_pyephem.py) at eight instants of
// 1951-2043, each to the accuracy of the program's theory:
//  - a planet: its heliocentric error seen from the Earth, plus the Earth's,
//    (e r + e_E R) / Delta, and 2" for PyEphem;
//  - the Sun: 1" of the abridged VSOP87 and 2" for PyEphem;
//  - the Moon: 3" of the truncated ELP and 10" of PyEphem's Moon;
//  - the Earth's shadow: the antisolar point, 2";
//  - Pluto: 60" of the seven-term series (see pluto_test), seen from the
//    Earth at 30-50 AU as about the same angle, and 0.01 degree of the
//    low-precision Sun scaled by R / Delta: 80".
// PyEphem's distances of the planets are light-time distances, the program's
// geometric ones: they differ by the radial velocity (up to 45 km/s) times the
// light time, 1.5e-4 of the distance, to which the theories add up to 5e-5.
double Tolerance(int body, const std::vector<double>& r) {
    switch (body) {
    case 0: return 3;
    case 1: return 13;
    case 9: return 80;
    case 13: return 2;
    default: return (SimonError(body) * r[10] + kSimonEarthError * r[11]) / r[9] + 2;
    }
}

void ExpectMatchesPyEphem(const BodyPosition& p, const std::vector<double>& r) {
    const int body = int(r[6]);
    const double tolerance = Tolerance(body, r);
    EXPECT_LT(SeparationArcsec(p.ra, p.dec, r[7], r[8]), tolerance);
    EXPECT_NEAR(p.distance, r[9], body == 1 || body == 13 ? 2e-7 : 2e-4 * r[9]);
    EXPECT_GE(p.ra, 0.0);
    EXPECT_LT(p.ra, 24.0);
    // Ecliptic of date from the same place: the mean obliquities of the two
    // programs differ by far less than the place's own tolerance.
    EXPECT_NEAR(WrappedDifference(p.eclipticLongitude, r[22], 360.0) * std::cos(r[23] * kDegToRad), 0.0,
                (tolerance + 2) / 3600);
    EXPECT_NEAR(p.eclipticLatitude, r[23], (tolerance + 2) / 3600);
    EXPECT_GE(p.eclipticLongitude, 0.0);
    EXPECT_LT(p.eclipticLongitude, 360.0);
    if (body == 1) {
        EXPECT_NEAR(p.sunMoonFraction, r[13], 0.003);      // from the ELP Moon
        EXPECT_NEAR(p.illuminatedFraction, r[13], 0.015);  // the quick phase routine
    }
}

TEST_F(Bodies, GeocentricPlacesMatchPyEphem) {
    auto rows = ReadReferenceCsv("bodies_pyephem.csv");
    ASSERT_EQ(rows.size(), 88u);
    for (const auto& r : rows) {
        const int body = int(r[6]);
        BodyPosition p = Marked();
        SCOPED_TRACE(::testing::Message() << r[0] << '-' << r[1] << '-' << r[2] << " body " << body);
        EXPECT_EQ(AtTT(&p, body, int(r[0]), int(r[1]), int(r[2]), int(r[3]), int(r[4]), int(r[5])), 0);
        ExpectMatchesPyEphem(p, r);
    }
}

// Pluto's series is referred to the equinox of J2000.0 and the Sun it was
// combined with to the equinox of the date: the place drifted by 50" a year
// from 2000 (0.34 degree in 2024) until Pluto was precessed to the date.
TEST_F(Bodies, PlutoMixedJ2000AndDateEquinoxes) {
    for (const auto& r : ReadReferenceCsv("bodies_pyephem.csv")) {
        if (int(r[6]) != 9) continue;
        BodyPosition p{};
        AtTT(&p, 9, int(r[0]), int(r[1]), int(r[2]), int(r[3]), int(r[4]), int(r[5]));
        EXPECT_LT(SeparationArcsec(p.ra, p.dec, r[7], r[8]), 80.0) << r[0];
    }
}

// The phase geometry needs the distances from the Sun; the chain's r is from the
// solar-system barycentre (and its R too in the topocentric modes), which
// turned Jupiter's elongation near conjunction by most of a degree. Elongation
// and illuminated fraction against PyEphem, in both kinds of place.
TEST_F(Bodies, PlanetPhaseUsedBarycentricDistances) {
    for (const auto& r : ReadReferenceCsv("bodies_pyephem.csv")) {
        const int body = int(r[6]);
        if (body < 2 || body > 9) continue;
        for (int mode : {0, 2}) {
            Mode(mode);
            BodyPosition p{};
            AtTT(&p, body, int(r[0]), int(r[1]), int(r[2]), int(r[3]), int(r[4]), int(r[5]));
            SCOPED_TRACE(::testing::Message() << r[0] << " body " << body << " mode " << mode);
            EXPECT_NEAR(p.elongation, r[12], 0.03);
            EXPECT_NEAR(p.illuminatedFraction, r[13], 0.0002);
        }
    }
}

// Positions mode 1 and 3 only add refraction elsewhere: the places are those of
// modes 0 and 2.
TEST_F(Bodies, RefractionModesGiveTheSamePlaces) {
    Site(47.0, -8.0, 500);
    for (int body : {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 13}) {
        for (int mode : {0, 2}) {
            BodyPosition a{}, b{};
            Mode(mode);
            ComputeBody(&a, body, 2021, 5, 26, 11, 15, 0);
            Mode(mode + 1);
            ComputeBody(&b, body, 2021, 5, 26, 11, 15, 0);
            EXPECT_EQ(a.ra, b.ra) << body << ' ' << mode;
            EXPECT_EQ(a.dec, b.dec) << body << ' ' << mode;
            EXPECT_EQ(a.distance, b.distance) << body << ' ' << mode;
        }
    }
}

// Topocentric places against PyEphem's: the Moon moves by up to a degree; the
// Sun, the planets and Pluto by their parallax. The Sun, the Moon and Pluto
// take the sidereal time from TT, which turns the site Delta T (about a
// minute) too far: about 20" of the Moon's parallax at most.
TEST_F(Bodies, TopocentricPlacesMatchPyEphem) {
    auto rows = ReadReferenceCsv("bodies_pyephem.csv");
    ASSERT_FALSE(rows.empty());
    double largestMoonShift = 0;
    for (const auto& r : rows) {
        const int body = int(r[6]);
        if (body == 13) continue;
        Site(r[14], r[15], int(r[16]));
        Mode(2);
        BodyPosition topo{}, geo{};
        AtTT(&topo, body, int(r[0]), int(r[1]), int(r[2]), int(r[3]), int(r[4]), int(r[5]));
        Mode(0);
        AtTT(&geo, body, int(r[0]), int(r[1]), int(r[2]), int(r[3]), int(r[4]), int(r[5]));
        const double shift = SeparationArcsec(topo.ra, topo.dec, geo.ra, geo.dec);
        const double expectedShift = SeparationArcsec(r[17], r[18], r[7], r[8]);
        SCOPED_TRACE(::testing::Message() << r[0] << '-' << r[1] << '-' << r[2] << " body " << body);
        EXPECT_NEAR(shift, expectedShift, body == 1 ? 40.0 : 1.0);
        if (body == 1) largestMoonShift = std::max(largestMoonShift, shift);
    }
    EXPECT_GT(largestMoonShift, 0.8 * 3600);
    EXPECT_LT(largestMoonShift, 1.03 * 3600);
}

// The Moon's fraction follows the requested date, not the program's date: new
// Moon on 2024 April 8, full Moon on April 23.
TEST_F(Bodies, MoonFractionFollowsTheRequestedDate) {
    SetCurrentDateTime(2024, 4, 15, 12, 0, 0);
    BodyPosition p{};
    ComputeBody(&p, 1, 2024, 4, 8, 18, 0, 0);
    EXPECT_LT(p.illuminatedFraction, 0.01);
    EXPECT_LT(p.sunMoonFraction, 0.01);
    ComputeBody(&p, 1, 2024, 4, 23, 23, 0, 0);
    EXPECT_GT(p.illuminatedFraction, 0.98);
    EXPECT_GT(p.sunMoonFraction, 0.98);
}

// Body 13 is the Earth's shadow: opposite the Sun, at the Moon's distance;
// never the zero place of a chain body without a number.
TEST_F(Bodies, EarthShadowOppositeTheSun) {
    BodyPosition sun{}, moon{}, shadow = Marked();
    EXPECT_EQ(ComputeBody(&sun, 0, 2025, 3, 14, 6, 58, 0), 0);
    EXPECT_EQ(ComputeBody(&moon, 1, 2025, 3, 14, 6, 58, 0), 0);
    EXPECT_EQ(ComputeBody(&shadow, 13, 2025, 3, 14, 6, 58, 0), 0);
    EXPECT_NEAR(std::fabs(WrappedDifference(shadow.ra, sun.ra, 24.0)), 12.0, 0.01);
    EXPECT_NEAR(shadow.dec, -sun.dec, 0.01);
    EXPECT_DOUBLE_EQ(shadow.distance, moon.distance);
    // Total lunar eclipse of 2025 March 14 (greatest at 6h59m UT): the Moon
    // within the umbra's radius of about 0.7 degree of the shadow's centre.
    EXPECT_LT(SeparationArcsec(shadow.ra, shadow.dec, moon.ra, moon.dec), 0.7 * 3600);
    EXPECT_EQ(shadow.illuminatedFraction, -777.0);
    EXPECT_EQ(shadow.elongation, -777.0);
    EXPECT_EQ(shadow.bodyConstant, -777.0);
}

// Which fields each path writes, and what the Sun, Pluto and the Earth get.
TEST_F(Bodies, FieldsLeftAsTheCallerLeftThem) {
    BodyPosition sun = Marked(), moon = Marked(), mars = Marked(), pluto = Marked(), earth = Marked();
    ComputeBody(&sun, 0, 2020, 1, 1, 0, 0, 0);
    ComputeBody(&moon, 1, 2020, 1, 1, 0, 0, 0);
    ComputeBody(&mars, 4, 2020, 1, 1, 0, 0, 0);
    ComputeBody(&pluto, 9, 2020, 1, 1, 0, 0, 0);
    ComputeBody(&earth, 10, 2020, 1, 1, 0, 0, 0);
    EXPECT_EQ(sun.sunMoonFraction, 1.0);
    EXPECT_EQ(sun.magnitude, -24.6);
    EXPECT_EQ(sun.bodyConstant, 3.0);
    EXPECT_NEAR(sun.apparentDiameter, 1919.26 / 60 / sun.distance, 1e-12);
    EXPECT_EQ(sun.illuminatedFraction, -777.0);
    EXPECT_EQ(sun.elongation, -777.0);
    EXPECT_EQ(moon.bodyConstant, 3.0);
    EXPECT_EQ(moon.elongation, -777.0);
    EXPECT_NEAR(moon.apparentDiameter, 31.0, 2.5);
    EXPECT_EQ(mars.sunMoonFraction, -777.0);
    EXPECT_EQ(mars.bodyConstant, -777.0);
    EXPECT_EQ(pluto.bodyConstant, 0.1);
    EXPECT_EQ(pluto.sunMoonFraction, -777.0);
    EXPECT_NEAR(pluto.magnitude, 14.3, 0.5);
    EXPECT_EQ(earth.apparentDiameter, 0.0);
    EXPECT_EQ(earth.magnitude, -777.0);
    EXPECT_EQ(earth.sunMoonFraction, -777.0);
}

// Outside JD 2340000.5-2560000.5 (1694-2296) the chain has no planets: the
// code says so. The Sun, the Moon, Pluto and the shadow have no limit.
TEST_F(Bodies, DateOutsideTheChainRange) {
    BodyPosition p{};
    for (int body : {2, 3, 4, 5, 6, 7, 8, 10}) {
        EXPECT_EQ(ComputeBody(&p, body, 1650, 6, 1, 0, 0, 0), 11) << body;
        EXPECT_EQ(ComputeBody(&p, body, 2310, 6, 1, 0, 0, 0), 11) << body;
        EXPECT_EQ(ComputeBody(&p, body, 2000, 6, 1, 0, 0, 0), 0) << body;
    }
    for (int body : {0, 1, 9, 13}) EXPECT_EQ(ComputeBody(&p, body, 1650, 6, 1, 0, 0, 0), 0) << body;
    EXPECT_NE(ComputeBody(&p, 11, 2000, 6, 1, 0, 0, 0), 0);
}

// At the June solstice of 2000 (21 June, 1h48m UT) the Sun stands at right
// ascension 6 h, declination +23.44: ecliptic longitude 90, latitude 0 (to the
// few arcseconds by which the true equator of the apparent place differs from
// the mean one of the obliquity used: the nutation in obliquity, up to 9").
TEST_F(Bodies, EclipticCoordinatesAtTheSolstice) {
    BodyPosition p{};
    ComputeBody(&p, 0, 2000, 6, 21, 1, 48, 0);
    EXPECT_NEAR(p.ra, 6.0, 0.002);
    EXPECT_NEAR(p.dec, 23.44, 0.005);
    EXPECT_NEAR(p.eclipticLongitude, 90.0, 0.01);
    EXPECT_NEAR(p.eclipticLatitude, 0.0, 0.003);
}

// The ring term: 0 edge-on, about -0.93 at a tilt of 27 degrees, never positive.
TEST(SaturnRings, MagnitudeTerm) {
    EXPECT_EQ(SaturnRingMagnitude(0.0), 0.0);
    EXPECT_NEAR(SaturnRingMagnitude(27 * kDegToRad), -0.93, 0.005);
    EXPECT_NEAR(SaturnRingMagnitude(-27 * kDegToRad), -0.93, 0.005);
    for (double b = -0.5; b <= 0.5; b += 0.01) EXPECT_LE(SaturnRingMagnitude(b), 0.0) << b;
}

// The Earth crossed Saturn's ring plane on 2009 September 4 and 2025 March 23
// (rings edge-on); in 2017 October the rings were open by about 27 degrees.
TEST_F(Bodies, SaturnRingTiltAtPublishedDates) {
    struct Case {
        int y, m, d;
        double tilt, tolerance;
    } cases[] = {
        {2009, 9, 4, 0.0, 0.3},
        {2025, 3, 23, 0.0, 0.3},
        {2017, 10, 16, 27.0, 0.5},
    };
    for (const Case& c : cases) {
        BodyPosition p{};
        ComputeBody(&p, 6, c.y, c.m, c.d, 0, 0, 0);
        const double b =
            ComputeSaturnRingTilt(p.eclipticLongitude, p.eclipticLatitude, c.y, c.m, c.d, 0, 0, 0);
        EXPECT_NEAR(std::fabs(b) / kDegToRad, c.tilt, c.tolerance) << c.y;
    }
    // Edge-on, the magnitude is the phase law's alone: Saturn on 2025 March 23
    // near conjunction, r = 9.9, Delta = 10.8.
    BodyPosition p{};
    ComputeBody(&p, 6, 2025, 3, 23, 0, 0, 0);
    EXPECT_NEAR(p.magnitude, -8.88 + 5 * std::log10(9.9 * 10.8), 0.1);
}

// A right ascension carried below 0 h by the parallax comes back in [0, 24):
// the Moon just past 0 h seen from a site where it is setting.
TEST_F(Bodies, NegativeRightAscensionAfterParallaxWraps) {
    BodyPosition p{};
    int hour = 0;
    for (; hour < 24 * 30; ++hour) {  // the hour in which the Moon passes 0 h
        ComputeBody(&p, 1, 2024, 1, 1 + hour / 24, hour % 24, 0, 0);
        if (p.ra < 0.5) break;
    }
    ASSERT_LT(hour, 24 * 30);
    int minute = 0;
    for (int m = -60; m <= 0; ++m) {  // the first minute after the passage
        ComputeBody(&p, 1, 2024, 1, 1 + hour / 24, hour % 24, m, 0);
        if (p.ra < 0.5) {
            minute = m;
            break;
        }
    }
    ASSERT_LT(p.ra, 0.02);
    // A site where the Moon's hour angle is +6 h: parallax pushes it west.
    const double gst = GetLocalSiderealTime(2024, 1, 1 + hour / 24, hour % 24, minute, 0, 0.0, 0);
    Site(0.0, WrappedDifference((gst - 6.0) * 15, 0.0, 360.0), 0);
    Mode(2);
    ComputeBody(&p, 1, 2024, 1, 1 + hour / 24, hour % 24, minute, 0);
    EXPECT_GT(p.ra, 23.9);
    EXPECT_LT(p.ra, 24.0);
}

// Saturn's heliocentric place for the moon views: degrees in [0, 360), the
// radius as PyEphem gives it (Simon's Saturn, good to 81" in longitude, to a
// few 1e-3 AU in radius); the Sun's and the Moon's distances as the theories'.
TEST_F(Bodies, HeliocentricPlaces) {
    auto rows = ReadReferenceCsv("bodies_pyephem.csv");
    for (const auto& r : rows) {
        const int body = int(r[6]);
        if (body != 6 && body != 0 && body != 1) continue;
        const double jd =
            JulianDayFromDateTime(int(r[0]), int(r[1]), int(r[2]), int(r[3]), int(r[4]), int(r[5]), 0);
        double lon = -1, lat = -1, radius = -1;
        GetHeliocentricXYZ(body, jd, &lon, &lat, &radius);
        EXPECT_GE(lon, 0.0);
        EXPECT_LT(lon, 360.0);
        EXPECT_NEAR(radius, body == 6 ? r[10] : r[9], body == 6 ? 2e-3 : 2e-6)
            << r[0] << " body " << body;
    }
    double lon = -1, lat = -1, radius = -1;
    GetHeliocentricXYZ(11, 2451545.0, &lon, &lat, &radius);
    EXPECT_EQ(lon, -1);
    EXPECT_EQ(radius, -1);
}

}  // namespace
