// The Moon picture cut by the terminator and turned by the position angle.
#include <gtest/gtest.h>

#include <cmath>

#include "platform/resources.h"
#include "support/draw_fixture.h"
#include "ui/shapes.h"

namespace {

constexpr uint32_t kLitRgb = 0x00FF00;   // picture A: green disc (pixel 0x03E0)
constexpr uint32_t kDarkRgb = 0x0000FF;  // picture B: blue disc (pixel 0x001F)
constexpr uint16_t kLit = 0x03E0, kDark = 0x001F, kGround = 0x0421;

// A 20 x 20 disc of radius 9.5 on black, with a white mark in the top rows of
// the disc when `marked`.
void Disc(uint32_t* pixels, int width, int height, uint32_t colour, bool marked) {
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            double dx = x - 9.5, dy = y - 9.5;
            bool in = dx * dx + dy * dy <= 9.5 * 9.5;
            pixels[y * width + x] = !in ? 0 : (marked && y < 3) ? 0xFFFFFF : colour;
        }
}
void LitDisc(uint32_t* p, int w, int h) { Disc(p, w, h, kLitRgb, false); }
void DarkDisc(uint32_t* p, int w, int h) { Disc(p, w, h, kDarkRgb, false); }
void MarkedDisc(uint32_t* p, int w, int h) { Disc(p, w, h, kLitRgb, true); }

constexpr pl::BitmapTemplate kBitmaps[] = {
    {3993, 20, 20, {}, {}, LitDisc}, {3994, 20, 20, {}, {}, DarkDisc}, {3995, 20, 20, {}, {}, MarkedDisc}};
constexpr pl::ResourceGroup kMoonBitmaps = {.bitmaps = kBitmaps};

class MoonImageTest : public DrawFixture {
protected:
    void SetUp() override {
        DrawFixture::SetUp();
        pl::ClearResourceGroups();
        pl::AddResourceGroup(kMoonBitmaps);
        canvas = DibWindow(20, 20);
        Fill(canvas, kGround);
    }
    void TearDown() override {
        pl::ClearResourceGroups();
        DrawFixture::TearDown();
    }
    int LitLeft() const {
        int n = 0;
        for (int y = 0; y < 20; ++y)
            for (int x = 0; x < 10; ++x) n += Pixel(canvas, x, y) == kLit;
        return n;
    }
    DrawWindowRecord* canvas = nullptr;
};

// The caller's phase: full Moon 0 takes the whole disc from A, new Moon 0.5
// the whole disc from B.
TEST_F(MoonImageTest, FullMoonFromAAndNewMoonFromB) {
    DrawMoonPhaseImage(3993, 3994, 20, 20, 0, 0, 0.0, 0.0, 1, 1);
    int disc = Count(canvas, kLit);
    EXPECT_GT(disc, 250);  // pi x 9.5^2 = 283
    EXPECT_EQ(Count(canvas, kDark), 0);
    EXPECT_EQ(Pixel(canvas, 0, 0), kGround);  // the key (black) is left out
    Fill(canvas, kGround);
    DrawMoonPhaseImage(3993, 3994, 20, 20, 0, 0, 0.5, 0.0, 1, 1);
    EXPECT_EQ(Count(canvas, kDark), disc);
    EXPECT_EQ(Count(canvas, kLit), 0);
}

// Phase 0.75 (first quarter) takes B on the left half, 0.25 on the right half.
TEST_F(MoonImageTest, QuartersSplitTheDisc) {
    DrawMoonPhaseImage(3993, 3994, 20, 20, 0, 0, 0.75, 0.0, 1, 1);
    EXPECT_EQ(LitLeft(), 0);
    EXPECT_GT(Count(canvas, kLit), 100);
    EXPECT_GT(Count(canvas, kDark), 100);
    Fill(canvas, kGround);
    DrawMoonPhaseImage(3993, 3994, 20, 20, 0, 0, 0.25, 0.0, 1, 1);
    EXPECT_GT(LitLeft(), 100);
    for (int y = 0; y < 20; ++y) EXPECT_NE(Pixel(canvas, 15, y), kLit) << y;
}

// Box row r shows stored row r of the bottom-up picture: at angle 0 the
// picture's top (the mark) comes out at the bottom; turned by 180 degrees it
// is at the top again, one pixel lower and to the right since the turn is
// about box pixel (10, 10), not the centre 9.5.
TEST_F(MoonImageTest, AngleTurnsThePicture) {
    DrawMoonPhaseImage(3995, 3994, 20, 20, 0, 0, 0.0, 0.0, 1, 1);
    EXPECT_EQ(Pixel(canvas, 10, 18), 0x7FFF);
    EXPECT_EQ(Pixel(canvas, 10, 1), kLit);
    Fill(canvas, kGround);
    DrawMoonPhaseImage(3995, 3994, 20, 20, 0, 0, 0.0, 180.0, 1, 1);
    EXPECT_EQ(Pixel(canvas, 10, 1), kGround);
    EXPECT_EQ(Pixel(canvas, 10, 2), 0x7FFF);
    EXPECT_EQ(Pixel(canvas, 10, 19), kLit);
    EXPECT_EQ(Pixel(canvas, 1, 10), kGround);
    EXPECT_EQ(Pixel(canvas, 19, 10), kLit);
}

TEST_F(MoonImageTest, StepsSpreadThePixelsAroundTheBoxCentre) {
    DrawWindowRecord* big = DibWindow(40, 40);
    Fill(big, kGround);
    DrawMoonPhaseImage(3993, 3994, 20, 20, 10, 10, 0.0, 0.0, 2, 2);  // x0 = y0 = 10 + 10 - 20 = 0
    EXPECT_EQ(Pixel(big, 20, 20), kLit);
    EXPECT_EQ(Pixel(big, 21, 20), kGround);  // between the steps
    EXPECT_EQ(Pixel(big, 2, 20), kLit);
}

TEST_F(MoonImageTest, NothingForAnEmptyBoxOrAMissingBitmap) {
    DrawMoonPhaseImage(3993, 3994, 0, 20, 0, 0, 0.0, 0.0, 1, 1);
    DrawMoonPhaseImage(3993, 3994, 20, 0, 0, 0, 0.0, 0.0, 1, 1);
    DrawMoonPhaseImage(3993, 4000, 20, 20, 0, 0, 0.0, 0.0, 1, 1);
    DrawMoonPhaseImage(4000, 3994, 20, 20, 0, 0, 0.0, 0.0, 1, 1);
    EXPECT_EQ(Count(canvas, kGround), 400);
}

}  // namespace
