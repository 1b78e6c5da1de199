// Bitmap resources and picture files drawn into the draw window; the chart's
// marker and small-icon strips.
#include "ui/bitmaps.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <tuple>

#include "core/preferences.h"
#include "platform/files.h"
#include "platform/resources.h"
#include "support/draw_fixture.h"
#include "support/jpeg_file.h"
#include "support/recording_services.h"
#include "support/temp_program_folder.h"
#include "ui/markers.h"
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

// Cell n of a strip of `cell`-pixel cells: a square of colour n + 1 (blue
// levels) whose upper half of the strip is filled and whose lower half (the
// second row of cells, when there is one) shows a 5 x 5 centre square of
// colour 0x10 + n, the rest `key`.
template <int Cell, uint32_t Key>
void Strip(uint32_t* pixels, int width, int height) {
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            uint32_t n = static_cast<uint32_t>(x / Cell);
            int cx = x % Cell - Cell / 2, cy = y % Cell - Cell / 2;
            bool centre = cx >= -2 && cx <= 2 && cy >= -2 && cy <= 2;
            uint32_t colour = y < Cell ? (centre ? 8 * (n + 1) : Key) : (centre ? 8 * (0x10 + n) : Key);
            pixels[y * width + x] = colour;
        }
}

constexpr pl::BitmapTemplate kStripBitmaps[] = {
    {4109, 63, 42, {}, {}, Strip<21, 0xFFFFFF>},
    {4110, 63, 42, {}, {}, Strip<21, 0x000000>},
    {3999, 54, 18, {}, {}, Strip<18, 0x000000>},
    {4111, 87, 29, {}, {}, Strip<29, 0x000000>},
};
constexpr pl::ResourceGroup kStrips = {.bitmaps = kStripBitmaps};

// Blue level b (0..255, a multiple of 8) as a 5-5-5 pixel.
constexpr uint16_t Blue(int b) { return static_cast<uint16_t>(b >> 3); }

class BitmapsTest : public DrawFixture {
protected:
    void SetUp() override {
        DrawFixture::SetUp();
        pl::ClearResourceGroups();
        pl::AddResourceGroup(kTestBitmaps);
        pl::AddResourceGroup(kStrips);
    }
    void TearDown() override {
        FreeMarkerBitmaps();
        pl::ClearResourceGroups();
        preferences.word[kPrefChartBackground] = 0;
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

// A resource becomes a DIB, night-filtered when loaded at night; a missing
// one or another depth gives nothing.
TEST_F(BitmapsTest, ResourceIsLoadedIntoADib) {
    for (int night : {0, 3}) {
        SetNightMode(night);
        DrawWindowRecord* r = LoadBitmapResource16(9001);
        ASSERT_NE(r, nullptr);
        EXPECT_EQ(Pic(r), night ? "www\n000" : "WRW\nGBG");
        DeleteOffscreenWindow(r);
    }
    EXPECT_EQ(LoadBitmapResource16(9002), nullptr);
    EXPECT_EQ(LoadBitmapResource(9001, 24), nullptr);
}

TEST_F(BitmapsTest, DrawBitmapStretchesByTheDisplayScale) {
    SetScale(2.0);
    DrawWindowRecord* r = Ground(8, 5);
    EXPECT_EQ(DrawBitmap(9001, 1, 0), 1);
    EXPECT_EQ(Pic(r), ".WWRRWW.\n.WWRRWW.\n.GGBBGG.\n.GGBBGG.\n........");
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
    EXPECT_EQ(Pic(big), "..RRR..\n..RRR..\nGGBBBGG\nGGBBBGG\nGGBBBGG");
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
    // A white picture of the size in img\.
    void WritePicture(const std::string& name, int width, int height) {
        std::filesystem::create_directories(folder.path() / "img");
        std::vector<unsigned char> rgb(3 * width * height, 255);
        ASSERT_TRUE(WriteJpegFile((folder.path() / "img" / name).string(), width, height, rgb));
    }
    TempProgramFolder folder{"bitmaps_test"};
    RecordingServices services;
};

TEST_F(BitmapFilesTest, MissingFileNamesItsFullPath) {
    EXPECT_EQ(LoadBitmapFile("img\\nothing.jpg", 16), nullptr);
    EXPECT_EQ(services.Texts(), std::vector<std::string>{"Can't find"});
    EXPECT_EQ(services.messages[0].detail, pl::ProgramPath() + "img\\nothing.jpg");
    EXPECT_EQ(DrawBitmapFileScaled("img\\nothing.jpg", 0, 0, 10, 10), 0);
    EXPECT_EQ(services.messages.size(), 2u);
}

// Edge case: a picture smaller than the box is drawn at its own size, centred.
// A larger picture shrinks by the smaller factor: 20 x 10 into 10 x 10 is
// 10 x 5, at (1 + 0, trunc(1 + 2.5)) = (1, 3).
TEST_F(BitmapFilesTest, PicturesAreCentredAndOnlyShrunk) {
    WritePicture("small.jpg", 4, 2);
    DrawWindowRecord* r = Ground(10, 6);
    EXPECT_EQ(DrawBitmapFileScaled("img\\small.jpg", 0, 0, 10, 6), 1);
    EXPECT_EQ(Pic(r), "..........\n..........\n...WWWW...\n...WWWW...\n..........\n..........");
    WritePicture("wide.jpg", 20, 10);
    r = Ground(12, 12);
    EXPECT_EQ(DrawBitmapFileScaled("img\\wide.jpg", 1, 1, 10, 10), 1);
    EXPECT_EQ(Count(r, kWhite), 50);
    for (auto [x, y, white] : {std::tuple{1, 2, false}, {1, 3, true}, {10, 7, true}, {10, 8, false}, {11, 5, false}})
        EXPECT_EQ(Pixel(r, x, y), white ? kWhite : kGround) << x << "," << y;
}

class MarkersTest : public BitmapsTest {
protected:
    void SetUp() override {
        BitmapsTest::SetUp();
        canvas = Ground(60, 60);
    }
    // The drawn pixels lie in the square from (left, top) of this side.
    void ExpectOnlyInside(int left, int top, int side) {
        for (int y = 0; y < 60; ++y)
            for (int x = 0; x < 60; ++x)
                if (Pixel(canvas, x, y) != kGround) {
                    EXPECT_TRUE(x >= left && x < left + side && y >= top && y < top + side) << x << "," << y;
                }
    }
    DrawWindowRecord* canvas = nullptr;
};

// At scale 1 the cells come from the strip's second row (offset 21), and the
// cell's top-left corner goes to (x - 10, y - 10).
TEST_F(MarkersTest, MarkerCellIsCentredOnThePoint) {
    preferences.word[kPrefChartBackground] = 2;  // white background: strip 4109, white transparent
    DrawMarkerIcon(1, 30, 30);
    EXPECT_EQ(Pixel(canvas, 30, 30), Blue(8 * 0x11));
    EXPECT_EQ(Pixel(canvas, 28, 28), Blue(8 * 0x11));
    EXPECT_EQ(Pixel(canvas, 27, 30), kGround);  // white: transparent
    EXPECT_EQ(Count(canvas, Blue(8 * 0x11)), 25);
}

// A strip loaded at night has its white key filtered with its pixels.
TEST_F(MarkersTest, WhiteKeyStaysTransparentAtNight) {
    SetNightMode(2);
    LoadMarkerBitmap(2);
    DrawMarkerIcon(0, 30, 30);
    EXPECT_EQ(Pixel(canvas, 21, 21), kGround);
    EXPECT_EQ(Pixel(canvas, 30, 30), 0);  // blue vanishes in the red filter
}

TEST_F(MarkersTest, SmallIconsByScale) {
    DrawSmallIcon(2, 0, 30, 30);  // strip 3999, 18-pixel cells: top-left (21, 21)
    EXPECT_EQ(Pixel(canvas, 30, 30), Blue(24));
    ExpectOnlyInside(21, 21, 18);
    FreeMarkerBitmaps();
    Fill(canvas, kGround);
    SetScale(2.0);
    DrawSmallIcon(1, 0, 30, 30);  // strip 4111, 29-pixel cells: top-left (16, 16)
    EXPECT_EQ(Pixel(canvas, 30, 30), Blue(16));
    ExpectOnlyInside(16, 16, 29);
}

}  // namespace
