// Polling the stylus and the keys from drag loops and long computations, with
// the program on the harness's UI thread.
#include "ui/input_polling.h"

#include <gtest/gtest.h>

#include <vector>

#include "platform/harness.h"
#include "platform/message_queue.h"
#include "platform/messages.h"
#include "platform/timer.h"
#include "support/draw_fixture.h"
#include "support/message_loop.h"
#include "support/recording_window.h"
#include "support/test_harness.h"

namespace {

using pl::Point;

constexpr uint32_t kPosted = pl::WM_USER + 5;

class InputPollingTest : public ::testing::Test {
protected:
    InputPollingTest() : harness(Options()) {}
    static pl::HarnessOptions Options() {
        pl::HarnessOptions o = TestHarnessOptions();
        o.idlePollLimit = 200;
        return o;
    }
    void TearDown() override { harness.stop(); }

    // What the handlers record; members, so that they outlive each test's body
    // while the program thread runs.
    std::vector<Point> seen;
    bool ended = false;
    bool inDrag = false;
    int ticksInDrag = 0;
    int result = 0;
    int steps = -1;
    bool otherKey = false;

    // A full-screen window whose stylus-down handler runs `onPenDown`.
    void Start(std::function<void()> onPenDown) {
        rec.onMessage = [this, onPenDown](const testwin::Record& r, pl::LResult*) {
            if (r.id == pl::WM_LBUTTONDOWN) onPenDown();
            return false;
        };
        harness.start([this] {
            window = rec.Top({0, 0, 240, 320});
            return RunMessageLoop();
        });
    }

    pl::Harness harness;
    testwin::Recorder rec;
    pl::Hwnd window = nullptr;
};

TEST_F(InputPollingTest, DragLoopReadsPenPositionsUntilLifted) {
    Start([this] {
        int x, y, down;
        for (GetPenState(&x, &y, &down); down; GetPenState(&x, &y, &down)) seen.push_back({x, y});
        ended = true;
    });
    harness.penDown(10, 10);
    harness.penMove(20, 25);
    harness.penMove(30, 35);
    EXPECT_FALSE(ended);
    harness.penUp(40, 45);
    EXPECT_TRUE(ended);
    EXPECT_EQ(seen, (std::vector<Point>{{20, 25}, {30, 35}, {40, 45}}));  // the last: the pen-up
    EXPECT_EQ(rec.Count(pl::WM_MOUSEMOVE), 0);  // consumed by the loop
    EXPECT_EQ(rec.Count(pl::WM_LBUTTONUP), 0);
}

// Messages other than the stylus's are not lost during a drag: posted
// messages and keys are dispatched, the quit message waits for the message
// loop, a timer tick is dropped.
TEST_F(InputPollingTest, DragLoopPassesOtherMessagesOn) {
    Start([this] {
        inDrag = true;
        int x, y, down;
        for (GetPenState(&x, &y, &down); down; GetPenState(&x, &y, &down)) {
        }
        inDrag = false;
    });
    rec.onMessage = [this, inner = rec.onMessage](const testwin::Record& r, pl::LResult* result) {
        if (r.id == pl::WM_TIMER && inDrag) ++ticksInDrag;
        return inner(r, result);
    };
    harness.runOnUi([&] { pl::SetTimer(window, 1, 100); });
    harness.penDown(10, 10);
    harness.runOnUi([&] { pl::PostMessage(window, kPosted, 7, 0); });
    EXPECT_EQ(rec.Count(kPosted), 1);
    harness.advance(100);
    EXPECT_EQ(ticksInDrag, 0);
    harness.key('A');
    EXPECT_EQ(rec.Count(pl::WM_KEYDOWN), 1);
    EXPECT_EQ(rec.Count(pl::WM_CHAR), 1);
    harness.runOnUi([] { pl::PostQuitMessage(3); });
    EXPECT_TRUE(harness.running());  // still dragging
    harness.penUp(12, 12);
    EXPECT_FALSE(harness.running());
    EXPECT_EQ(harness.exitCode(), 3);
}

// WaitPenUpOrKey ends on the pen-up (taken) or on a key (left for the loop).
TEST_F(InputPollingTest, WaitPenUpOrKeyEndsOnPenUpOrAKey) {
    Start([this] { result += WaitPenUpOrKey(); });
    harness.penDown(5, 5);
    harness.penMove(6, 6);
    EXPECT_EQ(result, 0);
    harness.penUp(7, 7);
    EXPECT_EQ(result, 1);
    EXPECT_EQ(rec.Count(pl::WM_MOUSEMOVE), 0);
    EXPECT_EQ(rec.Count(pl::WM_LBUTTONUP), 0);
    harness.penDown(5, 5);
    harness.key(pl::VK_RETURN);
    EXPECT_EQ(result, 2);
    EXPECT_EQ(rec.Count(pl::WM_KEYDOWN), 1);  // dispatched by the message loop afterwards
}

// "Press any key to stop.": a search polls the keys between its steps.
TEST_F(InputPollingTest, ArrowKeyStopsAPollingLoop) {
    Start([this] {
        steps = 0;
        while (!IsArrowKeyDown()) ++steps;
        ended = true;
    });
    harness.penDown(1, 1);
    EXPECT_GT(steps, 0);
    EXPECT_FALSE(ended);
    harness.key(pl::VK_DOWN, 3);
    EXPECT_TRUE(ended);
    harness.penUp(1, 1);
}

TEST_F(InputPollingTest, HeldKeyIsSeenByPolls) {
    Start([this] {
        while (!IsKeyDown('X')) ++steps;
        otherKey = !IsArrowKeyDown();
        ended = true;
    });
    harness.penDown(1, 1);
    EXPECT_FALSE(ended);
    harness.key('X', 3);
    EXPECT_TRUE(ended);
    EXPECT_TRUE(otherKey);
    harness.penUp(1, 1);
}

TEST(KeyAndPenFlush, RemoveOnlyTheirOwnMessages) {
    testwin::CleanPlatform clean;
    testwin::Recorder rec;
    pl::Hwnd w = rec.Top({0, 0, 10, 10});
    testwin::Drain();
    for (uint32_t id : {pl::WM_KEYDOWN, pl::WM_MOUSEMOVE, kPosted, pl::WM_CHAR, pl::WM_LBUTTONUP})
        pl::PostMessage(w, id, 0, 0);
    FlushKeyEvents();
    EXPECT_EQ(testwin::Drain(false), (std::vector<uint32_t>{pl::WM_MOUSEMOVE, kPosted, pl::WM_LBUTTONUP}));
    for (uint32_t id : {pl::WM_KEYDOWN, pl::WM_MOUSEMOVE, kPosted, pl::WM_LBUTTONUP}) pl::PostMessage(w, id, 0, 0);
    FlushPenEvents();
    EXPECT_EQ(testwin::Drain(false), (std::vector<uint32_t>{pl::WM_KEYDOWN, kPosted}));
}

}  // namespace
