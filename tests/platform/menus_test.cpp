// Popup menus, the shell's menu bar and accelerator tables.
#include "platform/menus.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

#include "platform/accelerators.h"
#include "platform/dialog.h"
#include "platform/focus.h"
#include "platform/framebuffer.h"
#include "platform/message_box.h"
#include "platform/message_queue.h"
#include "platform/screen.h"
#include "platform/shell.h"
#include "platform/window.h"
#include "support/message_boxes.h"
#include "support/message_loop.h"
#include "support/recording_window.h"
#include "support/test_harness.h"

namespace {

using namespace pl;

constexpr MenuItemTemplate kSeparator{};
constexpr MenuItemTemplate kTools[] = {
    {"Wizard", 1011}, kSeparator, {"2-StarAlignment", 1005}, {"Greyed", 1099, kMenuGrayed}, {"Quit", 1035},
};
constexpr MenuItemTemplate kSettings[] = {{"Preferences", 1001}, {"Location", 1002}};
constexpr MenuPopupTemplate kPopups[] = {{"Tools", kTools}, {"Assistants", kSettings}, {"Settings", kSettings},
                                         {"Devices", kTools}};
constexpr MenuTemplate kMenus[] = {{102, kPopups}};
constexpr MenuBarButtonTemplate kButtons[] = {{104, 104, 0}, {40006, 40006, 1}, {40010, 40010, 2}};
constexpr MenuBarTemplate kBars[] = {{102, kButtons}};
constexpr StringTemplate kStrings[] = {{104, "Tools"}, {40006, "Assistants"}, {40010, "Settings"}};
constexpr AcceleratorTemplate kEntries[] = {{'Q', kAccelControl, 1}, {'A', kAccelControl, 40003}};
constexpr AcceleratorTableTemplate kTables[] = {{3, kEntries}};
const ResourceGroup kGroup = {.menus = kMenus, .menuBars = kBars, .accelerators = kTables, .strings = kStrings};

class MenuTest : public ::testing::Test {
protected:
    void SetUp() override {
        ClearResourceGroups();
        AddResourceGroup(kGroup);
        ResetShell();
    }
    void TearDown() override {
        harness.stop();
        ClearResourceGroups();
    }
    // Opens popup 0 of menu 102 at (20, 30) over a full-screen owner.
    void OpenPopup() {
        harness.start([this] {
            owner = rec.Top({0, 0, 240, 320});
            chosen = TrackPopupMenu(GetSubMenu(102, 0), TPM_RETURNCMD, 20, 30, owner, &closing);
            return RunMessageLoop();
        });
        menu = OpenPopupMenu();
    }

    Harness harness{TestHarnessOptions()};
    testwin::Recorder rec;
    Hwnd owner = nullptr;
    Hwnd menu = nullptr;
    int chosen = -1;
    Point closing{-5, -5};
};

TEST_F(MenuTest, PopupMenuReturnsTheTappedCommand) {
    OpenPopup();
    ASSERT_NE(menu, nullptr);
    Rect r;
    GetWindowRect(menu, &r);
    EXPECT_EQ(r.left, 20);
    EXPECT_EQ(r.top, 30);
    harness.tap(25, 33);  // inside the first item, "Wizard"
    EXPECT_EQ(chosen, 1011);
    EXPECT_EQ(OpenPopupMenu(), nullptr);
    EXPECT_FALSE(IsWindow(menu));
    EXPECT_EQ(rec.Count(WM_COMMAND, owner), 0);  // returned, not posted
}

TEST_F(MenuTest, TapOutsideGivesZeroAndKeepsTheClosingTapsPosition) {
    OpenPopup();
    harness.tap(200, 300);
    EXPECT_EQ(chosen, 0);
    EXPECT_EQ(closing, (Point{200, 300}));
    EXPECT_EQ(rec.Count(WM_LBUTTONDOWN, owner), 0);  // the closing tap went to the menu
}

// The buttons sit at x 0-38, 38-98, 98-138 (and 138-198) times the scale;
// "Settings", wider than 40 in the system font, widens the third.
TEST_F(MenuTest, MenuBarButtonsSitAtTheirXRanges) {
    for (int dpi : {96, 192}) {
        double scale = dpi / 96.0;
        harness.changeScreen(static_cast<int>(240 * scale), static_cast<int>(320 * scale), dpi);
        Hwnd bar = nullptr;
        harness.runOnUi([&] { bar = ShCreateMenuBar({36, nullptr, SHCMBF_HIDDEN | SHCMBF_HIDESIPBUTTON, 102, 0}); });
        ASSERT_NE(bar, nullptr);
        EXPECT_FALSE(IsWindowVisible(bar));
        EXPECT_EQ(MenuBarButtonCount(bar), 3);
        const int edges[] = {0, 38, 98, 138};
        for (int i = 0; i < 3; ++i) {
            Rect r = MenuBarButtonRect(bar, i);
            EXPECT_EQ(r.left, static_cast<int>(edges[i] * scale)) << dpi;
            if (i < 2) {
                EXPECT_EQ(r.right, static_cast<int>(edges[i + 1] * scale)) << dpi;
            }
        }
        // "Settings" needs 45 pixels in Tahoma at 12 (88 at 24) and 2 more each side.
        EXPECT_EQ(MenuBarButtonRect(bar, 2).Width(), dpi == 96 ? 45 + 4 : 88 + 8) << dpi;
        EXPECT_TRUE(MenuBarButtonRect(bar, 3).IsEmpty());
        Rect w;
        GetWindowRect(bar, &w);
        auto scaled = [scale](int v) { return static_cast<int>(v * scale); };
        EXPECT_EQ(w, (Rect{0, scaled(294), scaled(240), scaled(320)}));
        EXPECT_EQ(GetMenuBarSubMenu(bar, 1)->text, std::string("Assistants"));
        harness.runOnUi([&] { DestroyWindow(bar); });
    }
}

// Night mode: the menu of the same number on a red background; its four
// popups become the buttons.
TEST_F(MenuTest, NightMenuBarUsesTheMenuOnItsColour) {
    Hwnd bar = nullptr;
    harness.runOnUi([&] {
        bar = ShCreateMenuBar({36, nullptr, SHCMBF_HIDDEN | SHCMBF_HIDESIPBUTTON | SHCMBF_COLORBK | SHCMBF_HMENU, 102,
                               Rgb(120, 0, 0)});
        ShowWindow(bar, SW_SHOWNA);
        testwin::Drain();
    });
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(MenuBarButtonCount(bar), 4);
    // The third button, "Settings", is 49 wide for its label: the fourth moves 9 right.
    EXPECT_EQ(MenuBarButtonRect(bar, 3), (Rect{147, 0, 207, 26}));
    EXPECT_EQ(GetMenuBarSubMenu(bar, 3)->text, std::string("Devices"));
    EXPECT_EQ(ScreenPixel(230, 300), Rgb(120, 0, 0));
    std::vector<ShellCall> log = ShellCallLog();
    ASSERT_FALSE(log.empty());
    EXPECT_EQ(log.back().call, "CreateMenuBar");
    EXPECT_EQ(log.back().value, 102);
}

TEST_F(MenuTest, MenuBarIsRefusedForAWrongRecordOrMissingResources) {
    harness.runOnUi([] {
        EXPECT_EQ(ShCreateMenuBar({12, nullptr, 0, 102, 0}), nullptr);
        EXPECT_EQ(ShCreateMenuBar({36, nullptr, 0, 103, 0}), nullptr);
        EXPECT_EQ(ShCreateMenuBar({36, nullptr, SHCMBF_HMENU, 103, 0}), nullptr);
    });
}

// The bar may be destroyed while its popup is open (a timer closes the form):
// the command chosen then still goes to the owner, read from a record that lives on.
TEST_F(MenuTest, BarDestroyedWhileItsPopupWasOpenWasReadAfterItWasFreed) {
    Hwnd bar = nullptr;
    harness.start([&] {
        owner = rec.Top({0, 0, 240, 320});
        bar = ShCreateMenuBar({36, owner, 0, 102, 0});
        return RunMessageLoop();
    });
    harness.tap(10, 300);  // the first button: its popup opens above the bar
    Hwnd popup = OpenPopupMenu();
    ASSERT_NE(popup, nullptr);
    harness.runOnUi([&] { DestroyWindow(bar); });
    Rect r;
    GetWindowRect(popup, &r);
    harness.tap(r.left + 5, r.top + 3);  // "Wizard"
    EXPECT_EQ(OpenPopupMenu(), nullptr);
    std::vector<testwin::Record> commands = rec.Of(WM_COMMAND, owner);
    ASSERT_EQ(commands.size(), 1u);
    EXPECT_EQ(commands[0].wParam, 1011u);
}

// Control with the key sends the command instead of the key; other modifier
// sets pass the key on.
TEST_F(MenuTest, AcceleratorSendsTheCommandOnlyWithTheExactModifiers) {
    EXPECT_EQ(LoadAccelerators(4), nullptr);
    harness.start([this] {
        owner = rec.Top({0, 0, 240, 320});
        SetFocus(owner);
        Haccel table = LoadAccelerators(3);
        Msg m;
        while (GetMessage(&m, nullptr, 0, 0) > 0) {
            if (TranslateAccelerator(m.hwnd, table, &m)) continue;
            TranslateMessage(&m);
            DispatchMessage(&m);
        }
        return static_cast<int>(m.wParam);
    });
    harness.key('Q');
    harness.keyDown(VK_CONTROL);
    harness.key('Q');
    harness.key('A');
    harness.keyDown(VK_SHIFT);
    harness.key('Q');
    harness.keyUp(VK_SHIFT);
    harness.keyUp(VK_CONTROL);
    std::vector<WParam> commands, keys;
    for (const testwin::Record& r : rec.Of(WM_COMMAND, owner)) commands.push_back(r.wParam);
    for (const testwin::Record& r : rec.Of(WM_KEYDOWN, owner)) keys.push_back(r.wParam);
    EXPECT_EQ(commands, (std::vector<WParam>{MakeWParam(1, 1), MakeWParam(40003, 1)}));
    EXPECT_EQ(keys, (std::vector<WParam>{'Q', VK_CONTROL, VK_SHIFT, 'Q'}));
}

// An exception out of the menu's loop ends the TrackPopupMenu call; the menu
// must not stay the one being tracked, which made every later menu return 0
// at once.
TEST(PopupMenuUnwind, ExceptionOutOfTheMenuLoopLeftTheMenuTrackedAfterItsCallEnded) {
    testwin::CleanPlatform clean;
    ClearResourceGroups();
    AddResourceGroup(kGroup);
    testwin::Recorder rec;
    Hwnd owner = testwin::WindowThatThrowsInTheNextLoop(rec);
    EXPECT_THROW(TrackPopupMenu(GetSubMenu(102, 0), TPM_RETURNCMD, 20, 30, owner), std::runtime_error);
    EXPECT_EQ(nullptr, OpenPopupMenu());
    ClearResourceGroups();
}

}  // namespace

namespace {

// What a box covered is painted before MessageBox returns, so a tap right
// after OK lands on a screen that shows what it will hit; the same for a
// popup menu.
TEST_F(MenuTest, WhatABoxOrAMenuCoveredIsPaintedBeforeTheCallReturns) {
    std::vector<int> paintsAtReturn;
    harness.start([&] {
        owner = rec.Top({0, 0, 240, 320});
        MessageBox(owner, "Covering", "Information", MB_OK);
        paintsAtReturn.push_back(rec.Count(WM_PAINT, owner));
        TrackPopupMenu(GetSubMenu(102, 0), TPM_RETURNCMD, 20, 20, owner);
        paintsAtReturn.push_back(rec.Count(WM_PAINT, owner));
        return RunMessageLoop();
    });
    const int beforeBox = rec.Count(WM_PAINT, owner);
    ASSERT_TRUE(AnswerBox(harness, IDOK));
    ASSERT_NE(OpenPopupMenu(), nullptr);
    const int beforeMenu = rec.Count(WM_PAINT, owner);
    harness.tap(230, 310);  // outside the menu: it closes
    harness.stop();
    ASSERT_EQ(paintsAtReturn.size(), 2u);
    EXPECT_GT(paintsAtReturn[0], beforeBox);
    EXPECT_GT(paintsAtReturn[1], beforeMenu);
}

}  // namespace
