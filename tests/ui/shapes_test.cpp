// Circles, the shaded Moon phase and its spans, the Moon picture cut by the
// terminator, and rings and parabolas turned by a matrix.
#include "ui/shapes.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "platform/resources.h"
#include "support/draw_fixture.h"
#include "ui/colors.h"
#include "ui/rotated_curves.h"

namespace {

constexpr uint16_t kRed = 0x7C00;

class ShapesTest : public DrawFixture {
protected:
    static std::string Drawn(const DrawWindowRecord* r) { return Picture(r, {{0, '.'}, {kRed, '#'}}); }
    // Something is drawn at (x, y) or one of its eight neighbours.
    static bool NearDrawn(const DrawWindowRecord* r, int x, int y) {
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx)
                if (Pixel(r, x + dx, y + dy) != 0) return true;
        return false;
    }
};

// Edge cases: radius 0 plots only the centre; radius 1 the four neighbours,
// not the diagonals; a negative radius nothing. Radius 3 traced by hand
// through the midpoint recurrence (d = 3 - 2r; d >= 0: d += 4 - 4y, y -= 1;
// d += 4x + 6): the points (0, 3), (1, 3), (2, 2) and their mirrors.
TEST_F(ShapesTest, Circles) {
    const struct {
        int r;
        const char* picture;
    } cases[] = {
        {0, ".......\n.......\n.......\n...#...\n.......\n.......\n......."},
        {1, ".......\n.......\n...#...\n..#.#..\n...#...\n.......\n......."},
        {-1, ".......\n.......\n.......\n.......\n.......\n.......\n......."},
        {3, "..###..\n.#...#.\n#.....#\n#.....#\n#.....#\n.#...#.\n..###.."},
    };
    for (const auto& c : cases) {
        DrawWindowRecord* r = DibWindow(7, 7);
        SetForeColor(0x0000FF);
        DrawCircle(3, 3, c.r);
        EXPECT_EQ(Drawn(r), c.picture) << c.r;
    }
}

// Edge case: percent 50 fills exactly the left half (centre column included)
// of rows cy - (R - 1) .. cy + (R - 1). Row half-widths of radius 5: rows 0..2
// reach 5 (sqrt(21) = 4.6 rounds out), row 3 reaches 4, row 4 reaches 3.
TEST_F(ShapesTest, ShadingAtFiftyPercentIsTheLeftHalf) {
    DrawWindowRecord* r = DibWindow(13, 13);
    SetForeColor(0x0000FF);
    DrawMoonPhaseShading(6, 6, 10, 10, 50);
    EXPECT_EQ(Drawn(r),
              ".............\n.............\n...####......\n..#####......\n.######......\n.######......\n"
              ".######......\n.######......\n.######......\n..#####......\n...####......\n.............\n"
              ".............");
    for (int percent : {49, 51}) {
        Fill(r, 0);
        DrawMoonPhaseShading(6, 6, 10, 10, percent);
        EXPECT_EQ(Count(r, kRed), 48) << percent;
    }
}

// Edge case: percent 101 covers the disc of diameter D: every pixel within
// D/2 - 1.5 of the centre, none beyond D/2 + 1.
TEST_F(ShapesTest, ShadingAtHundredAndOneCoversTheDisc) {
    for (int size : {10, 20, 41}) {
        DrawWindowRecord* r = DibWindow(60, 60);
        SetForeColor(0x0000FF);
        DrawMoonPhaseShading(30, 30, size, size, 101);
        for (int y = 0; y < 60; ++y)
            for (int x = 0; x < 60; ++x) {
                double d = std::hypot(x - 30, y - 30);
                if (d <= size / 2.0 - 1.5 || d > size / 2.0 + 1) {
                    EXPECT_EQ(Pixel(r, x, y), d <= size / 2.0 ? kRed : 0) << size << ": " << x << "," << y;
                }
            }
    }
}

// Edge cases: phase 0.5 spans the whole row (R - w .. R + w), 0.25 the right
// half, 0.75 the left half, and below 0.01 everything is 0. Expected widths
// from sqrt(100 - i^2), on rows where it is not an integer. A crescent cuts
// w x |cos 2 pi p| from the limb: p = 0.125 gives c = sqrt(2)/2, so row 0
// spans R + 7 .. R + 10; 0.625 mirrors it.
TEST(PhaseSpans, HalvesWholeRowsAndCrescents) {
    const int R = 10;
    const int rows[][2] = {{0, 10}, {1, 9}, {3, 9}, {5, 8}, {7, 7}, {9, 4}};  // row, trunc(sqrt(R^2 - row^2))
    const struct {
        double phase;
        int (*left)(int w);
        int (*right)(int w);
    } cases[] = {
        {0.5, [](int w) { return R - w; }, [](int w) { return R + w; }},
        {0.25, [](int) { return R; }, [](int w) { return R + w; }},
        {0.75, [](int w) { return R - w; }, [](int) { return R; }},
        {0.005, [](int) { return 0; }, [](int) { return 0; }},
    };
    std::vector<int> left(R, -1), right(R, -1);
    for (const auto& c : cases) {
        ComputePhaseSpans(c.phase, left.data(), right.data(), R);
        for (const auto& row : rows) {
            EXPECT_EQ(left[row[0]], c.left(row[1])) << c.phase << " row " << row[0];
            EXPECT_EQ(right[row[0]], c.right(row[1])) << c.phase << " row " << row[0];
        }
    }
    ComputePhaseSpans(0.125, left.data(), right.data(), R);
    EXPECT_EQ(std::make_pair(left[0], right[0]), std::make_pair(17, 20));
    ComputePhaseSpans(0.625, left.data(), right.data(), R);
    EXPECT_EQ(std::make_pair(left[0], right[0]), std::make_pair(0, 17));
}

constexpr uint16_t kLit = 0x03E0, kDark = 0x001F, kGround = 0x0421;

// A 20 x 20 disc of radius 9.5 on black (green for picture A, blue for B),
// with a white mark in the top rows of the disc when `marked`.
void Disc(uint32_t* pixels, int width, int height, uint32_t colour, bool marked) {
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            double dx = x - 9.5, dy = y - 9.5;
            bool in = dx * dx + dy * dy <= 9.5 * 9.5;
            pixels[y * width + x] = !in ? 0 : (marked && y < 3) ? 0xFFFFFF : colour;
        }
}
void LitDisc(uint32_t* p, int w, int h) { Disc(p, w, h, 0x00FF00, false); }
void DarkDisc(uint32_t* p, int w, int h) { Disc(p, w, h, 0x0000FF, false); }
void MarkedDisc(uint32_t* p, int w, int h) { Disc(p, w, h, 0x00FF00, true); }

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
    }
    void TearDown() override {
        pl::ClearResourceGroups();
        DrawFixture::TearDown();
    }
    // Draws the 20 x 20 picture of `a` and `b` on a fresh ground.
    void Draw(int a, int b, double phase, double angle) {
        Fill(canvas, kGround);
        DrawMoonPhaseImage(a, b, 20, 20, 0, 0, phase, angle, 1, 1);
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
// the whole disc from B; 0.75 (first quarter) takes B on the left half, 0.25
// on the right half.
TEST_F(MoonImageTest, PhaseChoosesThePictureByHalves) {
    Draw(3993, 3994, 0.0, 0.0);
    int disc = Count(canvas, kLit);
    EXPECT_GT(disc, 250);  // pi x 9.5^2 = 283
    EXPECT_EQ(Count(canvas, kDark), 0);
    EXPECT_EQ(Pixel(canvas, 0, 0), kGround);  // the key (black) is left out
    Draw(3993, 3994, 0.5, 0.0);
    EXPECT_EQ(Count(canvas, kDark), disc);
    EXPECT_EQ(Count(canvas, kLit), 0);
    Draw(3993, 3994, 0.75, 0.0);
    EXPECT_EQ(LitLeft(), 0);
    EXPECT_GT(Count(canvas, kLit), 100);
    EXPECT_GT(Count(canvas, kDark), 100);
    Draw(3993, 3994, 0.25, 0.0);
    EXPECT_GT(LitLeft(), 100);
    for (int y = 0; y < 20; ++y) EXPECT_NE(Pixel(canvas, 15, y), kLit) << y;
}

// Box row r shows stored row r of the bottom-up picture: at angle 0 the
// picture's top (the mark) comes out at the bottom; turned by 180 degrees it
// is at the top again, one pixel lower and to the right since the turn is
// about box pixel (10, 10), not the centre 9.5.
TEST_F(MoonImageTest, AngleTurnsThePicture) {
    Draw(3995, 3994, 0.0, 0.0);
    EXPECT_EQ(Pixel(canvas, 10, 18), 0x7FFF);
    EXPECT_EQ(Pixel(canvas, 10, 1), kLit);
    Draw(3995, 3994, 0.0, 180.0);
    EXPECT_EQ(Pixel(canvas, 10, 1), kGround);
    EXPECT_EQ(Pixel(canvas, 10, 2), 0x7FFF);
    EXPECT_EQ(Pixel(canvas, 10, 19), kLit);
    EXPECT_EQ(Pixel(canvas, 1, 10), kGround);
    EXPECT_EQ(Pixel(canvas, 19, 10), kLit);
}

TEST_F(MoonImageTest, NothingForAnEmptyBoxOrAMissingBitmap) {
    Fill(canvas, kGround);
    DrawMoonPhaseImage(3993, 3994, 0, 20, 0, 0, 0.0, 0.0, 1, 1);
    DrawMoonPhaseImage(3993, 3994, 20, 0, 0, 0, 0.0, 0.0, 1, 1);
    DrawMoonPhaseImage(3993, 4000, 20, 20, 0, 0, 0.0, 0.0, 1, 1);
    DrawMoonPhaseImage(4000, 3994, 20, 20, 0, 0, 0.0, 0.0, 1, 1);
    EXPECT_EQ(Count(canvas, kGround), 400);
}

constexpr int32_t kIdentity[9] = {1 << 24, 0, 0, 0, 1 << 24, 0, 0, 0, 1 << 24};
constexpr uint32_t kAbove = 0x0000FF;  // red, pixel 0x7C00
constexpr uint32_t kBelow = 0xFF0000;  // blue, pixel 0x001F

// Edge case: the identity and a = b give a circle, its upper half (y < 0) in
// colourAbove. Chords of 12 degrees lie inside the circle by at most
// 20 (1 - cos 6) = 0.11 px; a segment takes its colour from its later end, so
// one chord (20 sin 12 = 4.2 px) next to the horizontal may have the other.
// An empty axis draws nothing; a flat ring reaches its two semi-axes.
TEST_F(ShapesTest, UnturnedRingIsACircleColouredByHalf) {
    DrawWindowRecord* r = DibWindow(61, 61);
    DrawRotatedRing(kIdentity, 30, 30, 20, 20, kAbove, kBelow);
    int above = 0, below = 0;
    for (int y = 0; y < 61; ++y)
        for (int x = 0; x < 61; ++x) {
            uint16_t p = Pixel(r, x, y);
            if (p == 0) continue;
            EXPECT_NEAR(std::hypot(x - 30, y - 30), 20.0, 1.5) << x << "," << y;
            if (y < 25 || y > 35) {
                EXPECT_EQ(p, y < 25 ? 0x7C00 : 0x001F) << x << "," << y;
            }
            above += p == 0x7C00;
            below += p == 0x001F;
        }
    EXPECT_GT(above, 40);
    EXPECT_GT(below, 40);
    for (auto [x, y] : {std::pair{30, 10}, {30, 50}, {10, 30}, {50, 30}}) EXPECT_TRUE(NearDrawn(r, x, y)) << x << "," << y;
    Fill(r, 0);
    DrawRotatedRing(kIdentity, 30, 15, 0, 10, kAbove, kBelow);
    DrawRotatedRing(kIdentity, 30, 15, 10, 0, kAbove, kBelow);
    EXPECT_EQ(Count(r, 0), 61 * 61);
    DrawRotatedRing(kIdentity, 30, 30, 25, 10, kAbove, kBelow);
    for (auto [x, y] : {std::pair{5, 30}, {55, 30}, {30, 20}, {30, 40}}) EXPECT_TRUE(NearDrawn(r, x, y)) << x << "," << y;
    EXPECT_EQ(Pixel(r, 30, 25), 0);
}

// Edge case: with the identity the vertex lies at (cx + q / 4096, cy), and the
// branches mirror each other about the axis (within the pixel by which the
// arithmetic shift rounds negative offsets down). The focus is 20 px inside
// the vertex: the latus rectum crosses x = cx at y = +-40 (2q).
TEST_F(ShapesTest, ParabolaVertexAndMirroredBranches) {
    DrawWindowRecord* r = DibWindow(80, 81);
    DrawRotatedParabola(kIdentity, 40, 40, 20 * 4096, kAbove, kBelow);
    EXPECT_NE(Pixel(r, 60, 40), 0);
    EXPECT_EQ(Pixel(r, 61, 40), 0);
    for (int y = 1; y < 40; ++y)
        for (int x = 1; x < 79; ++x)
            if (Pixel(r, x, 40 + y) != 0) {
                EXPECT_TRUE(NearDrawn(r, x, 40 - y)) << x << "," << y;
            }
    EXPECT_NE(Pixel(r, 40, 0) | Pixel(r, 41, 0) | Pixel(r, 39, 0), 0);
}

}  // namespace
