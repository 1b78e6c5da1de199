// The chart clock: the 120-second step, forced steps, the fixed time moved on
// by the elapsed time and the sidereal time of SetChartDateTime.
#include <gtest/gtest.h>

#include "chart/chart_clock.h"
#include "chart/chart_state.h"
#include "chart/horizon_projection.h"
#include "chart/phase_icons.h"
#include "core/shared_state.h"
#include "platform/clock.h"

namespace {

class ChartClockTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetSharedState();
        ResetChartState();
        pl::UseVirtualClock(pl::LocalTime{2024, 3, 5, 21, 10, 30});
        currentSite.longitude = 0.0f;
        currentSite.zoneMinutes = 0;
    }
    void TearDown() override { pl::UseRealClock(); }
};

TEST_F(ChartClockTest, StepsOnlyAfter120SecondsUnlessForced) {
    EXPECT_EQ(UpdateChartTime(0), 0);  // the first call only records the time
    EXPECT_EQ(currentDateTime.year, 0);
    pl::AdvanceVirtualClock(119000);
    EXPECT_EQ(UpdateChartTime(0), 0);
    EXPECT_EQ(UpdateChartTime(1), 1);  // no sidereal time yet: the device clock
    EXPECT_EQ(currentDateTime.hour, 21);
    EXPECT_EQ(currentDateTime.minute, 12);
    pl::AdvanceVirtualClock(120000);
    EXPECT_EQ(UpdateChartTime(0), 1);
}

TEST_F(ChartClockTest, FixedTimeMovesOnByTheElapsedSeconds) {
    UpdateChartTime(1);  // sets a sidereal time
    dateTimeFixed = 1;
    currentDateTime = DateTime{2024, 12, 31, 23, 0, 30};
    pl::AdvanceVirtualClock(3599000);
    ASSERT_EQ(UpdateChartTime(0), 1);
    // 59 min 59 s on: 30 + 59 s carries one minute into the new year.
    EXPECT_EQ(currentDateTime.year, 2025);
    EXPECT_EQ(currentDateTime.month, 1);
    EXPECT_EQ(currentDateTime.day, 1);
    EXPECT_EQ(currentDateTime.hour, 0);
    EXPECT_EQ(currentDateTime.minute, 0);
    EXPECT_EQ(currentDateTime.second, 29);
}

// A step also turns the chart to its rotation (cos 30 = 0.8660, sin 30 = 0.5)
// and sets the Moon icon of the new hour.
TEST_F(ChartClockTest, StepMarksProjectionsStaleAndSetsRotationAndMoon) {
    chartTimeRecord.sphereViewReady = 1;
    chartTimeRecord.horizonProjectionReady = 1;
    chartState.chartDirty = 0;
    chartTimeRecord.chartRotation = 30;
    ResetMoonIconState();
    UpdateChartTime(1);
    EXPECT_EQ(chartTimeRecord.sphereViewReady, 0);
    EXPECT_EQ(chartTimeRecord.horizonProjectionReady, 0);
    EXPECT_EQ(chartState.chartDirty, 1);
    float c, s;
    GetHorizonRotation(&c, &s);
    EXPECT_NEAR(c, 0.8660, 1e-4);
    EXPECT_NEAR(s, 0.5000, 1e-4);
    int icon = moonIconId;
    EXPECT_NE(icon, 0);
    EXPECT_EQ(ComputeMoonIconState(2024, 3, 5, 21), icon);
}

// Greenwich mean sidereal time of 2000-01-01 12h UT: 18.697374558 h (the
// IAU 1982 expression at J2000.0, Meeus "Astronomical Algorithms" ch. 12).
TEST_F(ChartClockTest, SetChartDateTimeGivesSiderealTimeAndSelection) {
    ObjectRecord rec{};
    rec.number = 31;
    rec.rightAscension = 0.7123f;
    currentDateTime.second = 42;
    chartState.chartSelectionIndex = 5;
    SetChartDateTime(&rec, 2000, 1, 1, 12, 0);
    EXPECT_NEAR(chartTimeRecord.lstHours, 18.697374558, 0.5 / 3600);
    EXPECT_EQ(chartTimeRecord.lst, static_cast<int32_t>(chartTimeRecord.lstHours * 4392264.877774));
    EXPECT_EQ(currentDateTime.second, 42);
    EXPECT_EQ(chartSelection.number, 31);
    EXPECT_EQ(chartState.chartSelectionIndex, 0);
    chartTimeRecord.sphereViewReady = 1;
    SetChartDateTime(nullptr, 2000, 1, 1, 12, 0);  // same sidereal time: projections kept
    EXPECT_EQ(chartTimeRecord.sphereViewReady, 1);
    EXPECT_EQ(chartSelection.number, 31);
}

}  // namespace
