// The main window's commands: the menu items, Ctrl+Q, and the private
// commands that open a form (9900) and report a resume (9901).
#pragma once

#include "platform/types.h"

// WM_COMMAND of the main window (the command in the low word of wParam).
pl::LResult HandleMenuCommand(pl::Hwnd hwnd, pl::WParam wParam, pl::LParam lParam);

// The form a menu command opens, 0 when the command opens none directly.
int FormOfMenuCommand(int command);
