// The application's windows as the UI layer sees them: the main window (owner
// of every form), the accelerator table the nested message loops consult, and
// the id of the form being opened or open. The window that message boxes and
// control accessors address as the active form is in ui/current_form.h.
#pragma once

#include "platform/accelerators.h"
#include "platform/types.h"
#include "ui/current_form.h"

extern pl::Hwnd mainWindow;
extern pl::Haccel accelTable;

// The id of the form being opened or open.
void SetCurrentFormId(int formId);
int GetCurrentFormId();

// Forgets the windows and ids (tests, and after the main window is gone).
void ResetShellState();
