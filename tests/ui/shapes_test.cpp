// Circles, discs, the shaded Moon phase and the phase spans.
#include "ui/shapes.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "support/draw_fixture.h"
#include "ui/colors.h"

namespace {

constexpr uint16_t kRed = 0x7C00;

using ShapesTest = DrawFixture;

// Edge cases: radius 0 plots only the centre; radius 1 the four neighbours, not the diagonals.
TEST_F(ShapesTest, SmallCircles) {
    DrawWindowRecord* r = DibWindow(3, 3);
    SetForeColor(0x0000FF);
    DrawCircle(1, 1, 0);
    EXPECT_EQ(Picture(r, {{0, '.'}, {kRed, '#'}}), "...\n.#.\n...");
    Fill(r, 0);
    DrawCircle(1, 1, 1);
    EXPECT_EQ(Picture(r, {{0, '.'}, {kRed, '#'}}), ".#.\n#.#\n.#.");
    Fill(r, 0);
    DrawCircle(1, 1, -1);
    EXPECT_EQ(Count(r, kRed), 0);
}

// Radius 3 traced by hand through the midpoint recurrence (d = 3 - 2r; d >= 0:
// d += 4 - 4y, y -= 1; d += 4x + 6): the points (0, 3), (1, 3), (2, 2) and their mirrors.
TEST_F(ShapesTest, CircleOfRadiusThree) {
    DrawWindowRecord* r = DibWindow(7, 7);
    SetForeColor(0x0000FF);
    DrawCircle(3, 3, 3);
    EXPECT_EQ(Picture(r, {{0, '.'}, {kRed, '#'}}),
              "..###..\n"
              ".#...#.\n"
              "#.....#\n"
              "#.....#\n"
              "#.....#\n"
              ".#...#.\n"
              "..###..");
}

TEST_F(ShapesTest, DiscIsBackgroundInsideThePen) {
    DrawWindowRecord* r = DibWindow(11, 11);
    Fill(r, 0x0001);
    SetForeColor(0x0000FF);
    DrawDisc(5, 5, 8);  // box 1..9
    EXPECT_EQ(Pixel(r, 5, 5), 0x7FFF);  // day background
    EXPECT_EQ(Pixel(r, 1, 5), kRed);
    EXPECT_EQ(Pixel(r, 0, 5), 0x0001);
    EXPECT_EQ(Pixel(r, 9, 5), 0x0001);  // right side of the box excluded
}

// Edge case: percent 50 fills exactly the left half (centre column included)
// of rows cy - (R - 1) .. cy + (R - 1). Row half-widths of radius 5: rows 0..2
// reach 5 (sqrt(21) = 4.6 rounds out), row 3 reaches 4, row 4 reaches 3.
TEST_F(ShapesTest, ShadingAtFiftyPercentIsTheLeftHalf) {
    DrawWindowRecord* r = DibWindow(13, 13);
    SetForeColor(0x0000FF);
    DrawMoonPhaseShading(6, 6, 10, 10, 50);
    EXPECT_EQ(Picture(r, {{0, '.'}, {kRed, '#'}}),
              ".............\n"
              ".............\n"
              "...####......\n"
              "..#####......\n"
              ".######......\n"
              ".######......\n"
              ".######......\n"
              ".######......\n"
              ".######......\n"
              "..#####......\n"
              "...####......\n"
              ".............\n"
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
        double R = size / 2.0;
        for (int y = 0; y < 60; ++y) {
            for (int x = 0; x < 60; ++x) {
                double d = std::hypot(x - 30, y - 30);
                if (d <= R - 1.5) {
                    EXPECT_EQ(Pixel(r, x, y), kRed) << size << ": " << x << "," << y;
                } else if (d > R + 1) {
                    EXPECT_EQ(Pixel(r, x, y), 0) << size << ": " << x << "," << y;
                }
            }
        }
    }
}

// Crescents fill from the terminator to the left limb, gibbous phases from the
// left limb to the terminator: more pixels the farther from 50 on the gibbous side.
TEST_F(ShapesTest, ShadingGrowsWithPercent) {
    std::vector<int> counts;
    for (int percent : {0, 25, 75, 101}) {
        DrawWindowRecord* r = DibWindow(40, 40);
        SetForeColor(0x0000FF);
        DrawMoonPhaseShading(20, 20, 30, 30, percent);
        counts.push_back(Count(r, kRed));
        for (int y = 0; y < 40; ++y)  // nothing right of the centre beyond the disc
            EXPECT_EQ(Pixel(r, 37, y), 0) << percent;
    }
    EXPECT_LT(counts[0], counts[1]);  // 0: a thin sliver at the left limb
    EXPECT_LT(counts[1], counts[2]);
    EXPECT_LT(counts[2], counts[3]);
}

struct SpanRow {
    int row;
    int half;  // trunc(sqrt(R^2 - row^2)), away from integer roots
};

// Edge cases: phase 0.5 spans the whole row (R - w .. R + w), 0.25 the right
// half, 0.75 the left half, and below 0.01 everything is 0. Expected widths
// from sqrt(100 - i^2): rows where it is not an integer, so that the summed
// sines cannot fall on either side of it.
TEST(PhaseSpans, HalvesAndWholeRows) {
    const int R = 10;
    const SpanRow rows[] = {{0, 10}, {1, 9}, {3, 9}, {5, 8}, {7, 7}, {9, 4}};
    struct Case {
        double phase;
        int (*left)(int w);
        int (*right)(int w);
    } cases[] = {
        {0.5, [](int w) { return R - w; }, [](int w) { return R + w; }},
        {0.25, [](int) { return R; }, [](int w) { return R + w; }},
        {0.75, [](int w) { return R - w; }, [](int) { return R; }},
        {0.005, [](int) { return 0; }, [](int) { return 0; }},
    };
    for (const Case& c : cases) {
        std::vector<int> left(R, -1), right(R, -1);
        ComputePhaseSpans(c.phase, left.data(), right.data(), R);
        for (const SpanRow& row : rows) {
            EXPECT_EQ(left[row.row], c.left(row.half)) << c.phase << " row " << row.row;
            EXPECT_EQ(right[row.row], c.right(row.half)) << c.phase << " row " << row.row;
        }
    }
}

// A crescent phase cuts w x |cos 2 pi p| from the limb: p = 0.125 gives
// c = sqrt(2)/2, so row 0 spans R + 7 .. R + 10.
TEST(PhaseSpans, WaxingCrescentAndWaningGibbous) {
    int left[10], right[10];
    ComputePhaseSpans(0.125, left, right, 10);
    EXPECT_EQ(left[0], 17);
    EXPECT_EQ(right[0], 20);
    ComputePhaseSpans(0.625, left, right, 10);  // c = -sqrt(2)/2
    EXPECT_EQ(left[0], 0);
    EXPECT_EQ(right[0], 17);
}

}  // namespace
