// Message boxes: modal over their owner, read and answered by tests, closed
// by a tap on a button, top-most and foreground on request.
#include "platform/message_box.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "platform/dialog.h"
#include "platform/focus.h"
#include "platform/message_queue.h"
#include "platform/window.h"
#include "support/message_boxes.h"
#include "support/message_loop.h"
#include "support/recording_window.h"
#include "support/test_harness.h"

namespace {

using namespace pl;

class MessageBoxTest : public ::testing::Test {
protected:
    // Opens a box over a full-screen owner; the answer lands in `answers`.
    void Open(const std::string& text, const std::string& caption, uint32_t type) {
        harness.start([=, this] {
            owner = rec.Top({0, 0, 240, 320});
            answers.push_back(MessageBox(owner, text, caption, type));
            ownerEnabledAfter = IsWindowEnabled(owner);
            return RunMessageLoop();
        });
    }
    void TearDown() override { harness.stop(); }
    MessageBoxInfo Top() {
        std::vector<MessageBoxInfo> boxes = OpenMessageBoxes();
        return boxes.empty() ? MessageBoxInfo{} : boxes.back();
    }

    Harness harness{TestHarnessOptions()};
    testwin::Recorder rec;
    Hwnd owner = nullptr;
    std::vector<int> answers;
    bool ownerEnabledAfter = false;
};

TEST_F(MessageBoxTest, InformationBoxIsReadAndAnsweredByTheHarness) {
    Open("Could not open star database\nPlease install it.", "Information", MB_OK | MB_SETFOREGROUND);
    MessageBoxInfo box = Top();
    ASSERT_NE(box.hwnd, nullptr);
    EXPECT_EQ(box.text, "Could not open star database\nPlease install it.");
    EXPECT_EQ(box.caption, "Information");
    EXPECT_EQ(box.buttons, std::vector<int>{IDOK});
    EXPECT_EQ(box.owner, owner);
    EXPECT_EQ(GetForegroundWindow(), box.hwnd);
    EXPECT_FALSE(IsWindowEnabled(owner));
    EXPECT_FALSE(AnswerBox(harness, IDYES));  // no such button
    EXPECT_TRUE(AnswerBox(harness, IDOK));
    EXPECT_EQ(answers, std::vector<int>{IDOK});
    EXPECT_TRUE(OpenMessageBoxes().empty());
    EXPECT_TRUE(ownerEnabledAfter);
    EXPECT_EQ(GetActiveWindow(), owner);
}

TEST_F(MessageBoxTest, YesNoBoxAnswersWithTheTappedButton) {
    Open("Delete?", "Information", MB_YESNO);
    MessageBoxInfo box = Top();
    EXPECT_EQ(box.buttons, (std::vector<int>{IDYES, IDNO}));
    Rect no;
    GetWindowRect(GetDlgItem(box.hwnd, IDNO), &no);
    harness.tap((no.left + no.right) / 2, (no.top + no.bottom) / 2);
    EXPECT_EQ(answers, std::vector<int>{IDNO});
}

TEST_F(MessageBoxTest, TopMostBoxStaysAboveOtherWindows) {
    Open("x", "Error", MB_OK | MB_TOPMOST);
    MessageBoxInfo box = Top();
    EXPECT_TRUE(GetWindowExStyle(box.hwnd) & WS_EX_TOPMOST);
    harness.runOnUi([this] {
        Hwnd other = rec.Top({0, 0, 240, 320});
        BringWindowToTop(other);
    });
    EXPECT_EQ(TopLevelWindows().front(), box.hwnd);
    harness.runOnUi([] { AnswerMessageBox(IDOK); });
}

// An exception out of the box's loop (the watchdog's stop, a failed
// allocation) ends the MessageBox call; the box must not stay listed with a
// pointer into the call's finished frame.
TEST(MessageBoxUnwind, ExceptionOutOfTheBoxLoopLeftTheBoxListedAfterItsCallEnded) {
    testwin::CleanPlatform clean;
    testwin::Recorder rec;
    Hwnd owner = testwin::WindowThatThrowsInTheNextLoop(rec);
    EXPECT_THROW(MessageBox(owner, "text", "Information", MB_OK), std::runtime_error);
    EXPECT_TRUE(OpenMessageBoxes().empty());
}

// A window that held the stylus when a box opened over it (it opens the box on
// a pen-down) got the capture back when the box closed, even with the stylus
// lifted meanwhile: the next tap anywhere went to it. It gets it back only
// while the stylus is still down (the box closed from the keyboard).
TEST(MessageBoxCapture, CaptureCameBackAfterTheStylusWasLifted) {
    const struct {
        bool lifted, tapOk;
    } cases[] = {{true, true}, {true, false}, {false, false}};
    for (const auto [lifted, tapOk] : cases) {
        SCOPED_TRACE(::testing::Message() << "lifted " << lifted << ", OK " << (tapOk ? "tapped" : "by Enter"));
        Harness harness{TestHarnessOptions()};
        testwin::Recorder rec;
        Hwnd a = nullptr, b = nullptr, captureAfter = nullptr;
        harness.start([&] {
            a = rec.Top({0, 0, 240, 160});
            b = rec.Top({0, 160, 240, 320});
            rec.onMessage = [&](const testwin::Record& r, LResult*) {
                if (r.hwnd == a && r.id == WM_LBUTTONUP && GetCapture() == a) ReleaseCapture();
                if (r.hwnd != a || r.id != WM_LBUTTONDOWN || !OpenMessageBoxes().empty() || captureAfter) return false;
                SetCapture(a);
                MessageBox(a, "x", "Information", MB_OK);
                captureAfter = GetCapture() ? GetCapture() : b;  // b: none
                return true;
            };
            return RunMessageLoop();
        });
        harness.penDown(100, 80);
        ASSERT_EQ(OpenMessageBoxes().size(), 1u);
        if (lifted) harness.penUp(100, 80);
        if (tapOk) {
            Rect ok;
            GetWindowRect(GetDlgItem(OpenMessageBoxes().back().hwnd, IDOK), &ok);
            harness.tap((ok.left + ok.right) / 2, (ok.top + ok.bottom) / 2);
        } else {
            harness.key(VK_RETURN);
        }
        ASSERT_TRUE(OpenMessageBoxes().empty());
        EXPECT_EQ(captureAfter, lifted ? b : a);
        if (!lifted) harness.penUp(100, 80);  // to the window that holds the stylus, which lets it go
        harness.tap(100, 240);
        EXPECT_EQ(rec.Count(WM_LBUTTONDOWN, b), 1);
        harness.stop();
    }
}

}  // namespace
