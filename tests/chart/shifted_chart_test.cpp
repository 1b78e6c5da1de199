// Shifted frames of the Sky Map in the running program (the sky of
// sky_chart_fixture.h): what the kept positions give without a projection.
#include "chart/shifted_chart.h"

#include <gtest/gtest.h>

#include "catalog/designations.h"
#include "chart/horizon_projection.h"
#include "sky_chart_fixture.h"

namespace {

using namespace sky_chart_test;

class ShiftedChart : public SkyChartTest {
protected:
    void OpenOnTwoEntries() {
        const auto centre = PlaceAt(180, 70), near = PlaceAt(180, 64);
        Put({Entry("Centre", kDesignationNgc, 1, 2, centre.first, centre.second),
             Entry("Near", kDesignationNgc, 2, 2, near.first, near.second)},
            0);
        SetWord(kPrefChartBackground, 0);
        SetWord(kPrefChartZoom, 3);
        Open();
    }
    int Frame(int dx, int dy) {
        int row = -2;
        Ui([&] {
            InitDrawWindowOwnDc(GetCurrentFormDialog());
            row = ShiftChart(dx, dy, false);
        });
        return row;
    }
    // Pixels of the 9 x 9 box about (x, y) that are not the black background.
    int Ink(int x, int y) const { return 81 - Count(x - 4, y - 4, x + 5, y + 5, 0x000000); }
};

// A frame moved by (30, -20): the bright stars are drawn at their kept points
// plus the shift and not at the kept points (which keep their values); the
// entry now at the middle becomes the row; the centre words hold the place
// under the old point (120 - 30, 160 + 20).
TEST_F(ShiftedChart, FrameDrawsTheKeptSkyMoved) {
    Start();
    OpenOnTwoEntries();
    const StarRecord& star = brightStarTable[kChosen[2].index];
    ASSERT_EQ(star.hidden, 0);
    const int x = star.screenX, y = star.screenY;
    ASSERT_GT(Ink(x, y), 5);
    const int dx = 30, dy = -20;
    const int nearX = selectionList[1].screenX, nearY = selectionList[1].screenY;
    ASSERT_GT(nearY - 160, 7 * 2);  // outside the centre box before the shift
    EXPECT_EQ(Frame(dx, dy), -1);
    EXPECT_GT(Ink(x + dx, y + dy), 5);
    EXPECT_EQ(star.screenX, x);
    EXPECT_EQ(star.screenY, y);
    float ra = 0, dec = 0;
    Ui([&] { ChartPointToRaDec(120 - dx, 160 - dy, &ra, &dec); });
    EXPECT_EQ(chartRecord.centreLongitude, ra);
    EXPECT_EQ(chartRecord.centreLatitude, dec);
    Shot("chart_shifted_frame_240.png");
    // The entry "Near" brought into the centre box becomes the row.
    EXPECT_EQ(Frame(120 - nearX, 160 - nearY), 1);
    EXPECT_EQ(selectionCurrentRow, 1);
}

// Without a picture the frame says so and draws nothing.
TEST_F(ShiftedChart, NoWindowIsReported) {
    Start();
    OpenOnTwoEntries();
    Ui([] { DrawShiftedChart(nullptr, 0, 0, 3, ShiftedChartColours{}, chartRecord.chartRect); });
    EXPECT_EQ(BoxText(), "Shift chart window null\n");
    AnswerAll();
}

}  // namespace
