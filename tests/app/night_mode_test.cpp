// Night mode ("Bright") at 480 x 640, 192 dpi (the eclipse views on both
// screens): the sky chart with a Messier
// object of the list selected (its thumbnail and caption top left) and the
// eclipse map of 2006 March 29 (row 1 of the list from 2006) show no pixel
// with more green or blue than the drawing layer's night colours.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "catalog/designations.h"
#include "chart/sky_chart_fixture.h"
#include "eclipse/eclipse_form.h"
#include "eclipse/eclipse_list.h"
#include "platform/focus.h"
#include "support/both_screens.h"
#include "objects/finder_form.h"
#include "objects/object_info_form.h"
#include "tools/twilight_form.h"
#include "ui/colors.h"
#include "ui/night_colors.h"

namespace {

using namespace sky_chart_test;

// 5-bit channels of a COLORREF (0x00BBGGRR) and of a screen pixel (0x00RRGGBB).
uint32_t Green(uint32_t colour) { return (colour >> 8) & 0xF8u; }
uint32_t ColourBlue(pl::ColorRef c) { return (c >> 16) & 0xF8u; }
uint32_t PixelBlue(uint32_t p) { return p & 0xF8u; }

class NightMode : public SkyChartTest {
protected:
    void SetUp() override { StartOn(pl::kWindowScreen); }
    void StartOn(const pl::ScreenInfo& screen) {
        screen_ = screen;
        Start(screen.width, screen.height, screen.dpi);
        const auto high = PlaceAt(180, 60);
        SelectionEntry m42 = Entry("Orion Nebula", kDesignationMessier, 42, 19, high.first, high.second);
        m42.source = kSourceMessier, m42.sourceIndex = 42, m42.size1 = 60, m42.size2 = 40;
        Put({m42}, 0);
        Ui([] {
            ResetEclipseForm();
            preferences.word[kPrefNightMode] = 3;
            ApplyNightModeColors(3);
        });
    }
    void TearDown() override { Ui([] { ApplyNightModeColors(preferences.word[kPrefNightMode] = 0); }); }
    // Pixels with more green or blue than any colour of the night set; and
    // how many show its pen colour, the night red of the labels.
    std::pair<int, int> Count() const {
        uint32_t green = 0, blue = 0;
        for (pl::ColorRef c : {GetBackgroundColor(), GetForegroundColor(), GetHighlightColor(), GetHighlightTextColor()})
            green = std::max(green, Green(c)), blue = std::max(blue, ColourBlue(c));
        const pl::ColorRef c = GetForegroundColor();
        const uint32_t pen = ((c & 0xF8u) << 16) | Green(c) << 8 | ColourBlue(c);
        int beyond = 0, ink = 0;
        for (int y = 0; y < screen_.height; ++y)
            for (int x = 0; x < screen_.width; ++x) {
                const uint32_t p = harness.pixel(x, y) & 0xF8F8F8u;
                beyond += Green(p) > green || PixelBlue(p) > blue;
                ink += p == pen;
            }
        return {beyond, ink};
    }
    // The chart opened anew in a view, colour scheme (word 26) and zoom step,
    // its text opaque as the program starts.
    std::function<void()> Chart(int view, int background, int zoom) {
        return [=, this] {
            Close();
            SetWord(kPrefChartBackground, background);
            SetWord(kPrefChartZoom, zoom);
            Ui([view] {
                chartState.zoomSlotSky = chartState.zoomSlotHorizon = -1;
                chartView = view;
                SetTextTransparent(false);
            });
            Open();
        };
    }
    // Row `row` of a popup of the current form chosen by two taps.
    void Choose(int trigger, int list, int row) {
        Tap(Centre(pl::GetDlgItem(GetCurrentFormDialog(), trigger)));
        Tap(RowCentre(pl::GetDlgItem(GetCurrentFormDialog(), list), row));
    }
    // The eclipse form on the list of the eclipses from `year`.
    void EclipseList(int year) {
        MainCommand(1029);
        Tap(Centre(pl::GetDlgItem(GetCurrentFormDialog(), 2708)));
        Ui([year] {
            pl::Hwnd box = pl::GetActiveWindow();
            pl::SetDlgItemText(box, 137, std::to_string(year).c_str());
            pl::SendMessage(box, pl::WM_COMMAND, pl::IDOK, 0);
        });
    }
    // Row `row` of the eclipse list selected (in the list's own view), shown
    // in view `view`.
    void EclipseView(int row, int view) {
        for (int shown : {static_cast<int>(kEclipseListView), view}) {
            Choose(2702, 2703, shown);
            if (shown == kEclipseListView) Tap(RowCentre(pl::GetDlgItem(GetCurrentFormDialog(), 2704), row));
        }
    }
    void EclipseMap() {
        MainCommand(1029);
        EclipseView(1, kEclipseMapView);
    }
    // The screen (saved as `shot`) shows no colour beyond the night set's, and
    // the night pen's red in more than 200 pixels (50 on the small screen).
    void ExpectOnlyNightReds(const char* shot) {
        Shot(shot);
        const auto [beyond, ink] = Count();
        EXPECT_EQ(beyond, 0);
        EXPECT_GT(ink, 200 * screen_.width * screen_.height / (480 * 640));
    }
    pl::ScreenInfo screen_;
};

class NightModeOnBothScreens : public OnBothScreens<NightMode> {
protected:
    void SetUp() override { StartOn(GetParam()); }
};

// A case of the tests: what is shown, and how.
struct NamedView {
    const char* name;
    std::function<void()> show;
};

// The chart drew the constellations' names, the grid's labels and the
// selection's caption on white boxes, and kept the dark blue ground; the
// eclipse map wrote its time labels in white and its tap panel drew a yellow
// Sun and a grey Moon.
TEST_F(NightMode, ChartAndEclipseMapShowOnlyTheNightReds) {
    const NamedView cases[] = {
        {"Sky Map, white scheme, 180 deg", Chart(0, 2, 0)},
        {"Sky Map, white scheme, 1 deg", Chart(0, 2, 12)},
        {"Sky Map, dark blue scheme, 1 deg", Chart(0, 1, 12)},
        {"Horizon View, black scheme, 180 deg", Chart(1, 0, 0)},
        {"Whole Sky, dark blue scheme, 1 deg", Chart(2, 1, 12)},
        {"eclipse map", [this] { EclipseMap(); }},
        {"eclipse map with a tapped place's panel", [this] { Tap(pl::Point{150, 380}); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        c.show();
        ExpectOnlyNightReds("night_mode.png");
    }
}


// Texts that a view draws opaque on the context's own background (month
// letters and hours of the visibility pictures, the twilight table, the place
// of a lunar eclipse's "All Eclipse Visible") lay white boxes at night, the
// context keeping its day background; the visibility pictures' labels were
// black. Text is opaque until a chart drawing makes it transparent.
TEST_F(NightMode, EveryViewsTextBoxesAreTheNightGround) {
    const NamedView cases[] = {
        {"observing list, M42's panel", [this] { MainCommand(1004); }},
        {"object information, Jupiter", [&] {
             MainCommand(1007);
             Choose(kInfoTabTrigger, kInfoTabList, 7);
             Choose(kInfoObjectTrigger, kInfoObjectList, 5);
         }},
        {"finder, Jupiter", [&] {
             MainCommand(1014);
             Choose(kFinderCatalogTrigger, kFinderCatalogList, 5);
             Choose(kFinderObjectTrigger, kFinderObjectList, 5);
         }},
        {"day and night", [this] { MainCommand(1024); }},
        {"lunar eclipse path of 2026 March 3", [&] {
             EclipseList(2026);
             EclipseView(1, kEclipsePathView);
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Ui([] { SetTextTransparent(false); });  // as the program starts, before a chart drawing
        c.show();
        ExpectOnlyNightReds("night_mode_views.png");
    }
}

// The solar Path drew its texts and band in white (8,213 pixels for 2027
// August 2), the Diagram the globe's non-central band lines in light grey,
// and a message box's focus rectangle inverted the night red of its button
// to cyan. The eclipses of 2027: the annular of February 6, the penumbral
// lunar of February 20 and the total of August 2 (NASA's Five Millennium
// Canon of eclipses).
TEST_P(NightModeOnBothScreens, EveryEclipseViewAndMessageBoxShowOnlyTheNightReds) {
    EclipseList(2027);
    const auto row = [](int month, int day) {
        for (int i = 0; i < eclipseCount; ++i)
            if (eclipseList[i].month == month && eclipseList[i].day == day) return i;
        return -1;
    };
    ASSERT_EQ(eclipseList[0].year, 2027);
    const struct {
        int month, day;
        std::vector<int> views;
    } eclipses[] = {
        {8, 2, {kEclipseInfoView, kEclipsePathView, kEclipseMapView, kEclipseDiagramView}},
        {2, 6, {kEclipseInfoView, kEclipsePathView, kEclipseMapView, kEclipseDiagramView}},
        {2, 20, {kEclipseInfoView, kEclipsePathView, kEclipseDiagramView, kEclipseMapView}},
    };
    for (const auto& e : eclipses)
        for (int view : e.views) {
            SCOPED_TRACE(std::to_string(e.month) + "/" + std::to_string(e.day) + " view " + std::to_string(view));
            ASSERT_GE(row(e.month, e.day), 0);
            EclipseView(row(e.month, e.day), view);
            const bool refused = e.day == 20 && view == kEclipseMapView;
            EXPECT_EQ(BoxText(), refused ? "This module is not available for moon eclipse\n" : "");
            ExpectOnlyNightReds("night_mode_eclipse.png");
            AnswerAll();
        }
}

INSTANTIATE_TEST_SUITE_P(BothScreens, NightModeOnBothScreens, ::testing::ValuesIn(kBothScreens));

}  // namespace
