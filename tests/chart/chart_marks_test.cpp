// The target mark, the telescope cross and the Telrad rings.
#include "chart/chart_marks.h"

#include <gtest/gtest.h>

#include <cmath>

#include "chart_test.h"
#include "support/test_site.h"
#include "ui/bitmaps.h"
#include "ui/colors.h"

namespace {

constexpr uint16_t kRed = 0x7C00;

class ChartMarksTest : public ChartDrawTest {
protected:
    void SetUp() override {
        ChartDrawTest::SetUp();
        ResetWithDefaults();
    }
    // Whether `draw` gives the same pixels as bitmap `id` drawn keyed at (left, top).
    template <typename Draw>
    bool DrawsBitmap(Draw draw, int id, int left, int top) {
        DrawWindowRecord* expected = Ground(60, 60);
        if (id) DrawBitmapMasked(id, left, top);
        DrawWindowRecord* r = Ground(60, 60);
        draw();
        return Differences(r, expected) == 0;
    }
};

// White background with night mode "Normal" takes 1687/1689, any other
// 1686/1688; at 96 dpi (s = 2) the mark's corner is (x - 16, y - 16), the
// cross's one row lower. Cursor "None" hides the mark, not the cross.
TEST_F(ChartMarksTest, MarkAndCrossBitmapsByBackground) {
    const int cases[][5] = {{2, 0, 0, 1687, 1689}, {0, 0, 0, 1686, 1688}, {1, 0, 1, 1686, 1688},
                            {2, 1, 0, 1686, 1688}, {2, 0, 2, 0, 1689}};
    for (const auto& c : cases) {
        preferences.word[kPrefChartBackground] = c[0];
        SetNightMode(c[1]);
        preferences.word[kPrefCursor] = c[2];
        EXPECT_TRUE(DrawsBitmap([] { DrawTargetMark(30, 30); }, c[3], 14, 14)) << c[0] << c[1] << c[2];
        EXPECT_TRUE(DrawsBitmap([] { DrawScopeCross(0x0000FF, 30, 30); }, c[4], 14, 15)) << c[0] << c[1] << c[2];
    }
    SetNightMode(0);
    preferences.word[kPrefCursor] = 0;
    DrawWindowRecord* r = Ground(60, 60);
    DrawTargetMark(30, 30);
    EXPECT_EQ(Mismatches(r, {1687, 0, 0, 32, 32}, 14, 14, true), 0);
}

// Below 96 dpi (s = 1) the cross is four lines 2..8 pixels from the point in
// the colour given; the foreground colour comes back.
TEST_F(ChartMarksTest, SmallScreenCrossIsFourLines) {
    UseScreenDpi(72);
    DrawWindowRecord* r = Ground(21, 21);
    SetForeColor(0x00FF00);
    DrawScopeCross(0x0000FF, 10, 10);
    EXPECT_EQ(GetForeColorRef(), 0x00FF00u);
    EXPECT_EQ(Count(r, kRed), 28);
    for (int d : {2, 8, -2, -8}) EXPECT_EQ(Pixel(r, 10 + d, 10) & Pixel(r, 10, 10 + d), kRed) << d;
}

// Default rings of 5, 20 and 40 tenths of a degree at a pixel per arcminute:
// radii 30, 120 and 240, and the cross reaching 240 either way.
TEST_F(ChartMarksTest, TelradRingsFromThePreferenceWords) {
    DrawWindowRecord* r = Ground(501, 501);
    DrawTelrad(250, 250, 1.0, 0x0000FF);
    EXPECT_EQ(GetForeColorRef(), 0x0000FFu);  // left as the foreground
    int rings[3] = {0, 0, 0};
    for (int y = 0; y < 501; ++y)
        for (int x = 0; x < 501; ++x)
            if (Pixel(r, x, y) == kRed && x != 250 && y != 250) {
                double d = std::hypot(x - 250, y - 250);
                ASSERT_LT(std::fmin(std::fabs(d - 30), std::fmin(std::fabs(d - 120), std::fabs(d - 240))), 1) << x;
                ++rings[d < 75 ? 0 : d < 180 ? 1 : 2];
            }
    EXPECT_GT(rings[0] * 4, 2 * M_PI * 30 * 3);  // most of each circle
    EXPECT_GT(rings[1] * 4, 2 * M_PI * 120 * 3);
    EXPECT_GT(rings[2] * 4, 2 * M_PI * 240 * 3);
    EXPECT_EQ(Count(r, kRed) - rings[0] - rings[1] - rings[2], 2 * 481 - 1);  // the cross, +-240
    EXPECT_EQ(Pixel(r, 10, 250) & Pixel(r, 490, 250) & Pixel(r, 250, 10) & Pixel(r, 250, 490), kRed);
}

}  // namespace
