// The message queue of the UI thread. A message request takes, in this order:
// a message sent from another thread (handled at once, not returned), a posted
// message, one event of the raw-input feed (turned into its message), the quit
// message, WM_PAINT for a window with an invalid region, WM_TIMER of a due timer.
#pragma once

#include <cstdint>
#include <functional>

#include "platform/types.h"

namespace pl {

constexpr uint32_t PM_NOREMOVE = 0;
constexpr uint32_t PM_REMOVE = 1;

// Waits for a message for `hwnd` or its descendants (null: any) whose id lies
// in [first, last] (0, 0: any) and removes it. Returns 0 for WM_QUIT (its
// wParam is the exit code), -1 for an invalid window, else 1. The quit message
// is taken only by a request whose range includes it.
int GetMessage(Msg* msg, Hwnd hwnd, uint32_t first, uint32_t last);
// Like GetMessage without waiting; false when nothing is there.
bool PeekMessage(Msg* msg, Hwnd hwnd, uint32_t first, uint32_t last, uint32_t flags);
// Waits until a message is there.
void WaitMessage();
// Posts WM_CHAR after a key-down that types a character; true when it did.
bool TranslateMessage(const Msg* msg);
// Calls the procedure of the message's window; 0 for a dropped message.
LResult DispatchMessage(const Msg* msg);

// Queues a message (any thread). A null window makes a message for the thread.
// False when the window is invalid.
bool PostMessage(Hwnd hwnd, uint32_t message, WParam wParam, LParam lParam);
// Calls the window's procedure and returns its result; from another thread the
// call is made by the UI thread when it next takes messages, and this waits.
// 0 for an invalid window.
LResult SendMessage(Hwnd hwnd, uint32_t message, WParam wParam, LParam lParam);
// Sends the message to every top-level window.
void SendBroadcast(uint32_t message, WParam wParam, LParam lParam);
// Asks the message loop to end: WM_QUIT with the code comes after every
// posted message.
void PostQuitMessage(int exitCode);
// Runs `call` on the thread that next takes messages (the UI thread), before
// posted messages. Any thread; does not wait.
void RunOnUiThread(std::function<void()> call);

// A nested message loop (modal dialogs, message boxes): takes, translates and
// dispatches until *done becomes true. When it takes the quit message it posts
// it again, so the outer loops end too, and returns false.
bool RunModalLoop(const bool* done);

// Empties the queue, the pending quit and the sent messages (tests).
void ResetMessageQueue();

}  // namespace pl
