// Offscreen records: DIB layout, the night filter, copies and save-under bits.
#include "ui/offscreen.h"

#include <gtest/gtest.h>

#include "platform/drawing.h"
#include "support/draw_fixture.h"
#include "ui/colors.h"
#include "ui/primitives.h"

namespace {

using OffscreenTest = DrawFixture;

// Pixel (0, 0) is the first pixel of the last stored row; (0, height - 1) the first stored pixel.
TEST_F(OffscreenTest, RowsAreStoredBottomUp) {
    DrawWindowRecord* r = DibWindow(5, 3);
    EXPECT_EQ(r->stride, 12);  // 10 bytes padded to a multiple of 4
    SetForeColor(0x0000FF);  // red: 0x7C00
    DrawPixel(0, 0);
    EXPECT_EQ(r->dibBits[2 * r->stride], 0x00);
    EXPECT_EQ(r->dibBits[2 * r->stride + 1], 0x7C);
    SetForeColor(0x00FF00);  // green: 0x03E0
    DrawPixel(0, 2);
    EXPECT_EQ(r->dibBits[0], 0xE0);
    EXPECT_EQ(r->dibBits[1], 0x03);
    EXPECT_EQ(pl::GetPixel(r->dc, 0, 0), 0x0000FFu);  // the platform sees the same picture
}

// Worked cases: 0x7FFF gives 0x7800 in mode 3, 0x3800 in mode 1, 0x5000 in mode 2.
TEST(NightFilter, WhitePixelPerMode) {
    EXPECT_EQ(NightFilterPixel(0x7FFF, 0), 0x7FFF);
    EXPECT_EQ(NightFilterPixel(0x7FFF, 1), 0x3800);
    EXPECT_EQ(NightFilterPixel(0x7FFF, 2), 0x5000);
    EXPECT_EQ(NightFilterPixel(0x7FFF, 3), 0x7800);
    EXPECT_EQ(NightFilterPixel(0x03FF, 3), 0x0000);  // green and blue vanish
}

TEST_F(OffscreenTest, ApplyNightFilterRewritesEveryStoredPixel) {
    DrawWindowRecord* r = Dib(3, 2);  // stride 8: one padding pixel a row
    for (int i = 0; i < r->stride * 2; i += 2) WritePixel16(r->dibBits + i, 0x7FFF);
    ApplyNightFilter(r);  // mode 0: unchanged
    EXPECT_EQ(Count(r, 0x7FFF), 6);
    SetNightMode(3);
    ApplyNightFilter(r);
    for (int i = 0; i < r->stride * 2; i += 2) EXPECT_EQ(ReadPixel16(r->dibBits + i), 0x7800) << i;
    EXPECT_EQ(r->nightFilterMode, 3);
}

TEST_F(OffscreenTest, DeleteReleasesEachRecordOnce) {
    DrawWindowRecord* r = CreateOffscreenDib(4, 4, 16);
    SetDrawWindow(r);
    DeleteOffscreenWindow(r);
    EXPECT_EQ(GetDrawWindow(), nullptr);  // never left current after deletion
    DeleteOffscreenWindow(r);             // a second delete is ignored
    DeleteOffscreenWindow(nullptr);
    DrawWindowRecord* saved = SaveBits(XywhRect{0, 0, 2, 2});
    RestoreBits(saved, 0, 0);
    RestoreBits(saved, 0, 0);  // already released
    DeleteOffscreenWindow(saved);
}

TEST_F(OffscreenTest, CompatibleRecordHasNoDibBits) {
    DibWindow(8, 8);
    DrawWindowRecord* r = CreateOffscreenWindow(6, 5);
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(r->dibBits, nullptr);
    EXPECT_EQ(r->right, 6);
    EXPECT_EQ(r->bottom, 5);
    pl::BitmapInfo info;
    ASSERT_TRUE(pl::GetBitmapInfo(r->bitmap, &info));
    EXPECT_EQ(info.bitsPerPixel, 16);  // compatible with the 16-bit draw context
    DeleteOffscreenWindow(r);
    EXPECT_EQ(CreateOffscreenDib(0, 5, 16), nullptr);
    EXPECT_EQ(CreateOffscreenDib(5, 5, 24), nullptr);
}

TEST_F(OffscreenTest, SaveAndRestoreBitsPutThePictureBack) {
    DrawWindowRecord* r = DibWindow(6, 6);
    SetPixel(r, 2, 2, 0x1234);
    SetPixel(r, 4, 4, 0x4321);
    DrawWindowRecord* saved = SaveBits(XywhRect{1, 1, 3, 3});  // 4 x 4 from (1, 1)
    ASSERT_NE(saved, nullptr);
    EXPECT_EQ(saved->right, 4);
    EXPECT_EQ(saved->bottom, 4);
    Fill(r, 0);
    RestoreBits(saved, 1, 1);
    EXPECT_EQ(Pixel(r, 2, 2), 0x1234);
    EXPECT_EQ(Pixel(r, 4, 4), 0x4321);
    EXPECT_EQ(Count(r, 0), 34);
}

TEST_F(OffscreenTest, MirrorReplacesTheRecord) {
    DrawWindowRecord* r = CreateOffscreenDib(3, 2, 16);
    SetPixel(r, 0, 0, 0x0001);
    SetPixel(r, 2, 1, 0x0002);
    r->transparentColor = 0x00FF00;
    DrawWindowRecord* m = MirrorOffscreen(r, 1, 0);
    ASSERT_NE(m, nullptr);
    EXPECT_NE(m->dibBits, nullptr);
    EXPECT_EQ(Pixel(m, 2, 0), 0x0001);
    EXPECT_EQ(Pixel(m, 0, 1), 0x0002);
    EXPECT_EQ(m->transparentColor, 0x00FF00u);
    DrawWindowRecord* both = MirrorOffscreen(m, 1, 1);
    EXPECT_EQ(Pixel(both, 0, 1), 0x0001);
    EXPECT_EQ(MirrorOffscreen(nullptr, 1, 1), nullptr);
    DeleteOffscreenWindow(both);
}

TEST_F(OffscreenTest, BlitDibTransparentSkipsKeyAndClipsToDestination) {
    DrawWindowRecord* src = Dib(3, 3);
    DrawWindowRecord* dst = Dib(4, 4);
    Fill(src, 0x7FFF);
    SetPixel(src, 1, 1, 0x001F);
    src->transparentColor = 0xFFFFFF;  // white: 0x7FFF
    Fill(dst, 0x0001);
    BlitDibTransparent(src, dst, XywhRect{0, 0, 3, 3}, 2, 2);
    EXPECT_EQ(Picture(dst, {{0x0001, '.'}, {0x001F, 'B'}}),
              "....\n"
              "....\n"
              "....\n"
              "...B");
    BlitDibTransparent(src, dst, XywhRect{0, 0, 3, 3}, -1, 0);  // negative destination: dropped
    EXPECT_EQ(Count(dst, 0x001F), 1);
}

// The source rectangle was not checked against the source picture: pixels
// beyond it were read from outside its memory.
TEST_F(OffscreenTest, BlitDibTransparentSourceOutsideItsPictureIsNotRead) {
    DrawWindowRecord* src = Dib(2, 2);
    DrawWindowRecord* dst = Dib(8, 8);
    Fill(src, 0x0010);
    src->transparentColor = 0xFFFFFF;
    BlitDibTransparent(src, dst, XywhRect{-1, 0, 6, 6}, 0, 0);
    EXPECT_EQ(Count(dst, 0x0010), 4);
    EXPECT_EQ(Pixel(dst, 1, 0), 0x0010);
    EXPECT_EQ(Pixel(dst, 0, 0), 0);
}

// A bitmap loaded in night mode has its white background filtered to red; the
// white transparent key must be filtered the same way or the background
// shows as a red box.
TEST_F(OffscreenTest, NightFilteredSourceKeepsWhiteTransparent) {
    SetNightMode(3);
    DrawWindowRecord* src = Dib(2, 1);
    DrawWindowRecord* dst = Dib(2, 1);
    SetPixel(src, 0, 0, 0x7FFF);  // white background
    SetPixel(src, 1, 0, 0x03E0);  // green: vanishes to 0
    ApplyNightFilter(src);
    src->transparentColor = 0xFFFFFF;
    Fill(dst, 0x1111);
    BlitDibTransparent(src, dst, XywhRect{0, 0, 2, 1}, 0, 0);
    EXPECT_EQ(Pixel(dst, 0, 0), 0x1111);
    EXPECT_EQ(Pixel(dst, 1, 0), 0x0000);
    Fill(dst, 0x1111);
    CopyRectangle(src, dst, XywhRect{0, 0, 2, 1}, 0, 0, 4);  // the platform's transparent copy
    EXPECT_EQ(Pixel(dst, 0, 0), 0x1111);
    EXPECT_EQ(Pixel(dst, 1, 0), 0x0000);
}

TEST_F(OffscreenTest, CopyRectangleOpaqueAndScaled) {
    DrawWindowRecord* src = Dib(4, 4);
    DrawWindowRecord* dst = Dib(4, 4);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x) SetPixel(src, x, y, static_cast<uint16_t>(10 * y + x));
    CopyRectangle(src, dst, XywhRect{1, 1, 2, 2}, 0, 0, 0);
    EXPECT_EQ(Pixel(dst, 0, 0), 11);
    EXPECT_EQ(Pixel(dst, 1, 1), 22);
    // Factor 2: the centre 2 x 2 of the 4 x 4 source fills the whole 4 x 4.
    CopyRectangleScaled(src, dst, XywhRect{0, 0, 4, 4}, 0, 0, 0, 2.0);
    EXPECT_EQ(Pixel(dst, 0, 0), 11);
    EXPECT_EQ(Pixel(dst, 3, 3), 22);
    EXPECT_EQ(Pixel(dst, 2, 1), 12);
}

}  // namespace
