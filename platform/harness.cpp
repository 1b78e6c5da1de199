#include "platform/harness.h"

#include <chrono>
#include <cstdlib>
#include <future>

#include "platform/core_internal.h"
#include "platform/message_queue.h"
#include "platform/messages.h"
#include "platform/paint.h"
#include "platform/power.h"
#include "platform/window.h"

namespace pl {
namespace {

FramebufferSource framebufferSource = nullptr;
PngWriter pngWriter = nullptr;
Harness* activeHarness = nullptr;

std::chrono::milliseconds Ms(int ms) { return std::chrono::milliseconds(ms); }

bool IdleLocked() { return detail::UiIdleLocked() && detail::WorkersIdleLocked(); }

InputEvent PenEvent(InputKind kind, int x, int y) {
    InputEvent e;
    e.kind = kind;
    e.pos = {x, y};
    return e;
}

InputEvent KeyEvent(InputKind kind, int vk, unsigned char character, int holdPolls) {
    InputEvent e;
    e.kind = kind;
    e.vk = vk;
    e.character = character;
    e.holdPolls = holdPolls;
    return e;
}

}  // namespace

void SetFramebufferSource(FramebufferSource source) { framebufferSource = source; }

void SetPngWriter(PngWriter writer) { pngWriter = writer; }

Harness::Harness(HarnessOptions options) : options_(std::move(options)), previousScreen_(GetScreenInfo()) {
    if (activeHarness) fail("a second harness was made while one exists");
    activeHarness = this;
    ResetWindows();
    UseVirtualClock(options_.start);
    SetScreenInfo(options_.screen);
    std::lock_guard<std::mutex> lock(detail::Mutex());
    detail::UiState& ui = detail::Ui();
    ui = detail::UiState{};
    ui.harness = true;
    ui.pollLimit = options_.idlePollLimit > 0 ? options_.idlePollLimit : 1;
}

Harness::~Harness() {
    stop();
    if (thread_.joinable()) thread_.join();
    {
        std::lock_guard<std::mutex> lock(detail::Mutex());
        detail::Ui() = detail::UiState{};
    }
    ResetWindows();
    UseRealClock();
    SetScreenInfo(previousScreen_);
    if (activeHarness == this) activeHarness = nullptr;
}

void Harness::start(std::function<int()> program) {
    if (thread_.joinable()) {
        fail("start: a program was already started");
        return;
    }
    {
        std::lock_guard<std::mutex> lock(detail::Mutex());
        detail::Ui().programRunning = true;
    }
    std::promise<void> started;
    std::future<void> ready = started.get_future();
    thread_ = std::thread([this, program = std::move(program), &started] {
        {
            std::lock_guard<std::mutex> lock(detail::Mutex());
            detail::Ui().programThread = std::this_thread::get_id();
        }
        started.set_value();
        int code = -1;
        try {
            code = program();
        } catch (const HarnessAbort&) {
        } catch (const std::exception& e) {
            fail(std::string("the program ended with an exception: ") + e.what());
        } catch (...) {
            fail("the program ended with an exception");
        }
        std::lock_guard<std::mutex> lock(detail::Mutex());
        exitCode_ = code;
        detail::Ui().programRunning = false;
        detail::Cv().notify_all();
    });
    ready.wait();
    waitIdle();
}

bool Harness::running() const {
    std::lock_guard<std::mutex> lock(detail::Mutex());
    return detail::Ui().programRunning;
}

int Harness::exitCode() const {
    std::lock_guard<std::mutex> lock(detail::Mutex());
    return exitCode_;
}

bool Harness::stop() {
    if (!running()) return true;
    PostQuitMessage(0);
    return waitForEnd();
}

// Waits for the program thread to end; asks it to stop after the watchdog
// period, and gives up on the whole process when even that does not help.
bool Harness::waitForEnd() {
    std::unique_lock<std::mutex> lock(detail::Mutex());
    auto ended = [] { return !detail::Ui().programRunning; };
    if (detail::Cv().wait_for(lock, Ms(options_.watchdogMs), ended)) return true;
    detail::Ui().abort = true;
    detail::WakeLocked();
    if (!detail::Cv().wait_for(lock, Ms(options_.watchdogMs), ended)) {
        lock.unlock();
        fail("the program thread does not stop; giving up");
        std::abort();
    }
    return false;
}

void Harness::waitIdle() {
    {
        std::unique_lock<std::mutex> lock(detail::Mutex());
        if (detail::Cv().wait_for(lock, Ms(options_.watchdogMs), IdleLocked)) return;
    }
    fail("watchdog: the program did not become idle within " + std::to_string(options_.watchdogMs) + " ms");
    {
        std::lock_guard<std::mutex> lock(detail::Mutex());
        detail::Ui().abort = true;
        detail::WakeLocked();
    }
    waitForEnd();
}

void Harness::runOnUi(const std::function<void()>& call) {
    if (!running()) {
        call();
        return;
    }
    RunOnUiThread(call);
    waitIdle();
}

void Harness::feed(const std::vector<InputEvent>& events) {
    FeedInput(events);
    waitIdle();
}

void Harness::tap(int x, int y) {
    penDown(x, y);
    penUp(x, y);
}

void Harness::doubleTap(int x, int y) {
    tap(x, y);
    InputEvent second = PenEvent(InputKind::PenDown, x, y);
    second.doubleTap = true;
    feed({second});
    penUp(x, y);
}

void Harness::penDown(int x, int y) { feed({PenEvent(InputKind::PenDown, x, y)}); }

void Harness::penMove(int x, int y) { feed({PenEvent(InputKind::PenMove, x, y)}); }

void Harness::penUp(int x, int y) { feed({PenEvent(InputKind::PenUp, x, y)}); }

void Harness::drag(Point from, Point to, int steps) {
    penDown(from.x, from.y);
    for (int i = 1; i <= steps; ++i) {
        penMove(from.x + (to.x - from.x) * i / steps, from.y + (to.y - from.y) * i / steps);
    }
    penUp(to.x, to.y);
}

void Harness::key(int vk, int holdPolls) {
    feed({KeyEvent(InputKind::KeyDown, vk, CharacterOfKey(vk), holdPolls), KeyEvent(InputKind::KeyUp, vk, 0, 0)});
}

void Harness::keyDown(int vk) { feed({KeyEvent(InputKind::KeyDown, vk, CharacterOfKey(vk), 0)}); }

void Harness::keyUp(int vk) { feed({KeyEvent(InputKind::KeyUp, vk, 0, 0)}); }

void Harness::typeText(const std::string& text) {
    for (char c : text) {
        auto ch = static_cast<unsigned char>(c);
        int vk = KeyOfCharacter(ch);
        feed({KeyEvent(InputKind::KeyDown, vk, ch, 0), KeyEvent(InputKind::KeyUp, vk, 0, 0)});
    }
}

void Harness::advance(uint32_t ms) {
    waitIdle();
    const uint64_t target = detail::ClockNow() + ms;
    for (;;) {
        uint64_t now = detail::ClockNow();
        uint64_t due = 0;
        bool timer;
        {
            std::lock_guard<std::mutex> lock(detail::Mutex());
            timer = detail::NextTimerDue(now, &due) && due < target;
        }
        uint64_t next = timer ? due : target;
        AdvanceVirtualClock(static_cast<uint32_t>(next > now ? next - now : 0));
        waitIdle();
        if (!timer) break;
    }
}

void Harness::setLocalTime(const LocalTime& time) { SetVirtualLocalTime(time); }

void Harness::setShortDatePattern(const std::string& pattern) { SetShortDatePattern(pattern); }

void Harness::changeScreen(int width, int height, int dpi) {
    waitIdle();
    SetScreenInfo({width, height, dpi});
    runOnUi([] {
        InvalidateAllWindows();
        SendBroadcast(WM_SETTINGCHANGE, SETTINGCHANGE_RESET, 0);
    });
}

void Harness::powerResume() {
    BroadcastPowerNotification(POWER_RESUME, 0);
    waitIdle();
}

uint32_t Harness::pixel(int x, int y) const {
    if (!framebufferSource) return 0;
    FramebufferView view = framebufferSource();
    if (!view.pixels || x < 0 || y < 0 || x >= view.width || y >= view.height) return 0;
    return view.pixels[static_cast<size_t>(y) * static_cast<size_t>(view.stride) + static_cast<size_t>(x)] & 0xFFFFFF;
}

bool Harness::savePng(const std::string& path) const {
    if (!framebufferSource || !pngWriter) return false;
    return pngWriter(path, framebufferSource());
}

std::vector<std::string> Harness::failures() const {
    std::lock_guard<std::mutex> lock(failureMutex_);
    return failures_;
}

void Harness::fail(const std::string& message) {
    {
        std::lock_guard<std::mutex> lock(failureMutex_);
        failures_.push_back(message);
    }
    if (options_.onFailure) options_.onFailure(message);
}

}  // namespace pl
