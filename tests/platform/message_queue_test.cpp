// The message queue on the test thread: order of taking, filters, quit,
// sending, translation, cross-thread posting, and paint and timer messages
// on the virtual clock.
#include "platform/message_queue.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "platform/clock.h"
#include "platform/input.h"
#include "platform/paint.h"
#include "platform/timer.h"
#include "support/recording_window.h"

using namespace pl;

namespace {

class QueueTest : public ::testing::Test {
protected:
    testwin::VirtualClock clock;
    testwin::CleanPlatform clean;
    testwin::Recorder rec;
};

constexpr uint32_t kA = WM_USER + 1;
constexpr uint32_t kB = WM_USER + 2;

TEST_F(QueueTest, OrderIsPostedThenQuitThenPaintThenTimer) {
    Hwnd w = rec.Top({0, 0, 10, 10});
    testwin::Drain();
    SetTimer(w, 1, 100);
    AdvanceVirtualClock(100);
    Invalidate(w, nullptr, false);
    PostQuitMessage(3);
    PostMessage(w, kA, 0, 0);
    PostMessage(w, kB, 0, 0);
    EXPECT_EQ((std::vector<uint32_t>{kA, kB, WM_QUIT, WM_PAINT, WM_TIMER}), testwin::Drain());
}

TEST_F(QueueTest, SentFromAnotherThreadRunsBeforePosted) {
    Hwnd w = rec.Top({0, 0, 10, 10});
    testwin::Drain();
    PostMessage(w, kA, 0, 0);
    std::atomic<LResult> result{0};
    rec.onMessage = [](const testwin::Record& r, LResult* res) {
        if (r.id != kB) return false;
        *res = static_cast<LResult>(r.wParam) * 2;
        return true;
    };
    std::thread sender([&] { result = SendMessage(w, kB, 21, 0); });
    // The send waits until this thread takes messages.
    while (true) {
        Msg m;
        if (PeekMessage(&m, nullptr, 0, 0, PM_NOREMOVE) && rec.Count(kB) == 1) break;
        std::this_thread::yield();
    }
    sender.join();
    EXPECT_EQ(42, result);
    EXPECT_EQ((std::vector<uint32_t>{kA}), testwin::Drain());
    EXPECT_EQ((std::vector<uint32_t>{kB, kA}), rec.Ids(kA, kB));
}

TEST_F(QueueTest, RangeAndWindowFiltersLeaveOtherMessagesQueued) {
    Hwnd a = rec.Top({0, 0, 10, 10});
    Hwnd child = rec.Child(a, 1, {0, 0, 5, 5});
    Hwnd b = rec.Top({0, 0, 10, 10});
    testwin::Drain();
    PostMessage(b, WM_KEYDOWN, 1, 0);
    PostMessage(child, WM_LBUTTONDOWN, 0, 0);
    PostMessage(a, kA, 0, 0);
    PostMessage(nullptr, kB, 0, 0);
    Msg m;
    ASSERT_TRUE(PeekMessage(&m, nullptr, WM_MOUSEFIRST, WM_MOUSELAST, PM_REMOVE));
    EXPECT_EQ(child, m.hwnd);
    EXPECT_FALSE(PeekMessage(&m, nullptr, WM_MOUSEFIRST, WM_MOUSELAST, PM_REMOVE));
    ASSERT_TRUE(PeekMessage(&m, a, 0, 0, PM_REMOVE));
    EXPECT_EQ(kA, m.id);
    EXPECT_FALSE(PeekMessage(&m, a, 0, 0, PM_REMOVE));  // thread messages need no window filter
    ASSERT_TRUE(PeekMessage(&m, nullptr, 0, 0, PM_NOREMOVE));
    EXPECT_EQ(WM_KEYDOWN, m.id);
    EXPECT_EQ((std::vector<uint32_t>{WM_KEYDOWN, kB}), testwin::Drain(false));
}

TEST_F(QueueTest, QuitIsTakenOnlyByRequestsWhoseRangeHoldsIt) {
    rec.Top({0, 0, 10, 10});
    testwin::Drain();
    PostQuitMessage(7);
    Msg m;
    EXPECT_EQ(-1, GetMessage(&m, reinterpret_cast<Hwnd>(0x77), 0, 0));  // no such window
    EXPECT_FALSE(PeekMessage(&m, nullptr, WM_KEYFIRST, WM_KEYLAST, PM_REMOVE));
    EXPECT_EQ(0, GetMessage(&m, nullptr, 0, 0));
    EXPECT_EQ(7u, m.wParam);
    EXPECT_FALSE(PeekMessage(&m, nullptr, 0, 0, PM_REMOVE));
}

TEST_F(QueueTest, PostFromAnotherThreadWakesBlockedGetMessage) {
    Hwnd w = rec.Top({0, 0, 10, 10});
    testwin::Drain();
    std::thread poster([w] {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        PostMessage(w, kA, 5, 6);
    });
    Msg m;
    EXPECT_EQ(1, GetMessage(&m, nullptr, 0, 0));
    poster.join();
    EXPECT_EQ(kA, m.id);
    EXPECT_EQ(w, m.hwnd);
    EXPECT_EQ(5u, m.wParam);
}

TEST_F(QueueTest, TranslateTurnsTypingKeyDownIntoChar) {
    Hwnd w = rec.Top({0, 0, 10, 10});
    testwin::Drain();
    Msg down{w, WM_KEYDOWN, 'Q', static_cast<LParam>(1 | ('Q' << 16)), 0, {}};
    EXPECT_TRUE(TranslateMessage(&down));
    Msg plain{w, WM_KEYDOWN, VK_LEFT, 1, 0, {}};
    EXPECT_FALSE(TranslateMessage(&plain));
    Msg m;
    ASSERT_TRUE(PeekMessage(&m, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(WM_CHAR, m.id);
    EXPECT_EQ(static_cast<WParam>('Q'), m.wParam);
}

// Long overdue, a timer still ticks once, and the next tick is a full period later.
TEST_F(QueueTest, TimerTicksOncePerPeriodWhenOverdue) {
    Hwnd w = rec.Top({0, 0, 10, 10});
    testwin::Drain();
    SetTimer(w, 9, 250);
    AdvanceVirtualClock(249);
    EXPECT_TRUE(testwin::Drain().empty());
    AdvanceVirtualClock(1);
    EXPECT_EQ((std::vector<uint32_t>{WM_TIMER}), testwin::Drain());
    AdvanceVirtualClock(1000);
    EXPECT_EQ((std::vector<uint32_t>{WM_TIMER}), testwin::Drain());
    AdvanceVirtualClock(249);
    EXPECT_TRUE(testwin::Drain().empty());
    EXPECT_EQ(9u, rec.Of(WM_TIMER).at(0).wParam);
    EXPECT_TRUE(KillTimer(w, 9));
    EXPECT_FALSE(KillTimer(w, 9));
}

TEST_F(QueueTest, TickTakenWithoutDispatchIsNotRepeatedBeforeTheNextPeriod) {
    Hwnd w = rec.Top({0, 0, 10, 10});
    testwin::Drain();
    SetTimer(w, 1, 100);
    AdvanceVirtualClock(100);
    EXPECT_EQ((std::vector<uint32_t>{WM_TIMER}), testwin::Drain(false));
    EXPECT_TRUE(testwin::Drain(false).empty());
    AdvanceVirtualClock(100);
    EXPECT_EQ((std::vector<uint32_t>{WM_TIMER}), testwin::Drain(false));
    EXPECT_EQ(0, rec.Count(WM_TIMER));
}

TEST(QueueRealClock, BlockedGetMessageWakesForATimerOnRealTime) {
    testwin::CleanPlatform clean;
    testwin::Recorder rec;
    Hwnd w = rec.Top({0, 0, 10, 10}, nullptr, 0);
    // Taken before the timer starts, so a tick boundary in between cannot make the wait look short.
    uint32_t start = GetTickCount();
    SetTimer(w, 3, 20);
    Msg m;
    ASSERT_EQ(1, GetMessage(&m, nullptr, 0, 0));
    EXPECT_EQ(WM_TIMER, m.id);
    EXPECT_GE(GetTickCount() - start, 20u);
}

TEST_F(QueueTest, DestroyedWindowTimersDie) {
    Hwnd w = rec.Top({0, 0, 10, 10});
    SetTimer(w, 1, 100);
    DestroyWindow(w);
    AdvanceVirtualClock(500);
    EXPECT_TRUE(testwin::Drain().empty());
    EXPECT_EQ(0u, SetTimer(w, 1, 100));
}

TEST_F(QueueTest, BroadcastReachesEveryTopLevelWindowOnly) {
    Hwnd a = rec.Top({0, 0, 10, 10});
    Hwnd b = rec.Top({0, 0, 10, 10}, nullptr, 0);
    Hwnd c = rec.Child(a, 1, {0, 0, 5, 5});
    SendBroadcast(WM_SETTINGCHANGE, SETTINGCHANGE_RESET, 0);
    EXPECT_EQ(1, rec.Count(WM_SETTINGCHANGE, a));
    EXPECT_EQ(1, rec.Count(WM_SETTINGCHANGE, b));
    EXPECT_EQ(0, rec.Count(WM_SETTINGCHANGE, c));
}

}  // namespace
