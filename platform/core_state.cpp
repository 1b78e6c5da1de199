#include <algorithm>
#include <unordered_map>

#include "platform/backend.h"
#include "platform/core_internal.h"
#include "platform/harness.h"
#include "platform/window.h"

namespace pl::detail {
namespace {

std::mutex mutex;
std::condition_variable cv;
// Guards the handle table only; taken after `mutex` when both are needed.
std::mutex tableMutex;

// Handles are never reused: a destroyed window's handle stays invalid.
std::uintptr_t nextHandle = 0x10000;
std::unordered_map<std::uintptr_t, WindowPtr> table;
std::vector<Hwnd> topLevel;

UiState ui;

thread_local int handlerDepth = 0;

std::uintptr_t Key(Hwnd hwnd) { return reinterpret_cast<std::uintptr_t>(hwnd); }

struct DepthGuard {
    DepthGuard() { ++handlerDepth; }
    ~DepthGuard() { --handlerDepth; }
    DepthGuard(const DepthGuard&) = delete;
    DepthGuard& operator=(const DepthGuard&) = delete;
};

}  // namespace

std::mutex& Mutex() { return mutex; }
std::condition_variable& Cv() { return cv; }
UiState& Ui() { return ui; }

WindowPtr Find(Hwnd hwnd) {
    if (!hwnd) return nullptr;
    std::lock_guard<std::mutex> lock(tableMutex);
    auto it = table.find(Key(hwnd));
    return it == table.end() ? nullptr : it->second;
}

std::vector<Hwnd>& TopLevelList() { return topLevel; }

Hwnd AddToTable(const WindowPtr& w) {
    std::lock_guard<std::mutex> lock(tableMutex);
    nextHandle += 4;
    w->hwnd = reinterpret_cast<Hwnd>(nextHandle);
    table[nextHandle] = w;
    return w->hwnd;
}

void RemoveFromTable(Hwnd hwnd) {
    std::lock_guard<std::mutex> lock(tableMutex);
    table.erase(Key(hwnd));
}

void ClearTable() {
    std::unordered_map<std::uintptr_t, WindowPtr> old;
    {
        std::lock_guard<std::mutex> lock(tableMutex);
        old.swap(table);
    }
    topLevel.clear();
}

bool IsSelfOrDescendant(Hwnd w, Hwnd ancestor) {
    while (w) {
        if (w == ancestor) return true;
        WindowPtr rec = Find(w);
        if (!rec) return false;
        w = rec->parent;
    }
    return false;
}

bool IsShown(const Window& w) {
    const Window* cur = &w;
    WindowPtr hold;
    for (;;) {
        if (!(cur->style & WS_VISIBLE)) return false;
        if (!cur->parent) return true;
        hold = Find(cur->parent);
        if (!hold) return false;
        cur = hold.get();
    }
}

int HandlerDepth() { return handlerDepth; }

LResult CallProc(const WindowPtr& w, uint32_t message, WParam wParam, LParam lParam) {
    if (!w || !w->proc) return 0;
    DepthGuard depth;
    return w->proc(w->hwnd, message, wParam, lParam);
}

void WakeLocked() {
    ++ui.wakeSerial;
    cv.notify_all();
    const Backend& backend = CurrentBackend();
    if (backend.wake) backend.wake();
}

bool OnProgramThread() { return ui.harness && std::this_thread::get_id() == ui.programThread; }

void CheckAbort() {
    bool abort;
    {
        std::lock_guard<std::mutex> lock(mutex);
        abort = ui.abort && OnProgramThread();
    }
    if (abort) throw HarnessAbort();
}

}  // namespace pl::detail
