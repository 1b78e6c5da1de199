// Text in the draw window: cut lengths, transparency, the label and symbol fonts.
#include "ui/text_drawing.h"

#include <gtest/gtest.h>

#include "platform/fonts.h"
#include "platform/gdi.h"
#include "platform/text.h"
#include "support/draw_fixture.h"
#include "support/recording_services.h"
#include "support/temp_program_folder.h"
#include "ui/colors.h"
#include "ui/font_set.h"

namespace {

class TextDrawingTest : public DrawFixture {
protected:
    void SetUp() override {
        DrawFixture::SetUp();
        pl::ResetFontResources();
        InstallSymbolFont(folder.path());
        SetTextTransparent(false);
    }
    void TearDown() override {
        SetTextTransparent(false);
        DrawFixture::TearDown();
        pl::ResetFontResources();
    }
    // A picture on a dark background with white text on a red text background.
    DrawWindowRecord* Canvas(int width, int height) {
        DrawWindowRecord* r = DibWindow(width, height);
        Fill(r, 0x0001);
        SetTextColorRef(0xFFFFFF);
        SetBackColor(0x0000FF);
        return r;
    }
    TempProgramFolder folder{"text_drawing_test"};
    RecordingServices services;
};

TEST_F(TextDrawingTest, CharsAreCutAtTheLength) {
    DrawWindowRecord* r = Canvas(80, 20);
    int whole = CharsWidth("WWWW", 4);
    EXPECT_GT(whole, 0);
    EXPECT_EQ(CharsWidth("WWWW", 2) * 2, whole);
    EXPECT_EQ(CharsWidth("WW", 10), CharsWidth("WW", 2));  // the text ends first
    EXPECT_EQ(CharsWidth("WW", 0), 0);
    DrawChars("WWWW", 2, 0, 0);
    int half = CharsWidth("WW", 2);
    EXPECT_EQ(Pixel(r, half - 1, 1), 0x7C00);  // opaque background of the cell
    EXPECT_EQ(Pixel(r, half + 1, 1), 0x0001);
}

TEST_F(TextDrawingTest, PlainTextHonoursTransparency) {
    DrawWindowRecord* r = Canvas(40, 20);
    DrawPlainText("I", 1, 2, 2);
    EXPECT_GT(Count(r, 0x7C00), 0);
    Fill(r, 0x0001);
    SetTextTransparent(true);
    DrawPlainText("I", 1, 2, 2);
    EXPECT_EQ(Count(r, 0x7C00), 0);
    EXPECT_GT(Count(r, 0x7FFF), 0);
    EXPECT_EQ(pl::GetBkMode(r->dc), pl::kOpaque);  // put back afterwards
}

TEST_F(TextDrawingTest, LabelTextUsesFontTwoOnlyOverFontZero) {
    DrawWindowRecord* r = Canvas(60, 20);
    SelectFont(0);
    DrawLabelText("Ab", 2, 0, 0);
    EXPECT_EQ(GetCurrentFontId(), 0);
    EXPECT_EQ(pl::GetCurrentFont(r->dc), GetFontHandle(0));
    pl::Size smallSize;
    SelectFont(2);
    pl::GetTextExtent(r->dc, "Ab", &smallSize);
    SelectFont(0);
    int labelWidth = 0;
    for (int x = 0; x < 60; ++x)
        if (Pixel(r, x, 1) == 0x7C00) labelWidth = x + 1;  // the opaque cell of the label
    EXPECT_EQ(labelWidth, smallSize.width);
    SelectFont(5);
    DrawLabelText("Ab", 2, 0, 0);
    EXPECT_EQ(GetCurrentFontId(), 5);
}

TEST_F(TextDrawingTest, TextInRectWrapsOnATransparentBackground) {
    DrawWindowRecord* r = Canvas(60, 60);
    SelectFont(0);
    pl::TextMetrics m;
    pl::GetTextMetrics(r->dc, &m);
    int used = DrawTextInRect("one two three four", 0, 0, 40, 60);
    EXPECT_GE(used, 2 * m.height);
    EXPECT_EQ(Count(r, 0x7C00), 0);
    EXPECT_GT(Count(r, 0x7FFF), 0);
}

TEST_F(TextDrawingTest, SymbolCharDrawsGreekAndRestoresTheFont) {
    DrawWindowRecord* r = Canvas(20, 20);
    SetTextTransparent(true);
    SelectFont(4);
    DrawSymbolChar('a', 0, 0);
    EXPECT_EQ(GetCurrentFontId(), 4);
    std::string alpha = Picture(r, {{0x0001, '.'}, {0x7FFF, '#'}});
    Fill(r, 0x0001);
    pl::FontDesc plain{-12, 400, "DejaVu Sans", 0};
    pl::Hfont latin = pl::CreateFontIndirect(plain);
    pl::Hfont old = pl::SelectObject(r->dc, latin);
    DrawPlainText("a", 1, 0, 0);
    pl::SelectObject(r->dc, old);
    pl::DeleteObject(latin);
    EXPECT_NE(Picture(r, {{0x0001, '.'}, {0x7FFF, '#'}}), alpha);  // alpha is not a Latin a
    EXPECT_NE(alpha.find('#'), std::string::npos);
}

TEST_F(TextDrawingTest, AxesRunFromTheOriginTurnedByTheMatrix) {
    DrawWindowRecord* r = Canvas(40, 40);
    SetForeColor(0x00FF00);
    SetTextColorRef(0x00FF00);  // labels in the line colour, so they cannot hide a line pixel
    SetTextTransparent(true);
    const int32_t identity[9] = {1 << 24, 0, 0, 0, 1 << 24, 0, 0, 0, 1 << 24};
    DrawXyzAxes(identity, 5, 5, 12);
    for (int i = 0; i <= 12; ++i) {
        EXPECT_EQ(Pixel(r, 5 + i, 5), 0x03E0) << i;  // x to the right
        EXPECT_EQ(Pixel(r, 5, 5 + i), 0x03E0) << i;  // y down
    }
    EXPECT_EQ(Pixel(r, 4, 4), 0x0001);
    EXPECT_GT(Count(r, 0x03E0), 2 * 13 + 3);  // three labels besides the lines
}

}  // namespace
