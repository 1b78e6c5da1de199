// Bitmap resources and picture files drawn into the draw window.
#include "ui/bitmaps.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "platform/files.h"
#include "platform/resources.h"
#include "support/draw_fixture.h"
#include "support/jpeg_file.h"
#include "support/recording_services.h"
#include "support/temp_program_folder.h"
#include "ui/offscreen.h"

namespace {

constexpr uint16_t kWhite = 0x7FFF, kRed = 0x7C00, kGreen = 0x03E0, kBlue = 0x001F, kGround = 0x0421;

constexpr const char* kRows[] = {"WRW", "GBG"};
constexpr const char* kHalfRedRows[] = {"WM", "MW"};
constexpr pl::PaletteEntry kPalette[] = {
    {'W', 0xFFFFFF}, {'R', 0xFF0000}, {'G', 0x00FF00}, {'B', 0x0000FF}, {'M', 0x800000}};
constexpr pl::BitmapTemplate kBitmaps[] = {{9001, 3, 2, kRows, kPalette, nullptr},
                                           {9003, 2, 2, kHalfRedRows, kPalette, nullptr}};
constexpr pl::ResourceGroup kTestBitmaps = {.bitmaps = kBitmaps};

class BitmapsTest : public DrawFixture {
protected:
    void SetUp() override {
        DrawFixture::SetUp();
        pl::ClearResourceGroups();
        pl::AddResourceGroup(kTestBitmaps);
    }
    void TearDown() override {
        pl::ClearResourceGroups();
        DrawFixture::TearDown();
    }
    DrawWindowRecord* Ground(int width, int height) {
        DrawWindowRecord* r = DibWindow(width, height);
        Fill(r, kGround);
        return r;
    }
    std::string Pic(const DrawWindowRecord* r) {
        return Picture(r, {{kGround, '.'}, {kWhite, 'W'}, {kRed, 'R'}, {kGreen, 'G'}, {kBlue, 'B'}, {0x7800, 'w'},
                           {0x0000, '0'}});
    }
};

TEST_F(BitmapsTest, ResourceIsLoadedIntoADib) {
    DrawWindowRecord* r = LoadBitmapResource16(9001);
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(Pic(r), "WRW\nGBG");
    DeleteOffscreenWindow(r);
    EXPECT_EQ(LoadBitmapResource16(9002), nullptr);
    EXPECT_EQ(LoadBitmapResource(9001, 24), nullptr);
}

TEST_F(BitmapsTest, NightModeFiltersWhatIsLoaded) {
    SetNightMode(3);
    DrawWindowRecord* r = LoadBitmapResource16(9001);
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(Picture(r, {{0x7800, 'w'}, {0x0000, '0'}}), "www\n000");
    DeleteOffscreenWindow(r);
}

TEST_F(BitmapsTest, DrawBitmapStretchesByTheDisplayScale) {
    SetScale(2.0);
    DrawWindowRecord* r = Ground(8, 5);
    EXPECT_EQ(DrawBitmap(9001, 1, 0), 1);
    EXPECT_EQ(Pic(r),
              ".WWRRWW.\n"
              ".WWRRWW.\n"
              ".GGBBGG.\n"
              ".GGBBGG.\n"
              "........");
    EXPECT_EQ(DrawBitmap(9002, 0, 0), 1);  // missing: nothing drawn
}

TEST_F(BitmapsTest, MaskedBitmapsLeaveOutTheTopLeftColour) {
    DrawWindowRecord* r = Ground(4, 3);
    DrawBitmapMasked(9001, 0, 0);
    EXPECT_EQ(Pic(r), ".R..\nGBG.\n....");
    Fill(r, kGround);
    DrawBitmapTransparent(9001, 1, 1);
    EXPECT_EQ(Pic(r), "....\n..R.\n.GBG");
    DrawWindowRecord* big = Ground(7, 5);
    // 7 x 5, each pixel taking the source pixel under its centre: columns
    // floor((d + 0.5) x 3 / 7) = 0 0 1 1 1 2 2, rows floor((d + 0.5) x 2 / 5) = 0 0 1 1 1.
    DrawBitmapScaled(9001, 0, 0, 2.5);
    EXPECT_EQ(Pic(big),
              "..RRR..\n"
              "..RRR..\n"
              "GGBBBGG\n"
              "GGBBBGG\n"
              "GGBBBGG");
}

// In night mode the white top-left pixel is filtered with the rest, so it
// still matches and the background does not show.
TEST_F(BitmapsTest, MaskedBitmapAtNightHidesTheFilteredBackground) {
    SetNightMode(3);
    DrawWindowRecord* r = Ground(2, 2);
    DrawBitmapMasked(9003, 0, 0);  // white becomes 0x7800, half red 0x4000
    EXPECT_EQ(Picture(r, {{kGround, '.'}, {0x4000, 'M'}}), ".M\nM.");
}

class BitmapFilesTest : public BitmapsTest {
protected:
    // A solid colour picture of the size in img\.
    void WritePicture(const std::string& name, int width, int height, unsigned char r, unsigned char g,
                      unsigned char b) {
        std::filesystem::create_directories(folder.path() / "img");
        std::vector<unsigned char> rgb;
        for (int i = 0; i < width * height; ++i) rgb.insert(rgb.end(), {r, g, b});
        ASSERT_TRUE(WriteJpegFile((folder.path() / "img" / name).string(), width, height, rgb));
    }
    TempProgramFolder folder{"bitmaps_test"};
    RecordingServices services;
};

TEST_F(BitmapFilesTest, MissingFileNamesItsFullPath) {
    EXPECT_EQ(LoadBitmapFile("img\\nothing.jpg", 16), nullptr);
    ASSERT_EQ(services.messages.size(), 1u);
    EXPECT_EQ(services.messages[0].text, "Can't find");
    EXPECT_EQ(services.messages[0].detail, pl::ProgramPath() + "img\\nothing.jpg");
    EXPECT_EQ(DrawBitmapFileScaled("img\\nothing.jpg", 0, 0, 10, 10), 0);
    EXPECT_EQ(services.messages.size(), 2u);
}

TEST_F(BitmapFilesTest, PictureFileIsLoadedAndFilteredAtNight) {
    WritePicture("white.jpg", 6, 4, 255, 255, 255);
    DrawWindowRecord* r = LoadBitmapFile("img\\white.jpg", 16);
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(r->right, 6);
    EXPECT_EQ(r->bottom, 4);
    EXPECT_EQ(Count(r, kWhite), 24);
    DeleteOffscreenWindow(r);
    SetNightMode(1);
    r = LoadBitmapFile("img\\white.jpg", 16);
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(Count(r, 0x3800), 24);
    DeleteOffscreenWindow(r);
}

// Edge case: a picture smaller than the box is drawn at its own size, centred.
TEST_F(BitmapFilesTest, SmallPictureIsCentredAtItsOwnSize) {
    WritePicture("small.jpg", 4, 2, 255, 255, 255);
    DrawWindowRecord* r = Ground(10, 6);
    EXPECT_EQ(DrawBitmapFileScaled("img\\small.jpg", 0, 0, 10, 6), 1);
    EXPECT_EQ(Pic(r),
              "..........\n"
              "..........\n"
              "...WWWW...\n"
              "...WWWW...\n"
              "..........\n"
              "..........");
}

// A larger picture shrinks by the smaller factor: 20 x 10 into 10 x 10 is
// 10 x 5, at (1 + 0, trunc(1 + 2.5)) = (1, 3).
TEST_F(BitmapFilesTest, LargePictureShrinksKeepingItsProportions) {
    WritePicture("wide.jpg", 20, 10, 255, 255, 255);
    DrawWindowRecord* r = Ground(12, 12);
    EXPECT_EQ(DrawBitmapFileScaled("img\\wide.jpg", 1, 1, 10, 10), 1);
    EXPECT_EQ(Count(r, kWhite), 50);
    EXPECT_EQ(Pixel(r, 1, 2), kGround);
    EXPECT_EQ(Pixel(r, 1, 3), kWhite);
    EXPECT_EQ(Pixel(r, 10, 7), kWhite);
    EXPECT_EQ(Pixel(r, 10, 8), kGround);
    EXPECT_EQ(Pixel(r, 11, 5), kGround);
}

}  // namespace
