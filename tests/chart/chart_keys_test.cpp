// The sky chart's keys and direction popup in the running program (the sky of
// sky_chart_fixture.h), and the drags of the sphere views.
#include "chart/chart_keys.h"

#include <gtest/gtest.h>

#include <cmath>

#include "catalog/designations.h"
#include "chart/chart_clock.h"
#include "chart/chart_scroll.h"
#include "chart/horizon_projection.h"
#include "core/horizontal.h"
#include "core/shared_state.h"
#include "objects/current_object.h"
#include "platform/window.h"
#include "sky_chart_fixture.h"

namespace {

using namespace sky_chart_test;

class ChartKeys : public SkyChartTest {
protected:
    // The list's one entry, "Centre" at (azimuth, altitude), current.
    void PutCentre(double azimuth, double altitude) {
        const auto place = PlaceAt(azimuth, altitude);
        Put({Entry("Centre", kDesignationNgc, 1, 2, place.first, place.second)}, 0);
    }
    // A sphere view with no current row, centred on (longitude, latitude).
    void OpenSphere(int view, float longitude, float latitude) {
        PutCentre(0, -60);
        Ui([view] {
            chartView = view;
            selectionCurrentRow = -1;
        });
        SetWord(kPrefChartZoom, 5);
        Open();
        Ui([=] {
            selectionCurrentRow = -1;
            chartRecord.centreLongitude = longitude;
            chartRecord.centreLatitude = latitude;
        });
        Redraw();
    }
    void Key(int vk, int holdPolls = 0) { harness.key(vk, holdPolls); }
    // Azimuth and altitude of the chart's selection at latitude 51.
    static double CentreAzimuth() {
        return ComputeAzimuth(chartTimeRecord.lstHours, chartSelection.rightAscension, chartSelection.declination, 51.0);
    }
    static double CentreAltitude() {
        return ComputeAltitude(chartTimeRecord.lstHours, chartSelection.rightAscension, chartSelection.declination, 51.0);
    }
};

// Zoom keys: 0xC4 at zoom 12 and 0xC3 at zoom 0 change nothing; 0xC3 at 5
// gives zoom 4 and row 4 of the zoom list, 0xC4 at 5 zoom 6.
TEST_F(ChartKeys, ZoomKeysStopAtTheEnds) {
    Start();
    PutCentre(180, 60);
    Open();
    const struct {
        int from, key, to;
    } cases[] = {{12, pl::VK_APP4, 12}, {0, pl::VK_APP3, 0}, {5, pl::VK_APP3, 4}, {5, pl::VK_APP4, 6}};
    for (const auto& c : cases) {
        Zoom(c.from);
        ASSERT_EQ(chartState.chartZoomIndex, c.from);
        Key(c.key);
        EXPECT_EQ(chartState.chartZoomIndex, c.to) << c.from << " " << c.key;
        EXPECT_EQ(Get(kChartZoomList), c.to) << c.from << " " << c.key;
    }
}

// Time Step 9 (a sidereal day), zoom 5, a bright star selected: 0xC2 moves the
// chart time on by 1436 minutes and the stars stay where they were within a
// pixel (the sidereal day is 1436.07 min, 1' of arc from a full turn).
TEST_F(ChartKeys, SiderealDayStepKeepsTheStarsInPlace) {
    Start();
    PutCentre(180, 89);
    SetWord(kPrefChartZoom, 5);
    Open();
    const StarRecord& star = brightStarTable[kChosen[0].index];
    harness.tap(star.screenX, star.screenY);
    ASSERT_EQ(static_cast<int>(chartSelection.objectType), 30);
    Redraw();
    const std::vector<std::pair<int, int>> before = ShownStarPoints();
    ASSERT_GE(before.size(), 4u);
    SetWord(kPrefTimeStep, 9);
    Key(pl::VK_APP2);
    EXPECT_EQ(currentDateTime.day, 6);
    EXPECT_EQ(currentDateTime.hour, 21);
    EXPECT_EQ(currentDateTime.minute, 6);
    const std::vector<std::pair<int, int>> after = ShownStarPoints();
    ASSERT_EQ(after.size(), before.size());
    for (std::size_t i = 0; i < before.size(); ++i) {
        EXPECT_NEAR(after[i].first, before[i].first, 1) << i;
        EXPECT_NEAR(after[i].second, before[i].second, 1) << i;
    }
    SetWord(kPrefTimeStep, 0);
}

// The steps of the Time Step kinds from 5 March 2024 21:10, back (0xC1) and on
// (0xC2): a minute, a day, a synodic month (29 d 764 min), 90 days (across the
// leap day of 2024); exactly, the 50 seconds since the chart clock's last step
// not added.
TEST_F(ChartKeys, TimeStepKindsMoveTheDateAndTimeExactly) {
    Start();
    PutCentre(180, 60);
    Open();
    const struct {
        int kind, key;
        DateTime expected;
    } cases[] = {{1, pl::VK_APP2, {2024, 3, 5, 21, 11, 0}},
                 {1, pl::VK_APP1, {2024, 3, 5, 21, 9, 0}},
                 {8, pl::VK_APP1, {2024, 3, 4, 21, 10, 0}},
                 {14, pl::VK_APP2, {2024, 4, 4, 9, 54, 0}},
                 {17, pl::VK_APP1, {2023, 12, 6, 21, 10, 0}}};
    for (const auto& c : cases) {
        Ui([] {
            currentDateTime = DateTime{2024, 3, 5, 21, 10, 0};
            RestartChartTime();
        });
        SetWord(kPrefTimeStep, c.kind);
        harness.advance(50000);
        Key(c.key);
        const DateTime& t = currentDateTime;
        EXPECT_EQ(std::vector<int>({t.year, t.month, t.day, t.hour, t.minute, t.second}),
                  std::vector<int>({c.expected.year, c.expected.month, c.expected.day, c.expected.hour,
                                    c.expected.minute, c.expected.second}))
            << c.kind;
        EXPECT_EQ(dateTimeFixed, 1);
    }
    SetWord(kPrefTimeStep, 0);
}

// Without a Time Step the hardware keys turn the Sky Map at zoom 5 by 3
// degrees a repeat: 0xC1 held for two more polls +9, then 0xC2 held for four
// -15, which wraps into 0..360 as 354.
TEST_F(ChartKeys, HardwareKeysTurnTheSkyMap) {
    Start();
    PutCentre(180, 60);
    SetWord(kPrefChartZoom, 5);
    Open();
    ASSERT_EQ(chartTimeRecord.chartRotation, 0);
    Key(pl::VK_APP1, 2);
    EXPECT_EQ(chartTimeRecord.chartRotation, 9);
    Key(pl::VK_APP2, 4);
    EXPECT_EQ(chartTimeRecord.chartRotation, 354);
    EXPECT_EQ(selectionCurrentRow, 0);
}

// Up held in the Visible Sky lowers the centre by a thirtieth of the field a
// repeat and stops at the horizon; Down held in the Whole Sky stops at 90.
TEST_F(ChartKeys, SphereCentreStopsAtTheHorizonAndTheZenith) {
    Start();
    OpenSphere(3, 40.0f, 10.0f);
    Key(pl::VK_UP, 20);
    EXPECT_EQ(chartRecord.centreLatitude, 0.0f);
    EXPECT_FLOAT_EQ(chartRecord.centreLongitude, 40.0f);
    Ui([] { chartView = 2; });
    Key(pl::VK_DOWN, 60);
    EXPECT_EQ(chartRecord.centreLatitude, 90.0f);
}

// Right held in the Horizon View at zoom 0 (1.6 pixels a degree): 81 repeats
// of 8 pixels move the centre by 405 degrees of azimuth, from 10 through 0 to
// 325, the shift wrapping by the panorama's width on the way; the altitude
// stays within a pixel.
TEST_F(ChartKeys, HorizonViewScrollsPastTheFullTurn) {
    Start();
    PutCentre(10, 30);
    SetWord(kPrefChartZoom, 0);
    Ui([] { chartView = 1; });
    Open();
    ASSERT_NEAR(CentreAzimuth(), 10.0, 0.01);
    Key(pl::VK_RIGHT, 80);
    EXPECT_EQ(selectionCurrentRow, -1);
    EXPECT_NEAR(CentreAzimuth(), 325.0, 0.1);
    EXPECT_NEAR(CentreAltitude(), 30.0, 0.63);
}

// "n" typed, and "N" of the direction popup, turn the Sky Map to -180 degrees;
// "E" of the popup in a sphere view sets the centre angle to 270.
TEST_F(ChartKeys, DirectionsFaceTheChart) {
    Start();
    PutCentre(180, 60);
    Open();
    harness.typeText("n");
    EXPECT_EQ(chartTimeRecord.chartRotation, -180);
    Choose(kChartDirectionTrigger, kChartDirectionList, 4);
    EXPECT_EQ(chartTimeRecord.chartRotation, 0);
    Choose(kChartDirectionTrigger, kChartDirectionList, 0);
    EXPECT_EQ(chartTimeRecord.chartRotation, -180);
    Ui([] { chartView = 2; });
    Choose(kChartDirectionTrigger, kChartDirectionList, 2);
    EXPECT_EQ(chartRecord.centreLongitude, 270.0f);
    EXPECT_EQ(selectionCurrentRow, -1);
}

// The direction popup in the Horizon View centres the chart on what lies at
// the row's azimuth at the chart's middle height: "S" from azimuth 10 gives a
// centre at azimuth 180 (within a pixel, 0.27 degree at zoom 3) and the
// altitude the middle showed, 30.
TEST_F(ChartKeys, HorizonViewDirectionCentresThatAzimuth) {
    Start();
    PutCentre(10, 30);
    SetWord(kPrefChartZoom, 3);
    Ui([] { chartView = 1; });
    Open();
    Choose(kChartDirectionTrigger, kChartDirectionList, 4);
    EXPECT_EQ(selectionCurrentRow, -1);
    EXPECT_NEAR(CentreAzimuth(), 180.0, 0.3);
    EXPECT_NEAR(CentreAltitude(), 30.0, 0.3);
}

// Enter on the row of M31 hands it to the object information form as Messier
// object 31 (source 2, number = its index within the source + 1), which opens
// on its Messier tab.
TEST_F(ChartKeys, EnterOpensTheInformationOfTheRow) {
    Start();
    SelectionEntry m31 = Entry("M31", kDesignationMessier, 30, 16, 0.712f, 41.27f);
    m31.source = kSourceMessier;
    m31.sourceIndex = 30;
    Put({m31}, 0);
    Open();
    Key(pl::VK_RETURN);
    EXPECT_EQ(currentObjectBlock.tab, 5);
    EXPECT_EQ(currentObjectBlock.index, 31);
    EXPECT_EQ(BoxText(), "");
    EXPECT_EQ(GetCurrentFormId(), 112);
    EXPECT_TRUE(pl::IsWindowVisible(GetCurrentFormDialog()));
}

// Sphere drags: the centre angle follows the pen by the field of view per
// 140 pixels at zoom 5 (61.1 degrees), widened by 1 / cos(0.8 x 30) at
// elevation 30, and wraps through 0 (5 - 60 x 0.4777 = -23.66, so 336.34);
// the elevation stops at 90 and -90, and at 0 in the Visible Sky.
TEST_F(ChartKeys, SphereDragsWrapTheAngleAndStopTheElevation) {
    Start();
    OpenSphere(2, 5.0f, 30.0f);
    harness.drag({120, 160}, {60, 160}, 6);
    EXPECT_NEAR(chartRecord.centreLongitude, 5.0 - 60.0 * 61.1 / 140.0 / std::cos(24.0 * kDegToRad) + 360.0, 0.05);
    EXPECT_NEAR(chartRecord.centreLatitude, 30.0, 0.05);
    harness.drag({120, 100}, {120, 300}, 5);
    EXPECT_EQ(chartRecord.centreLatitude, 90.0f);
    harness.drag({120, 300}, {120, 30}, 5);
    harness.drag({120, 300}, {120, 30}, 5);
    EXPECT_EQ(chartRecord.centreLatitude, -90.0f);
    Ui([] { chartView = 3; });
    Redraw();
    harness.drag({120, 300}, {120, 30}, 5);
    EXPECT_EQ(chartRecord.centreLatitude, 0.0f);
}

}  // namespace
