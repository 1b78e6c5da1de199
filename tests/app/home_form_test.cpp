// The home form: its status block on the 240 x 320 design screen, the texts of
// its rows, its buttons and clock, and how it looks by day and by night.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/home_form.h"
#include "app/home_status.h"
#include "catalog/databases.h"
#include "catalog/selection_list.h"
#include "core/preferences.h"
#include "core/shared_state.h"
#include "platform/focus.h"
#include "platform/message_queue.h"
#include "platform/messages.h"
#include "platform/text_log.h"
#include "platform/window.h"
#include "support/both_screens.h"
#include "support/event_texts.h"
#include "support/logged_lines.h"
#include "support/program_fixture.h"
#include "support/reference_table.h"
#include "support/test_site.h"
#include "ui/colors.h"
#include "ui/draw_window.h"
#include "ui/forms.h"
#include "ui/offscreen.h"
#include "ui/primitives.h"
#include "ui/screen_layout.h"
#include "ui/shell_state.h"

namespace {

std::string UniversalTime(int day, int hour, int minute, int zone) {
    char text[32];
    FormatUniversalTime(text, sizeof text, DateTime{2024, 3, day, hour, minute, 0}, zone);
    return text;
}

// The three cases of the design: zone +60 at 23:30 and at 00:30, zone -60 at 23:30.
TEST(HomeStatusTexts, UniversalTimeMarkers) {
    EXPECT_EQ(UniversalTime(5, 23, 30, 60), ": 22h30");
    EXPECT_EQ(UniversalTime(5, 0, 30, 60), ": 23h30 <");
    EXPECT_EQ(UniversalTime(5, 23, 30, -60), ": 00h30 >");
    // 1 March, 00:30 at +60: UT on 29 February, the date before (day 29 was once taken as after day 1).
    EXPECT_EQ(UniversalTime(1, 0, 30, 60), ": 23h30 <");
}

// The percentage is the illuminated fraction rounded once (it was rounded
// twice: 2.2 % showed "3%", a full Moon "101%"); hours and minutes are
// truncated.
TEST(HomeStatusTexts, PercentAndHoursTexts) {
    char text[16];
    for (auto [phase, expected] : {std::pair{0.022f, ": 2%"}, {0.452f, ": 45%"}, {0.456f, ": 46%"}, {1.0f, ": 100%"}}) {
        FormatPhasePercent(text, sizeof text, phase);
        EXPECT_STREQ(text, expected);
    }
    for (auto [hours, expected] : {std::pair{6.9999, ": 06h59"}, {18.25, ": 18h15"}}) {
        FormatHoursMinutes(text, sizeof text, hours);
        EXPECT_STREQ(text, expected);
    }
}

TEST(HomeStatusTexts, MoonIconByPhase) {
    const struct {
        float phase;
        bool waxing;
        int icon;
    } cases[] = {{0.997f, true, 6064}, {0.003f, false, 6065}, {0.004f, true, 6051}, {0.5f, true, 6054},
                 {0.5f, false, 6059},  {0.99f, true, 6056},   {0.99f, false, 6057}, {0.1f, false, 6062}};
    for (const auto& c : cases) EXPECT_EQ(MoonIconForPhase(c.phase, c.waxing), c.icon) << c.phase << " " << c.waxing;
}

class HomeForm : public ProgramTest {
protected:
    void SetUp() override {
        harness.setLocalTime(pl::LocalTime{2024, 3, 5, 21, 10, 0});
        ResetCatalogState();
        ASSERT_TRUE(StartProgram());
        EXPECT_EQ(BoxCount(), 0);
    }
    // Pixels of text in the status colours (yellow by day, red by night) in a
    // rectangle of the screen.
    int Count(int x0, int y0, int x1, int y1, bool night) const {
        int n = 0;
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x) {
                uint32_t p = harness.pixel(x, y);
                int r = (p >> 16) & 0xFF, g = (p >> 8) & 0xFF, b = p & 0xFF;
                n += night ? (r > 150 && g < 40 && b < 40) : (r > 200 && g > 180 && b < 60);
            }
        return n;
    }
};

TEST_F(HomeForm, StatusBlockStartsAt70By114AndTheButtonsShow) {
    int x0 = 0, y0 = 0;
    Ui([&] { GetHomeStatusOrigin(&x0, &y0); });
    EXPECT_EQ(x0, 70);
    EXPECT_EQ(y0, 114);
    // The block is black below the title strip, with yellow text in it.
    EXPECT_EQ(harness.pixel(120, 300), 0x000000u);
    EXPECT_GT(Count(90, 120, 240, 250, false), 100);
    EXPECT_EQ(formHistory[6], 1950);
    EXPECT_EQ(currentDateTime.day, 5);
    // The buttons are shown after the first drawing.
    for (int id : {5023, 5080, 5059, 5146, 5089})
        EXPECT_TRUE(pl::IsWindowVisible(pl::GetDlgItem(GetCurrentFormDialog(), id))) << id;
    Shot("home_day.png");
}

// The night-mode dialog over the home form: "3" then "OK" reopens the form in
// red; "Off" brings back the day colours exactly.
TEST_F(HomeForm, NightModeDialogTurnsTheFormRedAndOffRestoresIt) {
    uint32_t titleDay = harness.pixel(10, 5);
    Ui([] { pl::PostMessage(mainWindow, pl::WM_COMMAND, 1036, 0); });
    harness.tap(220, 78);  // "3"
    EXPECT_EQ(preferences.word[kPrefNightMode], 3);
    harness.tap(25, 78);  // "OK"
    EXPECT_EQ(GetCurrentFormId(), 1950);
    EXPECT_EQ(Count(90, 120, 240, 250, false), 0);
    EXPECT_GT(Count(90, 120, 240, 250, true), 100);
    EXPECT_NE(harness.pixel(10, 5), titleDay);
    Shot("home_night.png");
    Ui([] { pl::PostMessage(mainWindow, pl::WM_COMMAND, 1036, 0); });
    harness.tap(74, 78);  // "Off"
    EXPECT_EQ(preferences.word[kPrefNightMode], 0);
    harness.tap(25, 78);
    EXPECT_EQ(harness.pixel(10, 5), titleDay);
    EXPECT_GT(Count(90, 120, 240, 250, false), 100);
}

// "Sky" with an empty list runs the selection; with a list it opens the chart
// without a new selection.
TEST_F(HomeForm, SkyRunsTheSelectionOnlyWithAnEmptyList) {
    Ui([] {
        selectionShownCount = -1;
        preferences.word[kPrefChartType] = 0;  // Sky Map: only what is above the horizon
    });
    FormCommand(5080);
    // Planets above the horizon at 21h10 on 5 March 2024 from 51 N 0 E: Jupiter
    // (in Aries) at least; the Sun is down.
    ASSERT_GE(selectionCount, 1);
    bool jupiter = false;
    for (int i = 0; i < selectionCount; ++i) {
        EXPECT_STRNE(selectionList[i].name, "Sun");
        jupiter = jupiter || std::string(selectionList[i].name) == "Jupiter";
    }
    EXPECT_TRUE(jupiter);
    EXPECT_EQ(GetCurrentFormId(), 1900);
    EXPECT_EQ(BoxCount(), 0) << BoxText();  // the chart opens
    MainCommand(1011);                      // back to the home form
    Ui([] {
        selectionCount = 0;
        selectionShownCount = 3;
    });
    FormCommand(5080);
    EXPECT_EQ(selectionCount, 0);
    EXPECT_EQ(GetCurrentFormId(), 1900);
    AnswerAll();
}

// The wait box of a selection carries its two lines of text in the status
// colour (yellow by day): box at ((240 - 140) / 2, 102 + 24), 140 x 60. On a
// screen 640 pixels tall the search's own box comes below it.
TEST_F(HomeForm, SelectionWaitBoxShowsItsText) {
    harness.changeScreen(240, 640, 96);
    AnswerAll();
    static int yellow = -1;
    Ui([] {
        DrawWindowRecord* picture = CreateOffscreenDib(240, 640, 16);
        DrawWindowRecord* previous = SetDrawWindow(picture);
        SelectVisibleObjects(0, 40, 0);
        SetDrawWindow(previous);
        yellow = 0;
        for (int y = 126; y < 186; ++y)
            for (int x = 50; x < 190; ++x) {
                uint16_t p = ReadPixel16(DibPixelAddress(*picture, x, y));
                yellow += ((p >> 10) & 31) >= 28 && ((p >> 5) & 31) >= 22 && (p & 31) < 4;
            }
        DeleteOffscreenWindow(picture);
    });
    EXPECT_GT(yellow, 100);
    AnswerAll();
}

// Buttons that refuse without a location or a drive, and the help.
TEST_F(HomeForm, ButtonMessages) {
    Ui([] {
        SetSiteLatitude(currentSite, 0.0);
        currentSite.longitude = 0.0f;
        preferences.word[kPrefDriveId] = 0;
    });
    const struct {
        int button;
        const char* start;
    } cases[] = {{5023, "Please set your location first!\n"},
                 {5054, "Please chose a Telescope Drive in Preference 1/6.\n"},
                 {5089, "\x95 The Information button will give you help on each page.\n"}};
    for (const auto& c : cases) {
        FormCommand(c.button);
        std::string text = BoxText();
        EXPECT_EQ(text.rfind(c.start, 0), 0u) << text;
        if (c.button == 5089) {
            EXPECT_NE(text.find("\x95 To change the dates or hours, please click on the clock icon"), std::string::npos);
        }
        AnswerAll();
        EXPECT_EQ(GetCurrentFormId(), 1950);
    }
}

TEST_F(HomeForm, ClockTimerReloadsTheDateOnlyWhenNotFixed) {
    harness.advance(300000);  // the clock moves on with the virtual time
    EXPECT_EQ(currentDateTime.minute, 15);
    Ui([] { dateTimeFixed = 1; });
    harness.advance(300000);
    EXPECT_EQ(currentDateTime.minute, 15);
}

// After the clock's date and time dialog, the status block is drawn again on
// the home form itself: with the date unchanged the form looks as before. The
// dialog releases its controls, so leaving the home form afterwards reports
// no forgotten control.
TEST_F(HomeForm, ClockDialogCancelRedrawsTheFormAndLeavesNoControlRegistered) {
    std::vector<uint32_t> before = ScreenSample(2);
    FormCommand(5146);
    pl::Hwnd dialog = pl::GetActiveWindow();
    ASSERT_NE(dialog, GetCurrentFormDialog());
    Ui([dialog] { pl::SendMessage(dialog, pl::WM_COMMAND, 5232, 0); });  // Cancel
    EXPECT_FALSE(pl::IsWindow(dialog));
    EXPECT_TRUE(ScreenSample(2) == before);
    Ui([] { GotoForm(1400); });
    EXPECT_EQ(BoxCount(), 0) << BoxText();
    EXPECT_EQ(GetCurrentFormId(), 1400);
}

// The clock timer paints through a context that ends with its paint; the
// form stays the draw window through a live context of its own, so drawing
// after a tick lands on the form.
TEST_F(HomeForm, ClockTickLeavesALiveDrawContext) {
    harness.advance(300000);
    Ui([] {
        SetForeColor(pl::Rgb(255, 0, 0));
        FillRectangle(XywhRect{0, 300, 10, 10}, 0);
    });
    EXPECT_EQ(harness.pixel(5, 305), 0xFF0000u);
}

TEST_F(HomeForm, DoneQuits) {
    FormCommand(1);
    EXPECT_FALSE(harness.running());
}

// The Sun's and the Moon's rows in polar night at 71 17' N 156 47' W, at the
// pole in December and June, at Fairbanks in June (zone -9 h with daylight
// saving), on a day the Moon stays up and one it stays down at 71 17' N, and at
// Tokyo, on both screens, against PyEphem (never_events_pyephem.csv, group
// "home"): ": None" for each rising, setting and end of the night the day does
// not have, every other time within 2 minutes. They showed "Rise 00h00",
// "Set 00h00" in polar night, "Night 00h00" at the pole and "Night 23h59" in
// Fairbanks's summer.
class HomeRowsOnBothScreens : public OnBothScreens<HomeForm> {
protected:
    void SetUp() override {
        harness.changeScreen(GetParam().width, GetParam().height, GetParam().dpi);
        ResetScreenScale();
        HomeForm::SetUp();
    }
    void TearDown() override { Ui([] { pl::StopTextLog(); }); }
    // The labelled rows of the home screen (the Sun's Rise, Set and Night, the
    // Moon's two) at noon of the date and at the site of a reference row.
    std::vector<std::vector<std::string>> HomeRows(const ReferenceTable& ref, std::size_t k) {
        Ui([&] {
            SetTestSite(ref.Get(k, "latitude"), ref.Get(k, "longitude_west"), int(ref.Get(k, "zone_min")));
            dateTimeFixed = 1;
            currentDateTime = DateTime{int(ref.Get(k, "year")), int(ref.Get(k, "month")), int(ref.Get(k, "day")), 12,
                                       0, 0};
            pl::StartTextLog();
            GotoForm(kHomeFormId);
        });
        std::vector<std::vector<std::string>> rows;
        for (auto& line : LoggedScreenLines())
            if (line.size() == 2 && (line[0] == "Rise" || line[0] == "Set" || line[0] == "Night")) rows.push_back(line);
        Ui([] { pl::StopTextLog(); });
        return rows;
    }
    // The Sun's and the Moon's rows of each "home" pair of rows (the Sun's, then the Moon's) of a
    // reference table.
    void ExpectHomeRows(const char* table, int count) {
        const ReferenceTable ref = ReadReferenceTable(ZENDAVORI_SOURCE_DIR, table);
        int days = 0;
        for (std::size_t k = 0; k + 1 < ref.rows.size(); ++k) {
            if (ref.Text(k, "group") != "home" || ref.Get(k, "body") != 0) continue;  // the Sun's row, the Moon's next
            const int y = int(ref.Get(k, "year")), m = int(ref.Get(k, "month")), d = int(ref.Get(k, "day"));
            SCOPED_TRACE(::testing::Message() << ref.Get(k, "latitude") << " " << y << "-" << m << "-" << d);
            const std::vector<std::vector<std::string>> rows = HomeRows(ref, k);
            ASSERT_EQ(rows.size(), 5u);
            EXPECT_EQ(rows[0][0] + rows[1][0] + rows[2][0], "RiseSetNight");
            ExpectEventText(rows[0][1], ref.Get(k, "rise_h"), ": None");
            ExpectEventText(rows[1][1], ref.Get(k, "set_h"), ": None");
            ExpectEventText(rows[2][1], ref.Get(k, "night_h"), ": None");
            for (int r : {3, 4})
                ExpectEventText(rows[r][1], ref.Get(k + 1, rows[r][0] == "Rise" ? "rise_h" : "set_h"), ": None");
            ++days;
        }
        EXPECT_EQ(days, count);
    }
};

TEST_P(HomeRowsOnBothScreens, EventsTheDayLacksShowNone) { ExpectHomeRows("never_events_pyephem.csv", 7); }

// Days whose event falls just after midnight, against PyEphem (limit_days_pyephem.csv, group "home"): a
// sunset at 71 17' N in May, the end of the night at Fairbanks in March, a moonrise at Tokyo and at
// 179 59' E (+12 h): ": None" on the day before. They showed "Set 24h02", "Night 24h02" and the next
// day's moonrise as the day's ("Rise 00h38").
TEST_P(HomeRowsOnBothScreens, EventAfterMidnightShowedOnTheDayBefore) { ExpectHomeRows("limit_days_pyephem.csv", 4); }

// The night line of the first and last three weeks of astronomical night in
// 2027 at 60 N 25 E (+3 h), Fairbanks, 71 17' N and 64 S 57 W against
// PyEphem's Sun crossing -18 degrees within the date
// (dark_nights_2027_pyephem.csv): the later of two settings, within 2
// minutes, ": None" where the date has none. Where the date holds two, the
// line showed the one just after midnight that ended last night's twilight
// (Fairbanks 05/09/2027 "Night 00h12" for 23h56).
TEST_P(HomeRowsOnBothScreens, NightThatStartsTonightShowedLastNights) {
    const ReferenceTable ref = ReadReferenceTable(ZENDAVORI_SOURCE_DIR, "dark_nights_2027_pyephem.csv");
    ASSERT_GT(ref.rows.size(), 150u);
    for (std::size_t k = 0; k < ref.rows.size(); ++k) {
        SCOPED_TRACE(::testing::Message() << ref.Text(k, "site") << " " << ref.Get(k, "month") << "/"
                                          << ref.Get(k, "day"));
        const std::vector<std::vector<std::string>> rows = HomeRows(ref, k);
        ASSERT_EQ(rows.size(), 5u);
        EXPECT_EQ(rows[2][0], "Night");
        ExpectEventText(rows[2][1], ref.Get(k, "astro_set_h"), ": None");
    }
}

INSTANTIATE_TEST_SUITE_P(BothScreens, HomeRowsOnBothScreens, ::testing::ValuesIn(kBothScreens));

}  // namespace
