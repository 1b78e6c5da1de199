// The form's back buffer.
#include "ui/saved_screen.h"

#include <gtest/gtest.h>

#include "platform/drawing.h"
#include "platform/framebuffer.h"
#include "platform/screen.h"
#include "support/draw_fixture.h"
#include "support/recording_services.h"
#include "support/recording_window.h"
#include "ui/colors.h"

namespace {

class SavedScreenTest : public DrawFixture {
protected:
    void SetUp() override {
        DrawFixture::SetUp();
        pl::SetScreenInfo(pl::kHeadlessScreen);
        window = rec.Top({0, 0, 40, 30});
        Paint(0x0000FF);
    }
    void TearDown() override {
        ReleaseDrawWindow();
        DrawFixture::TearDown();
    }
    // Makes the window current (reading its size) and fills it.
    void Paint(pl::ColorRef color) {
        InitDrawWindowOwnDc(window);
        pl::Hbrush brush = pl::CreateSolidBrush(color);
        pl::FillRect(GetDrawDc(), pl::Rect{0, 0, 1000, 1000}, brush);
        pl::DeleteObject(brush);
    }
    testwin::CleanPlatform clean;
    testwin::Recorder rec;
    pl::Hwnd window = nullptr;
};

TEST_F(SavedScreenTest, SameSizeReusesTheBufferNewSizeRemakesIt) {
    SaveScreen();
    DrawWindowRecord* first = GetSavedScreen();
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->right, 40);
    EXPECT_EQ(first->bottom, 30);
    EXPECT_EQ(first->bitsPerPixel, 16);
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
    EXPECT_EQ(GetSavedScreen()->right, 50);
    EXPECT_EQ(GetSavedScreen()->bottom, 20);
    EXPECT_EQ(Pixel(GetSavedScreen(), 49, 19), 0x001F);
}

// A new buffer is filled with the background before the copy, so what the
// copy cannot reach (here: the part of the window beyond the screen) is background.
TEST_F(SavedScreenTest, NewBufferStartsAsBackground) {
    pl::MoveWindow(window, 230, 0, 20, 10);
    Paint(0x0000FF);
    SaveScreen();
    ASSERT_NE(GetSavedScreen(), nullptr);
    EXPECT_EQ(Pixel(GetSavedScreen(), 9, 5), 0x7C00);
    EXPECT_EQ(Pixel(GetSavedScreen(), 10, 5), 0x7FFF);  // off the 240-pixel screen
}

TEST_F(SavedScreenTest, RestoreLeavesTheBottomStrip) {
    SaveScreen();
    Paint(0x00FF00);
    RestoreSavedScreen(8);
    EXPECT_EQ(pl::ScreenPixel(3, 21), 0x0000FFu);
    EXPECT_EQ(pl::ScreenPixel(39, 21), 0x0000FFu);
    EXPECT_EQ(pl::ScreenPixel(3, 22), 0x00FF00u);  // the last 8 rows stay
    EXPECT_EQ(pl::ScreenPixel(3, 29), 0x00FF00u);
    Paint(0x00FF00);
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
    ASSERT_EQ(services.messages.size(), 1u);
    EXPECT_EQ(services.messages[0].text, "Failed to allocate offscreenSaved");
    EXPECT_EQ(services.messages[0].detail, "");
    RestoreSavedScreen(0);
}

}  // namespace
