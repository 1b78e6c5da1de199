// The window that message boxes, modal dialogs and the form routines address
// as the active form. Forms set it when they are activated and when a modal
// dialog returns.
#pragma once

#include "platform/types.h"

pl::Hwnd GetCurrentFormWindow();
void SetCurrentFormWindow(pl::Hwnd window);
// Sets it and returns the previous one.
pl::Hwnd SwapCurrentFormWindow(pl::Hwnd window);
