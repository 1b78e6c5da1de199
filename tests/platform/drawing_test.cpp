#include "platform/drawing.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/sys_colors.h"
#include "support/test_canvas.h"

namespace {

using pl::ColorRef;
using pl::Rgb;

constexpr ColorRef kGreen = Rgb(0, 255, 0);
constexpr ColorRef kRed = Rgb(255, 0, 0);
constexpr ColorRef kBlue = Rgb(0, 0, 255);

// Draws with a red pen and a blue brush on green, in 32 and in 16 bits.
class Shapes : public ::testing::TestWithParam<int> {
protected:
    std::string Draw(int w, int h, const std::function<void(pl::Hdc)>& draw) {
        TestCanvas c(w, h, GetParam());
        c.Fill(kGreen);
        pl::Hpen pen = pl::CreatePen(kRed);
        pl::Hbrush brush = pl::CreateSolidBrush(kBlue);
        pl::Hpen oldPen = pl::SelectObject(c.dc(), pen);
        pl::Hbrush oldBrush = pl::SelectObject(c.dc(), brush);
        draw(c.dc());
        pl::SelectObject(c.dc(), oldPen);
        pl::SelectObject(c.dc(), oldBrush);
        pl::DeleteObject(pen);
        pl::DeleteObject(brush);
        return c.Picture({{kGreen, '.'}, {kRed, 'P'}, {kBlue, 'B'}});
    }
};

// Expected pictures are worked out by hand from the rule in drawing.h: pixel
// centres doubled to odd integers 2x+1, a pixel inside when
// dx^2 * ey^2 + dy^2 * ex^2 <= ex^2 * ey^2 for its doubled offset (dx, dy) from
// the corner ellipse's doubled centre; inside pixels with an outside 4-neighbour
// take the pen.
TEST_P(Shapes, EllipsesAndRoundedRectanglesInSmallBoxes) {
    const struct {
        int canvasWidth, canvasHeight;
        int left, top, right, bottom, cornerWidth;  // cornerWidth 0: an ellipse
        const char* picture;
    } cases[] = {
        // Centre (5, 5) doubled, offsets -4 -2 0 2 4: inside when dx^2 + dy^2 <= 25,
        // so only the four corners (32) fall out.
        {5, 5, 0, 0, 5, 5, 0, ".PPP.\nPBBBP\nPBBBP\nPBBBP\n.PPP."},
        // 16 dx^2 + 36 dy^2 <= 576 with dx in -5..5, dy in -3..3 (odd): rows dy = -3
        // keep |dx| <= 3, rows dy = -1 keep all.
        {6, 4, 0, 0, 6, 4, 0, ".PPPP.\nPBBBBP\nPBBBBP\n.PPPP."},
        // Box (1, 1)-(6, 5) given reversed: doubled centre (7, 6), dx in -4..4 (even),
        // dy in -3..3 (odd); 16 dx^2 + 25 dy^2 <= 400 keeps |dx| <= 2 on the rows
        // dy = -3 and 3, all on the others.
        {7, 6, 6, 5, 1, 1, 0, ".......\n..PPP..\n.PBBBP.\n.PBBBP.\n..PPP..\n......."},
        // Corner ellipse 4 x 4 in a 6 x 6 box: corner zones are the two outer
        // pixels, offsets -3 and -1; dx^2 + dy^2 <= 16 removes only (-3, -3).
        {6, 6, 0, 0, 6, 6, 4, ".PPPP.\nPBBBBP\nPBBBBP\nPBBBBP\nPBBBBP\n.PPPP."},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Draw(c.canvasWidth, c.canvasHeight,
                       [&](pl::Hdc dc) {
                           if (c.cornerWidth)
                               pl::RoundRect(dc, c.left, c.top, c.right, c.bottom, c.cornerWidth, c.cornerWidth);
                           else
                               pl::Ellipse(dc, c.left, c.top, c.right, c.bottom);
                       }),
                  c.picture)
            << c.left << "," << c.top << "," << c.right << "," << c.bottom;
    }
}

TEST_P(Shapes, HugeEllipseIsExactWithoutOverflow) {
    // Doubled centre x at 0, so the canvas columns have |dx| <= 11 against
    // ex = 4e6: every pixel is inside; the top and bottom rows are the outline.
    EXPECT_EQ(Draw(6, 4, [](pl::Hdc dc) { pl::Ellipse(dc, -2000000, 0, 2000000, 4); }),
              "PPPPPP\nBBBBBB\nBBBBBB\nPPPPPP");
}

TEST_P(Shapes, RaisedMonoEdge) {
    // Outer ring in the window-frame colour, the next ring in the window colour.
    pl::ResetSysColors();
    int indices[2] = {pl::kColorWindowFrame, pl::kColorWindow};
    ColorRef colours[2] = {kRed, kBlue};
    pl::SetSysColors(2, indices, colours);
    EXPECT_EQ(Draw(7, 7, [](pl::Hdc dc) { pl::DrawMonoEdge(dc, pl::Rect{0, 0, 6, 6}); }),
              "PPPPPP.\n"
              "PBBBBP.\n"
              "PB..BP.\n"
              "PB..BP.\n"
              "PBBBBP.\n"
              "PPPPPP.\n"
              ".......");
    pl::ResetSysColors();
}

TEST_P(Shapes, FocusRectInvertsEveryOtherRingPixelAndUndoes) {
    TestCanvas c(5, 3, GetParam());
    c.Fill(Rgb(255, 255, 255));
    ASSERT_TRUE(pl::DrawFocusRect(c.dc(), pl::Rect{0, 0, 5, 3}));
    EXPECT_EQ(c.Picture({{Rgb(255, 255, 255), '.'}, {Rgb(0, 0, 0), '#'}}),
              "#.#.#\n"
              ".....\n"
              "#.#.#");
    pl::DrawFocusRect(c.dc(), pl::Rect{0, 0, 5, 3});
    EXPECT_EQ(c.Count(Rgb(255, 255, 255)), 15);
}

TEST_P(Shapes, PolylineLeavesLastPointOut) {
    // Walk of (0,0)-(3,1): (0,0) (1,0) (2,1), and (3,1) is the left-out end.
    EXPECT_EQ(Draw(4, 2,
                   [](pl::Hdc dc) {
                       pl::Point pts[2] = {{0, 0}, {3, 1}};
                       pl::Polyline(dc, pts, 2);
                   }),
              "PP..\n"
              "..P.");
}

TEST_P(Shapes, ClipLimitsFillsLinesAndShapes) {
    EXPECT_EQ(Draw(6, 4,
                   [](pl::Hdc dc) {
                       pl::IntersectClipRect(dc, pl::Rect{1, 1, 5, 3});
                       pl::FillRect(dc, pl::Rect{0, 0, 3, 4}, pl::GetStockBlackBrush());
                       pl::Point pts[2] = {{0, 2}, {6, 2}};
                       pl::Polyline(dc, pts, 2);
                       pl::SetPixel(dc, 5, 0, kRed);
                   }),
              "......\n"
              ".??...\n"
              ".PPPP.\n"
              "......");
}

TEST_P(Shapes, SetPixelReportsStoredColourOrClipped) {
    TestCanvas c(2, 2, GetParam());
    ColorRef stored = pl::SetPixel(c.dc(), 1, 1, Rgb(0x47, 0x80, 0xFF));
    EXPECT_EQ(stored, GetParam() == 16 ? Rgb(0x42, 0x84, 0xFF) : Rgb(0x47, 0x80, 0xFF));
    EXPECT_EQ(pl::GetPixel(c.dc(), 1, 1), stored);
    EXPECT_EQ(pl::SetPixel(c.dc(), 2, 0, kRed), pl::kInvalidColor);
    EXPECT_EQ(pl::GetPixel(c.dc(), -1, 0), pl::kInvalidColor);
}

TEST_P(Shapes, SystemColourBrushFollowsItsSlot) {
    pl::ResetSysColors();
    int index = pl::kColorMenu;
    ColorRef red = kRed;
    pl::Hbrush menu = pl::GetSysColorBrush(pl::kColorMenu);
    pl::SetSysColors(1, &index, &red);
    EXPECT_EQ(Draw(2, 1, [&](pl::Hdc dc) { pl::FillRect(dc, pl::Rect{0, 0, 1, 1}, menu); }), "P.");
    pl::ResetSysColors();
    EXPECT_EQ(pl::GetSysColor(pl::kColorMenu), Rgb(255, 255, 255));
}

INSTANTIATE_TEST_SUITE_P(Depths, Shapes, ::testing::Values(32, 16));

TEST(SysColors, SlotsReadAndWrite) {
    pl::ResetSysColors();
    EXPECT_EQ(pl::GetSysColor(pl::kColorWindowText), Rgb(0, 0, 0));
    EXPECT_EQ(pl::GetSysColor(29), 0u);
    int indices[3] = {pl::kColorHighlight, 40, pl::kColorGradientInactiveCaption};
    ColorRef colours[3] = {Rgb(1, 0, 0), Rgb(2, 0, 0), Rgb(3, 0, 0)};
    EXPECT_TRUE(pl::SetSysColors(3, indices, colours));
    EXPECT_EQ(pl::GetSysColor(pl::kColorHighlight), Rgb(1, 0, 0));
    EXPECT_EQ(pl::GetSysColor(28), Rgb(3, 0, 0));
    EXPECT_FALSE(pl::SetSysColors(0, indices, colours));
    EXPECT_EQ(pl::GetSysColorBrush(29), nullptr);
    pl::ResetSysColors();
}

}  // namespace
