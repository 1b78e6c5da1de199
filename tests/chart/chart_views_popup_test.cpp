// The views and settings popup of the sky chart (list 1914) in the running
// program (the sky of sky_chart_fixture.h): the switches between views, the
// forms its rows open and the night colours.
#include "chart/chart_views_popup.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <tuple>

#include "catalog/designations.h"
#include "chart/chart_status.h"
#include "chart/sphere_projection.h"
#include "ephemeris/planet_names.h"
#include "objects/object_info_form.h"
#include "platform/dialog.h"
#include "platform/focus.h"
#include "sky_chart_fixture.h"
#include "support/reference_table.h"
#include "ui/control_records.h"
#include "ui/popup_list.h"

namespace {

using namespace sky_chart_test;

constexpr int kWhiteBackground = 2;
constexpr double kFixToHours = 12.0 / 3.14159265358979323846 / 16777216.0;
constexpr double kFixToDegrees = 180.0 / 3.14159265358979323846 / 16777216.0;

class ChartViewsPopup : public SkyChartTest {
protected:
    void Row(int row) { Choose(kChartViewsTrigger, kChartViewsList, row); }
    // The place under the middle of the sphere view: hours and degrees.
    static std::pair<double, double> CentrePlace() {
        int32_t rect[4];
        GetChartCentre(nullptr, nullptr, rect);
        Fix24Angle ra = 0, dec = 0;
        SkyMapPointToRaDec(rect[0] + rect[2] / 2, rect[1] + rect[3] / 2, &ra, &dec);
        return {ra * kFixToHours, dec * kFixToDegrees};
    }
};

// From the Whole Sky (horizontal frame) to the Equatorial Sky the place in
// the middle of the view stays there, wherever the view was turned; with a
// list row current the chart keeps it. From the Sky Map to the Whole Sky the
// stored centre words are kept.
TEST_F(ChartViewsPopup, SwitchingViewsKeepsTheCentre) {
    Start();
    const auto place = PlaceAt(120, 40);
    Put({Entry("Side", kDesignationNgc, 1, 2, place.first, place.second)}, -1);
    SetWord(kPrefChartZoom, 5);
    Open();
    const ObjectRecord selection = chartSelection;
    const float longitude = chartRecord.centreLongitude, latitude = chartRecord.centreLatitude;
    Row(7);
    ASSERT_EQ(chartView, 2);
    EXPECT_EQ(chartRecord.centreLongitude, longitude);
    EXPECT_EQ(chartRecord.centreLatitude, latitude);
    EXPECT_EQ(chartSelection.rightAscension, selection.rightAscension);
    EXPECT_EQ(chartSelection.declination, selection.declination);

    for (float turn : {35.0f, 250.0f}) {
        SCOPED_TRACE(turn);
        Row(7);
        Ui([turn] {
            chartRecord.centreLongitude = turn;
            chartRecord.centreLatitude = 30.0f;
            InitDrawWindowOwnDc(GetCurrentFormDialog());
            RedrawSkyChart();
        });
        const auto before = CentrePlace();
        Row(9);
        ASSERT_EQ(chartView, 4);
        const auto after = CentrePlace();
        EXPECT_LT(SeparationArcsec(before.first, before.second, after.first, after.second), 36.0);
    }
    Ui([] { selectionCurrentRow = 0; });
    Row(5);
    EXPECT_EQ(chartView, 0);
    EXPECT_EQ(selectionCurrentRow, 0);
    EXPECT_EQ(std::string(chartSelection.name), "Side");
}

// Rows 2 to 4 open preference pages 1450, 1620 and 1476, whose Ok comes back
// to the chart; row 0 opens the home form.
TEST_F(ChartViewsPopup, RowsOpenThePagesAndTheHomeForm) {
    Start();
    const struct {
        int row, form;
    } pages[] = {{2, 1450}, {3, 1620}, {4, 1476}};
    for (const auto& p : pages) {
        Open();
        Row(p.row);
        ASSERT_EQ(GetCurrentFormId(), p.form) << BoxText();
        FormCommand(pl::IDOK);
        EXPECT_EQ(GetCurrentFormId(), kSkyChartFormId);
    }
    Row(0);
    EXPECT_EQ(GetCurrentFormId(), 1950);
}

// "NightMode", "2", OK: the chart opens again in the night colours, the white
// background becoming dark red (140, 0, 0).
TEST_F(ChartViewsPopup, NightModeReopensTheChartInRed) {
    Start();
    SetWord(kPrefChartBackground, kWhiteBackground);
    Open();
    ASSERT_EQ(Background(), 0xE8E8E8u);  // (238, 238, 238) by day
    const pl::Hwnd chart = GetCurrentFormDialog();
    Row(1);
    const pl::Hwnd dialog = pl::GetActiveWindow();
    ASSERT_NE(dialog, chart);
    Ui([dialog] { pl::SendMessage(dialog, pl::WM_COMMAND, 139, 0); });
    EXPECT_EQ(pl::GetDlgItemText(dialog, 136), "Current Mode: <Medium> mode");
    Ui([dialog] { pl::SendMessage(dialog, pl::WM_COMMAND, pl::IDOK, 0); });
    EXPECT_EQ(GetCurrentFormId(), kSkyChartFormId);
    EXPECT_NE(GetCurrentFormDialog(), chart);
    EXPECT_EQ(preferences.word[kPrefNightMode], 2);
    EXPECT_EQ(Background(), 0x880000u);  // (140, 0, 0) at 5 bits a channel
}

// The Sun (London, 2026-12-07 18:00, below the horizon) chosen in the Whole
// Sky, then the Visible Sky and the Horizon View, on both screens, against
// PyEphem (scripts/reference/chart_selection_pyephem.py): after each change
// the selection, the status line's altitude and azimuth and object
// information are the Sun's. The view centre's frame angles once became the
// selection's place, and the Horizon View centred on that place, named "Sun".
class SelectionThroughViews : public ChartViewsPopup,
                              public ::testing::WithParamInterface<std::tuple<ChartScreen, int>> {};

TEST_P(SelectionThroughViews, SunKeepsItsPlaceAndRecord) {
    const ReferenceTable ref = ReadReferenceTable(ZENDAVORI_SOURCE_DIR, "chart_selection_pyephem.csv");
    ASSERT_EQ(ref.rows.size(), 1u);
    const auto sun = [&ref](const char* column) { return ref.Get(0, column); };
    const auto [screen, changes] = GetParam();
    Start(screen.width, screen.height, screen.dpi);
    // Decimal places; the status lines read altitude and azimuth.
    for (int word : {kPrefRaFormat, kPrefDecFormat}) SetWord(word, 0);
    for (int word : {kPrefMountType, kPrefAltAzGrid}) SetWord(word, 1);
    SelectionEntry entry = ListEntry(planetNameTable[0], kDesignationPlanet, 0, 27, 0.0f, 0.0f);
    entry.source = kSourcePlanet;
    Put({entry}, 0);
    Ui([] { SetTestSite(51.5074, 0.1278, 0); });
    MoveTo(int(sun("year")), int(sun("month")), int(sun("day")), int(sun("hour")));
    Open();
    Row(7);  // the Whole Sky
    Choose(kChartObjectTrigger, kChartObjectList, 0);
    ASSERT_EQ(selectionCurrentRow, 0);
    const int rows[] = {8, 6};  // Visible Sky, Horizon View
    for (int k = 0; k <= changes; ++k) {
        if (k > 0) Row(rows[k - 1]);
        SCOPED_TRACE(::testing::Message() << "view " << chartView);
        EXPECT_EQ(std::string(chartSelection.name) + " " + std::to_string(chartSelection.designationId) + " " +
                      std::to_string(chartSelection.number),
                  "Sun 45 0");
        EXPECT_LT(SeparationArcsec(chartSelection.rightAscension, chartSelection.declination, sun("ra_h"),
                                   sun("dec_deg")), 60.0);
        double alt = -999, az = -999;
        const StatusText& line = chartView >= 2 ? skyMapStatusTexts.line[1] : chartStatusTexts.line[0];
        std::sscanf(line.text, "%lf %lf", &alt, &az);
        EXPECT_NEAR(alt, sun("alt_deg"), 1.0 / 60.0);
        EXPECT_NEAR(az, sun("az_deg"), 1.0 / 60.0);
    }
    FormCommand(kChartObjectInfo);
    ASSERT_EQ(GetCurrentFormId(), kObjectInfoFormId) << BoxText();
    const auto field = [](int id) { return pl::GetWindowText(pl::GetDlgItem(GetCurrentFormDialog(), id)); };
    EXPECT_EQ(std::string(RecordOf<PopupRecord>(Item(kInfoObjectTrigger))->label), "Sun");
    EXPECT_NEAR(std::strtod(field(kInfoRa).c_str(), nullptr), sun("ra_h"), 1.0 / 60.0 / 15.0);
    EXPECT_NEAR(std::strtod(field(kInfoDistance).c_str(), nullptr), sun("distance_au"), 1e-3);
    EXPECT_NE(field(kInfoDistance).find(" AU"), std::string::npos) << field(kInfoDistance);
}

INSTANTIATE_TEST_SUITE_P(BothScreens, SelectionThroughViews,
                         ::testing::Combine(::testing::ValuesIn(kChartScreens), ::testing::Values(0, 1, 2)));

}  // namespace
