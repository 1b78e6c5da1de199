// Offscreen records (DIB layout, the night filter, copies) and pixels, lines
// and rectangles drawn into DIB records and windows.
#include "ui/offscreen.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "platform/drawing.h"
#include "platform/framebuffer.h"
#include "platform/screen.h"
#include "support/draw_fixture.h"
#include "support/recording_window.h"
#include "ui/colors.h"
#include "ui/primitives.h"
#include "ui/rotated_curves.h"

namespace {

constexpr uint16_t kRed = 0x7C00;

class OffscreenTest : public DrawFixture {
protected:
    static std::string Drawn(const DrawWindowRecord* r) { return Picture(r, {{0, '.'}, {kRed, '#'}}); }
};

// Pixel (0, 0) is the first pixel of the last stored row; (0, height - 1) the
// first stored pixel; rows are padded to a multiple of 4 bytes.
TEST_F(OffscreenTest, RowsAreStoredBottomUp) {
    DrawWindowRecord* r = DibWindow(5, 3);
    EXPECT_EQ(r->stride, 12);
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
    const uint16_t white[] = {0x7FFF, 0x3800, 0x5000, 0x7800};
    for (int mode = 0; mode < 4; ++mode) EXPECT_EQ(NightFilterPixel(0x7FFF, mode), white[mode]) << mode;
    EXPECT_EQ(NightFilterPixel(0x03FF, 3), 0x0000);  // green and blue vanish
}

// Deleted records are ignored: a second delete, a restore of released bits.
// Records of no size or of another depth are refused.
TEST_F(OffscreenTest, DeleteReleasesEachRecordOnce) {
    DrawWindowRecord* r = CreateOffscreenDib(4, 4, 16);
    SetDrawWindow(r);
    DeleteOffscreenWindow(r);
    EXPECT_EQ(GetDrawWindow(), nullptr);  // never left current after deletion
    DeleteOffscreenWindow(r);
    DeleteOffscreenWindow(nullptr);
    DrawWindowRecord* saved = SaveBits(XywhRect{0, 0, 2, 2});
    RestoreBits(saved, 0, 0);
    RestoreBits(saved, 0, 0);
    DeleteOffscreenWindow(saved);
    EXPECT_EQ(CreateOffscreenDib(0, 5, 16), nullptr);
    EXPECT_EQ(CreateOffscreenDib(5, 5, 24), nullptr);
}

// The key colour is skipped and a negative destination dropped. The source
// rectangle was not checked against the source picture: pixels beyond it were
// read from outside its memory.
TEST_F(OffscreenTest, BlitDibTransparentSourceOutsideItsPictureIsNotRead) {
    DrawWindowRecord* src = Dib(3, 3);
    DrawWindowRecord* dst = Dib(4, 4);
    Fill(src, 0x7FFF);
    SetPixel(src, 1, 1, 0x001F);
    src->transparentColor = 0xFFFFFF;  // white: 0x7FFF
    Fill(dst, 0x0001);
    BlitDibTransparent(src, dst, XywhRect{0, 0, 3, 3}, 2, 2);
    EXPECT_EQ(Picture(dst, {{0x0001, '.'}, {0x001F, 'B'}}), "....\n....\n....\n...B");
    BlitDibTransparent(src, dst, XywhRect{0, 0, 3, 3}, -1, 0);
    EXPECT_EQ(Count(dst, 0x001F), 1);
    DrawWindowRecord* small = Dib(2, 2);
    DrawWindowRecord* big = Dib(8, 8);
    Fill(small, 0x0010);
    small->transparentColor = 0xFFFFFF;
    BlitDibTransparent(small, big, XywhRect{-1, 0, 6, 6}, 0, 0);
    EXPECT_EQ(Count(big, 0x0010), 4);
    EXPECT_EQ(Pixel(big, 1, 0), 0x0010);
    EXPECT_EQ(Pixel(big, 0, 0), 0);
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
    EXPECT_EQ(src->nightFilterMode, 3);
    src->transparentColor = 0xFFFFFF;
    for (int copy = 0; copy < 2; ++copy) {
        Fill(dst, 0x1111);
        if (copy == 0) BlitDibTransparent(src, dst, XywhRect{0, 0, 2, 1}, 0, 0);
        if (copy == 1) CopyRectangle(src, dst, XywhRect{0, 0, 2, 1}, 0, 0, 4);  // the platform's transparent copy
        EXPECT_EQ(Pixel(dst, 0, 0), 0x1111) << copy;
        EXPECT_EQ(Pixel(dst, 1, 0), 0x0000) << copy;
    }
}

// Worked case: a DIB line from (0, 0) to (3, 1) plots (0, 0), (1, 0), (2, 1),
// (3, 1); lines in the other octants, reversed and of one point.
TEST_F(OffscreenTest, DibLineIncludesBothEnds) {
    const struct {
        int x1, y1, x2, y2;
        const char* picture;
    } cases[] = {
        {0, 0, 3, 1, "##..\n..##\n....\n...."}, {3, 1, 0, 0, "##..\n..##\n....\n...."},
        {0, 0, 1, 3, "#...\n#...\n.#..\n.#.."}, {2, 3, 2, 0, "..#.\n..#.\n..#.\n..#."},
        {0, 3, 3, 0, "...#\n..#.\n.#..\n#..."}, {1, 1, 1, 1, "....\n.#..\n....\n...."},
    };
    for (const auto& c : cases) {
        DrawWindowRecord* r = DibWindow(4, 4);
        SetForeColor(0x0000FF);
        DrawLine(c.x1, c.y1, c.x2, c.y2);
        EXPECT_EQ(Drawn(r), c.picture) << c.x1 << "," << c.y1 << " " << c.x2 << "," << c.y2;
    }
}

// Lines whose ends lie two thousand million pixels away still draw the pixels
// of their walk that fall on the picture.
TEST_F(OffscreenTest, PixelsOutsideTheDibAreDropped) {
    DrawWindowRecord* r = DibWindow(3, 3);
    SetForeColor(0x0000FF);
    for (auto [x, y] : {std::pair{-1, 0}, {3, 0}, {0, -1}, {0, 3}}) DrawPixel(x, y);
    DrawLine(-5, 1, 10, 1);
    EXPECT_EQ(Drawn(r), "...\n###\n...");
    Fill(r, 0);
    DrawLine(-2000000000, -2000000000, 2000000000, 2000000000);
    DrawLine(2000000000, 0, -2000000000, 0);
    EXPECT_EQ(Drawn(r), "###\n.#.\n..#");
}

// Lines and turned rings and parabolas that run far off the picture on every
// side, each line drawn both ways, leave on it exactly the pixels that the
// same drawing leaves in that area of a picture large enough to hold them
// whole: on a DIB (both ends drawn) and on a bitmap without bits (the
// platform's polyline), at the sizes of both screens. Besides random lines:
// lines along the edges, through the corners, and of slopes 1/2 and 2, whose
// error term meets zero every other step.
TEST_F(OffscreenTest, LinesFarOffThePictureDrawTheirPixelsOnIt) {
    // Turned 0.5 rad about the screen's y axis, then 1.1 rad about its x axis (8.24).
    const int32_t turn[9] = {14723392, 0, 8043426, 7168360, 7610080, -13121595, -3648467, 14951978, 6678474};
    for (auto [w, h] : {std::pair{240, 320}, {480, 640}}) {
        const int m = h;  // how far past each side the lines reach
        const int lines[][4] = {{-m, 0, w + m, 0},      {-m, h - 1, w + m, h},      {-1, -m, -1, h + m},
                                {w - 1, -m, w, h + m},  {-m, -m, w + m, h + m},     {w + m, -m, -m, h + m},
                                {-m, -m / 2, w + m, (w + m) / 2}, {w / 2 - m / 2, -m, w / 2 + m / 2, m}};
        auto drawAll = [&](int dx, int dy) {
            std::mt19937 rng(static_cast<unsigned>(w));
            std::uniform_int_distribution<int> x(-m, w + m), y(-m, h + m);
            for (int i = 0; i < 300; ++i) {
                int a[4] = {x(rng), y(rng), x(rng), y(rng)};
                if (i < static_cast<int>(std::size(lines))) std::copy(lines[i], lines[i] + 4, a);
                DrawLineColor(a[0] + dx, a[1] + dy, a[2] + dx, a[3] + dy, i % 2 ? 0x0000FF : 0x00FF00);
                DrawLineColor(a[2] + dx, a[3] + dy, a[0] + dx, a[1] + dy, i % 2 ? 0xFF0000 : 0x00FFFF);
            }
            DrawRotatedRing(turn, w / 2 + dx, h / 3 + dy, h, h / 2, 0x0000FF, 0xFF0000);
            DrawRotatedRing(turn, -w / 2 + dx, h + dy, w, w, 0x00FF00, 0xFFFF00);
            DrawRotatedParabola(turn, w / 3 + dx, h / 2 + dy, h / 4 * 4096, 0xFF00FF, 0x00FFFF);
        };
        for (bool dib : {true, false}) {
            DrawWindowRecord* screen = DibWindow(w, h);
            DrawWindowRecord* whole = dib ? Dib(w + 2 * m, h + 2 * m) : CreateOffscreenWindow(w + 2 * m, h + 2 * m);
            DrawWindowRecord* part = dib ? screen : CreateOffscreenWindow(w, h);
            ASSERT_TRUE(whole && part);
            SetDrawWindow(whole);
            drawAll(m, m);
            SetDrawWindow(part);
            drawAll(0, 0);
            DrawWindowRecord* cut = Dib(w, h);
            CopyRectangle(whole, cut, XywhRect{m, m, w, h}, 0, 0, 0);
            if (!dib) CopyRectangle(part, screen, XywhRect{0, 0, w, h}, 0, 0, 0);
            int differ = 0;
            for (int p = 0; p < w * h; ++p) differ += Pixel(screen, p % w, p / w) != Pixel(cut, p % w, p / w);
            EXPECT_EQ(differ, 0) << w << (dib ? " DIB" : " bitmap");
            EXPECT_LT(Count(screen, 0), w * h * 9 / 10) << w << (dib ? " DIB" : " bitmap");
            SetDrawWindow(screen);
            if (!dib) {
                DeleteOffscreenWindow(whole);
                DeleteOffscreenWindow(part);
            }
        }
    }
}

TEST_F(OffscreenTest, RectanglesFillOutlineAndRound) {
    DrawWindowRecord* r = DibWindow(7, 6);
    SetForeColor(0x0000FF);
    FillRectangle(XywhRect{1, 1, 3, 2}, 0);
    EXPECT_EQ(Count(r, kRed), 6);
    Fill(r, 0);
    DrawRectangleOutline(XywhRect{1, 1, 4, 3});
    EXPECT_EQ(Drawn(r), ".......\n.#####.\n.#...#.\n.#...#.\n.#####.\n.......");
    Fill(r, 0);
    FillRectangle(XywhRect{0, 0, 7, 6}, 2);  // rounded: the corners stay empty
    EXPECT_EQ(Pixel(r, 0, 0), 0);
    EXPECT_EQ(Pixel(r, 3, 3), kRed);
}

// Worked case: on a window record the platform leaves out the last point (3, 1).
TEST_F(OffscreenTest, WindowLineLeavesLastPointOut) {
    pl::SetScreenInfo(pl::kHeadlessScreen);
    testwin::CleanPlatform clean;
    testwin::Recorder rec;
    pl::Hwnd window = rec.Top({10, 20, 60, 70});
    pl::Hdc dc = pl::GetDC(window);
    InitDrawWindow(window, dc);
    pl::FillRect(dc, pl::Rect{0, 0, 50, 50}, pl::GetStockBlackBrush());
    SetForeColor(0x0000FF);
    DrawLine(0, 0, 3, 1);
    for (auto [x, y] : {std::pair{10, 20}, {11, 20}, {12, 21}}) EXPECT_EQ(pl::ScreenPixel(x, y), 0x0000FFu) << x;
    EXPECT_EQ(pl::ScreenPixel(13, 21), 0u);
    ReleaseDrawWindow();
    pl::ReleaseDC(window, dc);
}

// Save-under bits come back where they were taken; mirrored records keep their key.
TEST_F(OffscreenTest, SavedBitsRestoreAndMirrorsKeepTheirKey) {
    DrawWindowRecord* r = DibWindow(6, 6);
    SetPixel(r, 2, 2, 0x1234);
    SetPixel(r, 4, 4, 0x4321);
    DrawWindowRecord* saved = SaveBits(XywhRect{1, 1, 3, 3});  // 4 x 4 from (1, 1)
    ASSERT_NE(saved, nullptr);
    Fill(r, 0);
    RestoreBits(saved, 1, 1);
    EXPECT_EQ(Pixel(r, 2, 2), 0x1234);
    EXPECT_EQ(Pixel(r, 4, 4), 0x4321);
    EXPECT_EQ(Count(r, 0), 34);

    DrawWindowRecord* m = CreateOffscreenDib(3, 2, 16);
    SetPixel(m, 0, 0, 0x0001);
    SetPixel(m, 2, 1, 0x0002);
    m->transparentColor = 0x00FF00;
    m = MirrorOffscreen(m, 1, 0);
    ASSERT_NE(m, nullptr);
    EXPECT_EQ(Pixel(m, 2, 0), 0x0001);
    EXPECT_EQ(Pixel(m, 0, 1), 0x0002);
    EXPECT_EQ(m->transparentColor, 0x00FF00u);
    m = MirrorOffscreen(m, 1, 1);
    EXPECT_EQ(Pixel(m, 0, 1), 0x0001);
    EXPECT_EQ(MirrorOffscreen(nullptr, 1, 1), nullptr);
    DeleteOffscreenWindow(m);
}

// A plain copy moves the rectangle; factor 2 spreads the centre 2 x 2 over 4 x 4.
TEST_F(OffscreenTest, CopyRectangleOpaqueAndScaled) {
    DrawWindowRecord* src = Dib(4, 4);
    DrawWindowRecord* dst = Dib(4, 4);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x) SetPixel(src, x, y, static_cast<uint16_t>(10 * y + x));
    CopyRectangle(src, dst, XywhRect{1, 1, 2, 2}, 0, 0, 0);
    EXPECT_EQ(Pixel(dst, 0, 0), 11);
    EXPECT_EQ(Pixel(dst, 1, 1), 22);
    CopyRectangleScaled(src, dst, XywhRect{0, 0, 4, 4}, 0, 0, 0, 2.0);
    EXPECT_EQ(Pixel(dst, 0, 0), 11);
    EXPECT_EQ(Pixel(dst, 3, 3), 22);
    EXPECT_EQ(Pixel(dst, 2, 1), 12);
}

}  // namespace
