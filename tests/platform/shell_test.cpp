// The handheld shell's calls: what each does to our screen, and the log.
#include "platform/shell.h"

#include <gtest/gtest.h>

#include "platform/focus.h"
#include "platform/screen.h"
#include "platform/window.h"
#include "support/recording_window.h"

namespace {

using namespace pl;

class ShellTest : public ::testing::Test {
protected:
    void SetUp() override { ResetShell(); }
    void TearDown() override {
        SetScreenInfo(kHeadlessScreen);
        ResetShell();
    }
    testwin::CleanPlatform clean;
    testwin::Recorder rec;
};

// Flags 25 (Done button, input panel down, full screen without menu bar): the
// work area below the 26-unit task-bar strip, so that a form adding 26 x scale
// to its height fills the screen.
TEST_F(ShellTest, DialogInitialisationSizesToTheWorkArea) {
    const struct {
        ScreenInfo screen;
        uint32_t flags;
        Rect expected;
    } cases[] = {
        {{240, 320, 96}, 25, {0, 26, 240, 320}},
        {{480, 640, 192}, 25, {0, 52, 480, 640}},
        {{240, 320, 96}, SHIDIF_SIZEDLGFULLSCREEN, {0, 26, 240, 294}},  // above a menu bar
        {{240, 320, 96}, 0, {5, 6, 55, 66}},                            // no sizing flag: unchanged
    };
    for (const auto& c : cases) {
        SetScreenInfo(c.screen);
        Hwnd form = rec.Top({5, 6, 55, 66});
        EXPECT_TRUE(ShInitDialog(form, c.flags));
        Rect r;
        GetWindowRect(form, &r);
        EXPECT_EQ(r, c.expected) << c.flags << " at " << c.screen.dpi;
        DestroyWindow(form);
    }
    EXPECT_FALSE(ShInitDialog(nullptr, 25));
}

// Task bar, input-panel button and start icon as a string of shown flags.
std::string Shown() {
    ShellState s = GetShellState();
    return std::string{s.taskBarShown ? 'T' : '-', s.sipButtonShown ? 'S' : '-', s.startIconShown ? 'I' : '-'};
}

TEST_F(ShellTest, FullScreenAndInputPanelStatesAreKept) {
    Hwnd w = rec.Top({0, 0, 240, 320});
    ShFullScreen(w, 42);  // hide task bar, input-panel button and start icon
    EXPECT_EQ(Shown(), "---");
    ShFullScreen(w, 38);  // input-panel button shown again
    EXPECT_EQ(Shown(), "-S-");
    ShFullScreen(w, 17);  // task bar and start icon shown
    EXPECT_EQ(Shown(), "TSI");
    EXPECT_TRUE(ShSipPreference(w, SIP_UP));
    EXPECT_TRUE(ShSipPreference(w, SIP_UNCHANGED));
    EXPECT_EQ(GetShellState().sipState, SIP_UP);
    EXPECT_FALSE(ShSipPreference(w, 9));
    ShInitDialog(w, SHIDIF_SIPDOWN);
    EXPECT_EQ(GetShellState().sipState, SIP_DOWN);
}

TEST_F(ShellTest, ActivationHandlersCheckTheRecordAndEverythingIsLogged) {
    Hwnd w = rec.Top({0, 0, 240, 320});
    SetFocus(w);
    ShActivateInfo info;
    EXPECT_TRUE(ShHandleWmActivate(w, WA_ACTIVE, 0, &info, 0));
    EXPECT_EQ(info.lastFocus, w);
    EXPECT_TRUE(ShHandleWmSettingChange(w, SETTINGCHANGE_RESET, 0, &info));
    ShActivateInfo bad;
    bad.size = 0;
    EXPECT_FALSE(ShHandleWmActivate(w, WA_ACTIVE, 0, &bad, 0));
    EXPECT_FALSE(ShHandleWmSettingChange(w, 0, 0, nullptr));
    ShInputDialog(w, WM_INITDIALOG, 0);
    ShInputDialog(w, WM_PAINT, 0);  // only the initialisation is logged
    std::vector<ShellCall> log = ShellCallLog();
    std::vector<std::string> calls;
    for (const ShellCall& c : log) calls.push_back(c.call);
    EXPECT_EQ(calls, (std::vector<std::string>{"HandleActivate", "HandleSettingChange", "HandleActivate",
                                               "HandleSettingChange", "InputDialog"}));
    EXPECT_EQ(log[1].value, SETTINGCHANGE_RESET);
    EXPECT_EQ(log[0].hwnd, w);
    ResetShell();
    EXPECT_TRUE(ShellCallLog().empty());
}

}  // namespace
