// The date and time form (5200) over the running program: EditDateTime called
// from the home form, driven by taps, read from its controls and pixels.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "assistants/moon_map_form.h"
#include "assistants/planet_assistant.h"
#include "catalog/databases.h"
#include "chart/chart_clock.h"
#include "chart/chart_form_controls.h"
#include "core/julian_day.h"
#include "core/shared_state.h"
#include "objects/criteria_form.h"
#include "objects/observing_list_form.h"
#include "platform/controls.h"
#include "platform/dialog.h"
#include "platform/focus.h"
#include "platform/window.h"
#include "support/program_fixture.h"
#include "tools/camera_form.h"
#include "tools/date_time_calendar.h"
#include "tools/day_night_form.h"
#include "tools/edit_date_time.h"
#include "ui/control_registry.h"
#include "ui/forms.h"

namespace {

std::vector<int> Fields(const DateTime& t) { return {t.year, t.month, t.day, t.hour, t.minute}; }

class DateTimeForm : public ProgramTest {
protected:
    void SetUp() override {
        harness.setLocalTime(pl::LocalTime{2024, 3, 5, 21, 10, 0});
        ResetCatalogState();
        SetDateFormLocal();
        ASSERT_TRUE(StartProgram());
    }
    void TearDown() override { SetDateFormLocal(); }
    // Opens the form on `t` at a site of `zone` minutes.
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
    void SetText(int id, const char* text) {
        Ui([this, id, text] { pl::SetDlgItemText(dialog, id, text); });
    }
    int Row(int list) const { return pl::ListViewGetSelectionMark(pl::GetDlgItem(dialog, list)); }
    void Press(int id) { Tap(Centre(pl::GetDlgItem(dialog, id))); }
    void TapRow(int list, int row) { Tap(RowCentre(pl::GetDlgItem(dialog, list), row)); }
    // Calendar cells on the 240 x 320 design screen: centre, and whether the
    // highlight's red outline runs down its left side.
    static pl::Point Cell(int column, int row) { return {13 + 21 * column, 70 + 24 * row}; }
    bool Highlighted(int column, int row) const {
        return (harness.pixel(1 + 21 * column, 70 + 24 * row) & 0xF8F8F8) == 0xF80000;
    }
    DateTime caller{};
    pl::Hwnd dialog = nullptr;
};

// From 31 March, February gives the 29th in a leap year and the 28th in a common one.
TEST_F(DateTimeForm, NewMonthClampsTheDay) {
    for (auto [year, last] : {std::pair{2004, 29}, {2006, 28}}) {
        Open({year, 3, 31, 12, 0, 0});
        Press(kMonthTrigger);
        TapRow(kMonthList, 1);
        EXPECT_EQ((std::vector{Row(kMonthList), Row(kDayList), pl::ListViewGetItemCount(pl::GetDlgItem(dialog, kDayList))}),
                  (std::vector{1, last - 1, last}))
            << year;
        Press(kDateTimeCancel);
        EXPECT_EQ(caller.month, 3);
    }
}

// Universal time at zone 120: 00:30 on 1 January 2006 shows as 22:30 on 31
// December 2005; "Ok" unchanged gives 00:30 back and recomputes nothing;
// "Cancel" after a change keeps the caller's values and puts dateTimeFixed
// back; "Ok" after a change copies and recomputes the sky state.
TEST_F(DateTimeForm, UniversalTimeShownAndGivenBackInLocalTime) {
    SetDateFormUT();
    Ui([] { dateTimeFixed = 0, selectionCriteria.scopeLimit = -1.0f; });
    Open({2006, 1, 1, 0, 30, 0}, 120);
    EXPECT_EQ((std::vector{Row(kTimeScaleList), Row(kYearList), Row(kMonthList), Row(kDayList)}),
              (std::vector{1, 2005, 11, 30}));
    EXPECT_EQ(Text(kHourField) + ":" + Text(kMinuteField), "22:30");
    EXPECT_EQ(dateTimeFixed, 1);
    Press(kDateTimeOk);
    EXPECT_EQ(Fields(caller), (std::vector{2006, 1, 1, 0, 30}));
    EXPECT_EQ(selectionCriteria.scopeLimit, -1.0f);
    EXPECT_EQ(dateTimeFixed, 1);
    for (int ok : {0, 1}) {
        Ui([] { dateTimeFixed = 0; });
        Open({2006, 1, 1, 0, 30, 0}, 120);
        TapRow(kMinuteList, 3);
        EXPECT_EQ(Text(kMinuteField), "15");
        Press(ok ? kDateTimeOk : kDateTimeCancel);
        EXPECT_EQ(Fields(caller), (std::vector{2006, 1, 1, 0, ok ? 15 : 30}));
        EXPECT_EQ(dateTimeFixed, ok);
    }
    EXPECT_NE(selectionCriteria.scopeLimit, -1.0f);
}

// A caller in universal time at zone 120, the form last used in local time:
// it opens on "UT Time" with 00:30 on 1 January 2006 as given (JD 2453736.5 is
// 2006 January 1.0 UT in the almanacs), shows 02:30 in local time, and a
// minute chosen there comes back in universal time.
TEST_F(DateTimeForm, UniversalCallerGetsUniversalTimeBack) {
    caller = {2006, 1, 1, 0, 30, 0};
    Ui([this] {
        currentSite.zoneMinutes = 120;
        EditUniversalDateTime(&caller.year, &caller.month, &caller.day, &caller.hour, &caller.minute, &caller.second);
    });
    dialog = pl::GetActiveWindow();
    EXPECT_EQ(Text(kJulianDayField), "2453736.520833");
    Press(kTimeScaleTrigger);
    TapRow(kTimeScaleList, 0);
    EXPECT_EQ(Text(kHourField) + ":" + Text(kMinuteField), "02:30");
    TapRow(kMinuteList, 3);
    Press(kDateTimeOk);
    EXPECT_EQ(Fields(caller), (std::vector{2006, 1, 1, 0, 15}));
}

// The Julian-day field of 2006-01-01 00:00 at zone 60 is that of 2005-12-31
// 23:00 UT; typed days are shown in local time at zone 60: J2000.0 at 13:00,
// the ends of [1721057.5, 2524593.5) kept, values outside and text refused.
TEST_F(DateTimeForm, JulianDayShownAndTaken) {
    Open({2006, 1, 1, 0, 0, 0});
    EXPECT_EQ(Text(kJulianDayField), "2453736.458333");
    const struct {
        const char* text;
        std::vector<int> shown;  // none: refused
    } cases[] = {
        {"2451545.0", {2000, 1, 1, 13, 0}},     {"1721057.5", {0, 1, 1, 1, 0}},  // 1 January of year 0, 0h UT
        {"2524593.4", {2199, 12, 31, 22, 35}},  // 21:35:59 UT, the day fraction truncated
        {"1721057.4", {}},                      {"2524593.5", {}},
        {"abc", {}},
    };
    for (const auto& c : cases) {
        std::vector<int> before = Fields(dateTimeFormBlock.value);
        SetText(kJulianDayField, c.text);
        Press(kJulianDayButton);
        EXPECT_EQ(BoxText(), c.shown.empty() ? "Invalid JD date\n" : "") << c.text;
        AnswerAll();
        EXPECT_EQ(Fields(dateTimeFormBlock.value), c.shown.empty() ? before : c.shown) << c.text;
        EXPECT_EQ(Row(kYearList), dateTimeFormBlock.value.year) << c.text;
    }
    Press(kDateTimeCancel);
}

// A caller year the year list cannot hold opens the form on the device
// clock. Closing releases every control the form registered.
TEST_F(DateTimeForm, FarYearOpensOnTheDeviceClock) {
    int registered = controlRegistry.Count();
    Open({2300, 6, 1, 0, 0, 0});
    EXPECT_EQ(Fields(dateTimeFormBlock.value), (std::vector{2024, 3, 5, 21, 10}));
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
    std::string jd = Text(kJulianDayField);
    for (pl::Point p : {pl::Point{152, 94}, Cell(0, 0), Cell(3, 5)}) Tap(p);
    EXPECT_EQ(Row(kDayList), 1);
    EXPECT_EQ(Text(kJulianDayField), jd);
    std::vector<uint32_t> before = ScreenSample(1);
    Tap(Cell(2, 3));
    Shot("date_time_form.png");
    EXPECT_EQ(Row(kDayList), 17);
    EXPECT_EQ(Text(kJulianDayField), "2453753.958333");  // 18 January 12:00 local, 11:00 UT
    EXPECT_TRUE(Highlighted(2, 3));
    EXPECT_FALSE(Highlighted(0, 1));
    std::vector<uint32_t> after = ScreenSample(1);
    auto inside = [](int x, int y, pl::Rect r) { return x >= r.left && x < r.right && y >= r.top && y < r.bottom; };
    pl::Rect trigger, field;
    pl::GetWindowRect(pl::GetDlgItem(dialog, kDayTrigger), &trigger);
    pl::GetWindowRect(pl::GetDlgItem(dialog, kJulianDayField), &field);
    int changedElsewhere = 0;
    for (int y = 0; y < 320; ++y)
        for (int x = 0; x < 240; ++x)
            changedElsewhere += before[y * 240 + x] != after[y * 240 + x] && !inside(x, y, {1, 82, 28, 107}) &&
                                !inside(x, y, {43, 130, 70, 155}) && !inside(x, y, trigger) && !inside(x, y, field);
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
    std::vector<int> newDays, fullDays;
    for (int d = 1; d <= 31; ++d) {
        if (phases[d - 1] == 0) newDays.push_back(d);
        if (phases[d - 1] == 6 || phases[d - 1] == 7) fullDays.push_back(d);
    }
    ASSERT_FALSE(newDays.empty() || fullDays.empty());
    for (int d : newDays) EXPECT_LE(std::abs(d - 29), 3) << d;
    for (int d : fullDays) EXPECT_LE(std::abs(d - 14), 3) << d;
}

// From the home form's clock: "Now" and then an hour and a minute chosen
// hold past the clock's next tick (5 minutes); "Now" alone lets the clock
// follow the device.
TEST_F(DateTimeForm, TimeChosenAfterNowHoldsAndNowAloneFollowsTheDevice) {
    const struct {
        const char* what;
        bool chooseTime;
        std::vector<int> after;  // currentDateTime after the tick
    } cases[] = {{"Now, 18:30, Ok", true, {2024, 3, 5, 18, 30}}, {"Now, Ok", false, {2024, 3, 5, 21, 15}}};
    for (const auto& c : cases) {
        harness.setLocalTime(pl::LocalTime{2024, 3, 5, 21, 10, 0});
        Ui([] { dateTimeFixed = 1; });
        FormCommand(5146);
        dialog = pl::GetActiveWindow();
        ASSERT_NE(pl::GetDlgItem(dialog, kDateTimeNow), nullptr) << c.what;
        Press(kDateTimeNow);
        EXPECT_EQ(dateTimeFixed, 0) << c.what;
        if (c.chooseTime) {
            TapRow(kAfternoonHourList, 6);
            TapRow(kMinuteList, 6);
        }
        Press(kDateTimeOk);
        harness.advance(300000);
        EXPECT_EQ(Fields(currentDateTime), c.after) << c.what;
        EXPECT_EQ(dateTimeFixed, c.chooseTime ? 1 : 0) << c.what;
    }
}

// The home clock: 21:05:00 chosen 73 s after the chart clock's last tick
// runs on from the moment of Ok, so a tick 130 s later gives 21:07:10; ten
// rounds of opening and Cancel change nothing, and the next tick adds just
// the 130 s that passed meanwhile.
TEST_F(DateTimeForm, ChosenTimeRunsOnFromOkAndCancelKeepsIt) {
    auto openClock = [this] {
        FormCommand(5146);
        dialog = pl::GetActiveWindow();
        ASSERT_NE(pl::GetDlgItem(dialog, kDateTimeOk), nullptr);
    };
    auto tick = [this] {
        Ui([] { EXPECT_EQ(UpdateChartTime(0), 1); });
        return std::vector<int>{currentDateTime.hour, currentDateTime.minute, currentDateTime.second};
    };
    Ui([] { RestartChartTime(); });
    harness.advance(73000);
    openClock();
    TapRow(kAfternoonHourList, 9);
    TapRow(kMinuteList, 1);
    Press(kDateTimeOk);
    harness.advance(130000);
    EXPECT_EQ(tick(), (std::vector<int>{21, 7, 10}));
    openClock();
    EXPECT_EQ(Text(kHourField) + ":" + Text(kMinuteField) + ":" + Text(kSecondField), "21:07:10");
    Press(kDateTimeCancel);
    for (int round = 0; round < 10; ++round) {
        harness.advance(13000);
        openClock();
        Press(kDateTimeCancel);
    }
    EXPECT_EQ(tick(), (std::vector<int>{21, 9, 20}));
}

// The other screens that set the program's date and time (the day and night
// map's date field and keys, the Moon map's date button and keys, the camera's
// date field, the criteria date that New takes, the planet assistant's sky
// chart, the sky chart's date command): a time set 73 s after the chart clock's last tick runs on from that
// moment, so a tick 130 s later finds it 130 s on (the tick once added the
// 73 s as well); Cancel changes nothing, and the clock runs on as it did (203 s).
TEST_F(DateTimeForm, TimeSetOnOtherScreensRunsOnFromThenAndCancelKeepsIt) {
    const DateTime start{2024, 3, 5, 18, 35, 0}, at2105{2024, 3, 5, 21, 5, 0};
    auto field = [this](int id) { return [this, id] { Tap(Centre(pl::GetDlgItem(GetCurrentFormDialog(), id))); }; };
    auto command = [this](int id) { return [this, id] { FormCommand(id); }; };
    auto menu = [this](int id) { return [this, id] { MainCommand(id); }; };
    auto right = [this] { harness.key(pl::VK_RIGHT, 0); };
    auto moonMap = [this] { Ui([] { GotoForm(kMoonMapForm); }); };
    auto criteria = [this] { Ui([] { GotoForm(kObservingListFormId); }), FormCommand(kListCriteria); };
    auto skyChart = [this] { Ui([] { GotoForm(kSkyChartFormId); }); };
    const struct {
        const char* what;
        std::function<void()> open, set;
        int answer;  // the date and time form's button, 0 when the screen sets the time itself
        DateTime chosen;
        int secondsOn;
        int then = 0;  // a command of the screen after the date and time form
    } cases[] = {
        {"day and night, date field, Ok", menu(1024), field(kDayNightDateField), kDateTimeOk, at2105, 130},
        {"day and night, Right", menu(1024), right, 0, {2024, 3, 5, 19, 5, 0}, 130},
        {"day and night, Cancel", menu(1024), field(kDayNightDateField), kDateTimeCancel, start, 203},
        {"Moon map, date button, Ok", moonMap, command(6039), kDateTimeOk, at2105, 130},
        {"Moon map, Right", moonMap, right, 0, {2024, 3, 5, 19, 35, 0}, 130},
        {"Moon map, Cancel", moonMap, command(6039), kDateTimeCancel, start, 203},
        {"camera, date field, Ok", menu(1026), field(kShotDateField), kDateTimeOk, at2105, 130},
        {"camera, Cancel", menu(1026), field(kShotDateField), kDateTimeCancel, start, 203},
        {"criteria, date field, Ok, New", criteria, field(kCriteriaDateField), kDateTimeOk, at2105, 130, kCriteriaNew},
        {"planet assistant, sky chart", menu(1017), command(2446), 0, start, 130},
        {"sky chart, date command, Ok", skyChart, command(1878), kDateTimeOk, at2105, 130},
        {"sky chart, Cancel", skyChart, command(1878), kDateTimeCancel, start, 203},
    };
    auto seconds = [](const DateTime& t) {
        return std::llround(JulianDayFromDateTime(t.year, t.month, t.day, t.hour, t.minute, t.second, 0) * 86400);
    };
    for (const auto& c : cases) {
        Ui([start] { ResetPlanetAssistantState(), currentDateTime = start, dateTimeFixed = 1, RestartChartTime(); });
        c.open();
        AnswerAll();
        harness.advance(73000);
        c.set();
        if (c.answer != 0) {
            dialog = pl::GetActiveWindow();
            TapRow(kAfternoonHourList, 9);  // 21:05
            TapRow(kMinuteList, 1);
            Press(c.answer);
        }
        if (c.then != 0) FormCommand(c.then);
        AnswerAll();
        EXPECT_EQ(Fields(currentDateTime), Fields(c.chosen)) << c.what;
        harness.advance(130000);
        Ui([] { UpdateChartTime(1); });
        EXPECT_EQ(seconds(currentDateTime) - seconds(c.chosen), c.secondsOn) << c.what;
    }
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
}

}  // namespace
