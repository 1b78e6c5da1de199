// The application's windows as the UI layer sees them: the main window (owner
// of every form), the accelerator table the nested message loops consult, and
// the window that message boxes, modal dialogs and control accessors address
// as the active form.
#pragma once

#include "platform/accelerators.h"
#include "platform/types.h"

extern pl::Hwnd mainWindow;
extern pl::Haccel accelTable;

// The active form window: forms set it when they initialise and are
// activated, and when a modal dialog returns.
pl::Hwnd GetCurrentFormWindow();
void SetCurrentFormWindow(pl::Hwnd window);
// Sets it and returns the previous one.
pl::Hwnd SwapCurrentFormWindow(pl::Hwnd window);

// The id of the form being opened or open.
void SetCurrentFormId(int formId);
int GetCurrentFormId();

// Forgets the windows and ids (tests, and after the main window is gone).
void ResetShellState();
