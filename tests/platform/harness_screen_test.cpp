// The harness reads the screen the program painted: pixels and PNG files.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <vector>

#include "platform/drawing.h"
#include "platform/harness.h"
#include "platform/message_queue.h"
#include "platform/paint.h"
#include "platform/sys_colors.h"
#include "platform/window.h"
#include "support/png_file.h"
#include "support/test_harness.h"

namespace {

// A program with one window whose class brush paints it in the highlight
// colour, and a red pixel drawn at (1, 2) of it on every paint.
pl::LResult Procedure(pl::Hwnd hwnd, uint32_t message, pl::WParam wParam, pl::LParam lParam) {
    if (message == pl::WM_PAINT) {
        pl::PaintStruct ps;
        pl::Hdc dc = pl::BeginPaint(hwnd, &ps);
        pl::SetPixel(dc, 1, 2, pl::Rgb(255, 0, 0));
        pl::EndPaint(hwnd, &ps);
        return 0;
    }
    return pl::DefWindowProc(hwnd, message, wParam, lParam);
}

int Program() {
    pl::WindowClass cls;
    cls.name = "Painted";
    cls.proc = Procedure;
    cls.background = pl::GetSysColorBrush(pl::kColorHighlight);
    pl::RegisterClass(cls);
    pl::CreateParams p;
    p.className = "Painted";
    p.style = pl::WS_VISIBLE;
    p.x = 20;
    p.y = 10;
    p.width = 30;
    p.height = 40;
    pl::CreateWindow(p);
    pl::Msg msg;
    while (pl::GetMessage(&msg, nullptr, 0, 0) > 0) pl::DispatchMessage(&msg);
    return 0;
}

// The screen as the harness writes it to a PNG file, read back.
std::vector<unsigned char> SavedScreen(const pl::Harness& h, int* width, int* height) {
    std::string path = (std::filesystem::path(::testing::TempDir()) / ("zd_harness_screen_" + std::to_string(::getpid()) + ".png")).string();
    std::vector<unsigned char> rgb;
    EXPECT_TRUE(h.savePng(path));
    EXPECT_TRUE(ReadPngRgb(path, width, height, &rgb));
    std::filesystem::remove(path);
    return rgb;
}

// The class brush erased the window before its paint; a screen change resizes
// what the harness shows.
TEST(HarnessScreen, PixelsAndPngShowWhatWasPainted) {
    pl::Harness h(TestHarnessOptions());
    h.start(Program);
    EXPECT_EQ(h.pixel(20, 10), 0x000080u);  // navy highlight, 0x00RRGGBB
    EXPECT_EQ(h.pixel(21, 12), 0xFF0000u);
    EXPECT_EQ(h.pixel(50, 10), 0u);
    int w = 0, height = 0;
    std::vector<unsigned char> rgb = SavedScreen(h, &w, &height);
    ASSERT_EQ(w, 240);
    ASSERT_EQ(height, 320);
    const unsigned char* red = &rgb[(12 * 240 + 21) * 3];
    EXPECT_EQ(red[0], 255);
    EXPECT_EQ(red[1], 0);
    h.changeScreen(480, 640, 192);
    EXPECT_EQ(h.pixel(479, 639), 0u);
    SavedScreen(h, &w, &height);
    EXPECT_EQ(w, 480);
    EXPECT_EQ(height, 640);
    h.stop();
}

}  // namespace
