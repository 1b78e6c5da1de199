// The orbit assistant (2550) through the running program: the record keys,
// the date step and the arrows, the 3D zoom at its ends, opening on a view,
// the minor-planet epoch shown, the zone of the lists and of the table, the
// rows of a long step, the pen in the 3D and sky views, taking up a list row
// and editing the comet database from the Data view.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "chart/chart_views.h"
#include "chart/solar_system_view.h"
#include "core/julian_day.h"
#include "core/preferences.h"
#include "core/shared_state.h"
#include "orbit_form_fixture.h"
#include "orbits/comet_lists.h"
#include "platform/files.h"
#include "platform/focus.h"
#include "platform/messages.h"
#include "platform/text_log.h"
#include "support/both_screens.h"
#include "support/popup_scrolling.h"
#include "support/reference_table.h"
#include "support/test_site.h"
#include "tools/edit_date_time.h"
#include "ui/shell_state.h"

namespace {

// Two ordinary comets near the end of 2006.
std::vector<CometRecord> TwoComets() {
    return {TestComet("C/2006 P1 (McNaught)", 2007, 1, 12.8f, 0.1707f, 1.0f, 155.9f, 267.4f, 77.8f, 5.5f, 10.0f),
            TestComet("2P/Encke", 2007, 4, 19.3f, 0.3393f, 0.8471f, 186.5f, 334.6f, 11.8f, 11.5f, 6.0f)};
}

class OrbitForm : public OrbitFormTest {
protected:
    // The header's record count of the comet file.
    uint32_t FileCount() const {
        const std::vector<char> bytes = CometFileBytes();
        if (bytes.size() < 16) return 0;
        uint32_t count = 0;
        std::memcpy(&count, bytes.data() + 8, 4);
        return count;
    }
    void SetText(int id, const char* text) {
        Ui([&] { pl::SetDlgItemText(form, id, text); });
    }
};

// While the form is open the chart view is "Whole Sky" (2) and object names
// and word 76 are off; the form's time is the program's with second 0; Back
// returns to the form before and puts the words back.
TEST_F(OrbitForm, OpeningAndClosing) {
    WriteComets(TwoComets());
    Start(2006, 12, 28, 21, 7);
    Ui([] {
        preferences.word[kPrefChartType] = 0;
        preferences.word[kPrefObjectNames] = 1;
        preferences.word[76] = 3;
        currentDateTime.second = 42;
    });
    Open();
    EXPECT_EQ(preferences.word[kPrefChartType], 2);
    EXPECT_EQ(preferences.word[kPrefObjectNames], 0);
    EXPECT_EQ(preferences.word[76], 0);
    EXPECT_EQ(chartFlagB, 0);
    EXPECT_EQ(GetStarDotZoom(), 0);
    EXPECT_EQ(orbitFormTime.minute, 7);
    EXPECT_EQ(orbitFormTime.second, 0);
    EXPECT_EQ(Text(2558), "21:07");
    Press(2554);
    EXPECT_EQ(GetCurrentFormId(), 1950);
    EXPECT_EQ(preferences.word[kPrefChartType], 0);
    EXPECT_EQ(preferences.word[kPrefObjectNames], 1);
    EXPECT_EQ(preferences.word[76], 3);
    EXPECT_EQ(chartFlagB, 1);
}

// The help of the view: bulleted lines, the second line of a two-line
// message after a line break.
TEST_F(OrbitForm, HelpOfTheView) {
    WriteComets(TwoComets());
    Start();
    Open();
    Press(2553);
    EXPECT_EQ(BoxText(),
              "\x95 Select a comet in the list to display its ephemeris,\n\x95 Use Up and Down keys to change comet,\n"
              "\x95 Select date step and use left/right pda keys to change the start date.");
    AnswerAll();
    ChooseView(5);
    Press(2553);
    EXPECT_EQ(BoxText(), "\x95 Select a comet in the list to display its orbital information.\n");
    AnswerAll();
}

// With one record, Page Up and Page Down keep record 0.
TEST_F(OrbitForm, RecordKeysHeldWithOneRecord) {
    WriteComets({TwoComets()[0]});
    Start();
    Open();
    for (int key : {pl::VK_PRIOR, pl::VK_NEXT, pl::VK_DOWN, pl::VK_UP}) {
        harness.key(key);
        EXPECT_EQ(orbitCometIndex, 0) << key;
    }
    EXPECT_EQ(PopupText(2561), "C/2006 P1 (McNaught)");
}

// The comet popup over 3,949 records scrolls without picking, so that a comet
// far down is reached without hundreds of key presses; a tap on a row makes
// that comet the form's. On both screens.
using OrbitFormScreens = OnBothScreens<OrbitForm>;

TEST_P(OrbitFormScreens, CometPopupScrollsAndPicksTheRowTapped) {
    std::vector<CometRecord> comets;
    char name[16];
    for (int i = 0; i < 3949; ++i) {
        std::snprintf(name, sizeof name, "P/%04d", i);
        comets.push_back(TestComet(name, 2007, 4, 19.3f, 0.3393f, 0.8471f, 186.5f, 334.6f, 11.8f, 11.5f, 6.0f));
    }
    WriteComets(comets);
    harness.changeScreen(GetParam().width, GetParam().height, GetParam().dpi);
    Start();
    Open();
    pl::Hwnd list = pl::GetDlgItem(form, kOrbitRecordList);
    ASSERT_EQ(pl::ListViewGetItemCount(list), 3949);
    const int middle = ScrollAndPick(harness, pl::GetDlgItem(form, kOrbitRecordTrigger), list);
    std::snprintf(name, sizeof name, "P/%04d", middle);
    EXPECT_EQ(orbitCometIndex, middle);
    EXPECT_EQ(PopupText(kOrbitRecordTrigger), name);
    EXPECT_EQ(BoxCount(), 0);
}

// Save keeps what was not edited byte for byte (a minor planet's H 10.557 was
// saved as the 10.560 shown); an edited q changes the comet's q alone.
TEST_P(OrbitFormScreens, SaveKeepsWhatWasNotEdited) {
    CometRecord minor =
        TestComet("(2022 OH10)", 2043, 2, 9.75f, 14.879968f, 0.2400689f, 103.5f, 302.25f, 22.118946f, 10.557f, 0.15f);
    minor.kind = kMinorPlanetRecordKind, minor.epochJulianDay = 2459800.5f, minor.semiMajorAxis = 19.580866f;
    WriteComets({minor, TwoComets()[1]});
    harness.changeScreen(GetParam().width, GetParam().height, GetParam().dpi);
    Start();
    Open();
    ChooseView(5);
    std::vector<char> file = CometFileBytes();
    Press(2575);
    harness.key(pl::VK_PRIOR);
    SetText(2569, "0.34000");
    Press(2575);
    const float q = 0.34f;
    std::memcpy(file.data() + 16 + 128 + 88, &q, sizeof q);  // the comet's q (little-endian)
    EXPECT_EQ(CometFileBytes(), file);
}

// At Sydney in daylight time (+11 h) and at 40 N 105 W (-7 h) an element's
// date is edited in universal time: the date form opens showing "UT Time" on
// the record's own Julian day (within half a second); each Julian day typed
// gives the fields and the saved record the date of
// tests/reference/orbit_element_dates_erfa.csv (ERFA's jd2cal). Ok on the date
// as it was, and the comet's own day 12.3456 typed back, leave the comet file
// byte for byte; the form's time scale, the program's clock (following the
// device) and the list's criteria date stay as they were.
TEST_P(OrbitFormScreens, ElementDatesEditedInUniversalTime) {
    const ReferenceTable dates = ReadReferenceTable(ZENDAVORI_SOURCE_DIR, "orbit_element_dates_erfa.csv");
    ASSERT_EQ(dates.rows.size(), 5u);
    CometRecord ceres = TestComet("1 Ceres", 2022, 1, 21.0f, 2.55f, 0.0785f, 73.4f, 80.3f, 10.6f, 3.3f, 0.12f);
    ceres.kind = kMinorPlanetRecordKind, ceres.epochJulianDay = 2459600.5f, ceres.semiMajorAxis = 2.766f;
    WriteComets({ceres, TestComet("C/2022 X1", 2022, 8, 12.3456f, 1.2f, 0.99f, 30.0f, 80.0f, 10.0f),
                 TestComet("C/2250 A1", 2250, 3, 4.5f, 1.2f, 0.99f, 30.0f, 80.0f, 10.0f)});
    harness.changeScreen(GetParam().width, GetParam().height, GetParam().dpi);
    Start();
    Open();
    ChooseView(5);
    Ui([] { SetDateFormLocal(), dateTimeFixed = 0, selectionCriteria.day = 3; });
    {  // A year beyond the form's (2250) opens it on the device's date: Ok on that is no change either.
        const std::vector<char> original = CometFileBytes();
        for (int i = 0; i < 3 && orbitCometIndex != 2; ++i) harness.key(pl::VK_PRIOR);
        ASSERT_EQ(orbitCometIndex, 2);
        Press(kOrbitDayField);
        Tap(Centre(pl::GetDlgItem(pl::GetActiveWindow(), kDateTimeOk)));
        EXPECT_EQ(Text(kOrbitYearField), "2250");
        Press(kOrbitSave);
        EXPECT_EQ(CometFileBytes(), original);
        for (int i = 0; i < 3 && orbitCometIndex != 0; ++i) harness.key(pl::VK_NEXT);
        ASSERT_EQ(orbitCometIndex, 0);
    }
    // The date form from the day field opening on row `from`'s Julian day, row
    // `to`'s typed (the same row: Ok on the date as it was), Ok and Save.
    auto edit = [&](int from, int to) {
        Press(kOrbitDayField);
        const pl::Hwnd dialog = pl::GetActiveWindow();
        EXPECT_EQ(pl::ListViewGetSelectionMark(pl::GetDlgItem(dialog, kTimeScaleList)), 1);
        EXPECT_NEAR(std::stod(pl::GetDlgItemText(dialog, kJulianDayField)), dates.Get(from, "jd"), 0.5 / 86400);
        if (to != from) {
            Tap(Centre(pl::GetDlgItem(dialog, kJulianDayField)));
            const pl::Hwnd input = pl::GetActiveWindow();
            harness.typeText(std::string(16, '\b') + dates.Text(to, "jd"));  // over the Julian day shown
            Tap(Centre(pl::GetDlgItem(input, 1)));
            Tap(Centre(pl::GetDlgItem(dialog, kJulianDayButton)));
        }
        Tap(Centre(pl::GetDlgItem(dialog, kDateTimeOk)));
        EXPECT_EQ(Text(kOrbitYearField) + Text(kOrbitMonthField) + Text(kOrbitDayField),
                  dates.Text(to, "year") + dates.Text(to, "month") + dates.Text(to, "day"));
        Press(kOrbitSave);
    };
    CometRecord read{};
    for (int zone : {660, -420}) {
        Ui([zone] { SetTestSite(zone > 0 ? -33.87 : 40.0, zone > 0 ? -151.21 : 105.0, zone); });
        const std::vector<char> original = CometFileBytes();
        harness.key(pl::VK_PRIOR);  // the comet
        for (auto [from, to] : {std::pair{2, 2}, {2, 3}, {3, 4}, {4, 0}, {0, 2}}) {
            edit(from, to);
            Ui([&] { GetCometData(1, &read); });
            EXPECT_EQ(read.day, std::stof(dates.Text(to, "day"))) << zone << " " << to;
        }
        EXPECT_EQ(CometFileBytes(), original) << zone;
        harness.key(pl::VK_NEXT);  // Ceres
        for (auto [from, to] : {std::pair{1, 0}, {0, 1}}) {
            edit(from, to);
            Ui([&] { GetCometData(0, &read); });
            EXPECT_EQ(read.epochJulianDay, static_cast<float>(dates.Get(to, "jd"))) << zone << " " << to;
        }
    }
    EXPECT_EQ(std::vector<int>({dateFormUT, dateTimeFixed, selectionCriteria.day}), std::vector<int>({0, 0, 3}));
}

INSTANTIATE_TEST_SUITE_P(BothScreens, OrbitFormScreens, ::testing::ValuesIn(kBothScreens));

// The step popup starts on "7d"; Right moves 2006-12-28 to 2007-01-04 and
// Left back, crossing the year's end.
TEST_F(OrbitForm, StepAndArrows) {
    WriteComets(TwoComets());
    Start(2006, 12, 28, 21, 0);
    Open();
    EXPECT_EQ(PopupText(2577), "7d");
    EXPECT_EQ(Text(2557), DateText(2006, 12, 28));
    EXPECT_EQ(Text(2558), "21:00");
    harness.key(pl::VK_RIGHT);
    EXPECT_EQ(Text(2557), DateText(2007, 1, 4));
    Choose(2577, 2578, 8);
    EXPECT_EQ(PopupText(2577), "90d");
    harness.key(pl::VK_LEFT);
    EXPECT_EQ(Text(2557), DateText(2006, 10, 6));  // 90 days before 4 January 2007
}

// Opened after SetOrbitAssistantView(3) the form shows the 3D view; "+" at
// zoom 7 and "-" at zoom 1 keep the zoom but build and draw the picture again
// (the comet's place follows a date changed behind the form's back).
TEST_F(OrbitForm, OpensOnThe3dViewAndZoomEnds) {
    WriteComets(TwoComets());
    Start(2006, 12, 28, 21, 0);
    SetOrbitAssistantView(3);
    orbitZoomLevel = 7;
    Open();
    EXPECT_EQ(PopupText(2551), "3D View");
    EXPECT_TRUE(Visible(2555) && Visible(2556));
    EXPECT_FALSE(Visible(2547));
    ASSERT_NE(OrbitSolarSystemBodies(), nullptr);
    for (auto [button, zoom] : {std::pair{2555, 7}, std::pair{2556, 1}}) {
        orbitZoomLevel = zoom;
        const int32_t before = OrbitSolarSystemBodies()[1].position[0];
        Ui([] { orbitFormTime.day = orbitFormTime.day == 28 ? 14 : 28; });
        Press(button);
        EXPECT_EQ(orbitZoomLevel, zoom);
        EXPECT_NE(OrbitSolarSystemBodies()[1].position[0], before) << button;
    }
}

// A minor planet whose epoch is JD 2453000.5 (2003 December 27, 0h) shows
// 2003, 12 and 27.0000 with the minor-planet labels.
TEST_F(OrbitForm, MinorPlanetEpochInTheDataView) {
    CometRecord minor = TestComet("Minor", 2003, 8, 28.0f, 2.25f, 0.1f, 10.0f, 20.0f, 5.0f, 7.0f, 0.15f);
    minor.kind = 18;
    minor.epochJulianDay = 2453000.5f;
    minor.semiMajorAxis = 2.5f;
    minor.meanAnomaly = 30.0f;
    WriteComets({minor});
    Start();
    Open();
    ChooseView(5);
    EXPECT_EQ(Text(2566), "2003");
    EXPECT_EQ(Text(2567), "12");
    EXPECT_EQ(Text(2568), "27.0000");
    EXPECT_EQ(Text(2569), "2.50000");
    EXPECT_EQ(Text(138), "Epoch");
    EXPECT_EQ(Text(139), "a");
    EXPECT_TRUE(Visible(2583) && Visible(2582));
    EXPECT_FALSE(Visible(2581));
    EXPECT_FALSE(Visible(2557));
}

// At a zone of +120 minutes the Brightest list reads the form's clock
// (2000-03-17 0h) as universal time: orbit 0 of
// tests/reference/comet_places.csv (scripts/reference/comet_orbits.py,
// exact orbit, ERFA's Earth) at JD 2451620.5 gives delta and r, so the
// listed magnitude is H + 5 log delta + K log r. The ephemeris table's first
// row is two hours earlier, JD 2451620.5 - 1/12; with a 90-day step the rows
// are 90 days apart.
TEST_F(OrbitForm, ZoneOfTheListsAndOfTheTable) {
    ReferenceTable table = ReadReferenceTable(ZENDAVORI_SOURCE_DIR, "comet_places.csv");
    ASSERT_GT(table.rows.size(), 2u);
    ASSERT_EQ(table.Get(2, "jd"), 2451620.5);
    WriteComets({TestComet("Reference", 2000, 2, 26.0f, 1.2f, 0.5f, 30.0f, 80.0f, 10.0f, 6.0f, 10.0f)});
    Start(2000, 3, 17, 0, 0);
    Ui([] { currentSite.zoneMinutes = 120; });
    Open();
    ASSERT_FALSE(LastOrbitEphemerisRows().empty());
    EXPECT_NEAR(LastOrbitEphemerisRows()[0].jd, 2451620.5 - 2.0 / 24, 1e-9);
    ChooseView(2);
    ASSERT_EQ(cometMagCount, 1);
    const double expected = 6.0 + 5 * std::log10(table.Get(2, "delta")) + 10 * std::log10(table.Get(2, "r"));
    EXPECT_NEAR(CometMagList[0].magnitude, expected, 0.002);
    ChooseView(0);
    Choose(2577, 2578, 8);
    const auto& rows = LastOrbitEphemerisRows();
    ASSERT_GE(rows.size(), 5u);
    for (std::size_t i = 1; i < rows.size(); ++i) EXPECT_NEAR(rows[i].jd - rows[i - 1].jd, 90.0, 1e-9) << i;
    EXPECT_EQ(rows[1].month, 6);  // 17 March + 90 days = 15 June
    EXPECT_EQ(rows[1].day, 15);
}

// Best Dates: a row taken up makes its record current and its date the
// form's date.
TEST_F(OrbitForm, TakingUpABestDatesRow) {
    WriteComets(TwoComets());
    Start(2006, 12, 28, 21, 0);
    Open();
    ChooseView(1);
    ASSERT_EQ(cometMagCount, 2);
    const CometMagEntry second = CometMagList[1];
    TapRow(2547, 1);
    EXPECT_EQ(orbitCometIndex, second.index);
    EXPECT_EQ(Text(2557), DateText(second.year, second.month, second.day));
    EXPECT_EQ(orbitFormTime.year, second.year);
    EXPECT_EQ(orbitFormTime.day, second.day);
}

// Best Dates at zones of -7 h and +11 h: a row taken up sets the form's date,
// and its time field, to the row's instant (universal time, the list's date)
// in the site's local time (Encke's, in the afternoon UT, falls on the next
// local day at +11 h).
TEST_F(OrbitForm, TakenUpBestDateInTheSiteLocalTime) {
    WriteComets(TwoComets());
    Start(2006, 12, 28, 21, 0);
    Open();
    ChooseView(1);
    ASSERT_EQ(cometMagCount, 2);
    const struct {
        int row, zone;
    } cases[] = {{0, -420}, {1, 660}};
    for (const auto& c : cases) {
        Ui([&c] { currentSite.zoneMinutes = static_cast<int16_t>(c.zone); });
        const CometMagEntry e = CometMagList[c.row];
        int y = e.year, mo = e.month, d = e.day, h = e.hour, mi = e.minute;
        AddMinutesToDateTime(&y, &mo, &d, &h, &mi, c.zone);
        TapRow(2547, c.row);
        char time[8];
        std::snprintf(time, sizeof time, "%02d:%02d", h, mi);
        EXPECT_EQ(Text(2557), DateText(y, mo, d)) << c.zone;
        EXPECT_EQ(Text(2558), time) << c.zone;
        EXPECT_EQ((std::vector{orbitFormTime.year, orbitFormTime.month, orbitFormTime.day, orbitFormTime.hour,
                               orbitFormTime.minute}),
                  (std::vector{y, mo, d, h, mi}));
    }
    const std::string taken = Text(2558);
    ChooseView(0);  // the Ephemeris view writes the time field from the form's time
    EXPECT_EQ(Text(2558), taken);
}

// A drag of 200 units to the right turns the 3D view's third angle by 400
// degrees, kept as 40.
TEST_F(OrbitForm, DragTurnsThe3dView) {
    WriteComets(TwoComets());
    Start();
    SetOrbitAssistantView(3);
    Open();
    harness.drag({20, 150}, {220, 150}, 8);
    EXPECT_EQ(orbitViewState.angle[2], 40);
    EXPECT_EQ(orbitViewState.angle[0], 0);
}

// The sky view centres on the seventh track point; panning north stops at
// latitude 90; a changed date or step clears the centre, so the view again
// centres on the seventh point of its track.
TEST_F(OrbitForm, SkyViewCentre) {
    WriteComets(TwoComets());
    Start(2006, 12, 28, 21, 0);
    SetOrbitAssistantView(4);
    Open();
    ASSERT_NE(OrbitSkyTrack(), nullptr);
    EXPECT_EQ(std::string(OrbitSkyTrack()[0].name), DateText(2006, 12, 28));
    EXPECT_EQ(std::string(OrbitSkyTrack()[1].name), DateText(2007, 1, 4));
    const float longitude = orbitViewState.centreLongitude, latitude = orbitViewState.centreLatitude;
    EXPECT_FALSE(longitude == 0.0f && latitude == 0.0f);
    harness.drag({120, 80}, {120, 270}, 6);
    EXPECT_EQ(orbitViewState.centreLatitude, 90.0f);
    harness.key(pl::VK_RIGHT);
    harness.key(pl::VK_LEFT);
    EXPECT_EQ(orbitViewState.centreLongitude, longitude);
    EXPECT_EQ(orbitViewState.centreLatitude, latitude);
    harness.drag({120, 80}, {120, 270}, 6);
    Choose(2577, 2578, 0);
    Choose(2577, 2578, 3);
    EXPECT_EQ(orbitViewState.centreLongitude, longitude);
    EXPECT_EQ(orbitViewState.centreLatitude, latitude);
}

// A tap on a track point of the sky view (without a drag) names it with its
// date.
TEST_F(OrbitForm, TapNamesATrackPoint) {
    WriteComets(TwoComets());
    Start(2006, 12, 28, 21, 0);
    SetOrbitAssistantView(4);
    Open();
    ASSERT_NE(OrbitSkyTrack(), nullptr);
    const SelectionEntry point = OrbitSkyTrack()[6];
    ASSERT_EQ(point.horizonHidden, 0);
    Ui([] { pl::StartTextLog(); });
    harness.tap(point.screenX, 46 + point.screenY);  // the picture starts 46 units down
    bool named = false;
    Ui([&] {
        for (const pl::TextRun& run : pl::LoggedTexts(pl::ScreenSurfaceSerial()))
            if (run.text == point.name) named = true;
        pl::StopTextLog();
    });
    EXPECT_TRUE(named) << point.name;
    EXPECT_EQ(std::string(point.name), DateText(2007, 2, 8));  // the seventh date, 6 weeks on
}

// Save writes the fields into the record (q reads back equal); New and Save
// append a record (the kind button of a new record switches its kind); Del
// removes the current one.
TEST_F(OrbitForm, SaveNewAndDelete) {
    WriteComets(TwoComets());
    Start();
    Open();
    ChooseView(5);
    EXPECT_EQ(Text(2569), "0.17070");
    SetText(2569, "0.54321");
    Press(2575);
    EXPECT_EQ(BoxCount(), 0) << BoxText();
    CometRecord read{};
    Ui([&] { GetCometData(0, &read); });
    EXPECT_EQ(read.perihelionDistance, 0.54321f);
    EXPECT_STREQ(read.name, "C/2006 P1 (McNaught)");
    Press(2579);
    EXPECT_EQ(orbitCometIndex, -1);
    EXPECT_EQ(PopupText(2561), "<New>");
    EXPECT_EQ(Text(2565), "New comet");
    Press(2581);  // a new record's kind button switches it: a minor planet
    EXPECT_TRUE(Visible(2582) && Visible(2583));
    EXPECT_EQ(Text(138), "Epoch");
    Press(2582);  // and back to a comet
    EXPECT_TRUE(Visible(2581));
    EXPECT_FALSE(Visible(2583));
    EXPECT_EQ(Text(139), "q");
    SetText(2568, "1.0000");
    Press(2575);
    EXPECT_EQ(FileCount(), 3u);
    EXPECT_EQ(orbitCometIndex, 2);
    Press(2576);
    EXPECT_EQ(FileCount(), 2u);
    Ui([&] { GetCometData(1, &read); });
    EXPECT_STREQ(read.name, "2P/Encke");
}

// Cancel on the date and time form opened from the element date leaves the
// three fields as they were typed (they were written again from the record,
// the day rounded to the minute).
TEST_F(OrbitForm, CancelledElementDateKeepsTheFields) {
    WriteComets(TwoComets());
    Start();
    Open();
    ChooseView(5);
    SetText(2566, "2010");
    SetText(2568, "12.8277");
    Press(2568);
    pl::Hwnd dialog = pl::GetActiveWindow();
    ASSERT_NE(pl::GetDlgItem(dialog, kDateTimeCancel), nullptr);
    Tap(Centre(pl::GetDlgItem(dialog, kDateTimeCancel)));
    EXPECT_EQ(Text(2566) + "|" + Text(2567) + "|" + Text(2568), "2010|01|12.8277");
}

// Ordinary values are taken and saved as read (node 6.56 and inclination
// 11.68710, which a reader that was not correctly rounded refused); a value
// beyond the field's single precision or outside its range is refused with
// the field's one message and the file is unchanged; a write that fails (a
// full disk) leaves the database as it was.
TEST_F(OrbitForm, RefusedAndFailedSaves) {
    WriteComets(TwoComets());
    Start();
    Open();
    ChooseView(5);
    const struct {
        int field;
        std::string text;
        const char* box;  // "" when taken
    } cases[] = {
        {2572, "6.56", ""},
        {2573, "11.68710", ""},
        {2567, "13", "Month must be a whole number between 1 and 12\n"},
        {2572, "1" + std::string(72, '0'), "Longitude Asc. Node must be between 0 and 360\xB0\n"},
        {2573, "440000000000000000000000", "Inclination must be between 0 and 180\xB0\n"},
        {2569, "12500000000000000000", "Perihelion Distance must be between 0.00001 and 10000 AU\n"},
    };
    for (const auto& c : cases) {
        Ui([] { NewCometElements(0); });
        const std::vector<char> before = CometFileBytes();
        SetText(c.field, c.text.c_str());
        Press(2575);
        EXPECT_EQ(BoxCount(), *c.box ? 1 : 0) << c.text;
        EXPECT_EQ(BoxText(), c.box) << c.text;
        AnswerAll();
        if (*c.box) {
            EXPECT_EQ(CometFileBytes(), before) << c.text;
        }
    }
    CometRecord read{};
    Ui([&] { GetCometData(0, &read); });
    EXPECT_EQ(std::vector<float>({read.node, read.inclination}), std::vector<float>({6.56f, 11.6871f}));
    Ui([] { NewCometElements(0); });
    const std::vector<char> before = CometFileBytes();
    SetText(2567, "02");
    pl::FailWritesAfter(100);
    Press(2575);
    pl::FailWritesAfter(-1);
    EXPECT_EQ(BoxText(), "Could not save comet database\n");
    AnswerAll();
    EXPECT_EQ(CometFileBytes(), before);
    Ui([&] { GetCometData(0, &read); });
    EXPECT_EQ(read.month, 1);
}

}  // namespace
