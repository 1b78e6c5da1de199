#include "platform/input.h"

#include <cctype>
#include <deque>

#include "platform/backend.h"
#include "platform/core_internal.h"
#include "platform/focus.h"
#include "platform/messages.h"
#include "platform/window.h"

namespace pl {
namespace {

std::deque<InputEvent> feed;
bool asyncDown[256];
bool syncDown[256];
Point cursor;
// A key held for a number of polls of its state.
struct Hold {
    int vk = 0;
    int remaining = 0;
} hold;

// The stylus message for a window: to the capture window, else to the window
// under the stylus; nothing for a disabled window or where there is none.
bool PointerMessage(uint32_t id, Point pos, Msg* m) {
    Hwnd target = GetCapture();
    if (!target) {
        target = WindowFromPoint(pos);
        if (!target || !IsWindowEnabled(target)) return false;
    }
    detail::WindowPtr w = detail::Find(target);
    if (!w) return false;
    if (id == WM_LBUTTONDBLCLK && !(w->classStyle & CS_DBLCLKS)) id = WM_LBUTTONDOWN;
    Rect r = detail::ScreenRectOf(*w);
    *m = Msg{target, id, asyncDown[VK_LBUTTON] ? MK_LBUTTON : 0u, MakeLParam(pos.x - r.left, pos.y - r.top), 0, pos};
    return true;
}

bool KeyMessage(uint32_t id, const InputEvent& e, bool wasDown, Msg* m) {
    Hwnd target = detail::KeyTarget();
    if (!target || !IsWindow(target)) return false;
    uint32_t l = 1u | (static_cast<uint32_t>(e.character) << 16);
    if (wasDown) l |= KEY_PREVIOUS_DOWN;
    if (id == WM_KEYUP) l = 1u | KEY_PREVIOUS_DOWN | KEY_RELEASED;
    *m = Msg{target, id, static_cast<WParam>(e.vk), static_cast<LParam>(l), 0, cursor};
    return true;
}

// Applies the event to the asynchronous state and makes its message, if any.
bool MakeMessage(const InputEvent& e, Msg* m) {
    int vk = e.vk & 0xFF;
    switch (e.kind) {
    case InputKind::PenDown:
        asyncDown[VK_LBUTTON] = true;
        cursor = e.pos;
        return PointerMessage(e.doubleTap ? WM_LBUTTONDBLCLK : WM_LBUTTONDOWN, e.pos, m);
    case InputKind::PenMove:
        cursor = e.pos;
        return asyncDown[VK_LBUTTON] && PointerMessage(WM_MOUSEMOVE, e.pos, m);
    case InputKind::PenUp:
        asyncDown[VK_LBUTTON] = false;
        cursor = e.pos;
        return PointerMessage(WM_LBUTTONUP, e.pos, m);
    case InputKind::KeyDown: {
        bool wasDown = asyncDown[vk];
        asyncDown[vk] = true;
        hold = {vk, e.holdPolls};
        return KeyMessage(WM_KEYDOWN, e, wasDown, m);
    }
    case InputKind::KeyUp:
        asyncDown[vk] = false;
        if (hold.vk == vk) hold = {};
        return KeyMessage(WM_KEYUP, e, true, m);
    }
    return false;
}

}  // namespace

void FeedInput(const InputEvent& event) { FeedInput(std::vector<InputEvent>{event}); }

void FeedInput(const std::vector<InputEvent>& events) {
    std::lock_guard<std::mutex> lock(detail::Mutex());
    feed.insert(feed.end(), events.begin(), events.end());
    detail::WakeLocked();
}

int16_t GetAsyncKeyState(int vk) {
    detail::CheckAbort();
    PumpBackendInput();
    vk &= 0xFF;
    std::unique_lock<std::mutex> lock(detail::Mutex());
    if (hold.remaining > 0 && hold.vk == vk && asyncDown[vk]) {
        --hold.remaining;
        detail::Ui().emptyPolls = 0;
    } else if (!detail::InputMessageWaitingLocked() && detail::MoveFedEventLocked(true)) {
        detail::Ui().emptyPolls = 0;
    } else if (detail::CountEmptyPollLocked()) {
        detail::ParkLocked(lock, detail::ParkKind::Poll, detail::Filter{});
        if (!detail::InputMessageWaitingLocked()) detail::MoveFedEventLocked(true);
    }
    return asyncDown[vk] ? static_cast<int16_t>(0x8000) : 0;
}

int16_t GetKeyState(int vk) {
    std::lock_guard<std::mutex> lock(detail::Mutex());
    return syncDown[vk & 0xFF] ? static_cast<int16_t>(0x8000) : 0;
}

bool IsStylusDown() {
    std::lock_guard<std::mutex> lock(detail::Mutex());
    return asyncDown[VK_LBUTTON];
}

bool GetCursorPos(Point* out) {
    std::lock_guard<std::mutex> lock(detail::Mutex());
    *out = cursor;
    return true;
}

unsigned char CharacterOfKey(int vk) {
    if (vk >= 'A' && vk <= 'Z') return static_cast<unsigned char>(vk - 'A' + 'a');
    if (vk >= '0' && vk <= '9') return static_cast<unsigned char>(vk);
    switch (vk) {
    case VK_SPACE: return ' ';
    case VK_RETURN: return '\r';
    case VK_BACK: return '\b';
    case VK_TAB: return '\t';
    case VK_ESCAPE: return 27;
    default: return 0;
    }
}

int KeyOfCharacter(unsigned char c) {
    if (std::isalpha(c) && c < 128) return std::toupper(c);
    if (c >= '0' && c <= '9') return c;
    switch (c) {
    case ' ': return VK_SPACE;
    case '\r':
    case '\n': return VK_RETURN;
    case '\b': return VK_BACK;
    case '\t': return VK_TAB;
    case 27: return VK_ESCAPE;
    case ';':
    case ':': return 0xBA;
    case '=':
    case '+': return 0xBB;
    case ',': return 0xBC;
    case '-': return 0xBD;
    case '.': return 0xBE;
    case '/': return 0xBF;
    default: return 0;
    }
}

void ResetInput() {
    std::lock_guard<std::mutex> lock(detail::Mutex());
    detail::ResetInputLocked();
}

namespace detail {

bool PollCanTakeLocked(bool byPoll) {
    if (feed.empty()) return false;
    const InputEvent& e = feed.front();
    return !(byPoll && e.kind == InputKind::KeyUp && hold.vk == (e.vk & 0xFF) && hold.remaining > 0);
}

bool MoveFedEventLocked(bool byPoll) {
    if (!PollCanTakeLocked(byPoll)) return false;
    InputEvent e = feed.front();
    feed.pop_front();
    Msg m;
    if (MakeMessage(e, &m)) PushInputLocked(m);
    return true;
}

void OnInputMessageTakenLocked(const Msg& m) {
    switch (m.id) {
    case WM_KEYDOWN: syncDown[m.wParam & 0xFF] = true; break;
    case WM_KEYUP: syncDown[m.wParam & 0xFF] = false; break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: syncDown[VK_LBUTTON] = true; break;
    case WM_LBUTTONUP: syncDown[VK_LBUTTON] = false; break;
    default: break;
    }
}

Point CursorLocked() { return cursor; }

void ResetInputLocked() {
    feed.clear();
    for (int i = 0; i < 256; ++i) asyncDown[i] = syncDown[i] = false;
    cursor = {};
    hold = {};
}

}  // namespace detail
}  // namespace pl
