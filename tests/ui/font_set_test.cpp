// The eight fonts, the symbol face from the program folder, and their
// release; text in the draw window: cut lengths, the label font, the axes.
#include "ui/font_set.h"

#include <gtest/gtest.h>

#include "platform/files.h"
#include "platform/dialog.h"
#include "platform/fonts.h"
#include "platform/gdi.h"
#include "platform/text.h"
#include "platform/harness.h"
#include "platform/message_box.h"
#include "platform/message_queue.h"
#include "platform/messages.h"
#include "platform/screen.h"
#include "support/draw_fixture.h"
#include "support/recording_services.h"
#include "support/message_loop.h"
#include "support/recording_window.h"
#include "support/temp_program_folder.h"
#include "support/test_harness.h"
#include "ui/colors.h"
#include "ui/text_drawing.h"

namespace {

class FontSetTest : public DrawFixture {
protected:
    void SetUp() override {
        DrawFixture::SetUp();
        pl::ResetFontResources();
    }
    void TearDown() override {
        DrawFixture::TearDown();
        pl::SetScreenInfo(pl::kHeadlessScreen);
        pl::ResetFontResources();
    }
    void InstallSymbolFont() { DrawFixture::InstallSymbolFont(folder.path()); }
    // Makes a DIB draw window on a screen of this dpi, so that its context holds
    // the system font of that screen, and builds the set.
    void BuildAt(int dpi, double scale) {
        pl::SetScreenInfo(pl::ScreenInfo{240, 320, dpi});
        SetScale(scale);
        DibWindow(8, 8);
        SelectFont(0);
    }
    static pl::FontDesc Desc(int id) {
        pl::FontDesc d;
        EXPECT_TRUE(pl::GetFontDesc(GetFontHandle(id), &d)) << id;
        return d;
    }

    TempProgramFolder folder{"font_set_test"};
    RecordingServices services;
    testwin::CleanPlatform clean;
};

// Edge cases: DC font -12 at scaleX 1 gives 0, 4: -11 (-12 x 95 / 100
// truncated toward zero), 2, 3: -9, 1, 6: -12, 5: -11, 7: -9; at scaleX 2 with
// height -24 fonts 0, 4, 5 have -21 and 2, 3, 7 have -18; weights 700 for 1, 3, 5.
TEST_F(FontSetTest, HeightsAtScaleOneAndTwo) {
    const struct {
        int dpi;
        double scale;
        int heights[kFontCount];
    } cases[] = {{96, 1.0, {-11, -12, -9, -9, -11, -11, -12, -9}}, {192, 2.0, {-21, -24, -18, -18, -21, -21, -24, -18}}};
    const int weights[kFontCount] = {400, 700, 400, 700, 400, 700, 400, 400};
    InstallSymbolFont();
    for (const auto& c : cases) {
        ReleaseFonts();
        BuildAt(c.dpi, c.scale);
        for (int id = 0; id < kFontCount; ++id) {
            EXPECT_EQ(Desc(id).height, c.heights[id]) << c.dpi << " " << id;
            EXPECT_EQ(Desc(id).weight, weights[id]) << id;
        }
    }
    EXPECT_EQ(Desc(6).face, "symbol");
    EXPECT_EQ(Desc(6).charSet, pl::kSymbolCharset);
    EXPECT_EQ(Desc(7).face, "symbol");
    EXPECT_EQ(Desc(0).face, "Tahoma");
    EXPECT_NE(GetFontHandle(0), GetFontHandle(4));  // same font, a handle of its own
    EXPECT_TRUE(services.messages.empty());
}

TEST_F(FontSetTest, SelectionAndOutOfRangeIds) {
    InstallSymbolFont();
    BuildAt(96, 1.0);
    pl::Hdc dc = GetDrawDc();
    EXPECT_EQ(SelectFont(3), 0);
    EXPECT_EQ(GetCurrentFontId(), 3);
    EXPECT_EQ(pl::GetCurrentFont(dc), GetFontHandle(3));
    // Edge case: SelectFont(9) leaves the context's font, makes 0 current and returns the previous id.
    EXPECT_EQ(SelectFont(9), 3);
    EXPECT_EQ(GetCurrentFontId(), 0);
    EXPECT_EQ(pl::GetCurrentFont(dc), GetFontHandle(3));
    SelectFont(5);
    EXPECT_EQ(SelectFont(-1), 5);
    EXPECT_EQ(GetCurrentFontId(), 0);
    SetDrawWindow(nullptr);  // no context: the selection fails
    EXPECT_EQ(SelectFont(2), 0);
    EXPECT_EQ(GetCurrentFontId(), 0);
}

// Edge case: without the font file the top-most box comes first, then the
// "Information" box; ids 6 and 7 draw with fonts 0 and 2, and shut-down
// deletes no handle twice.
TEST_F(FontSetTest, MissingSymbolFileFallsBackToPlainFonts) {
    pl::Harness harness(TestHarnessOptions());
    testwin::Recorder rec;
    harness.start([&] {
        InitDrawWindowOwnDc(rec.Top({0, 0, 240, 320}));
        return RunMessageLoop();
    });
    harness.runOnUi([] { SelectFont(0); });  // returns while the box waits for an answer
    std::vector<pl::MessageBoxInfo> boxes = pl::OpenMessageBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "Can't find font ressource. Please check font sub directory exist and is not empty.");
    EXPECT_EQ(boxes[0].caption, "");
    EXPECT_NE(boxes[0].type & pl::MB_TOPMOST, 0u);
    EXPECT_EQ(boxes[0].buttons, std::vector<int>{pl::IDOK});
    EXPECT_TRUE(services.messages.empty());
    harness.runOnUi([] { pl::AnswerMessageBox(pl::IDOK); });
    EXPECT_EQ(services.Texts(), std::vector<std::string>{"Symbol Font not found."});
    EXPECT_EQ(services.messages[0].detail, "");
    harness.runOnUi([&] {
        EXPECT_EQ(GetFontHandle(6), GetFontHandle(0));
        EXPECT_EQ(GetFontHandle(7), GetFontHandle(2));
        SelectFont(6);
        EXPECT_EQ(GetCurrentFontId(), 6);
        EXPECT_EQ(pl::GetCurrentFont(GetDrawDc()), GetFontHandle(0));
        ReleaseFonts();
        for (int id = 0; id < kFontCount; ++id) EXPECT_EQ(GetFontHandle(id), nullptr) << id;
        ReleaseFonts();
        ReleaseDrawWindow();
    });
    harness.stop();
}

TEST_F(FontSetTest, SymbolFaceIsInstalledAndRemovedWithFontChanges) {
    InstallSymbolFont();
    testwin::Recorder rec;
    pl::Hwnd top = rec.Top({0, 0, 10, 10});
    BuildAt(96, 1.0);
    EXPECT_EQ(rec.Count(pl::WM_FONTCHANGE, top), 1);  // added (nothing was left to remove)
    std::string path = pl::ProgramPath() + "font\\symbol.ttf";
    ReleaseFonts();
    EXPECT_EQ(rec.Count(pl::WM_FONTCHANGE, top), 2);  // removed
    EXPECT_FALSE(pl::RemoveFontResourceFile(path));   // nothing left installed
    EXPECT_EQ(GetCurrentFontId(), 0);
    SelectFont(1);  // the set is made again after a release
    EXPECT_NE(GetFontHandle(6), GetFontHandle(0));
}

class TextDrawingTest : public FontSetTest {
protected:
    void SetUp() override {
        FontSetTest::SetUp();
        InstallSymbolFont();
        SetTextTransparent(false);
    }
    void TearDown() override {
        SetTextTransparent(false);
        FontSetTest::TearDown();
    }
    // A picture on a dark background with white text on a red text background.
    DrawWindowRecord* Canvas(int width, int height) {
        DrawWindowRecord* r = DibWindow(width, height);
        Fill(r, 0x0001);
        SetTextColorRef(0xFFFFFF);
        SetBackColor(0x0000FF);
        return r;
    }
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
