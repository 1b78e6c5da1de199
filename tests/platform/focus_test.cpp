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

    // WM_ACTIVATE states (WA_*) a window received, in order.
    std::vector<WParam> Activations(Hwnd h) const {
        std::vector<WParam> out;
        for (const auto& r : rec.Of(WM_ACTIVATE, h)) out.push_back(r.wParam);
        return out;
    }
};

TEST_F(FocusTest, ShowingATopLevelWindowActivatesItAndGivesItTheFocus) {
    Hwnd main = rec.Top({0, 0, 240, 320});
    EXPECT_EQ(main, GetActiveWindow());
    EXPECT_EQ(main, GetForegroundWindow());
    EXPECT_EQ(main, GetFocus());
    EXPECT_EQ((std::vector<WParam>{WA_ACTIVE}), Activations(main));
    Hwnd quiet = rec.Top({0, 0, 10, 10}, nullptr, 0);
    ShowWindow(quiet, SW_SHOWNA);
    EXPECT_EQ(main, GetActiveWindow());
}

TEST_F(FocusTest, OwnerIsActivatedAgainWhenAModalWindowAboveItCloses) {
    Hwnd owner = rec.Top({0, 0, 240, 320});
    // A modal window: the owner is disabled while it is open.
    Hwnd modal = rec.Top({20, 20, 200, 200}, owner);
    EnableWindow(owner, false);
    EXPECT_EQ(modal, GetActiveWindow());
    EXPECT_EQ((std::vector<WParam>{WA_ACTIVE, WA_INACTIVE}), Activations(owner));
    EnableWindow(owner, true);
    DestroyWindow(modal);
    EXPECT_EQ(owner, GetActiveWindow());
    EXPECT_EQ((std::vector<WParam>{WA_ACTIVE, WA_INACTIVE, WA_ACTIVE}), Activations(owner));
    EXPECT_EQ(owner, GetFocus());
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

TEST_F(FocusTest, HidingTheActiveWindowActivatesTheNextVisibleOne) {
    Hwnd a = rec.Top({0, 0, 10, 10});
    Hwnd b = rec.Top({0, 0, 10, 10});
    EXPECT_EQ(b, GetActiveWindow());
    ShowWindow(b, SW_HIDE);
    EXPECT_EQ(a, GetActiveWindow());
    ShowWindow(a, SW_HIDE);
    EXPECT_EQ(nullptr, GetActiveWindow());
    EXPECT_EQ(nullptr, GetFocus());
}

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
}

TEST_F(FocusTest, FocusInAnotherTopLevelWindowActivatesIt) {
    Hwnd a = rec.Top({0, 0, 10, 10});
    Hwnd b = rec.Top({0, 0, 10, 10});
    Hwnd childOfA = rec.Child(a, 1, {0, 0, 5, 5});
    SetFocus(childOfA);
    EXPECT_EQ(a, GetActiveWindow());
    EXPECT_EQ(childOfA, GetFocus());
    EXPECT_EQ(2, rec.Count(WM_ACTIVATE, b));  // activated, then deactivated
}

TEST_F(FocusTest, DialogMayHoldTheFocusItself) {
    Hwnd dialog = rec.Top({0, 0, 100, 100});
    rec.Child(dialog, 1, {0, 0, 10, 10});
    SetFocus(dialog);
    EXPECT_EQ(dialog, GetFocus());
}

TEST_F(FocusTest, HidingTheFocusedChildMovesTheFocusToItsParent) {
    Hwnd top = rec.Top({0, 0, 100, 100});
    Hwnd child = rec.Child(top, 1, {0, 0, 10, 10});
    SetFocus(child);
    ShowWindow(child, SW_HIDE);
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

TEST_F(FocusTest, SetForegroundRaisesAndActivates) {
    Hwnd a = rec.Top({0, 0, 10, 10});
    Hwnd b = rec.Top({0, 0, 10, 10});
    EXPECT_TRUE(SetForegroundWindow(a));
    EXPECT_EQ(a, GetForegroundWindow());
    EXPECT_EQ(a, TopLevelWindows().front());
    EXPECT_FALSE(SetForegroundWindow(reinterpret_cast<Hwnd>(0x99)));
    EXPECT_EQ(b, TopLevelWindows().back());
}

}  // namespace
