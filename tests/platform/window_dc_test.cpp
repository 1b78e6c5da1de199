// Device contexts of windows and of the screen, drawn into the framebuffer.
#include "platform/dc.h"

#include <gtest/gtest.h>

#include <cstring>

#include "platform/drawing.h"
#include "platform/framebuffer.h"
#include "platform/paint.h"
#include "platform/sys_colors.h"
#include "platform/window.h"
#include "support/recording_window.h"
#include "support/test_canvas.h"

namespace {

using pl::ColorRef;
using pl::Rgb;

constexpr ColorRef kRed = Rgb(255, 0, 0);
constexpr ColorRef kBlack = Rgb(0, 0, 0);

class WindowDc : public ::testing::Test {
protected:
    void SetUp() override {
        pl::SetScreenInfo(pl::kHeadlessScreen);
        pl::Hdc screen = pl::GetDC(nullptr);
        pl::FillRect(screen, pl::Rect{0, 0, 240, 320}, pl::GetStockBlackBrush());
        pl::ReleaseDC(nullptr, screen);
    }
    void TearDown() override { pl::ResetSysColors(); }

    // Fills the window's whole client area through its own context.
    void FillWindow(pl::Hwnd hwnd, ColorRef colour) {
        pl::Hdc dc = pl::GetDC(hwnd);
        pl::Hbrush brush = pl::CreateSolidBrush(colour);
        pl::FillRect(dc, pl::Rect{0, 0, 1000, 1000}, brush);
        pl::DeleteObject(brush);
        pl::ReleaseDC(hwnd, dc);
    }

    testwin::CleanPlatform clean;
    testwin::Recorder rec;
};

TEST_F(WindowDc, PolylineOnWindowLeavesLastPointUnpainted) {
    pl::Hwnd w = rec.Top({10, 20, 60, 70});
    pl::Hdc dc = pl::GetDC(w);
    ASSERT_NE(dc, nullptr);
    pl::Hpen pen = pl::CreatePen(kRed);
    pl::Hpen old = pl::SelectObject(dc, pen);
    pl::Point pts[2] = {{0, 0}, {3, 1}};
    ASSERT_TRUE(pl::Polyline(dc, pts, 2));
    pl::SelectObject(dc, old);
    pl::DeleteObject(pen);
    EXPECT_EQ(pl::ReleaseDC(w, dc), 1);
    // Window coordinates start at the window's top-left corner on the screen.
    EXPECT_EQ(pl::ScreenPixel(10, 20), kRed);
    EXPECT_EQ(pl::ScreenPixel(11, 20), kRed);
    EXPECT_EQ(pl::ScreenPixel(12, 21), kRed);
    EXPECT_EQ(pl::ScreenPixel(13, 21), kBlack);
}

TEST_F(WindowDc, DrawingNeverCoversVisibleChildOrHigherWindow) {
    pl::Hwnd top = rec.Top({10, 10, 60, 60});
    rec.Child(top, 1, {5, 5, 15, 15});
    rec.Top({40, 40, 100, 100});  // above the first
    FillWindow(top, kRed);
    EXPECT_EQ(pl::ScreenPixel(10, 10), kRed);
    EXPECT_EQ(pl::ScreenPixel(14, 14), kRed);
    EXPECT_EQ(pl::ScreenPixel(15, 15), kBlack);  // the child
    EXPECT_EQ(pl::ScreenPixel(24, 24), kBlack);
    EXPECT_EQ(pl::ScreenPixel(25, 25), kRed);
    EXPECT_EQ(pl::ScreenPixel(39, 45), kRed);
    EXPECT_EQ(pl::ScreenPixel(40, 45), kBlack);  // the higher window
    EXPECT_EQ(pl::ScreenPixel(60, 10), kBlack);  // outside
}

TEST_F(WindowDc, ClipRectangleIsInClientCoordinates) {
    pl::Hwnd w = rec.Top({20, 30, 60, 70});
    pl::Hdc dc = pl::GetDC(w);
    pl::IntersectClipRect(dc, pl::Rect{2, 3, 4, 5});
    pl::FillRect(dc, pl::Rect{0, 0, 40, 40}, pl::GetSysColorBrush(pl::kColorWindow));
    pl::Rect box;
    ASSERT_TRUE(pl::GetClipBox(dc, &box));
    EXPECT_EQ(box, (pl::Rect{2, 3, 4, 5}));
    pl::ReleaseDC(w, dc);
    EXPECT_EQ(pl::ScreenPixel(22, 33), Rgb(255, 255, 255));
    EXPECT_EQ(pl::ScreenPixel(23, 34), Rgb(255, 255, 255));
    EXPECT_EQ(pl::ScreenPixel(24, 33), kBlack);
    EXPECT_EQ(pl::ScreenPixel(22, 35), kBlack);
}

TEST_F(WindowDc, DibToScreenAndBackRoundTripsExactly) {
    TestCanvas dib(16, 8, 16);
    auto* words = static_cast<uint16_t*>(dib.bits());
    for (int i = 0; i < 16 * 8; ++i) words[i] = static_cast<uint16_t>((i * 523 + 7) & 0x7FFF);
    pl::Hdc screen = pl::GetDC(nullptr);
    ASSERT_TRUE(pl::BitBlt(screen, 100, 50, 16, 8, dib.dc(), 0, 0));
    // Pixel (x, y) of the DIB is the word at row h - 1 - y; on screen its 5-bit
    // channels are widened by replication.
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 16; ++x) ASSERT_EQ(pl::ScreenPixel(100 + x, 50 + y), pl::FromPixel555(words[(7 - y) * 16 + x]));
    TestCanvas back(16, 8, 16);
    ASSERT_TRUE(pl::BitBlt(back.dc(), 0, 0, 16, 8, screen, 100, 50));
    EXPECT_EQ(std::memcmp(back.bits(), dib.bits(), 16 * 8 * 2), 0);
    pl::ReleaseDC(nullptr, screen);
}

TEST_F(WindowDc, DestroyedWindowGivesNoContextAndOldContextDrawsNothing) {
    pl::Hwnd w = rec.Top({0, 0, 20, 20});
    pl::Hdc dc = pl::GetDC(w);
    pl::DestroyWindow(w);
    EXPECT_EQ(pl::GetDC(w), nullptr);
    pl::FillRect(dc, pl::Rect{0, 0, 20, 20}, pl::GetSysColorBrush(pl::kColorWindow));
    EXPECT_EQ(pl::ScreenPixel(5, 5), kBlack);
    EXPECT_EQ(pl::ReleaseDC(w, dc), 1);
}

TEST_F(WindowDc, SettingSystemColoursRepaintsEveryWindow) {
    pl::Hwnd a = rec.Top({0, 0, 50, 50});
    pl::Hwnd child = rec.Child(a, 3, {0, 0, 10, 10});
    pl::Hwnd b = rec.Top({60, 0, 100, 50}, nullptr, 0);  // hidden windows too, for when they show
    for (pl::Hwnd h : {a, child, b}) pl::Validate(h, nullptr);
    int index = pl::kColorWindow;
    ColorRef red = kRed;
    ASSERT_TRUE(pl::SetSysColors(1, &index, &red));
    pl::Rect r;
    for (pl::Hwnd h : {a, child, b}) {
        ASSERT_TRUE(pl::GetUpdateRect(h, &r));
        EXPECT_FALSE(r.IsEmpty());
    }
}

}  // namespace
