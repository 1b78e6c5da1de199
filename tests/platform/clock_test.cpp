// The clock: calendar arithmetic, the virtual clock and short date patterns.
#include "platform/clock.h"

#include <gtest/gtest.h>

using namespace pl;

namespace {

TEST(ClockCalendar, DaysFromCivilAndBack) {
    // Day counts from the Unix epoch: values of `date -u -d <date> +%s` / 86400.
    const struct {
        int year, month, day;
        int64_t days;
        const char* source;
    } cases[] = {
        {1970, 1, 1, 0, "epoch"},
        {2000, 3, 1, 11017, "date -u -d 2000-03-01 +%s = 951868800"},
        {2024, 2, 29, 19782, "date -u -d 2024-02-29 +%s = 1709164800"},
        {1900, 3, 1, -25508, "date -u -d 1900-03-01 +%s = -2203891200"},
        {1582, 10, 15, -141427, "date -u -d 1582-10-15 +%s = -12219292800"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.source);
        EXPECT_EQ(c.days, DaysFromCivil(c.year, c.month, c.day));
        int y, m, d;
        CivilFromDays(c.days, &y, &m, &d);
        EXPECT_EQ(c.year * 10000 + c.month * 100 + c.day, y * 10000 + m * 100 + d);
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
    // Setting the local time leaves the tick count alone.
    SetVirtualLocalTime({.year = 2007, .month = 12, .day = 1});
    EXPECT_EQ(t0 + 600, GetTickCount());
    AdvanceVirtualClock(86400000);
    GetLocalTime(&now);
    EXPECT_EQ(2, now.day);
}

TEST_F(VirtualClockTest, ShortDatePatterns) {
    EXPECT_EQ("M/d/yyyy", GetShortDatePattern());
    const struct {
        const char* pattern;
        const char* expected;  // 1 December 2007
    } cases[] = {
        {"M/d/yyyy", "12/1/2007"}, {"dd/MM/yyyy", "01/12/2007"}, {"yyyy-MM-dd", "2007-12-01"},
        {"d.M.yy", "1.12.07"},     {"yy/MM/dd", "07/12/01"},     {"'Day' d", "Day 1"},
    };
    for (const auto& c : cases) {
        SetShortDatePattern(c.pattern);
        EXPECT_EQ(c.expected, FormatShortDate(2007, 12, 1)) << c.pattern;
    }
    // An empty pattern falls back to the locale's.
    SetShortDatePattern("");
    std::string pattern = GetShortDatePattern();
    EXPECT_NE(std::string::npos, pattern.find('M'));
    EXPECT_NE(std::string::npos, pattern.find('d'));
}

}  // namespace
