#include "core/julian_day.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>

#include "core/shared_state.h"
#include "support/reference_csv.h"

namespace {

struct Civil {
    int year, month, day, hour, minute, second;
    bool operator==(const Civil&) const = default;
};

std::ostream& operator<<(std::ostream& os, const Civil& c) {
    return os << c.year << '-' << c.month << '-' << c.day << ' ' << c.hour << ':' << c.minute << ':' << c.second;
}

Civil ByTruncation(double jd) {
    Civil c{};
    JDToCalendar(jd, &c.year, &c.month, &c.day, &c.hour, &c.minute, &c.second);
    return c;
}

Civil ByRounding(double jd) {
    Civil c{};
    CalendarFromJulianDay(jd, &c.year, &c.month, &c.day, &c.hour, &c.minute, &c.second);
    return c;
}

Civil Date(int year, int month, int day) { return Civil{year, month, day, 0, 0, 0}; }

TEST(JulianDay, LeapYearsJulianUpTo1582AndMonthLengths) {
    const struct { int year, leap; } years[] = {{1500, 1}, {1582, 0}, {1584, 1}, {1600, 1}, {1700, 0},
                                                {1900, 0}, {2000, 1}, {2009, 0}, {0, 1},    {-1, 0}};
    for (const auto& c : years) EXPECT_EQ(IsLeapYear(c.year), c.leap) << c.year;
    const struct { int month, year, days; } months[] = {{2, 1900, 28}, {2, 2000, 29}, {2, 1500, 29}, {4, 2009, 30},
                                                        {12, 2009, 31}, {13, 2009, 0}, {0, 2009, 0},
                                                        {INT_MIN, 2009, 0}, {INT_MAX, 2009, 0}};
    for (const auto& c : months) EXPECT_EQ(GetDaysInMonth(c.month, c.year), c.days) << c.month << ' ' << c.year;
}

// Meeus, Astronomical Algorithms, chapter 7: examples 7.a, 7.b and the table of
// Julian days that follows them.
TEST(JulianDayFromDateTime, MeeusExamples) {
    struct Case { int y, m, d, h, mi, s; double jd; } cases[] = {
        {2000, 1, 1, 12, 0, 0, 2451545.0},   {1999, 1, 1, 0, 0, 0, 2451179.5},    {1987, 1, 27, 0, 0, 0, 2446822.5},
        {1987, 6, 19, 12, 0, 0, 2446966.0},  {1988, 1, 27, 0, 0, 0, 2447187.5},   {1988, 6, 19, 12, 0, 0, 2447332.0},
        {1900, 1, 1, 0, 0, 0, 2415020.5},    {1600, 1, 1, 0, 0, 0, 2305447.5},    {1600, 12, 31, 0, 0, 0, 2305812.5},
        {837, 4, 10, 7, 12, 0, 2026871.8},   {-123, 12, 31, 0, 0, 0, 1676496.5},  {-122, 1, 1, 0, 0, 0, 1676497.5},
        {-1000, 7, 12, 12, 0, 0, 1356001.0}, {-1000, 2, 29, 0, 0, 0, 1355866.5},  {-1001, 8, 17, 21, 36, 0, 1355671.4},
        {-4712, 1, 1, 12, 0, 0, 0.0},        {1957, 10, 4, 19, 26, 24, 2436116.31}, {333, 1, 27, 12, 0, 0, 1842713.0},
    };
    for (const Case& c : cases)
        EXPECT_NEAR(JulianDayFromDateTime(c.y, c.m, c.d, c.h, c.mi, c.s, 0), c.jd, 1e-8) << c.y << ' ' << c.m;
}

// 00:30 local, one hour ahead of UT, is 23:30 UT of the day before.
TEST(JulianDayFromDateTime, ZoneIsSubtracted) {
    EXPECT_EQ(JulianDayFromDate(2000, 1, 1), 2451544.5);
    EXPECT_NEAR(JulianDayFromDateTime(2000, 1, 1, 12, 0, 0, 60), 2451545.0 - 1.0 / 24, 1e-9);
    EXPECT_EQ(JulianDayFromDateTime(2000, 1, 1, 0, 30, 0, 60), JulianDayFromDateTime(1999, 12, 31, 23, 30, 0, 0));
}

// ERFA cal2jd, Gregorian dates 1583..2400 (scripts/reference/sidereal_horizontal_erfa.py).
TEST(JulianDayFromDate, MatchesErfaGregorianDates) {
    auto rows = ReadReferenceCsv("julian_day_erfa.csv");
    ASSERT_EQ(rows.size(), 200u);
    for (const auto& r : rows) {
        const Civil date = Date(static_cast<int>(r[0]), static_cast<int>(r[1]), static_cast<int>(r[2]));
        EXPECT_EQ(JulianDayFromDate(date.year, date.month, date.day), r[3]) << date;
        EXPECT_EQ(ByRounding(r[3]), date);
    }
}

// The reform: Thursday 1582-10-04 (Julian) was followed by Friday 1582-10-15 (Gregorian). Both
// directions switch there, so dates up to 1584-02-29 are no longer ten days off.
TEST(JulianDay, GregorianReformSwitchesAt15October1582BothWays) {
    EXPECT_EQ(JulianDayFromDate(1582, 10, 15), 2299160.5);
    EXPECT_EQ(JulianDayFromDate(1582, 10, 4), 2299159.5);
    EXPECT_EQ(JulianDayFromDate(1584, 3, 1) - JulianDayFromDate(1584, 2, 29), 1.0);
    EXPECT_EQ(JulianDayFromDate(1583, 1, 1) - JulianDayFromDate(1582, 12, 31), 1.0);
    EXPECT_EQ(ByTruncation(2299160.5), Date(1582, 10, 15));
    EXPECT_EQ(ByTruncation(2299159.5), Date(1582, 10, 4));
    EXPECT_EQ(GetDayOfWeek(1582, 10, 4), 4);
    EXPECT_EQ(GetDayOfWeek(1582, 10, 15), 5);
}

TEST(JulianDay, EveryDateFrom1500To1700RoundTripsWithoutGaps) {
    double previous = JulianDayFromDate(1499, 12, 31);
    for (int y = 1500; y <= 1700; ++y)
        for (int m = 1; m <= 12; ++m)
            for (int d = 1; d <= GetDaysInMonth(m, y); ++d) {
                if (y == 1582 && m == 10 && d > 4 && d < 15) continue;  // removed by the reform
                double jd = JulianDayFromDate(y, m, d);
                ASSERT_EQ(jd - previous, 1.0) << Date(y, m, d);
                ASSERT_EQ(ByRounding(jd), Date(y, m, d));
                ASSERT_EQ(ByTruncation(jd + 0.5), (Civil{y, m, d, 12, 0, 0}));
                previous = jd;
            }
}

// Saturday, Friday, Wednesday (Meeus example 7.e); JD 0 began on a Monday, and negative
// Julian days count on.
TEST(GetDayOfWeek, KnownWeekdays) {
    const struct { int y, m, d, weekday; } cases[] = {{2000, 1, 1, 6},  {2009, 12, 25, 5}, {1954, 6, 30, 3},
                                                      {-4712, 1, 1, 1}, {-4712, 1, 2, 2},  {-4713, 12, 31, 0}};
    for (const auto& c : cases) EXPECT_EQ(GetDayOfWeek(c.y, c.m, c.d), c.weekday) << c.y << '-' << c.m << '-' << c.d;
}

// Meeus examples 7.c: JD 2436116.31 is 1957 October 4.81, JD 1842713.0 is
// 333 January 27.5, JD 1507900.13 is -584 May 28.63.
TEST(CalendarFromJulianDay, MeeusExamples) {
    EXPECT_EQ(ByRounding(2436116.31), (Civil{1957, 10, 4, 19, 26, 24}));
    EXPECT_EQ(ByRounding(1842713.0), (Civil{333, 1, 27, 12, 0, 0}));
    EXPECT_EQ(ByRounding(1507900.13), (Civil{-584, 5, 28, 15, 7, 12}));
    EXPECT_EQ(ByTruncation(2451545.0), (Civil{2000, 1, 1, 12, 0, 0}));
    EXPECT_EQ(ByTruncation(1842713.0), (Civil{333, 1, 27, 12, 0, 0}));
    EXPECT_EQ(ByRounding(-0.5), Date(-4712, 1, 1));
    EXPECT_EQ(ByRounding(-1.25), (Civil{-4713, 12, 31, 6, 0, 0}));
}

// Rounding to whole seconds once read 00:59:60; a rounded-up last second carries into the next
// day (and into a leap day).
TEST(CalendarFromJulianDay, NeverReadsSixtySecondsAndCarriesAtMidnight) {
    double jd = JulianDayFromDateTime(2009, 6, 1, 1, 0, 0, 0);
    EXPECT_EQ(ByTruncation(jd), (Civil{2009, 6, 1, 0, 59, 59}));  // truncated: the double lies a hair below 01:00
    EXPECT_EQ(ByRounding(jd), (Civil{2009, 6, 1, 1, 0, 0}));
    for (int s = 0; s < 86400; s += 7) {
        Civil c = ByRounding(2451544.5 + s / 86400.0);
        ASSERT_EQ(c.hour * 3600 + c.minute * 60 + c.second, s);
    }
    EXPECT_EQ(ByRounding(JulianDayFromDate(2008, 12, 31) + 86399.6 / 86400), Date(2009, 1, 1));
    EXPECT_EQ(ByRounding(JulianDayFromDate(2008, 2, 28) + 86399.7 / 86400), Date(2008, 2, 29));
}

TEST(DateToDecimalYear, EndsOfTheYear) {
    EXPECT_EQ(DateToDecimalYear(2009, 12, 31, 0, 0, 0), 2010.0);
    EXPECT_DOUBLE_EQ(DateToDecimalYear(2009, 1, 1, 0, 0, 0), 2009 + 1.0 / 365);
    EXPECT_DOUBLE_EQ(DateToDecimalYear(2008, 3, 1, 12, 0, 0), 2008 + 61.5 / 366);
}

TEST(SetCurrentDateTime, WritesCriteriaThenCurrentDateTime) {
    ResetSharedState();
    selectionCriteria.visibility = 7;
    SetCurrentDateTime(2009, 6, 1, 22, 45, 30);
    const SelectionCriteria& sc = selectionCriteria;
    const DateTime& t = currentDateTime;
    EXPECT_EQ((Civil{sc.year, sc.month, sc.day, sc.hour, sc.minute, 0}), (Civil{2009, 6, 1, 22, 45, 0}));
    EXPECT_EQ(sc.visibility, 7);
    EXPECT_EQ((Civil{t.year, t.month, t.day, t.hour, t.minute, t.second}), (Civil{2009, 6, 1, 22, 45, 30}));
    ResetSharedState();
}

// Worked carries across a month, a year and a leap day (checked by hand on the
// calendar), with the leap-year flag each returns; a delta of 0 changes nothing.
TEST(AddMinutesAndDays, CarryAcrossMonthYearAndLeapDay) {
    const struct { bool days; Civil from; int delta; Civil to; int leap; } cases[] = {
        {false, {2008, 12, 31, 23, 30, 0}, 45, {2009, 1, 1, 0, 15, 0}, 0},
        {false, {2008, 3, 1, 0, 10, 0}, -20, {2008, 2, 29, 23, 50, 0}, 1},
        {false, {2009, 6, 1, 10, 20, 0}, 0, {2009, 6, 1, 10, 20, 0}, 0},
        {false, Date(2008, 1, 1), 366 * 1440, Date(2009, 1, 1), 0},
        {false, {2010, 1, 1, 6, 0, 0}, -365 * 1440 - 7 * 60, {2008, 12, 31, 23, 0, 0}, 1},
        {false, {1900, 2, 28, 23, 59, 0}, 1, Date(1900, 3, 1), 0},
        {true, Date(2009, 1, 1), -1, Date(2008, 12, 31), 1},  {true, Date(2008, 2, 28), 1, Date(2008, 2, 29), 1},
        {true, Date(1900, 2, 28), 1, Date(1900, 3, 1), 0},    {true, Date(2008, 1, 1), 366, Date(2009, 1, 1), 0},
        {true, Date(2009, 3, 1), -1, Date(2009, 2, 28), 0},   {true, Date(2009, 6, 15), 0, Date(2009, 6, 15), 0},
    };
    for (const auto& c : cases) {
        Civil t = c.from;
        const int leap = c.days ? AddDaysToDate(&t.year, &t.month, &t.day, c.delta)
                                : AddMinutesToDateTime(&t.year, &t.month, &t.day, &t.hour, &t.minute, c.delta);
        EXPECT_EQ(leap, c.leap) << c.from << " + " << c.delta;
        EXPECT_EQ(t, c.to) << c.from << " + " << c.delta;
    }
}

// A site's clock against UT at the ends of a month and a year, zones -9 h and
// +12 h, seconds kept (carries checked on the calendar); local and universal
// round-trip.
TEST(UniversalFromLocal, ZonesAcrossMonthAndYearEnds) {
    const struct { DateTime local; int zone; DateTime universal; } cases[] = {
        {{2027, 6, 30, 22, 0, 17}, -9 * 60, {2027, 7, 1, 7, 0, 17}},
        {{2027, 7, 1, 8, 0, 0}, 12 * 60, {2027, 6, 30, 20, 0, 0}},
        {{2026, 12, 31, 20, 30, 0}, -480, {2027, 1, 1, 4, 30, 0}},
        {{2027, 1, 1, 5, 59, 0}, 360, {2026, 12, 31, 23, 59, 0}},
        {{2024, 3, 1, 0, 30, 0}, 60, {2024, 2, 29, 23, 30, 0}},
        {{2027, 3, 15, 12, 0, 0}, 0, {2027, 3, 15, 12, 0, 0}},
    };
    auto same = [](const DateTime& a, const DateTime& b) {
        return a.year == b.year && a.month == b.month && a.day == b.day && a.hour == b.hour &&
               a.minute == b.minute && a.second == b.second;
    };
    for (const auto& c : cases) {
        EXPECT_TRUE(same(UniversalFromLocal(c.local, c.zone), c.universal)) << c.local.month << "/" << c.local.day;
        EXPECT_TRUE(same(LocalFromUniversal(c.universal, c.zone), c.local)) << c.local.month << "/" << c.local.day;
    }
}

// Stepping must agree with the Julian days, so it crosses the ten dates that the
// reform removed instead of producing them.
TEST(AddDaysToDate, SteppingSkipsTheDatesTheReformRemoved) {
    Civil t = Date(1582, 10, 4);
    AddDaysToDate(&t.year, &t.month, &t.day, 1);
    EXPECT_EQ(t, Date(1582, 10, 15));
    AddDaysToDate(&t.year, &t.month, &t.day, -1);
    EXPECT_EQ(t, Date(1582, 10, 4));
    t.hour = 23, t.minute = 30;
    AddMinutesToDateTime(&t.year, &t.month, &t.day, &t.hour, &t.minute, 60);
    EXPECT_EQ(t, (Civil{1582, 10, 15, 0, 30, 0}));
    for (int n : {17, 365, 800, -29, -1000}) {
        t = Date(1583, 1, 10);
        AddDaysToDate(&t.year, &t.month, &t.day, n);
        EXPECT_EQ(JulianDayFromDate(t.year, t.month, t.day) - JulianDayFromDate(1583, 1, 10), n) << n;
    }
}

}  // namespace
