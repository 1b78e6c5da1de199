// The clock: calendar arithmetic, the virtual clock and short date patterns.
#include "platform/clock.h"

#include <gtest/gtest.h>

using namespace pl;

namespace {

struct CivilCase {
    int year, month, day;
    int64_t days;  // since 1970-01-01
    const char* source;
};

// Day counts from the Unix epoch: values of `date -u -d <date> +%s` / 86400.
const CivilCase kCivil[] = {
    {1970, 1, 1, 0, "epoch"},
    {2000, 3, 1, 11017, "date -u -d 2000-03-01 +%s = 951868800"},
    {2024, 2, 29, 19782, "date -u -d 2024-02-29 +%s = 1709164800"},
    {1900, 3, 1, -25508, "date -u -d 1900-03-01 +%s = -2203891200"},
    {1582, 10, 15, -141427, "date -u -d 1582-10-15 +%s = -12219292800"},
};

TEST(ClockCalendar, DaysFromCivilAndBack) {
    for (const CivilCase& c : kCivil) {
        SCOPED_TRACE(c.source);
        EXPECT_EQ(c.days, DaysFromCivil(c.year, c.month, c.day));
        int y, m, d;
        CivilFromDays(c.days, &y, &m, &d);
        EXPECT_EQ(c.year, y);
        EXPECT_EQ(c.month, m);
        EXPECT_EQ(c.day, d);
    }
}

class VirtualClockTest : public ::testing::Test {
protected:
    VirtualClockTest() {
        UseVirtualClock({.year = 2023, .month = 12, .day = 31, .hour = 23, .minute = 59, .second = 59, .milliseconds = 500});
    }
    ~VirtualClockTest() override { UseRealClock(); }
};

TEST_F(VirtualClockTest, TicksAndLocalTimeMoveOnlyWhenTold) {
    uint32_t t0 = GetTickCount();
    EXPECT_EQ(1000u, t0);
    LocalTime now;
    GetLocalTime(&now);
    EXPECT_EQ(2023, now.year);
    EXPECT_EQ(0, now.dayOfWeek);  // 31 December 2023 was a Sunday
    AdvanceVirtualClock(600);
    EXPECT_EQ(t0 + 600, GetTickCount());
    GetLocalTime(&now);
    EXPECT_EQ(2024, now.year);
    EXPECT_EQ(1, now.month);
    EXPECT_EQ(1, now.day);
    EXPECT_EQ(0, now.hour);
    EXPECT_EQ(100, now.milliseconds);
    EXPECT_EQ(1, now.dayOfWeek);
}

TEST_F(VirtualClockTest, SleepMovesTheClockAtOnce) {
    uint32_t t0 = GetTickCount();
    Sleep(2500);
    EXPECT_EQ(t0 + 2500, GetTickCount());
}

TEST_F(VirtualClockTest, SettingTheLocalTimeKeepsTheTickCount) {
    uint32_t t0 = GetTickCount();
    SetVirtualLocalTime({.year = 2007, .month = 12, .day = 1});
    EXPECT_EQ(t0, GetTickCount());
    AdvanceVirtualClock(86400000);
    LocalTime now;
    GetLocalTime(&now);
    EXPECT_EQ(2, now.day);
}

struct PatternCase {
    const char* pattern;
    const char* expected;  // 1 December 2007
};

const PatternCase kPatterns[] = {
    {"M/d/yyyy", "12/1/2007"},   {"dd/MM/yyyy", "01/12/2007"}, {"yyyy-MM-dd", "2007-12-01"},
    {"d.M.yy", "1.12.07"},       {"yy/MM/dd", "07/12/01"},     {"'Day' d", "Day 1"},
};

TEST_F(VirtualClockTest, ShortDatePatterns) {
    EXPECT_EQ("M/d/yyyy", GetShortDatePattern());
    for (const PatternCase& c : kPatterns) {
        SetShortDatePattern(c.pattern);
        EXPECT_EQ(c.expected, FormatShortDate(2007, 12, 1)) << c.pattern;
    }
}

TEST(ClockLocale, EmptyPatternFallsBackToTheLocale) {
    SetShortDatePattern("");
    std::string pattern = GetShortDatePattern();
    EXPECT_FALSE(pattern.empty());
    EXPECT_NE(std::string::npos, pattern.find('M'));
    EXPECT_NE(std::string::npos, pattern.find('d'));
}

}  // namespace
