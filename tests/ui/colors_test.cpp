// The colour set of each night mode and the foreground colour.
#include "ui/colors.h"

#include <gtest/gtest.h>

#include "platform/drawing.h"
#include "support/draw_fixture.h"

namespace {

using ColorsTest = DrawFixture;

// Worked case: 0xC8413E is red 62 -> 7, green 65 -> 8, blue 200 -> 25, i.e. pixel 0x1D19.
TEST_F(ColorsTest, ForeColorKeepsColorRefAndPixelWord) {
    DibWindow(4, 4);
    SetForeColor(0xC8413E);
    EXPECT_EQ(GetForeColorRef(), 0xC8413Eu);
    EXPECT_EQ(GetForePixel(), 0x1D19u);
}

// The first foreground reports the background colour as the previous one.
TEST_F(ColorsTest, SetForeColorReturnsPreviousOrBackground) {
    DibWindow(4, 4);
    EXPECT_EQ(SetForeColor(0x0000FF), 0xFFFFFFu);  // day background, no pen yet
    EXPECT_EQ(SetForeColor(0x00FF00), 0x0000FFu);
    SetNightMode(2);
    ReleaseDrawWindow();  // drops the pen
    EXPECT_EQ(SetForeColor(0x00FF00), 0u);  // night background is black
}

// Table of the colour set: day, and red at the night intensity 102, 140, 204.
TEST_F(ColorsTest, ColorSetFollowsNightMode) {
    struct Case {
        int mode;
        int intensity;
        pl::ColorRef background, pen, highlight, highlightText;
    } cases[] = {
        {0, 255, 0xFFFFFF, 0x000000, 0xC8413E, 0xFFFFFF},
        {1, 102, 0x000000, 102, 102, 0x000000},
        {2, 140, 0x000000, 140, 140, 0x000000},
        {3, 204, 0x000000, 204, 204, 0x000000},
    };
    for (const Case& c : cases) {
        SetNightMode(c.mode);
        EXPECT_EQ(GetSchemeColor(), c.intensity) << c.mode;
        EXPECT_EQ(GetBackgroundColor(), c.background) << c.mode;
        EXPECT_EQ(GetForegroundColor(), c.pen) << c.mode;
        EXPECT_EQ(GetHighlightColor(), c.highlight) << c.mode;
        EXPECT_EQ(GetHighlightTextColor(), c.highlightText) << c.mode;
        ASSERT_NE(GetBackgroundBrush(), nullptr);
        ASSERT_NE(GetHighlightBrush(), nullptr);
        ASSERT_NE(GetHighlightPen(), nullptr);
    }
}

TEST_F(ColorsTest, NightModeOutsideItsRangeCountsAsNormal) {
    SetNightMode(7);
    EXPECT_EQ(GetNightMode(), 0);
    EXPECT_EQ(GetSchemeColor(), 255);
    EXPECT_EQ(GetBackgroundColor(), 0xFFFFFFu);
}

// A new draw window drops the pen: its colour word becomes 0xFFFFFFFF.
TEST_F(ColorsTest, NewDrawWindowForgetsForeground) {
    DibWindow(4, 4);
    SetForeColor(0x123456);
    InitDrawWindow(nullptr, nullptr);
    EXPECT_EQ(GetForeColorRef(), 0xFFFFFFFFu);
    EXPECT_EQ(GetForePixel(), 0xFFFFFFFFu);
    EXPECT_EQ(GetForegroundPen(), nullptr);
    InitDrawWindow(nullptr, nullptr);  // no brush now: the background colour
    EXPECT_EQ(GetForeColorRef(), 0xFFFFFFu);
}

TEST_F(ColorsTest, TextColoursGoToTheDrawContext) {
    DrawWindowRecord* r = DibWindow(4, 4);
    SetTextColorRef(0x0000FF);
    EXPECT_EQ(SetTextColorRef(0x00FF00), 0x0000FFu);
    EXPECT_EQ(pl::GetTextColor(r->dc), 0x00FF00u);
    SetBackColor(0x112233);
    EXPECT_EQ(pl::GetBkColor(r->dc), 0x112233u);
}

}  // namespace
