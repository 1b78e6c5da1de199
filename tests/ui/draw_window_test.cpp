// The display scale, the current draw window, layout on other screens and the
// form's back buffer.
#include "ui/draw_window.h"

#include <gtest/gtest.h>

#include "platform/drawing.h"
#include "platform/framebuffer.h"
#include "platform/screen.h"
#include "platform/window.h"
#include "support/draw_fixture.h"
#include "support/recording_services.h"
#include "support/recording_window.h"
#include "ui/colors.h"
#include "ui/saved_screen.h"
#include "ui/screen_layout.h"

namespace {

class DrawWindowTest : public DrawFixture {
protected:
    void SetUp() override {
        DrawFixture::SetUp();
        ResetScreenScale();
        pl::SetScreenInfo(pl::kHeadlessScreen);
    }
    void TearDown() override {
        ResetScreenScale();
        pl::SetScreenInfo(pl::kHeadlessScreen);
        DrawFixture::TearDown();
    }
    static pl::Rect ControlRect(pl::Hwnd dialog, int id) {
        pl::Rect r;
        pl::GetWindowRect(pl::GetDlgItem(dialog, id), &r);
        return r;
    }
    testwin::CleanPlatform clean;
    testwin::Recorder rec;
};

// Scale = pixels per inch / 96; design lengths are truncated: 26 at 131 dpi
// is 35.47 -> 35. The screen multiplier, 96 / 48 = 2, is measured once.
TEST_F(DrawWindowTest, DisplayScaleFromTheScreen) {
    const struct {
        int dpi;
        double scale;
        int scaled26;
    } cases[] = {{96, 1.0, 26}, {192, 2.0, 52}, {131, 131 / 96.0, 35}, {72, 0.75, 19}};
    for (const auto& c : cases) {
        pl::SetScreenInfo(pl::ScreenInfo{240, 320, c.dpi});
        InitDisplayScale();
        EXPECT_DOUBLE_EQ(displayScale.scaleX, c.scale) << c.dpi;
        EXPECT_DOUBLE_EQ(displayScale.scaleY, c.scale) << c.dpi;
        EXPECT_EQ(ScaleX(26), c.scaled26) << c.dpi;
        EXPECT_EQ(ScaleY(26), c.scaled26) << c.dpi;
    }
    pl::SetScreenInfo(pl::kHeadlessScreen);
    EXPECT_EQ(GetScreenScale(), 2);
    pl::SetScreenInfo(pl::kWindowScreen);
    EXPECT_EQ(GetScreenScale(), 2);
    ResetScreenScale();
    EXPECT_EQ(GetScreenScale(), 4);
}

// Edge case: 240 x 320 at 96 and 480 x 640 at 192 are the design itself.
TEST_F(DrawWindowTest, SizeDeltaAgainstTheScaledDesign) {
    const struct {
        double scale;
        int width, height, dx, dy;
        bool moved;
    } cases[] = {
        {1.0, 240, 320, 0, 0, false}, {2.0, 480, 640, 0, 0, false}, {1.0, 240, 400, 0, 80, true},
        {1.0, 320, 240, 80, -80, true}, {1.5, 360, 480, 0, 0, false}, {2.0, 480, 800, 0, 160, true},
    };
    for (const auto& c : cases) {
        SetScale(c.scale);
        int dx = -1, dy = -1;
        EXPECT_EQ(GetScreenSizeDelta(0, c.width, c.height, &dx, &dy), c.moved) << c.width << "x" << c.height;
        EXPECT_EQ(std::make_pair(dx, dy), std::make_pair(c.dx, c.dy)) << c.width << "x" << c.height;
    }
}

// Window records are refilled by each InitDrawWindow, so a record kept by a
// caller across a paint never dangles; it then names the newest window.
TEST_F(DrawWindowTest, WindowRecordKeptAcrossAPaintStaysUsable) {
    pl::Hwnd first = rec.Top({0, 0, 40, 30});
    pl::Hwnd second = rec.Top({0, 0, 50, 60});
    InitDrawWindowOwnDc(first);
    DrawWindowRecord* kept = GetDrawWindow();
    EXPECT_EQ(kept->ownerWindow, first);
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

// MoveControl moves and sizes relative to the control's place, also in a
// dialog away from the origin; DrawLineUnderControl draws the highlight from
// the control's bottom edge, 2 x 2 rows at scale 2.
TEST_F(DrawWindowTest, MoveControlAndTheLineUnderIt) {
    pl::Hwnd form = rec.Top({0, 0, 240, 320});
    rec.Child(form, 5, {10, 20, 50, 40});
    MoveControl(form, 5, 3, 4, 0, 0);
    MoveControl(form, 5, 0, 80, 20, -5);
    EXPECT_EQ(ControlRect(form, 5), (pl::Rect{13, 104, 73, 119}));
    MoveControl(form, 6, 1, 1, 1, 1);  // missing: skipped
    pl::Hwnd moved = rec.Top({30, 40, 100, 100});
    rec.Child(moved, 1, {5, 5, 10, 10});
    MoveControl(moved, 1, 1, 0, 0, 0);
    EXPECT_EQ(ControlRect(moved, 1), (pl::Rect{36, 45, 41, 50}));
    SetScale(2.0);
    rec.Child(form, 3, {100, 10, 140, 30}, 0);  // hidden, so the form's context reaches the place
    pl::Hdc dc = pl::GetDC(form);
    pl::FillRect(dc, pl::Rect{0, 0, 240, 320}, pl::GetStockBlackBrush());
    DrawLineUnderControl(form, dc, 3);
    DrawLineUnderControl(form, dc, 4);  // missing: nothing
    pl::ReleaseDC(form, dc);
    EXPECT_EQ(pl::ScreenPixel(0, 25), 0u);
    EXPECT_EQ(pl::ScreenPixel(0, 26), 0xC8413Eu);
    EXPECT_EQ(pl::ScreenPixel(239, 29), 0xC8413Eu);
    EXPECT_EQ(pl::ScreenPixel(0, 30), 0u);
}

class SavedScreenTest : public DrawWindowTest {
protected:
    void SetUp() override {
        DrawWindowTest::SetUp();
        window = rec.Top({0, 0, 40, 30});
        Paint(0x0000FF);
    }
    // Makes the window current (reading its size) and fills it.
    void Paint(pl::ColorRef color) {
        InitDrawWindowOwnDc(window);
        pl::Hbrush brush = pl::CreateSolidBrush(color);
        pl::FillRect(GetDrawDc(), pl::Rect{0, 0, 1000, 1000}, brush);
        pl::DeleteObject(brush);
    }
    pl::Hwnd window = nullptr;
};

TEST_F(SavedScreenTest, SameSizeReusesTheBufferNewSizeRemakesIt) {
    SaveScreen();
    DrawWindowRecord* first = GetSavedScreen();
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(std::make_pair(first->right, first->bottom), std::make_pair(40, 30));
    const uint8_t* bits = first->dibBits;
    Paint(0x00FF00);
    SaveScreen();
    EXPECT_EQ(GetSavedScreen(), first);
    EXPECT_EQ(GetSavedScreen()->dibBits, bits);
    EXPECT_EQ(Pixel(first, 5, 5), 0x03E0);  // copied again
    pl::MoveWindow(window, 0, 0, 50, 20);
    Paint(0xFF0000);
    SaveScreen();
    ASSERT_NE(GetSavedScreen(), nullptr);
    EXPECT_EQ(std::make_pair(GetSavedScreen()->right, GetSavedScreen()->bottom), std::make_pair(50, 20));
    EXPECT_EQ(Pixel(GetSavedScreen(), 49, 19), 0x001F);
}

TEST_F(SavedScreenTest, RestoreLeavesTheBottomStrip) {
    SaveScreen();
    Paint(0x00FF00);
    RestoreSavedScreen(8);
    EXPECT_EQ(pl::ScreenPixel(39, 21), 0x0000FFu);
    EXPECT_EQ(pl::ScreenPixel(3, 22), 0x00FF00u);  // the last 8 rows stay
    EXPECT_EQ(pl::ScreenPixel(3, 29), 0x00FF00u);
    RestoreSavedScreen(0);
    EXPECT_EQ(pl::ScreenPixel(3, 29), 0x0000FFu);
    FreeSavedScreen();
    EXPECT_EQ(GetSavedScreen(), nullptr);
    Paint(0x00FF00);
    RestoreSavedScreen(0);  // nothing to restore
    EXPECT_EQ(pl::ScreenPixel(3, 3), 0x00FF00u);
}

TEST_F(SavedScreenTest, BufferThatCannotBeMadeIsReported) {
    RecordingServices services;
    pl::MoveWindow(window, 0, 0, 20000, 30);  // wider than any bitmap
    Paint(0x0000FF);
    SaveScreen();
    EXPECT_EQ(GetSavedScreen(), nullptr);
    EXPECT_EQ(services.Texts(), std::vector<std::string>{"Failed to allocate offscreenSaved"});
    RestoreSavedScreen(0);
}

}  // namespace
