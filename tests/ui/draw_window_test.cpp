// The display scale, the current draw window and clipping.
#include "ui/draw_window.h"

#include <gtest/gtest.h>

#include "platform/drawing.h"
#include "platform/screen.h"
#include "support/draw_fixture.h"
#include "support/recording_window.h"
#include "ui/colors.h"
#include "ui/offscreen.h"
#include "ui/primitives.h"
#include "ui/screen_layout.h"

namespace {

class DrawWindowTest : public DrawFixture {
protected:
    void TearDown() override {
        pl::SetScreenInfo(pl::kHeadlessScreen);
        DrawFixture::TearDown();
    }
    testwin::CleanPlatform clean;
};

// Scale = pixels per inch / 96; design lengths are truncated: 26 at 131 dpi is 35.47 -> 35.
TEST_F(DrawWindowTest, DisplayScaleFromTheScreen) {
    struct Case {
        int dpi;
        double scale;
        int scaled26;
    } cases[] = {{96, 1.0, 26}, {192, 2.0, 52}, {131, 131 / 96.0, 35}, {72, 0.75, 19}};
    for (const Case& c : cases) {
        pl::SetScreenInfo(pl::ScreenInfo{240, 320, c.dpi});
        InitDisplayScale();
        EXPECT_DOUBLE_EQ(displayScale.scaleX, c.scale) << c.dpi;
        EXPECT_DOUBLE_EQ(displayScale.scaleY, c.scale) << c.dpi;
        EXPECT_EQ(ScaleX(26), c.scaled26) << c.dpi;
        EXPECT_EQ(ScaleY(26), c.scaled26) << c.dpi;
    }
}

// Worked case: 480 x 640 at 192 pixels per inch is the design at scale 2.
TEST_F(DrawWindowTest, DesignScreensNeedNoMoving) {
    for (pl::ScreenInfo screen : {pl::kHeadlessScreen, pl::kWindowScreen}) {
        pl::SetScreenInfo(screen);
        InitDisplayScale();
        int dx = -1, dy = -1;
        EXPECT_FALSE(GetScreenSizeDelta(0, screen.width, screen.height, &dx, &dy));
        EXPECT_EQ(dx, 0);
        EXPECT_EQ(dy, 0);
        int width = 0, height = 0;
        GetScreenSize(&width, &height);
        EXPECT_EQ(width, screen.width);
        EXPECT_EQ(height, screen.height);
    }
}

// Window records are refilled by each InitDrawWindow, so a record kept by a
// caller across a paint never dangles; it then names the newest window.
TEST_F(DrawWindowTest, WindowRecordKeptAcrossAPaintStaysUsable) {
    testwin::Recorder rec;
    pl::Hwnd first = rec.Top({0, 0, 40, 30});
    pl::Hwnd second = rec.Top({0, 0, 50, 60});
    InitDrawWindowOwnDc(first);
    DrawWindowRecord* kept = GetDrawWindow();
    EXPECT_EQ(kept->ownerWindow, first);
    EXPECT_EQ(GetDrawClientRect(), (pl::Rect{0, 0, 40, 30}));
    DrawWindowRecord* offscreen = Dib(4, 4);
    SetDrawWindow(offscreen);
    InitDrawWindowOwnDc(second);  // a paint of another window meanwhile
    SetDrawWindow(kept);
    EXPECT_EQ(GetDrawWindowHandle(), second);
    EXPECT_EQ(GetDrawClientRect(), (pl::Rect{0, 0, 50, 60}));
    EXPECT_EQ(offscreen->right, 4);  // offscreen records stay with their owners
    ReleaseDrawWindow();
    EXPECT_EQ(GetDrawWindow(), nullptr);
}

TEST_F(DrawWindowTest, ClippingToTheWindowAndToARectangle) {
    testwin::Recorder rec;
    pl::Hwnd window = rec.Top({0, 0, 20, 10});
    pl::Hdc dc = pl::GetDC(window);
    InitDrawWindow(window, dc);
    DrawWindowRecord* canvas = Dib(30, 30);
    SetDrawWindow(canvas);  // the client rectangle stays the window's: 20 x 10
    ClipToWindow();
    SetForeColor(0x0000FF);
    FillRectangle(XywhRect{0, 0, 30, 30}, 0);
    EXPECT_EQ(Count(canvas, 0x7C00), 200);
    Fill(canvas, 0);
    SetClip(XywhRect{5, 5, 10, 10});  // narrows: 5..15 x 5..10
    FillRectangle(XywhRect{0, 0, 30, 30}, 0);
    EXPECT_EQ(Count(canvas, 0x7C00), 50);
    EXPECT_EQ(Pixel(canvas, 5, 5), 0x7C00);
    EXPECT_EQ(Pixel(canvas, 14, 9), 0x7C00);
    EXPECT_EQ(Pixel(canvas, 15, 9), 0);
    ReleaseDrawWindow();
    pl::ReleaseDC(window, dc);
}

}  // namespace
