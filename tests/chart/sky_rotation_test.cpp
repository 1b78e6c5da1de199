// The view set-up: when the rotation is rebuilt, the zoom tables, the object table's frames,
// and the colour table of the schemes and night mode.
#include "catalog/selection_entry.h"
#include "chart/chart_colours.h"
#include "chart/chart_symbols.h"
#include "chart_test.h"
#include "core/horizontal.h"
#include "core/sidereal_time.h"
#include "projection_test.h"

namespace {

using ViewSetUpTest = ProjectionTest;

// A rebuild projects the bright stars again: a planted word survives only when none ran.
bool Rebuilds(int rotate, int second, int force) {
    brightStarTable[0].chartWords[0] = 12345;
    SetChartView(rotate, 2026, 3, 5, 21, 10, second, force);
    return brightStarTable[0].chartWords[0] != 12345;
}

TEST_F(ViewSetUpTest, SetChartViewRebuildsOnlyWhenNeeded) {
    SetTestSite(51, 0, 0);
    brightStarTable[0].rightAscension = FixHours(6);
    EXPECT_TRUE(Rebuilds(1, 5, 0));
    EXPECT_FALSE(Rebuilds(1, 40, 0));  // the same minute and frame: seconds are not compared
    EXPECT_EQ(skyRotation.second, 5);
    EXPECT_TRUE(Rebuilds(1, 40, 1));
    EXPECT_TRUE(Rebuilds(0, 40, 0));
    EnableViewRotation();
    EXPECT_TRUE(Rebuilds(0, 40, 0));
    brightStarTable[0].chartWords[0] = 12345;
    RebuildChartViewForced(1);
    EXPECT_NE(brightStarTable[0].chartWords[0], 12345);
    EXPECT_EQ(skyRotation.flag, 1);
    // pi - lst, raised by 2 pi + 1 when negative (LST 8.0 h and 13.8 h).
    for (int hour : {21, 3}) {
        BuildSkyRotation(2026, 3, 5, hour, 10, 40);
        Fix24Angle lst = FixHours(GetLocalSiderealTime(2026, 3, 5, hour, 10, 40, 0, 0));
        EXPECT_EQ(skyRotation.siderealComplement, kFix24Pi - lst + (lst > kFix24Pi ? 105414357 : 0)) << hour;
    }
}

TEST_F(ViewSetUpTest, ZoomTables) {
    EXPECT_EQ(GetZoomFovForIndex(14), 75.0f);
    EXPECT_EQ(GetZoomFovForIndex(static_cast<unsigned>(-1)), 75.0f);
    EXPECT_EQ(GetZoomFovForIndex(0), 110.0f);
    EXPECT_EQ(GetZoomFovForIndex(13), 0.7f);
    float table[14];
    FillZoomScaleTable(table);
    const float fields[14] = {180, 150, 120, 90, 60, 45, 30, 20, 10, 5, 2.5f, 1.5f, 1, 0.5f};
    for (int i = 0; i < 14; ++i) EXPECT_NEAR(table[i], 160 / (60 * fields[i]), 5e-6 * table[i]) << i;
}

// A planet (designation 45) goes through the hour-angle rotation alone: its altitude is that of
// plain spherical trigonometry; a star at the same place is precessed from J2000 (0.36 degree
// by 2026). Only views 0 and 1 mark the horizon positions stale.
TEST_F(ViewSetUpTest, PlanetsAreOfDate) {
    SetTestSite(51, 0, 0);
    BuildSkyRotation(2026, 3, 5, 21, 10, 0);
    skyRotation.flag = 1;
    SelectionEntry t[2] = {};
    for (SelectionEntry& e : t) e.rightAscension = 4.5f, e.declination = 20.0f;
    t[0].designation = 45;
    chartView = 2;
    chartTimeRecord.horizonProjectionReady = 1;
    ProjectObjectList(t, 2);
    EXPECT_EQ(chartTimeRecord.horizonProjectionReady, 1);
    double lst = GetLocalSiderealTime(2026, 3, 5, 21, 10, 0, 0, 0);
    EXPECT_NEAR(std::asin(t[0].chartZ / 16777216.0) / kRad, ComputeAltitude(lst, 4.5, 20.0, 51), 1.0 / 3600);
    double dot = double(t[0].chartX) * t[1].chartX + double(t[0].chartY) * t[1].chartY + double(t[0].chartZ) * t[1].chartZ;
    EXPECT_NEAR(std::acos(dot / std::pow(2.0, 48)) / kRad, 0.36, 0.03);
    chartView = 1;
    ProjectObjectList(t, 0);
    EXPECT_EQ(chartTimeRecord.horizonProjectionReady, 0);
}

using ChartColoursTest = ChartDrawTest;

// Schemes 0..2 by day and by night, each with line colours 0..3; every call follows a different
// one, so night mode switched off restores the day colours. The values are the colour table's.
TEST_F(ChartColoursTest, SchemesNightModeAndLineColours) {
    using RGB = std::array<int, 3>;
    struct Case {
        RGB background, e0, e2, e3, e4, e5, e6;
        int bitmapSet;
    };
    const RGB red{255, 0, 0}, nightLine{153, 0, 0}, black{0, 0, 0};
    const Case day[3] = {
        {black, {255, 255, 255}, {153, 153, 153}, {51, 51, 102}, {187, 187, 153}, {204, 204, 0}, red, 0},
        {{21, 21, 70}, {255, 255, 255}, {153, 153, 153}, {51, 51, 102}, {187, 187, 153}, {204, 204, 0}, red, 0},
        {{255, 255, 255}, {255, 255, 255}, {153, 153, 153}, {153, 153, 153}, black, black, red, 1}};
    const Case night[3] = {{black, red, nightLine, {102, 0, 0}, {187, 0, 0}, {204, 0, 0}, nightLine, 0},
                           {black, red, nightLine, {102, 0, 0}, {187, 0, 0}, {204, 0, 0}, nightLine, 0},
                           {black, red, nightLine, {102, 0, 0}, {203, 0, 0}, {204, 0, 0}, nightLine, 0}};
    const RGB lines[4] = {{102, 0, 204}, {102, 0, 0}, {102, 102, 102}, black};
    auto rgb = [](const ChartColour& c) { return RGB{c.red, c.green, c.blue}; };
    for (int scheme = 0; scheme < 3; ++scheme)
        for (int nightMode : {1, 0})
            for (int line = 0; line < 4; ++line) {
                SetNightMode(nightMode);
                preferences.word[kPrefChartBackground] = scheme;
                preferences.word[kPrefLineColor] = line;
                const Case& c = (nightMode ? night : day)[scheme];
                const ChartColour* e = chartColours.entry;
                EXPECT_EQ(SetChartColours(), c.bitmapSet);
                EXPECT_EQ(chartBitmapSet, c.bitmapSet);
                const RGB got[8] = {rgb(chartColours.background), rgb(e[0]), rgb(e[2]), rgb(e[3]),
                                    rgb(e[4]),                    rgb(e[5]), rgb(e[6]), rgb(e[1])};
                const RGB want[8] = {c.background, c.e0, c.e2, c.e3, c.e4, c.e5, c.e6, nightMode ? nightLine : lines[line]};
                for (int k = 0; k < 8; ++k) EXPECT_EQ(got[k], want[k]) << scheme << nightMode << line << " slot " << k;
            }
}

}  // namespace
