// The Sun by VSOP87, the Moon by ELP-2000/82 and the low-precision Sun and Moon.
#include <gtest/gtest.h>

#include <cmath>

#include "core/preferences.h"
#include "core/shared_state.h"
#include "ephemeris/ephemeris_work.h"
#include "ephemeris/low_precision_sun_moon.h"
#include "ephemeris/moon_elp2000.h"
#include "ephemeris/sun_vsop87.h"
#include "support/reference_table.h"
#include "support/wrapped_difference.h"

namespace {

constexpr double kRadToDeg = 57.29577951308232;
constexpr double kAuKm = 149597870.0;

double Centuries(double jd) { return (jd - 2451545.0) / 36525; }

// Separation in arcseconds of two places in radians (the Sun and Moon routines' unit).
double SeparationRad(double ra1, double dec1, double ra2Deg, double dec2Deg) {
    return SeparationArcsec(ra1 * kRadToDeg / 15, dec1 * kRadToDeg, ra2Deg / 15, dec2Deg);
}

// A record whose eleven fields hold a sentinel, to see which ones a routine writes.
BodyPosition Sentinels() {
    BodyPosition record;
    double* fields = &record.ra;
    for (int k = 0; k < 11; ++k) fields[k] = -99.0;
    return record;
}

class SunMoonTest : public ::testing::Test {
protected:
    void SetUp() override { ResetEphemerisWork(); }
};

// Meeus, Astronomical Algorithms, example 25.b: 1992 October 13, 0h TD, with the abridged
// series: L = 19.907372 deg, R = 0.99760775 AU; Theta = L + 180 less the FK5 correction
// (-0.09033"): 199.907347 deg; beta = -B = +0.6436" (+-0.002" for the book's rounding), then
// the FK5 correction 0.03916" (cos - sin) of lambda' = 199.906 deg: -0.0234". Apparent
// alpha = 13h13m30.749s, delta = -7 deg 47' 01.74", from the complete VSOP87; the abridged
// series comes within 0.3" (13h13m30.763s, 01.93").
TEST_F(SunMoonTest, SunMeeusExample25b) {
    const double t = Centuries(2448908.5);
    double lon, lat, r;
    EXPECT_NEAR(ComputeEarthLongitude(t), 19.907372, 1e-6);
    ComputeGeometricSun(t, &lon, &lat, &r);
    EXPECT_NEAR(lon * kRadToDeg, 199.907347, 1e-6);
    EXPECT_NEAR(lat * kRadToDeg * 3600, 0.6436 - 0.0234, 0.003);
    EXPECT_NEAR(r, 0.99760775, 1e-8);
    BodyPosition record{};
    ComputeApparentSun(&record, t);
    EXPECT_LT(SeparationRad(record.ra, record.dec, (13 + 13 / 60.0 + 30.749 / 3600) * 15,
                            -(7 + 47 / 60.0 + 1.74 / 3600)), 0.3);
    EXPECT_NEAR(record.distance, 0.99760775, 1e-8);
}

// Before 2000 (negative T) whole revolutions are removed with floor, so the Earth's longitude
// stays in [0, 360); the Sun's own longitude is not reduced and runs up to 540 degrees.
TEST(ComputeEarthLongitude, NegativeCenturiesStayInOneRevolution) {
    bool sawSunAbove2Pi = false;
    for (double t = -1.0; t <= 1.0; t += 0.0137) {
        const double l = ComputeEarthLongitude(t);
        double lon, lat, r;
        ComputeGeometricSun(t, &lon, &lat, &r);
        EXPECT_TRUE(l >= 0.0 && l < 360.0 && lon > M_PI - 1e-3 && lon < 3 * M_PI) << t;
        sawSunAbove2Pi |= lon > 2 * M_PI;
    }
    EXPECT_TRUE(sawSunAbove2Pi);
}

// Against the complete VSOP87 (libnova's VSOP87B Earth on the FK5 mean ecliptic and equinox
// of date; cross-checked with ERFA epv00 to 0.06"), 300 dates 1900-2100. The abridged series
// is good to 1" in longitude, 0.3" in latitude and 2.5e-6 AU in distance (largest errors over
// 20000 dates: 0.72", 0.29", 2.4e-6 AU). The apparent place of ERFA (epv00 with light time
// and aberration, IAU 1976/1980 precession-nutation): the same 1" (the aberration 20.4898"/R
// adds a few mas).
TEST_F(SunMoonTest, SunAgreesWithCompleteVsop87From1900To2100) {
    ReferenceTable ref = ReadReferenceTable(ZENDAVORI_SOURCE_DIR, "sun_vsop87_reference.csv");
    ASSERT_EQ(ref.rows.size(), 300u);
    for (std::size_t k = 0; k < ref.rows.size(); ++k) {
        const double jd = ref.Get(k, "jd_tt");
        double lon, lat, r;
        ComputeGeometricSun(Centuries(jd), &lon, &lat, &r);
        EXPECT_NEAR(WrappedDifference(lon * kRadToDeg, ref.Get(k, "lon_deg"), 360.0) * 3600, 0.0, 1.0) << jd;
        EXPECT_NEAR(lat * kRadToDeg * 3600, ref.Get(k, "lat_arcsec"), 0.3) << jd;
        EXPECT_NEAR(r, ref.Get(k, "r_au"), 2.5e-6) << jd;
        BodyPosition record{};
        ComputeApparentSun(&record, Centuries(jd));
        EXPECT_TRUE(record.ra >= 0.0 && record.ra < 2 * M_PI) << record.ra;
        EXPECT_LT(SeparationRad(record.ra, record.dec, ref.Get(k, "apparent_ra_deg"), ref.Get(k, "apparent_dec_deg")),
                  1.0) << jd;
        EXPECT_NEAR(record.distance, ref.Get(k, "r_au"), 2.5e-6) << jd;
    }
}

// The apparent Sun writes ra, dec, distance, the fraction 1.0 and magnitude -24.6 only, and
// leaves the apparent longitude (geometric, plus a nutation within 17.3", less 20.5"/R of
// aberration), the latitude and R in ephemerisWork.
TEST_F(SunMoonTest, ApparentSunWritesItsFieldsOnly) {
    BodyPosition record = Sentinels();
    const double t = Centuries(2455000.5);
    ComputeApparentSun(&record, t);
    EXPECT_TRUE(record.sunMoonFraction == 1.0 && record.magnitude == -24.6);
    for (int k = 5; k < 11; ++k) EXPECT_EQ((&record.ra)[k], -99.0) << k;
    double lon, lat, r;
    ComputeGeometricSun(t, &lon, &lat, &r);
    EXPECT_TRUE(ephemerisWork.latitude == lat && ephemerisWork.distance == record.distance);
    const double shift = (ephemerisWork.longitude - lon) * kRadToDeg * 3600;
    EXPECT_TRUE(shift > -20.7 / r - 17.3 && shift < -20.3 / r + 17.3) << shift;
}

// Meeus, Astronomical Algorithms, example 47.a: 1992 April 12, 0h TD, lambda = 133.162655 deg,
// beta = -3.229126 deg (his abridged series). The longitude comes out negative and lies within
// a few arcseconds of the book's once 2 pi is added. The complete ELP 2000-82B gives a
// distance of 368405.6 km (libnova), the book's abridged series 368409.7 km.
TEST(ComputeGeometricMoon, MeeusExample47a) {
    double lon, lat, dist;
    EXPECT_EQ(ComputeGeometricMoon(Centuries(2448724.5), &lon, &lat, &dist), dist);
    EXPECT_LT(lon, 0.0);
    EXPECT_NEAR((lon + 2 * M_PI) * kRadToDeg, 133.162655, 3.0 / 3600);
    EXPECT_NEAR(lat * kRadToDeg, -3.229126, 3.0 / 3600);
    EXPECT_NEAR(dist * kAuKm, 368405.6, 1.0);
}

// Against the complete ELP 2000-82B (libnova, all 36 series, taken to the mean ecliptic and
// equinox of date with the IAU 1976 precession; scripts/reference/sun_moon_reference.py; it
// agrees with JPL DE431 within 1.6" and 0.2 km), 300 dates 1900-2100. The truncation leaves out
// thousands of small planetary terms, every planetary term in distance and the terms in T,
// and its mean longitude includes the light time (-0.7"): over 20000 dates 1900-2100 it stays
// within 5.93" in longitude, 1.04" in latitude and 5.12 km in distance of the complete theory,
// hence 6", 1.1" and 5.2 km. The short series (18, 14 and 13 terms) is good to 0.06 degree,
// 0.03 degree and 230 km (largest errors over 20000 dates: 205", 107", 224 km). The apparent
// place, turned to the true equator and equinox of date by ERFA's IAU 1976/1980
// precession-nutation: the geometric bounds give at most 6.1" of separation.
TEST_F(SunMoonTest, MoonAgreesWithCompleteElp2000From1900To2100) {
    ReferenceTable ref = ReadReferenceTable(ZENDAVORI_SOURCE_DIR, "moon_elp2000_reference.csv");
    ASSERT_EQ(ref.rows.size(), 300u);
    const struct { double (*series)(double, double*, double*, double*); double lon, lat, km; } series[] = {
        {ComputeGeometricMoon, 6.0, 1.1, 5.2}, {ComputeMoonShortSeries, 0.06 * 3600, 0.03 * 3600, 230.0}};
    for (std::size_t k = 0; k < ref.rows.size(); ++k) {
        const double jd = ref.Get(k, "jd_tt");
        for (const auto& s : series) {
            double lon, lat, dist;
            EXPECT_EQ(s.series(Centuries(jd), &lon, &lat, &dist), dist);
            EXPECT_LT(std::fabs(lon), 2.1 * M_PI);
            EXPECT_NEAR(WrappedDifference(lon * kRadToDeg, ref.Get(k, "lon_deg"), 360.0) * 3600, 0.0, s.lon) << jd;
            EXPECT_NEAR((lat * kRadToDeg - ref.Get(k, "lat_deg")) * 3600, 0.0, s.lat) << jd;
            EXPECT_NEAR(dist * kAuKm, ref.Get(k, "distance_km"), s.km) << jd;
        }
        BodyPosition record{};
        ComputeApparentMoon(&record, Centuries(jd), 0.0);
        EXPECT_TRUE(record.ra >= 0.0 && record.ra < 2 * M_PI) << record.ra;
        EXPECT_LT(SeparationRad(record.ra, record.dec, ref.Get(k, "apparent_ra_deg"), ref.Get(k, "apparent_dec_deg")),
                  6.1) << jd;
        EXPECT_NEAR(record.distance * kAuKm, ref.Get(k, "distance_km"), 5.2) << jd;
    }
}

// The apparent Moon writes ra, dec, distance, the fraction, the magnitude and the diameter
// only; the diameter is that of a Moon of radius 1737.4 km (IAU mean radius) within 0.05'.
// With the Sun's longitude equal to the Moon's the elongation is the Moon's latitude alone and
// the Moon is new; half a turn away it is full (magnitude near -12.7, the full Moon's).
TEST_F(SunMoonTest, ApparentMoonFieldsConjunctionAndOpposition) {
    BodyPosition record = Sentinels();
    const double t = Centuries(2460000.5);
    ComputeApparentMoon(&record, t, 0.0);
    EXPECT_NEAR(record.apparentDiameter, 2 * std::asin(1737.4 / (record.distance * kAuKm)) * kRadToDeg * 60, 0.05);
    for (int k : {5, 7, 8, 9, 10}) EXPECT_EQ((&record.ra)[k], -99.0) << k;
    EXPECT_EQ(ephemerisWork.distance, record.distance);
    const double lambda = ephemerisWork.longitude, beta = ephemerisWork.latitude;
    ComputeApparentMoon(&record, t, lambda);
    EXPECT_NEAR(ephemerisWork.moonElongation, std::fabs(beta) * kRadToDeg, 1e-9);
    EXPECT_GT(ephemerisWork.moonPhaseAngle, 174.0);
    EXPECT_LT(record.sunMoonFraction, 0.003);
    ComputeApparentMoon(&record, t, lambda + M_PI);
    EXPECT_GT(record.sunMoonFraction, 0.997);
    EXPECT_NEAR(record.magnitude, -12.7, 0.2);
}

// The shadow's centre is the antisolar point: against the apparent Sun reversed it differs
// only by the aberration taken as 20.4898" instead of 20.4898"/R (at most 0.35"). Its distance
// is the Moon's; its diameter the umbra's at that distance in arcminutes: twice the Moon's
// parallax plus the Sun's less the Sun's semidiameter (classical eclipse geometry, Earth
// radius 6378.14 km, Sun radius 695000 km), about 1.4 degree.
TEST_F(SunMoonTest, EarthShadowIsOppositeTheSunAtTheMoonsDistance) {
    for (double jd : {2415020.5, 2440000.5, 2451545.0, 2460310.5, 2488000.5}) {
        const double t = Centuries(jd);
        BodyPosition sun{}, moon{}, shadow = Sentinels();
        ComputeApparentSun(&sun, t);
        const double sunLongitude = ephemerisWork.longitude, sunKm = ephemerisWork.distance * kAuKm;
        ComputeApparentMoon(&moon, t, sunLongitude);
        ComputeApparentEarthShadow(&shadow, t, sunLongitude);
        EXPECT_LT(SeparationRad(shadow.ra, shadow.dec, sun.ra * kRadToDeg + 180, -sun.dec * kRadToDeg), 0.4) << jd;
        EXPECT_TRUE(shadow.ra >= 0.0 && shadow.ra < 2 * M_PI && shadow.distance == moon.distance) << jd;
        EXPECT_GT(shadow.sunMoonFraction, 0.99);  // about 180 degrees from the Sun
        EXPECT_TRUE(shadow.illuminatedFraction == -99.0 && shadow.elongation == -99.0);
        const double moonKm = shadow.distance * kAuKm;
        const double radius = std::asin(6378.14 / moonKm) + std::asin(6378.14 / sunKm) - std::asin(695000.0 / sunKm);
        EXPECT_NEAR(shadow.apparentDiameter, 2 * radius * kRadToDeg * 60, 0.05) << jd;
    }
}

class LowPrecisionTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetSharedState();
        preferences.SetFloat(kPrefCurrentDeltaT, 69.9f);  // the references take 69 s
    }
    void TearDown() override { ResetSharedState(); }
};

// The loop ends on the first correction that is not above 1e-9: from E = M the first
// correction has the sign of sin M, so a negative one ends the loop at once; a positive one
// overshoots (the function is convex there) and the second, negative, correction ends it.
// One Newton step leaves an error of order e^2 sin M / 2: about 2e-6 rad here.
TEST(SolveKeplerSigned, StepCountFollowsTheSignOfSinM) {
    const double eccentricity = 0.01675;  // the Earth's near 1900-2000
    double e;
    for (int degrees = 1; degrees < 360; degrees += 7) {
        const double m = degrees * M_PI / 180;
        EXPECT_EQ(SolveKeplerSigned(m, eccentricity, &e), std::sin(m) < 0 ? 1 : 2) << degrees;
        EXPECT_NEAR(e - eccentricity * std::sin(e), m, 3e-6) << degrees;
    }
    EXPECT_EQ(SolveKeplerSigned(0.0, eccentricity, &e), 1);
    EXPECT_EQ(e, 0.0);
    EXPECT_EQ(SolveKeplerSigned(M_PI, eccentricity, &e), 1);
}

// The geometric Sun of the complete VSOP87 (libnova) on the mean equator and equinox of date,
// 200 local dates and times 1800-2100 (before 1900 T is negative) in eight zones: the
// Keplerian Sun on mean elements is good to 0.01 degree (largest error over 20000 dates
// 1800-2100: 34.7"). The geometric geocentric Moon of the complete ELP 2000-82B, 200 local
// dates and times 2006-2049 (where Delta T is the preference): the short series with the site
// shift (at most 3.4") is good to 0.06 degree (largest error over 20000 dates: 203").
// Right ascensions lie in [0, 24).
TEST_F(LowPrecisionTest, SunAndMoonAgreeWithCompleteTheories) {
    const struct { const char* file; void (*routine)(double*, double*, int, int, int, int, int, int); double bound; }
        cases[] = {{"sun_low_precision_reference.csv", ComputeSunPosition, 36.0},
                   {"moon_low_precision_reference.csv", ComputeMoonPosition, 216.0}};
    for (const auto& c : cases) {
        ReferenceTable ref = ReadReferenceTable(ZENDAVORI_SOURCE_DIR, c.file);
        ASSERT_EQ(ref.rows.size(), 200u);
        for (std::size_t k = 0; k < ref.rows.size(); ++k) {
            currentSite.zoneMinutes = static_cast<int16_t>(ref.Get(k, "zone_min"));
            double ra, dec;
            c.routine(&ra, &dec, int(ref.Get(k, "year")), int(ref.Get(k, "month")), int(ref.Get(k, "day")),
                      int(ref.Get(k, "hour")), int(ref.Get(k, "minute")), int(ref.Get(k, "second")));
            EXPECT_TRUE(ra >= 0.0 && ra < 24.0) << ra;
            EXPECT_LT(SeparationArcsec(ra, dec, ref.Get(k, "ra_h"), ref.Get(k, "dec_deg")), c.bound) << c.file << k;
        }
    }
}

// Delta T counts in whole seconds, truncated: 69.9 s adds 69 s.
TEST_F(LowPrecisionTest, DeltaTIsTruncatedToWholeSeconds) {
    const float deltaT[3] = {69.0f, 69.9f, 70.0f};
    for (auto routine : {ComputeSunPosition, ComputeMoonPosition}) {
        double ra[3], dec[3];
        for (int i = 0; i < 3; ++i) {
            preferences.SetFloat(kPrefCurrentDeltaT, deltaT[i]);
            routine(&ra[i], &dec[i], 2020, 5, 17, 21, 30, 0);
        }
        EXPECT_TRUE(ra[1] == ra[0] && dec[1] == dec[0] && ra[2] != ra[0]);
    }
}

// The effective distance of about 60 000 Earth radii moves the Moon by at most 1/60362 rad
// (3.42") towards a site, so two sites in the same zone differ by at most twice that.
TEST_F(LowPrecisionTest, MoonSiteShiftIsAtMostAFewArcseconds) {
    double raNorth, decNorth, raSouth, decSouth;
    SetSiteLatitude(currentSite, 60.0);
    ComputeMoonPosition(&raNorth, &decNorth, 2012, 10, 5, 3, 0, 0);
    SetSiteLatitude(currentSite, -45.0);
    ComputeMoonPosition(&raSouth, &decSouth, 2012, 10, 5, 3, 0, 0);
    const double shift = SeparationArcsec(raNorth, decNorth, raSouth, decSouth);
    EXPECT_TRUE(shift > 0.1 && shift < 6.9) << shift;
}

}  // namespace
