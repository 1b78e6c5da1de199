// The keyboard focus, the stylus capture and the active window. Keys go to the
// focus window (else to the active window); stylus messages go to the capture
// window (else to the window under the stylus). The active window is the
// top-level window the user works in; the foreground window is the same one.
#pragma once

#include "platform/types.h"

namespace pl {

// Gives the focus to a window (null: to none). WM_KILLFOCUS goes to the old
// focus window, WM_SETFOCUS to the new one; a window in another top-level
// window activates that one first. A disabled or invalid window cannot take
// the focus: then nothing changes and the result is null. Else the previous
// focus window.
Hwnd SetFocus(Hwnd hwnd);
Hwnd GetFocus();

// Sends every stylus message to this window until released; the window that
// loses the capture gets WM_CAPTURECHANGED. Returns the previous capture window.
Hwnd SetCapture(Hwnd hwnd);
bool ReleaseCapture();
Hwnd GetCapture();

// Activates the top-level window that holds `hwnd` (null: none): WM_ACTIVATE
// with WA_INACTIVE to the old one, then WA_ACTIVE to the new one (the default
// handling gives it the focus). Returns the previous active window.
Hwnd SetActiveWindow(Hwnd hwnd);
Hwnd GetActiveWindow();
// Raises the top-level window that holds `hwnd` and activates it.
bool SetForegroundWindow(Hwnd hwnd);
Hwnd GetForegroundWindow();

}  // namespace pl
