// The headless harness driving a program on its own UI thread: the virtual
// clock and timers, nested loops, stylus and key input through the feed,
// polling loops, the watchdog, power resume, screen changes, and the pixels
// and PNG files of what the program painted.
#include "platform/harness.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "platform/drawing.h"
#include "platform/focus.h"
#include "platform/message_queue.h"
#include "platform/paint.h"
#include "platform/power.h"
#include "platform/sys_colors.h"
#include "platform/timer.h"
#include "support/png_file.h"
#include "support/recording_window.h"
#include "support/test_harness.h"

using namespace pl;

namespace {

constexpr uint32_t kA = WM_USER + 1;
constexpr uint32_t kB = WM_USER + 2;

int MessageLoop() {
    Msg m;
    while (GetMessage(&m, nullptr, 0, 0) > 0) {
        TranslateMessage(&m);
        DispatchMessage(&m);
    }
    return static_cast<int>(m.wParam);
}

HarnessOptions QuickPolls() {
    HarnessOptions o = TestHarnessOptions();
    o.idlePollLimit = 200;
    return o;
}

class HarnessTest : public ::testing::Test {
protected:
    explicit HarnessTest(HarnessOptions options = TestHarnessOptions()) : harness(std::move(options)) {}
    void TearDown() override { harness.stop(); }

    // Starts a program that makes a full-screen window (and whatever `setup`
    // adds) and runs the message loop.
    void StartWithWindow(const std::function<void()>& setup = {}) {
        harness.start([this, setup] {
            main = rec.Top({0, 0, 240, 320});
            if (setup) setup();
            return MessageLoop();
        });
    }

    Harness harness;
    testwin::Recorder rec;
    Hwnd main = nullptr;
};

TEST_F(HarnessTest, AdvanceOfFourPeriodsGivesExactlyFourTicksEachAfterEarlierMessages) {
    StartWithWindow([this] { SetTimer(main, 1, 250); });
    rec.onMessage = [](const testwin::Record& r, LResult*) {
        if (r.id == WM_TIMER) PostMessage(r.hwnd, kA, 0, 0);  // queued before the next tick
        return false;
    };
    harness.advance(1000);
    EXPECT_EQ((std::vector<uint32_t>{WM_TIMER, kA, WM_TIMER, kA, WM_TIMER, kA, WM_TIMER, kA}),
              rec.Ids(WM_TIMER, kA));
    harness.advance(200);
    EXPECT_EQ(4, rec.Count(WM_TIMER));
    harness.runOnUi([this] { KillTimer(main, 1); });
    harness.advance(1000);
    EXPECT_EQ(4, rec.Count(WM_TIMER));
}

// Start returns once the program is idle, its first paint done. A modal loop
// in a handler still dispatches another window's timer, and a quit taken
// inside it ends the program with its code.
TEST_F(HarnessTest, ModalLoopInAHandlerDispatchesTimersAndEndsOnQuit) {
    Hwnd other = nullptr;
    bool done = false;
    StartWithWindow([&] {
        other = rec.Top({0, 0, 10, 10});
        SetTimer(other, 5, 100);
    });
    EXPECT_EQ(1, rec.Count(WM_PAINT, main));
    rec.onMessage = [&](const testwin::Record& r, LResult*) {
        if (r.id == kA) RunModalLoop(&done);
        if (r.id == kB) PostQuitMessage(7);
        return false;
    };
    harness.runOnUi([this] { PostMessage(main, kA, 0, 0); });
    harness.advance(250);
    EXPECT_EQ(2, rec.Count(WM_TIMER, other));
    EXPECT_TRUE(harness.running());
    harness.runOnUi([this] { PostMessage(main, kB, 0, 0); });
    EXPECT_FALSE(harness.running());
    EXPECT_EQ(7, harness.exitCode());
    EXPECT_FALSE(done);
}

// Client coordinates of the window that gets the stylus, or nothing.
std::vector<Point> DownsAt(const testwin::Recorder& rec, Hwnd h) {
    std::vector<Point> points;
    for (const testwin::Record& r : rec.Of(WM_LBUTTONDOWN, h)) points.push_back({PointX(r.lParam), PointY(r.lParam)});
    return points;
}

TEST_F(HarnessTest, TapReachesTopmostVisibleEnabledChildOrTheCaptureWindow) {
    Hwnd a = nullptr, b = nullptr;
    StartWithWindow([&] {
        a = rec.Child(main, 1, {10, 10, 110, 110});
        b = rec.Child(main, 2, {50, 50, 150, 150});
        rec.Child(main, 3, {0, 0, 240, 40}, 0);                               // hidden
        rec.Child(main, 4, {0, 200, 100, 300}, WS_VISIBLE | WS_DISABLED);  // disabled
    });
    rec.Clear();
    harness.tap(60, 70);
    harness.tap(20, 20);
    harness.tap(5, 5);
    harness.tap(20, 250);
    EXPECT_EQ(DownsAt(rec, b), (std::vector<Point>{{10, 20}}));
    EXPECT_EQ(1, rec.Count(WM_LBUTTONUP, b));
    EXPECT_EQ(DownsAt(rec, a), (std::vector<Point>{{10, 10}}));
    EXPECT_EQ(DownsAt(rec, main), (std::vector<Point>{{5, 5}, {20, 250}}));
    EXPECT_EQ(4, rec.Count(WM_LBUTTONDOWN));
    harness.runOnUi([&] { SetCapture(a); });
    rec.Clear();
    harness.tap(200, 300);
    EXPECT_EQ(DownsAt(rec, nullptr), (std::vector<Point>{{190, 290}}));
    EXPECT_EQ(1, rec.Count(WM_LBUTTONDOWN, a));
    harness.runOnUi([&] {
        ReleaseCapture();
        EnableWindow(main, false);
    });
    EXPECT_EQ(1, rec.Count(WM_CAPTURECHANGED, a));
    rec.Clear();
    harness.tap(100, 100);  // a disabled top-level window and its children get nothing
    EXPECT_EQ(0, rec.Count(WM_LBUTTONDOWN));
    EXPECT_EQ(0, rec.Count(WM_LBUTTONUP));
}

TEST_F(HarnessTest, NoMoveIsDeliveredWhileTheStylusIsUp) {
    StartWithWindow();
    rec.Clear();
    harness.penMove(20, 20);
    EXPECT_EQ(0, rec.Count(WM_MOUSEMOVE));
    Point p;
    GetCursorPos(&p);
    EXPECT_EQ((Point{20, 20}), p);
    harness.penDown(20, 20);
    harness.penMove(30, 40);
    harness.penUp(30, 40);
    harness.penMove(50, 50);
    auto moves = rec.Of(WM_MOUSEMOVE);
    ASSERT_EQ(1u, moves.size());
    EXPECT_EQ(MakeLParam(30, 40), moves[0].lParam);
    EXPECT_EQ(MK_LBUTTON, moves[0].wParam);
}

TEST_F(HarnessTest, DoubleTapNeedsTheClassStyle) {
    Hwnd dbl = nullptr;
    StartWithWindow([&] { dbl = rec.Top({100, 0, 240, 100}, nullptr, WS_VISIBLE, "RecorderDbl"); });
    rec.Clear();
    harness.doubleTap(150, 50);
    harness.doubleTap(50, 200);
    EXPECT_EQ(1, rec.Count(WM_LBUTTONDBLCLK, dbl));
    EXPECT_EQ(1, rec.Count(WM_LBUTTONDOWN, dbl));
    EXPECT_EQ(0, rec.Count(WM_LBUTTONDBLCLK, main));
    EXPECT_EQ(2, rec.Count(WM_LBUTTONDOWN, main));
}

TEST_F(HarnessTest, DragLoopPollingTheStylusSeesEveryMoveAndEndsAfterPenUp) {
    std::vector<Point> seen;
    bool ended = false;
    StartWithWindow();
    rec.onMessage = [&](const testwin::Record& r, LResult*) {
        if (r.id != WM_LBUTTONDOWN) return false;
        // Takes messages without dispatching while the stylus is held.
        while (GetAsyncKeyState(VK_LBUTTON) & 0x8000) {
            Msg m;
            GetMessage(&m, nullptr, 0, 0);
            if (m.id == WM_MOUSEMOVE) seen.push_back({PointX(m.lParam), PointY(m.lParam)});
        }
        ended = true;
        return true;
    };
    harness.drag({10, 10}, {50, 90}, 4);
    EXPECT_EQ((std::vector<Point>{{20, 30}, {30, 50}, {40, 70}, {50, 90}}), seen);
    EXPECT_TRUE(ended);
}

class PollingTest : public HarnessTest {
protected:
    PollingTest() : HarnessTest(QuickPolls()) {}
};

TEST_F(PollingTest, PeekLoopWaitingForPenUpEndsOnSeparatePenUp) {
    bool ended = false;
    StartWithWindow();
    rec.onMessage = [&](const testwin::Record& r, LResult*) {
        if (r.id != WM_LBUTTONDOWN) return false;
        for (;;) {
            Msg m;
            if (PeekMessage(&m, nullptr, WM_LBUTTONUP, WM_LBUTTONUP, PM_REMOVE)) break;
        }
        ended = true;
        return true;
    };
    harness.penDown(100, 100);
    EXPECT_FALSE(ended);
    harness.penUp(100, 100);
    EXPECT_TRUE(ended);
}

TEST_F(PollingTest, SearchPollingKeyStateStopsOnAFedKey) {
    long checked = 0;
    bool stopped = false;
    StartWithWindow();
    rec.onMessage = [&](const testwin::Record& r, LResult*) {
        if (r.id != kA) return false;
        for (checked = 0; checked < 100000000; ++checked) {
            if (GetAsyncKeyState(VK_DOWN) & 0x8000) {
                stopped = true;
                break;
            }
        }
        return true;
    };
    harness.runOnUi([this] { PostMessage(main, kA, 0, 0); });
    EXPECT_FALSE(stopped);
    harness.key(VK_DOWN);
    EXPECT_TRUE(stopped);
    EXPECT_LT(checked, 100000);
}

TEST_F(PollingTest, KeyHeldForPollsIsSeenDownThatManyTimes) {
    int held = -1;
    StartWithWindow([this] { SetFocus(main); });
    rec.onMessage = [&](const testwin::Record& r, LResult*) {
        if (r.id != WM_KEYDOWN) return false;
        held = 0;
        while (GetAsyncKeyState(static_cast<int>(r.wParam)) & 0x8000) ++held;
        return true;
    };
    harness.key(VK_UP, 3);
    EXPECT_EQ(3, held);
    EXPECT_EQ(1, rec.Count(WM_KEYUP, main));
    harness.key(VK_UP, 0);
    EXPECT_EQ(0, held);
}

// Keys go to the focus window, else to the active window.
TEST_F(HarnessTest, TypedTextArrivesAsCharactersAtTheFocusWindowAndCtrlStateIsKept) {
    Hwnd edit = nullptr;
    bool ctrlHeld = false;
    StartWithWindow([&] {
        edit = rec.Child(main, 1, {0, 0, 100, 20});
        SetFocus(edit);
    });
    harness.typeText("Ab1.");
    std::string typed;
    for (const auto& r : rec.Of(WM_CHAR, edit)) typed += static_cast<char>(r.wParam);
    EXPECT_EQ("Ab1.", typed);
    EXPECT_EQ(4, rec.Count(WM_KEYDOWN, edit));
    harness.runOnUi([] { SetFocus(nullptr); });
    rec.onMessage = [&](const testwin::Record& r, LResult*) {
        if (r.id == WM_KEYDOWN && r.wParam == 'Q') ctrlHeld = (GetKeyState(VK_CONTROL) & 0x8000) != 0;
        return false;
    };
    harness.keyDown(VK_CONTROL);
    harness.key('Q');
    harness.keyUp(VK_CONTROL);
    EXPECT_TRUE(ctrlHeld);
    EXPECT_EQ(2, rec.Count(WM_KEYDOWN, main));
}

TEST_F(HarnessTest, SleepMovesTheVirtualClockAtOnceAndDispatchesNothing) {
    uint32_t before = 0, after = 0;
    StartWithWindow([this] { SetTimer(main, 1, 100); });
    rec.onMessage = [&](const testwin::Record& r, LResult*) {
        if (r.id != kA) return false;
        before = GetTickCount();
        Sleep(5000);
        after = GetTickCount();
        return true;
    };
    harness.runOnUi([this] { PostMessage(main, kA, 0, 0); });
    EXPECT_EQ(5000u, after - before);
    EXPECT_EQ(1, rec.Count(WM_TIMER));  // overdue: one tick after the handler
}

TEST_F(HarnessTest, LocalTimeAndDatePatternAreSetByTheTest) {
    StartWithWindow();
    harness.setLocalTime({.year = 2024, .month = 3, .day = 5, .hour = 22, .minute = 59, .second = 30});
    harness.advance(45000);
    LocalTime now;
    std::string date;
    harness.runOnUi([&] {
        GetLocalTime(&now);
        date = FormatShortDate(2007, 12, 1);
    });
    EXPECT_EQ(23, now.hour);
    EXPECT_EQ(0, now.minute);
    EXPECT_EQ(15, now.second);
    EXPECT_EQ(2, now.dayOfWeek);  // a Tuesday
    EXPECT_EQ("12/1/2007", date);
    harness.setShortDatePattern("yyyy/MM/dd");
    harness.runOnUi([&] { date = FormatShortDate(2007, 12, 1); });
    EXPECT_EQ("2007/12/01", date);
}

// A window class whose brush is the highlight colour, with a red pixel drawn
// at (1, 2) on every paint.
LResult PaintedProc(Hwnd hwnd, uint32_t message, WParam wParam, LParam lParam) {
    if (message != WM_PAINT) return DefWindowProc(hwnd, message, wParam, lParam);
    PaintStruct ps;
    SetPixel(BeginPaint(hwnd, &ps), 1, 2, Rgb(255, 0, 0));
    EndPaint(hwnd, &ps);
    return 0;
}

// The screen as the harness writes it to a PNG file, read back.
std::vector<unsigned char> SavedScreen(const Harness& h, int* width, int* height) {
    std::string path = (std::filesystem::path(::testing::TempDir()) / ("zd_harness_screen_" + std::to_string(::getpid()) + ".png")).string();
    std::vector<unsigned char> rgb;
    EXPECT_TRUE(h.savePng(path));
    EXPECT_TRUE(ReadPngRgb(path, width, height, &rgb));
    std::filesystem::remove(path);
    return rgb;
}

// The class brush erased the window before its paint. A screen change resizes
// what the harness shows and is told to every top-level window.
TEST_F(HarnessTest, PixelsAndPngShowWhatWasPaintedAndChangeScreenResizesThem) {
    Hwnd hidden = nullptr;
    StartWithWindow([&] {
        hidden = rec.Top({0, 0, 10, 10}, nullptr, 0);
        RegisterClass({"Painted", PaintedProc, 0, GetSysColorBrush(kColorHighlight)});
        CreateParams p;
        p.className = "Painted";
        p.style = WS_VISIBLE;
        p.x = 20;
        p.y = 10;
        p.width = 30;
        p.height = 40;
        CreateWindow(p);
    });
    EXPECT_EQ(harness.pixel(20, 10), 0x000080u);  // navy highlight, 0x00RRGGBB
    EXPECT_EQ(harness.pixel(21, 12), 0xFF0000u);
    EXPECT_EQ(harness.pixel(50, 10), 0u);
    int w = 0, height = 0;
    std::vector<unsigned char> rgb = SavedScreen(harness, &w, &height);
    ASSERT_EQ(w, 240);
    ASSERT_EQ(height, 320);
    EXPECT_EQ(rgb[(12 * 240 + 21) * 3], 255);
    EXPECT_EQ(rgb[(12 * 240 + 21) * 3 + 1], 0);
    EXPECT_EQ(kHeadlessScreen, GetScreenInfo());
    harness.changeScreen(480, 640, 192);
    EXPECT_EQ((ScreenInfo{480, 640, 192}), GetScreenInfo());
    for (Hwnd h : {main, hidden}) {
        std::vector<testwin::Record> changes = rec.Of(WM_SETTINGCHANGE, h);
        ASSERT_EQ(1u, changes.size());
        EXPECT_EQ(SETTINGCHANGE_RESET, changes[0].wParam);
    }
    EXPECT_EQ(harness.pixel(479, 639), 0u);
    SavedScreen(harness, &w, &height);
    EXPECT_EQ(w, 480);
    EXPECT_EQ(height, 640);
}

// The worker thread of the shell: waits on a power queue and an exit event and
// posts command 9901 to the main window for each resume.
Hwnd powerTarget = nullptr;
Handle exitEvent = nullptr;
uint32_t PowerThread(void*) {
    Handle queue = CreateMsgQueue({4, 536, true});
    Handle request = RequestPowerNotifications(queue, POWER_TRANSITION | POWER_RESUME | POWER_INFO_CHANGE);
    Handle objects[2] = {queue, exitEvent};
    while (WaitForMultipleObjects(2, objects, false, INFINITE) == WAIT_OBJECT_0) {
        uint8_t buffer[536];
        uint32_t got = 0, flags = 0;
        while (ReadMsgQueue(queue, buffer, sizeof buffer, &got, 0, &flags)) {
            uint32_t type = buffer[0] | buffer[1] << 8 | buffer[2] << 16 | static_cast<uint32_t>(buffer[3]) << 24;
            if (got >= 4 && type == POWER_RESUME) PostMessage(powerTarget, WM_COMMAND, 9901, 0);
        }
    }
    StopPowerNotifications(request);
    CloseMsgQueue(queue);
    return 0;
}

TEST_F(HarnessTest, PowerResumeReachesTheWorkerThreadAndComesBackAsCommand) {
    Handle thread = nullptr;
    StartWithWindow([&] {
        powerTarget = main;
        exitEvent = CreateEvent(false, false);
        thread = CreateThread(PowerThread, nullptr);
    });
    harness.powerResume();
    auto commands = rec.Of(WM_COMMAND, main);
    ASSERT_EQ(1u, commands.size());
    EXPECT_EQ(9901u, commands[0].wParam);
    harness.powerResume();
    EXPECT_EQ(2, rec.Count(WM_COMMAND, main));
    harness.runOnUi([&] {
        SetEvent(exitEvent);
        EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(thread, INFINITE));
        CloseHandle(thread);
        CloseHandle(exitEvent);
    });
}

TEST(HarnessWatchdog, ProgramThatNeverGoesIdleFailsInsteadOfHanging) {
    std::vector<std::string> reported;
    HarnessOptions options;
    options.watchdogMs = 300;
    options.onFailure = [&](const std::string& m) { reported.push_back(m); };
    Harness harness(options);
    testwin::Recorder rec;
    rec.onMessage = [](const testwin::Record& r, LResult*) {
        if (r.id == kA) PostMessage(r.hwnd, kA, 0, 0);  // busy for ever
        return false;
    };
    harness.start([&] {
        Hwnd w = rec.Top({0, 0, 10, 10});
        PostMessage(w, kA, 0, 0);
        return MessageLoop();
    });
    EXPECT_FALSE(harness.running());
    EXPECT_EQ(-1, harness.exitCode());
    ASSERT_EQ(1u, reported.size());
    EXPECT_NE(std::string::npos, reported[0].find("watchdog"));
}

}  // namespace
