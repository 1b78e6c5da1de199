#include "ephemeris/moon_elp2000.h"

#include <gtest/gtest.h>

#include <cmath>

#include "ephemeris/ephemeris_work.h"
#include "ephemeris/sun_vsop87.h"
#include "support/reference_table.h"
#include "support/wrapped_difference.h"

namespace {

constexpr double kRadToDeg = 57.29577951308232;
constexpr double kAuKm = 149597870.0;

double CenturiesFromJ2000(double jd) { return (jd - 2451545.0) / 36525; }

// Meeus, Astronomical Algorithms, example 47.a: 1992 April 12, 0h TD, lambda = 133.162655 deg,
// beta = -3.229126 deg (his abridged series). The longitude comes out negative and lies
// within a few arcseconds of the book's once 2 pi is added. The complete ELP 2000-82B gives
// a distance of 368405.6 km (libnova), the book's abridged series 368409.7 km.
TEST(ComputeGeometricMoon, MeeusExample47a) {
    double lon, lat, dist;
    double returned = ComputeGeometricMoon(CenturiesFromJ2000(2448724.5), &lon, &lat, &dist);
    EXPECT_LT(lon, 0.0);
    EXPECT_NEAR((lon + 2 * M_PI) * kRadToDeg, 133.162655, 3.0 / 3600);
    EXPECT_NEAR(lat * kRadToDeg, -3.229126, 3.0 / 3600);
    EXPECT_NEAR(dist * kAuKm, 368405.6, 1.0);
    EXPECT_EQ(returned, dist);
}

// Against the complete ELP 2000-82B (libnova, all 36 series, taken to the mean ecliptic and
// equinox of date with the IAU 1976 precession; scripts/reference/sun_moon_reference.py; it
// agrees with JPL DE431 within 1.6" and 0.2 km). 300 dates 1900-2100. The truncation leaves out
// thousands of small planetary terms, every planetary term in distance and the terms in T,
// and its mean longitude includes the light time (-0.7"): over 20000 dates 1900-2100 it stays
// within 5.93" in longitude, 1.04" in latitude and 5.12 km in distance of the complete
// theory, which the tolerances below state.
constexpr double kLongitudeBound = 6.0;  // arcseconds
constexpr double kLatitudeBound = 1.1;   // arcseconds
constexpr double kDistanceBound = 5.2;   // km

using MoonSeries = double (*)(double, double*, double*, double*);

// Checks a series against every row of the reference within the bounds (arcseconds, km).
void ExpectAgreesWithReference(MoonSeries series, double lonBound, double latBound,
                               double kmBound) {
    ReferenceTable ref = ReadReferenceTable(ZENDAVORI_SOURCE_DIR, "moon_elp2000_reference.csv");
    ASSERT_EQ(ref.rows.size(), 300u);
    for (std::size_t k = 0; k < ref.rows.size(); ++k) {
        double jd = ref.Get(k, "jd_tt");
        double lon, lat, dist;
        double returned = series(CenturiesFromJ2000(jd), &lon, &lat, &dist);
        EXPECT_EQ(returned, dist);
        EXPECT_LT(std::fabs(lon), 2.1 * M_PI);
        double lonError = WrappedDifference(lon * kRadToDeg, ref.Get(k, "lon_deg"), 360.0);
        EXPECT_NEAR(lonError * 3600, 0.0, lonBound) << jd;
        EXPECT_NEAR((lat * kRadToDeg - ref.Get(k, "lat_deg")) * 3600, 0.0, latBound) << jd;
        EXPECT_NEAR(dist * kAuKm, ref.Get(k, "distance_km"), kmBound) << jd;
    }
}

TEST(ComputeGeometricMoon, AgreesWithCompleteElp2000From1900To2100) {
    ExpectAgreesWithReference(ComputeGeometricMoon, kLongitudeBound, kLatitudeBound,
                              kDistanceBound);
}

// The short series against the same reference: 18, 14 and 13 terms are good to 0.06 degree in
// longitude, 0.03 degree in latitude and 230 km (largest errors over 20000 dates 1900-2100:
// 205", 107", 224 km).
TEST(ComputeMoonShortSeries, AgreesWithCompleteElp2000WithinItsAccuracy) {
    ExpectAgreesWithReference(ComputeMoonShortSeries, 0.06 * 3600, 0.03 * 3600, 230.0);
}

class ApparentMoonTest : public ::testing::Test {
protected:
    void SetUp() override { ResetEphemerisWork(); }

    // A record whose eleven fields hold a sentinel, to see which ones a routine writes.
    static BodyPosition Sentinels() {
        BodyPosition record;
        double* fields = &record.ra;
        for (int k = 0; k < 11; ++k) fields[k] = -99.0;
        return record;
    }
};

// The apparent place against the complete ELP 2000-82B turned to the true equator and
// equinox of date by ERFA's IAU 1976/1980 precession-nutation: the geometric bounds above
// (6" and 1.1") give at most 6.1" of separation.
TEST_F(ApparentMoonTest, AgreesWithCompleteElp2000From1900To2100) {
    ReferenceTable ref = ReadReferenceTable(ZENDAVORI_SOURCE_DIR, "moon_elp2000_reference.csv");
    ASSERT_EQ(ref.rows.size(), 300u);
    for (std::size_t k = 0; k < ref.rows.size(); ++k) {
        double jd = ref.Get(k, "jd_tt");
        BodyPosition record{};
        ComputeApparentMoon(&record, CenturiesFromJ2000(jd), 0.0);
        EXPECT_GE(record.ra, 0.0);
        EXPECT_LT(record.ra, 2 * M_PI);
        EXPECT_LT(SeparationArcsec(record.ra * kRadToDeg / 15, record.dec * kRadToDeg,
                                   ref.Get(k, "apparent_ra_deg") / 15,
                                   ref.Get(k, "apparent_dec_deg")),
                  6.1)
            << jd;
        EXPECT_NEAR(record.distance * kAuKm, ref.Get(k, "distance_km"), kDistanceBound) << jd;
    }
}

// The routine writes ra, dec, distance, the fraction, the magnitude and the diameter only.
// The diameter is that of a Moon of radius 1737.4 km (IAU mean radius) within 0.05'.
TEST_F(ApparentMoonTest, WritesItsFieldsAndDiameter) {
    BodyPosition record = Sentinels();
    double t = CenturiesFromJ2000(2451550.1);
    ComputeApparentMoon(&record, t, 0.0);
    double km = record.distance * kAuKm;
    EXPECT_NEAR(record.apparentDiameter, 2 * std::asin(1737.4 / km) * kRadToDeg * 60, 0.05);
    EXPECT_EQ(record.illuminatedFraction, -99.0);
    EXPECT_EQ(record.bodyConstant, -99.0);
    EXPECT_EQ(record.elongation, -99.0);
    EXPECT_EQ(record.eclipticLongitude, -99.0);
    EXPECT_EQ(record.eclipticLatitude, -99.0);
    EXPECT_EQ(ephemerisWork.distance, record.distance);
}

// With the Sun's longitude equal to the Moon's the elongation is the Moon's latitude alone
// and the Moon is new (fraction near 0); half a turn away it is full (fraction near 1, and
// the magnitude near -12.7, the full Moon's).
TEST_F(ApparentMoonTest, ConjunctionAndOpposition) {
    double t = CenturiesFromJ2000(2460000.5);
    BodyPosition record{};
    ComputeApparentMoon(&record, t, 0.0);
    double lambda = ephemerisWork.longitude;
    double beta = ephemerisWork.latitude;
    ComputeApparentMoon(&record, t, lambda);
    EXPECT_NEAR(ephemerisWork.moonElongation, std::fabs(beta) * kRadToDeg, 1e-9);
    EXPECT_GT(ephemerisWork.moonPhaseAngle, 174.0);
    EXPECT_LT(record.sunMoonFraction, 0.003);
    ComputeApparentMoon(&record, t, lambda + M_PI);
    EXPECT_GT(record.sunMoonFraction, 0.997);
    EXPECT_NEAR(record.magnitude, -12.7, 0.2);
}

// The Moon keeps its arguments in [0, 2 pi); the shadow routine leaves fmod's sign, so before
// 2000 some come out negative.
TEST_F(ApparentMoonTest, ArgumentReductionDiffersBetweenMoonAndShadow) {
    double t = CenturiesFromJ2000(2433282.5);  // 1950
    BodyPosition record{};
    ComputeApparentMoon(&record, t, 0.0);
    EXPECT_GE(ephemerisWork.moonMeanAnomaly, 0.0);
    EXPECT_GE(ephemerisWork.moonMeanElongation, 0.0);
    double positive = ephemerisWork.moonMeanAnomaly;
    ComputeApparentEarthShadow(&record, t, 0.0);
    EXPECT_LT(ephemerisWork.moonMeanAnomaly, 0.0);
    EXPECT_NEAR(ephemerisWork.moonMeanAnomaly + 2 * M_PI, positive, 1e-12);
}

// The shadow's centre is the antisolar point: against the apparent Sun reversed (right
// ascension + 12 h, declination negated) it differs only by the aberration taken as 20.4898"
// instead of 20.4898"/R (at most 0.35"). Its distance is the Moon's.
TEST_F(ApparentMoonTest, EarthShadowIsOppositeTheSunAtTheMoonsDistance) {
    for (double jd : {2415020.5, 2440000.5, 2451545.0, 2460310.5, 2488000.5}) {
        double t = CenturiesFromJ2000(jd);
        BodyPosition sun{}, moon{};
        ComputeApparentSun(&sun, t);
        double sunLongitude = ephemerisWork.longitude;
        ComputeApparentMoon(&moon, t, sunLongitude);
        BodyPosition shadow = Sentinels();
        ComputeApparentEarthShadow(&shadow, t, sunLongitude);
        EXPECT_LT(SeparationArcsec(shadow.ra * kRadToDeg / 15, shadow.dec * kRadToDeg,
                                   sun.ra * kRadToDeg / 15 + 12, -sun.dec * kRadToDeg),
                  0.4)
            << jd;
        EXPECT_GE(shadow.ra, 0.0);
        EXPECT_LT(shadow.ra, 2 * M_PI);
        EXPECT_EQ(shadow.distance, moon.distance);
        EXPECT_GT(shadow.sunMoonFraction, 0.99);  // about 180 degrees from the Sun
        EXPECT_EQ(shadow.illuminatedFraction, -99.0);
        EXPECT_EQ(shadow.elongation, -99.0);
    }
}

// The shadow's diameter is the umbra's angular diameter at the Moon's distance, in
// arcminutes: twice the Moon's parallax plus the Sun's parallax less the Sun's semidiameter
// (classical eclipse geometry, Earth radius 6378.14 km, Sun radius 695000 km), about 1.4 deg.
TEST_F(ApparentMoonTest, EarthShadowDiameterIsTheUmbrasInArcminutes) {
    double t = CenturiesFromJ2000(2458863.5);
    BodyPosition shadow{};
    ComputeApparentEarthShadow(&shadow, t, 0.0);
    double moonKm = shadow.distance * kAuKm;
    double sunKm = ephemerisWork.distance * kAuKm;
    double radius = std::asin(6378.14 / moonKm) + std::asin(6378.14 / sunKm) -
                    std::asin(695000.0 / sunKm);
    EXPECT_NEAR(shadow.apparentDiameter, 2 * radius * kRadToDeg * 60, 0.05);
    EXPECT_GT(shadow.apparentDiameter, 75.0);
    EXPECT_LT(shadow.apparentDiameter, 95.0);
}

}  // namespace
