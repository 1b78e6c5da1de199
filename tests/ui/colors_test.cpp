// The colour set of each night mode, the foreground colour, and the system
// colours in night mode and back.
#include "ui/colors.h"

#include <gtest/gtest.h>

#include <array>

#include "core/preferences.h"
#include "platform/sys_colors.h"
#include "support/draw_fixture.h"
#include "ui/night_colors.h"

namespace {

using pl::Rgb;
using ColorsTest = DrawFixture;

// Worked case: 0xC8413E is red 62 -> 7, green 65 -> 8, blue 200 -> 25, i.e.
// pixel 0x1D19. The first foreground reports the background as the previous.
TEST_F(ColorsTest, ForeColorKeepsColorRefAndPixelWord) {
    DibWindow(4, 4);
    EXPECT_EQ(SetForeColor(0xC8413E), 0xFFFFFFu);
    EXPECT_EQ(GetForeColorRef(), 0xC8413Eu);
    EXPECT_EQ(GetForePixel(), 0x1D19u);
}

// Day, and red at the night intensity 102, 140, 204; a mode outside 0..3
// counts as day.
TEST_F(ColorsTest, ColorSetFollowsNightMode) {
    const struct {
        int mode, intensity;
        pl::ColorRef background, pen, highlight, highlightText;
    } cases[] = {
        {0, 255, 0xFFFFFF, 0x000000, 0xC8413E, 0xFFFFFF}, {1, 102, 0x000000, 102, 102, 0x000000},
        {2, 140, 0x000000, 140, 140, 0x000000},           {3, 204, 0x000000, 204, 204, 0x000000},
        {7, 255, 0xFFFFFF, 0x000000, 0xC8413E, 0xFFFFFF},
    };
    for (const auto& c : cases) {
        SetNightMode(c.mode);
        EXPECT_EQ(GetSchemeColor(), c.intensity) << c.mode;
        EXPECT_EQ((std::array{GetBackgroundColor(), GetForegroundColor(), GetHighlightColor(), GetHighlightTextColor()}),
                  (std::array{c.background, c.pen, c.highlight, c.highlightText}))
            << c.mode;
    }
}

class NightColorsTest : public DrawFixture {
protected:
    void SetUp() override {
        DrawFixture::SetUp();
        pl::ResetSysColors();
        ResetSavedSystemColors();
        day = Current();
    }
    void TearDown() override {
        pl::ResetSysColors();
        ResetSavedSystemColors();
        DrawFixture::TearDown();
    }
    // Night mode word 24, then the colours of that mode.
    static void Night(int mode) {
        preferences.word[kPrefNightMode] = mode;
        ApplyNightModeColors(mode);
    }
    static std::array<pl::ColorRef, pl::kSysColorCount> Current() {
        std::array<pl::ColorRef, pl::kSysColorCount> c;
        for (int i = 0; i < pl::kSysColorCount; ++i) c[i] = pl::GetSysColor(i);
        return c;
    }
    std::array<pl::ColorRef, pl::kSysColorCount> day;
};

// Mode 1 ("Dark", intensity 102): every slot red 1, menu red (1 + 2) x 5 = 15,
// text slots red 102; mode 3: menu 25, text 204. A second night mode keeps
// the day colours saved by the first, so that mode 0 restores them exactly.
TEST_F(NightColorsTest, DayColoursComeBackExactlyAfterTwoNightModes) {
    Night(1);
    EXPECT_EQ(pl::GetSysColor(pl::kColorWindow), Rgb(1, 0, 0));
    EXPECT_EQ(pl::GetSysColor(pl::kColorMenu), Rgb(15, 0, 0));
    for (int slot : {pl::kColorButtonHighlight, pl::kColorWindowFrame, pl::kColorGrayText, pl::kColorWindowText})
        EXPECT_EQ(pl::GetSysColor(slot), Rgb(102, 0, 0)) << slot;
    EXPECT_EQ(GetForegroundColor(), Rgb(102, 0, 0));  // the colour set is rebuilt for the night
    Night(3);
    EXPECT_EQ(pl::GetSysColor(pl::kColorMenu), Rgb(25, 0, 0));
    EXPECT_EQ(pl::GetSysColor(pl::kColorWindowText), Rgb(204, 0, 0));
    Night(0);
    EXPECT_EQ(Current(), day);
    EXPECT_EQ(GetBackgroundColor(), 0xFFFFFFu);
    Night(0);  // again: still the day colours
    EXPECT_EQ(Current(), day);
}

// "2003" and "2005" replace the saved day colours, repairing colours left red.
TEST_F(NightColorsTest, PresetSchemesBecomeTheDayColours) {
    Night(2);
    LoadPresetSystemColors(2003);
    Night(0);
    EXPECT_EQ(pl::GetSysColor(pl::kColorHighlight), Rgb(8, 36, 107));
    EXPECT_EQ(pl::GetSysColor(pl::kColorButtonFace), Rgb(192, 192, 192));
    LoadPresetSystemColors(2005);
    Night(0);
    EXPECT_EQ(pl::GetSysColor(pl::kColorHighlight), Rgb(49, 106, 197));
    EXPECT_EQ(pl::GetSysColor(pl::kColorButtonFace), Rgb(214, 223, 247));
    for (int i = 0; i < pl::kSysColorCount; ++i) {
        pl::ColorRef c = pl::GetSysColor(i);
        EXPECT_FALSE(pl::RedOf(c) > 0 && pl::GreenOf(c) == 0 && pl::BlueOf(c) == 0) << "slot " << i;
    }
    Night(3);
    Night(0);  // the preset stays the saved day scheme
    EXPECT_EQ(pl::GetSysColor(pl::kColorHighlight), Rgb(49, 106, 197));
}

// Day mode with nothing saved changes nothing. Any other preset choice marks
// the saved colours as saved; with none saved before, they were all zero and
// day mode turned every control black.
TEST_F(NightColorsTest, OtherPresetChoiceWithNothingSavedKeepsTheColoursInsteadOfBlack) {
    Night(0);
    EXPECT_EQ(Current(), day);
    LoadPresetSystemColors(1999);
    EXPECT_TRUE(AreSystemColorsSaved());
    Night(0);
    EXPECT_EQ(Current(), day);
}

}  // namespace
