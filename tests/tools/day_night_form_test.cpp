// The day and night form (2423) over the running program, at 240 x 320
// (96 dpi) and 480 x 640 (96 dpi, the sky view shown; the form tour sees it
// at 480 x 640 and 192 dpi):
// opened from the menu, driven by drags, keys and taps, read from its fields,
// the program's date and time, the preference words and the screen's pixels.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "catalog/databases.h"
#include "core/preferences.h"
#include "core/shared_state.h"
#include "platform/controls.h"
#include "platform/dialog.h"
#include "platform/focus.h"
#include "platform/messages.h"
#include "platform/text_log.h"
#include "platform/window.h"
#include "support/both_screens.h"
#include "support/program_fixture.h"
#include "support/reference_table.h"
#include "support/test_site.h"
#include "tools/day_night.h"
#include "tools/day_night_form.h"
#include "tools/day_night_sky_view.h"
#include "tools/edit_date_time.h"
#include "ui/draw_window.h"
#include "ui/forms.h"
#include "ui/screen_layout.h"
#include "ui/shell_state.h"

namespace {

struct Screen {
    int width, height, dpi;
};
constexpr Screen kSmall{240, 320, 96}, kSkyScreen{480, 640, 96};

std::vector<int> Fields(const DateTime& t) { return {t.year, t.month, t.day, t.hour, t.minute}; }

class DayNightForm : public ProgramTest {
protected:
    void TearDown() override {
        pl::StopTextLog();
        SetDayNightSkyViewMaker(nullptr);
    }
    // Opens the form from the Tools menu on a screen, at a fixed local date and time.
    void Open(const Screen& s, const DateTime& t, int zone = 0) {
        harness.changeScreen(s.width, s.height, s.dpi);
        ResetScreenScale();
        harness.setLocalTime(pl::LocalTime{2024, 3, 5, 21, 10, 0});
        ResetCatalogState();
        ResetDayNightState();
        SetDateFormLocal();
        ASSERT_TRUE(StartProgram());
        Ui([t, zone] {
            currentDateTime = t;
            dateTimeFixed = 1;
            currentSite.zoneMinutes = static_cast<int16_t>(zone);
        });
        MainCommand(1024);
        form = GetCurrentFormDialog();
        ASSERT_EQ(GetCurrentFormId(), kDayNightForm);
    }
    std::string Text(int id) const { return pl::GetDlgItemText(form, id); }
    bool Shown(int id) const { return pl::IsWindowVisible(pl::GetDlgItem(form, id)); }
    void Press(int id) { Tap(Centre(pl::GetDlgItem(form, id))); }
    // A point of the map, in design units of the 240 x 320 layout.
    pl::Point MapPoint(int x, int y) const { return {ScaleX(x), ScaleY(24 + y)}; }
    // Pixels of a rectangle other than the white of the day colours.
    int Ink(int x0, int y0, int x1, int y1) const {
        int n = 0;
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x) n += (harness.pixel(x, y) & 0xF8F8F8) != 0xF8F8F8;
        return n;
    }
    pl::Hwnd form = nullptr;
};

// The form from the menu: in the history, its hidden labels and fields shown,
// every field filled for the site and the time; at zone +120 the universal
// time two hours earlier, across midnight.
TEST_F(DayNightForm, OpensWithItsFields) {
    Open(kSmall, {2006, 6, 22, 1, 30, 0}, 120);
    Shot("day_night_240.png");
    EXPECT_EQ(formHistory[kFormHistorySize - 1], kDayNightForm);
    for (int id : {kDayNightTimeLabel, kDayNightTimeField, kDayNightUtLabel, kDayNightUtField, kDayNightLstLabel,
                   kDayNightLstField, kDayNightEqTimeLabel, kDayNightEqTimeField, kDayNightSunDecLabel,
                   kDayNightSunDecField})
        EXPECT_TRUE(Shown(id)) << id;
    EXPECT_EQ(Text(kDayNightZoneField), "+2");
    EXPECT_EQ(Text(kDayNightTimeField), "01:30");
    EXPECT_EQ(Text(kDayNightUtField), "23:30");
    EXPECT_EQ(Text(kDayNightDateField), "22/06/2006");
    EXPECT_EQ(Text(kDayNightSunDecField), "23\xB0");
    EXPECT_EQ(Text(kDayNightSiteField), "None");
    EXPECT_EQ(Text(kDayNightLatitudeField).back(), 'N');
    EXPECT_EQ(Text(kDayNightLongitudeField).back(), 'W');  // the start site's longitude is 0
    EXPECT_EQ(Text(kDayNightEqTimeField), EquationOfTimeText(EquationOfTimeMinutes(22, 6, 2006)));
    EXPECT_GT(Ink(0, ScaleY(213), ScaleX(240), ScaleY(290)), 300);  // the panel
    EXPECT_EQ(dayNightState.skyView, nullptr);
    EXPECT_EQ(BoxCount(), 0);
}

// Dragging over the map 12 pixels to the left moves the time 60 minutes on,
// drawn coarse while the stylus moves and fine again when it is lifted; to
// the right it goes back. The time is the program's, fixed, until "now".
TEST_F(DayNightForm, DragOverTheMap) {
    Open(kSmall, {2006, 3, 20, 12, 0, 0});
    Ui([] { dateTimeFixed = 0; });
    const pl::Point from = MapPoint(150, 60);
    harness.drag(from, {from.x - 12, from.y}, 4);
    EXPECT_EQ(Fields(currentDateTime), (std::vector{2006, 3, 20, 13, 0}));
    EXPECT_EQ(Text(kDayNightTimeField), "13:00");
    EXPECT_EQ(dayNightState.coarseMaps, 4);
    EXPECT_EQ(dayNightState.moving, 0);
    EXPECT_EQ(dateTimeFixed, 1);
    harness.drag(from, {from.x + 30, from.y}, 3);
    EXPECT_EQ(Fields(currentDateTime), (std::vector{2006, 3, 20, 10, 30}));
    // A drag that starts below the map moves nothing.
    harness.drag({from.x, ScaleY(200)}, {from.x - 40, from.y}, 4);
    EXPECT_EQ(Fields(currentDateTime), (std::vector{2006, 3, 20, 10, 30}));
    // "now" takes the device clock, which the time then follows again.
    Press(kDayNightNow);
    EXPECT_EQ(Fields(currentDateTime), (std::vector{2024, 3, 5, 21, 10}));
    EXPECT_EQ(Text(kDayNightDateField), "05/03/2024");
    EXPECT_EQ(dateTimeFixed, 0);
}

// Page Up a day back and Page Down a day on; held, Page Up repeats with the
// coarse map and ends on a fine one. Right and the hardware key 195 30
// minutes on, Left and 196 back, each repeating while held.
TEST_F(DayNightForm, KeysStepTheTime) {
    Open(kSmall, {2006, 3, 1, 0, 15, 0});
    const struct {
        int key, held;  // polls the key stays down
        std::vector<int> after;
        int coarse;     // coarse maps drawn
    } cases[] = {
        {pl::VK_PRIOR, 0, {2006, 2, 28, 0, 15}, 0}, {pl::VK_PRIOR, 2, {2006, 2, 25, 0, 15}, 2},
        {pl::VK_NEXT, 0, {2006, 2, 26, 0, 15}, 0},  {pl::VK_RIGHT, 0, {2006, 2, 26, 0, 45}, 0},
        {pl::VK_LEFT, 1, {2006, 2, 25, 23, 45}, 1}, {kKeyTimeOn, 0, {2006, 2, 26, 0, 15}, 0},
        {kKeyTimeBack, 1, {2006, 2, 25, 23, 15}, 1}, {pl::VK_RIGHT, 3, {2006, 2, 26, 1, 15}, 3},
    };
    for (const auto& c : cases) {
        Ui([] { dayNightState.coarseMaps = 0; });
        harness.key(c.key, c.held);
        EXPECT_EQ(Fields(currentDateTime), c.after) << c.key << " held " << c.held;
        EXPECT_EQ(dayNightState.coarseMaps, c.coarse) << c.key << " held " << c.held;
        EXPECT_EQ(dayNightState.moving, 0);
    }
    EXPECT_EQ(Text(kDayNightDateField), "26/02/2006");
}

// The date field opens the date and time form; "Ok" after a new minute
// rewrites the date and time fields.
TEST_F(DayNightForm, DateFieldOpensTheDateForm) {
    Open(kSmall, {2006, 3, 20, 12, 0, 0});
    Press(kDayNightDateField);
    const pl::Hwnd dialog = pl::GetActiveWindow();
    ASSERT_NE(pl::GetDlgItem(dialog, kMinuteList), nullptr);
    Tap(RowCentre(pl::GetDlgItem(dialog, kMinuteList), 3));
    Tap(Centre(pl::GetDlgItem(dialog, kDateTimeOk)));
    EXPECT_EQ(GetCurrentFormId(), kDayNightForm);
    EXPECT_EQ(Fields(currentDateTime), (std::vector{2006, 3, 20, 12, 15}));
    EXPECT_EQ(Text(kDayNightTimeField), "12:15");
    EXPECT_EQ(Text(kDayNightDateField), "20/03/2006");
}

// Help shows its two lines; the back button goes to the form before, and the
// time changed here stays for the rest of the program.
TEST_F(DayNightForm, HelpAndBack) {
    Open(kSmall, {2006, 3, 20, 12, 0, 0});
    Press(kDayNightHelp);
    EXPECT_EQ(BoxText(),
              "Display Day and Night shadow on earth.\n\x95 Use left side pda keys to change date,\n\x95 Use right "
              "side pda keys to change time or drag your stylus on the map.");
    AnswerAll();
    harness.key(pl::VK_NEXT);
    Press(kDayNightBack);
    EXPECT_EQ(GetCurrentFormId(), kHomeFormId);
    EXPECT_EQ(Fields(currentDateTime), (std::vector{2006, 3, 21, 12, 0}));
    EXPECT_EQ(BoxCount(), 0);
}

// The panel on the screen, at 60 N on the meridian in mid-June (zone 0): its
// lines where they belong (13 units apart from 213, the header 14 below the
// night's line), and "None" for the twilights of a Sun that never reaches
// -12 or -18 degrees (PyEphem: always above both that day), where the
// engine's stand-in times 00h00m and 23h59m were once shown.
TEST_F(DayNightForm, PanelLinesOnTheScreen) {
    Open(kSmall, {2006, 6, 15, 12, 0, 0});
    Ui([] {
        SetSiteLatitude(currentSite, 60.0);
        currentSite.longitude = 0.0f;
        pl::StartTextLog();
    });
    harness.key(pl::VK_RIGHT);
    std::vector<std::pair<std::string, int>> shown;  // text, top of its cell
    for (const pl::TextRun& run : pl::LoggedTexts(pl::ScreenSurfaceSerial()))
        if (run.cell.top >= 213) shown.push_back({run.text, run.cell.top});
    const std::vector<std::pair<std::string, int>> expected = {
        {"Day length", 213},    {"Night length", 226}, {"Rise", 240},     {"Set", 240},
        {"Civil day", 253},     {"Nautical day", 266}, {": None", 266}, {"None", 266},
        {"Astronomical day", 279}, {": None", 279},   {"None", 279},
    };
    for (const auto& e : expected)
        EXPECT_NE(std::find(shown.begin(), shown.end(), e), shown.end()) << e.first << " at " << e.second;
}

class DayNightFormOnBothScreens : public OnBothScreens<DayNightForm> {};

// The panel's lines on both screens are the local date's panel (against
// PyEphem in DayNight.PanelOfTheLocalDayAgainstPyEphem and
// DayNight.AstronomicalPairShowedLastNightsStart): at Fairbanks on 20 June
// 2027 at 22:02 (a set after midnight: the day once showed 00h00m and the
// night 26h10m), in Sydney on 5 March 2027 at 07:30 (the universal date the
// day before, whose values were once shown) and at Fairbanks (-9 h) on 5
// September 2027, whose two settings through -18 degrees once showed the
// one after midnight ("01h27m 00h12m" for tonight's 23:56).
TEST_P(DayNightFormOnBothScreens, PanelOfTheLocalDay) {
    const struct {
        DateTime t;
        double latitude, longitudeWest;
        int zone;
    } cases[] = {{{2027, 6, 20, 22, 2, 0}, 64.84, 147.72, -480},
                 {{2027, 3, 5, 7, 30, 0}, -33.87, -151.21, 660},
                 {{2027, 9, 5, 12, 0, 0}, 64.8333, 147.7167, -540}};
    Open(Screen{GetParam().width, GetParam().height, GetParam().dpi}, cases[0].t);
    for (const auto& c : cases) {
        Ui([&] {
            SetTestSite(c.latitude, c.longitudeWest, c.zone);
            currentDateTime = c.t;
            pl::StartTextLog();
        });
        harness.key(pl::VK_RIGHT);
        std::vector<std::string> shown, expected;
        Ui([&] {
            std::map<std::pair<int, int>, std::string> lines;  // the last text drawn at each place
            for (const pl::TextRun& run : pl::LoggedTexts(pl::ScreenSurfaceSerial()))
                if (run.cell.top >= ScaleY(213)) lines[{run.cell.top, run.cell.left}] = run.text;
            for (const auto& [place, text] : lines) shown.push_back(text);
            const DayNightPanel p = ComputeDayNightPanel(c.t);
            expected = {"Day length", p.dayLength, p.dayChange, "Night length", p.nightLength, "Rise", "Set"};
            const char* names[3] = {"Civil day", "Nautical day", "Astronomical day"};
            for (int k = 0; k < 3; ++k)
                expected.insert(expected.end(), {names[k], p.twilightRiseText[k], p.twilightSetText[k]});
        });
        EXPECT_EQ(shown, expected) << c.t.month;
    }
}

// On both screens the Sun Dec field at 2027-03-15's minute when PyEphem has
// the Sun at -1.98 degrees (sun_declinations_pyephem.csv, its last row)
// reads "-2\xB0"; it read "-1\xB0".
TEST_P(DayNightFormOnBothScreens, SunDeclinationRounded) {
    const ReferenceTable ref = ReadReferenceTable(ZENDAVORI_SOURCE_DIR, "sun_declinations_pyephem.csv");
    const std::size_t last = ref.rows.size() - 1;
    ASSERT_NEAR(ref.Get(last, "dec_deg"), -1.98, 0.005);
    Open(Screen{GetParam().width, GetParam().height, GetParam().dpi},
         {int(ref.Get(last, "year")), int(ref.Get(last, "month")), int(ref.Get(last, "day")),
          int(ref.Get(last, "hour")), int(ref.Get(last, "minute")), 0});
    EXPECT_EQ(Text(kDayNightSunDecField), "-2\xB0");
}

INSTANTIATE_TEST_SUITE_P(BothScreens, DayNightFormOnBothScreens, ::testing::ValuesIn(kBothScreens));

// At 480 x 640 and 96 dpi (help moved right, back down by the screen's
// difference from the design) the sky view around the Sun fills the left half
// under the panel; the six preference words it sets, and the time, are as
// before afterwards.
TEST_F(DayNightForm, SkyViewAroundTheSun) {
    const int words[] = {117, 76, 142, 237, 240, 241};
    const int32_t before[] = {0, 1, 3, 1, 0, 0};
    Open(kSkyScreen, {2006, 6, 21, 12, 0, 0});
    Ui([&] {
        for (int i = 0; i < 6; ++i) preferences.word[words[i]] = before[i];
    });
    harness.key(pl::VK_RIGHT);
    Shot("day_night_sky.png");
    pl::Rect help, back;
    pl::GetWindowRect(pl::GetDlgItem(form, kDayNightHelp), &help);
    pl::GetWindowRect(pl::GetDlgItem(form, kDayNightBack), &back);
    EXPECT_GT(help.left, 440);
    EXPECT_GT(back.top, 618);
    ASSERT_NE(dayNightState.skyView, nullptr);
    EXPECT_EQ(dayNightState.skyView->right, 240);
    EXPECT_EQ(dayNightState.skyView->bottom, 640 - 22 - 292);
    for (int i = 0; i < 6; ++i) EXPECT_EQ(preferences.word[words[i]], before[i]) << words[i];
    EXPECT_EQ(Fields(currentDateTime), (std::vector{2006, 6, 21, 12, 30}));
    // The grid and the Sun in the middle of the view: many inked pixels, the
    // icon's yellow at the centre.
    EXPECT_GT(Ink(0, 292, 240, 618), 2000);
    int yellow = 0;
    for (int y = 445; y < 465; ++y)
        for (int x = 110; x < 130; ++x) yellow += (harness.pixel(x, y) & 0xF8F8F8) == 0xF8D030;
    EXPECT_GT(yellow, 10);
    Press(kDayNightBack);
    EXPECT_EQ(dayNightState.skyView, nullptr);
}

// A sky view whose picture cannot be made: the message, then the map, the
// fields and the panel as ever.
DrawWindowRecord* NoSurface(int, int, int) { return nullptr; }

TEST_F(DayNightForm, SkyViewWithoutItsPicture) {
    SetDayNightSkyViewMaker(NoSurface);
    Open(kSkyScreen, {2006, 6, 21, 12, 0, 0});
    EXPECT_EQ(BoxText(), "Can't allocate offscreen window\n");
    AnswerAll();
    EXPECT_EQ(dayNightState.skyView, nullptr);
    EXPECT_EQ(Text(kDayNightTimeField), "12:00");
    EXPECT_GT(Ink(0, 213, 240, 290), 300);
    EXPECT_GT(Ink(0, 24, 240, 144), 5000);
}

}  // namespace
