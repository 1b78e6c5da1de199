#include <gtest/gtest.h>

#include "platform/drawing.h"
#include "support/test_canvas.h"

namespace {

using pl::ColorRef;
using pl::Rgb;

constexpr ColorRef kKey = Rgb(255, 0, 255);
const std::map<ColorRef, char> kLegend = {{Rgb(0, 0, 0), '.'},   {Rgb(255, 0, 0), 'r'}, {Rgb(0, 255, 0), 'g'},
                                          {Rgb(0, 0, 255), 'b'}, {kKey, 'k'},           {Rgb(255, 255, 255), 'w'}};

// Paints a source picture from rows of legend characters.
void Paint(TestCanvas* c, const std::vector<std::string>& rows) {
    for (int y = 0; y < static_cast<int>(rows.size()); ++y)
        for (int x = 0; x < static_cast<int>(rows[y].size()); ++x)
            for (const auto& [colour, ch] : kLegend)
                if (ch == rows[y][x]) pl::SetPixel(c->dc(), x, y, colour);
}

class Blits : public ::testing::TestWithParam<std::pair<int, int>> {
protected:
    int srcDepth() const { return GetParam().first; }
    int dstDepth() const { return GetParam().second; }
};

TEST_P(Blits, BlockCopyToAnOffset) {
    TestCanvas src(3, 2, srcDepth()), dst(5, 3, dstDepth());
    Paint(&src, {"rgb", "bwr"});
    ASSERT_TRUE(pl::BitBlt(dst.dc(), 2, 1, 3, 2, src.dc(), 0, 0));
    EXPECT_EQ(dst.Picture(kLegend), ".....\n..rgb\n..bwr");
}

TEST_P(Blits, NegativeExtentsMirrorExactly) {
    TestCanvas src(3, 2, srcDepth()), dst(3, 2, dstDepth());
    Paint(&src, {"rgb", "bwk"});
    // Source origin at the far edge with a negative extent: left-right mirror.
    ASSERT_TRUE(pl::StretchBlt(dst.dc(), 0, 0, 3, 2, src.dc(), 3, 0, -3, 2));
    EXPECT_EQ(dst.Picture(kLegend), "bgr\nkwb");
    // Destination extent negative instead, on both axes: turned half round.
    ASSERT_TRUE(pl::StretchBlt(dst.dc(), 3, 2, -3, -2, src.dc(), 0, 0, 3, 2));
    EXPECT_EQ(dst.Picture(kLegend), "kwb\nbgr");
    // Both negative: no mirror.
    ASSERT_TRUE(pl::StretchBlt(dst.dc(), 3, 0, -3, 2, src.dc(), 3, 0, -3, 2));
    EXPECT_EQ(dst.Picture(kLegend), "rgb\nbwk");
}

TEST_P(Blits, StretchTakesNearestSourcePixel) {
    TestCanvas src(2, 1, srcDepth()), dst(6, 2, dstDepth());
    Paint(&src, {"rb"});
    // Destination pixel d takes floor((d + 0.5) * 2 / 6): 0 0 0 1 1 1.
    ASSERT_TRUE(pl::StretchBlt(dst.dc(), 0, 0, 6, 2, src.dc(), 0, 0, 2, 1));
    EXPECT_EQ(dst.Picture(kLegend), "rrrbbb\nrrrbbb");
}

TEST_P(Blits, TransparentCopySkipsExactlyTheKeyAlsoWhenStretched) {
    TestCanvas src(3, 2, srcDepth()), dst(3, 2, dstDepth());
    Paint(&src, {"rkb", "kgk"});
    dst.Fill(Rgb(255, 255, 255));
    ASSERT_TRUE(pl::TransparentBlt(dst.dc(), 0, 0, 3, 2, src.dc(), 0, 0, 3, 2, kKey));
    EXPECT_EQ(dst.Picture(kLegend), "rwb\nwgw");
    TestCanvas wide(4, 2, dstDepth());  // "rk" stretched to twice its size
    wide.Fill(Rgb(0, 0, 255));
    ASSERT_TRUE(pl::TransparentBlt(wide.dc(), 0, 0, 4, 2, src.dc(), 0, 0, 2, 1, kKey));
    EXPECT_EQ(wide.Picture(kLegend), "rrbb\nrrbb");
}

TEST_P(Blits, ClipLimitsCopies) {
    TestCanvas src(4, 2, srcDepth()), dst(4, 2, dstDepth());
    Paint(&src, {"rrrr", "rrrr"});
    pl::IntersectClipRect(dst.dc(), pl::Rect{1, 0, 3, 1});
    ASSERT_TRUE(pl::BitBlt(dst.dc(), 0, 0, 4, 2, src.dc(), 0, 0));
    EXPECT_EQ(dst.Picture(kLegend), ".rr.\n....");
}

INSTANTIATE_TEST_SUITE_P(Depths, Blits,
                         ::testing::Values(std::pair{32, 32}, std::pair{16, 16}, std::pair{16, 32}, std::pair{32, 16}));

TEST(TransparentBlt, KeyIsComparedInTheSourcesFormat) {
    // In a 16-bit source the key matches every colour with the same 5-bit
    // channels; in a 32-bit source only the exact colour.
    TestCanvas src16(2, 1, 16), src32(2, 1, 32), dst(2, 1, 32);
    for (TestCanvas* s : {&src16, &src32}) {
        pl::SetPixel(s->dc(), 0, 0, Rgb(200, 64, 64));
        pl::SetPixel(s->dc(), 1, 0, Rgb(10, 10, 10));
    }
    ColorRef nearKey = Rgb(204, 66, 70);  // same top five bits as (200, 64, 64)
    dst.Fill(Rgb(0, 0, 255));
    pl::TransparentBlt(dst.dc(), 0, 0, 2, 1, src16.dc(), 0, 0, 2, 1, nearKey);
    EXPECT_EQ(pl::GetPixel(dst.dc(), 0, 0), Rgb(0, 0, 255));
    dst.Fill(Rgb(0, 0, 255));
    pl::TransparentBlt(dst.dc(), 0, 0, 2, 1, src32.dc(), 0, 0, 2, 1, nearKey);
    EXPECT_EQ(pl::GetPixel(dst.dc(), 0, 0), Rgb(200, 64, 64));
}

TEST(BitBlt, OverlappingCopyWithinOneBitmap) {
    TestCanvas c(4, 1);
    Paint(&c, {"rgbw"});
    ASSERT_TRUE(pl::BitBlt(c.dc(), 1, 0, 3, 1, c.dc(), 0, 0));
    EXPECT_EQ(c.Picture(kLegend), "rrgb");
}

TEST(BitBlt, SourceOutsideItsBitmapIsNotCopied) {
    TestCanvas src(2, 2), dst(4, 1);
    Paint(&src, {"rg", "bw"});
    dst.Fill(Rgb(255, 0, 255));
    ASSERT_TRUE(pl::BitBlt(dst.dc(), 0, 0, 4, 1, src.dc(), -1, 1));
    EXPECT_EQ(dst.Picture(kLegend), "kbwk");
    EXPECT_FALSE(pl::BitBlt(dst.dc(), 0, 0, 0, 1, src.dc(), 0, 0));
    EXPECT_FALSE(pl::BitBlt(dst.dc(), 0, 0, 1, 1, nullptr, 0, 0));
}

}  // namespace
