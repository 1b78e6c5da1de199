// The chart's marker and small-icon strips.
#include "ui/markers.h"

#include <gtest/gtest.h>

#include "core/preferences.h"
#include "platform/resources.h"
#include "support/draw_fixture.h"

namespace {

constexpr uint16_t kGround = 0x0421;

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

constexpr pl::BitmapTemplate kBitmaps[] = {
    {4109, 63, 42, {}, {}, Strip<21, 0xFFFFFF>},
    {4110, 63, 42, {}, {}, Strip<21, 0x000000>},
    {3999, 54, 18, {}, {}, Strip<18, 0x000000>},
    {4111, 87, 29, {}, {}, Strip<29, 0x000000>},
};
constexpr pl::ResourceGroup kStrips = {.bitmaps = kBitmaps};

// Blue level b (0..255, a multiple of 8) as a 5-5-5 pixel.
constexpr uint16_t Blue(int b) { return static_cast<uint16_t>(b >> 3); }

class MarkersTest : public DrawFixture {
protected:
    void SetUp() override {
        DrawFixture::SetUp();
        pl::ClearResourceGroups();
        pl::AddResourceGroup(kStrips);
        canvas = DibWindow(60, 60);
        Fill(canvas, kGround);
    }
    void TearDown() override {
        FreeMarkerBitmaps();
        pl::ClearResourceGroups();
        preferences.word[kPrefChartBackground] = 0;
        DrawFixture::TearDown();
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

TEST_F(MarkersTest, SchemeChoosesTheStripAndScaleTheRow) {
    SetScale(2.0);
    LoadMarkerBitmap(0);  // strip 4110, black transparent, first row
    DrawMarkerIcon(2, 30, 30);
    EXPECT_EQ(Pixel(canvas, 30, 30), Blue(24));
    EXPECT_EQ(Count(canvas, Blue(24)), 25);
    ExpectOnlyInside(20, 20, 21);
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
