// Activation, focus and capture with their notifications.
#include "platform/focus.h"

#include <gtest/gtest.h>

#include "platform/message_queue.h"
#include "support/recording_window.h"

using namespace pl;

namespace {

class FocusTest : public ::testing::Test {
protected:
    testwin::CleanPlatform clean;
    testwin::Recorder rec;
};

TEST_F(FocusTest, ShowingATopLevelWindowActivatesItAndHidingPassesActivationOn) {
    Hwnd main = rec.Top({0, 0, 240, 320});
    EXPECT_EQ(main, GetActiveWindow());
    EXPECT_EQ(main, GetForegroundWindow());
    EXPECT_EQ(main, GetFocus());
    std::vector<testwin::Record> activations = rec.Of(WM_ACTIVATE, main);
    ASSERT_EQ(1u, activations.size());
    EXPECT_EQ(WA_ACTIVE, activations[0].wParam);
    Hwnd quiet = rec.Top({0, 0, 10, 10}, nullptr, 0);
    ShowWindow(quiet, SW_SHOWNA);
    EXPECT_EQ(main, GetActiveWindow());
    ShowWindow(main, SW_HIDE);
    EXPECT_EQ(quiet, GetActiveWindow());
    ShowWindow(quiet, SW_HIDE);
    EXPECT_EQ(nullptr, GetActiveWindow());
    EXPECT_EQ(nullptr, GetFocus());
}

TEST_F(FocusTest, OwnerBeingDestroyedIsNotActivatedByItsOwnedWindowsGoing) {
    Hwnd other = rec.Top({0, 0, 10, 10});
    Hwnd owner = rec.Top({0, 0, 240, 320});
    rec.Top({0, 0, 100, 100}, owner);
    rec.Clear();
    DestroyWindow(owner);
    EXPECT_EQ(0, rec.Count(WM_ACTIVATE, owner));
    EXPECT_EQ(other, GetActiveWindow());
}

// The top-level window (a dialog) may hold the focus itself; a hidden focus
// window hands it to its parent.
TEST_F(FocusTest, FocusChangeNotifiesBothWindows) {
    Hwnd top = rec.Top({0, 0, 100, 100});
    Hwnd a = rec.Child(top, 1, {0, 0, 10, 10});
    Hwnd b = rec.Child(top, 2, {0, 0, 10, 10});
    rec.Clear();
    EXPECT_EQ(top, SetFocus(a));
    EXPECT_EQ(a, SetFocus(b));
    auto kill = rec.Of(WM_KILLFOCUS, a);
    ASSERT_EQ(1u, kill.size());
    EXPECT_EQ(reinterpret_cast<WParam>(b), kill[0].wParam);
    auto set = rec.Of(WM_SETFOCUS, b);
    ASSERT_EQ(1u, set.size());
    EXPECT_EQ(reinterpret_cast<WParam>(a), set[0].wParam);
    ShowWindow(b, SW_HIDE);
    EXPECT_EQ(top, GetFocus());
}

TEST_F(FocusTest, CaptureChangesAreNotifiedAndDieWithTheWindow) {
    Hwnd top = rec.Top({0, 0, 100, 100});
    Hwnd a = rec.Child(top, 1, {0, 0, 10, 10});
    Hwnd b = rec.Child(top, 2, {0, 0, 10, 10});
    EXPECT_EQ(nullptr, SetCapture(a));
    EXPECT_EQ(a, SetCapture(b));
    auto changed = rec.Of(WM_CAPTURECHANGED, a);
    ASSERT_EQ(1u, changed.size());
    EXPECT_EQ(reinterpret_cast<LParam>(b), changed[0].lParam);
    DestroyWindow(b);
    EXPECT_EQ(nullptr, GetCapture());
}

}  // namespace
