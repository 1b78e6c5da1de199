// The headless test harness. A test (or the program's headless screenshot
// mode) starts the program on its own UI thread and drives it like a person:
// taps, drags, keys and typed text through the raw-input feed, a virtual clock
// that moves only when told, the local time and date pattern, the screen, and
// a power resume. Every call returns when the UI thread is idle: blocked for a
// message with nothing queued, due or fed, or polling with nothing fed (after
// `idlePollLimit` empty polls a poll blocks until the harness acts again).
// Between calls the program is parked, so the caller may inspect windows,
// their texts and the screen. A watchdog fails a program that never becomes
// idle: its next platform call throws HarnessAbort, which ends the program
// thread. One harness exists at a time.
#pragma once

#include <cstdint>
#include <exception>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "platform/clock.h"
#include "platform/input.h"
#include "platform/screen.h"
#include "platform/types.h"

namespace pl {

// Ends the program thread after the watchdog gave up on it.
class HarnessAbort : public std::exception {
public:
    const char* what() const noexcept override { return "the test harness stopped the program"; }
};

// The screen's pixels as the graphics side keeps them: 0x00RRGGBB, rows top
// down, `stride` pixels apart.
struct FramebufferView {
    const uint32_t* pixels = nullptr;
    int width = 0;
    int height = 0;
    int stride = 0;
};
// Installed by the graphics side: the framebuffer, and a PNG writer for it.
using FramebufferSource = FramebufferView (*)();
using PngWriter = bool (*)(const std::string& path, const FramebufferView& view);
void SetFramebufferSource(FramebufferSource source);
void SetPngWriter(PngWriter writer);

struct HarnessOptions {
    ScreenInfo screen = kHeadlessScreen;
    LocalTime start;            // the virtual clock's local time at the start
    int idlePollLimit = 20000;  // empty polls after which a polling program is idle
    int watchdogMs = 20000;     // real time a call may wait for the program to become idle
    // Told about every failure (watchdog, an exception out of the program).
    std::function<void(const std::string& message)> onFailure;
};

class Harness {
public:
    // Resets the platform (windows, queue, input, timers), starts the virtual
    // clock and sets the screen.
    explicit Harness(HarnessOptions options = {});
    // Stops the program (as stop), resets the platform again and puts the
    // screen back as it was.
    ~Harness();
    Harness(const Harness&) = delete;
    Harness& operator=(const Harness&) = delete;

    // Runs `program` (typically a call of WinMain) on a new UI thread.
    void start(std::function<int()> program);
    bool running() const;
    // What the program returned (-1 when it was stopped by the watchdog).
    int exitCode() const;
    // Posts the quit message and waits for the program to end; false when the
    // watchdog had to stop it.
    bool stop();
    void waitIdle();
    // Runs `call` on the UI thread when it next takes messages, then waits
    // until idle (directly when no program runs).
    void runOnUi(const std::function<void()>& call);

    // Stylus, in screen coordinates.
    void tap(int x, int y);
    void doubleTap(int x, int y);
    void penDown(int x, int y);
    void penMove(int x, int y);
    void penUp(int x, int y);
    // Down at `from`, `steps` moves in equal steps, up at `to`.
    void drag(Point from, Point to, int steps = 4);
    // A key pressed and released; while the program polls its state the key
    // stays down for `holdPolls` polls.
    void key(int vk, int holdPolls = 0);
    void keyDown(int vk);
    void keyUp(int vk);
    // Each character as a key press that types it (WM_CHAR after TranslateMessage).
    void typeText(const std::string& text);

    // Moves the virtual clock on; due timers fire in order, each when the
    // program is idle at its time. advance(0) lets a parked polling program run on.
    void advance(uint32_t ms);
    void setLocalTime(const LocalTime& time);
    void setShortDatePattern(const std::string& pattern);
    // New screen size and dpi, then WM_SETTINGCHANGE (12290) to every top-level window.
    void changeScreen(int width, int height, int dpi);
    // A resume notification to the registered power queues.
    void powerResume();

    // A screen pixel (0x00RRGGBB; 0 without a framebuffer or outside it).
    uint32_t pixel(int x, int y) const;
    bool savePng(const std::string& path) const;

    // Failures so far (also given to onFailure).
    std::vector<std::string> failures() const;

private:
    void feed(const std::vector<InputEvent>& events);
    void fail(const std::string& message);
    bool waitForEnd();

    HarnessOptions options_;
    ScreenInfo previousScreen_;
    std::thread thread_;
    int exitCode_ = 0;
    mutable std::mutex failureMutex_;
    std::vector<std::string> failures_;
};

}  // namespace pl
