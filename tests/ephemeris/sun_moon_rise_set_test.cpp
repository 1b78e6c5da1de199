#include "ephemeris/sun_moon_rise_set.h"

#include <gtest/gtest.h>

#include <cmath>

#include "ephemeris/body_positions.h"
#include "support/reference_csv.h"
#include "support/test_site.h"

namespace {

class SunMoonRiseSet : public ::testing::Test {
protected:
    void SetUp() override { ResetWithDefaults(); }
};

// Against PyEphem's rising, transit and setting (scripts/reference/rise_set_pyephem.py).
// Error budget, in minutes of time at the rate the body's altitude changes there:
//  - the Sun: low-precision place 0.01 degree, its semi-diameter taken as 0.2667 degree
//    (0.262 to 0.271 through the year), the places interpolated over a day, sidereal time
//    and Delta T: well under a minute at 42 and 34 degrees, and, at 64 N where the Sun sets
//    at a slant, still under one minute: 1 minute everywhere, the end of the twilight
//    included;
//  - the Moon: its place from the short series (about 0.01 degree), the mean parallax in
//    h0 = +0.125 (the true one moves h0 by up to 0.04 degree), three-point interpolation of a
//    place that moves 13 degrees a day: under a minute at mid latitudes, where 2 minutes are
//    allowed; at 64 N the altitude changes two to four times slower, where 5 minutes are
//    allowed.
void ExpectEventsMatch(const char* file, std::size_t rowCount) {
    auto rows = ReadReferenceCsv(file);
    ASSERT_EQ(rows.size(), rowCount);
    for (const auto& r : rows) {
        const int body = int(r[0]), y = int(r[1]), m = int(r[2]), d = int(r[3]);
        SetTestSite(r[4], r[5], int(r[6]));
        double rise, transit, set, twilight = -1;
        const int result = body == 0 ? ComputeSunRiseSet(y, m, d, &rise, &transit, &set, &twilight)
                                     : ComputeMoonRiseSet(y, m, d, &rise, &transit, &set);
        const double hours = (body == 0 ? 1.0 : (std::fabs(r[4]) > 60 ? 5.0 : 2.0)) / 60;
        SCOPED_TRACE(::testing::Message() << (body == 0 ? "Sun " : "Moon ") << y << '-' << m << '-' << d);
        EXPECT_EQ(result, 1);
        EXPECT_NEAR(rise, r[7], hours);
        EXPECT_NEAR(transit, r[8], hours);
        EXPECT_NEAR(set, r[9], hours);
        EXPECT_NEAR(body == 0 ? twilight : r[10], r[10], r[10] == 23.99 ? 0.0 : 1.0 / 60);
    }
}

TEST_F(SunMoonRiseSet, MatchesPyEphem) { ExpectEventsMatch("rise_set_pyephem.csv", 10); }

// A site whose zone is 12 h or more ahead of Greenwich and which lies east of its zone's
// meridian (Auckland in summer time, Suva) starts its day with the transit fraction m0 below
// -1. Raised by a single day, every event of such a day came out as the day before's, 24 h
// early (sunrise at -16.6 h); the same budget as above, against PyEphem.
TEST_F(SunMoonRiseSet, EventsEastOfTheZoneMeridianWereADayEarly) {
    ExpectEventsMatch("rise_set_date_line_pyephem.csv", 6);
}

// Every day of April 2024 at Boston, against PyEphem's first moonrise and moonset after
// midnight. The wrapped routine gives an event of the next day (PyEphem: above 24 h) as the
// next day's time plus 24. The optional declination is the Moon's at 0 h of the day.
TEST_F(SunMoonRiseSet, MoonOverAMonthWithWrapping) {
    auto rows = ReadReferenceCsv("moon_rise_set_month_pyephem.csv");
    ASSERT_EQ(rows.size(), 30u);
    int wrapped = 0;
    for (const auto& r : rows) {
        SetTestSite(r[3], r[4], int(r[5]));
        double rise, transit, set;
        ComputeMoonRiseSetWrapped(2024, 4, int(r[2]), &rise, &transit, &set);
        EXPECT_NEAR(rise, r[6], 2.0 / 60) << "April " << r[2];
        EXPECT_NEAR(set, r[7], 2.0 / 60) << "April " << r[2];
        wrapped += rise > 24 || set > 24;
    }
    EXPECT_GE(wrapped, 1);
    double rise, transit, set, dec = -99;
    ComputeMoonRiseSet(2024, 4, 8, &rise, &transit, &set, &dec);
    BodyPosition p{};
    ComputeBody(&p, 1, 2024, 4, 8, 0, 0, 0);
    EXPECT_NEAR(dec, p.dec, 0.05);
}

// Day 1 and the last day of a month reach into the neighbouring months.
TEST_F(SunMoonRiseSet, MonthEdges) {
    SetTestSite(48.85, -2.35, 60);
    double r1, t1, s1, r2, t2, s2;
    ComputeSunRiseSet(2023, 12, 31, &r1, &t1, &s1);
    ComputeSunRiseSet(2024, 1, 1, &r2, &t2, &s2);
    EXPECT_NEAR(r2 - r1, 0.0, 1.0 / 60);
    EXPECT_NEAR(s2 - s1, 1.0 / 60, 1.0 / 60);
}

// Where the Sun stays above -18 degrees all night the twilight never ends (23.99); where it
// stays below all day, 0, and the sunrise is the engine's never-rises sentinel; under the
// midnight Sun the set is 23.99.
TEST_F(SunMoonRiseSet, TwilightSentinels) {
    double rise, transit, set, twilight;
    SetTestSite(64.84, 147.72, -480);
    EXPECT_EQ(ComputeSunRiseSet(2024, 6, 21, &rise, &transit, &set, &twilight), 1);
    EXPECT_EQ(twilight, 23.99);
    SetTestSite(85.0, 0.0, 0);
    EXPECT_EQ(ComputeSunRiseSet(2024, 12, 21, &rise, &transit, &set, &twilight), 1);
    EXPECT_TRUE(twilight == 0.0 && rise == 0.0 && set == 0.0);
    EXPECT_EQ(ComputeSunRiseSet(2024, 6, 21, &rise, &transit, &set, &twilight), 0);
    EXPECT_EQ(set, 23.99);
}

}  // namespace
