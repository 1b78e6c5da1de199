// Object symbols by type, the bitmap set, and the outline ellipse.
#include "chart/chart_symbols.h"

#include <gtest/gtest.h>

#include "chart/phase_icons.h"
#include "chart_test.h"
#include "core/preferences.h"
#include "ui/colors.h"

namespace {

class ChartSymbolsTest : public ChartDrawTest {
protected:
    void SetUp() override {
        ChartDrawTest::SetUp();
        ResetChartSymbols();
        preferences.word[kPrefChartBackground] = 0;
        moonIconId = 6053;
    }
    void TearDown() override {
        ResetChartSymbols();
        ResetMoonIconState();
        ChartDrawTest::TearDown();
    }
};

struct Expected {
    BitmapPart part;
    int corner;  // the top-left corner's offset from the point on both axes
    bool keyed = true;
};
// Cell n of the dark marker strip's second row (scale 1), of the 18-pixel small icons.
Expected Marker(int n) { return {{4110, 21 * n, 21, 21, 21}, -10}; }
Expected SmallIcon(int n) { return {{3999, 18 * n, 0, 18, 18}, -9}; }

// The symbol table of the chart's design.
Expected ForType(int type) {
    switch (type) {
        case 2: return Marker(3);
        case 6: return Marker(2);
        case 16: return Marker(0);
        case 25: return Marker(5);
        case 31: case 32: case 33: case 34: case 36: case 37: return Marker(7);
        case 13: return SmallIcon(11);
        case 18: return SmallIcon(12);
        case 14: case 30: return {{}, 0};
        case 15: return {{3995, 0, 0, 15, 15}, -7};
        case 29: return {{4107, 0, 0, 11, 11}, -5, false};  // opaque
        default: return Marker(4);                          // 35 among them
    }
}

TEST_F(ChartSymbolsTest, EachTypeDrawsItsCellOrBitmapAtItsCorner) {
    struct Case {
        int type, body;
        Expected expected;
    };
    std::vector<Case> cases;
    for (int type = 0; type < 42; ++type)
        if (type != 27) cases.push_back({type, 0, ForType(type)});
    cases.push_back({27, 1, {{6053, 0, 0, 14, 14}, -7}});  // the Moon: moonIconId
    for (int body : {0, 2, 3, 4, 5, 6, 7, 8, 9, 10}) cases.push_back({27, body, SmallIcon(body)});
    for (const Case& c : cases) {
        DrawWindowRecord* r = Ground(48, 48);
        DrawObjectSymbol(c.type, c.body, 1, 24, 24);
        const Expected& e = c.expected;
        EXPECT_EQ(Mismatches(r, e.part, 24 + e.corner, 24 + e.corner, e.keyed), 0) << c.type << " body " << c.body;
    }
    moonIconId = 0;  // no icon chosen yet: the Moon draws nothing
    DrawWindowRecord* r = Ground(48, 48);
    DrawObjectSymbol(27, 1, 1, 24, 24);
    EXPECT_EQ(Count(r, kGround), 48 * 48);
}

// The light set (by day only) has meteor 4108 and the white-keyed strip 4109.
TEST_F(ChartSymbolsTest, BitmapSetFollowsDayAndNightMode) {
    struct Case {
        int night, day, set, meteor;
    } cases[] = {{0, 1, 1, 4108}, {0, 0, 0, 4107}, {2, 1, 0, 4107}};
    for (const Case& c : cases) {
        SetNightMode(c.night);
        EXPECT_EQ(SelectChartBitmapSet(c.day), c.set);
        EXPECT_EQ(ChartMeteorBitmap(), c.meteor);
    }
    SetNightMode(0);
    SelectChartBitmapSet(1);
    DrawWindowRecord* r = Ground(48, 48);
    DrawObjectSymbol(16, 0, 1, 24, 24);
    EXPECT_EQ(Mismatches(r, {4109, 0, 21, 21, 21}, 14, 14, true), 0);
}

// At night both strips are filtered with their key: a marker on the black
// chart shows only its red symbol, no box.
TEST_F(ChartSymbolsTest, NightMarkerOnBlackShowsNoBox) {
    SetNightMode(1);
    for (int scheme : {0, 2}) {
        LoadMarkerBitmap(scheme);
        DrawWindowRecord* r = Ground(48, 48, 0x0000);
        DrawObjectSymbol(16, 0, 1, 24, 24);
        int red = 0;
        for (uint16_t level = 1; level < 32; ++level) red += Count(r, static_cast<uint16_t>(level << 10));
        EXPECT_GT(red, 20) << scheme;
        EXPECT_EQ(red + Count(r, 0), 48 * 48) << scheme;  // nothing but red on black
        EXPECT_LT(red, 21 * 21 / 2) << scheme;            // the symbol, not its cell
    }
}

// The outline starts at t = 0 on the flipped major axis; its 22nd point
// (t = 6.3) closes it on the first.
TEST_F(ChartSymbolsTest, EllipseStartsOnTheMajorAxisAndCloses) {
    const int flips[][3] = {{1, 60, 50}, {-1, 39, 50}};
    for (const auto& f : flips) {
        ScreenPoint p[kEllipsePoints];
        EllipseOutline(50, 50, 10, 10, 0, f[0], 1, p);
        EXPECT_EQ(std::make_pair(p[0].x, p[0].y), std::make_pair(f[1], f[2]));
        EXPECT_EQ(std::make_pair(p[21].x, p[21].y), std::make_pair(f[1], f[2]));
    }
    DrawWindowRecord* r = Ground(100, 100);
    SetForeColor(0xFFFFFF);
    DrawEllipse(50, 50, 10, 4, 90, 1, -1);  // turned upright and flipped: starts 10 above
    EXPECT_EQ(Pixel(r, 50, 39), 0x7FFF);
    EXPECT_EQ(Pixel(r, 54, 50), 0x7FFF);
    EXPECT_EQ(Pixel(r, 50, 50), kGround);
}

}  // namespace
