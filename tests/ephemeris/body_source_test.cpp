#include "ephemeris/body_source.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>

#include "core/solar_series_table.h"
#include "ephemeris/planets_simon.h"
#include "support/reference_table.h"

namespace {

constexpr double kRadToArcsec = 206264.80624709636;

double Length(const double* v) {
    return std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]);
}

class BodySourceTest : public ::testing::Test {
protected:
    void SetUp() override { ResetBodySourceCache(); }
};

TEST(SolarSeriesTable, CountAndQuotedRows) {
    EXPECT_EQ(kSolarSeriesTerms, 50);
    const double first[4] = {403406, 0, 4.721964, 1.621043};
    const double last[4] = {10, -9, 2.55, 157208.4};
    for (int k = 0; k < 4; ++k) {
        EXPECT_EQ(solarSeries[0][k], first[k]);
        EXPECT_EQ(solarSeries[49][k], last[k]);
    }
}

struct SetBodyCase {
    int type, number;
    const char* name;
    int code;
    int16_t storedType, storedNumber;
    const char* storedName;
};

TEST(SetBody, AcceptsKnownBodiesAndKeepsInitialValuesOtherwise) {
    const SetBodyCase cases[] = {
        {0, 3, "Earth", 0, 0, 3, "Earth"},
        {0, 10, "Sun", 0, 0, 10, "Sun"},
        {1, 433, "Eros", 0, 1, 433, "Eros"},
        {2, 3, "Earth", 1, 0, 0, "  "},
        {-1, 3, "Earth", 1, 0, 0, "  "},
        {0, 12, "x", 2, 0, 0, "  "},
        {0, 0, "x", 2, 0, 0, "  "},
        {0, 9, "Pluto", 2, 0, 0, "  "},  // no source for 9 and 11: refused
        {0, 11, "x", 2, 0, 0, "  "},
        {1, 0, "x", 2, 1, 0, "  "},
        {0, 4, nullptr, 0, 0, 4, ""},
    };
    for (const SetBodyCase& c : cases) {
        BodyDescriptor body;
        std::memset(&body, 0x55, sizeof body);
        EXPECT_EQ(SetBody(c.type, c.number, c.name, &body), c.code) << c.type << " " << c.number;
        EXPECT_EQ(body.type, c.storedType);
        EXPECT_EQ(body.number, c.storedNumber);
        EXPECT_STREQ(body.name, c.storedName);
    }
}

TEST(SetBody, LongNameIsCutTo99Characters) {
    std::string name(150, 'n');
    BodyDescriptor body;
    EXPECT_EQ(SetBody(0, 5, name.c_str(), &body), 0);
    EXPECT_EQ(std::strlen(body.name), 99u);
}

TEST_F(BodySourceTest, DateLimitsAreInclusive) {
    double p[3] = {7, 7, 7}, v[3] = {7, 7, 7};
    EXPECT_EQ(GetSolarSystemBody(2340000.5, kBodyMars, kOriginSun, p, v), 0);
    EXPECT_EQ(GetSolarSystemBody(2560000.5, kBodyMars, kOriginBarycentre, p, v), 0);
    double q[3] = {7, 7, 7}, w[3] = {7, 7, 7};
    EXPECT_EQ(GetSolarSystemBody(2340000.4, kBodyMars, kOriginSun, q, w), 1);
    EXPECT_EQ(GetSolarSystemBody(2560000.6, kBodyEarth, kOriginSun, q, w), 1);
    for (int k = 0; k < 3; ++k) {
        EXPECT_EQ(q[k], 7.0);
        EXPECT_EQ(w[k], 7.0);
    }
}

TEST_F(BodySourceTest, BodiesWithoutSourceAreRefused) {
    double p[3] = {7, 7, 7}, v[3] = {7, 7, 7};
    EXPECT_EQ(GetSolarSystemBody(2451545.0, 9, kOriginSun, p, v), 2);
    EXPECT_EQ(GetSolarSystemBody(2451545.0, 11, kOriginSun, p, v), 2);
    EXPECT_EQ(p[0], 7.0);
}

TEST_F(BodySourceTest, SunIsTheOriginOrMinusTheBarycentre) {
    double p[3], v[3];
    EXPECT_EQ(GetSolarSystemBody(2455000.5, kBodySun, kOriginSun, p, v), 0);
    for (int k = 0; k < 3; ++k) EXPECT_EQ(p[k], 0.0);
    // The barycentre lies within the sum of a / (mass ratio x total mass) of the giants.
    for (double jd = 2340000.5; jd < 2560000.5; jd += 3011.7) {
        EXPECT_EQ(GetSolarSystemBody(jd, kBodySun, kOriginBarycentre, p, v), 0);
        EXPECT_LT(Length(p), 0.0101);
        EXPECT_GT(Length(p), 0.0);
    }
}

// The Earth by the solar series against ERFA epv00: the series is good to a few arcseconds.
TEST_F(BodySourceTest, EarthAgreesWithIndependentEphemeris) {
    ReferenceTable ref = ReadReferenceTable(ZENDAVORI_SOURCE_DIR, "earth_state.csv");
    ASSERT_FALSE(ref.rows.empty());
    for (std::size_t k = 0; k < ref.rows.size(); ++k) {
        const double* h = &ref.rows[k][1];
        const double* b = &ref.rows[k][7];
        double p[3], v[3], bp[3], bv[3];
        double jd = ref.Get(k, "jd_tdb");
        ASSERT_EQ(GetSolarSystemBody(jd, kBodyEarth, kOriginSun, p, v), 0);
        ASSERT_EQ(GetSolarSystemBody(jd, kBodyEarth, kOriginBarycentre, bp, bv), 0);
        double dp[3], dv[3], dbp[3], dbv[3];
        for (int c = 0; c < 3; ++c) {
            dp[c] = p[c] - h[c];
            dv[c] = v[c] - h[3 + c];
            dbp[c] = bp[c] - b[c];
            dbv[c] = bv[c] - b[3 + c];
        }
        EXPECT_LT(Length(dp) / Length(h) * kRadToArcsec, 5.0) << k;      // arcsec seen from the Sun
        EXPECT_LT(Length(dv) / Length(h + 3), 2e-4) << k;                // relative speed
        EXPECT_LT(Length(dbp), 1e-3) << k;  // AU: circular orbits of four planets
        EXPECT_LT(Length(dbv) / Length(b + 3), 1e-3) << k;
    }
}

// Meeus, Astronomical Algorithms, Example 25.b (1992 October 13.0 TD): geometric longitude
// of the Sun 199.907347 degrees (mean equinox of date), radius vector 0.99760775 AU.
TEST(ComputeSunSeriesPosition, MeeusExample25b) {
    double ra, dec, r;
    ComputeSunSeriesPosition(2448908.5, &ra, &dec, &r);
    double t = (2448908.5 - 2451545.0) / 36525.0;
    double eps = (84381.448 - 46.815 * t) / 3600.0 * 0.017453292519943295;
    double a = ra * 15.0 * 0.017453292519943295, d = dec * 0.017453292519943295;
    double lon = std::atan2(std::sin(a) * std::cos(eps) + std::tan(d) * std::sin(eps), std::cos(a));
    double lonDeg = lon / 0.017453292519943295 + 360.0;
    EXPECT_NEAR(lonDeg, 199.907347, 1.0 / 3600.0);
    EXPECT_NEAR(r, 0.99760775, 1e-6);
    double lat = std::asin(std::sin(d) * std::cos(eps) - std::cos(d) * std::sin(eps) * std::sin(a));
    EXPECT_NEAR(lat * kRadToArcsec, 0.0, 1e-5);  // the series has no latitude
    EXPECT_GE(ra, 0.0);
    EXPECT_LT(ra, 24.0);
}

TEST_F(BodySourceTest, PlanetsComeFromTheSimonTheoryWithShiftedNumbers) {
    double p[3], v[3], pv[6];
    for (int number = kBodyMercury; number <= kBodyNeptune; ++number) {
        if (number == kBodyEarth) continue;
        EXPECT_EQ(GetSolarSystemBody(2458000.5, number, kOriginSun, p, v), 0);
        ComputePlanetPositionSimon(2458000.5, 0.0, number - 1, pv, nullptr, nullptr, nullptr);
        for (int c = 0; c < 3; ++c) {
            EXPECT_EQ(p[c], pv[c]);
            EXPECT_EQ(v[c], pv[3 + c]);
        }
    }
}

TEST_F(BodySourceTest, GetBodyStateCodes) {
    BodyDescriptor mars, asteroid, bad;
    SetBody(0, kBodyMars, "Mars", &mars);
    SetBody(1, 1, "Ceres", &asteroid);
    bad = mars;
    bad.type = 5;
    double p[3] = {7, 7, 7}, v[3] = {7, 7, 7};
    EXPECT_EQ(GetBodyState(2451545.0, &mars, 2, p, v), 1);
    EXPECT_EQ(GetBodyState(2451545.0, &bad, 0, p, v), 2);
    EXPECT_EQ(GetBodyState(2200000.5, &mars, 0, p, v), 11);
    EXPECT_EQ(GetBodyState(2451545.0, &asteroid, 0, p, v), 29);
    EXPECT_EQ(GetBodyState(2451545.0, &asteroid, 1, p, v), 29);
    for (int k = 0; k < 3; ++k) EXPECT_EQ(p[k], 7.0);
    EXPECT_EQ(GetBodyState(2451545.0, &mars, 0, p, v), 0);
    double q[3], w[3];
    GetSolarSystemBody(2451545.0, kBodyMars, kOriginBarycentre, q, w);
    EXPECT_EQ(p[0], q[0]);
}

TEST(ReadMinorPlanetState, AlwaysFailsWithCode9AndAZeroBlock) {
    int error = 0;
    double* state = ReadMinorPlanetState(1, "Ceres", 2451545.0, &error);
    ASSERT_NE(state, nullptr);
    EXPECT_EQ(error, 9);
    for (int k = 0; k < 6; ++k) EXPECT_EQ(state[k], 0.0);
    delete[] state;
}

}  // namespace
