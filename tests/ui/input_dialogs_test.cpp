// The text-input and position-input dialogs over a running form: their
// layout, what Cancel keeps, and the shell states they ask for.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "catalog/databases.h"
#include "core/preferences.h"
#include "platform/controls.h"
#include "platform/dialog.h"
#include "platform/focus.h"
#include "platform/menus.h"
#include "platform/message_queue.h"
#include "platform/messages.h"
#include "platform/paint.h"
#include "platform/shell.h"
#include "platform/window.h"
#include "support/program_fixture.h"
#include "ui/forms.h"
#include "ui/position_input_dialog.h"
#include "ui/shell_state.h"
#include "ui/text_input_dialog.h"

namespace {

class InputDialogs : public ProgramTest {
protected:
    void SetUp() override {
        ResetCatalogState();
        ASSERT_TRUE(StartProgram());
        EXPECT_EQ(BoxCount(), 0);
        Ui([] { preferences.word[kPrefDriveId] = 3; });  // an encoder box: page 1 shows its step fields
        Ui([] { GotoForm(1400); });
        form = GetCurrentFormDialog();
        ASSERT_TRUE(pl::IsWindow(form));
        Ui([this] { pl::SetDlgItemText(form, 1419, "4000"); });
    }
    // Opens the text input of the Az field; the dialog.
    pl::Hwnd EditAz() {
        Ui([this] { pl::PostMessage(form, kMsgEditField, 1419, 0); });
        pl::Hwnd dialog = pl::GetActiveWindow();
        EXPECT_NE(dialog, form);
        return dialog;
    }
    std::string Field(int id) { return pl::GetDlgItemText(form, id); }
    pl::Hwnd form = nullptr;
};

// Text input: the dialog sits 113 pixels down the 240 x 320 screen; OK at (5, 48)
// and Cancel at (101, 48) dialog units.
constexpr int kButtonsY = 113 + 84 + 10;

// Cancel keeps the old text; the shell is asked for full screen 38 on the
// form around the dialog, 37 in it, 42 after, and the input panel up then
// forced down. Without a title static 136 hides and edit 137 widens by 70.
TEST_F(InputDialogs, TextInputCancelKeepsTheOldTextAndAnEmptyTitleWidensTheEdit) {
    pl::Hwnd dialog = EditAz();
    EXPECT_EQ(pl::GetDlgItemText(dialog, 136), "Az:");
    EXPECT_EQ(pl::GetDlgItemText(dialog, 137), "4000");
    pl::Rect withTitle;
    pl::GetWindowRect(pl::GetDlgItem(dialog, 137), &withTitle);
    harness.typeText("123");
    harness.tap(203, kButtonsY);  // Cancel
    EXPECT_FALSE(pl::IsWindow(dialog));
    EXPECT_EQ(Field(1419), "4000");
    std::vector<int64_t> onForm = ShellCalls("FullScreen", form);
    EXPECT_NE(std::find(onForm.begin(), onForm.end(), 38), onForm.end());
    ASSERT_FALSE(onForm.empty());
    EXPECT_EQ(onForm.back(), 42);
    EXPECT_EQ(ShellCalls("FullScreen", dialog), std::vector<int64_t>{37});
    std::vector<int64_t> sip = ShellCalls("SipPreference", dialog);
    ASSERT_FALSE(sip.empty());
    EXPECT_EQ(sip.front(), pl::SIP_UP);
    EXPECT_NE(std::find(sip.begin(), sip.end(), pl::SIP_FORCEDOWN), sip.end());
    Ui([this] { RunTextInputDialog(form, 1419, "", 10); });
    dialog = pl::GetActiveWindow();
    ASSERT_NE(dialog, form);
    EXPECT_FALSE(pl::IsWindowVisible(pl::GetDlgItem(dialog, 136)));
    pl::Rect untitled;
    pl::GetWindowRect(pl::GetDlgItem(dialog, 137), &untitled);
    EXPECT_EQ(untitled.left, withTitle.left - 70);
    EXPECT_EQ(untitled.Width(), withTitle.Width() + 70);
    harness.tap(203, kButtonsY);
}

// Every title the program gives the text input box shows whole beside the
// field, on a second line where one is too narrow: on the double-resolution
// screen "Nb of Shots:" broke after "of" and lost "Shots:" below the label.
TEST_F(InputDialogs, EveryTitleOfTheInputBoxFitsOnBothScreens) {
    const char* const titles[] = {"Nb of Shots:", "Time in Sec:", "Delay in Sec:", "Description:", "Width in mm:",
                                  "Height in mm:", "Pixel Height:", "Scope Focal:", "Longitude:", "GMT (mn):",
                                  "T\xB0 (C\xB0):", "Humidity (%):", "P (mbar):"};
    for (int wide : {0, 1}) {
        if (wide) {
            harness.changeScreen(480, 640, 192);
            form = GetCurrentFormDialog();
        }
        for (const char* title : titles) {
            Ui([this, title] { RunTextInputDialog(form, 1419, title, 10); });
            pl::Hwnd dialog = pl::GetActiveWindow();
            ASSERT_NE(dialog, form) << title;
            EXPECT_TRUE(pl::ControlTextFits(pl::GetDlgItem(dialog, 136))) << title << (wide ? " at 192 dpi" : "");
            Ui([dialog] { pl::EndDialog(dialog, pl::IDCANCEL); });
        }
    }
}

// The dialog's shell menu bar is an empty one: a tap where a menu button
// would be opens no application menu (it opened the application's menus).
// OK keeps at most the maximum less one characters ("Az:" takes 7: six).
// A text longer than the field takes was cut without a word: "-123456789"
// steps, out of range, was taken as -12345. It is refused with the field's
// box, the input staying open; a text that fits is taken.
TEST_F(InputDialogs, TextInputMenuBarHasNoMenusAndOkRefusesATextLongerThanTheField) {
    pl::Hwnd dialog = EditAz();
    harness.tap(15, 312);  // the first button of menu bar 102
    EXPECT_EQ(pl::OpenPopupMenu(), nullptr);
    if (pl::OpenPopupMenu()) harness.tap(200, 150);
    Ui([dialog] { pl::SetDlgItemText(dialog, 137, "-123456789"); });
    harness.tap(35, kButtonsY);  // OK
    EXPECT_EQ(BoxText(), "Az encoder steps must be a whole number between -32127 and 32127\nAt most 6 characters");
    AnswerAll();
    ASSERT_TRUE(pl::IsWindow(dialog));
    EXPECT_EQ(Field(1419), "4000");
    Ui([dialog] { pl::SetDlgItemText(dialog, 137, "-12345"); });
    harness.tap(35, kButtonsY);  // OK
    EXPECT_FALSE(pl::IsWindow(dialog));
    EXPECT_EQ(Field(1419), "-12345");
}

TEST_F(InputDialogs, PositionInputTypesShowReversedCancelKeepsAndOkCutsAt14Characters) {
    static char name[15] = "M42", first[15] = "05:35:17", second[15] = "-05:23:28";
    static int type = -1;
    static int result = -1;
    Ui([this] { result = RunPositionInputDialog(form, 0, name, first, second, &type); });
    pl::Hwnd dialog = pl::GetActiveWindow();
    ASSERT_NE(dialog, form);
    EXPECT_EQ(pl::GetDlgItemText(dialog, 2951), "Az");
    EXPECT_EQ(pl::GetDlgItemText(dialog, 2953), "Alt");
    EXPECT_EQ(pl::GetDlgItemText(dialog, 2957), "M42");
    pl::Hwnd list = pl::GetDlgItem(dialog, 2959);
    const char* shown[] = {"None", "Globular Cluster", "Open Cluster", "Comet", "Asteroid", "Galaxy", "Nebula", "Star"};
    for (int row = 0; row < 8; ++row) EXPECT_EQ(pl::ListViewGetItemText(list, row, 0), shown[row]) << row;
    Ui([dialog] { pl::SetDlgItemText(dialog, 2957, "changed"); });
    Ui([dialog] { pl::SendMessage(dialog, pl::WM_COMMAND, 2956, 0); });
    EXPECT_EQ(result, 0);
    EXPECT_STREQ(name, "M42");
    EXPECT_STREQ(first, "05:35:17");
    EXPECT_EQ(type, -1);
    // OK writes at most 14 characters and a terminator into each buffer.
    Ui([this] { result = RunPositionInputDialog(form, 1, name, first, second, &type); });
    dialog = pl::GetActiveWindow();
    Ui([dialog] { pl::SetDlgItemText(dialog, 2957, "A very long object name"); });
    Ui([dialog] { pl::SendMessage(dialog, pl::WM_COMMAND, 2955, 0); });
    EXPECT_EQ(result, 1);
    EXPECT_STREQ(name, "A very long ob");
    EXPECT_EQ(type, 0);  // no choice: "None"
}

// A field of the position dialog edited in the text input leaves the form's
// back buffer alone: once both dialogs are closed, the form repaints as it was.
TEST_F(InputDialogs, PositionFieldEditKeepsTheFormsBackBuffer) {
    std::vector<uint32_t> before = ScreenSample(3);
    static char name[15] = "M42", first[15] = "1", second[15] = "2";
    static int type = 0;
    Ui([this] { RunPositionInputDialog(form, 1, name, first, second, &type); });
    pl::Hwnd dialog = pl::GetActiveWindow();
    ASSERT_NE(dialog, form);
    Ui([dialog] { pl::PostMessage(dialog, kMsgEditField, 2957, 0); });
    pl::Hwnd text = pl::GetActiveWindow();
    ASSERT_NE(text, dialog);
    Ui([text] { pl::SendMessage(text, pl::WM_COMMAND, pl::IDOK, 0); });
    Ui([dialog] { pl::SendMessage(dialog, pl::WM_COMMAND, 2955, 0); });
    EXPECT_FALSE(pl::IsWindow(dialog));
    Ui([this] { pl::Invalidate(form, nullptr, true); });
    EXPECT_TRUE(ScreenSample(3) == before);
}

// The position input's coordinates are read as angle texts: right ascension
// from 0 h up to but not 24 h (the next day's 0 h) and declination -90 to 90
// degrees, azimuth 0 to 360 degrees.
TEST_F(InputDialogs, PositionInputCoordinatesAreCheckedAsTyped) {
    const struct {
        int equatorial, field;
        const char* typed;
        const char* box;  // "" when the text is taken
    } cases[] = {
        {1, 2952, "25:00:00", "RA must be at least 0 and below 24 h\nAs 12:30:00 or 12.5"},
        {1, 2952, "24:00:00", "RA must be at least 0 and below 24 h\nAs 12:30:00 or 12.5"},
        {1, 2952, "05:35:17", ""},
        {1, 2954, "-90:00:01", "Dec must be between -90 and 90\xB0\nAs 12:30:00 or 12.5"},
        {1, 2954, "-05\xB0" "23'28", ""},
        {0, 2952, "360.5", "Az must be between 0 and 360\xB0\nAs 12:30:00 or 12.5"},
        {0, 2952, "359:59:59", ""},
    };
    for (const auto& c : cases) {
        static char name[15] = "M42", first[15] = "1", second[15] = "2";
        static int type = 0;
        int equatorial = c.equatorial;
        Ui([this, equatorial] { RunPositionInputDialog(form, equatorial, name, first, second, &type); });
        pl::Hwnd dialog = pl::GetActiveWindow();
        ASSERT_NE(dialog, form);
        const std::string before = pl::GetDlgItemText(dialog, c.field);
        int field = c.field;
        Ui([dialog, field] { pl::PostMessage(dialog, kMsgEditField, static_cast<pl::WParam>(field), 0); });
        pl::Hwnd input = pl::GetActiveWindow();
        ASSERT_NE(input, dialog);
        std::string typed = c.typed;
        Ui([input, typed] { pl::SetDlgItemText(input, 137, typed); });
        Ui([input] { pl::SendMessage(input, pl::WM_COMMAND, pl::IDOK, 0); });
        EXPECT_EQ(BoxText(), c.box) << c.typed;
        if (BoxCount() > 0) {
            AnswerAll();
            Ui([input] { pl::SendMessage(input, pl::WM_COMMAND, pl::IDCANCEL, 0); });
        }
        EXPECT_EQ(pl::GetDlgItemText(dialog, c.field), *c.box ? before : typed) << c.typed;
        Ui([dialog] { pl::SendMessage(dialog, pl::WM_COMMAND, 2956, 0); });
    }
}

}  // namespace
