// The lit Moon map: the night side darkened along the terminator, the black
// terminator line, real phases, night mode, mirroring and a failed surface.
#include "assistants/moon_map_view.h"

#include <gtest/gtest.h>

#include <cmath>

#include "assistant_draw_fixture.h"
#include "support/recording_services.h"
#include "ui/bitmaps.h"
#include "ui/offscreen.h"

namespace {

constexpr uint16_t kWhite = 0x7FFF;
constexpr uint16_t kDarkWhite = 26 << 10 | 26 << 5 | 26;

uint16_t Fields(int r, int g, int b) { return static_cast<uint16_t>(r << 10 | g << 5 | b); }

class MoonMapRender : public AssistantDrawFixture {
protected:
    void TearDown() override {
        FreeMoonMapBitmap();
        SetMoonMapSurfaceMaker(nullptr);
        AssistantDrawFixture::TearDown();
    }
    // A plain map of the size mode, as loaded before shading.
    DrawWindowRecord* Plain(int sizeMode) {
        DrawWindowRecord* r = Dib(MoonMapSize(sizeMode), MoonMapSize(sizeMode));
        for (int k = 0; k < (sizeMode == 1 ? 1 : 9); ++k) {
            DrawWindowRecord* t = LoadBitmapResource16(sizeMode == 1 ? 6036 : 6025 + k);
            CopyRectangle(t, r, {0, 0, 320, 320}, 320 * (k % 3), 320 * (k / 3), 0);
            DeleteOffscreenWindow(t);
        }
        return r;
    }
    // Share of the disc's pixels that the rendered map changed.
    static double ChangedShare(const DrawWindowRecord* plain) {
        int disc = 0, changed = 0;
        for (int y = 0; y < plain->bottom; ++y)
            for (int x = 0; x < plain->right; ++x) {
                if (Pixel(plain, x, y) == 0) continue;
                ++disc;
                changed += Pixel(moonMapBitmap, x, y) != Pixel(plain, x, y);
            }
        return static_cast<double>(changed) / disc;
    }
};

TEST(MoonMapPixels, EachFieldLosesFiveFlooredAtZero) {
    const uint16_t cases[][2] = {{kWhite, kDarkWhite}, {Fields(3, 3, 3), 0}, {Fields(3, 31, 10), Fields(0, 26, 5)},
                                 {Fields(5, 6, 4), Fields(0, 1, 0)}, {0, 0}};
    for (const auto& c : cases) EXPECT_EQ(DarkenMoonMapPixel(c[0]), c[1]) << c[0];
}

// On a white square of side 2R: c0 = 0 darkens columns up to R - 1, c0 = 180
// those from R (a = 0), the line black at R - 1 and R; c0 = 90 touches nothing
// inside the disc but the line on its left limb, c0 = 270 all of it with the
// line on its right limb: exactly 90 and 270 take the left branch.
TEST_F(MoonMapRender, TerminatorSplitsTheDisc) {
    constexpr int R = 40;
    for (double c0 : {0.0, 180.0, 90.0, 270.0}) {
        DrawWindowRecord* r = Dib(2 * R, 2 * R);
        Fill(r, kWhite);
        ShadeMoonMap(r, c0, 0.0);
        int wrong = 0;
        for (int y = 0; y < 2 * R; ++y)
            for (int x = 0; x < 2 * R; ++x) {
                uint16_t p = Pixel(r, x, y);
                double d = std::hypot(x + 0.5 - R, y + 0.5 - R);
                if (c0 == 0.0 || c0 == 180.0) {
                    bool dark = c0 == 0.0 ? x < R - 1 : x > R;
                    wrong += p != (x == R - 1 || x == R ? 0 : dark ? kDarkWhite : kWhite);
                } else if (d < R - 2.5) {
                    wrong += p != (c0 == 90.0 ? kWhite : kDarkWhite);
                }
            }
        EXPECT_EQ(wrong, 0) << c0;
        if (c0 == 90.0 || c0 == 270.0) {
            int limb = c0 == 90.0 ? 0 : 2 * R - 1;
            EXPECT_EQ(Pixel(r, limb, R), 0) << c0;
            EXPECT_EQ(Pixel(r, 2 * R - 1 - limb, R), c0 == 90.0 ? kWhite : kDarkWhite) << c0;
        }
    }
}

// USNO phase times (UT) of January 2024 through the selenographic Sun: full
// Moon leaves the disc lit, new Moon dark, first quarter the left half dark
// with the centre row's terminator within 0.15 R of the centre (libration in
// longitude moves it by up to 8 degrees).
TEST_F(MoonMapRender, RealPhasesLightTheDisc) {
    DrawWindowRecord* plain = Plain(1);
    ASSERT_NE(RenderMoonMapOffscreen(1, 2024, 1, 25, 17, 54, 0, 0), nullptr);
    EXPECT_LT(ChangedShare(plain), 0.01);
    RenderMoonMapOffscreen(1, 2024, 1, 11, 11, 57, 0, 0);
    EXPECT_GT(ChangedShare(plain), 0.99);
    RenderMoonMapOffscreen(1, 2024, 1, 18, 3, 53, 0, 0);
    int line = -1;
    for (int x = 0; x < 320 && line < 0; ++x)
        if (Pixel(moonMapBitmap, x, 160) == 0 && Pixel(plain, x, 160) != 0) line = x;
    EXPECT_NEAR(line, 160, 0.15 * 160);
    EXPECT_EQ(Pixel(moonMapBitmap, 100, 160), DarkenMoonMapPixel(Pixel(plain, 100, 160)));
    EXPECT_EQ(Pixel(moonMapBitmap, 220, 160), Pixel(plain, 220, 160));
}

// The 960 map at first quarter: tiles in place, night mode 1 filters the map
// once more after the tiles' own filter; flips mirror it; a second render
// frees the first.
TEST_F(MoonMapRender, NightModeAndMirrorsOfTheLargeMap) {
    DrawWindowRecord* plain = Plain(2);
    RenderMoonMapOffscreen(2, 2024, 1, 18, 3, 53, 0, 0);
    DrawWindowRecord* day = Dib(960, 960);
    CopyRectangle(moonMapBitmap, day, {0, 0, 960, 960}, 0, 0, 0);
    const int lit[2] = {700, 300}, dark[2] = {250, 500};
    EXPECT_EQ(Pixel(day, lit[0], lit[1]), Pixel(plain, lit[0], lit[1]));
    EXPECT_EQ(Pixel(day, dark[0], dark[1]), DarkenMoonMapPixel(Pixel(plain, dark[0], dark[1])));
    for (auto [flipX, flipY] : {std::pair{1, 0}, {0, 1}, {1, 1}}) {
        DrawWindowRecord* before = moonMapBitmap;
        SetDrawWindow(before);
        RenderMoonMapOffscreen(2, 2024, 1, 18, 3, 53, flipX, flipY);
        EXPECT_EQ(GetDrawWindow(), nullptr) << "the first map was deleted";
        for (auto [x, y] : {std::pair{lit[0], lit[1]}, {dark[0], dark[1]}, {480, 17}})
            EXPECT_EQ(Pixel(moonMapBitmap, flipX ? 959 - x : x, flipY ? 959 - y : y), Pixel(day, x, y));
    }
    SetNightMode(1);
    RenderMoonMapOffscreen(2, 2024, 1, 18, 3, 53, 0, 0);
    auto night = [](uint16_t p) { return NightFilterPixel(p, 1); };
    EXPECT_EQ(Pixel(moonMapBitmap, lit[0], lit[1]), night(night(Pixel(plain, lit[0], lit[1]))));
    EXPECT_EQ(Pixel(moonMapBitmap, dark[0], dark[1]),
              night(DarkenMoonMapPixel(night(Pixel(plain, dark[0], dark[1])))));
}

// A 960 surface that cannot be made: the message, no map, and copies skipped.
TEST_F(MoonMapRender, FailedSurfaceLeavesNoMap) {
    RecordingServices services;
    RenderMoonMapOffscreen(1, 2024, 1, 18, 3, 53, 0, 0);
    SetMoonMapSurfaceMaker([](int, int, int) -> DrawWindowRecord* { return nullptr; });
    EXPECT_EQ(RenderMoonMapOffscreen(2, 2024, 1, 18, 3, 53, 0, 0), nullptr);
    EXPECT_EQ(moonMapBitmap, nullptr);
    EXPECT_EQ(services.Texts(), std::vector<std::string>{"offScreen Not enough memory"});
    DrawWindowRecord* screen = DibWindow(40, 40);
    Fill(screen, kWhite);
    CopyMoonMapView({0, 0, 40, 40}, 1.0);
    EXPECT_EQ(Count(screen, kWhite), 1600);
}

}  // namespace
