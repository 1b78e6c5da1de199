#include "ephemeris/sun_vsop87.h"

#include <gtest/gtest.h>

#include <cmath>

#include "ephemeris/vsop87_earth_table.h"
#include "support/reference_table.h"
#include "support/wrapped_difference.h"

namespace {

constexpr double kRadToDeg = 57.29577951308232;

double Centuries(double jd) { return (jd - 2451545.0) / 36525; }

// Separation in arcseconds of two places in radians (the Sun and Moon routines' unit).
double SeparationRad(double ra1, double dec1, double ra2Deg, double dec2Deg) {
    return SeparationArcsec(ra1 * kRadToDeg / 15, dec1 * kRadToDeg, ra2Deg / 15, dec2Deg);
}

// Meeus, Astronomical Algorithms, Appendix III (Earth): terms per series, and the cosines one
// call evaluates (123 + 7 + 56 = 186; the rest are constants).
TEST(Vsop87EarthTable, TermAndCosineCounts) {
    const Vsop87Series* groups[3] = {earthLongitudeSeries, earthLatitudeSeries, earthRadiusSeries};
    const int sizes[3] = {6, 2, 5}, cosines[3] = {123, 7, 56};
    const int counts[13] = {64, 34, 20, 7, 3, 1, 5, 2, 40, 10, 6, 2, 1};
    for (int g = 0, k = 0; g < 3; ++g) {
        int n = 0;
        for (int i = 0; i < sizes[g]; ++i, ++k) {
            EXPECT_EQ(groups[g][i].count, counts[k]) << k;
            for (int j = 0; j < groups[g][i].count; ++j) n += groups[g][i].terms[j].c != 0.0;
        }
        EXPECT_EQ(n, cosines[g]) << g;
    }
}

// Published frequencies divided by ten; zero-frequency terms of phase pi stored as negative
// constants.
TEST(Vsop87EarthTable, QuotedTerms) {
    const struct { Vsop87Term term, want; } cases[] = {
        {earthLongitudeSeries[0].terms[0], {175347046, 0, 0}},
        {earthLongitudeSeries[0].terms[1], {3341656, 4.6692568, 628.307585}},
        {earthLongitudeSeries[4].terms[0], {-114, 0, 0}},
        {earthLongitudeSeries[5].terms[0], {-1, 0, 0}},
        {earthLatitudeSeries[0].terms[0], {280, 3.199, 8433.4662}},
        {earthLatitudeSeries[1].terms[1], {6, 1.73, 522.369}},
        {earthRadiusSeries[1].terms[2], {-702, 0, 0}},
        {earthRadiusSeries[4].terms[0], {4, 2.56, 628.308}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.term.a, c.want.a);
        EXPECT_EQ(c.term.b, c.want.b) << c.want.a;
        EXPECT_EQ(c.term.c, c.want.c) << c.want.a;
    }
}

// Meeus, Astronomical Algorithms, example 25.b: 1992 October 13, 0h TD, with the abridged
// series: L = 19.907372 deg, R = 0.99760775 AU; Theta = L + 180 less the FK5 correction
// (-0.09033"): 199.907347 deg; beta = -B = +0.6436" (+-0.002" for the book's rounding), then
// the FK5 correction 0.03916" (cos - sin) of lambda' = 199.906 deg: -0.0234". Apparent
// alpha = 13h13m30.749s, delta = -7 deg 47' 01.74", from the complete VSOP87; the abridged
// series comes within 0.3" (13h13m30.763s, 01.93").
TEST(SunVsop87, MeeusExample25b) {
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
TEST(SunVsop87, AgreesWithCompleteVsop87From1900To2100) {
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
        EXPECT_LT(SeparationRad(record.ra, record.dec, ref.Get(k, "apparent_ra_deg"),
                                ref.Get(k, "apparent_dec_deg")), 1.0) << jd;
        EXPECT_NEAR(record.distance, ref.Get(k, "r_au"), 2.5e-6) << jd;
    }
}

}  // namespace
