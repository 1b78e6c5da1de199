#include "core/julian_day.h"

#include <gtest/gtest.h>

#include <cmath>

#include "core/shared_state.h"
#include "support/reference_csv.h"

namespace {

struct Civil {
    int year, month, day, hour, minute, second;
    bool operator==(const Civil&) const = default;
};

std::ostream& operator<<(std::ostream& os, const Civil& c) {
    return os << c.year << '-' << c.month << '-' << c.day << ' ' << c.hour << ':' << c.minute
              << ':' << c.second;
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

// The reform removed 1582-10-05 .. 1582-10-14.
bool Exists(int year, int month, int day) {
    return !(year == 1582 && month == 10 && day > 4 && day < 15);
}

TEST(IsLeapYear, JulianUpTo1582GregorianAfter) {
    struct Case { int year, leap; } cases[] = {
        {1500, 1}, {1582, 0}, {1580, 1}, {1584, 1}, {1600, 1}, {1700, 0}, {1900, 0},
        {2000, 1}, {2008, 1}, {2009, 0}, {0, 1},    {-4, 1},   {-1, 0},   {1300, 1},
    };
    for (const Case& c : cases) EXPECT_EQ(IsLeapYear(c.year), c.leap) << c.year;
}

TEST(GetDaysInMonth, LengthsAndBadMonths) {
    struct Case { int month, year, days; } cases[] = {
        {2, 1900, 28}, {2, 2000, 29}, {2, 1500, 29}, {2, 2009, 28}, {4, 2009, 30},
        {12, 2009, 31}, {13, 2009, 0}, {0, 2009, 0},  {-1, 2009, 0},
    };
    for (const Case& c : cases) EXPECT_EQ(GetDaysInMonth(c.month, c.year), c.days) << c.month;
}

// Meeus, Astronomical Algorithms, chapter 7: examples 7.a, 7.b and the table of
// Julian days that follows them.
TEST(JulianDayFromDateTime, MeeusExamples) {
    struct Case { int y, m, d, h, mi, s; double jd; } cases[] = {
        {2000, 1, 1, 12, 0, 0, 2451545.0},  {1999, 1, 1, 0, 0, 0, 2451179.5},
        {1987, 1, 27, 0, 0, 0, 2446822.5},  {1987, 6, 19, 12, 0, 0, 2446966.0},
        {1988, 1, 27, 0, 0, 0, 2447187.5},  {1988, 6, 19, 12, 0, 0, 2447332.0},
        {1900, 1, 1, 0, 0, 0, 2415020.5},   {1600, 1, 1, 0, 0, 0, 2305447.5},
        {1600, 12, 31, 0, 0, 0, 2305812.5}, {837, 4, 10, 7, 12, 0, 2026871.8},
        {-123, 12, 31, 0, 0, 0, 1676496.5}, {-122, 1, 1, 0, 0, 0, 1676497.5},
        {-1000, 7, 12, 12, 0, 0, 1356001.0}, {-1000, 2, 29, 0, 0, 0, 1355866.5},
        {-1001, 8, 17, 21, 36, 0, 1355671.4}, {-4712, 1, 1, 12, 0, 0, 0.0},
        {1957, 10, 4, 19, 26, 24, 2436116.31}, {333, 1, 27, 12, 0, 0, 1842713.0},
    };
    for (const Case& c : cases)
        EXPECT_NEAR(JulianDayFromDateTime(c.y, c.m, c.d, c.h, c.mi, c.s, 0), c.jd, 1e-8)
            << c.y << '-' << c.m << '-' << c.d;
}

TEST(JulianDayFromDateTime, ZoneIsSubtracted) {
    EXPECT_EQ(JulianDayFromDate(2000, 1, 1), 2451544.5);
    EXPECT_NEAR(JulianDayFromDateTime(2000, 1, 1, 12, 0, 0, 60), 2451545.0 - 1.0 / 24, 1e-9);
    // 00:30 local, one hour ahead of UT, is 23:30 UT of the day before.
    EXPECT_NEAR(JulianDayFromDateTime(2000, 1, 1, 0, 30, 0, 60),
                JulianDayFromDateTime(1999, 12, 31, 23, 30, 0, 0), 1e-9);
}

// ERFA cal2jd, Gregorian dates 1583..2400 (scripts/reference/sidereal_horizontal_erfa.py).
TEST(JulianDayFromDate, MatchesErfaGregorianDates) {
    auto rows = ReadReferenceCsv("julian_day_erfa.csv");
    ASSERT_EQ(rows.size(), 200u);
    for (const auto& r : rows) {
        int y = static_cast<int>(r[0]), m = static_cast<int>(r[1]), d = static_cast<int>(r[2]);
        EXPECT_EQ(JulianDayFromDate(y, m, d), r[3]) << y << '-' << m << '-' << d;
        EXPECT_EQ(ByRounding(r[3]), (Civil{y, m, d, 0, 0, 0}));
    }
}

// The reform: Thursday 1582-10-04 (Julian) was followed by Friday 1582-10-15
// (Gregorian). Both directions switch there, so dates up to 1584-02-29 are no
// longer ten days off.
TEST(JulianDay, GregorianReformSwitchesAt15October1582BothWays) {
    EXPECT_EQ(JulianDayFromDate(1582, 10, 15), 2299160.5);
    EXPECT_EQ(JulianDayFromDate(1582, 10, 4), 2299159.5);
    EXPECT_EQ(JulianDayFromDate(1584, 3, 1) - JulianDayFromDate(1584, 2, 29), 1.0);
    EXPECT_EQ(JulianDayFromDate(1583, 1, 1) - JulianDayFromDate(1582, 12, 31), 1.0);
    EXPECT_EQ(ByTruncation(2299160.5), (Civil{1582, 10, 15, 0, 0, 0}));
    EXPECT_EQ(ByTruncation(2299159.5), (Civil{1582, 10, 4, 0, 0, 0}));
    EXPECT_EQ(GetDayOfWeek(1582, 10, 4), 4);
    EXPECT_EQ(GetDayOfWeek(1582, 10, 15), 5);
}

TEST(JulianDay, EveryDateFrom1500To1700RoundTripsWithoutGaps) {
    double previous = JulianDayFromDate(1499, 12, 31);
    for (int y = 1500; y <= 1700; ++y)
        for (int m = 1; m <= 12; ++m)
            for (int d = 1; d <= GetDaysInMonth(m, y); ++d) {
                if (!Exists(y, m, d)) continue;
                double jd = JulianDayFromDate(y, m, d);
                ASSERT_EQ(jd - previous, 1.0) << y << '-' << m << '-' << d;
                ASSERT_EQ(ByRounding(jd), (Civil{y, m, d, 0, 0, 0}));
                ASSERT_EQ(ByTruncation(jd + 0.5), (Civil{y, m, d, 12, 0, 0}));
                previous = jd;
            }
}

TEST(GetDayOfWeek, KnownWeekdays) {
    EXPECT_EQ(GetDayOfWeek(2000, 1, 1), 6);   // Saturday
    EXPECT_EQ(GetDayOfWeek(2009, 12, 25), 5); // Friday
    EXPECT_EQ(GetDayOfWeek(1954, 6, 30), 3);  // Wednesday, Meeus example 7.e
    EXPECT_EQ(GetDayOfWeek(-4712, 1, 1), 1);  // JD 0 began on a Monday
    EXPECT_EQ(GetDayOfWeek(-4712, 1, 2), 2);
    EXPECT_EQ(GetDayOfWeek(-4713, 12, 31), 0); // negative Julian days count on
}

// Meeus examples 7.c: JD 2436116.31 is 1957 October 4.81, JD 1842713.0 is
// 333 January 27.5, JD 1507900.13 is -584 May 28.63.
TEST(CalendarFromJulianDay, MeeusExamples) {
    EXPECT_EQ(ByRounding(2436116.31), (Civil{1957, 10, 4, 19, 26, 24}));
    EXPECT_EQ(ByRounding(1842713.0), (Civil{333, 1, 27, 12, 0, 0}));
    EXPECT_EQ(ByRounding(1507900.13), (Civil{-584, 5, 28, 15, 7, 12}));
    EXPECT_EQ(ByTruncation(2451545.0), (Civil{2000, 1, 1, 12, 0, 0}));
    EXPECT_EQ(ByTruncation(1842713.0), (Civil{333, 1, 27, 12, 0, 0}));
    EXPECT_EQ(ByRounding(-0.5), (Civil{-4712, 1, 1, 0, 0, 0}));
    EXPECT_EQ(ByRounding(-1.25), (Civil{-4713, 12, 31, 6, 0, 0}));
}

TEST(CalendarFromJulianDay, NeverReadsSixtySeconds) {
    double jd = JulianDayFromDateTime(2009, 6, 1, 1, 0, 0, 0);
    EXPECT_EQ(ByTruncation(jd), (Civil{2009, 6, 1, 0, 59, 59}));  // truncation, as specified
    EXPECT_EQ(ByRounding(jd), (Civil{2009, 6, 1, 1, 0, 0}));
    for (int s = 0; s < 86400; s += 7) {
        Civil c = ByRounding(2451544.5 + s / 86400.0);
        ASSERT_EQ(c.hour * 3600 + c.minute * 60 + c.second, s);
    }
}

TEST(CalendarFromJulianDay, RoundingUpAtMidnightCarriesToNextDay) {
    double jd = JulianDayFromDate(2008, 12, 31) + 86399.6 / 86400;
    EXPECT_EQ(ByRounding(jd), (Civil{2009, 1, 1, 0, 0, 0}));
    jd = JulianDayFromDate(2008, 2, 28) + 86399.7 / 86400;
    EXPECT_EQ(ByRounding(jd), (Civil{2008, 2, 29, 0, 0, 0}));
}

TEST(DateToDecimalYear, EndsOfTheYear) {
    EXPECT_EQ(DateToDecimalYear(2009, 12, 31, 0, 0, 0), 2010.0);
    EXPECT_DOUBLE_EQ(DateToDecimalYear(2009, 1, 1, 0, 0, 0), 2009 + 1.0 / 365);
    EXPECT_DOUBLE_EQ(DateToDecimalYear(2008, 1, 1, 0, 0, 0), 2008 + 1.0 / 366);
    EXPECT_EQ(DateToDecimalYear(2008, 12, 31, 0, 0, 0), 2009.0);
    EXPECT_DOUBLE_EQ(DateToDecimalYear(2008, 3, 1, 12, 0, 0), 2008 + 61.5 / 366);
}

TEST(SetCurrentDateTime, WritesCriteriaThenCurrentDateTime) {
    ResetSharedState();
    selectionCriteria.visibility = 7;
    selectionCriteria.catalogue = 3;
    SetCurrentDateTime(2009, 6, 1, 22, 45, 30);
    const SelectionCriteria& sc = selectionCriteria;
    EXPECT_EQ((Civil{sc.year, sc.month, sc.day, sc.hour, sc.minute, 0}),
              (Civil{2009, 6, 1, 22, 45, 0}));
    EXPECT_EQ(sc.visibility, 7);
    EXPECT_EQ(sc.catalogue, 3);
    const DateTime& t = currentDateTime;
    EXPECT_EQ((Civil{t.year, t.month, t.day, t.hour, t.minute, t.second}),
              (Civil{2009, 6, 1, 22, 45, 30}));
    ResetSharedState();
}

struct MinuteCase {
    Civil from;
    int delta;
    Civil to;
    int leap;
};

TEST(AddMinutesToDateTime, CarriesAcrossMonthYearAndLeapDay) {
    const MinuteCase cases[] = {
        {{2008, 12, 31, 23, 30, 0}, 45, {2009, 1, 1, 0, 15, 0}, 0},
        {{2008, 3, 1, 0, 10, 0}, -20, {2008, 2, 29, 23, 50, 0}, 1},
        {{2009, 6, 1, 10, 20, 0}, 0, {2009, 6, 1, 10, 20, 0}, 0},
        {{2000, 1, 1, 0, 0, 0}, -1, {1999, 12, 31, 23, 59, 0}, 0},
        {{2008, 1, 1, 0, 0, 0}, 366 * 1440, {2009, 1, 1, 0, 0, 0}, 0},
        {{2010, 1, 1, 6, 0, 0}, -365 * 1440 - 7 * 60, {2008, 12, 31, 23, 0, 0}, 1},
        {{1900, 2, 28, 23, 59, 0}, 1, {1900, 3, 1, 0, 0, 0}, 0},
        {{2009, 4, 30, 23, 0, 0}, 125, {2009, 5, 1, 1, 5, 0}, 0},
    };
    for (const MinuteCase& c : cases) {
        Civil t = c.from;
        int leap = AddMinutesToDateTime(&t.year, &t.month, &t.day, &t.hour, &t.minute, c.delta);
        EXPECT_EQ(t, c.to) << c.from << " + " << c.delta;
        EXPECT_EQ(leap, c.leap) << c.from << " + " << c.delta;
    }
}

TEST(AddDaysToDate, CarriesAcrossMonthYearAndLeapDay) {
    struct Case { int y, m, d, n, ty, tm, td, leap; } cases[] = {
        {2009, 1, 1, -1, 2008, 12, 31, 1}, {2008, 2, 28, 1, 2008, 2, 29, 1},
        {1900, 2, 28, 1, 1900, 3, 1, 0},   {2000, 2, 28, 1, 2000, 2, 29, 1},
        {2008, 1, 1, 366, 2009, 1, 1, 0},  {2009, 3, 1, -1, 2009, 2, 28, 0},
        {2009, 6, 15, 0, 2009, 6, 15, 0},  {2009, 12, 31, 1, 2010, 1, 1, 0},
    };
    for (const Case& c : cases) {
        int y = c.y, m = c.m, d = c.d;
        int leap = AddDaysToDate(&y, &m, &d, c.n);
        EXPECT_EQ((Civil{y, m, d, 0, 0, 0}), (Civil{c.ty, c.tm, c.td, 0, 0, 0}))
            << c.y << '-' << c.m << '-' << c.d << " + " << c.n;
        EXPECT_EQ(leap, c.leap);
    }
}

// Stepping must agree with the Julian days, so it crosses the ten dates that the
// reform removed instead of producing them.
TEST(AddDaysToDate, SteppingSkipsTheDatesTheReformRemoved) {
    int y = 1582, m = 10, d = 4;
    AddDaysToDate(&y, &m, &d, 1);
    EXPECT_EQ((Civil{y, m, d, 0, 0, 0}), (Civil{1582, 10, 15, 0, 0, 0}));
    AddDaysToDate(&y, &m, &d, -1);
    EXPECT_EQ((Civil{y, m, d, 0, 0, 0}), (Civil{1582, 10, 4, 0, 0, 0}));
    int h = 23, mi = 30;
    AddMinutesToDateTime(&y, &m, &d, &h, &mi, 60);
    EXPECT_EQ((Civil{y, m, d, h, mi, 0}), (Civil{1582, 10, 15, 0, 30, 0}));

    for (int n : {1, 17, 100, 365, 800, -1, -29, -400, -1000}) {
        int sy = 1583, sm = 1, sd = 10;
        double before = JulianDayFromDate(sy, sm, sd);
        AddDaysToDate(&sy, &sm, &sd, n);
        EXPECT_EQ(JulianDayFromDate(sy, sm, sd) - before, n) << n;
    }
}

}  // namespace
