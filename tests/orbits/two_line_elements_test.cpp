// Element-set decoding: epochs, field decoding with signs and exponents, the
// Greenwich sidereal angle, and damaged element lines.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "orbits/satellite_math.h"
#include "orbits/satellite_propagation.h"
#include "orbits/satellite_record_check.h"
#include "satellite_fixtures.h"
#include "support/reference_table.h"

namespace {

constexpr double kRadPerMinPerRevPerDay = 0.004363323129985824;  // 2 pi / 1440
constexpr double kDotScale = 6.283185307179586 / (1440.0 * 1440.0);

// Epochs: day 1.0 is 1 January at 0h UT, years 57..99 are 19yy and 00..56 20yy.
// Julian days of the dates from Meeus, Astronomical Algorithms, chapter 7;
// 00179.78495062 is the epoch of verification set 00005, whose published
// output (Vallado et al. 2006) stamps tsince 360 min as 2000-06-28 00:50:19.733571.
TEST(TleEpoch, JulianDays) {
    struct {
        double epochText, jd;
    } cases[] = {
        {57001.0, 2435839.5},                                 // 1957-01-01 0h
        {56366.5, 2472364.0},                                 // 2056-12-31 12h
        {179.78495062, 2451723.5 + (50.0 + 19.733571 / 60.0) / 1440.0 - 360.0 / 1440.0},
    };
    for (const auto& c : cases) EXPECT_NEAR(TleEpochToJulianDay(c.epochText), c.jd, 1e-8) << c.epochText;
    EXPECT_EQ(JulianDayOfYearStart(2000), 2451543.5);  // 1999-12-31 0h
    EXPECT_EQ(JulianDayOfYearStart(1957), 2435838.5);  // 1956-12-31 0h
}

// Field decoding by the column layout of the element lines, signs honoured in
// the mantissas and exponents ("-11606-4" is -0.11606e-4); a field without a
// point is a whole number, a point has the characters after it as decimals; a
// letter in a field makes it no number (it was skipped: "x15" read as 15).
TEST(TleFields, DecodeByColumns) {
    struct Case {
        int line, column;
        std::string text;
        double SatelliteElements::*field;
        double expected;
    } cases[] = {
        {1, 53, " 12345 4", &SatelliteElements::bstar, 12345e-5 * 1e-4},
        {1, 53, "-11606-4", &SatelliteElements::bstar, -1.1606e-5},
        {1, 53, " 00000+0", &SatelliteElements::bstar, 0.0},
        {1, 53, " 12345+1", &SatelliteElements::bstar, 1.2345},
        {1, 44, "-12345-5", &SatelliteElements::nddot6, -12345e-5 * 1e-5 * kDotScale / 1440.0},
        {1, 33, "-.00000084", &SatelliteElements::ndot2, -8.4e-7 * kDotScale},
        {1, 33, " .00073094", &SatelliteElements::ndot2, 7.3094e-4 * kDotScale},
        {2, 26, "0001234", &SatelliteElements::eccentricity, 1234 * 1e-7},
        {2, 52, "15.50000000", &SatelliteElements::meanMotion, 15.5 * kRadPerMinPerRevPerDay},
        {2, 52, "         15", &SatelliteElements::meanMotion, 15 * kRadPerMinPerRevPerDay},
        {2, 8, "180.0000", &SatelliteElements::inclination, 3.141592653589793},
    };
    for (const Case& c : cases) {
        std::string line1 = c.line == 1 ? Put(k88888Line1, c.column, c.text) : k88888Line1;
        std::string line2 = c.line == 2 ? Put(k88888Line2, c.column, c.text) : k88888Line2;
        SatelliteElements el = ElementsOf(line1, line2);
        EXPECT_NEAR(el.*c.field, c.expected, 1e-15 * std::fabs(c.expected)) << c.text;
    }
    EXPECT_EQ(ParseTleField("15.5", 0, 4), 15.5);
    EXPECT_TRUE(std::isnan(ParseTleField("x15", 0, 3)));
    EXPECT_EQ(ParseTleField("15.5", 0, 0), 0.0);
    EXPECT_EQ(ParseTleExponent("-4", 0, 2), 4u);
    EXPECT_EQ(ParseTleExponent("-4", 0, 0), 0u);
}

// InitSatelliteElements leaves the fields that the geometry and the searches
// own (lastJd to rangeRate, passRiseJd, passSetJd) as they were. The period
// 2 pi (1 + delta0) / n of set 88888 is within 0.1 minute of 1440 over its
// revolutions per day (delta0 is -6e-4 there).
TEST(TleFields, SetUpWritesItsOwnFields) {
    SatelliteElements el;
    std::fill_n(&el.lastJd, 10, 7.0);
    el.passRiseJd = el.passSetJd = 7.0;
    SatelliteRecord record = MakeSatelliteRecord(k88888Line1, k88888Line2);
    InitSatelliteElements(&record, &el);
    for (const double* f = &el.lastJd; f <= &el.rangeRate; ++f) EXPECT_EQ(*f, 7.0);
    EXPECT_EQ(el.passRiseJd + el.passSetJd, 14.0);
    EXPECT_NEAR(el.period, 1440.0 / 16.05824518, 0.1);
}

// A record holding what no element set can is refused (its fields decoded
// all the same): an epoch day beyond its year (2027 has 365 days, 2056 366)
// or below 1, a year of more than two digits, an inclination beyond 180
// degrees, a node, argument of perigee or mean anomaly beyond 360 degrees, a
// mean motion of 0 or above 17 revolutions a day. The searches ran such a
// record's passes on for years past their windows.
TEST(TleFields, RecordsOutOfRangeAreRefused) {
    const struct {
        int line, column;
        std::string text;
        bool inRange;
    } cases[] = {
        {1, 18, "80275.98708465", true},    {1, 18, "27365.99999999", true},  {1, 18, "27366.00000000", false},
        {1, 18, "56366.50000000", true},    {1, 18, "56367.00000000", false}, {1, 18, "27000.50000000", false},
        {1, 18, "30941384438   ", false},  {2, 8, "180.0000", true},          {2, 8, "180.0001", false},
        {2, 17, "360.0000", true},          {2, 17, "   71416", false},       {2, 34, "   38443", false},
        {2, 43, "360.0001", false},         {2, 52, " 0.00000000", false},    {2, 52, "17.00000000", true},
        {2, 52, "17.00000001", false},
    };
    for (const auto& c : cases) {
        SatelliteRecord record = MakeSatelliteRecord(c.line == 1 ? Put(k88888Line1, c.column, c.text) : k88888Line1,
                                                     c.line == 2 ? Put(k88888Line2, c.column, c.text) : k88888Line2);
        SatelliteElements el{};
        EXPECT_EQ(InitSatelliteElements(&record, &el), c.inRange) << c.text;
        EXPECT_GT(el.period, 0.0) << c.text;
    }
}

// Greenwich mean sidereal angle against IAU 1982 (ERFA eraGmst82, table made by
// scripts/reference/earth_orientation.py), 1900 to 2050: within 2e-9 rad
// (0.0004"); at 2000-01-01 12h UT it is 280.46061837 degrees.
TEST(ComputeGmst, MatchesIau1982) {
    EXPECT_NEAR(ComputeGmst(2451545.0), 4.894961213, 1e-9);
    ReferenceTable table = ReadReferenceTable(ZENDAVORI_SOURCE_DIR, "sidereal_time_iau1982.csv");
    ASSERT_GE(table.rows.size(), 7u);
    for (std::size_t i = 0; i < table.rows.size(); ++i) {
        double expected = table.Get(i, "gmst_h") * 0.2617993877991494;
        double gmst = ComputeGmst(table.Get(i, "jd_ut1"));
        EXPECT_GE(gmst, 0.0);
        EXPECT_LT(gmst, 6.283185307179586);
        EXPECT_NEAR(std::remainder(gmst - expected, 6.283185307179586), 0.0, 2e-9) << table.Get(i, "jd_ut1");
    }
}

// Damaged element lines decode to whatever their digits give (nothing reads
// past the record) and the propagators either succeed with finite numbers or
// refuse with not-a-number. Check digits are not read; a blank mean motion is
// refused; a field with a letter is no number (" 72.8X35" was read as 7.2835
// degrees, the letter skipped), so both propagators refuse the set; huge or
// nonsensical fields give some numbers or a refusal (-1: only the contract is
// checked).
TEST(TleFields, DamagedLinesKeepThePropagatorsContract) {
    struct Case {
        const char* what;
        std::string line1, line2;
        int propagates;
    } cases[] = {
        {"bad check digits", Put(k88888Line1, 68, "0"), Put(k88888Line2, 68, "0"), 1},
        {"short line 2", k88888Line1, k88888Line2.substr(0, 40), 0},
        {"short line 1", k88888Line1.substr(0, 20), k88888Line2, 1},
        {"empty record", "", "", 0},
        {"letters in inclination", k88888Line1, Put(k88888Line2, 8, " 72.8X35"), 0},
        {"letters everywhere", std::string(69, 'Z'), std::string(69, '?'), 0},
        {"eccentricity 0.9999999", k88888Line1, Put(k88888Line2, 26, "9999999"), -1},
        {"huge epoch and derivatives", Put(k88888Line1, 18, "99999999999999 9999999999  99999+9  99999+9"),
         k88888Line2, -1},
        {"huge mean motion", k88888Line1, Put(k88888Line2, 52, "99999999999"), -1},
        {"tiny mean motion", k88888Line1, Put(k88888Line2, 52, ".0000000001"), -1},
        {"NUL and high bytes", Put(k88888Line1, 33, std::string("\0\xff\x80", 3)), Put(k88888Line2, 8, "\xfe\0"),
         -1},
    };
    for (const Case& c : cases) {
        SatelliteRecord record = MakeSatelliteRecord(c.line1, c.line2);
        EXPECT_TRUE(CheckSatelliteRecordBytes(reinterpret_cast<const uint8_t*>(&record), sizeof record)) << c.what;
        SatelliteElements el = ElementsOf(c.line1, c.line2);
        double r[4], v[4];
        if (c.propagates >= 0) {
            EXPECT_EQ(PropagateSgp4(0.0, r, v, &el), c.propagates == 1) << c.what;
            EXPECT_EQ(PropagateSgp(0.0, r, v, &el), c.propagates == 1) << c.what;
        }
    }
    SatelliteElements good = ElementsOf(k88888Line1, k88888Line2);
    SatelliteElements bad = ElementsOf(cases[0].line1, cases[0].line2);
    EXPECT_EQ(std::memcmp(&bad, &good, sizeof good), 0);
    EXPECT_TRUE(std::isnan(ElementsOf(k88888Line1, cases[4].line2).inclination));
    EXPECT_TRUE(CheckSatelliteRecordBytes(nullptr, 0));
}

}  // namespace
