// Accelerator tables: key combinations that give commands before the key
// reaches any window (the message loop asks first).
#pragma once

#include "platform/resources.h"
#include "platform/types.h"

namespace pl {

using Haccel = const AcceleratorTableTemplate*;

// The accelerator table resource `id`; null when there is none.
Haccel LoadAccelerators(int id);

// When `msg` is a key-down whose key and modifier keys (Shift, Control and Alt
// as GetKeyState sees them, all three compared) match an entry, sends
// WM_COMMAND with wParam = command | 1 << 16 and lParam 0 to `hwnd` and
// returns true: the key message is then not to be dispatched. False otherwise.
bool TranslateAccelerator(Hwnd hwnd, Haccel table, const Msg* msg);

}  // namespace pl
