#include "platform/gdi.h"

#include <gtest/gtest.h>

#include <cstring>

#include "platform/drawing.h"
#include "platform/fonts.h"
#include "support/test_canvas.h"

namespace {

using pl::ColorRef;
using pl::Rgb;

// Eight bits become five by truncation and five become eight by replication.
TEST(Colors, PixelWordsTruncateAndExpandByReplication) {
    // The drawing layer's own example: red 62 -> 7, green 65 -> 8, blue 200 -> 25.
    EXPECT_EQ(pl::ToPixel555(0xC8413E), 0x1D19);
    EXPECT_EQ(pl::ToPixel555(Rgb(7, 7, 7)), 0);  // truncated, not rounded
    EXPECT_EQ(pl::FromPixel555(0x7FFF), Rgb(255, 255, 255));
    EXPECT_EQ(pl::FromPixel555(0x1D19), Rgb(0x39, 0x42, 0xCE));  // 7 -> 00111001, 8 -> 01000010, 25 -> 11001110
    for (int p = 0; p < 0x8000; ++p) ASSERT_EQ(pl::ToPixel555(pl::FromPixel555(static_cast<uint16_t>(p))), p);
}

TEST(DibSection, PixelAddressIsBottomUpWithPaddedRows) {
    void* bits = nullptr;
    pl::Hbitmap dib = pl::CreateDibSection(3, 2, 16, &bits);
    ASSERT_NE(dib, nullptr);
    pl::BitmapInfo info;
    ASSERT_TRUE(pl::GetBitmapInfo(dib, &info));
    EXPECT_EQ(info.width, 3);
    EXPECT_EQ(info.height, 2);
    EXPECT_EQ(info.widthBytes, 8);  // 6 bytes of pixels padded to a multiple of 4
    EXPECT_EQ(info.bitsPerPixel, 16);
    EXPECT_EQ(info.bits, bits);
    pl::Hdc dc = pl::CreateCompatibleDC(nullptr);
    pl::Hbitmap old = pl::SelectObject(dc, dib);
    pl::SetPixel(dc, 0, 0, Rgb(255, 0, 0));   // top-left: first pixel of the last stored row
    pl::SetPixel(dc, 2, 1, Rgb(0, 0, 255));   // bottom-right: third pixel of the first stored row
    auto word = [&](int offset) {
        uint16_t w;
        std::memcpy(&w, static_cast<uint8_t*>(bits) + offset, 2);
        return w;
    };
    EXPECT_EQ(word(1 * 8 + 0), 0x7C00);
    EXPECT_EQ(word(0 * 8 + 4), 0x001F);
    // Words the program writes directly are what the context reads.
    uint16_t green = 0x03E0;
    std::memcpy(static_cast<uint8_t*>(bits) + 2, &green, 2);  // stored row 0 = picture row 1
    EXPECT_EQ(pl::GetPixel(dc, 1, 1), Rgb(0, 255, 0));
    pl::SelectObject(dc, old);
    pl::DeleteDC(dc);
    pl::DeleteObject(dib);
}

TEST(DibSection, OnlySixteenBitsAndSaneSizes) {
    void* bits = reinterpret_cast<void*>(1);
    EXPECT_EQ(pl::CreateDibSection(4, 4, 24, &bits), nullptr);
    EXPECT_EQ(bits, nullptr);
    EXPECT_EQ(pl::CreateDibSection(0, 4, 16, &bits), nullptr);
    EXPECT_EQ(pl::CreateDibSection(4, 20000, 16, &bits), nullptr);
    EXPECT_EQ(pl::CreateCompatibleBitmap(nullptr, -1, 4), nullptr);
}

TEST(DeviceContext, StartsWithDocumentedDefaults) {
    TestCanvas c(8, 8);
    EXPECT_EQ(pl::GetTextColor(c.dc()), Rgb(0, 0, 0));
    EXPECT_EQ(pl::GetBkColor(c.dc()), Rgb(255, 255, 255));
    EXPECT_EQ(pl::GetBkMode(c.dc()), pl::kOpaque);
    EXPECT_EQ(pl::GetCurrentFont(c.dc()), pl::GetSystemFont());
    c.Fill(Rgb(0, 255, 0));
    // White brush inside a black one-pixel outline.
    ASSERT_TRUE(pl::RoundRect(c.dc(), 0, 0, 3, 3, 0, 0));
    EXPECT_EQ(c.Picture({{Rgb(0, 0, 0), 'P'}, {Rgb(255, 255, 255), 'B'}, {Rgb(0, 255, 0), '.'}}).substr(0, 26),
              "PPP.....\nPBP.....\nPPP.....");
    // The selected font's description reads back.
    pl::Hfont font = pl::CreateFontIndirect(pl::FontDesc{-20, 700, "", 0});
    pl::Hfont old = pl::SelectObject(c.dc(), font);
    pl::FontDesc desc;
    ASSERT_TRUE(pl::GetFontDesc(pl::GetCurrentFont(c.dc()), &desc));
    EXPECT_EQ(desc.height, -20);
    EXPECT_EQ(desc.weight, 700);
    EXPECT_EQ(pl::SelectObject(c.dc(), old), font);
    EXPECT_TRUE(pl::DeleteObject(font));
}

TEST(DeviceContext, DeletingSelectedObjectsWaitsForRelease) {
    // Deleting a pen, brush or bitmap that a context still holds must not leave
    // the context drawing with freed memory.
    pl::Hdc dc = pl::CreateCompatibleDC(nullptr);
    pl::Hbitmap bitmap = pl::CreateCompatibleBitmap(nullptr, 4, 4);
    pl::Hpen pen = pl::CreatePen(Rgb(255, 0, 0));
    pl::Hbrush brush = pl::CreateSolidBrush(Rgb(0, 0, 255));
    pl::Hbitmap stock = pl::SelectObject(dc, bitmap);
    pl::SelectObject(dc, pen);
    pl::SelectObject(dc, brush);
    EXPECT_TRUE(pl::DeleteObject(bitmap));
    EXPECT_TRUE(pl::DeleteObject(pen));
    EXPECT_TRUE(pl::DeleteObject(brush));
    EXPECT_TRUE(pl::Ellipse(dc, 0, 0, 4, 4));
    EXPECT_EQ(pl::GetPixel(dc, 0, 1), Rgb(255, 0, 0));
    EXPECT_EQ(pl::GetPixel(dc, 1, 1), Rgb(0, 0, 255));
    pl::SelectObject(dc, stock);  // frees the bitmap (checked by the leak sanitizer)
    EXPECT_TRUE(pl::DeleteDC(dc));  // frees pen and brush
}

TEST(DeviceContext, CompatibleBitmapTakesTheContextsDepth) {
    TestCanvas dib(4, 4, 16);
    pl::Hbitmap b16 = pl::CreateCompatibleBitmap(dib.dc(), 5, 6);
    pl::Hbitmap b32 = pl::CreateCompatibleBitmap(nullptr, 5, 6);
    pl::BitmapInfo i16, i32;
    ASSERT_TRUE(pl::GetBitmapInfo(b16, &i16) && pl::GetBitmapInfo(b32, &i32));
    EXPECT_EQ(i16.bitsPerPixel, 16);
    EXPECT_EQ(i16.bits, nullptr);  // pixels only through contexts
    EXPECT_EQ(i32.bitsPerPixel, 32);
    EXPECT_EQ(i32.widthBytes, 20);
    pl::DeleteObject(b16);
    pl::DeleteObject(b32);
}

}  // namespace
