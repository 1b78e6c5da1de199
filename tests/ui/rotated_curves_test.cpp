// Rings and parabolas turned by a matrix.
#include "ui/rotated_curves.h"

#include <gtest/gtest.h>

#include <cmath>

#include "support/draw_fixture.h"
#include "ui/colors.h"

namespace {

constexpr int32_t kIdentity[9] = {1 << 24, 0, 0, 0, 1 << 24, 0, 0, 0, 1 << 24};
constexpr uint32_t kAbove = 0x0000FF;  // red, pixel 0x7C00
constexpr uint32_t kBelow = 0xFF0000;  // blue, pixel 0x001F

class RotatedCurvesTest : public DrawFixture {
protected:
    // Something is drawn at (x, y) or one of its eight neighbours.
    static bool NearDrawn(const DrawWindowRecord* r, int x, int y) {
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx)
                if (Pixel(r, x + dx, y + dy) != 0) return true;
        return false;
    }
};

// Edge case: the identity and a = b give a circle, its upper half (y < 0) in colourAbove.
TEST_F(RotatedCurvesTest, UnturnedRingIsACircleColouredByHalf) {
    DrawWindowRecord* r = DibWindow(61, 61);
    DrawRotatedRing(kIdentity, 30, 30, 20, 20, kAbove, kBelow);
    int above = 0, below = 0;
    for (int y = 0; y < 61; ++y) {
        for (int x = 0; x < 61; ++x) {
            uint16_t p = Pixel(r, x, y);
            if (p == 0) continue;
            // Chords of 12 degrees lie inside the circle by at most 20 (1 - cos 6) = 0.11 px.
            double d = std::hypot(x - 30, y - 30);
            EXPECT_NEAR(d, 20.0, 1.5) << x << "," << y;
            // A segment takes its colour from its later end, so one 12 degree chord
            // (20 sin 12 = 4.2 px) next to the horizontal may have the other colour.
            if (y < 25) {
                EXPECT_EQ(p, 0x7C00) << x << "," << y;
            }
            if (y > 35) {
                EXPECT_EQ(p, 0x001F) << x << "," << y;
            }
            above += p == 0x7C00;
            below += p == 0x001F;
        }
    }
    EXPECT_GT(above, 40);
    EXPECT_GT(below, 40);
    // The four extremes, within the pixel that the fixed-point rounding may shift them.
    for (auto [x, y] : {std::pair{30, 10}, {30, 50}, {10, 30}, {50, 30}}) EXPECT_TRUE(NearDrawn(r, x, y)) << x << "," << y;
}

TEST_F(RotatedCurvesTest, FlatRingAndEmptyAxes) {
    DrawWindowRecord* r = DibWindow(61, 31);
    DrawRotatedRing(kIdentity, 30, 15, 25, 10, kAbove, kBelow);  // 4 degree steps
    for (auto [x, y] : {std::pair{5, 15}, {55, 15}, {30, 5}, {30, 25}}) EXPECT_TRUE(NearDrawn(r, x, y)) << x << "," << y;
    EXPECT_EQ(Pixel(r, 30, 15), 0);
    Fill(r, 0);
    DrawRotatedRing(kIdentity, 30, 15, 0, 10, kAbove, kBelow);
    DrawRotatedRing(kIdentity, 30, 15, 10, 0, kAbove, kBelow);
    EXPECT_EQ(Count(r, 0), 61 * 31);
}

// Edge case: with the identity the vertex lies at (cx + q / 4096, cy), and the
// branches mirror each other about the axis (within the pixel by which the
// arithmetic shift rounds negative offsets down).
TEST_F(RotatedCurvesTest, ParabolaVertexAndMirroredBranches) {
    DrawWindowRecord* r = DibWindow(80, 81);
    DrawRotatedParabola(kIdentity, 40, 40, 20 * 4096, kAbove, kBelow);
    EXPECT_NE(Pixel(r, 60, 40), 0);
    EXPECT_EQ(Pixel(r, 61, 40), 0);
    for (int y = 1; y < 40; ++y)
        for (int x = 1; x < 79; ++x)
            if (Pixel(r, x, 40 + y) != 0) {
                EXPECT_TRUE(NearDrawn(r, x, 40 - y)) << x << "," << y;
            }
    // The focus is 20 px inside the vertex: the latus rectum crosses x = cx at y = +-40 (2q).
    EXPECT_NE(Pixel(r, 40, 0) | Pixel(r, 41, 0) | Pixel(r, 39, 0), 0);
}

}  // namespace
