#include "platform/text.h"

#include <gtest/gtest.h>

#include <ft2build.h>
#include FT_FREETYPE_H

#include <filesystem>
#include <set>
#include <utility>

#include "platform/drawing.h"
#include "platform/files.h"
#include "platform/fonts.h"
#include "platform/framebuffer.h"
#include "platform/screen.h"
#include "platform/text_encoding.h"
#include "support/temp_program_folder.h"
#include "support/test_canvas.h"

namespace {

namespace fs = std::filesystem;
using pl::Rgb;
using Ink = std::set<std::pair<int, int>>;

const std::string kSans = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
const std::string kTahoma = "/usr/share/wine/fonts/tahoma.ttf";
const std::string kSerif = "/usr/share/fonts/truetype/dejavu/DejaVuSerif.ttf";

// The pixels FreeType itself sets for one code point, hinted and one bit deep,
// placed as on a line whose cell starts at (0, 0): the baseline at the rounded
// ascender.
Ink ReferenceInk(const std::string& file, int pixels, char32_t codePoint) {
    Ink ink;
    FT_Library library;
    FT_Face face;
    if (FT_Init_FreeType(&library) != 0) return ink;
    if (FT_New_Face(library, file.c_str(), 0, &face) == 0) {
        FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(pixels));
        int ascent = static_cast<int>((face->size->metrics.ascender + 63) >> 6);
        if (FT_Load_Char(face, codePoint, FT_LOAD_TARGET_MONO) == 0 &&
            FT_Render_Glyph(face->glyph, FT_RENDER_MODE_MONO) == 0) {
            const FT_Bitmap& b = face->glyph->bitmap;
            for (unsigned r = 0; r < b.rows; ++r)
                for (unsigned c = 0; c < b.width; ++c)
                    if ((b.buffer[r * static_cast<unsigned>(b.pitch) + c / 8] >> (7 - c % 8)) & 1)
                        ink.insert({face->glyph->bitmap_left + static_cast<int>(c),
                                    ascent - face->glyph->bitmap_top + static_cast<int>(r)});
        }
        FT_Done_Face(face);
    }
    FT_Done_FreeType(library);
    return ink;
}

// Black pixels after drawing text black on white, transparently, at (0, 0).
Ink DrawnInk(pl::Hfont font, const std::string& text) {
    TestCanvas c(60, 30);
    c.Fill(Rgb(255, 255, 255));
    pl::Hfont old = font ? pl::SelectObject(c.dc(), font) : nullptr;
    pl::SetBkMode(c.dc(), pl::kTransparent);
    pl::TextOut(c.dc(), 0, 0, text);
    if (old) pl::SelectObject(c.dc(), old);
    Ink ink;
    for (int y = 0; y < c.height(); ++y)
        for (int x = 0; x < c.width(); ++x)
            if (pl::GetPixel(c.dc(), x, y) == Rgb(0, 0, 0)) ink.insert({x, y});
    return ink;
}

// A program folder in the test's temporary directory with font files copied in.
class FontFolder : public ::testing::Test {
protected:
    void SetUp() override { fs::create_directories(folder_.path() / "font"); }
    void TearDown() override { pl::ResetFontResources(); }
    void Copy(const std::string& from, const std::string& name) {
        fs::copy_file(from, folder_.path() / "font" / name, fs::copy_options::overwrite_existing);
    }
    TempProgramFolder folder_{"zd_fonts"};
};

TEST(Cp1252, HighBytesBecomeTheirCharacters) {
    struct Case {
        unsigned char byte;
        char32_t code;
    };
    // Code points from the Windows-1252 code page chart.
    const Case cases[] = {{0x41, U'A'},      {0x80, U'\u20AC'}, {0x95, U'\u2022'}, {0x96, U'\u2013'},
                          {0x9F, U'\u0178'}, {0xB0, U'\u00B0'}, {0xE9, U'\u00E9'}, {0xF6, U'\u00F6'},
                          {0x81, U'\u0081'}, {0xFF, U'\u00FF'}};
    for (const Case& c : cases) EXPECT_EQ(pl::Cp1252ToCodePoint(c.byte), c.code) << int{c.byte};
}

TEST(SymbolCharset, LettersAreTheClassicGreekEncoding) {
    EXPECT_EQ(pl::DecodeText("abcdefghijklmnopqrstuvwxyz", true),
              U"\u03B1\u03B2\u03C7\u03B4\u03B5\u03C6\u03B3\u03B7\u03B9\u03D5\u03BA\u03BB\u03BC"
              U"\u03BD\u03BF\u03C0\u03B8\u03C1\u03C3\u03C4\u03C5\u03D6\u03C9\u03BE\u03C8\u03B6");
    EXPECT_EQ(pl::DecodeText("ABCDEFGHIJKLMNOPQRSTUVWXYZ", true),
              U"\u0391\u0392\u03A7\u0394\u0395\u03A6\u0393\u0397\u0399\u03D1\u039A\u039B\u039C"
              U"\u039D\u039F\u03A0\u0398\u03A1\u03A3\u03A4\u03A5\u03C2\u03A9\u039E\u03A8\u0396");
    EXPECT_EQ(pl::DecodeText("A1\xB0", true), U"\u03911\u00B0");  // digits and the rest as Windows-1252
    EXPECT_EQ(pl::DecodeText("a", false), U"a");
}

// The system font and the dialog font: Tahoma at -12 and -11 per 96 dpi, or
// DejaVu Sans when the Tahoma files are missing.
TEST(SystemFont, FamilyAndHeightsFollowTheFilesAndPixelsPerInch) {
    const struct {
        pl::ScreenInfo screen;
        std::string tahomaFolder;
        const char* family;
        int system, dialog;
    } cases[] = {{pl::kHeadlessScreen, "", "Tahoma", -12, -11},
                 {pl::kWindowScreen, "", "Tahoma", -24, -22},
                 {pl::kHeadlessScreen, "/nonexistent/fonts/", "DejaVu Sans", -12, -11}};
    for (const auto& c : cases) {
        pl::SetScreenInfo(c.screen);
        pl::SetTahomaFolder(c.tahomaFolder);
        pl::Hdc dc = pl::CreateCompatibleDC(nullptr);
        pl::FontDesc desc;
        ASSERT_TRUE(pl::GetFontDesc(pl::GetCurrentFont(dc), &desc));
        EXPECT_EQ(desc.height, c.system);
        EXPECT_EQ(desc.weight, 400);
        EXPECT_EQ(desc.face, c.family);
        EXPECT_EQ(pl::GetSystemFontFamily(), c.family);
        ASSERT_TRUE(pl::GetFontDesc(pl::GetDialogFont(), &desc));
        EXPECT_EQ(desc.height, c.dialog);
        EXPECT_EQ(desc.face, c.family);
        EXPECT_EQ(pl::GetDeviceCaps(dc, pl::kLogPixelsX), c.screen.dpi);
        pl::DeleteDC(dc);
    }
    pl::SetTahomaFolder("");
    pl::SetScreenInfo(pl::kHeadlessScreen);
}

// Glyphs are FreeType's own at the character height; Windows-1252 bytes
// render as their characters.
TEST(Text, GlyphsAreFreeTypesOwnForTheBytesCharacters) {
    const struct {
        int height;
        const char* text;
        char32_t code;
    } cases[] = {{12, "g", U'g'}, {20, "R", U'R'}, {12, "\x95", U'\u2022'}, {12, "\xB0", U'\u00B0'}, {12, "\xE9", U'\u00E9'}};
    for (const auto& c : cases) {
        Ink expected = ReferenceInk(c.height == 12 ? kTahoma : kSans, c.height, c.code);
        ASSERT_FALSE(expected.empty());
        // The system font (Tahoma) at 12, a made DejaVu Sans otherwise.
        pl::Hfont font = c.height == 12 ? nullptr : pl::CreateFontIndirect(pl::FontDesc{-c.height, 400, "DejaVu Sans", 0});
        EXPECT_EQ(DrawnInk(font, c.text), expected) << c.text;
        if (font) pl::DeleteObject(font);
    }
}

TEST(Text, BoldMeasuresWiderThanNormal) {
    TestCanvas c(4, 4);
    pl::Size normal, bold;
    ASSERT_TRUE(pl::GetTextExtent(c.dc(), "Night vision", &normal));
    pl::Hfont font = pl::CreateFontIndirect(pl::FontDesc{-12, 700, "", 0});
    pl::Hfont old = pl::SelectObject(c.dc(), font);
    ASSERT_TRUE(pl::GetTextExtent(c.dc(), "Night vision", &bold));
    pl::SelectObject(c.dc(), old);
    pl::DeleteObject(font);
    EXPECT_GT(bold.width, normal.width);
    EXPECT_EQ(bold.height, normal.height);
}

TEST(Text, OpaqueFillsTheCellTransparentDoesNot) {
    TestCanvas c(40, 20);
    pl::Size size;
    pl::GetTextExtent(c.dc(), "ab", &size);
    c.Fill(Rgb(0, 255, 0));
    pl::TextOut(c.dc(), 2, 3, "ab");
    int inCell = size.width * size.height;
    EXPECT_EQ(c.Count(Rgb(0, 255, 0)), 40 * 20 - inCell);
    EXPECT_GT(c.Count(Rgb(255, 255, 255)), 0);
    EXPECT_EQ(c.Count(Rgb(0, 0, 0)) + c.Count(Rgb(255, 255, 255)), inCell);
    c.Fill(Rgb(0, 255, 0));
    pl::SetBkMode(c.dc(), pl::kTransparent);
    pl::TextOut(c.dc(), 2, 3, "ab");
    EXPECT_EQ(c.Count(Rgb(255, 255, 255)), 0);
    EXPECT_GT(c.Count(Rgb(0, 0, 0)), 0);
    EXPECT_EQ(c.Count(Rgb(0, 0, 0)) + c.Count(Rgb(0, 255, 0)), 40 * 20);
}

TEST(Text, SameInSixteenBitsAsInThirtyTwo) {
    TestCanvas a(80, 20, 32), b(80, 20, 16);
    for (TestCanvas* c : {&a, &b}) {
        c->Fill(Rgb(0, 0, 255));
        pl::SetTextColor(c->dc(), Rgb(255, 255, 0));
        pl::SetBkColor(c->dc(), Rgb(255, 0, 0));
        pl::TextOut(c->dc(), 1, 1, "Saturn 0.7\xB0");
    }
    std::map<pl::ColorRef, char> legend = {{Rgb(0, 0, 255), '.'}, {Rgb(255, 255, 0), '#'}, {Rgb(255, 0, 0), 'r'}};
    EXPECT_EQ(a.Picture(legend), b.Picture(legend));
}

TEST(DrawText, WordWrapReturnsHeightUsed) {
    TestCanvas c(100, 60);
    pl::TextMetrics m;
    pl::GetTextMetrics(c.dc(), &m);
    pl::Size two;
    pl::GetTextExtent(c.dc(), "aaa aaa", &two);
    pl::Rect fits{0, 0, two.width, 60};
    EXPECT_EQ(pl::DrawText(c.dc(), "aaa aaa aaa", &fits, pl::kTextWordBreak), 2 * m.height);
    pl::Rect narrower{0, 0, two.width - 1, 60};
    EXPECT_EQ(pl::DrawText(c.dc(), "aaa aaa aaa", &narrower, pl::kTextWordBreak), 3 * m.height);
    // A word wider than the rectangle stands alone; line feeds always break.
    pl::Rect tiny{0, 0, 5, 60};
    EXPECT_EQ(pl::DrawText(c.dc(), "abcdefgh x", &tiny, pl::kTextWordBreak), 2 * m.height);
    // With kTextBreakLongWords (the message boxes' long file names) it is broken between characters.
    pl::Size three;
    pl::GetTextExtent(c.dc(), "aaa", &three);
    pl::Rect threeWide{0, 0, three.width, 60};
    EXPECT_EQ(pl::DrawText(c.dc(), "aaaaaaa", &threeWide, pl::kTextWordBreak | pl::kTextBreakLongWords), 3 * m.height);
    EXPECT_EQ(pl::DrawText(c.dc(), "aaaaaaa", &tiny, pl::kTextWordBreak | pl::kTextBreakLongWords), 7 * m.height);
    pl::Rect wide{0, 0, 100, 60};
    EXPECT_EQ(pl::DrawText(c.dc(), "a\nb\n\nc", &wide, pl::kTextWordBreak), 4 * m.height);
    EXPECT_EQ(pl::DrawText(c.dc(), "a\nb", &wide, pl::kTextLeft), 2 * m.height);
    EXPECT_EQ(pl::DrawText(c.dc(), "a\nb", &wide, pl::kTextSingleLine), m.height);
    // Measuring sets the rectangle to the text and draws nothing.
    c.Fill(Rgb(0, 255, 0));
    pl::Rect r{5, 5, 5 + two.width + 3, 500};
    int h = pl::DrawText(c.dc(), "aaa aaa aaa", &r, pl::kTextWordBreak | pl::kTextCalcRect);
    EXPECT_EQ(r, (pl::Rect{5, 5, 5 + two.width, 5 + h}));
    EXPECT_EQ(c.Count(Rgb(0, 255, 0)), 100 * 60);
}

TEST(DrawText, SingleLineCentredAndClipped) {
    TestCanvas c(60, 40);
    c.Fill(Rgb(0, 255, 0));
    pl::TextMetrics m;
    pl::GetTextMetrics(c.dc(), &m);
    pl::Size size;
    pl::GetTextExtent(c.dc(), "OK", &size);
    pl::Rect r{10, 5, 50, 35};
    pl::DrawText(c.dc(), "OK", &r, pl::kTextSingleLine | pl::kTextVCenter | pl::kTextCenter);
    // The opaque cell: centred both ways in the rectangle.
    int left = 10 + (40 - size.width) / 2, top = 5 + (30 - m.height) / 2;
    EXPECT_EQ(pl::GetPixel(c.dc(), left, top), Rgb(255, 255, 255));
    EXPECT_EQ(pl::GetPixel(c.dc(), left - 1, top), Rgb(0, 255, 0));
    EXPECT_EQ(pl::GetPixel(c.dc(), left, top - 1), Rgb(0, 255, 0));
    EXPECT_EQ(c.Count(Rgb(0, 255, 0)) + size.width * m.height, 60 * 40);
    // Clipped to the rectangle.
    c.Fill(Rgb(0, 255, 0));
    pl::Rect small{0, 0, 4, 4};
    pl::DrawText(c.dc(), "OK", &small, pl::kTextSingleLine);
    EXPECT_EQ(c.Count(Rgb(0, 255, 0)), 60 * 40 - 16);
}

TEST_F(FontFolder, SymbolFontDrawsGreekLetters) {
    Copy(kSans, "symbol.ttf");
    EXPECT_EQ(pl::AddFontResourceFile(pl::ProgramPath() + "font\\symbol.ttf"), 1);
    pl::Hfont symbol = pl::CreateFontIndirect(pl::FontDesc{-12, 400, "symbol", pl::kSymbolCharset});
    ASSERT_NE(symbol, nullptr);
    EXPECT_EQ(DrawnInk(symbol, "a"), ReferenceInk(kSans, 12, U'\u03B1'));
    EXPECT_EQ(DrawnInk(symbol, "q"), ReferenceInk(kSans, 12, U'\u03B8'));
    // The capitals of the same encoding: A Alpha, D Delta, W Omega, Q Theta, J the theta symbol.
    const std::pair<const char*, char32_t> capitals[] = {
        {"A", U'\u0391'}, {"D", U'\u0394'}, {"W", U'\u03A9'}, {"Q", U'\u0398'}, {"J", U'\u03D1'}};
    for (auto [text, code] : capitals) EXPECT_EQ(DrawnInk(symbol, text), ReferenceInk(kSans, 12, code)) << text;
    EXPECT_NE(DrawnInk(symbol, "D"), ReferenceInk(kSans, 12, U'D'));
    pl::FontDesc desc;
    pl::GetFontDesc(symbol, &desc);
    EXPECT_EQ(desc.face, "symbol");
    EXPECT_EQ(desc.charSet, 2);
    pl::DeleteObject(symbol);
    pl::Hfont plain = pl::CreateFontIndirect(pl::FontDesc{-12, 400, "symbol", 0});
    EXPECT_EQ(DrawnInk(plain, "a"), ReferenceInk(kSans, 12, U'a'));
    pl::DeleteObject(plain);
}

// Each addition needs its own removal; a font made before the removal keeps its face.
TEST_F(FontFolder, AddedFaceFoundByFamilyAndFileNameUntilRemoved) {
    Copy(kSerif, "MySerif.ttf");
    EXPECT_EQ(pl::AddFontResourceFile("font\\myserif.ttf"), 1);  // found without regard to case
    EXPECT_EQ(pl::AddFontResourceFile("font\\MySerif.ttf"), 1);
    Ink serif = ReferenceInk(kSerif, 12, U'A');
    ASSERT_NE(serif, ReferenceInk(kSans, 12, U'A'));
    for (const char* face : {"MySerif", "myserif", "DejaVu Serif", "dejavu serif"}) {
        pl::Hfont f = pl::CreateFontIndirect(pl::FontDesc{-12, 400, face, 0});
        EXPECT_EQ(DrawnInk(f, "A"), serif) << face;
        pl::DeleteObject(f);
    }
    pl::Hfont kept = pl::CreateFontIndirect(pl::FontDesc{-12, 400, "MySerif", 0});
    EXPECT_TRUE(pl::RemoveFontResourceFile("font\\MySerif.ttf"));
    pl::Hfont second = pl::CreateFontIndirect(pl::FontDesc{-12, 400, "MySerif", 0});
    EXPECT_EQ(DrawnInk(second, "A"), serif);
    pl::DeleteObject(second);
    EXPECT_TRUE(pl::RemoveFontResourceFile("font\\MySerif.ttf"));
    EXPECT_FALSE(pl::RemoveFontResourceFile("font\\MySerif.ttf"));
    EXPECT_EQ(DrawnInk(kept, "A"), serif);
    pl::DeleteObject(kept);
    pl::Hfont gone = pl::CreateFontIndirect(pl::FontDesc{-12, 400, "MySerif", 0});
    EXPECT_EQ(DrawnInk(gone, "A"), ReferenceInk(kTahoma, 12, U'A'));  // the system family stands in
    pl::DeleteObject(gone);
}

TEST_F(FontFolder, MissingOrBadFilesAddNothing) {
    EXPECT_EQ(pl::AddFontResourceFile("font\\none.ttf"), 0);
    std::FILE* f = pl::OpenFile("font\\text.ttf", "w");
    ASSERT_NE(f, nullptr);
    std::fputs("not a font", f);
    std::fclose(f);
    EXPECT_EQ(pl::AddFontResourceFile("font\\text.ttf"), 0);
    EXPECT_FALSE(pl::RemoveFontResourceFile("font\\text.ttf"));
}

}  // namespace
