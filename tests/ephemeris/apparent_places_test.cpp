#include "ephemeris/apparent_places.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>

#include "core/nutation.h"
#include "ephemeris/body_source.h"
#include "support/reference_table.h"

namespace {

constexpr double kRadToArcsec = 206264.80624709636;

double Length(const double* v) { return std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]); }

double AngleArcsec(const double* a, const double* b) {
    double c[3] = {a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]};
    return std::atan2(Length(c), a[0] * b[0] + a[1] * b[1] + a[2] * b[2]) * kRadToArcsec;
}

class ApparentPlacesTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetNutationCaches();
        ResetEarthStateCache();
        ResetBodySourceCache();
        SetBody(0, kBodyEarth, "Earth", &earth);
    }
    BodyDescriptor earth;
};

TEST(VectorToRaDec, DegenerateVectorsAndRange) {
    double ra = 5, dec = 5;
    const double zero[3] = {0, 0, 0}, south[3] = {0, 0, -2}, north[3] = {0, 0, 1e-300};
    EXPECT_EQ(VectorToRaDec(zero, &ra, &dec), 1);
    EXPECT_TRUE(ra == 0.0 && dec == 0.0);
    EXPECT_EQ(VectorToRaDec(south, &ra, &dec), 2);
    EXPECT_TRUE(ra == 0.0 && dec == -90.0);
    EXPECT_EQ(VectorToRaDec(north, &ra, &dec), 2);
    EXPECT_EQ(dec, 90.0);
    const double west[3] = {0, -1, 0}, tiny[3] = {1, -1e-300, 0};
    EXPECT_EQ(VectorToRaDec(west, &ra, &dec), 0);
    EXPECT_NEAR(ra, 18.0, 1e-14);
    VectorToRaDec(tiny, &ra, &dec);
    EXPECT_TRUE(ra >= 0.0 && ra < 24.0) << ra;
}

// A star without (or with a negative) parallax is placed 1e7 parsecs away, not at infinity.
TEST(ComputeStarVectors, ZeroParallaxIsFarAway) {
    CatalogStar star{};
    star.ra = 3.0;
    double p[3], v[3];
    for (double parallax : {0.0, -0.5}) {
        star.parallax = parallax;
        ComputeStarVectors(&star, p, v);
        EXPECT_NEAR(Length(p), kRadToArcsec / 1e-7, 1.0) << parallax;
        EXPECT_EQ(v[0], 0.0);
    }
}

// Light grazing past the Sun at 90 degrees elongation, seen from 1 AU, is bent by 0.00407"
// away from the Sun (Explanatory Supplement 1992, 3.326); on the Sun's line, not at all.
TEST(ApplySolarDeflection, NinetyDegreesFromTheSunAndOnItsLine) {
    const double earth[3] = {1.0, 0.0, 0.0}, star[3] = {0.0, 1e9, 0.0};
    double out[3];
    EXPECT_EQ(ApplySolarDeflection(star, earth, out), 0);
    EXPECT_NEAR(AngleArcsec(star, out), 0.00407, 0.00005);
    EXPECT_GT(out[0], 0.0);
    const double observer[3] = {0.0, 1.0, 0.0}, behindSun[3] = {0.0, -5.0, 0.0};
    ApplySolarDeflection(behindSun, observer, out);
    EXPECT_TRUE(out[0] == 0.0 && out[1] == -5.0 && out[2] == 0.0);
}

// Special relativity: a source at angle theta from the velocity is seen at theta' with
// cos theta' = (cos theta + beta) / (1 + beta cos theta). An observer at rest sees the input
// (not NaN).
TEST(ApplyAberration, RelativisticAberrationLawAndObserverAtRest) {
    const double v[3] = {0.0172, 0.0, 0.0}, beta = 0.0172 / 173.14463348;  // AU/day over c
    for (double theta : {0.5, 1.0, M_PI / 2, 2.4}) {
        const double star[3] = {1e6 * std::cos(theta), 1e6 * std::sin(theta), 0.0};
        double out[3];
        EXPECT_EQ(ApplyAberration(star, v, 0.0, out), 0);
        double want = std::acos((std::cos(theta) + beta) / (1.0 + beta * std::cos(theta)));
        EXPECT_NEAR((std::atan2(out[1], out[0]) - want) * kRadToArcsec, 0.0, 1e-6) << theta;
    }
    const double star[3] = {3.0, -4.0, 12.0}, rest[3] = {0.0, 0.0, 0.0};
    double out[3];
    EXPECT_EQ(ApplyAberration(star, rest, 0.0, out), 0);
    EXPECT_TRUE(out[0] == 3.0 && out[1] == -4.0 && out[2] == 12.0);
}

// Apparent and topocentric places of stars and of Simon's planets against ERFA building
// blocks with the same models (scripts/reference/apparent_places.py): stars within 0.05".
// The planets' reference has the Earth of ERFA epv00; the difference, the chain's Earth from
// the solar series (about 1" here), must stay within the smallest error Simon et al. state
// for their theory (4" in longitude, Mercury, 1800-2050).
TEST_F(ApparentPlacesTest, PlacesAgreeWithReference) {
    for (const char* file : {"apparent_stars.csv", "topocentric_stars.csv", "apparent_planets.csv",
                             "topocentric_planets.csv"}) {
        ReferenceTable ref = ReadReferenceTable(ZENDAVORI_SOURCE_DIR, file);
        ASSERT_GT(ref.rows.size(), 10u) << file;
        const bool topocentric = file[0] == 't', star = std::strstr(file, "stars");
        for (std::size_t k = 0; k < ref.rows.size(); ++k) {
            const double jd = ref.Get(k, "jd_tt");
            double ra, dec, distance, r, bigR, deltaT = topocentric ? ref.Get(k, "delta_t_s") : 0.0;
            AstroSite site{};
            if (topocentric) site = {ref.Get(k, "lat_deg"), ref.Get(k, "lon_east_deg"), ref.Get(k, "height_m"), 10, 1013};
            CatalogStar s{};
            BodyDescriptor body;
            int code;
            if (star) {
                s = CatalogStar{"", "", 0, ref.Get(k, "ra2000_h"), ref.Get(k, "dec2000_deg"), ref.Get(k, "pmra_s_cy"),
                                ref.Get(k, "pmdec_as_cy"), ref.Get(k, "parallax_as"), ref.Get(k, "rv_kms")};
                code = topocentric ? ComputeTopocentricStarPlace(jd, &earth, deltaT, &s, &site, &ra, &dec)
                                   : ComputeApparentStarPlace(jd, &earth, &s, &ra, &dec);
            } else {
                EXPECT_EQ(SetBody(0, static_cast<int>(ref.Get(k, "body")), "planet", &body), 0);
                code = topocentric ? ComputeTopocentricPlanetPlace(jd, &body, &earth, deltaT, &site, &ra, &dec,
                                                                   &distance, &r, &bigR)
                                   : ComputeApparentPlanetPlace(jd, &body, &earth, &ra, &dec, &distance, &r, &bigR);
                EXPECT_TRUE(topocentric || (distance > 0.2 && bigR > 0.98 && bigR < 1.02)) << k;
            }
            ASSERT_EQ(code, 0) << file << ' ' << k;
            EXPECT_LT(SeparationArcsec(ra, dec, ref.Get(k, "ra_h"), ref.Get(k, "dec_deg")), star ? 0.05 : 4.0)
                << file << ' ' << ref.Text(k, star ? "name" : "body") << ' ' << jd;
            EXPECT_TRUE(ra >= 0.0 && ra < 24.0) << ra;
        }
    }
}

// Outside JD 2340000.5 .. 2560000.5 stars give code 1, planets 11, with zero places.
TEST_F(ApparentPlacesTest, DateOutOfRangeGivesCodesAndZeroPlaces) {
    CatalogStar star{};
    star.ra = 6.0;
    BodyDescriptor mars;
    SetBody(0, kBodyMars, "Mars", &mars);
    AstroSite site{51.0, 0.0, 0.0, 10.0, 1013.0};
    for (double jd : {2340000.0, 2560001.0}) {
        double ra = 9, dec = 9, distance = 9, r = 9, bigR = 9, topoRa = 9, topoDec = 9, planetRa = 9;
        EXPECT_EQ(ComputeApparentStarPlace(jd, &earth, &star, &ra, &dec), 1);
        EXPECT_EQ(ComputeTopocentricStarPlace(jd, &earth, 60.0, &star, &site, &topoRa, &topoDec), 1);
        EXPECT_TRUE(ra == 0.0 && dec == 0.0 && topoRa == 0.0 && topoDec == 0.0);
        EXPECT_EQ(ComputeApparentPlanetPlace(jd, &mars, &earth, &planetRa, &dec, &distance, &r, &bigR), 11);
        ra = dec = 9;
        EXPECT_EQ(ComputeTopocentricPlanetPlace(jd, &mars, &earth, 60.0, &site, &ra, &dec, &distance, &r, &bigR), 11);
        EXPECT_TRUE(planetRa == 0.0 && ra == 0.0 && dec == 0.0 && distance == 0.0);
    }
}

// The minor-planet path always fails with its code and zero outputs.
TEST_F(ApparentPlacesTest, MinorPlanetHasNoSource) {
    BodyDescriptor ceres;
    SetBody(1, 1, "Ceres", &ceres);
    double ra = 9, dec = 9, distance = 9, r = 9, bigR = 9;
    EXPECT_EQ(ComputeApparentPlanetPlace(2451545.0, &ceres, &earth, &ra, &dec, &distance, &r, &bigR), 29);
    EXPECT_TRUE(ra == 0.0 && dec == 0.0 && distance == 0.0 && r == 0.0 && bigR == 0.0);
    int error = 0;
    double* state = ReadMinorPlanetState(1, "Ceres", 2451545.0, &error);
    ASSERT_NE(state, nullptr);
    EXPECT_EQ(error, 9);
    for (int k = 0; k < 6; ++k) EXPECT_EQ(state[k], 0.0);
    delete[] state;
}

// TDB within 2 ms of TT; the state is kept for the same date and rebuilt for another.
TEST_F(ApparentPlacesTest, EarthStateIsCachedPerDate) {
    double tdb, bp[3], bv[3], hp[3], hv[3], tdb2, bp2[3];
    ASSERT_EQ(GetEarthState(2455000.5, &earth, &tdb, bp, bv, hp, hv), 0);
    EXPECT_NEAR((tdb - 2455000.5) * 86400.0, 0.0, 0.002);
    GetEarthState(2455000.5 + 5e-7, &earth, &tdb2, bp2, bv, hp, hv);
    EXPECT_TRUE(tdb2 == tdb && bp2[0] == bp[0]);
    GetEarthState(2455000.6, &earth, &tdb2, bp2, bv, hp, hv);
    EXPECT_NE(bp2[0], bp[0]);
    EXPECT_EQ(GetEarthState(2600000.5, &earth, &tdb2, bp2, bv, hp, hv), 1);
}

// Types 0 and 1 with a known number are accepted; anything else is refused with the
// descriptor left at its initial values. There is no source for 9 and 11.
TEST(SetBody, AcceptsKnownBodiesAndKeepsInitialValuesOtherwise) {
    const struct { int type, number; const char* name; int code, storedType, storedNumber; const char* stored; }
        cases[] = {
            {0, 3, "Earth", 0, 0, 3, "Earth"}, {0, 10, "Sun", 0, 0, 10, "Sun"}, {1, 433, "Eros", 0, 1, 433, "Eros"},
            {2, 3, "Earth", 1, 0, 0, "  "},    {-1, 3, "Earth", 1, 0, 0, "  "}, {0, 12, "x", 2, 0, 0, "  "},
            {0, 0, "x", 2, 0, 0, "  "},        {0, 9, "Pluto", 2, 0, 0, "  "},  {0, 11, "x", 2, 0, 0, "  "},
            {1, 0, "x", 2, 1, 0, "  "},        {0, 4, nullptr, 0, 0, 4, ""}};
    for (const auto& c : cases) {
        BodyDescriptor body;
        std::memset(&body, 0x55, sizeof body);
        EXPECT_EQ(SetBody(c.type, c.number, c.name, &body), c.code) << c.type << " " << c.number;
        EXPECT_TRUE(body.type == c.storedType && body.number == c.storedNumber) << c.type << " " << c.number;
        EXPECT_STREQ(body.name, c.stored);
    }
    const std::string longName(150, 'n');  // cut to 99 characters
    BodyDescriptor body;
    EXPECT_EQ(SetBody(0, 5, longName.c_str(), &body), 0);
    EXPECT_EQ(std::strlen(body.name), 99u);
}

// The date limits are inclusive; outside them, and for bodies without a source, nothing is
// written. The Sun is the heliocentric origin.
TEST_F(ApparentPlacesTest, SolarSystemBodyLimitsAndCodes) {
    double p[3] = {7, 7, 7}, v[3] = {7, 7, 7};
    EXPECT_EQ(GetSolarSystemBody(2340000.4, kBodyMars, kOriginSun, p, v), 1);
    EXPECT_EQ(GetSolarSystemBody(2560000.6, kBodyEarth, kOriginSun, p, v), 1);
    EXPECT_EQ(GetSolarSystemBody(2451545.0, 9, kOriginSun, p, v), 2);
    EXPECT_EQ(GetSolarSystemBody(2451545.0, 11, kOriginSun, p, v), 2);
    for (int k = 0; k < 3; ++k) EXPECT_TRUE(p[k] == 7.0 && v[k] == 7.0);
    EXPECT_EQ(GetSolarSystemBody(2340000.5, kBodyMars, kOriginSun, p, v), 0);
    EXPECT_EQ(GetSolarSystemBody(2560000.5, kBodyMars, kOriginBarycentre, p, v), 0);
    EXPECT_EQ(GetSolarSystemBody(2455000.5, kBodySun, kOriginSun, p, v), 0);
    EXPECT_TRUE(p[0] == 0.0 && p[1] == 0.0 && p[2] == 0.0);
    BodyDescriptor mars, asteroid, bad;
    SetBody(0, kBodyMars, "Mars", &mars);
    SetBody(1, 1, "Ceres", &asteroid);
    bad = mars;
    bad.type = 5;
    double q[3] = {7, 7, 7};
    EXPECT_EQ(GetBodyState(2451545.0, &mars, 2, q, v), 1);
    EXPECT_EQ(GetBodyState(2451545.0, &bad, 0, q, v), 2);
    EXPECT_EQ(GetBodyState(2200000.5, &mars, 0, q, v), 11);
    EXPECT_EQ(GetBodyState(2451545.0, &asteroid, 0, q, v), 29);
    EXPECT_EQ(GetBodyState(2451545.0, &asteroid, 1, q, v), 29);
    EXPECT_TRUE(q[0] == 7.0 && q[1] == 7.0 && q[2] == 7.0);
}

// The Earth by the solar series against ERFA epv00: the series is good to a few arcseconds;
// the barycentre to 1e-3 AU (circular orbits of four planets).
TEST_F(ApparentPlacesTest, EarthAgreesWithIndependentEphemeris) {
    ReferenceTable ref = ReadReferenceTable(ZENDAVORI_SOURCE_DIR, "earth_state.csv");
    ASSERT_FALSE(ref.rows.empty());
    for (std::size_t k = 0; k < ref.rows.size(); ++k) {
        double state[2][6], d[2][6];
        for (int origin : {kOriginSun, kOriginBarycentre}) {
            const double* want = &ref.rows[k][origin == kOriginSun ? 1 : 7];
            ASSERT_EQ(GetSolarSystemBody(ref.Get(k, "jd_tdb"), kBodyEarth, origin, state[origin], state[origin] + 3), 0);
            for (int c = 0; c < 6; ++c) d[origin][c] = state[origin][c] - want[c];
        }
        const double* h = &ref.rows[k][1];
        EXPECT_LT(Length(d[kOriginSun]) / Length(h) * kRadToArcsec, 5.0) << k;  // arcsec seen from the Sun
        EXPECT_LT(Length(d[kOriginSun] + 3) / Length(h + 3), 2e-4) << k;          // relative speed
        EXPECT_LT(Length(d[kOriginBarycentre]), 1e-3) << k;                       // AU
        EXPECT_LT(Length(d[kOriginBarycentre] + 3) / Length(&ref.rows[k][10]), 1e-3) << k;
    }
}

// Meeus, Astronomical Algorithms, Example 25.b (1992 October 13.0 TD): geometric longitude of
// the Sun 199.907347 degrees (mean equinox of date), radius vector 0.99760775 AU; the series
// has no latitude.
TEST(ComputeSunSeriesPosition, MeeusExample25b) {
    double ra, dec, r;
    ComputeSunSeriesPosition(2448908.5, &ra, &dec, &r);
    const double deg = M_PI / 180, eps = (84381.448 - 46.815 * (2448908.5 - 2451545.0) / 36525) / 3600 * deg;
    const double a = ra * 15 * deg, d = dec * deg;
    const double lon = std::atan2(std::sin(a) * std::cos(eps) + std::tan(d) * std::sin(eps), std::cos(a));
    EXPECT_NEAR(lon / deg + 360.0, 199.907347, 1.0 / 3600.0);
    EXPECT_NEAR(r, 0.99760775, 1e-6);
    EXPECT_NEAR(std::asin(std::sin(d) * std::cos(eps) - std::cos(d) * std::sin(eps) * std::sin(a)) * kRadToArcsec,
                0.0, 1e-5);
    EXPECT_TRUE(ra >= 0.0 && ra < 24.0) << ra;
}

}  // namespace
