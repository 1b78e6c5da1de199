// Layout on other screens: the multiplier, the size difference, moving controls.
#include "ui/screen_layout.h"

#include <gtest/gtest.h>

#include "platform/drawing.h"
#include "platform/framebuffer.h"
#include "platform/screen.h"
#include "platform/window.h"
#include "support/draw_fixture.h"
#include "support/recording_window.h"
#include "ui/colors.h"
#include "ui/current_form.h"

namespace {

class ScreenLayoutTest : public DrawFixture {
protected:
    void SetUp() override {
        DrawFixture::SetUp();
        ResetScreenScale();
        pl::SetScreenInfo(pl::kHeadlessScreen);
    }
    void TearDown() override {
        SetCurrentFormWindow(nullptr);
        ResetScreenScale();
        pl::SetScreenInfo(pl::kHeadlessScreen);
        DrawFixture::TearDown();
    }
    pl::Rect ControlRect(pl::Hwnd dialog, int id) {
        pl::Rect r;
        pl::GetWindowRect(pl::GetDlgItem(dialog, id), &r);
        return r;
    }
    testwin::CleanPlatform clean;
    testwin::Recorder rec;
};

// 96 pixels per inch / 48 = 2; 192 / 48 = 4; measured once.
TEST_F(ScreenLayoutTest, ScreenScaleIsMeasuredOnFirstUse) {
    EXPECT_EQ(GetScreenScale(), 2);
    pl::SetScreenInfo(pl::kWindowScreen);
    EXPECT_EQ(GetScreenScale(), 2);
    ResetScreenScale();
    EXPECT_EQ(GetScreenScale(), 4);
}

// Edge case: 240 x 320 at 96 and 480 x 640 at 192 are the design itself.
TEST_F(ScreenLayoutTest, SizeDeltaAgainstTheScaledDesign) {
    struct Case {
        double scale;
        int width, height, dx, dy;
        bool moved;
    } cases[] = {
        {1.0, 240, 320, 0, 0, false}, {2.0, 480, 640, 0, 0, false}, {1.0, 240, 400, 0, 80, true},
        {1.0, 320, 240, 80, -80, true}, {1.5, 360, 480, 0, 0, false}, {2.0, 480, 800, 0, 160, true},
    };
    for (const Case& c : cases) {
        SetScale(c.scale);
        int dx = -1, dy = -1;
        EXPECT_EQ(GetScreenSizeDelta(0, c.width, c.height, &dx, &dy), c.moved) << c.width << "x" << c.height;
        EXPECT_EQ(dx, c.dx) << c.width << "x" << c.height;
        EXPECT_EQ(dy, c.dy) << c.width << "x" << c.height;
    }
}

TEST_F(ScreenLayoutTest, MoveControlMovesAndSizesRelativeToItsPlace) {
    pl::Hwnd form = rec.Top({0, 0, 240, 320});
    rec.Child(form, 5, {10, 20, 50, 40});
    MoveControl(form, 5, 3, 4, 0, 0);
    EXPECT_EQ(ControlRect(form, 5), (pl::Rect{13, 24, 53, 44}));
    MoveControl(form, 5, 0, 80, 20, -5);
    EXPECT_EQ(ControlRect(form, 5), (pl::Rect{13, 104, 73, 119}));
    MoveControl(form, 6, 1, 1, 1, 1);  // missing: skipped
    pl::Hwnd moved = rec.Top({30, 40, 100, 100});  // a dialog that is not at the origin
    rec.Child(moved, 1, {5, 5, 10, 10});
    MoveControl(moved, 1, 1, 0, 0, 0);
    EXPECT_EQ(ControlRect(moved, 1), (pl::Rect{36, 45, 41, 50}));
}

TEST_F(ScreenLayoutTest, ListRowsSetTheHeightOnTheActiveForm) {
    pl::Hwnd form = rec.Top({0, 0, 240, 320});
    rec.Child(form, 9, {10, 20, 110, 50});
    SetListVisibleRows(9, 4);  // no active form yet: nothing
    EXPECT_EQ(ControlRect(form, 9), (pl::Rect{10, 20, 110, 50}));
    SetCurrentFormWindow(form);
    SetListVisibleRows(9, 4);
    EXPECT_EQ(ControlRect(form, 9), (pl::Rect{10, 20, 110, 80}));
}

TEST_F(ScreenLayoutTest, LineUnderControlEndsAtItsBottomEdge) {
    SetScale(2.0);
    pl::Hwnd form = rec.Top({0, 0, 240, 320});
    rec.Child(form, 3, {100, 10, 140, 30}, 0);  // hidden, so the form's context reaches the place
    pl::Hdc dc = pl::GetDC(form);
    pl::FillRect(dc, pl::Rect{0, 0, 240, 320}, pl::GetStockBlackBrush());
    DrawLineUnderControl(form, dc, 3);
    DrawLineUnderControl(form, dc, 4);  // missing: nothing
    pl::ReleaseDC(form, dc);
    pl::ColorRef highlight = 0xC8413E;
    EXPECT_EQ(pl::ScreenPixel(0, 25), 0u);
    EXPECT_EQ(pl::ScreenPixel(0, 26), highlight);
    EXPECT_EQ(pl::ScreenPixel(239, 29), highlight);
    EXPECT_EQ(pl::ScreenPixel(0, 30), 0u);
}

}  // namespace
