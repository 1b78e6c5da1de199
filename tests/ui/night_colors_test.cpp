// System colours in night mode and back.
#include "ui/night_colors.h"

#include <gtest/gtest.h>

#include "core/preferences.h"
#include "platform/sys_colors.h"
#include "support/draw_fixture.h"
#include "ui/colors.h"

namespace {

using pl::Rgb;

class NightColorsTest : public DrawFixture {
protected:
    void SetUp() override {
        DrawFixture::SetUp();
        pl::ResetSysColors();
        ResetSavedSystemColors();
        for (int i = 0; i < pl::kSysColorCount; ++i) day[i] = pl::GetSysColor(i);
    }
    void TearDown() override {
        pl::ResetSysColors();
        ResetSavedSystemColors();
        DrawFixture::TearDown();
    }
    // Night mode word 24, then the colours of that mode.
    void Night(int mode) {
        preferences.word[kPrefNightMode] = mode;
        ApplyNightModeColors(mode);
    }
    std::array<pl::ColorRef, pl::kSysColorCount> Current() const {
        std::array<pl::ColorRef, pl::kSysColorCount> c;
        for (int i = 0; i < pl::kSysColorCount; ++i) c[i] = pl::GetSysColor(i);
        return c;
    }
    std::array<pl::ColorRef, pl::kSysColorCount> day;
};

TEST_F(NightColorsTest, SlotListCoversEverySlotThenRepeatsFive) {
    for (int i = 0; i < 29; ++i) EXPECT_EQ(kNightColorSlots[i], i);
    EXPECT_EQ(kNightColorSlots[29], 1);
    EXPECT_EQ(kNightColorSlots[30], 15);
    EXPECT_EQ(kNightColorSlots[31], 16);
    EXPECT_EQ(kNightColorSlots[32], 20);
    EXPECT_EQ(kNightColorSlots[33], 20);
}

// Mode 1 ("Dark", intensity 102): every slot red 1, menu red (1 + 2) x 5 = 15,
// the 14 text, frame and highlight slots red 102.
TEST_F(NightColorsTest, DarkModeColours) {
    Night(1);
    EXPECT_EQ(pl::GetSysColor(pl::kColorScrollBar), Rgb(1, 0, 0));
    EXPECT_EQ(pl::GetSysColor(pl::kColorWindow), Rgb(1, 0, 0));
    EXPECT_EQ(pl::GetSysColor(pl::kColorInfoBackground), Rgb(1, 0, 0));
    EXPECT_EQ(pl::GetSysColor(pl::kColorMenu), Rgb(15, 0, 0));
    for (int slot : {pl::kColorButtonHighlight, pl::kColorHighlight, pl::kColorActiveBorder, pl::kColorWindowFrame,
                     pl::kColorButtonFace, pl::kColor3dLight, pl::kColor3dDarkShadow, pl::kColorCaptionText,
                     pl::kColorGrayText, pl::kColorInactiveCaptionText, pl::kColorInfoText, pl::kColorStaticText,
                     pl::kColorMenuText, pl::kColorWindowText})
        EXPECT_EQ(pl::GetSysColor(slot), Rgb(102, 0, 0)) << slot;
    EXPECT_EQ(GetBackgroundColor(), 0u);  // the colour set is rebuilt for the night
    EXPECT_EQ(GetForegroundColor(), Rgb(102, 0, 0));
}

// Edge case: a second night mode keeps the day colours saved by the first, so
// that mode 0 restores them exactly.
TEST_F(NightColorsTest, DayColoursComeBackExactlyAfterTwoNightModes) {
    Night(1);
    Night(3);
    EXPECT_EQ(pl::GetSysColor(pl::kColorMenu), Rgb(25, 0, 0));
    EXPECT_EQ(pl::GetSysColor(pl::kColorWindowText), Rgb(204, 0, 0));
    Night(0);
    EXPECT_EQ(Current(), day);
    EXPECT_EQ(GetBackgroundColor(), 0xFFFFFFu);
    Night(0);  // again: still the day colours
    EXPECT_EQ(Current(), day);
}

TEST_F(NightColorsTest, DayModeWithNothingSavedChangesNothing) {
    const int slot = pl::kColorWindow;
    const pl::ColorRef colour = Rgb(1, 2, 3);
    pl::SetSysColors(1, &slot, &colour);
    Night(0);
    EXPECT_EQ(pl::GetSysColor(pl::kColorWindow), Rgb(1, 2, 3));
}

// "2003" and "2005" replace the saved day colours, repairing colours left red.
TEST_F(NightColorsTest, PresetSchemesBecomeTheDayColours) {
    Night(2);
    LoadPresetSystemColors(2003);
    Night(0);
    EXPECT_EQ(pl::GetSysColor(pl::kColorHighlight), Rgb(8, 36, 107));
    EXPECT_EQ(pl::GetSysColor(pl::kColorWindow), Rgb(255, 255, 255));
    EXPECT_EQ(pl::GetSysColor(pl::kColorWindowText), Rgb(0, 0, 0));
    EXPECT_EQ(pl::GetSysColor(pl::kColorButtonFace), Rgb(192, 192, 192));
    LoadPresetSystemColors(2005);
    Night(0);
    EXPECT_EQ(pl::GetSysColor(pl::kColorHighlight), Rgb(49, 106, 197));
    EXPECT_EQ(pl::GetSysColor(pl::kColorButtonFace), Rgb(214, 223, 247));
    for (int i = 0; i < pl::kSysColorCount; ++i) {
        pl::ColorRef c = pl::GetSysColor(i);
        bool nightRed = pl::RedOf(c) > 0 && pl::GreenOf(c) == 0 && pl::BlueOf(c) == 0;
        EXPECT_FALSE(nightRed) << "slot " << i;
    }
    Night(3);
    Night(0);  // the preset stays the saved day scheme
    EXPECT_EQ(pl::GetSysColor(pl::kColorHighlight), Rgb(49, 106, 197));
}

// Any other choice marks the saved colours as saved; with none saved before,
// they were all zero and day mode turned every control black.
TEST_F(NightColorsTest, OtherPresetChoiceWithNothingSavedKeepsTheColoursInsteadOfBlack) {
    LoadPresetSystemColors(1999);
    EXPECT_TRUE(AreSystemColorsSaved());
    Night(0);
    EXPECT_EQ(Current(), day);
}

}  // namespace
