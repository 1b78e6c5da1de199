// Dialogs from templates: placement in dialog units, WM_INITDIALOG after the
// controls, modeless and modal dialogs with their owner, EndDialog values; and
// the standard controls in a form, driven as a person would.
#include "platform/dialog.h"

#include <gtest/gtest.h>

#include <vector>

#include "platform/controls.h"
#include "platform/focus.h"
#include "platform/framebuffer.h"
#include "platform/message_queue.h"
#include "platform/resources.h"
#include "platform/screen.h"
#include "platform/sys_colors.h"
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
// A form of its own for the controls.
constexpr int kLabel = 10;
constexpr int kFormEdit = 11;
constexpr int kFormCheck = 13;
constexpr int kButton = 14;
constexpr ControlTemplate kFormControls[] = {
    {kStaticControl, kLabel, "Label", 2, 2, 60, 10, kCenterText},
    {kEditControl, kFormEdit, "", 2, 14, 100, 30, kMultiLine | kBorder},
    {kCheckBoxControl, kFormCheck, "Check", 2, 60, 60, 10, 0},
    {kButtonControl, kButton, "Go", 70, 60, 30, 12, 0},
};
constexpr DialogTemplate kDialogs[] = {{135, 0, 0, 138, 100, "Input", kControls}, {50, 0, 0, 137, 180, "", kFormControls}};
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

std::vector<int> commands;

LResult FormProc(Hwnd, uint32_t message, WParam wParam, LParam) {
    if (message == WM_COMMAND) commands.push_back(static_cast<int>(wParam));
    return message == WM_INITDIALOG || message == WM_COMMAND ? 1 : 0;
}

class ControlsTest : public ::testing::Test {
protected:
    void SetUp() override {
        commands.clear();
        ClearResourceGroups();
        AddResourceGroup(kGroup);
        harness.start([this] {
            form = CreateDialog(50, nullptr, FormProc);
            return RunMessageLoop();
        });
    }
    void TearDown() override {
        harness.stop();
        ClearResourceGroups();
        ResetSysColors();
    }
    Hwnd Item(int id) const { return GetDlgItem(form, id); }
    void TapItem(int id, int dx = 0) {
        Rect r;
        GetWindowRect(Item(id), &r);
        harness.tap((r.left + r.right) / 2 + dx, (r.top + r.bottom) / 2);
    }
    ColorRef PixelOf(int id, int x, int y) {
        Point p{x, y};
        ClientToScreen(Item(id), &p);
        return ScreenPixel(p.x, p.y);
    }

    Harness harness{TestHarnessOptions()};
    Hwnd form = nullptr;
};

TEST_F(ControlsTest, TypedTextGoesIntoTheFocusedEdit) {
    EXPECT_EQ(GetFocus(), Item(kFormEdit));  // the first control that takes the focus
    harness.typeText("Hello");
    EXPECT_EQ(GetWindowText(Item(kFormEdit)), "Hello");
    harness.key(VK_BACK);
    harness.key(VK_RETURN);
    harness.typeText("m 42");
    EXPECT_EQ(GetWindowText(Item(kFormEdit)), "Hell\r\nm 42");
    for (int i = 0; i < 5; ++i) harness.key(VK_BACK);  // takes the line break as one
    EXPECT_EQ(GetWindowText(Item(kFormEdit)), "Hell");
    harness.key(VK_HOME);
    harness.typeText("o");
    EXPECT_EQ(GetWindowText(Item(kFormEdit)), "oHell");
}

TEST_F(ControlsTest, ButtonClickComesOnPenUpInsideOnly) {
    TapItem(kButton);
    EXPECT_EQ(commands, std::vector<int>{kButton});  // BN_CLICKED is 0 in the high word
    Rect r;
    GetWindowRect(Item(kButton), &r);
    harness.penDown(r.left + 2, r.top + 2);
    harness.penMove(r.right + 30, r.top + 2);
    harness.penMove(r.left + 3, r.top + 2);  // back inside: pressed again
    harness.penUp(r.left + 3, r.top + 2);
    EXPECT_EQ(commands.size(), 2u);
    harness.penDown(r.left + 2, r.top + 2);
    harness.penUp(r.right + 30, r.top + 2);
    EXPECT_EQ(commands.size(), 2u);
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(ControlsTest, CheckBoxTogglesOnTapAndTellsItsForm) {
    EXPECT_FALSE(IsDlgButtonChecked(form, kFormCheck));
    TapItem(kFormCheck);
    EXPECT_TRUE(IsDlgButtonChecked(form, kFormCheck));
    EXPECT_EQ(commands, std::vector<int>{kFormCheck});
    TapItem(kFormCheck);
    EXPECT_FALSE(IsDlgButtonChecked(form, kFormCheck));
}

TEST_F(ControlsTest, ControlsRepaintInNewSystemColours) {
    // Corners clear of the texts and frames.
    EXPECT_EQ(PixelOf(kLabel, 1, 1), GetSysColor(kColorStatic));
    EXPECT_EQ(PixelOf(kButton, 3, 3), GetSysColor(kColorButtonFace));
    EXPECT_EQ(PixelOf(kFormEdit, 3, 20), GetSysColor(kColorWindow));
    harness.runOnUi([] {
        int slots[] = {kColorStatic, kColorButtonFace, kColorWindow};
        ColorRef colors[] = {Rgb(10, 0, 0), Rgb(20, 0, 0), Rgb(30, 0, 0)};
        SetSysColors(3, slots, colors);
    });
    EXPECT_EQ(PixelOf(kLabel, 1, 1), Rgb(10, 0, 0));
    EXPECT_EQ(PixelOf(kButton, 3, 3), Rgb(20, 0, 0));
    EXPECT_EQ(PixelOf(kFormEdit, 3, 20), Rgb(30, 0, 0));
}

}  // namespace
