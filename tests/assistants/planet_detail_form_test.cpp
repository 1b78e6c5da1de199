// The planet detail form (2460) in the running program on a 240 x 320 screen at
// 96 dpi, over a Mars feature file of four features; and its mode setters,
// orientation signs, colours and texts.
#include "assistants/planet_detail_form.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "assistants/assistant_colors.h"
#include "assistants/jupiter_moons.h"
#include "assistants/mars_map_view.h"
#include "assistants/moon_event_reference.h"
#include "assistants/moon_events.h"
#include "assistants/planet_detail_mode.h"
#include "assistants/planet_strip_view.h"
#include "catalog/databases.h"
#include "catalog/record_writer.h"
#include "core/julian_day.h"
#include "ephemeris/jupiter_central_meridian.h"
#include "core/preferences.h"
#include "core/shared_state.h"
#include "platform/dialog.h"
#include "platform/focus.h"
#include "platform/message_queue.h"
#include "platform/messages.h"
#include "platform/text_log.h"
#include "platform/window.h"
#include "support/both_screens.h"
#include "support/logged_lines.h"
#include "support/program_fixture.h"
#include "support/test_site.h"
#include "support/wrapped_difference.h"
#include "tools/edit_date_time.h"
#include "ui/control_access.h"
#include "ui/control_records.h"
#include "ui/popup_list.h"
#include "ui/forms.h"
#include "ui/shell_state.h"

namespace {

constexpr int kViewTrigger = 2466, kViewList = 2467, kTypeTrigger = 2518, kTypeList = 2519,
              kFeatureTrigger = 2515, kFeatureList = 2516;

// Changing the mode resets the events of Jupiter and Saturn each time; the same
// mode again keeps them; Mars comes up on its View, Phase on zoom "1" and
// "Mercury".
TEST(PlanetDetailMode, SettersResetOnAChangeOfModeOnly) {
    ResetPlanetDetailMode();
    const auto mark = [] {
        planetMoonState[3].startDay = 7;
        eventSearchCache[kCacheYear] = 2024;
        planetDetailView = 2;
    };
    const auto cleared = [] { return planetMoonState[3].startDay == 0 && eventSearchCache[kCacheYear] == -1; };
    for (void (*setter)() : {SetSaturnAssistantMode, SetJupiterAssistantMode, SetSaturnAssistantMode}) {
        mark();
        setter();
        EXPECT_TRUE(cleared());
        EXPECT_EQ(planetDetailView, 0);
    }
    mark();
    SetSaturnAssistantMode();
    EXPECT_FALSE(cleared());
    EXPECT_EQ(planetDetailView, 2);
    SetMarsAssistantMode();
    EXPECT_EQ((std::vector{GetPlanetDetailMode(), planetDetailView}), (std::vector{kMarsMode, 1}));
    planetDetailZoom = 3;
    SetPhaseAssistantMode();
    EXPECT_EQ((std::vector{GetPlanetDetailMode(), planetDetailView, planetDetailZoom}), (std::vector{3, 0, 0}));
}

TEST(PlanetDetailMode, OrientationRowsGiveTheirSigns) {
    const int signs[4][2] = {{1, 1}, {1, -1}, {-1, -1}, {-1, 1}};
    for (int row = 0; row < 4; ++row) {
        SetPlanetDetailOrientation(row);
        EXPECT_EQ(GetPlanetDetailOrientation(), row);
        EXPECT_EQ((std::vector{planetDetailSignX, planetDetailSignY}), (std::vector{signs[row][0], signs[row][1]}));
    }
    SetPlanetDetailOrientation(0);
}

// Night mode 1 (intensity 102): the moons in reds 102, 95, 88, 81, 74.
TEST(PlanetDetailMode, NightModeMoonColours) {
    ResetWithDefaults();
    preferences.word[kPrefNightMode] = 1;
    InitAssistantColors();
    pl::ColorRef copy[5];
    CopyAssistantColors(copy);
    const int reds[5] = {102, 95, 88, 81, 74};
    for (int k = 0; k < 5; ++k) EXPECT_EQ(copy[k], pl::Rgb(reds[k], 0, 0)) << k;
    preferences.word[kPrefNightMode] = 0;
    InitAssistantColors();
    EXPECT_EQ(moonColors[1], pl::Rgb(0, 40, 220));
}

// Titles by mode; help texts by mode and view, each line a bullet and a blank.
TEST(PlanetDetailMode, TitlesAndHelpTexts) {
    EXPECT_EQ(std::string(PlanetDetailTitle(kSaturnMode)), "SaturnAssistant");
    EXPECT_EQ(std::string(PlanetDetailTitle(kPhaseMode)), "PhaseAssistant");
    const struct {
        int mode, view;
        const char* text;
        const char* detail;
    } cases[] = {
        {kJupiterMode, 1,
         "\x95 Displays red spot (GRS) transit time (local time). Time in red means that GRS is visible. If not an "
         "icon indicates the reason (sun, jupiter not visible).",
         "\x95 Adjust lets you compute GRS longitude."},
        {kSaturnMode, 2,
         "\x95 Calculates the Saturn's satellites eclipses by and transits across Saturn's disk for the given day.",
         "\x95 Selects one satellite to filter the events accordingly or display them all.\n\x95 Taps on the date to "
         "select a different one."},
        {kMarsMode, 1, "\x95 Displays a view of Mars as seen from earth.\n\x95 Taps on Mars regions to get their names.",
         "\x95  Taps on clock icon to refresh the screen.\n\x95 Press Up and Down keys to change hours."},
        {kMarsMode, 3, "\x95 Displays Mars size and orientation among the years.",
         "\x95 The wider the curves is the bigger the apparent diameter of Mars is. Moves your stylus along it or uses "
         "Up and Down Keys to animate the image."},
        {kPhaseMode, 2, "\x95 Displays Phase of Mercury, Venus and Mars among the years.",
         "\x95 Blue lines represent the phase and red lines the apparent diameter.\n\x95 Moves your stylus along it "
         "or use Up and Down Keys to animate the image."},
    };
    for (const auto& c : cases) {
        std::string text, detail;
        PlanetDetailHelp(c.mode, c.view, &text, &detail);
        EXPECT_EQ(text, c.text) << c.mode << " " << c.view;
        EXPECT_EQ(detail, c.detail) << c.mode << " " << c.view;
    }
}

MarsFeatureRecord Feature(const char* name, int16_t group, int16_t x, int16_t y) {
    MarsFeatureRecord f{"", group, x, y, 1200, 10.0f, 20.0f};
    std::snprintf(f.name, sizeof f.name, "%s", name);
    return f;
}

class PlanetDetailForm : public ProgramTest {
protected:
    void SetUp() override {
        std::vector<record_writer::Bytes> records;
        for (const MarsFeatureRecord& f : {Feature("Gamma Mons", 1, 500, 100), Feature("Alpha", 3, 100, 150),
                                           Feature("Beta", 3, 300, 160), Feature("Delta", 9, 50, 250)})
            records.push_back(record_writer::MarsBytes(f));
        const record_writer::Bytes file = record_writer::RecordDbBytes(1, 36, records);
        std::FILE* out = std::fopen((folder.path() / "data" / "zendavori_mars.ppc").c_str(), "wb");
        std::fwrite(file.data(), 1, file.size(), out);
        std::fclose(out);
        ResetCatalogState();
        const pl::ScreenInfo screen = Screen();
        harness.changeScreen(screen.width, screen.height, screen.dpi);
        harness.setLocalTime(pl::LocalTime{2024, 1, 20, 12, 0, 0});
        ASSERT_TRUE(StartProgram());
        Ui([] {
            ResetPlanetDetailForm();
            currentSite.zoneMinutes = 0;
        });
    }
    void TearDown() override { Ui([] { ResetPlanetDetailForm(); }); }
    virtual pl::ScreenInfo Screen() const { return pl::kHeadlessScreen; }
    void Open(void (*setter)(), int view = -1) {
        Ui([setter, view] {
            setter();
            if (view >= 0) planetDetailView = view;
            GotoForm(kPlanetDetailForm);
        });
        ASSERT_EQ(GetCurrentFormId(), kPlanetDetailForm);
    }
    // A popup's row chosen as a tap on it would choose it.
    void Choose(int trigger, int list, int row) {
        Ui([=] {
            Set(list, row);
            pl::SendMessage(GetCurrentFormDialog(), pl::WM_COMMAND,
                            static_cast<pl::WParam>(trigger | list << 16), 0);
        });
    }
    std::string Text(int id) {
        std::string text;
        Ui([&] { text = pl::GetWindowText(pl::GetDlgItem(GetCurrentFormDialog(), id)); });
        return text;
    }
    std::string Label(int trigger) {
        std::string text;
        Ui([&] { text = RecordOf<PopupRecord>(pl::GetDlgItem(GetCurrentFormDialog(), trigger))->label; });
        return text;
    }
    static const PlanetDetailFormState& S() { return planetDetailForm; }
};

// The chart's background word is 0 while the form is open and has its value
// back after Back and after a switch to another form; Inf shows the help of
// the mode and view.
TEST_F(PlanetDetailForm, ChartBackgroundWordAndHelp) {
    Ui([] { preferences.word[kPrefChartBackground] = 2; });
    Open(SetJupiterAssistantMode);
    EXPECT_EQ(preferences.word[kPrefChartBackground], 0);
    FormCommand(2469);
    EXPECT_EQ(BoxText(), "\x95 Displays the relative positions of the Galilean satellites as seen from Earth.\n\x95 "
                         "Jupiter is represented by the blue, vertical stripe. Moves your stylus along it or use Up "
                         "and Down Keys to animate the image.");
    Answer(pl::IDOK);
    FormCommand(2461);
    EXPECT_EQ(GetCurrentFormId(), kHomeFormId);
    EXPECT_EQ(preferences.word[kPrefChartBackground], 2);
    Open(SetSaturnAssistantMode);
    EXPECT_EQ(preferences.word[kPrefChartBackground], 0);
    Ui([] { GotoForm(kHomeFormId); });
    EXPECT_EQ(preferences.word[kPrefChartBackground], 2);
    EXPECT_EQ(BoxCount(), 0);
}

// A tap above the strip or in the detail panel changes nothing; a tap in the
// strip moves the detail there and writes its time.
TEST_F(PlanetDetailForm, TapsOutsideTheStripChangeNothing) {
    MainCommand(1009);  // the menu's Jupiter
    ASSERT_EQ(GetCurrentFormId(), kPlanetDetailForm);
    const int row = stripRow;
    EXPECT_EQ(row, 24 + 720 * 47 / 1440);  // zoom "4": 47 pixels a day, 12:00
    const std::string date = Text(kPlanetDateField), time = Text(kPlanetTimeField);
    for (int y : {21, 250}) {
        harness.tap(160, y);
        EXPECT_EQ(stripRow, row) << y;
        EXPECT_EQ(Text(kPlanetDateField) + Text(kPlanetTimeField), date + time) << y;
    }
    int outside = 1;
    Ui([&] { outside = DrawPlanetDetailView(160, 250); });
    EXPECT_EQ(outside, 0);
    harness.tap(160, 24 + 58);  // 58 x 1440 / 47 minutes: the next day, 05:37
    EXPECT_EQ(Text(kPlanetDateField), "21/01/2024");
    EXPECT_EQ(Text(kPlanetTimeField), "05:37");
}

// After a year strip (Saturn Rings) the date field reads 1 January.
TEST_F(PlanetDetailForm, YearStripStartsOnFirstOfJanuary) {
    MainCommand(1010);  // the menu's Saturn
    ASSERT_EQ(GetCurrentFormId(), kPlanetDetailForm);
    Choose(kViewTrigger, kViewList, kRingsView);
    EXPECT_EQ(planetDetailView, kRingsView);
    EXPECT_EQ(Text(kPlanetDateField), "01/01/2024");
    EXPECT_EQ((std::vector{planetDetailDate.month, planetDetailDate.day}), (std::vector{1, 1}));
}

// Holding Down on the Mars View steps the time back an hour a pass until the
// key is released.
TEST_F(PlanetDetailForm, HoldingDownOnMarsViewStepsHoursBack) {
    MainCommand(1027);  // the menu's Mars
    ASSERT_EQ(GetCurrentFormId(), kPlanetDetailForm);
    ASSERT_EQ(planetDetailView, kMarsGlobeView);
    harness.key(pl::VK_DOWN, 2);
    EXPECT_EQ((std::vector{planetDetailDate.day, planetDetailDate.hour}), (std::vector{20, 9}));
    EXPECT_EQ(Text(kPlanetTimeField), "09:00");
}

// On the map a pen that moves less than 4 pixels picks the nearest feature
// where it is lifted; 4 pixels or more drag the map and pick nothing.
TEST_F(PlanetDetailForm, MapTapPicksAndDragMoves) {
    Open(SetMarsAssistantMode, kMarsMapView);
    ASSERT_EQ((std::vector{S().mapOriginX, S().mapOriginY}), (std::vector{0, 0}));
    harness.penDown(102, 176);
    harness.penMove(105, 176);
    harness.penUp(105, 176);
    EXPECT_EQ(S().selectedMarsFeature, 1);  // Alpha at map (100, 150), drawn at (100, 24 + 150)
    EXPECT_EQ(Label(kFeatureTrigger), "Alpha");
    harness.penDown(102, 176);
    harness.penMove(106, 176);
    harness.penMove(110, 176);
    harness.penUp(110, 176);
    EXPECT_EQ(S().selectedMarsFeature, -1);
    EXPECT_EQ(S().mapOriginX, 8);
    EXPECT_EQ(BoxCount(), 0);
}

// A feature chosen in the list is drawn on the map's centre column (the map's
// own scale moves the map).
TEST_F(PlanetDetailForm, ChosenFeatureIsCentred) {
    Open(SetMarsAssistantMode, kMarsMapView);
    Choose(kTypeTrigger, kTypeList, 7);  // "Planitia": Alpha and Beta
    ASSERT_EQ((std::vector{S().marsFirstFeature, S().marsFeatureCount}), (std::vector{1, 2}));
    Choose(kFeatureTrigger, kFeatureList, 1);
    ASSERT_EQ(S().selectedMarsFeature, 2);
    int x = 0, y = 0;
    Ui([&] { MarsMapToScreen(PlanetDetailViewRect(), S().mapOriginX, S().mapOriginY, 300, 160, &x, &y); });
    EXPECT_NEAR(x, 120, 2);
    EXPECT_EQ(Label(kFeatureTrigger), "Beta");
}

// A Jupiter moon hidden behind the disk leaves a gap in its track: Io's
// colour is missing around the axis while it is occulted and present just
// before (zoom "1", 188 pixels a day).
TEST_F(PlanetDetailForm, HiddenMoonLeavesAGapInItsTrack) {
    int day = 19, start = -1, end = -1;
    while (end < 0 && ++day < 30) {
        start = -1;
        for (int minute = 0; minute < 1440 && end < 0; minute += 2) {
            GalileanMoon moons[4];
            ComputeGalileanMoons(JupiterMoonDays(2024, 1, day, 0, minute), moons);
            if (moons[0].code == kMoonOccultation && start < 0) start = minute;
            if (moons[0].code != kMoonOccultation && start > 60) end = minute;
        }
    }
    ASSERT_GT(end - start, 60);
    Ui([day] {
        planetDetailZoom = 0;
        planetDetailForm.firstOpen = 0;
        planetDetailDate = PlanetDetailDate{2024, 1, day, 12, 0};
    });
    Open(SetJupiterAssistantMode);
    const auto ioPixels = [&](int fromMinute, int toMinute) {
        int count = 0;
        for (int y = 24 + fromMinute * 188 / 1440; y <= 24 + toMinute * 188 / 1440; ++y)
            for (int x = 108; x <= 132; ++x) count += (harness.pixel(x, y) & 0xF8F8F8) == 0xC8C828;
        return count;
    };
    EXPECT_EQ(ioPixels(start + 16, end - 16), 0);
    EXPECT_GT(ioPixels(start - 40, start - 10), 0);
    Shot("planet_detail_jupiter.png");
}

// The Events view searches a date once: drawn again for the same date it
// keeps the table (a row put in by hand stays), and the form's time comes
// back from the search; "now" on another day searches that day.
TEST_F(PlanetDetailForm, EventsSearchOncePerDate) {
    Ui([] {
        planetDetailForm.firstOpen = 0;
        planetDetailDate = PlanetDetailDate{2024, 1, 21, 9, 15};
    });
    Open(SetJupiterAssistantMode, kEventsView);
    EXPECT_EQ(std::vector<int32_t>(eventSearchCache, eventSearchCache + 5), (std::vector<int32_t>{2024, 1, 21, 9, 15}));
    int filled = 0;
    for (const MoonEventSlot& slot : planetMoonState) filled += slot.startDay != 0;
    EXPECT_GT(filled, 2);
    const MoonEventSlot marker{3, 4, 21, 1, 2, 21, 3, 4};
    Ui([&] {
        planetMoonState[0] = marker;
        planetDetailDate.hour = 18;
    });
    Choose(kViewTrigger, kViewList, kEventsView);
    EXPECT_EQ(planetMoonState[0].kind, marker.kind);
    EXPECT_EQ(planetDetailDate.hour, 9);
    Shot("planet_detail_jupiter_events.png");
    harness.setLocalTime(pl::LocalTime{2024, 1, 23, 22, 5, 0});
    FormCommand(2458);  // now
    EXPECT_EQ(Text(kPlanetDateField), "23/01/2024");
    EXPECT_EQ(std::vector<int32_t>(eventSearchCache, eventSearchCache + 5), (std::vector<int32_t>{2024, 1, 23, 22, 5}));
    EXPECT_NE(planetMoonState[0].kind, marker.kind);
    EXPECT_EQ(BoxCount(), 0);
}

// Adjust asks for the observed transit in the date and time form, from
// today at 00:00; on a day with a transit within two hours of that time the
// longitude is fitted so that the transit falls at 00:00, and the message
// shows it. The table is drawn again.
TEST_F(PlanetDetailForm, AdjustFitsTheLongitudeToTheEnteredTransit) {
    int day = 1, hours[3], minutes[3];
    for (; day <= 20; ++day) {
        ComputeJupiterCentralMeridian(2024, 8, day, hours, minutes);
        if (hours[0] == 1) break;
    }
    ASSERT_LE(day, 20);
    Ui([day] {
        planetDetailForm.firstOpen = 0;
        planetDetailDate = PlanetDetailDate{2024, 8, 7, 12, 0};
        currentDateTime = DateTime{2024, 8, day, 14, 0, 0};
    });
    Open(SetJupiterAssistantMode, kRedSpotView);
    Shot("planet_detail_red_spot.png");
    FormCommand(2468);
    pl::Hwnd dialog = pl::GetActiveWindow();
    ASSERT_NE(pl::GetDlgItem(dialog, kDateTimeOk), nullptr);
    Tap(Centre(pl::GetDlgItem(dialog, kDateTimeOk)));
    EXPECT_EQ(BoxText().rfind("Red Spot longitude ", 0), 0u) << BoxText();
    EXPECT_LT(preferences.GetFloat(kPrefGrsLongitude), 117.0f - 30);
    ComputeJupiterCentralMeridian(2024, 8, day, hours, minutes);
    EXPECT_EQ(hours[0] * 60 + minutes[0], 0);
    AnswerAll();
    EXPECT_EQ(GetCurrentFormId(), kPlanetDetailForm);
}

// The date and time form returns 1 however it closes; a cancelled entry is no
// observed transit, so the longitude stays and nothing is said.
TEST_F(PlanetDetailForm, CancelledAdjustKeepsTheLongitude) {
    Ui([] {
        planetDetailForm.firstOpen = 0;
        planetDetailDate = PlanetDetailDate{2024, 8, 7, 12, 0};
    });
    Open(SetJupiterAssistantMode, kRedSpotView);
    const float before = preferences.GetFloat(kPrefGrsLongitude);
    FormCommand(2468);
    pl::Hwnd dialog = pl::GetActiveWindow();
    ASSERT_NE(pl::GetDlgItem(dialog, kDateTimeCancel), nullptr);
    Tap(Centre(pl::GetDlgItem(dialog, kDateTimeCancel)));
    EXPECT_EQ(BoxText(), "");
    EXPECT_EQ(preferences.GetFloat(kPrefGrsLongitude), before);
    EXPECT_EQ(GetCurrentFormId(), kPlanetDetailForm);
}

// The Events view at Tokyo (+9 h) in March 2027 on both screens, against
// moon_events_pyephem.csv: an event of the day's last hour is on that day's
// list, one in progress at midnight on the next day's too (its start the
// evening before), start and end within their tolerances
// (moon_event_reference.h). The search stopped at 23:00: Io's shadow from
// 23:33 on 1 March was missing, Europa's eclipse from 23:09 on 19 March was
// listed on the 20th only, Enceladus's occultation 23:37-23:58 on 6 March on
// neither day.
class EventsOnBothScreens : public PlanetDetailForm, public ::testing::WithParamInterface<pl::ScreenInfo> {
protected:
    pl::ScreenInfo Screen() const override { return GetParam(); }
};

int RowTime(const std::string& text) { return std::stoi(text.substr(0, 2)) * 60 + std::stoi(text.substr(3, 2)); }

TEST_P(EventsOnBothScreens, EventsOfTheLastHourWereLostOrADayLate) {
    const struct {
        int mode, day;
        const char *moon, *kind;
        int moonIndex, kindCode, start;  // the reference event: minutes from the day's 00:00
    } cases[] = {
        {kJupiterMode, 1, "Io", "Shadow", 0, kMoonShadow, 1413},
        {kJupiterMode, 19, "Europa", "Eclipse", 1, kMoonEclipse, 1389},
        {kJupiterMode, 20, "Europa", "Eclipse", 1, kMoonEclipse, -51},
        {kSaturnMode, 6, "Enceladus", "Occultation", 0, kMoonOccultation, 1417},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.day << " " << c.moon << " " << c.kind);
        std::vector<ReferenceMoonEvent> events = ReferenceMoonEvents(2027, 3, c.day, 540);
        const auto e = std::find_if(events.begin(), events.end(), [&](const ReferenceMoonEvent& r) {
            return r.mode == c.mode && r.moon == c.moonIndex && r.kind == c.kindCode && std::abs(r.start - c.start) < 5;
        });
        ASSERT_NE(e, events.end());
        Ui([&] {
            SetTestSite(35.68, -139.69, 540);
            planetDetailForm.firstOpen = 0;
            planetDetailDate = PlanetDetailDate{2027, 3, c.day, 12, 0};
            pl::StartTextLog();
        });
        Open(c.mode == kSaturnMode ? SetSaturnAssistantMode : SetJupiterAssistantMode, kEventsView);
        const std::vector<std::vector<std::string>> lines = LoggedScreenLines();
        Ui([] { pl::StopTextLog(); });
        const auto row = std::find_if(lines.begin(), lines.end(), [&](const std::vector<std::string>& line) {
            return line.size() == 4 && line[0] == c.moon && line[3] == c.kind;
        });
        ASSERT_NE(row, lines.end());
        const double start = e->start + WrappedDifference(RowTime((*row)[1]), e->start, 1440);
        const double end = e->end + WrappedDifference(RowTime((*row)[2]), e->end, 1440);
        EXPECT_NEAR(start, e->start, e->startTolerance) << (*row)[1];
        EXPECT_NEAR(end, e->end, e->endTolerance) << (*row)[2];
    }
    Shot(GetParam().width == 240 ? "planet_detail_saturn_events.png" : "planet_detail_saturn_events_480.png");
}

// The Events view's rows of one moon on days one of its events was under
// way at midnight, having begun the evening before, against
// moon_events_pyephem.csv: the moon's events of the day by their starts, the
// evening's first, each start within its tolerance (Tokyo, +9 h, on 9 March
// and 1 April 2027; Sydney, +11 h, on 1 January 2027). The evening's event
// was listed after the day's later ones, as if it began that evening.
TEST_P(EventsOnBothScreens, EventOfTheEveningBeforeListedAfterTheDaysLaterOnes) {
    const struct {
        int mode, zone, month, day;
        const char* moon;
    } cases[] = {
        {kJupiterMode, 540, 3, 9, "Io"}, {kJupiterMode, 540, 4, 1, "Io"}, {kSaturnMode, 660, 1, 1, "Enceladus"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.month << "-" << c.day << " " << c.moon);
        std::vector<ReferenceMoonEvent> events = ReferenceMoonEvents(2027, c.month, c.day, c.zone);
        std::erase_if(events, [&](const ReferenceMoonEvent& e) {
            return e.mode != c.mode || MoonEventMoonName(c.mode, e.moon) != std::string(c.moon) ||
                   e.Overlap() <= e.Tolerance();
        });
        std::sort(events.begin(), events.end(),
                  [](const ReferenceMoonEvent& a, const ReferenceMoonEvent& b) { return a.start < b.start; });
        ASSERT_LT(events.front().start, 0.0);
        Ui([&] {
            SetTestSite(35.68, -139.69, c.zone);
            planetDetailForm.firstOpen = 0;
            planetDetailDate = PlanetDetailDate{2027, c.month, c.day, 12, 0};
            pl::StartTextLog();
        });
        Open(c.mode == kSaturnMode ? SetSaturnAssistantMode : SetJupiterAssistantMode, kEventsView);
        std::vector<std::vector<std::string>> rows = LoggedScreenLines();
        Ui([] { pl::StopTextLog(); });
        std::erase_if(rows,
                      [&](const std::vector<std::string>& line) { return line.size() != 4 || line[0] != c.moon; });
        ASSERT_EQ(rows.size(), events.size());
        for (std::size_t i = 0; i < rows.size(); ++i) {
            EXPECT_EQ(rows[i][3], MoonEventKindName(events[i].kind)) << i;
            const double start = events[i].start + WrappedDifference(RowTime(rows[i][1]), events[i].start, 1440);
            EXPECT_NEAR(start, events[i].start, events[i].startTolerance) << rows[i][1];
        }
    }
}

INSTANTIATE_TEST_SUITE_P(BothScreens, EventsOnBothScreens, ::testing::ValuesIn(kBothScreens));

}  // namespace
