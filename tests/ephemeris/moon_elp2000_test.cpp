#include "ephemeris/moon_elp2000.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include <array>
#include <cmath>

#include "ephemeris/elp2000_table.h"
#include "ephemeris/ephemeris_work.h"
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
    const double s = -99.0;
    return BodyPosition{s, s, s, s, s, s, s, s, s, s, s};
}

class MoonElp2000 : public ::testing::Test {
protected:
    void SetUp() override { ResetEphemerisWork(); }
};

// ELP-2000/82: 400 sines in longitude (370 + 13 + 17), 411 in latitude (398 + 4 + 8 + 1),
// 344 cosines in distance.
TEST(Elp2000Table, TermCounts) {
    EXPECT_EQ(kElpMainLongitudeCount + kElpPlanetaryLongitudeCount + kElpEarthFigureLongitudeCount, 400);
    EXPECT_EQ(kElpMainLatitudeCount + kElpEarthFigureLatitudeCount + kElpPlanetaryLatitudeCount + 1, 411);
    EXPECT_EQ((std::array{kElpMainLongitudeCount, kElpPlanetaryLongitudeCount, kElpMainLatitudeCount,
                          kElpPlanetaryLatitudeCount, kElpMainDistanceCount}),
              (std::array{370, 13, 398, 8, 344}));
}

// The main terms' multiples of D, M, M' and F lie within -8..8, the range of the table of
// multiples ComputeGeometricMoon forms their sines and cosines from.
TEST(Elp2000Table, MainTermMultiplesWithinEight) {
    auto check = [](const ElpMainTerm* terms, int count) {
        for (int k = 0; k < count; ++k) {
            const ElpMainTerm& t = terms[k];
            ASSERT_TRUE(std::abs(t.d) <= 8 && std::abs(t.m) <= 8 && std::abs(t.mp) <= 8 && std::abs(t.f) <= 8) << k;
        }
    };
    check(elpMainLongitude, kElpMainLongitudeCount);
    check(elpMainLatitude, kElpMainLatitudeCount);
    check(elpMainDistance, kElpMainDistanceCount);
}

// Amplitudes quoted with the series (arcseconds, km), to their digits: the leading terms,
// the smallest kept (only 367 longitude terms reach 0.00108"), the Venus term
// 14.2488" sin(18 V - 16 E - M'), the Earth-figure terms (all but 0.02206" sin(2D - M') with
// zeta) and 8.045" sin(zeta + pi) in latitude.
TEST(Elp2000Table, QuotedTerms) {
    const double amplitudes[][3] = {
        {elpMainLongitude[0].amplitude, 22639.58578, 5e-6}, {elpMainLatitude[0].amplitude, 18461.23868, 5e-6},
        {elpMainDistance[0].amplitude, -20905.355043, 5e-7},
        {elpMainDistance[3].amplitude, -569.925121, 5e-7},
        {std::fabs(elpMainLongitude[369].amplitude), 0.00102, 5e-6},
        {std::fabs(elpMainLongitude[366].amplitude), 0.00108, 5e-6},
        {std::fabs(elpMainLatitude[397].amplitude), 0.00052, 5e-6},
        {std::fabs(elpMainDistance[343].amplitude), 0.00065, 5e-6},
        {elpPlanetaryLongitude[0].amplitude, 14.2488, 5e-5},
        {elpPlanetaryLongitude[12].amplitude, 0.3016, 5e-5},
        {elpEarthFigureLongitude[0].amplitude, 7.06304, 5e-6},
        {elpEarthFigureLongitude[16].amplitude, 0.01234, 5e-6},
        {elpEarthFigureLatitude[0].amplitude, 8.045, 5e-4}, {elpPlanetaryLatitude[0].amplitude, 1.375, 5e-4},
        {elpPlanetaryLatitude[7].amplitude, 0.067, 5e-4}};
    for (const auto& a : amplitudes) EXPECT_NEAR(a[0], a[1], a[2]) << a[1];
    EXPECT_TRUE(elpMainLongitude[0].mp == 1 && elpMainLatitude[0].f == 1 && elpMainDistance[3].mp == 2);
    const ElpPerturbationTerm &venus = elpPlanetaryLongitude[0], &zeta = elpEarthFigureLatitude[0];
    EXPECT_TRUE(venus.venus == 18 && venus.earth == -16 && venus.mp == -1);
    EXPECT_TRUE(zeta.zeta == 1 && std::fabs(zeta.phase - M_PI) < 1e-4);
    int zetaTerms = 0;
    for (const ElpPerturbationTerm& t : elpEarthFigureLongitude) zetaTerms += t.zeta != 0;
    EXPECT_EQ(zetaTerms, 16);
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
TEST_F(MoonElp2000, AgreesWithCompleteElp2000From1900To2100) {
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
            const double lonError = WrappedDifference(lon * kRadToDeg, ref.Get(k, "lon_deg"), 360.0);
            EXPECT_NEAR(lonError * 3600, 0.0, s.lon) << jd;
            EXPECT_NEAR((lat * kRadToDeg - ref.Get(k, "lat_deg")) * 3600, 0.0, s.lat) << jd;
            EXPECT_NEAR(dist * kAuKm, ref.Get(k, "distance_km"), s.km) << jd;
        }
        BodyPosition record{};
        ComputeApparentMoon(&record, Centuries(jd), 0.0);
        EXPECT_TRUE(record.ra >= 0.0 && record.ra < 2 * M_PI) << record.ra;
        EXPECT_LT(SeparationRad(record.ra, record.dec, ref.Get(k, "apparent_ra_deg"),
                                ref.Get(k, "apparent_dec_deg")), 6.1) << jd;
        EXPECT_NEAR(record.distance * kAuKm, ref.Get(k, "distance_km"), 5.2) << jd;
    }
}

// The apparent Moon's diameter is that of a Moon of radius 1737.4 km (IAU mean radius) within
// 0.05'.
// With the Sun's longitude equal to the Moon's the elongation is the Moon's latitude alone and
// the Moon is new; half a turn away it is full (magnitude near -12.7, the full Moon's).
TEST_F(MoonElp2000, ApparentMoonDiameterConjunctionAndOpposition) {
    BodyPosition record{};
    const double t = Centuries(2460000.5);
    ComputeApparentMoon(&record, t, 0.0);
    const double radius = std::asin(1737.4 / (record.distance * kAuKm));
    EXPECT_NEAR(record.apparentDiameter, 2 * radius * kRadToDeg * 60, 0.05);
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
TEST_F(MoonElp2000, EarthShadowIsOppositeTheSunAtTheMoonsDistance) {
    for (double jd : {2415020.5, 2440000.5, 2451545.0, 2460310.5, 2488000.5}) {
        const double t = Centuries(jd);
        BodyPosition sun{}, moon{}, shadow = Sentinels();
        ComputeApparentSun(&sun, t);
        const double sunLongitude = ephemerisWork.longitude, sunKm = ephemerisWork.distance * kAuKm;
        ComputeApparentMoon(&moon, t, sunLongitude);
        ComputeApparentEarthShadow(&shadow, t, sunLongitude);
        EXPECT_LT(SeparationRad(shadow.ra, shadow.dec, sun.ra * kRadToDeg + 180, -sun.dec * kRadToDeg), 0.4)
            << jd;
        EXPECT_TRUE(shadow.ra >= 0.0 && shadow.ra < 2 * M_PI && shadow.distance == moon.distance) << jd;
        EXPECT_GT(shadow.sunMoonFraction, 0.99);  // about 180 degrees from the Sun
        EXPECT_TRUE(shadow.illuminatedFraction == -99.0 && shadow.elongation == -99.0);
        const double moonKm = shadow.distance * kAuKm;
        const double radius =
            std::asin(6378.14 / moonKm) + std::asin(6378.14 / sunKm) - std::asin(695000.0 / sunKm);
        EXPECT_NEAR(shadow.apparentDiameter, 2 * radius * kRadToDeg * 60, 0.05) << jd;
    }
}

}  // namespace
