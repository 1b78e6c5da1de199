// The sky chart (form 1900) in the running program at 51 N 0 E, zone 0, on
// 5 March 2024 at 21:10 by the device clock. The default-star file holds a few
// chosen stars (bright, high in the sky at that time), every other star at
// magnitude 15. The local sidereal time then is 8 h 06.4 min: Greenwich mean
// sidereal time by Meeus, Astronomical Algorithms (1998), eq. 12.4.
#include "chart/sky_chart_form.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "catalog/databases.h"
#include "catalog/designations.h"
#include "catalog/record_writer.h"
#include "catalog/selection_list.h"
#include "catalog/stars.h"
#include "chart/chart_form_controls.h"
#include "chart/chart_redraw.h"
#include "chart/chart_screen_lists.h"
#include "chart/chart_state.h"
#include "chart/chart_views.h"
#include "core/date_text.h"
#include "core/preferences.h"
#include "core/shared_state.h"
#include "platform/controls.h"
#include "platform/messages.h"
#include "platform/message_queue.h"
#include "core/program_hooks.h"
#include "platform/focus.h"
#include "platform/timer.h"
#include "platform/window.h"
#include "ui/preference_values.h"
#include "support/both_screens.h"
#include "support/list_entries.h"
#include "support/program_fixture.h"
#include "sky_chart_fixture.h"
#include "support/test_site.h"
#include "ui/control_access.h"
#include "ui/forms.h"
#include "ui/offscreen.h"
#include "ui/primitives.h"
#include "ui/screen_layout.h"
#include "ui/shell_state.h"
#include "ui/text_drawing.h"
#include "ui/colors.h"
#include "ui/draw_window.h"
#include "ui/font_set.h"
#include "ui/popup_list.h"
#include "ui/control_records.h"
#include "catalog/screens/list_manager_form.h"
#include "chart/horizon_projection.h"
#include "chart/horizon_passes.h"
#include "chart/chart_overlays.h"
#include "chart/chart_status.h"
#include "chart/scope_marker.h"
#include "platform/drawing.h"
#include "platform/fonts.h"
#include "platform/text_log.h"
#include "scope/scope_services.h"
#include "objects/observing_list_form.h"
#include "tools/observer_log.h"
#include "tools/observer_log_form.h"

namespace {

using namespace sky_chart_test;

class SkyChartForm : public SkyChartTest {};

// Menu 1003 on an empty list: the visible planets fill it, row 0 is current
// and the object list has the shown rows; no box, the form has the focus and
// the history ends with home and the chart. Back returns home.
TEST_F(SkyChartForm, MenuOpensTheChartWithTheVisiblePlanets) {
    Start();
    Ui([] { selectionCount = 0, selectionShownCount = -1; });
    Open();
    EXPECT_EQ(BoxCount(), 0) << BoxText();
    EXPECT_EQ(formHistory[5], 1950);
    EXPECT_EQ(formHistory[6], kSkyChartFormId);
    EXPECT_EQ(pl::GetFocus(), GetCurrentFormDialog());
    ASSERT_GE(selectionShownCount, 1);
    EXPECT_EQ(selectionCurrentRow, 0);
    for (int i = 0; i < selectionCount; ++i) EXPECT_EQ(selectionList[i].designation, kDesignationPlanet);
    EXPECT_EQ(pl::ListViewGetItemCount(Item(kChartObjectList)), selectionShownCount);
    Shot("chart_open_240.png");
    Tap(Centre(Item(kChartBack)));
    EXPECT_EQ(GetCurrentFormId(), 1950);
}


// The home form's "Sky" button opens the chart on the list as it is.
TEST_F(SkyChartForm, HomeSkyButtonOpensTheChart) {
    Start();
    Put({Entry("High", kDesignationNgc, 1, 2, PlaceAt(180, 70).first, PlaceAt(180, 70).second)}, 0);
    Tap(Centre(Item(5080)));
    ASSERT_EQ(GetCurrentFormId(), kSkyChartFormId) << BoxText();
    EXPECT_EQ(BoxCount(), 0) << BoxText();
    EXPECT_EQ(formHistory[5], 1950);
    EXPECT_EQ(formHistory[6], kSkyChartFormId);
    EXPECT_EQ(pl::GetFocus(), GetCurrentFormDialog());
}

// The zoom step chosen is kept in word 153 when the chart closes and shown again when it opens.
TEST_F(SkyChartForm, ZoomRowIsKeptAcrossOpenings) {
    Start();
    Open();
    Zoom(9);
    EXPECT_EQ(chartState.chartZoomIndex, 9);
    Close();
    ASSERT_EQ(GetCurrentFormId(), 1950);
    EXPECT_EQ(preferences.word[kPrefChartZoom], 9);
    Open();
    EXPECT_EQ(Get(kChartZoomList), 9);
    EXPECT_EQ(chartState.chartZoomIndex, 9);
}

// The Sky Map keeps the current entry at the middle of the screen; an entry
// below the horizon gives the centre to the zenith (the sidereal time and the
// latitude), no row and an empty object label, while the selection keeps the
// entry's own record and place (it once became a type 0 record of the zenith).
TEST_F(SkyChartForm, SkyMapCentresTheSelectionOrTheZenith) {
    Start();
    const auto high = PlaceAt(120, 40), low = PlaceAt(0, -30);
    Put({Entry("High", kDesignationNgc, 1, 2, high.first, high.second),
         Entry("Low", kDesignationNgc, 2, 2, low.first, low.second)},
        0);
    Open();
    EXPECT_NEAR(selectionList[0].screenX, 120, 1);
    EXPECT_NEAR(selectionList[0].screenY, 160, 1);
    Put({Entry("Low", kDesignationNgc, 2, 2, low.first, low.second),
         Entry("High", kDesignationNgc, 1, 2, high.first, high.second)},
        0);
    Redraw();
    float ra = 0, dec = 0;
    bool onSelection = true;
    Ui([&] { GetHorizonChartCentre(&ra, &dec, &onSelection); });
    EXPECT_FALSE(onSelection);
    EXPECT_NEAR(dec, 51.0, 0.01);
    EXPECT_NEAR(ra, kLstHours, 0.01);
    EXPECT_EQ(std::string(chartSelection.name), "Low");
    EXPECT_EQ(chartSelection.rightAscension, low.first);
    EXPECT_EQ(chartSelection.declination, low.second);
    EXPECT_EQ(selectionCurrentRow, -1);
    EXPECT_EQ(std::string(RecordOf<PopupRecord>(Item(kChartObjectTrigger))->label).find_first_not_of(' '),
              std::string::npos);
}

// Orientation row 3 flips the chart left to right: the choice is kept for the
// zoom step and every shown bright star moves to the mirror of its column.
TEST_F(SkyChartForm, OrientationRowMirrorsTheStars) {
    Start();
    const auto high = PlaceAt(180, 60);
    Put({Entry("High", kDesignationNgc, 1, 2, high.first, high.second)}, 0);
    SetWord(kPrefChartZoom, 3);
    SetWord(kPrefZoomViewFirst + 3, 0);
    Open();
    const std::vector<std::pair<int, int>> before = ShownStarPoints();
    ASSERT_GE(before.size(), 4u);
    Choose(kChartOrientationTrigger, kChartOrientationList, 3);
    EXPECT_EQ(preferences.word[kPrefZoomViewFirst + 3], 3);
    const std::vector<std::pair<int, int>> after = ShownStarPoints();
    ASSERT_EQ(after.size(), before.size());
    for (std::size_t i = 0; i < before.size(); ++i) {
        EXPECT_NEAR(after[i].first, 240 - before[i].first, 1) << i;
        EXPECT_NEAR(after[i].second, before[i].second, 1) << i;
    }
}

// On the dark blue background with dark red lines and no constellation names,
// grid-grey pixels show above the status lines at zoom 7 and none at zoom 8.
TEST_F(SkyChartForm, GridIsDrawnBelowZoom8Only) {
    Start();
    const auto high = PlaceAt(180, 60);
    Put({Entry("High", kDesignationNgc, 1, 2, high.first, high.second)}, 0);
    SetWord(kPrefChartBackground, 1);
    SetWord(kPrefLineColor, 1);
    SetWord(kPrefConstNames, 0);
    SetWord(kPrefChartZoom, 7);
    Open();
    EXPECT_GT(Count(0, 22, 215, 285, kGrid), 20);
    Zoom(8);
    EXPECT_EQ(Count(0, 22, 215, 285, kGrid), 0);
}

// The background of each colour scheme, and the night colour of the white one.
TEST_F(SkyChartForm, BackgroundsFollowTheSchemeAndNightMode) {
    Start();
    const auto high = PlaceAt(180, 60);
    Put({Entry("High", kDesignationNgc, 1, 2, high.first, high.second)}, 0);
    SetWord(kPrefChartZoom, 8);
    Open();
    const struct {
        int background, night;
        uint32_t colour;
    } cases[] = {{0, 0, 0x000000}, {1, 0, 0x101040}, {2, 0, 0xE8E8E8}, {2, 2, 0x880000}};
    for (const auto& c : cases) {
        SetWord(kPrefChartBackground, c.background);
        SetWord(kPrefNightMode, c.night);
        Redraw();
        EXPECT_EQ(Background(), c.colour) << c.background << " " << c.night;
        if (c.night) Shot("chart_night_240.png");
    }
    SetWord(kPrefNightMode, 0);
}

// "Stars" = 1 (constellation figures only): a bright star off the figures
// draws nothing, and the screen lists keep what they held.
TEST_F(SkyChartForm, StarsWordOneDrawsNoStarAndKeepsTheScreenLists) {
    Start();
    Put({Entry("Below", kDesignationNgc, 1, 2, static_cast<float>(kLstHours), 69.0f)}, 0);
    SetWord(kPrefChartZoom, 8);
    SetWord(kPrefChartBackground, 0);
    SetWord(kPrefConstNames, 0);
    Open();
    const StarRecord& star = brightStarTable[kChosen[4].index];
    ASSERT_EQ(star.hidden, 0);
    const int x = star.screenX, y = star.screenY;
    ASSERT_LT(Count(x - 3, y - 3, x + 4, y + 4, 0x000000), 49);  // drawn while stars are on
    SetWord(kPrefStars, 1);
    SetWord(kPrefObjDrilldown, 1);
    Ui([] {
        chartScreenLists.stars[0] = ChartStarEntry{7, 10, 10};
        chartScreenLists.stars[1].id = kStarListEnd;
        chartScreenLists.objects[0].record = kObjectListEnd;
    });
    Redraw();
    EXPECT_EQ(Count(x - 3, y - 3, x + 4, y + 4, 0x000000), 49);
    EXPECT_EQ(chartScreenLists.stars[0].id, 7);
    EXPECT_EQ(chartScreenLists.stars[1].id, kStarListEnd);
    EXPECT_EQ(chartScreenLists.objects[0].record, kObjectListEnd);
}

// "Hide InfoBar" leaves the status lines out, yet the place of the selection
// is computed: at RA = sidereal time and Dec = latitude it stands at the zenith.
TEST_F(SkyChartForm, HiddenInfoBarStillComputesTheAltitude) {
    Start();
    Put({Entry("Zenith", kDesignationNgc, 1, 2, static_cast<float>(kLstHours), 51.0f)}, 0);
    SetWord(kPrefHideInfoBar, 1);
    SetWord(kPrefHideCompass, 1);
    SetWord(kPrefChartZoom, 8);
    Open();
    Redraw();
    EXPECT_NEAR(chartApparentPlace.altitude, 90.0, 0.5);
    EXPECT_EQ(Count(50, 300, 175, 320, 0x000000), 0);  // no text in the black label colour
    SetWord(kPrefHideInfoBar, 0);
    Redraw();
    EXPECT_GT(Count(50, 300, 175, 320, 0x000000), 100);
}

// The second status line reads "05/03/24 21:10 LST:08:06  ", as that text
// drawn in the same font and colours into a scratch picture shows it (the
// rows above the first line; the second stands 22 scaleY above the chart's
// foot, clear of the first).
TEST_F(SkyChartForm, StatusLineShowsDateTimeAndSiderealTime) {
    Start();
    Put({Entry("Zenith", kDesignationNgc, 1, 2, static_cast<float>(kLstHours), 51.0f)}, 0);
    SetWord(kPrefChartZoom, 8);
    Open();
    Redraw();
    const int x0 = ScaleX(13) + ScaleY(40), y0 = 320 - ScaleY(22);
    std::vector<uint32_t> expected;
    int width = 0, height = 0;
    Ui([&] {
        const char* text = "05/03/24 21:10 LST:08:06  ";
        DrawWindowRecord* scratch = CreateOffscreenDib(200, 12, 16);
        DrawWindowRecord* previous = SetDrawWindow(scratch);
        SelectFont(0);
        SetBackColor(0xFFFFFF);
        SetTextColorRef(0x000000);
        SetForeColor(0xFFFFFF);
        FillRectangle(XywhRect{0, 0, 200, 12}, 0);
        SetTextTransparent(false);
        DrawLabelText(text, static_cast<int>(std::strlen(text)), 0, 0);
        SetTextTransparent(true);
        width = CharsWidth(text, static_cast<int>(std::strlen(text)));
        height = ScaleY(22) - ScaleY(12);  // the rows above the first line
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < 200; ++x) expected.push_back((ReadPixel16(DibPixelAddress(*scratch, x, y)) & 0x10) == 0);
        SetDrawWindow(previous);
        DeleteOffscreenWindow(scratch);
    });
    ASSERT_GT(width, 100);
    Shot("status_line.png");
    int ink = 0, mismatched = 0;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < std::min(width, 120); ++x) {
            const bool drawn = (Pixel(x0 + x, y0 + y) & 0x80) == 0;  // dark: the black label colour
            ink += expected[static_cast<std::size_t>(y * 200 + x)];
            mismatched += drawn != (expected[static_cast<std::size_t>(y * 200 + x)] == 1);
        }
    EXPECT_GT(ink, 100);
    EXPECT_EQ(mismatched, 0);
}

// The status lines and the field-of-view label on both screens, in the Sky
// Map and the Whole Sky, after the chart opens at zoom 9 (the widest label,
// "O<11, S<11"), a pick drawn in place, a tick of the telescope's cross and a
// pick with a shorter place text (decimal formats): the cells of the lines
// before and after hold just the new texts as drawn on a clean area, and the
// label's ink is all there. (A shorter line left the tail of the longer, at
// 480 x 640 the date line's background covered the top of the place line, and
// the place line cut the label.)
class StatusLines : public SkyChartTest, public ::testing::WithParamInterface<ChartScreen> {
protected:
    // Pixels of the cells of `before` and `now` (anchored at x, y) unlike `now`
    // drawn on a clean picture; with `label`, pixels of the label's ink unlike it.
    int Misdrawn(const StatusTexts& before, const StatusTexts& now, int x, int y, bool label) {
        int n = 0;
        Ui([&] {
            const int width = chartState.chartWidth, height = chartState.chartHeight, top = height - ScaleY(23);
            DrawWindowRecord* clean = CreateOffscreenDib(width, height, 16);
            DrawWindowRecord* previous = SetDrawWindow(clean);
            auto at = [clean](int u, int v) { return pl::GetPixel(clean->dc, u, v) & 0xF8F8F8; };
            SetForeColor(now.paper);
            FillRectangle(XywhRect{0, 0, width, height}, 0);
            const uint32_t paper = at(0, 0);
            SetTextColorRef(now.ink);
            SetTextTransparent(true);
            for (const StatusText& t : std::span(now.line, now.count)) {
                SelectFont(t.font);
                DrawPlainText(t.text, static_cast<int>(std::strlen(t.text)), x + t.dx, y + t.dy);
            }
            for (const StatusTexts* set : {&before, &now})
                for (const StatusText& t : std::span(set->line, set->count))
                    for (int v = y + t.dy; v < y + t.dy + t.height; ++v)
                        for (int u = x + t.dx; u < x + t.dx + t.width; ++u) n += at(u, v) != Pixel(u, v);
            FillRectangle(XywhRect{0, 0, width, height}, 0);
            DrawFovLabel(0, top, 9);
            for (int v = top; label && v < height; ++v)
                for (int u = 0; u < width / 2; ++u) n += at(u, v) != paper && at(u, v) != Pixel(u, v);
            SetDrawWindow(previous);
            DeleteOffscreenWindow(clean);
        });
        return n;
    }
};

TEST_P(StatusLines, StatusLinesAndTheFieldLabelReadWhole) {
    const ChartScreen sc = GetParam();
    Start(sc.width, sc.height, sc.dpi);
    const auto centre = PlaceAt(180, 60);
    Put({Entry("Centre", kDesignationNgc, 1, 2, centre.first, centre.second)}, 0);
    Open();
    auto tick = [] {
        InitDrawWindowOwnDc(GetCurrentFormDialog());
        scopeConnected = 1;
        DrawScopeMarker(chartSelection.rightAscension + 0.01f, chartSelection.declination + 0.05f);
        scopeConnected = 0;
    };
    const std::pair<std::string, std::function<void()>> events[] = {
        {"open", [this] { Zoom(9); }},
        {"pick", [&] { harness.tap(sc.width * 7 / 20, sc.height * 9 / 20); }},
        {"tick", [&] { Ui(tick); }},
        {"shorter", [&] {
             SetWord(kPrefRaFormat, 0);
             SetWord(kPrefDecFormat, 0);
             harness.tap(sc.width * 12 / 20, sc.height * 8 / 20);
         }}};
    for (int view : {0, 2}) {
        SetWord(kPrefRaFormat, 2);
        SetWord(kPrefDecFormat, 2);
        Choose(kChartViewsTrigger, kChartViewsList, 5 + view);
        const StatusTexts& kept = view < 2 ? chartStatusTexts : skyMapStatusTexts;
        const int place = view < 2 ? 0 : 1;  // the line with the place
        const XywhRect v = chartRecord.viewRect;
        for (const auto& [name, event] : events) {
            const StatusTexts before = name == "open" ? StatusTexts{} : kept;
            event();
            ASSERT_EQ(kept.count, 2) << name;
            EXPECT_STRNE(kept.line[place].text, before.line[place].text) << name;
            if (name == "shorter") {
                EXPECT_LT(kept.line[place].width, before.line[place].width);
            }
            EXPECT_EQ(Misdrawn(before, kept, v.x, v.y + v.height, name == "open"), 0) << view << " " << name;
        }
    }
}

// An entry and its name under the field-of-view label at zoom 9 ("FOV 5°" and
// its limits): the label's two lines read as on the chart's background alone
// (they were drawn over the chart's stars and names).
TEST_P(StatusLines, FieldLabelReadsOverWhatLiesUnderIt) {
    const ChartScreen sc = GetParam();
    Start(sc.width, sc.height, sc.dpi);
    const auto centre = PlaceAt(180, 60);
    Put({Entry("Centre", kDesignationNgc, 1, 2, centre.first, centre.second)}, 0);
    Open();
    Zoom(9);
    float ra = 0, dec = 0;
    Ui([&] { ChartPointToRaDec(ScaleX(10), chartState.chartHeight - ScaleY(12), &ra, &dec); });
    Put({Entry("Centre", kDesignationNgc, 1, 2, centre.first, centre.second),
         Entry("Under label", kDesignationNgc, 2, 2, ra, dec)},
        0);
    Zoom(9);
    int differing = 0;
    Ui([&] {
        const int height = chartState.chartHeight, top = height - ScaleY(23);
        DrawWindowRecord* clean = CreateOffscreenDib(sc.width, height, 16);
        DrawWindowRecord* previous = SetDrawWindow(clean);
        SetForeColor(chartRecord.palette.background);
        FillRectangle(XywhRect{0, 0, sc.width, height}, 0);
        DrawFovLabel(0, top, 9);
        float stars = 0, objects = 0;
        GetZoomMagnitudeLimits(9, &stars, &objects);
        const std::string lines[2] = {"FOV 5\xB0", "O<" + std::to_string(int(objects)) + ", S<" + std::to_string(int(stars))};
        const int font = SelectFont(0);
        for (int i = 0; i < 2; ++i)
            for (int v = top + i * ScaleY(10); v < top + i * ScaleY(10) + CharsHeight(); ++v)
                for (int u = 1; u < 1 + CharsWidth(lines[i].c_str(), static_cast<int>(lines[i].size())); ++u)
                    differing += (pl::GetPixel(clean->dc, u, v) & 0xF8F8F8) != Pixel(u, v);
        SelectFont(font);
        SetDrawWindow(previous);
        DeleteOffscreenWindow(clean);
    });
    EXPECT_EQ(differing, 0);
}

INSTANTIATE_TEST_SUITE_P(BothScreens, StatusLines, ::testing::ValuesIn(kChartScreens));

// The field-of-view label and the status lines at every zoom step of the Sky
// Map and the Whole Sky, on both screens, in the system face and in its wider
// stand-in (DejaVu Sans): the label's two lines are whole, apart from the
// status lines ("FOV 120°" ran into the date in the stand-in) and read as on
// the chart's background alone. In the system face the status lines keep 2
// scaleX of background either side, so that what they cut stops short of
// their letters (pieces of "Tuc" stood against the place text).
struct FaceAndScreen {
    bool standIn;
    ChartScreen screen;
};

class FieldLabelBoxes : public SkyChartTest, public ::testing::WithParamInterface<FaceAndScreen> {
protected:
    // Pixels of the label's ink unlike the label drawn alone at `top` on the
    // background (in a face taller than their spacing a line's cell cut into
    // the other's letters).
    int Misread(int top, int zoom, const std::vector<pl::TextRun>& label) {
        int n = 0;
        Ui([&] {
            const int width = chartState.chartWidth, height = chartState.chartHeight;
            DrawWindowRecord* clean = CreateOffscreenDib(width, height, 16);
            DrawWindowRecord* previous = SetDrawWindow(clean);
            SetForeColor(chartRecord.palette.background);
            FillRectangle(XywhRect{0, 0, width, height}, 0);
            SetTextTransparent(true);
            DrawFovLabel(0, top, zoom);
            for (const pl::TextRun& run : label)
                for (int v = run.ink.top; v < run.ink.bottom; ++v)
                    for (int u = run.ink.left; u < run.ink.right; ++u)
                        n += (pl::GetPixel(clean->dc, u, v) & 0xF8F8F8) != Pixel(u, v);
            SetDrawWindow(previous);
            DeleteOffscreenWindow(clean);
        });
        return n;
    }
    // The system face of the test, put back when the test ends.
    struct Face {
        explicit Face(bool standIn) { pl::SetTahomaFolder(standIn ? "/nonexistent/fonts/" : ""); }
        ~Face() { pl::SetTahomaFolder(""); }
    };
};

TEST_P(FieldLabelBoxes, LabelAndStatusLinesApartAtEveryZoom) {
    const FaceAndScreen p = GetParam();
    const Face face(p.standIn);
    Start(p.screen.width, p.screen.height, p.screen.dpi);
    Open();
    for (int view : {0, 2}) {
        Choose(kChartViewsTrigger, kChartViewsList, 5 + view);
        const StatusTexts& status = view < 2 ? chartStatusTexts : skyMapStatusTexts;
        for (int zoom = 0; zoom <= 12; ++zoom) {
            pl::StartTextLog();
            Zoom(zoom);
            std::vector<pl::TextRun> label, lines;
            for (const pl::TextRun& run : pl::LoggedTexts(pl::ScreenSurfaceSerial())) {
                if (run.text.rfind("FOV ", 0) == 0 || run.text.rfind("O<", 0) == 0 || run.text.rfind("All, S<", 0) == 0)
                    label.push_back(run);
                for (int i = 0; i < status.count; ++i)
                    if (run.text == status.line[i].text) lines.push_back(run);
            }
            pl::StopTextLog();
            if (zoom == 2)
                Shot(("fov_label_" + std::string(p.standIn ? "standin_" : "system_") +
                      std::to_string(p.screen.width) + "_" + std::to_string(view) + ".png").c_str());
            ASSERT_EQ((std::vector{label.size(), lines.size()}), (std::vector<size_t>{2, 2})) << view << " " << zoom;
            for (const pl::TextRun& l : label) {
                EXPECT_FALSE(l.cut) << l.text;
                EXPECT_LE(l.cell.bottom, chartState.chartHeight) << l.text;
                for (const pl::TextRun& s : lines)
                    EXPECT_TRUE(pl::Intersect(l.cell, s.cell).IsEmpty())
                        << view << " " << zoom << ": \"" << l.text << "\" meets \"" << s.text << "\"";
            }
            EXPECT_EQ(Misread(label[0].cell.top, zoom, label), 0) << view << " " << zoom;
            if (p.standIn) continue;
            const XywhRect v = chartRecord.viewRect;
            const uint32_t paper = pl::ToPixel888(status.paper) & 0xF8F8F8, ink = pl::ToPixel888(status.ink) & 0xF8F8F8;
            int foreign = 0, margin = 0;
            Ui([&margin] { margin = ScaleX(2); });
            for (const StatusText& t : std::span(status.line, status.count))
                for (int y = t.dy; y < t.dy + t.height; ++y)
                    for (int x = t.dx - margin; x < t.dx + t.width + margin; ++x)
                        foreign += Pixel(v.x + x, v.y + v.height + y) != paper && Pixel(v.x + x, v.y + v.height + y) != ink;
            EXPECT_EQ(foreign, 0) << view << " " << zoom;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(FacesAndScreens, FieldLabelBoxes,
                         ::testing::Values(FaceAndScreen{false, kChartScreens[0]}, FaceAndScreen{false, kChartScreens[1]},
                                           FaceAndScreen{true, kChartScreens[0]}, FaceAndScreen{true, kChartScreens[1]}));

TEST(ChartTimeLine, SiderealMinutesAreTruncated) {
    const struct {
        double lst;
        const char* text;
    } cases[] = {{23.9999, "05/03/24 21:10 LST:23:59  "},
                 {8.10689, "05/03/24 21:10 LST:08:06  "},
                 {0.0, "05/03/24 21:10 LST:00:00  "}};
    for (const auto& c : cases) {
        char text[64];
        FormatChartTimeLine(text, sizeof text, "05/03/24", 21, 10, c.lst);
        EXPECT_STREQ(text, c.text) << c.lst;
    }
}

// In the Horizon View an entry whose column lies left of the chart is drawn
// one 360-degree width to the right: centre at azimuth 350, entry at 10.
TEST_F(SkyChartForm, HorizonViewWrapsAnEntryLeftOfTheChart) {
    Start();
    const auto centre = PlaceAt(350, 30), wrapped = PlaceAt(10, 30);
    Put({Entry("Centre", kDesignationNgc, 1, 2, centre.first, centre.second),
         Entry("Wrapped", kDesignationNgc, 2, 2, wrapped.first, wrapped.second)},
        0);
    SetWord(kPrefChartBackground, 0);
    SetWord(kPrefChartZoom, 3);
    Ui([] { chartView = 1; });
    Open();
    const SelectionEntry& e = selectionList[1];
    int32_t width = 0;
    Ui([&width] { width = PanoramaWidth(); });
    ASSERT_LT(e.screenX, 0);
    const int x = e.screenX + width, y = e.screenY;
    ASSERT_GT(x, 0);
    ASSERT_LT(x, 220);
    EXPECT_GT(225 - Count(x - 7, y - 7, x + 8, y + 8, 0x000000), 10);  // the cluster's marker
    Shot("chart_horizon_240.png");
}

// The Telrad rings and the other overlays show their true size at the chart
// centre: the outer ring of 4 degrees (word 130 = 40 tenths) reaches the
// projection of the place 2 degrees north of the centre object.
TEST_F(SkyChartForm, TelradRingsShowTheirTrueSize) {
    Start();
    const auto centre = PlaceAt(180, 60);
    Put({Entry("Centre", kDesignationNgc, 1, 2, centre.first, centre.second)}, 0);
    SetWord(kPrefTelrad, 1);
    for (int i = 0; i < 3; ++i) SetWord(kPrefTelradRing1 + i, (i + 1) * 10 + (i == 2 ? 10 : 0));
    SetWord(kPrefChartZoom, 7);
    Open();
    int radius = 0;
    double reach = 0;
    Ui([&] {
        radius = static_cast<int>(40 * 6 * HorizonPixelsPerArcminHalf(chartApparentPlace.altitude));
        int32_t a, b, x, y;
        ASSERT_TRUE(ProjectHorizonPlace(chartTimeRecord.lstHours, centre.first, centre.second + 2.0f, 0, &a, &b));
        HorizonPointToScreen(a, b, &x, &y);
        reach = std::hypot(x - 120.0, y - 160.0);
    });
    EXPECT_GT(radius, 15);
    EXPECT_NEAR(radius, reach, 1.0);
    const uint32_t ink = 0x000000;  // black on the white scheme
    EXPECT_GT(Count(118, 160 - radius - 1, 123, 160 - radius + 2, ink), 0);  // the ring's top
    EXPECT_EQ(Count(118, 160 - radius - 6, 123, 160 - radius - 3, ink), 0);
}

// The sphere views are drawn by the sphere renderer about the current entry:
// in the Whole Sky it lies at the middle of the chart below the top strip
// (kept relative to the picture's corner). The centre is the altitude of date,
// a quarter of a degree from the mean one of the J2000 place.
TEST_F(SkyChartForm, WholeSkyCentresTheCurrentEntry) {
    Start();
    const auto place = PlaceAt(135, 45);
    Put({Entry("Other", kDesignationNgc, 2, 2, PlaceAt(200, 30).first, PlaceAt(200, 30).second),
         Entry("Centre", kDesignationNgc, 1, 2, place.first, place.second)},
        1);
    SetWord(kPrefChartZoom, 5);
    Ui([] { chartView = 2; });
    Open();
    EXPECT_EQ(chartState.chartSelectionIndex, 1);
    EXPECT_NEAR(chartRecord.centreLatitude, 45.0, 0.5);  // the altitude
    EXPECT_NEAR(selectionList[1].screenX, 120, 1);
    EXPECT_NEAR(selectionList[1].screenY, (320 - ScaleY(21)) / 2, 1);
    EXPECT_EQ(selectionList[1].horizonHidden, 0);
}

// Timer 1 runs at 1000 ms with the blinking cursor, else at 10000 ms; a tick
// 120 s on moves the chart time and redraws it.
TEST_F(SkyChartForm, TimerFollowsTheCursorModeAndTheClock) {
    Start();
    SetWord(kPrefCursor, 1);
    Open();
    EXPECT_EQ(chartTimerPeriodMs, 1000u);
    Close();
    SetWord(kPrefCursor, 0);
    Open();
    EXPECT_EQ(chartTimerPeriodMs, 10000u);
    const float lst = chartTimeRecord.lstHours;
    harness.advance(120000);
    EXPECT_EQ(currentDateTime.hour, 21);
    EXPECT_EQ(currentDateTime.minute, 12);
    EXPECT_NEAR((chartTimeRecord.lstHours - lst) * 3600.0, 120.33, 0.5);  // sidereal seconds in 120 s
}

// Choosing the zoom row already current redraws without asking for new projections.
TEST_F(SkyChartForm, SameZoomRowKeepsTheProjections) {
    Start();
    SetWord(kPrefChartZoom, 5);
    Open();
    ASSERT_EQ(chartTimeRecord.horizonProjectionReady, 1);
    Zoom(5);
    EXPECT_EQ(chartTimeRecord.horizonProjectionReady, 1);
    Zoom(6);
    EXPECT_EQ(chartState.chartZoomIndex, 6);
}

// The list filter: row 6 is shown again after a reopening; row 7 empties the
// list; rows 9 and 10 open the list manager in its two modes.
TEST_F(SkyChartForm, ListFilterRows) {
    Start();
    const auto high = PlaceAt(180, 60);
    Put({Entry("High", kDesignationNgc, 1, 2, high.first, high.second)}, 0);
    Open();
    Choose(kChartFilterTrigger, kChartFilterList, 6);
    EXPECT_EQ(selectionClassFilter, 6);
    Close();
    Open();
    EXPECT_EQ(Get(kChartFilterList), 6);
    Choose(kChartFilterTrigger, kChartFilterList, 7);
    EXPECT_EQ(selectionCount, 0);
    EXPECT_EQ(pl::ListViewGetItemCount(Item(kChartObjectList)), 0);
    EXPECT_EQ(selectionClassFilter, 0);
    for (int row : {9, 10}) {
        if (GetCurrentFormId() != kSkyChartFormId) Open();
        Choose(kChartFilterTrigger, kChartFilterList, row);
        EXPECT_EQ(GetCurrentFormId(), kListManagerForm) << row;
        EXPECT_EQ(listManagerMode, row == 9 ? kListManagerLists : kListManagerUserCatalogs);
        AnswerAll();
    }
}

// The tool-strip button hides the thirteen controls of the right-hand column
// and leaves the date, information and tool-strip buttons; again shows them.
TEST_F(SkyChartForm, ToolStripButtonHidesTheColumn) {
    Start();
    Open();
    const int column[] = {1872, 1874, 1923, 1915, 1887, 1881, 1891, 1894, 1889, 1890, 1893, 1886, 1892};
    FormCommand(kChartToolStrip);
    EXPECT_EQ(preferences.word[kPrefHideToolBar], 1);
    for (int id : column) EXPECT_FALSE(pl::IsWindowVisible(Item(id))) << id;
    for (int id : {1875, 1873, 1918}) EXPECT_TRUE(pl::IsWindowVisible(Item(id))) << id;
    FormCommand(kChartToolStrip);
    for (int id : column) EXPECT_TRUE(pl::IsWindowVisible(Item(id))) << id;
}

// A new screen rebuilds the chart at its size; the column moves by the width
// difference and the bottom buttons by both (240 x 320 design at the dpi's scale).
TEST_F(SkyChartForm, NewScreenRebuildsTheChartAndMovesTheControls) {
    Start();
    Open();
    const struct {
        int width, height, dpi, dx, dy;
    } screens[] = {{480, 640, 192, 0, 0}, {480, 640, 96, 240, 320}};
    for (const auto& sc : screens) {
        harness.changeScreen(sc.width, sc.height, sc.dpi);
        ASSERT_EQ(GetCurrentFormId(), kSkyChartFormId);
        EXPECT_EQ(chartState.chartWidth, sc.width);
        EXPECT_EQ(chartState.chartHeight, sc.height);
        ASSERT_NE(chartRecord.offscreen, nullptr);
        EXPECT_EQ(chartRecord.offscreen->right, sc.width);
        const double unit = 1.75 * sc.dpi / 96.0;
        auto left = [](int id) {
            pl::Rect r;
            pl::GetWindowRect(Item(id), &r);
            return std::pair{r.left, r.top};
        };
        for (int id : {1872, 1892, 1886}) EXPECT_NEAR(left(id).first, 126 * unit + sc.dx, 1) << id;
        const int bottom[][2] = {{1873, 102}, {1918, 114}, {1875, 126}};
        for (const auto& b : bottom) {
            EXPECT_NEAR(left(b[0]).first, b[1] * unit + sc.dx, 1) << b[0];
            EXPECT_NEAR(left(b[0]).second, 172 * unit + sc.dy, 1) << b[0];
        }
        Shot(sc.dpi == 192 ? "chart_480_192.png" : "chart_480_96.png");
    }
}

// Ok of the preference pages goes back to the form they were opened from.
TEST_F(SkyChartForm, PreferencePagesReturnWhereTheyCameFrom) {
    Start();
    Open();
    FormCommand(kChartPreferences);
    ASSERT_EQ(GetCurrentFormId(), 1476);
    FormCommand(1338);  // Next
    ASSERT_EQ(GetCurrentFormId(), 1337);
    FormCommand(1340);  // Ok
    EXPECT_EQ(GetCurrentFormId(), kSkyChartFormId);
    Close();
    MainCommand(1001);
    ASSERT_EQ(GetCurrentFormId(), 1400);
    FormCommand(1426);  // Next
    FormCommand(1517);  // Prev
    ASSERT_EQ(GetCurrentFormId(), 1400);
    FormCommand(1425);  // Ok
    EXPECT_EQ(GetCurrentFormId(), 1950);
}

// Opened again from the observing list (chart, Edit List, the list's Sky),
// the chart is where the forms of its tool strip come back to (they went back
// to the list), and Ctrl+Q, read as a choice of popup list 1 before, goes back
// to the list as the chart's Back.
TEST_F(SkyChartForm, FormsOpenedFromTheChartComeBackToIt) {
    Start();
    Open();
    Choose(kChartFilterTrigger, kChartFilterList, 8);  // Edit List
    FormCommand(kListSky);
    const int opened[][3] = {{kChartPreferences, 1476, 1479},
                             {kChartLogEntry, kObserverLogForm, kLogCancel},
                             {kChartLogEntry, kObserverLogForm, kLogBack}};
    for (const auto& o : opened) {
        FormCommand(o[0]);
        ASSERT_EQ(GetCurrentFormId(), o[1]) << BoxText();
        FormCommand(o[2]);
        EXPECT_EQ(GetCurrentFormId(), kSkyChartFormId) << o[1] << " " << o[2];
    }
    harness.keyDown(pl::VK_CONTROL);
    harness.key('Q');
    harness.keyUp(pl::VK_CONTROL);
    EXPECT_EQ(GetCurrentFormId(), kObservingListFormId);
}

// The Horizon View's scale on both screens at zoom steps 1 to 6: every
// compass letter drawn stands, 5 (one letter) or 11 (two) scaleX left of its
// place, at the azimuth it names within a pixel, the place read from the
// degree labels drawn beside the ticks (2 scaleX right of theirs); the
// intercardinal letters among them. "NE", "SE", "SW" and "NW" stood at 50,
// 140, 230 and 320 degrees.
class HorizonScaleOnBothScreens : public OnBothScreens<SkyChartTest> {};

TEST_P(HorizonScaleOnBothScreens, IntercardinalLettersStoodFiveDegreesOff) {
    Start(GetParam().width, GetParam().height, GetParam().dpi);
    Ui([] { chartView = 1; });
    Open();
    static const std::vector<std::string> kLetters = {"N", "NE", "E", "SE", "S", "SW", "W", "NW"};
    int intercardinals = 0;
    for (int zoom = 1; zoom <= 6; ++zoom) {
        SCOPED_TRACE(zoom);
        Ui([] { pl::StartTextLog(); });
        Zoom(zoom);
        std::vector<std::pair<double, double>> ticks;  // (x of the tick, azimuth unwrapped)
        std::vector<std::pair<std::string, int>> letters;
        Ui([&] {
            for (const pl::TextRun& run : pl::LoggedTexts(pl::ScreenSurfaceSerial())) {
                if (run.cell.top != ScaleY(21)) continue;
                if (run.text.back() == '\xB0') ticks.push_back({run.cell.left - ScaleX(2), std::stod(run.text)});
                else if (std::find(kLetters.begin(), kLetters.end(), run.text) != kLetters.end())
                    letters.push_back({run.text, run.cell.left + ScaleX(run.text.size() == 1 ? 5 : 11)});
            }
            pl::StopTextLog();
        });
        std::sort(ticks.begin(), ticks.end());
        ASSERT_GE(ticks.size(), 2u);
        for (std::size_t k = 1; k < ticks.size(); ++k)  // labels are read 0..359: unwrap them along the scale
            ticks[k].second = ticks[k - 1].second + std::remainder(ticks[k].second - ticks[k - 1].second, 360.0);
        const double pxPerDegree = (ticks.back().first - ticks.front().first) / (ticks.back().second - ticks.front().second);
        for (const auto& [letter, x] : letters) {
            const double azimuth = ticks.front().second + (x - ticks.front().first) / pxPerDegree;
            const long eighth = std::lround(azimuth / 45.0);
            EXPECT_EQ(letter, kLetters[static_cast<std::size_t>((eighth % 8 + 8) % 8)]) << azimuth;
            EXPECT_NEAR((azimuth - 45.0 * eighth) * std::fabs(pxPerDegree), 0.0, 1.0) << letter << " " << azimuth;
            intercardinals += letter.size() == 2;
        }
    }
    EXPECT_GT(intercardinals, 0);
}

INSTANTIATE_TEST_SUITE_P(BothScreens, HorizonScaleOnBothScreens, ::testing::ValuesIn(kBothScreens));

}  // namespace
