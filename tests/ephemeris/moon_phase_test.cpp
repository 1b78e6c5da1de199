#include "ephemeris/moon_phase.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "core/julian_day.h"
#include "core/shared_state.h"
#include "support/reference_csv.h"

namespace {

class MoonPhase : public ::testing::Test {
protected:
    void SetUp() override { ResetSharedState(); }
    // GetMoonPhase with the site's zone in minutes.
    static double Phase(int zone, int year, int month, int day, double hour, int* age) {
        currentSite.zoneMinutes = static_cast<int16_t>(zone);
        return GetMoonPhase(year, month, day, hour, age);
    }
};

// The worked values: 2000-01-06 18 h just before new Moon (elongation -0.228 degree),
// 2000-01-21 4 h at full Moon, 2000-01-01 0 h in the last quarter (also as 1 h at zone +60).
TEST_F(MoonPhase, WorkedValues) {
    const struct { int day; double hour; int zone; double fraction, tolerance; int age; } cases[] = {
        {6, 18.0, 0, 0.000004, 0.000002, 28}, {21, 4.0, 0, 0.99999, 0.00001, 14},
        {1, 0.0, 0, 0.27, 0.005, 23},         {1, 1.0, 60, 0.27, 0.005, 23}};
    for (const auto& c : cases) {
        int age = -1;
        EXPECT_NEAR(Phase(c.zone, 2000, 1, c.day, c.hour, &age), c.fraction, c.tolerance)
            << c.day << ' ' << c.hour;
        EXPECT_EQ(age, c.age) << c.day << ' ' << c.hour;
    }
}

// The zone gives universal time; hours past 24 or below 0 run into the next or previous day,
// also across the calendar reform, where 1582 October 4 was followed by October 15 (the 15th
// was once read in the Julian calendar, ten days later: fraction 0.024 instead of 0.859).
TEST_F(MoonPhase, HoursAndZonesRunIntoNeighbouringDays) {
    const struct { int zone, year, month, day; double hour; } cases[][2] = {
        {{60, 2010, 3, 5, 12.0}, {0, 2010, 3, 5, 11.0}},
        {{0, 2010, 3, 5, 27.5}, {0, 2010, 3, 6, 3.5}},
        {{120, 2010, 3, 6, 1.0}, {0, 2010, 3, 5, 23.0}},
        {{0, 1582, 10, 15, 0.0}, {0, 1582, 10, 4, 24.0}},
        {{120, 1582, 10, 15, 1.0}, {0, 1582, 10, 4, 23.0}},
        {{0, 1582, 10, 15, 12.0}, {0, 1582, 10, 4, 36.0}}};
    for (const auto& c : cases) {
        int a1, a2;
        const double f1 = Phase(c[0].zone, c[0].year, c[0].month, c[0].day, c[0].hour, &a1);
        EXPECT_NEAR(f1, Phase(c[1].zone, c[1].year, c[1].month, c[1].day, c[1].hour, &a2), 1e-9)
            << c[0].year << '-' << c[0].day << ' ' << c[0].hour;
        EXPECT_EQ(a1, a2) << c[0].year << '-' << c[0].day << ' ' << c[0].hour;
    }
}

// Over a whole lunation the age climbs from 0 to 28 and the fraction from 0 to 1 and back;
// never outside those ranges.
TEST_F(MoonPhase, AgeAndFractionRangesOverALunation) {
    int lowest = 99, highest = -1, age;
    for (int h = 0; h < 30 * 24; h += 3) {
        const double f = GetMoonPhase(2021, 6, 10, h, &age);
        ASSERT_TRUE(f >= 0.0 && f <= 1.0) << h;
        lowest = std::min(lowest, age);
        highest = std::max(highest, age);
    }
    EXPECT_TRUE(lowest == 0 && highest == 28) << lowest << ' ' << highest;
}

// Against PyEphem at 60 random universal times of 1900-2099 (scripts/reference/bodies_pyephem.py).
// The epoch-1980 method gives the elongation to a few tenths of a degree; the fraction so to
// 0.01, and the whole-day age, the elongation times 29/360 truncated, to within one day.
TEST_F(MoonPhase, FractionAndAgeMatchPyEphem) {
    auto rows = ReadReferenceCsv("moon_phase_pyephem.csv");
    ASSERT_EQ(rows.size(), 60u);
    for (const auto& r : rows) {
        int age;
        EXPECT_NEAR(GetMoonPhase(int(r[0]), int(r[1]), int(r[2]), r[3], &age), r[4], 0.01)
            << r[0] << '-' << r[1] << '-' << r[2];
        EXPECT_NEAR(age, int(r[5] * 29 / 360), 1) << r[0] << '-' << r[1] << '-' << r[2];
    }
}

// Meeus, Astronomical Algorithms, ch. 7: 2000 January 1.5 = 2451545.0, 1957 October 4.81 =
// 2436116.31, 333 January 27.5 = 1842713.0, 1583 January 1.0 (Gregorian) = 2299238.5. The reform
// days, 1582 October 4 and 15 at 0 h and 12 h, agree with JulianDayFromDateTime, which follows
// the reform: October 15.0 was once read in the Julian calendar (2299170.5, ten days late).
TEST(JulianDayFromDecimalDay, ReformDayWasReadInTheJulianCalendar) {
    const double cases[][4] = {{2000, 1, 1.5, 2451545.0}, {1957, 10, 4.81, 2436116.31},
                               {333, 1, 27.5, 1842713.0}, {1583, 1, 1.0, 2299238.5}};
    for (const auto& c : cases)
        EXPECT_NEAR(JulianDayFromDecimalDay(int(c[0]), int(c[1]), c[2]), c[3], 1e-9) << c[0] << ' ' << c[2];
    for (int day : {4, 15}) {
        for (int hour : {0, 12}) {
            EXPECT_DOUBLE_EQ(JulianDayFromDecimalDay(1582, 10, day + hour / 24.0),
                      JulianDayFromDateTime(1582, 10, day, hour, 0, 0, 0)) << day << ' ' << hour;
        }
    }
    EXPECT_EQ(JulianDayFromDecimalDay(1582, 10, 15.0), 2299160.5);
}

}  // namespace
