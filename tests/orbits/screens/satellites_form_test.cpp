// The satellites assistant (2800) through the running program: opening and
// reopening, the satellite keys, the live time modes, the searches and their
// rows, the sky view of a row, the pen in the sky view and on the globe,
// export and import. The element sets are the verification sets of Vallado et
// al. (2006); the form's time is set near their epochs (June 2006).
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "catalog/selection_entry.h"
#include "chart/chart_views.h"
#include "core/julian_day.h"
#include "core/preferences.h"
#include "core/shared_state.h"
#include "orbits/satellite_geometry.h"
#include "orbits/screens/satellite_form_parts.h"
#include "platform/color.h"
#include "platform/focus.h"
#include "platform/message_queue.h"
#include "platform/messages.h"
#include "platform/screen.h"
#include "satellites_form_fixture.h"
#include "ui/colors.h"
#include "ui/input_polling.h"

namespace {

SatelliteFormState& State() { return satelliteFormState; }

// Seconds of the day of a sky point's label "%d %02d:%02d:%02d", with the day.
long LabelSeconds(const char* label) {
    int day = 0, hour = 0, minute = 0, second = 0;
    if (std::sscanf(label, "%d %d:%d:%d", &day, &hour, &minute, &second) != 4) return -1;
    return ((day * 24L + hour) * 60 + minute) * 60 + second;
}

// The same seconds of a local Julian day, truncated as the labels are.
long JdSeconds(double localJd) {
    int year, month, day, hour, minute, second;
    JDToCalendar(localJd, &year, &month, &day, &hour, &minute, &second);
    return ((day * 24L + hour) * 60 + minute) * 60 + second;
}

class SatellitesForm : public SatellitesFormTest {
protected:
    // Three satellites near the 2006 epochs: a sun-synchronous one (0), a low
    // one of 91.5 minutes (1) and a geostationary one (2).
    void StartWithSets() {
        WriteSatellites({{"SUNSYNC 28057", 28057}, {"LEO 29238", 29238}, {"GEO 28626", 28626}});
        Start();
        SetFormTime(2006, 6, 26, 21, 0);
        Open();
    }
    // Checks the labels of sky points 1..39: the first at `firstLocalJd`, then
    // `minutes` / 39 apart (to the second the labels are truncated to).
    void ExpectSkyPoints(double firstLocalJd, double minutes) {
        ASSERT_EQ(State().skyObjectCount, 40);
        EXPECT_STREQ(State().skyObjects[0].name, "Moon");
        for (int k = 1; k <= 39; ++k) {
            const double expected = firstLocalJd + (k - 1) * minutes / 39.0 / 1440.0;
            EXPECT_NEAR(LabelSeconds(State().skyObjects[k].name), JdSeconds(expected), 1) << k;
        }
    }
};

// The first opening shows record lastSatelliteIndex in Info at the program's
// date and time with seconds 0; the chart options are the form's while it is
// open and come back after; reopening keeps the date, time and satellite.
TEST_F(SatellitesForm, FirstOpeningAndReopening) {
    WriteSatellites({{"SUNSYNC 28057", 28057}, {"LEO 29238", 29238}, {"GEO 28626", 28626}});
    Start();
    preferences.word[kPrefChartType] = 0;
    preferences.word[kPrefObjectNames] = 1;
    lastSatelliteIndex = 2;
    Open();
    EXPECT_EQ(State().view, kSatelliteViewInfo);
    EXPECT_EQ(State().satelliteIndex, 2);
    const DateTime t = currentDateTime;
    EXPECT_EQ((std::vector<int>{State().year, State().month, State().day, State().hour, State().minute, State().second}),
              (std::vector<int>{t.year, t.month, t.day, t.hour, t.minute, 0}));
    EXPECT_EQ((std::vector<int>{t.year, t.month, t.day, t.hour, t.minute}), (std::vector<int>{2024, 3, 5, 21, 10}));
    EXPECT_EQ(Text(2808), "21:10");
    EXPECT_EQ(preferences.word[kPrefChartType], 2);
    EXPECT_EQ(preferences.word[kPrefObjectNames], 0);
    Press(2801);
    EXPECT_EQ(BoxText(), "\x95 Display the position and the path of the selected satellite on the earth.\n\n"
                         "All displayed times are local times.");
    AnswerAll();
    SetFormTime(2006, 6, 26, 21, 0);
    MainCommand(1002);  // another form closes this one
    EXPECT_EQ(preferences.word[kPrefChartType], 0);
    EXPECT_EQ(preferences.word[kPrefObjectNames], 1);
    EXPECT_EQ(lastSatelliteIndex, 2);
    EXPECT_EQ(State().record, nullptr);
    Open();
    EXPECT_EQ(State().satelliteIndex, 2);
    EXPECT_EQ((std::vector<int>{State().year, State().month, State().day, State().hour, State().minute}),
              (std::vector<int>{2006, 6, 26, 21, 0}));
    EXPECT_EQ(Text(2808), "21:00");
}

// Page Up and Down arrow step to the next satellite, Page Down and Up arrow to
// the previous one; at the ends the satellite stays and the view is drawn
// again; Left and Right do nothing.
TEST_F(SatellitesForm, PageKeysStepAndHoldAtTheEnds) {
    StartWithSets();
    const struct {
        int key;
        int index;
        const char* why;
    } steps[] = {{pl::VK_NEXT, 0, "Page Down on the first record"}, {pl::VK_PRIOR, 1, "Page Up"},
                 {pl::VK_DOWN, 2, "Down arrow"},                     {pl::VK_PRIOR, 2, "Page Up on the last record"},
                 {pl::VK_LEFT, 2, "Left"},                           {pl::VK_UP, 1, "Up arrow"}};
    for (const auto& s : steps) {
        Ui([] { State().mapReady = 0, State().globeLongitude = -999; });
        harness.key(s.key);
        EXPECT_EQ(State().satelliteIndex, s.index) << s.why;
        const bool redrawn = s.key != pl::VK_LEFT;
        EXPECT_EQ(State().mapReady, redrawn ? 1 : 0) << s.why;
        EXPECT_EQ(State().globeLongitude != -999, redrawn) << s.why;  // the marker was placed again
    }
    EXPECT_EQ(BoxCount(), 0);
}

// "+10'" moves the time 10 minutes a second, "Clock" stops it, "Track"
// follows the device clock at each whole minute; closing stops the timer.
TEST_F(SatellitesForm, LiveTimeModes) {
    StartWithSets();
    Choose(2811, 2812, 5);  // +10'
    harness.advance(1000);
    EXPECT_EQ(Text(2808), "21:10");
    harness.advance(1000);
    EXPECT_EQ(Text(2808), "21:20");
    EXPECT_EQ(State().hour * 60 + State().minute, 21 * 60 + 20);
    Choose(2811, 2812, 0);  // Clock
    harness.advance(3000);
    EXPECT_EQ(Text(2808), "21:20");
    Choose(2811, 2812, 1);  // Track
    harness.advance(59000);
    EXPECT_EQ(Text(2808), "21:20");
    harness.advance(1000);
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
    Ui([&] { GetLocalDateTime(&year, &month, &day, &hour, &minute, &second); });
    EXPECT_EQ((std::vector<int>{State().year, State().month, State().day, State().hour, State().minute}),
              (std::vector<int>{year, month, day, hour, minute}));
    EXPECT_EQ(year, 2024);
    Choose(2811, 2812, 5);
    MainCommand(1002);
    const int kept = State().minute;
    harness.advance(5000);
    EXPECT_EQ(State().minute, kept);
}

// Pass to Next searches again; Pass to Info and back to Pass keeps the rows;
// 2814 does nothing until a row is tapped; a tapped row's details and its sky.
TEST_F(SatellitesForm, SearchesRowsDetailsAndTheirSky) {
    StartWithSets();
    ChooseView(kSatelliteViewPass);
    const int passRows = State().resultCount;
    ASSERT_GT(passRows, 3);
    EXPECT_EQ(pl::ListViewGetItemCount(pl::GetDlgItem(form, 2813)), passRows);
    const PassRow first = State().results[0];
    Press(2814);  // no row tapped since the form opened
    EXPECT_EQ(State().view, kSatelliteViewPass);
    ChooseView(kSatelliteViewInfo);
    Ui([] { ResetSatelliteEvaluationCount(); });
    ChooseView(kSatelliteViewPass);
    EXPECT_EQ(SatelliteEvaluationCount(), 0);
    EXPECT_EQ(State().resultCount, passRows);
    EXPECT_EQ(State().results[0].riseLocalJd, first.riseLocalJd);

    TapRow(2813, 1);
    EXPECT_EQ(State().selectedResult, 1);
    const PassRow row = State().results[1];
    SatelliteDetailTexts texts;
    Ui([&] { texts = FlareDetailTexts(row); });
    int y, mo, d, h, mi, s;
    JDToCalendar(row.riseLocalJd, &y, &mo, &d, &h, &mi, &s);
    char aos[32];
    std::snprintf(aos, sizeof aos, "AOS: %02dh%02dm%02d", h, mi, s);
    EXPECT_EQ(texts.pieces[0][0], aos);
    EXPECT_EQ(texts.pieces[0][1].rfind("Az: ", 0), 0u);
    EXPECT_EQ(texts.pieces[0][2], "");  // on the horizon at the rise: no altitude
    EXPECT_EQ(texts.pieces[2][0].rfind("LOS: ", 0), 0u);
    if (row.maxElevation > 1) {
        EXPECT_EQ(texts.pieces[1][2], "Alt: " + std::to_string(row.maxElevation) + "\xB0");
    }

    Press(2814);  // Auto: from the rise over (duration + 30) / 60 minutes
    EXPECT_EQ(State().view, kSatelliteViewSky);
    ExpectSkyPoints(row.riseLocalJd, (row.durationSeconds + 30) / 60);
    Choose(2823, 2824, 4);  // 3mn, whatever the view was opened with
    ExpectSkyPoints(row.riseLocalJd, 180);

    ChooseView(kSatelliteViewPass);
    Ui([] { ResetSatelliteEvaluationCount(); });
    ChooseView(kSatelliteViewNext);  // one row a satellite at most: the Pass rows are gone
    EXPECT_LE(State().resultCount, 3);
    EXPECT_EQ(State().flareMode, 0);
    for (int i = 1; i < State().resultCount; ++i)
        EXPECT_NE(State().results[i].satelliteIndex, State().results[0].satelliteIndex);
}

// The tapped row shows its texts in the highlight text colour on the
// highlight (drawn on opaque boxes of the background they were lost).
TEST_F(SatellitesForm, SelectedResultRowShowsItsText) {
    StartWithSets();
    ChooseView(kSatelliteViewPass);
    TapRow(2813, 0);
    pl::Hwnd list = pl::GetDlgItem(form, 2813);
    pl::Rect r;
    pl::SendMessage(list, pl::LVM_GETITEMRECT, 0, reinterpret_cast<pl::LParam>(&r));
    pl::Point origin{0, 0};
    pl::ClientToScreen(list, &origin);
    uint32_t text = 0, fill = 0;
    Ui([&] {
        text = pl::ToPixel888(GetHighlightTextColor()) & 0xF8F8F8u;
        fill = pl::ToPixel888(GetHighlightColor()) & 0xF8F8F8u;
    });
    ASSERT_NE(text, fill);
    int inked = 0, filled = 0, all = 0;
    for (int y = r.top + 1; y < r.bottom - 1; ++y)
        for (int x = r.left + 2; x < r.left + 200; ++x, ++all) {
            const uint32_t p = harness.pixel(origin.x + x, origin.y + y) & 0xF8F8F8u;
            inked += p == text;
            filled += p == fill;
        }
    EXPECT_GT(inked, 100);           // the glyphs
    EXPECT_GT(filled, all * 6 / 10);  // around them the highlight, not boxes of text colour
}

// A flare row goes to the sky from 6 s before its peak with 2/39 minutes a
// point, a Moon transit from 30 s before with 1/39 minutes.
TEST_F(SatellitesForm, FlareAndTransitRowsInTheSky) {
    StartWithSets();
    const double peak = 2453913.4;  // 2006-06-26 21:36 local
    const struct {
        int view;
        double before;
        double minutes;
    } cases[] = {{kSatelliteViewFlare, 6.0, 2.0}, {kSatelliteViewTransit, 30.0, 1.0}};
    for (const auto& c : cases) {
        Ui([&] {
            SatelliteFormState& s = State();
            s.view = c.view;
            s.flareMode = c.view == kSatelliteViewFlare;
            s.results[0] = PassRow{};
            s.results[0].peakLocalJd = s.results[0].riseLocalJd = peak;
            s.results[0].satelliteIndex = 1;
            s.resultCount = 1;
            s.selectedResult = 0;
        });
        FormCommand(2814);
        EXPECT_EQ(State().view, kSatelliteViewSky) << c.view;
        ExpectSkyPoints(peak - c.before / 86400.0, c.minutes);
        EXPECT_EQ(State().skyObjects[5].number, 1);
    }
    // After the Flare view the keys do nothing until Pass, Transit or Next.
    Ui([] { State().flareMode = 1; });
    const int index = State().satelliteIndex;
    harness.key(pl::VK_PRIOR);
    EXPECT_EQ(State().satelliteIndex, index);
}

// Dragging the sky view: the altitude stops at 90 and the azimuth goes on
// from 0 past 360 (the sky map's field of zoom step 1, 100 degrees, over 120
// pixels: 5/6 degree a pixel).
TEST_F(SatellitesForm, SkyDragStopsAtTheZenithAndWrapsTheAzimuth) {
    StartWithSets();
    ChooseView(kSatelliteViewSky);
    ASSERT_EQ(State().fovIndex, 1);
    ASSERT_EQ(GetZoomFovForIndex(1), 100.0f);
    Ui([] { State().viewCentreAzimuth = 355.0f, State().viewCentreAltitude = 80.0f; });
    harness.drag({100, 150}, {148, 198});  // 48 pixels: 40 degrees each way
    EXPECT_NEAR(State().viewCentreAzimuth, 35.0, 1e-3);
    EXPECT_EQ(State().viewCentreAltitude, 90.0f);
    EXPECT_EQ(State().dragging, 1);
    harness.drag({148, 198}, {100, 150});
    EXPECT_NEAR(State().viewCentreAzimuth, 355.0, 1e-3);
    EXPECT_NEAR(State().viewCentreAltitude, 50.0, 1e-3);
    harness.tap(5, 200);  // a tap after a drag is a tap again
    EXPECT_EQ(State().dragging, 0);
}

// The globe: the low satellite's track leaves the visible hemisphere within
// 20 minutes ahead (4 segments at most); 400 pixels of drag turn it by 40
// degrees; the geostationary satellite's track never leaves and still ends.
TEST_F(SatellitesForm, GlobeTrackDragAndGeostationaryTrack) {
    WriteSatellites({{"SUNSYNC 28057", 28057}, {"LEO 29238", 29238}, {"GEO 28626", 28626}});
    pl::SetScreenInfo({480, 640, 192});
    Start();
    SetFormTime(2006, 6, 26, 21, 0);
    lastSatelliteIndex = 1;
    Open();
    ChooseView(kSatelliteViewGlobe);
    EXPECT_LE(LastGlobeTrackSegments().forward, 4);
    EXPECT_GE(LastGlobeTrackSegments().forward, 3);
    const int longitude = State().globeLongitude, latitude = State().globeLatitude;
    EXPECT_EQ(longitude, static_cast<int>(State().elements->subLongitude));
    harness.drag({40, 300}, {440, 300}, 8);
    EXPECT_EQ(State().globeLongitude, ((longitude + 400) % 360 + 360) % 360);
    EXPECT_EQ(State().globeLatitude, latitude);
    Shot("satellites_globe_dragged.png");
    harness.key(pl::VK_PRIOR);  // the geostationary satellite
    EXPECT_EQ(State().satelliteIndex, 2);
    EXPECT_EQ(LastGlobeTrackSegments().forward, 288);  // one period of 5-minute steps
    EXPECT_EQ(LastGlobeTrackSegments().backward, 288);
}

// Export from the Data view: every record into the memo of the minute. An
// element line edited in the view stays in its field.
TEST_F(SatellitesForm, ExportFromTheDataView) {
    StartWithSets();
    ChooseView(kSatelliteViewData);
    EXPECT_TRUE(Visible(2821));
    EXPECT_FALSE(Visible(2808));
    EXPECT_EQ(Text(2820), VerificationLines(28057).second);
    Press(2819);
    pl::Hwnd input = pl::GetActiveWindow();
    ASSERT_NE(input, form);
    Ui([input] { pl::SetDlgItemText(input, 137, "1 EDITED"); });
    harness.tap(35, 113 + 84 + 10);  // the text input's Ok
    EXPECT_EQ(Text(2819), "1 EDITED");
    Press(2821);
    EXPECT_EQ(BoxText(), "3 Satellite records exported.\n\n");
    AnswerAll();
    const DateTime& t = currentDateTime;
    char name[64];
    std::snprintf(name, sizeof name, "%04d%02d%02d_zendamemo_%02d%02d.txt", t.year, t.month, t.day, t.hour, t.minute);
    std::ifstream in(folder.path() / "userlists" / name, std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(in)), {});
    auto [line1, line2] = VerificationLines(28626);
    EXPECT_NE(text.find("GEO 28626\n" + line1 + "\n" + line2 + "\n"), std::string::npos);
    EXPECT_NE(text.find(VerificationLines(28057).first), std::string::npos);  // not the edited line
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 9);
}

// With no satellite database (the data set-up installs none) an import makes
// it, and the form then lists the imported sets. Before it, Export and the
// list's export with the list empty have nothing to write: no file.
TEST_F(SatellitesForm, ImportWithoutDatabase) {
    Start();
    MainCommand(1034);
    EXPECT_EQ(BoxText(), "Nothing to export.\n");
    AnswerAll();
    MainCommand(1032);
    EXPECT_EQ(BoxText(), "Satellite database isn't open!\nNot found: data/zendavori_satellites.ppc");
    AnswerAll();
    form = GetCurrentFormDialog();
    EXPECT_EQ(State().satelliteIndex, -1);
    ChooseView(kSatelliteViewData);
    Press(2821);
    EXPECT_EQ(BoxText(), "Nothing to export.\n");
    AnswerAll();
    EXPECT_TRUE(std::filesystem::is_empty(folder.path() / "userlists"));
    std::string text;
    for (int number : {29238, 28057, 8195, 28626}) {
        auto [line1, line2] = VerificationLines(number);
        if (number == 8195) line1[68] = static_cast<char>('0' + (line1[68] - '0' + 1) % 10);
        text += "SET " + std::to_string(number) + "\n" + line1 + "\n" + line2 + "\n";
    }
    std::ofstream(folder.path() / "userlists" / "sets.txt", std::ios::binary) << text;
    Press(2822);
    pl::Hwnd dialog = pl::GetActiveWindow();
    ASSERT_NE(dialog, form);
    Tap(RowCentre(pl::GetDlgItem(dialog, 2901), 0));
    ASSERT_EQ(BoxText().rfind("Beginning of memo data:\n", 0), 0u) << BoxText();
    AnswerAll();
    Tap(Centre(pl::GetDlgItem(dialog, 2903)));
    EXPECT_EQ(BoxText(), "3 Satellite records imported.\n1 skipped.");
    AnswerAll();
    EXPECT_TRUE(std::filesystem::exists(folder.path() / "data" / "zendavori_satellites.ppc"));
    EXPECT_EQ(GetSatelliteCount(), 3);
    EXPECT_EQ(State().satelliteIndex, 0);
    EXPECT_EQ(pl::ListViewGetItemCount(pl::GetDlgItem(form, 2806)), 3);
    EXPECT_EQ(Text(2819), VerificationLines(29238).first);
}

// The fastest element set a record holds (17 revolutions a day, a period
// under 85 minutes) is drawn without a box and the Info view ends. (Its mean
// motion of 60, a period under 25 minutes, is beyond what a record holds and
// is now refused as damaged.)
TEST_F(SatellitesForm, ShortPeriodTrackEnds) {
    auto [line1, line2] = VerificationLines(29238);
    line2.replace(52, 11, "17.00000000");
    std::vector<record_writer::Bytes> records = {record_writer::SatelliteBytes("FAST", line1, line2)};
    const record_writer::Bytes bytes = record_writer::RecordDbBytes(1, 213, records);
    std::ofstream(folder.path() / "data" / "zendavori_satellites.ppc", std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    Start();
    SetFormTime(2006, 6, 26, 21, 0);
    Open();
    EXPECT_EQ(BoxCount(), 0) << BoxText();
    EXPECT_LT(State().elements->period, 85.0);
    EXPECT_EQ(State().mapReady, 1);
    ChooseView(kSatelliteViewGlobe);
    EXPECT_EQ(State().view, kSatelliteViewGlobe);
}

// Choosing again the view, the satellite or the minimum elevation already
// chosen draws the view again as it was: the form was erased and the sky
// view was gone.
TEST_F(SatellitesForm, ChoosingTheChosenRowAgainRedrawsTheView) {
    StartWithSets();
    const struct {
        int view, trigger, list;
    } cases[] = {
        {kSatelliteViewSky, 2802, 2803},
        {kSatelliteViewSky, 2805, 2806},
        {kSatelliteViewPass, 2817, 2818},
    };
    for (const auto& c : cases) {
        ChooseView(c.view);
        const std::vector<uint32_t> drawn = ScreenSample(1);
        const int row = c.list == 2803 ? c.view : c.list == 2806 ? State().satelliteIndex : State().minElevationIndex;
        Choose(c.trigger, c.list, row);
        EXPECT_EQ(ScreenSample(1), drawn) << c.view << " " << c.list;
    }
}

// Info and Globe chosen again, or their satellite chosen again, are drawn
// as they were: the form was erased, but Info took its map and the
// satellite's name on its popup as still drawn, so that only the marker was
// left on an empty view.
TEST_F(SatellitesForm, ChoosingInfoAgainLostItsMapAndName) {
    StartWithSets();
    for (int view : {kSatelliteViewInfo, kSatelliteViewGlobe}) {
        ChooseView(view);
        const std::vector<uint32_t> drawn = ScreenSample(1);
        ChooseView(view);
        EXPECT_TRUE(ScreenSample(1) == drawn) << view;
        Choose(2805, 2806, State().satelliteIndex);
        EXPECT_TRUE(ScreenSample(1) == drawn) << view;
    }
}

}  // namespace
