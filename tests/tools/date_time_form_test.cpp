// The date and time form (5200) over the running program: EditDateTime called
// from the home form, driven by taps, read from its controls and pixels.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "catalog/databases.h"
#include "core/shared_state.h"
#include "platform/controls.h"
#include "platform/dialog.h"
#include "platform/focus.h"
#include "platform/message_queue.h"
#include "platform/messages.h"
#include "platform/window.h"
#include "support/program_fixture.h"
#include "tools/date_time_calendar.h"
#include "tools/edit_date_time.h"
#include "ui/control_registry.h"

namespace {

constexpr pl::LocalTime kDeviceClock{2024, 3, 5, 21, 10, 0};
constexpr uint32_t kRed = 0xF80000;

class DateTimeForm : public ProgramTest {
protected:
    void SetUp() override {
        harness.setLocalTime(kDeviceClock);
        ResetCatalogState();
        SetDateFormLocal();
        ASSERT_TRUE(StartProgram());
    }
    void TearDown() override { SetDateFormLocal(); }
    // Opens the form on `t`, at a site of `zone` minutes.
    void Open(const DateTime& t, int zone = 60) {
        caller = t;
        Ui([this, zone] {
            currentSite.zoneMinutes = static_cast<int16_t>(zone);
            EditDateTime(&caller.year, &caller.month, &caller.day, &caller.hour, &caller.minute, &caller.second);
        });
        dialog = pl::GetActiveWindow();
        ASSERT_NE(pl::GetDlgItem(dialog, kDayList), nullptr);
    }
    std::string Text(int id) const { return pl::GetDlgItemText(dialog, id); }
    int Row(int list) const { return pl::ListViewGetSelectionMark(pl::GetDlgItem(dialog, list)); }
    void Press(int id) { Tap(Centre(pl::GetDlgItem(dialog, id))); }
    void Choose(int trigger, int list, int row) {
        Press(trigger);
        Tap(RowCentre(pl::GetDlgItem(dialog, list), row));
    }
    void SetText(int id, const char* text) {
        Ui([this, id, text] { pl::SetDlgItemText(dialog, id, text); });
    }
    // The calendar cell of a column and row of the design's 240 x 320 screen.
    static pl::Point Cell(int column, int row) { return {1 + 21 * column + 12, 58 + 24 * row + 12}; }
    bool Highlighted(int column, int row) const { return (harness.pixel(1 + 21 * column, 70 + 24 * row) & 0xF8F8F8) == kRed; }
    DateTime caller{};
    pl::Hwnd dialog = nullptr;
};

// From 31 March, February gives the 29th in a leap year and the 28th in a common one.
TEST_F(DateTimeForm, NewMonthClampsTheDay) {
    for (auto [year, last] : {std::pair{2004, 29}, {2006, 28}}) {
        Open({year, 3, 31, 12, 0, 0});
        Choose(kMonthTrigger, kMonthList, 1);
        EXPECT_EQ(Row(kMonthList), 1) << year;
        EXPECT_EQ(Row(kDayList), last - 1) << year;
        EXPECT_EQ(pl::ListViewGetItemCount(pl::GetDlgItem(dialog, kDayList)), last) << year;
        Press(kDateTimeCancel);
        EXPECT_EQ(caller.month, 3);
    }
}

// Universal time at zone 120: 00:30 on 1 January 2006 shows as 22:30 on 31
// December 2005; "Ok" unchanged gives 00:30 back without recomputing the sky
// state; "Cancel" after a change keeps the caller's values and puts
// dateTimeFixed back; "Ok" after a change copies and recomputes.
TEST_F(DateTimeForm, UniversalTimeShownAndGivenBackInLocalTime) {
    SetDateFormUT();
    Ui([] {
        dateTimeFixed = 0;
        selectionCriteria.scopeLimit = -1.0f;
    });
    Open({2006, 1, 1, 0, 30, 0}, 120);
    EXPECT_EQ(Row(kYearList), 2005);
    EXPECT_EQ(Row(kMonthList), 11);
    EXPECT_EQ(Row(kDayList), 30);
    EXPECT_EQ(Text(kHourField), "22");
    EXPECT_EQ(Text(kMinuteField), "30");
    EXPECT_EQ(Row(kTimeScaleList), 1);
    EXPECT_EQ(dateTimeFixed, 1);
    Press(kDateTimeOk);
    EXPECT_FALSE(pl::IsWindow(dialog));
    EXPECT_EQ((std::vector{caller.year, caller.month, caller.day, caller.hour, caller.minute}),
              (std::vector{2006, 1, 1, 0, 30}));
    EXPECT_EQ(selectionCriteria.scopeLimit, -1.0f);
    EXPECT_EQ(dateTimeFixed, 1);

    Ui([] { dateTimeFixed = 0; });
    Open({2006, 1, 1, 0, 30, 0}, 120);
    Tap(RowCentre(pl::GetDlgItem(dialog, kMinuteList), 3));
    EXPECT_EQ(Text(kMinuteField), "15");
    Press(kDateTimeCancel);
    EXPECT_EQ(caller.minute, 30);
    EXPECT_EQ(dateTimeFixed, 0);

    Open({2006, 1, 1, 0, 30, 0}, 120);
    Tap(RowCentre(pl::GetDlgItem(dialog, kMinuteList), 3));
    Press(kDateTimeOk);
    EXPECT_EQ((std::vector{caller.year, caller.day, caller.hour, caller.minute}), (std::vector{2006, 1, 0, 15}));
    EXPECT_NE(selectionCriteria.scopeLimit, -1.0f);
}

// The Julian-day field of 2006-01-01 00:00 at zone 60 is that of 2005-12-31
// 23:00 UT; typed days in local time at zone 60: J2000.0 is 13:00 local; the
// ends of [1721057.5, 2524593.5) are kept, values outside and text refused.
TEST_F(DateTimeForm, JulianDayShownAndTaken) {
    Open({2006, 1, 1, 0, 0, 0});
    EXPECT_EQ(Text(kJulianDayField), "2453736.458333");
    const struct {
        const char* text;
        bool taken;
        DateTime shown;
    } cases[] = {
        {"2451545.0", true, {2000, 1, 1, 13, 0, 0}},  // 12:00 UT
        {"1721057.5", true, {0, 1, 1, 1, 0, 0}},      // 1 January of year 0, 0h UT
        {"2524593.4", true, {2199, 12, 31, 22, 35, 59}},  // 21:35:59 UT, the day fraction truncated
        {"1721057.4", false, {}},
        {"2524593.5", false, {}},
        {"abc", false, {}},
    };
    for (const auto& c : cases) {
        DateTime before = dateTimeFormBlock.value;
        SetText(kJulianDayField, c.text);
        Press(kJulianDayButton);
        const DateTime& v = dateTimeFormBlock.value;
        if (c.taken) {
            EXPECT_EQ((std::vector{v.year, v.month, v.day, v.hour, v.minute}),
                      (std::vector{c.shown.year, c.shown.month, c.shown.day, c.shown.hour, c.shown.minute}))
                << c.text;
            EXPECT_EQ(Row(kYearList), c.shown.year) << c.text;
        } else {
            EXPECT_EQ(BoxText(), "Invalid JD date\n") << c.text;
            AnswerAll();
            EXPECT_EQ(v.year, before.year) << c.text;
            EXPECT_EQ(v.hour, before.hour) << c.text;
        }
    }
    Press(kDateTimeCancel);
}

// A caller year the year list cannot hold opens the form on the device clock.
// Closing releases every control the form registered.
TEST_F(DateTimeForm, FarYearOpensOnTheDeviceClock) {
    int registered = controlRegistry.Count();
    Open({2300, 6, 1, 0, 0, 0});
    const DateTime& v = dateTimeFormBlock.value;
    EXPECT_EQ((std::vector{v.year, v.month, v.day, v.hour, v.minute}), (std::vector{2024, 3, 5, 21, 10}));
    EXPECT_EQ(Row(kYearList), 2024);
    Press(kDateTimeCancel);
    EXPECT_EQ(controlRegistry.Count(), registered);
}

// January 2006 begins on a Sunday: day 1 in column 6 of row 0, day 2 in
// column 0 of row 1. Taps right of Sunday or on empty cells change nothing;
// a tap on day 18 moves the highlight and shows the day in its trigger, list
// and the Julian-day field, the rest of the screen untouched.
TEST_F(DateTimeForm, CalendarCellsAndTaps) {
    Open({2006, 1, 10, 12, 0, 0});
    EXPECT_TRUE(Highlighted(1, 2));
    Tap(Cell(6, 0));
    EXPECT_EQ(Row(kDayList), 0);
    EXPECT_TRUE(Highlighted(6, 0));
    Tap(Cell(0, 1));
    EXPECT_EQ(Row(kDayList), 1);
    std::string jd = Text(kJulianDayField);
    for (pl::Point p : {pl::Point{152, 70 + 24}, Cell(0, 0), Cell(3, 5)}) {
        Tap(p);
        EXPECT_EQ(Row(kDayList), 1) << p.x << "," << p.y;
    }
    EXPECT_EQ(Text(kJulianDayField), jd);
    std::vector<uint32_t> before = ScreenSample(1);
    Tap(Cell(2, 3));
    EXPECT_EQ(Row(kDayList), 17);
    EXPECT_EQ(Text(kJulianDayField), "2453753.958333");  // 18 January 12:00 local, 11:00 UT
    EXPECT_TRUE(Highlighted(2, 3));
    EXPECT_FALSE(Highlighted(0, 1));
    Shot("date_time_form.png");
    std::vector<uint32_t> after = ScreenSample(1);
    auto inside = [this](int x, int y, int id) {
        pl::Rect r;
        pl::GetWindowRect(pl::GetDlgItem(dialog, id), &r);
        return x >= r.left && x < r.right && y >= r.top && y < r.bottom;
    };
    auto insideHighlight = [](int x, int y, int column, int row) {
        return x >= 1 + 21 * column && x <= 27 + 21 * column && y >= 58 + 24 * row && y <= 83 + 24 * row;
    };
    int changedElsewhere = 0;
    for (int y = 0; y < 320; ++y)
        for (int x = 0; x < 240; ++x)
            if (before[y * 240 + x] != after[y * 240 + x] && !insideHighlight(x, y, 0, 1) &&
                !insideHighlight(x, y, 2, 3) && !inside(x, y, kDayTrigger) && !inside(x, y, kJulianDayField))
                ++changedElsewhere;
    EXPECT_EQ(changedElsewhere, 0);
    Press(kDateTimeCancel);
}

// Days of index 0 lie within 3 days of the new Moon of 2006-01-29 14:15 UT,
// days of index 6 and 7 within 3 days of the full Moon of 2006-01-14 09:48 UT
// (USNO, Phases of the Moon 2001-2100).
TEST(DateTimeCalendar, PhasePicturesFollowThePublishedPhases) {
    ResetSharedState();
    uint8_t phases[31];
    ComputeMonthPhases(2006, 1, phases);
    int newDays = 0, fullDays = 0;
    for (int d = 1; d <= 31; ++d) {
        if (phases[d - 1] == 0) {
            EXPECT_LE(std::abs(d - 29), 3) << d;
            ++newDays;
        }
        if (phases[d - 1] == 6 || phases[d - 1] == 7) {
            EXPECT_LE(std::abs(d - 14), 3) << d;
            ++fullDays;
        }
    }
    EXPECT_GT(newDays, 0);
    EXPECT_GT(fullDays, 0);
}

// A minute or second that is no number or outside 0..59 keeps the form open.
TEST_F(DateTimeForm, OutOfRangeMinuteIsRefused) {
    Open({2006, 1, 10, 12, 0, 0});
    for (auto [field, text] : {std::pair{kMinuteField, "75"}, {kSecondField, "-5"}, {kMinuteField, "ab"}}) {
        SetText(kMinuteField, "00");
        SetText(kSecondField, "00");
        SetText(field, text);
        Press(kDateTimeOk);
        EXPECT_EQ(BoxText(), "Invalid date or time\n") << text;
        AnswerAll();
        EXPECT_TRUE(pl::IsWindow(dialog)) << text;
    }
    Press(kDateTimeCancel);
    EXPECT_EQ(caller.minute, 0);
}

}  // namespace
