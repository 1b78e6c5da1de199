#include "platform/message_queue.h"

#include <deque>

#include "platform/backend.h"
#include "platform/clock.h"
#include "platform/core_internal.h"
#include "platform/harness.h"
#include "platform/messages.h"
#include "platform/window.h"

namespace pl {
namespace {

using detail::Find;
using detail::Filter;
using detail::WindowPtr;

struct Posted {
    Msg msg;
    bool input;  // made from a fed input event
};

struct Sent {
    Hwnd hwnd = nullptr;
    uint32_t message = 0;
    WParam wParam = 0;
    LParam lParam = 0;
    std::function<void()> call;  // instead of a message: a call to run
    std::thread::id target;      // the window's thread (messages only)
    bool done = false;
    LResult result = 0;
};
using SentPtr = std::shared_ptr<Sent>;

std::deque<Posted> posted;
std::deque<SentPtr> sent;
bool quitPosted = false;
int quitCode = 0;

bool ForThread(const Sent& s, std::thread::id thread) { return s.call || s.target == thread; }

Msg Stamp(Msg m) {
    m.time = static_cast<uint32_t>(detail::ClockNow());
    m.pt = detail::CursorLocked();
    return m;
}

// Runs one sent message or call meant for this thread; true when one ran.
bool RunOneSent(std::unique_lock<std::mutex>& lock) {
    auto me = std::this_thread::get_id();
    for (auto it = sent.begin(); it != sent.end(); ++it) {
        if (!ForThread(**it, me)) continue;
        SentPtr item = *it;
        sent.erase(it);
        lock.unlock();
        LResult result = 0;
        try {
            if (item->call) item->call();
            else result = detail::CallProc(Find(item->hwnd), item->message, item->wParam, item->lParam);
        } catch (...) {
            lock.lock();
            item->done = true;
            detail::Cv().notify_all();
            throw;
        }
        lock.lock();
        item->result = result;
        item->done = true;
        detail::Cv().notify_all();
        return true;
    }
    return false;
}

bool Matches(const Filter& filter, const Msg& m) {
    if (!filter.Accepts(m.id)) return false;
    return m.hwnd ? filter.AcceptsWindow(m.hwnd) : filter.hwnd == nullptr;
}

// The first posted message the filter accepts; messages of destroyed windows are dropped.
bool TakePosted(const Filter& filter, bool remove, Msg* out) {
    for (auto it = posted.begin(); it != posted.end();) {
        if (it->msg.hwnd && !Find(it->msg.hwnd)) {
            it = posted.erase(it);
            continue;
        }
        if (!Matches(filter, it->msg)) {
            ++it;
            continue;
        }
        *out = it->msg;
        if (remove) {
            if (it->input) detail::OnInputMessageTakenLocked(it->msg);
            posted.erase(it);
        }
        return true;
    }
    return false;
}

bool TakeQuit(const Filter& filter, bool remove, Msg* out) {
    if (!quitPosted || !filter.Accepts(WM_QUIT)) return false;
    *out = Stamp(Msg{nullptr, WM_QUIT, static_cast<WParam>(quitCode), 0, 0, {}});
    if (remove) quitPosted = false;
    return true;
}

// One message request: sent, posted, one fed event, quit, paint, timer.
bool TakeLocked(std::unique_lock<std::mutex>& lock, const Filter& filter, bool remove, Msg* out) {
    for (;;) {
        if (detail::Ui().abort && detail::OnProgramThread()) throw HarnessAbort();
        if (RunOneSent(lock)) continue;
        if (TakePosted(filter, remove, out)) return true;
        if (!detail::InputMessageWaitingLocked() && detail::MoveFedEventLocked(false)) continue;
        if (TakeQuit(filter, remove, out)) return true;
        if (detail::FindPaint(filter, detail::HandlerDepth(), remove, out) || detail::TakeTimer(filter, remove, out)) {
            *out = Stamp(*out);
            return true;
        }
        return false;
    }
}

bool Available(const Filter& filter, int depth, std::thread::id thread) {
    Msg m;
    for (const SentPtr& s : sent) {
        if (ForThread(*s, thread)) return true;
    }
    return TakePosted(filter, false, &m) ||
           (!detail::InputMessageWaitingLocked() && detail::PollCanTakeLocked(false)) ||
           TakeQuit(filter, false, &m) || detail::FindPaint(filter, depth, false, &m) ||
           detail::TakeTimer(filter, false, &m);
}

// Milliseconds until the next timer on the real clock, or -1 (no limit).
int TimeoutToNextTimer() {
    uint64_t due;
    uint64_t now = detail::ClockNow();
    if (IsVirtualClock() || !detail::NextTimerDue(now, &due)) return -1;
    return static_cast<int>(std::min<uint64_t>(due - now, 1u << 30));
}

void ResetEmptyPolls() { detail::Ui().emptyPolls = 0; }

Filter MakeFilter(Hwnd hwnd, uint32_t first, uint32_t last) {
    Filter f;
    f.hwnd = hwnd;
    f.first = first;
    f.last = last;
    return f;
}

}  // namespace

namespace detail {

bool InputMessageWaitingLocked() {
    for (const Posted& p : posted) {
        if (p.input) return true;
    }
    return false;
}

void PushInputLocked(const Msg& m) { posted.push_back({Stamp(m), true}); }

void ParkLocked(std::unique_lock<std::mutex>& lock, ParkKind kind, const Filter& filter) {
    UiState& ui = Ui();
    bool program = OnProgramThread();
    uint64_t serial = ui.wakeSerial;
    if (program) {
        ui.park = kind;
        ui.parkFilter = filter;
        ui.parkDepth = HandlerDepth();
        ui.parkSerial = serial;
        Cv().notify_all();
    }
    int timeout = TimeoutToNextTimer();
    const Backend& backend = CurrentBackend();
    if (backend.waitInput && !program) {
        lock.unlock();
        if (backend.present) backend.present();
        backend.waitInput(timeout);
        lock.lock();
    } else if (timeout >= 0) {
        Cv().wait_for(lock, std::chrono::milliseconds(timeout), [&] { return ui.wakeSerial != serial; });
    } else {
        Cv().wait(lock, [&] { return ui.wakeSerial != serial; });
    }
    if (program) {
        ui.park = ParkKind::None;
        ui.emptyPolls = 0;
        if (ui.abort) throw HarnessAbort();
    }
}

bool CountEmptyPollLocked() {
    UiState& ui = Ui();
    return OnProgramThread() && ++ui.emptyPolls >= ui.pollLimit;
}

bool UiIdleLocked() {
    UiState& ui = Ui();
    if (!ui.programRunning) return true;
    if (ui.park == ParkKind::None || ui.parkSerial != ui.wakeSerial) return false;
    if (ui.park == ParkKind::Poll) return InputMessageWaitingLocked() || !PollCanTakeLocked(true);
    return !Available(ui.parkFilter, ui.parkDepth, ui.programThread);
}

}  // namespace detail

int GetMessage(Msg* msg, Hwnd hwnd, uint32_t first, uint32_t last) {
    if (hwnd && !IsWindow(hwnd)) return -1;
    Filter filter = MakeFilter(hwnd, first, last);
    std::unique_lock<std::mutex> lock(detail::Mutex());
    while (!TakeLocked(lock, filter, true, msg)) detail::ParkLocked(lock, detail::ParkKind::Message, filter);
    ResetEmptyPolls();
    return msg->id == WM_QUIT ? 0 : 1;
}

bool PeekMessage(Msg* msg, Hwnd hwnd, uint32_t first, uint32_t last, uint32_t flags) {
    PumpBackendInput();
    Filter filter = MakeFilter(hwnd, first, last);
    bool remove = (flags & PM_REMOVE) != 0;
    std::unique_lock<std::mutex> lock(detail::Mutex());
    if (!TakeLocked(lock, filter, remove, msg)) {
        if (!detail::CountEmptyPollLocked()) return false;
        detail::ParkLocked(lock, detail::ParkKind::Message, filter);
        if (!TakeLocked(lock, filter, remove, msg)) return false;
    }
    ResetEmptyPolls();
    return true;
}

void WaitMessage() {
    Filter all;
    Msg msg;
    std::unique_lock<std::mutex> lock(detail::Mutex());
    while (!TakeLocked(lock, all, false, &msg)) detail::ParkLocked(lock, detail::ParkKind::Message, all);
}

bool TranslateMessage(const Msg* msg) {
    if (!msg || msg->id != WM_KEYDOWN) return false;
    int character = HiWord(static_cast<std::uintptr_t>(msg->lParam)) & 0xFF;
    if (character == 0) return false;
    return PostMessage(msg->hwnd, WM_CHAR, static_cast<WParam>(character), msg->lParam);
}

LResult DispatchMessage(const Msg* msg) {
    detail::CheckAbort();
    if (!msg || !msg->hwnd) return 0;
    return detail::CallProc(Find(msg->hwnd), msg->id, msg->wParam, msg->lParam);
}

bool PostMessage(Hwnd hwnd, uint32_t message, WParam wParam, LParam lParam) {
    if (hwnd && !Find(hwnd)) return false;
    std::lock_guard<std::mutex> lock(detail::Mutex());
    posted.push_back({Stamp(Msg{hwnd, message, wParam, lParam, 0, {}}), false});
    detail::WakeLocked();
    return true;
}

LResult SendMessage(Hwnd hwnd, uint32_t message, WParam wParam, LParam lParam) {
    WindowPtr w = Find(hwnd);
    if (!w) return 0;
    if (w->thread == std::this_thread::get_id()) {
        detail::CheckAbort();
        return detail::CallProc(w, message, wParam, lParam);
    }
    auto item = std::make_shared<Sent>();
    *item = Sent{hwnd, message, wParam, lParam, {}, w->thread, false, 0};
    std::unique_lock<std::mutex> lock(detail::Mutex());
    sent.push_back(item);
    detail::WakeLocked();
    detail::Cv().wait(lock, [&] { return item->done; });
    return item->result;
}

void SendBroadcast(uint32_t message, WParam wParam, LParam lParam) {
    for (Hwnd h : TopLevelWindows()) SendMessage(h, message, wParam, lParam);
}

void PostQuitMessage(int exitCode) {
    std::lock_guard<std::mutex> lock(detail::Mutex());
    quitPosted = true;
    quitCode = exitCode;
    detail::WakeLocked();
}

void RunOnUiThread(std::function<void()> call) {
    auto item = std::make_shared<Sent>();
    item->call = std::move(call);
    std::lock_guard<std::mutex> lock(detail::Mutex());
    sent.push_back(item);
    detail::WakeLocked();
}

bool RunModalLoop(const bool* done) {
    while (!*done) {
        Msg msg;
        if (GetMessage(&msg, nullptr, 0, 0) == 0) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            return false;
        }
        TranslateMessage(&msg);
        DispatchMessage(&msg);
    }
    return true;
}

void ResetMessageQueue() {
    std::lock_guard<std::mutex> lock(detail::Mutex());
    posted.clear();
    for (const SentPtr& s : sent) s->done = true;
    sent.clear();
    quitPosted = false;
    quitCode = 0;
    detail::Cv().notify_all();
}

}  // namespace pl
