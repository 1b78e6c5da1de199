// Internal state shared by the window, message, paint, timer and input files of
// the platform. Not for use outside platform/.
//
// Threads: windows are created, changed and destroyed on the UI thread only.
// Other threads (the worker thread, the test harness) only look windows up and
// post. One mutex guards the message queue, the input feed, the timers and the
// parking state; the handle table has a lock of its own, always taken after
// that mutex. The harness reads window fields only while the UI thread is
// parked (blocked on the condition variable under the mutex).
#pragma once

#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "platform/region.h"
#include "platform/types.h"

namespace pl::detail {

struct Window {
    Hwnd hwnd = nullptr;
    std::thread::id thread;
    std::string className;
    uint32_t classStyle = 0;
    const void* background = nullptr;
    WndProc proc = nullptr;
    uint32_t style = 0;
    uint32_t exStyle = 0;
    Hwnd parent = nullptr;  // child windows only
    Hwnd owner = nullptr;   // top-level windows only
    int id = 0;
    Rect rect;              // in the parent's client coordinates (screen for top-level)
    std::string text;
    LParam userData = 0;
    std::vector<Hwnd> children;  // z-order, topmost first
    Region update;               // invalid area, client coordinates
    Region painting;             // area of the paint in progress (BeginPaint to EndPaint)
    bool eraseNeeded = false;
    int paintTakenDepth = -1;    // handler depth at which a paint was taken and not yet redone
    int paintsRunning = 0;       // BeginPaint calls not yet ended
    bool destroying = false;
};
using WindowPtr = std::shared_ptr<Window>;

std::mutex& Mutex();
// The one condition variable of the platform: every wait (UI parking, the
// harness's idle wait, events and threads) waits on it with its own predicate.
std::condition_variable& Cv();
// Wakes the UI thread and every other waiter. The caller holds the mutex.
void WakeLocked();

// Window table: any thread may look a handle up (with or without the mutex).
WindowPtr Find(Hwnd hwnd);
// Top-level windows in z-order, topmost first. This list and the children
// lists change on the UI thread only and are read there or while it is parked.
std::vector<Hwnd>& TopLevelList();
// Inserts and removes table entries (UI thread).
Hwnd AddToTable(const WindowPtr& w);
void RemoveFromTable(Hwnd hwnd);
// Drops every window without sending messages (test reset).
void ClearTable();

// True when `w` is `ancestor` or lies below it.
bool IsSelfOrDescendant(Hwnd w, Hwnd ancestor);
// Visible with all its ancestors.
bool IsShown(const Window& w);

// Message filter of GetMessage and PeekMessage.
struct Filter {
    Hwnd hwnd = nullptr;  // null: every window
    uint32_t first = 0;   // 0, 0: every message
    uint32_t last = 0;
    bool Accepts(uint32_t id) const { return (first == 0 && last == 0) || (id >= first && id <= last); }
    bool AcceptsWindow(Hwnd target) const { return !hwnd || (target && IsSelfOrDescendant(target, hwnd)); }
};

// Depth of window procedures running on this thread through the platform.
int HandlerDepth();
// Calls the window's procedure, counting the handler depth.
LResult CallProc(const WindowPtr& w, uint32_t message, WParam wParam, LParam lParam);

// State of the UI thread as the test harness sees it (mutex held).
enum class ParkKind { None, Message, Poll };
struct UiState {
    bool harness = false;          // a harness drives the program thread
    std::thread::id programThread;
    bool programRunning = false;
    int pollLimit = 20000;         // empty polls after which a polling program counts as idle
    int emptyPolls = 0;
    ParkKind park = ParkKind::None;
    int parkDepth = 0;             // handler depth of the parked call
    uint64_t parkSerial = 0;       // wakeSerial when it parked
    Filter parkFilter;             // what the parked message request waits for
    uint64_t wakeSerial = 0;       // bumped by everything that may give the UI thread work
    bool abort = false;            // the watchdog gave up on the program
};
UiState& Ui();
// The calling thread is the program thread of a running harness.
bool OnProgramThread();

// Message queue (mutex held).
bool InputMessageWaitingLocked();
// Appends a message made from a fed event.
void PushInputLocked(const Msg& m);
// Blocks the calling thread until something may have given it work. On the
// program thread of a harness this is where it counts as parked.
void ParkLocked(std::unique_lock<std::mutex>& lock, ParkKind kind, const Filter& filter);
// Counts an empty poll; true when the program thread should park.
bool CountEmptyPollLocked();
// The program thread is parked with nothing it can take, or has ended.
bool UiIdleLocked();

// Input feed (mutex held, UI thread).
// Whether the next fed event may move into the queue now (a poll may not take
// a key's release while the key is still held for polls).
bool PollCanTakeLocked(bool byPoll);
// Moves the next fed event into the queue; false when none may move.
bool MoveFedEventLocked(bool byPoll);
void OnInputMessageTakenLocked(const Msg& m);
Point CursorLocked();
void ResetInputLocked();

// Every worker thread made with CreateThread has reached its first wait or
// ended, and no power notification waits for its reader (mutex held).
bool WorkersIdleLocked();

// Throws HarnessAbort on the program thread after the harness's watchdog gave up.
void CheckAbort();

// The clock in milliseconds (virtual or real), never wrapping.
uint64_t ClockNow();

// Paint and timer synthesis for the queue (mutex held; UI thread, or the
// harness while it is parked). `depth` is the UI thread's handler depth: a
// paint taken and not done is made again only below the depth it was taken at.
bool FindPaint(const Filter& filter, int depth, bool remove, Msg* out);
bool TakeTimer(const Filter& filter, bool remove, Msg* out);
// Earliest due time after `after` of a timer, in clock milliseconds; false when
// there is none.
bool NextTimerDue(uint64_t after, uint64_t* due);
// Mutex held.
void KillWindowTimers(Hwnd hwnd);
void ClearTimers();

// The window's rectangle on the screen.
Rect ScreenRectOf(const Window& w);
// Every window in painting order: top-level windows from the bottom up, each
// followed by its descendants from the bottom up.
std::vector<Hwnd> PaintOrder();

// Invalidates (with erasing) the parts of `screen` on the visible windows that
// lie below `hwnd`: what a hidden, moved or destroyed window uncovers.
void ExposeBelow(Hwnd hwnd, const Rect& screen);
// Invalidates the window and its descendants entirely, with erasing.
void InvalidateTree(Hwnd hwnd);

// The window (with its descendants) is being hidden or destroyed: capture,
// focus and activation move away from it (UI thread).
void OnWindowHidden(Hwnd hwnd);
// Forgets the window in the focus state without messages (destruction).
void ForgetWindow(Hwnd hwnd);
void ResetFocus();
// Where key messages go: the focus window, else the active window.
Hwnd KeyTarget();

// WM_ERASEBKGND's default: fills what is being painted with the class
// background through the graphics side; false when nothing was filled.
bool FillBackground(const Window& w, void* dc);

}  // namespace pl::detail
