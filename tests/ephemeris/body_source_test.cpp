#include "ephemeris/body_source.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>

#include "core/solar_series_table.h"
#include "support/reference_table.h"

namespace {

constexpr double kRadToArcsec = 206264.80624709636;

double Length(const double* v) { return std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]); }

class BodySourceTest : public ::testing::Test {
protected:
    void SetUp() override { ResetBodySourceCache(); }
};

// Bretagnon and Simon's solar series: 50 rows, the first and the last as published.
TEST(SolarSeriesTable, CountAndQuotedRows) {
    EXPECT_EQ(kSolarSeriesTerms, 50);
    const double first[4] = {403406, 0, 4.721964, 1.621043}, last[4] = {10, -9, 2.55, 157208.4};
    for (int k = 0; k < 4; ++k)
        EXPECT_TRUE(solarSeries[0][k] == first[k] && solarSeries[49][k] == last[k]) << k;
}

// Types 0 and 1 with a known number are accepted; anything else is refused with the
// descriptor left at its initial values. There is no source for 9 and 11.
TEST(SetBody, AcceptsKnownBodiesAndKeepsInitialValuesOtherwise) {
    const struct {
        int type, number;
        const char* name;
        int code, storedType, storedNumber;
        const char* stored;
    } cases[] = {
        {0, 3, "Earth", 0, 0, 3, "Earth"}, {0, 10, "Sun", 0, 0, 10, "Sun"},
        {1, 433, "Eros", 0, 1, 433, "Eros"}, {2, 3, "Earth", 1, 0, 0, "  "},
        {-1, 3, "Earth", 1, 0, 0, "  "}, {0, 12, "x", 2, 0, 0, "  "},
        {0, 0, "x", 2, 0, 0, "  "}, {0, 9, "Pluto", 2, 0, 0, "  "}, {0, 11, "x", 2, 0, 0, "  "},
        {1, 0, "x", 2, 1, 0, "  "}, {0, 4, nullptr, 0, 0, 4, ""}};
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
TEST_F(BodySourceTest, SolarSystemBodyLimitsAndCodes) {
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
    EXPECT_EQ(GetBodyState(2451545.0, &mars, 2, q, v), 1);  // no such origin
    EXPECT_EQ(GetBodyState(2451545.0, &bad, 0, q, v), 2);
    EXPECT_EQ(GetBodyState(2200000.5, &mars, 0, q, v), 11);
    EXPECT_EQ(GetBodyState(2451545.0, &asteroid, 1, q, v), 29);
    EXPECT_TRUE(q[0] == 7.0 && q[1] == 7.0 && q[2] == 7.0);
}

// The Earth by the solar series against ERFA epv00: the series is good to a few arcseconds;
// the barycentre to 1e-3 AU (circular orbits of four planets).
TEST_F(BodySourceTest, EarthAgreesWithIndependentEphemeris) {
    ReferenceTable ref = ReadReferenceTable(ZENDAVORI_SOURCE_DIR, "earth_state.csv");
    ASSERT_FALSE(ref.rows.empty());
    for (std::size_t k = 0; k < ref.rows.size(); ++k) {
        double state[2][6], d[2][6];
        for (int origin : {kOriginSun, kOriginBarycentre}) {
            const double* want = &ref.rows[k][origin == kOriginSun ? 1 : 7];
            const double jd = ref.Get(k, "jd_tdb");
            ASSERT_EQ(GetSolarSystemBody(jd, kBodyEarth, origin, state[origin], state[origin] + 3), 0);
            for (int c = 0; c < 6; ++c) d[origin][c] = state[origin][c] - want[c];
        }
        const double* h = &ref.rows[k][1];
        EXPECT_LT(Length(d[kOriginSun]) / Length(h) * kRadToArcsec, 5.0) << k;  // arcsec seen from the Sun
        EXPECT_LT(Length(d[kOriginSun] + 3) / Length(h + 3), 2e-4) << k;          // relative speed
        EXPECT_LT(Length(d[kOriginBarycentre]), 1e-3) << k;                       // AU
        EXPECT_LT(Length(d[kOriginBarycentre] + 3) / Length(&ref.rows[k][10]), 1e-3) << k;
    }
}

// The Earth's velocity is the rate of its position: against differences of the positions at
// instants exactly representable (steps of 1/32 day, so that the instants' rounding adds no
// error), central differences over 1/32 and 1/16 day combined by Richardson's rule (their
// remaining error below 1e-13 AU/day), 1950-2050: within 1e-11 AU/day (0.02 mm/s).
TEST_F(BodySourceTest, EarthVelocityIsTheRateOfItsPosition) {
    auto position = [](double jd, double* p) {
        double v[3];
        ASSERT_EQ(GetSolarSystemBody(jd, kBodyEarth, kOriginSun, p, v), 0);
    };
    const double h = 1.0 / 32;
    for (double jd = 2433282.5; jd < 2469807.5; jd += 1234.5625) {
        double p[3], v[3], a1[3], b1[3], a2[3], b2[3];
        ASSERT_EQ(GetSolarSystemBody(jd, kBodyEarth, kOriginSun, p, v), 0);
        position(jd + h, a1);
        position(jd - h, b1);
        position(jd + 2 * h, a2);
        position(jd - 2 * h, b2);
        for (int k = 0; k < 3; ++k) {
            const double d1 = (a1[k] - b1[k]) / (2 * h), d2 = (a2[k] - b2[k]) / (4 * h);
            EXPECT_NEAR(v[k], (4 * d1 - d2) / 3, 1e-11) << jd << " " << k;
        }
    }
}

// A heliocentric state asked for again, after others in between, is the one first given, also
// for instants 1e-9 day apart: the kept states are found by their exact instant.
TEST_F(BodySourceTest, KeptStatesBelongToTheirInstants) {
    const double jd[3] = {2451545.0, 2460000.25, 2451545.0 + 1e-9};
    double first[3][2][6];
    for (int i = 0; i < 3; ++i) {
        ResetBodySourceCache();
        for (int body : {kBodyEarth, kBodyMars}) {
            double* s = first[i][body == kBodyMars];
            ASSERT_EQ(GetSolarSystemBody(jd[i], body, kOriginSun, s, s + 3), 0);
        }
    }
    for (int pass = 0; pass < 2; ++pass) {
        for (int i : {2, 0, 1, 0, 2}) {
            for (int body : {kBodyEarth, kBodyMars}) {
                double s[6];
                ASSERT_EQ(GetSolarSystemBody(jd[i], body, kOriginSun, s, s + 3), 0);
                for (int c = 0; c < 6; ++c) EXPECT_EQ(s[c], first[i][body == kBodyMars][c]) << i << " " << body;
            }
        }
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
    const double lat = std::asin(std::sin(d) * std::cos(eps) - std::cos(d) * std::sin(eps) * std::sin(a));
    EXPECT_NEAR(lat * kRadToArcsec, 0.0, 1e-5);
    EXPECT_TRUE(ra >= 0.0 && ra < 24.0) << ra;
}

}  // namespace
