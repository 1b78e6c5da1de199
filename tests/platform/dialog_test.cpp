// Dialogs from templates: placement in dialog units, WM_INITDIALOG after the
// controls, modeless and modal dialogs with their owner, EndDialog values.
#include "platform/dialog.h"

#include <gtest/gtest.h>

#include <vector>

#include "platform/controls.h"
#include "platform/focus.h"
#include "platform/message_queue.h"
#include "platform/resources.h"
#include "platform/screen.h"
#include "platform/window.h"
#include "support/message_loop.h"
#include "support/recording_window.h"
#include "support/test_harness.h"

namespace {

using namespace pl;

constexpr int kNameLabel = 136;
constexpr int kEdit = 137;
constexpr int kCheck = 140;

constexpr ControlTemplate kControls[] = {
    {kStaticControl, kNameLabel, "Name", 5, 4, 36, 10, 0},
    {kEditControl, kEdit, "abc", 44, 4, 87, 42, kMultiLine | kBorder},
    {kButtonControl, IDOK, "OK", 5, 48, 30, 12, kDefaultButton},
    {kCheckBoxControl, kCheck, "Check", 5, 62, 60, 10, kHidden},
};
constexpr DialogTemplate kDialogs[] = {{135, 0, 0, 138, 100, "Input", kControls}};
const ResourceGroup kGroup = {.dialogs = kDialogs};

// What the dialog procedure saw.
struct Seen {
    int inits = 0;
    bool controlsThere = false;
    LParam param = 0;
    Hwnd focusCandidate = nullptr;
    std::vector<int> commands;
};
Seen seen;

LResult TestProc(Hwnd dialog, uint32_t message, WParam wParam, LParam lParam) {
    switch (message) {
    case WM_INITDIALOG:
        ++seen.inits;
        seen.param = lParam;
        seen.focusCandidate = reinterpret_cast<Hwnd>(wParam);
        seen.controlsThere = true;
        for (int id : {kNameLabel, kEdit, IDOK, kCheck})
            seen.controlsThere = seen.controlsThere && GetDlgItem(dialog, id) != nullptr;
        return 1;
    case WM_COMMAND:
        seen.commands.push_back(LoWord(wParam));
        if (LoWord(wParam) == IDOK) EndDialog(dialog, 42);
        return 1;
    default:
        return 0;
    }
}

LResult EndAtOnceProc(Hwnd dialog, uint32_t message, WParam, LParam) {
    if (message == WM_INITDIALOG) EndDialog(dialog, 7);
    return message == WM_INITDIALOG ? 1 : 0;
}

Rect WindowRectOf(Hwnd h) {
    Rect r;
    GetWindowRect(h, &r);
    return r;
}

class DialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        seen = Seen{};
        ClearResourceGroups();
        AddResourceGroup(kGroup);
    }
    void TearDown() override {
        SetScreenInfo(kHeadlessScreen);
        ClearResourceGroups();
    }
    testwin::CleanPlatform clean_;
};

// Pixels = round(units x 1.75 x dpi / 96) on each axis.
TEST_F(DialogTest, TemplateOpensAtOneAndThreeQuarterPixelsPerUnitTimesTheScale) {
    const struct {
        ScreenInfo screen;
        Rect dialog;
        Rect label;  // screen coordinates (the dialog is at the origin)
        Rect edit;
    } cases[] = {
        // 138 x 1.75 = 241.5 -> 242; 5 x 1.75 = 8.75 -> 9; 10 x 1.75 = 17.5 -> 18.
        {{240, 320, 96}, {0, 0, 242, 175}, {9, 7, 9 + 63, 7 + 18}, {77, 7, 77 + 152, 7 + 74}},
        // Twice the scale: 5 x 3.5 = 17.5 -> 18; 87 x 3.5 = 304.5 -> 305.
        {{480, 640, 192}, {0, 0, 483, 350}, {18, 14, 18 + 126, 14 + 35}, {154, 14, 154 + 305, 14 + 147}},
    };
    for (const auto& c : cases) {
        SetScreenInfo(c.screen);
        Hwnd d = CreateDialog(135, nullptr, TestProc);
        ASSERT_NE(d, nullptr);
        EXPECT_EQ(WindowRectOf(d), c.dialog) << c.screen.dpi;
        EXPECT_EQ(WindowRectOf(GetDlgItem(d, kNameLabel)), c.label) << c.screen.dpi;
        EXPECT_EQ(WindowRectOf(GetDlgItem(d, kEdit)), c.edit) << c.screen.dpi;
        DestroyWindow(d);
    }
}

TEST_F(DialogTest, InitDialogArrivesOnceAfterEveryControlExists) {
    Hwnd d = CreateDialog(135, nullptr, TestProc, 99);
    ASSERT_NE(d, nullptr);
    testwin::Drain();
    EXPECT_EQ(seen.inits, 1);
    EXPECT_TRUE(seen.controlsThere);
    EXPECT_EQ(seen.param, 99);
    // The first control that takes the focus is the edit, and it gets it.
    EXPECT_EQ(seen.focusCandidate, GetDlgItem(d, kEdit));
    EXPECT_EQ(GetFocus(), GetDlgItem(d, kEdit));
    EXPECT_TRUE(IsWindowVisible(d));
    EXPECT_FALSE(IsWindowVisible(GetDlgItem(d, kCheck)));  // hidden in the template
    EXPECT_EQ(GetWindowText(d), "Input");
    EXPECT_EQ(GetDlgItemText(d, kEdit), "abc");
    EXPECT_FALSE(IsModalDialog(d));
    EXPECT_TRUE(EndDialog(d, 1));  // a modeless dialog ends destroyed
    EXPECT_FALSE(IsWindow(d));
    EXPECT_FALSE(EndDialog(d, 1));
}

TEST_F(DialogTest, MissingTemplateMakesNoDialog) {
    EXPECT_EQ(CreateDialog(999, nullptr, TestProc), nullptr);
    EXPECT_EQ(DialogBox(999, nullptr, TestProc), -1);
    EXPECT_EQ(seen.inits, 0);
}

TEST_F(DialogTest, ModalDialogEndedDuringInitReturnsAtOnce) {
    testwin::Recorder rec;
    Hwnd owner = rec.Top({0, 0, 240, 320});
    EXPECT_EQ(DialogBox(135, owner, EndAtOnceProc), 7);
    EXPECT_TRUE(IsWindowEnabled(owner));
    EXPECT_EQ(GetActiveWindow(), owner);
}

class ModalDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        seen = Seen{};
        ClearResourceGroups();
        AddResourceGroup(kGroup);
        harness.start([this] {
            owner = rec.Top({0, 0, 240, 320});
            result = DialogBox(135, owner, TestProc);
            ownerEnabledAfter = IsWindowEnabled(owner);
            return RunMessageLoop();
        });
        dialog = GetActiveWindow();
    }
    void TearDown() override {
        harness.stop();
        ClearResourceGroups();
    }
    int ActivationsOfOwner() const {
        int n = 0;
        for (const testwin::Record& r : rec.Of(WM_ACTIVATE, owner)) n += LoWord(r.wParam) != WA_INACTIVE;
        return n;
    }

    Harness harness{TestHarnessOptions()};
    testwin::Recorder rec;
    Hwnd owner = nullptr;
    Hwnd dialog = nullptr;
    int result = -100;
    bool ownerEnabledAfter = false;
};

TEST_F(ModalDialogTest, DisablesItsOwnerAndReturnsTheEndDialogValue) {
    ASSERT_TRUE(IsModalDialog(dialog));
    EXPECT_EQ(GetWindowOwner(dialog), owner);
    EXPECT_FALSE(IsWindowEnabled(owner));
    EXPECT_EQ(ActivationsOfOwner(), 1);
    // A tap on the owner does nothing while the dialog runs.
    harness.tap(200, 300);
    EXPECT_EQ(rec.Count(WM_LBUTTONDOWN, owner), 0);
    Rect ok = WindowRectOf(GetDlgItem(dialog, IDOK));
    harness.tap(ok.left + 2, ok.top + 2);
    EXPECT_EQ(result, 42);
    EXPECT_TRUE(ownerEnabledAfter);
    EXPECT_FALSE(IsWindow(dialog));
    EXPECT_EQ(GetActiveWindow(), owner);
    EXPECT_EQ(ActivationsOfOwner(), 2);  // again when the dialog closed
    EXPECT_EQ(seen.commands, std::vector<int>{IDOK});
}

TEST_F(ModalDialogTest, QuitEndsTheDialogAndReachesTheOuterLoop) {
    harness.runOnUi([] { PostQuitMessage(3); });
    EXPECT_FALSE(harness.running());
    EXPECT_EQ(result, 0);
    EXPECT_EQ(harness.exitCode(), 3);
    EXPECT_TRUE(ownerEnabledAfter);
}

}  // namespace
