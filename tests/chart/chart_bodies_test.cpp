// The Sun, the Moon and the planets on the sky chart (form 1900) at London on
// the 480 x 640 screen, in all five views, against PyEphem's places
// (scripts/reference/chart_bodies_pyephem.py). A drawn thing is found as the
// box of the pixels that change when only it is left out of the drawing.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "catalog/designations.h"
#include "chart/chart_clock.h"
#include "chart/chart_redraw.h"
#include "chart/chart_state.h"
#include "chart/horizon_projection.h"
#include "chart/sky_angles.h"
#include "chart/sphere_projection.h"
#include "ephemeris/planet_names.h"
#include "objects/moving_entries.h"
#include "platform/window.h"
#include "sky_chart_fixture.h"
#include "support/reference_table.h"

namespace {

using namespace sky_chart_test;

constexpr int kWidth = 480, kHeight = 640, kTop = 42, kAboveStatus = 580;  // chart rows above the status lines
constexpr int kRegulus = 100;       // its record in the star file, clear of the records figure lines name
constexpr int kNothingDrawn = 14;   // a constellation entry: no symbol
constexpr int kNarrowest = 13, kFiveDegrees = 9, kEastDown = 2;
constexpr int kLondonZone = 0;
constexpr double kLondonLatitude = 51.5074, kLondonWest = 0.1278;

struct Point {
    double x, y;
    int count;
};

class ChartBodies : public SkyChartTest {
protected:
    const ReferenceTable ref = ReadReferenceTable(ZENDAVORI_SOURCE_DIR, "chart_bodies_pyephem.csv");

    // The chart open at London on the 480 x 640 screen; the star file holds
    // Regulus at its J2000 place, every other star at the south pole.
    void StartLondon(float regulusRa = 0.0f, float regulusDec = -89.0f) {
        std::vector<record_writer::Bytes> records;
        for (int i = 0; i < kBrightStarCount; ++i) {
            record_writer::StarFile s;
            s.hr = static_cast<int16_t>(i + 1);
            s.decDegrees = -89.0f, s.magnitude16 = 15 * 16;
            if (i == kRegulus) s.raHours = regulusRa, s.decDegrees = regulusDec, s.magnitude16 = 22;
            records.push_back(record_writer::StarBytes(s));
        }
        WriteFile(folder.path() / "data" / "zendavori_default_stars.ppc", record_writer::RecordDbBytes(1, 44, records));
        Boot(kWidth, kHeight, 192);
        Ui([] { SetTestSite(kLondonLatitude, kLondonWest, kLondonZone); });
    }
    // The list holds `entries` (bodies moved to the device time), row 0 current, at `time`.
    void ListAt(const pl::LocalTime& time, std::vector<SelectionEntry> entries) {
        harness.setLocalTime(time);
        Put(entries, 0);
        Ui([] {
            dateTimeFixed = 0;
            RestartChartTime();
            const DateTime& t = currentDateTime;
            RefreshMovingSelectionEntries(t.year, t.month, t.day, t.hour, t.minute, t.second);
        });
    }
    static SelectionEntry Body(int body) {
        SelectionEntry e = ListEntry(planetNameTable[body], kDesignationPlanet, body, 27, 0.0f, 0.0f);
        e.sourceIndex = static_cast<uint16_t>(body);
        return e;
    }
    void ViewAndZoom(int view, int zoom) {
        Choose(kChartViewsTrigger, kChartViewsList, 5 + view);
        Zoom(zoom);
    }
    std::vector<uint32_t> Pixels() const {
        std::vector<uint32_t> p;
        for (int y = 0; y < kHeight; ++y)
            for (int x = 0; x < kWidth; ++x) p.push_back(harness.pixel(x, y));
        return p;
    }
    // Centre of the box of the chart pixels (left of the tool column, above the
    // status lines) that the drawing loses while `leaveOut` holds.
    Point Drawn(const std::function<void()>& leaveOut, const std::function<void()>& putBack) {
        Redraw();
        const std::vector<uint32_t> with = Pixels();
        Ui(leaveOut);
        Redraw();
        const std::vector<uint32_t> without = Pixels();
        Ui(putBack);
        const int left = ToolColumnLeft();
        int x0 = kWidth, y0 = kHeight, x1 = -1, y1 = -1, n = 0;
        for (int y = kTop; y < kAboveStatus; ++y)
            for (int x = 0; x < left; ++x)
                if (with[y * kWidth + x] != without[y * kWidth + x])
                    ++n, x0 = std::min(x0, x), y0 = std::min(y0, y), x1 = std::max(x1, x), y1 = std::max(y1, y);
        return {(x0 + x1) / 2.0, (y0 + y1) / 2.0, n};
    }
    int ToolColumnLeft() {
        int left = 0;
        Ui([&left] { left = ChartToolColumnLeft(); });
        return left;
    }
    Point Symbol(int row) {
        return Drawn([row] { selectionList[row].objectType = kNothingDrawn; },
                     [row] { selectionList[row].objectType = 27; });
    }
    Point Cross() {
        return Drawn([] { preferences.word[kPrefCursor] = 2; }, [] { preferences.word[kPrefCursor] = 0; });
    }
    Point Regulus() {
        return Drawn([] { preferences.word[kPrefStars] = 1; }, [] { preferences.word[kPrefStars] = 0; });
    }
    // The sky place (hours, degrees) under a screen point, by the view's own inverse projection.
    std::pair<double, double> SkyAt(const Point& p) {
        std::pair<double, double> place;
        Ui([&] {
            if (chartView < 2) {
                float ra, dec;
                ChartPointToRaDec(static_cast<int>(p.x), static_cast<int>(p.y), &ra, &dec);
                place = {ra, dec};
                return;
            }
            Fix24Angle ra, dec;
            SkyMapPointToRaDec(static_cast<int>(p.x), static_cast<int>(p.y), &ra, &dec);
            place = {ra / 4392264.877774095, dec / 292817.65851827303};
        });
        return place;
    }
};

// Centred on the Sun, the Moon, Jupiter and Mars (7 December 2026) and on
// Jupiter in 2000 and 2050, each at its highest hour, the chart at 0.5 degree
// draws the body's symbol on the centre cross in every view. The sphere views
// once centred a body on its place of date precessed a second time, 0.36
// degree away: at this field, off the chart.
TEST_F(ChartBodies, BodyDrawnOnTheCentreCrossInEveryView) {
    StartLondon();
    ASSERT_EQ(ref.rows.size(), 7u);
    Open();
    for (std::size_t i = 0; i + 1 < ref.rows.size(); ++i) {
        const int body = static_cast<int>(ref.Get(i, "body"));
        SCOPED_TRACE(std::string(planetNameTable[body]) + " " + std::to_string(static_cast<int>(ref.Get(i, "year"))));
        ASSERT_GT(ref.Get(i, "alt_deg"), 10.0);
        ListAt(pl::LocalTime{static_cast<int>(ref.Get(i, "year")), static_cast<int>(ref.Get(i, "month")),
                             static_cast<int>(ref.Get(i, "day")), static_cast<int>(ref.Get(i, "hour")), 0, 0},
               {Body(body)});
        for (int view = 0; view < 5; ++view) {
            ViewAndZoom(view, kNarrowest);
            Ui([] { selectionList[0].size1 = selectionList[0].size2 = 0; });  // the symbol alone, no disc
            const Point symbol = Symbol(0), cross = Cross();
            ASSERT_GT(symbol.count, 0) << "view " << view << ": no symbol on the chart";
            EXPECT_LE(std::hypot(symbol.x - cross.x, symbol.y - cross.y), 2.0) << "view " << view;
        }
    }
}

// At 5 degrees, centred between Jupiter and Regulus (7 December 2026 01:00,
// Jupiter rising, the Sky Map turned with the east down), the angle between
// the drawn Jupiter and the drawn Regulus is the true one in every view: the
// Equatorial Sky once drew Jupiter's place of date among J2000 stars.
TEST_F(ChartBodies, JupiterDrawnAtItsTrueAngleFromRegulus) {
    const std::size_t pair = 6;
    ASSERT_EQ(ref.Text(pair, "case"), "pair");
    StartLondon(static_cast<float>(ref.Get(pair, "star_ra_h")), static_cast<float>(ref.Get(pair, "star_dec_deg")));
    Open();
    SelectionEntry middle = Entry("Middle", kDesignationNgc, 1, 16, static_cast<float>(ref.Get(pair, "mid_ra_h")),
                                  static_cast<float>(ref.Get(pair, "mid_dec_deg")));
    ListAt(pl::LocalTime{2026, 12, 7, 1, 0, 0}, {middle, Body(5)});
    for (int view = 0; view < 5; ++view) {
        ViewAndZoom(view, kFiveDegrees);
        if (view == 0) Choose(kChartDirectionTrigger, kChartDirectionList, kEastDown);
        const Point jupiter = Symbol(1), regulus = Regulus();
        ASSERT_TRUE(jupiter.count > 0 && regulus.count > 0) << "view " << view;
        const auto j = SkyAt(jupiter), r = SkyAt(regulus);
        EXPECT_NEAR(AngularSeparationDeg(j.first, j.second, r.first, r.second), ref.Get(pair, "separation_deg"), 0.05)
            << "view " << view;
    }
}

// Centred on the Sun at 0.5 degree its disc is far larger than the chart: no
// pixel of the tool column changes when it is drawn, in any view.
TEST_F(ChartBodies, SunDiscLeavesTheToolStripAlone) {
    StartLondon();
    Open();
    ListAt(pl::LocalTime{2026, 12, 7, 12, 0, 0}, {Body(0)});
    for (int view = 0; view < 5; ++view) {
        ViewAndZoom(view, kNarrowest);
        Redraw();
        const std::vector<uint32_t> with = Pixels();
        Ui([] { selectionList[0].objectType = kNothingDrawn; });
        Redraw();
        const std::vector<uint32_t> without = Pixels();
        Ui([] { selectionList[0].objectType = 27; });
        const int left = ToolColumnLeft();
        ASSERT_LT(left, kWidth);
        int changed = 0, disc = 0;
        for (int y = kTop; y < kHeight; ++y)
            for (int x = 0; x < kWidth; ++x) (x < left ? disc : changed) += with[y * kWidth + x] != without[y * kWidth + x];
        EXPECT_GT(disc, 100000) << "view " << view;
        EXPECT_EQ(changed, 0) << "view " << view;
    }
}

// The Visible Sky centred on the Sun below the horizon (turned to from the
// Whole Sky, which keeps the centre) at the narrowest field shows nothing of
// the sky: on the white background it is the chart's own light grey, as the
// Sky Map's, not a white page. Controls on the chart are left out.
TEST_F(ChartBodies, VisibleSkyBelowTheHorizonIsNoWhitePage) {
    StartLondon();
    Open();
    ListAt(pl::LocalTime{2026, 12, 7, 21, 0, 0}, {Body(0)});
    ViewAndZoom(2, kNarrowest);
    ViewAndZoom(3, kNarrowest);
    ASSERT_EQ(chartView, 3);
    EXPECT_LT(chartRecord.centreLatitude, -30.0f);
    std::vector<pl::Rect> controls;
    Ui([&controls] {
        for (pl::Hwnd c : pl::ChildWindows(GetCurrentFormDialog())) {
            pl::Rect r;
            if (pl::IsWindowVisible(c) && pl::GetWindowRect(c, &r)) controls.push_back(r);
        }
    });
    ASSERT_FALSE(controls.empty());
    int white = 0;
    for (int y = kTop; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) {
            const bool onControl = std::any_of(controls.begin(), controls.end(), [x, y](const pl::Rect& r) {
                return x >= r.left && x < r.right && y >= r.top && y < r.bottom;
            });
            white += !onControl && Pixel(x, y) == 0xF8F8F8;
        }
    EXPECT_EQ(white, 0);
}

}  // namespace
