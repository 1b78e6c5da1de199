#include "platform/timer.h"

#include <algorithm>
#include <vector>

#include "platform/clock.h"
#include "platform/core_internal.h"
#include "platform/messages.h"
#include "platform/window.h"

namespace pl {
namespace {

constexpr uint32_t kMinimumPeriod = 10;

struct Timer {
    Hwnd hwnd;
    std::uintptr_t id;
    uint32_t period;
    uint64_t due;  // clock milliseconds
};

std::vector<Timer> timers;  // in order of creation

auto FindTimer(Hwnd hwnd, std::uintptr_t id) {
    return std::find_if(timers.begin(), timers.end(), [&](const Timer& t) { return t.hwnd == hwnd && t.id == id; });
}

}  // namespace

std::uintptr_t SetTimer(Hwnd hwnd, std::uintptr_t id, uint32_t periodMs) {
    if (!IsWindow(hwnd)) return 0;
    uint32_t period = std::max(periodMs, kMinimumPeriod);
    std::lock_guard<std::mutex> lock(detail::Mutex());
    uint64_t due = detail::ClockNow() + period;
    auto it = FindTimer(hwnd, id);
    if (it != timers.end()) {
        it->period = period;
        it->due = due;
    } else {
        timers.push_back({hwnd, id, period, due});
    }
    detail::WakeLocked();
    return id;
}

bool KillTimer(Hwnd hwnd, std::uintptr_t id) {
    std::lock_guard<std::mutex> lock(detail::Mutex());
    auto it = FindTimer(hwnd, id);
    if (it == timers.end()) return false;
    timers.erase(it);
    return true;
}

namespace detail {

bool TakeTimer(const Filter& filter, bool remove, Msg* out) {
    if (!filter.Accepts(WM_TIMER)) return false;
    uint64_t now = ClockNow();
    Timer* best = nullptr;
    for (Timer& t : timers) {
        if (t.due > now || !filter.AcceptsWindow(t.hwnd) || !Find(t.hwnd)) continue;
        if (!best || t.due < best->due) best = &t;
    }
    if (!best) return false;
    *out = Msg{};
    out->hwnd = best->hwnd;
    out->id = WM_TIMER;
    out->wParam = best->id;
    if (remove) best->due = now + best->period;
    return true;
}

bool NextTimerDue(uint64_t after, uint64_t* due) {
    bool any = false;
    for (const Timer& t : timers) {
        if (t.due <= after || (any && t.due >= *due)) continue;
        *due = t.due;
        any = true;
    }
    return any;
}

void KillWindowTimers(Hwnd hwnd) {
    timers.erase(std::remove_if(timers.begin(), timers.end(), [hwnd](const Timer& t) { return t.hwnd == hwnd; }),
                 timers.end());
}

void ClearTimers() { timers.clear(); }

}  // namespace detail
}  // namespace pl
