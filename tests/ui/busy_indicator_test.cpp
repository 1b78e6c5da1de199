// The busy indicator: its frames in turn over the centre of the draw window,
// and the screen under it put back.
#include "ui/busy_indicator.h"

#include <gtest/gtest.h>

#include <vector>

#include "platform/drawing.h"
#include "platform/framebuffer.h"
#include "platform/resources.h"
#include "platform/screen.h"
#include "resources/program_resources.h"
#include "support/draw_fixture.h"
#include "support/recording_window.h"

namespace {

class BusyIndicatorTest : public DrawFixture {
protected:
    void SetUp() override {
        DrawFixture::SetUp();
        pl::SetScreenInfo(pl::kHeadlessScreen);
        pl::ClearResourceGroups();
        InstallProgramResources();
        ResetBusyIndicator();
        previous = InstallBusyIndicator();
        window = rec.Top({0, 0, 240, 320});
        InitDrawWindowOwnDc(window);
        // A pattern, so that putting it back can be told from repainting.
        for (int y = 0; y < 320; y += 4)
            for (int x = 0; x < 240; x += 4) {
                pl::Hbrush brush = pl::CreateSolidBrush(pl::Rgb(x, y % 256, (x * y) % 256));
                pl::FillRect(GetDrawDc(), pl::Rect{x, y, x + 4, y + 4}, brush);
                pl::DeleteObject(brush);
            }
        before = Screen();
    }
    void TearDown() override {
        ResetBusyIndicator();
        InstallServiceHooks(previous);
        pl::ClearResourceGroups();
        ReleaseDrawWindow();
        DrawFixture::TearDown();
    }
    static std::vector<uint32_t> Screen() {
        std::vector<uint32_t> s;
        for (int y = 0; y < 320; ++y)
            for (int x = 0; x < 240; ++x) s.push_back(pl::ScreenPixel(x, y));
        return s;
    }
    // The screen shows bitmap `id` (28 x 28 at scale 1, by day straight from
    // the resource) at (x, y).
    static bool Shows(int id, int x, int y) {
        const pl::BitmapTemplate* b = pl::FindBitmapTemplate(id);
        std::vector<uint32_t> pixels;
        bool same = b && pl::RenderBitmapTemplate(*b, &pixels);
        for (int row = 0; same && row < 28; ++row)
            for (int col = 0; same && col < 28; ++col)
                same = pl::ScreenPixel(x + col, y + row) == pl::FromPixel888(pixels[row * 28 + col]);
        return same;
    }

    testwin::CleanPlatform clean;
    testwin::Recorder rec;
    pl::Hwnd window = nullptr;
    ServiceHooks previous;
    std::vector<uint32_t> before;
};

// The box is 40 x 40 at the centre of 240 x 320: (100, 140); each frame is
// drawn at (101, 144). Flag 0 draws nothing, and an end with nothing started
// restores nothing; the next indication saves the screen afresh.
TEST_F(BusyIndicatorTest, FramesCycleAndTheScreenComesBack) {
    EXPECT_EQ(StepBusyIndicator(0), 0);
    EndBusyIndicator(1);
    EXPECT_EQ(Screen(), before);
    for (int step = 0; step < 12; ++step) {
        EXPECT_EQ(StepBusyIndicator(1), 0);
        EXPECT_TRUE(Shows(6081 + step % 10, 101, 144)) << step;
    }
    EXPECT_EQ(pl::ScreenPixel(99, 150), before[150 * 240 + 99]);  // outside the box: untouched
    EndBusyIndicator(1);
    EXPECT_EQ(Screen(), before);
    pl::SetPixel(GetDrawDc(), 120, 160, 0x123456);  // the screen changed meanwhile
    before = Screen();
    StepBusyIndicator(1);
    EndBusyIndicator(1);
    EXPECT_EQ(Screen(), before);
}

// At night the frames come from their filtered copies: red only.
TEST_F(BusyIndicatorTest, NightFramesAreRed) {
    SetNightMode(3);
    StepBusyIndicator(1);
    int red = 0;
    for (int y = 144; y < 144 + 28; ++y)
        for (int x = 101; x < 101 + 28; ++x) {
            pl::ColorRef c = pl::ScreenPixel(x, y);
            EXPECT_EQ(c & 0xFFFF00, 0u) << x << "," << y;
            red += pl::RedOf(c) > 0;
        }
    EXPECT_GT(red, 28 * 28 / 3);
    EndBusyIndicator(1);
    EXPECT_EQ(Screen(), before);
}

}  // namespace
