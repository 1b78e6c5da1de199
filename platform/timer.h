// Window timers. A timer's WM_TIMER is made by the message queue when nothing
// else is waiting and its time has come; there is at most one per timer, and
// the next one is due a full period after the last one was taken (taken and
// not dispatched counts as taken). Timers run on the platform clock, so in
// the test harness they fire only as its virtual clock advances.
#pragma once

#include <cstdint>

#include "platform/types.h"

namespace pl {

// Starts (or restarts) timer `id` of the window with a period in milliseconds
// (at least 10). Returns the id, or 0 for an invalid window.
std::uintptr_t SetTimer(Hwnd hwnd, std::uintptr_t id, uint32_t periodMs);
// Stops it; false when there was no such timer.
bool KillTimer(Hwnd hwnd, std::uintptr_t id);

}  // namespace pl
