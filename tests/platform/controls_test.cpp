// Static text, push buttons, check boxes and the edit control, driven as a
// person would through the harness.
#include "platform/controls.h"

#include <gtest/gtest.h>

#include "platform/dialog.h"
#include "platform/focus.h"
#include "platform/framebuffer.h"
#include "platform/message_queue.h"
#include "platform/resources.h"
#include "platform/sys_colors.h"
#include "platform/window.h"
#include "support/message_loop.h"
#include "support/recording_window.h"
#include "support/test_harness.h"

namespace {

using namespace pl;

constexpr int kLabel = 10;
constexpr int kEdit = 11;
constexpr int kCheck = 13;
constexpr int kButton = 14;

constexpr ControlTemplate kControls[] = {
    {kStaticControl, kLabel, "Label", 2, 2, 60, 10, kCenterText},
    {kEditControl, kEdit, "", 2, 14, 100, 30, kMultiLine | kBorder},
    {kCheckBoxControl, kCheck, "Check", 2, 60, 60, 10, 0},
    {kButtonControl, kButton, "Go", 70, 60, 30, 12, 0},
};
constexpr DialogTemplate kDialogs[] = {{50, 0, 0, 137, 180, "", kControls}};
const ResourceGroup kGroup = {.dialogs = kDialogs};

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
    EXPECT_EQ(GetFocus(), Item(kEdit));  // the first control that takes the focus
    harness.typeText("Hello");
    EXPECT_EQ(GetWindowText(Item(kEdit)), "Hello");
    harness.key(VK_BACK);
    harness.key(VK_RETURN);
    harness.typeText("m 42");
    EXPECT_EQ(GetWindowText(Item(kEdit)), "Hell\r\nm 42");
    for (int i = 0; i < 5; ++i) harness.key(VK_BACK);  // takes the line break as one
    EXPECT_EQ(GetWindowText(Item(kEdit)), "Hell");
    harness.key(VK_HOME);
    harness.typeText("o");
    EXPECT_EQ(GetWindowText(Item(kEdit)), "oHell");
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
    EXPECT_FALSE(IsDlgButtonChecked(form, kCheck));
    TapItem(kCheck);
    EXPECT_TRUE(IsDlgButtonChecked(form, kCheck));
    EXPECT_EQ(commands, std::vector<int>{kCheck});
    TapItem(kCheck);
    EXPECT_FALSE(IsDlgButtonChecked(form, kCheck));
}

TEST_F(ControlsTest, ControlsRepaintInNewSystemColours) {
    // Corners clear of the texts and frames.
    EXPECT_EQ(PixelOf(kLabel, 1, 1), GetSysColor(kColorStatic));
    EXPECT_EQ(PixelOf(kButton, 3, 3), GetSysColor(kColorButtonFace));
    EXPECT_EQ(PixelOf(kEdit, 3, 20), GetSysColor(kColorWindow));
    harness.runOnUi([] {
        int slots[] = {kColorStatic, kColorButtonFace, kColorWindow};
        ColorRef colors[] = {Rgb(10, 0, 0), Rgb(20, 0, 0), Rgb(30, 0, 0)};
        SetSysColors(3, slots, colors);
    });
    EXPECT_EQ(PixelOf(kLabel, 1, 1), Rgb(10, 0, 0));
    EXPECT_EQ(PixelOf(kButton, 3, 3), Rgb(20, 0, 0));
    EXPECT_EQ(PixelOf(kEdit, 3, 20), Rgb(30, 0, 0));
}

}  // namespace
