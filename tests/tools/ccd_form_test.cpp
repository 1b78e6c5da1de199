// The CCD field of view: the computation against values worked by hand from
// FOV = 2 atan(size / 2f), and the CCD assistant (1550) over the running
// program.
#include <gtest/gtest.h>

#include <string>

#include "catalog/databases.h"
#include "core/preferences.h"
#include "platform/dialog.h"
#include "platform/focus.h"
#include "platform/message_queue.h"
#include "platform/messages.h"
#include "platform/window.h"
#include "support/program_fixture.h"
#include "tools/ccd_form.h"
#include "tools/ccd_fov.h"
#include "ui/forms.h"
#include "ui/shell_state.h"

namespace {

// Typed sizes become words by rounding: truncated, 0.29 x 100 gave 28.
TEST(CcdFov, TypedSizesRoundToTheirHundredths) {
    const struct {
        const char* text;
        int32_t word;
        const char* shown;
    } cases[] = {{"3.05", 305, "3.05"}, {"0.29", 29, "0.29"}, {"0.57", 57, "0.57"},
                 {"1.13", 113, "1.13"}, {"22.2", 2220, "22.20"}, {"-3.05", -305, "-3.05"}};
    for (const auto& c : cases) {
        EXPECT_EQ(CcdSizeWord(c.text), c.word) << c.text;
        char text[16];
        CcdSizeText(text, sizeof text, c.word);
        EXPECT_STREQ(text, c.shown) << c.text;
    }
}

// Canon 350D (22.20 x 14.80 mm, 6.42 um) at 1000 mm: 2 atan(11.1 / 1000) =
// 1.27191 deg, 2 atan(7.4 / 1000) = 0.84796 deg; the diagonal 26.68108 mm
// gives 1.52862 deg; 642 x 2.06 / 1000 = 1.32252 cut to 1.32 arcseconds.
TEST(CcdFov, CanonAtOneMetre) {
    EXPECT_NEAR(CcdFieldAngle(22.20, 1000.0), 1.27191, 5e-6);
    EXPECT_NEAR(CcdFieldAngle(14.80, 1000.0), 0.84796, 5e-6);
    EXPECT_NEAR(CcdFieldAngle(26.68108, 1000.0), 1.52862, 5e-6);
    EXPECT_DOUBLE_EQ(CcdPixelScale(642, 1000.0), 1.32);
}

class CcdForm : public ProgramTest {
protected:
    void SetUp() override {
        ResetCatalogState();
        ASSERT_TRUE(StartProgram());
        Ui([] { preferences.word[kPrefFRatio] = 6; });  // 203 mm at f/10 (row 10 of page 2's aperture list)
        Ui([] { preferences.word[kPrefDiameter] = 10; });
        MainCommand(1020);
        ASSERT_EQ(GetCurrentFormId(), kCcdForm);
    }
    pl::Hwnd Form() const { return GetCurrentFormDialog(); }
    std::string Text(int id) const { return pl::GetDlgItemText(Form(), id); }
    void Press(int id) { Tap(Centre(pl::GetDlgItem(Form(), id))); }
    void Choose(int row) {
        Press(kCcdCameraTrigger);
        Tap(RowCentre(pl::GetDlgItem(Form(), kCcdCameraList), row));
    }
    // Types into a field through its text input.
    void Type(int id, const std::string& text) {
        Press(id);
        pl::Hwnd input = pl::GetActiveWindow();
        ASSERT_NE(input, Form());
        Ui([&] { pl::SetDlgItemText(input, 137, text); });
        Ui([input] { pl::SendMessage(input, pl::WM_COMMAND, pl::IDOK, 0); });
    }
    std::string Results() const {
        std::string all;
        for (int id : {kCcdFovWidth, kCcdFovHeight, kCcdFovDiagonal, kCcdPixelScaleWidth, kCcdPixelScaleHeight})
            all += Text(id) + " ";
        return all;
    }
};

// The values above in the default "Dec Format" (degree sign); the focal
// field of 0 takes the telescope's 2030 mm, at most 20000 mm; a negative one
// is refused as typed, and a negative word shows "-".
TEST_F(CcdForm, CanonFieldsAndFocalLengths) {
    EXPECT_EQ(Text(kCcdFocalField), "2030");
    Choose(1);
    EXPECT_EQ(preferences.word[kPrefCcdCamera], 1);
    Type(kCcdFocalField, "1000");
    Press(kCcdUpdate);
    EXPECT_EQ(Text(kCcdWidthField) + " " + Text(kCcdPixelHeightField), "22.20 6.42");
    EXPECT_EQ(Results(), "01\xB0" "16'19 00\xB0" "50'53 01\xB0" "31'43 1.32 1.32 ");
    Shot("ccd_form.png");
    Type(kCcdFocalField, "0");
    Press(kCcdUpdate);
    EXPECT_EQ(Text(kCcdFocalField), "2030");
    EXPECT_EQ(Text(kCcdPixelScaleWidth), "0.65");  // 642 x 2.06 / 2030 = 0.6515
    Type(kCcdFocalField, "-5");  // refused as typed: one box, the input stays open
    EXPECT_EQ(BoxText(), "Scope focal must be a whole number between 0 and 20000 mm\n");
    AnswerAll();
    Ui([] { pl::SendMessage(pl::GetActiveWindow(), pl::WM_COMMAND, pl::IDCANCEL, 0); });
    EXPECT_EQ(Text(kCcdFocalField), "2030");
    Ui([this] { pl::SetDlgItemText(Form(), kCcdFocalField, "-5"); });  // a word no input gives
    Press(kCcdUpdate);
    EXPECT_EQ(Results(), "- - - - - ");
    Ui([] { preferences.word[kPrefDiameter] = 2000, preferences.word[kPrefFRatio] = 150; });  // 2 m at f/15
    Type(kCcdFocalField, "0");
    Press(kCcdUpdate);
    EXPECT_EQ(Text(kCcdFocalField), "20000");  // 30000 mm is beyond the focal length's 20000 mm
}

// "User Data" keeps what is typed (3.05 mm; "3.051", beyond the input's four
// characters, was cut to it without a word and is refused with one box now);
// Update with a camera of the list puts its values back.
TEST_F(CcdForm, UserDataKeepsTypedValues) {
    for (int row : {0, 1}) {
        Choose(row);
        const std::string before = Text(kCcdWidthField);
        Type(kCcdWidthField, "3.051");
        EXPECT_EQ(BoxText(), "Width must be between 0 and 200 mm\nAt most 4 characters");
        AnswerAll();
        Ui([] { pl::SendMessage(pl::GetActiveWindow(), pl::WM_COMMAND, pl::IDCANCEL, 0); });
        EXPECT_EQ(Text(kCcdWidthField), before);
        Type(kCcdWidthField, "3.05");
        Press(kCcdUpdate);
        EXPECT_EQ(Text(kCcdWidthField), row == 0 ? "3.05" : "22.20") << row;
        EXPECT_EQ(preferences.word[kPrefCcdWidth], row == 0 ? 305 : 2220) << row;
    }
}

}  // namespace
