// The message handling that the finder, the criteria form and the observing
// list share: control commands run with the form as the draw window, closing,
// activation and a changed screen.
#pragma once

#include <cstdint>

#include "platform/shell.h"
#include "platform/types.h"

// What a form gives the shared handling.
struct FormRoutines {
    pl::Hwnd* window;                  // the form's window, forgotten when it is destroyed
    pl::ShActivateInfo* activateInfo;  // its activation record
    void (*release)(pl::Hwnd form);    // releases its registered controls
    void (*command)(int id);           // the action of a control, list or key
};

// Runs a command with the form as the current draw window; what it drew is
// kept as the form's back buffer unless the command left the form.
void RunFormCommand(pl::Hwnd form, int id, void (*command)(int));

// WM_COMMAND (the close command 9502 releases the controls and destroys the
// form; a list's choice runs its list id, any other its control id),
// WM_CLOSE, WM_ACTIVATE, WM_ERASEBKGND and WM_SETTINGCHANGE (after a display
// change the display scale and layout multiplier are measured again, so the
// form built anew fits the new screen). True with *result for a message it
// handled.
bool HandleCommonFormMessage(pl::Hwnd form, uint32_t message, pl::WParam wParam, pl::LParam lParam,
                             const FormRoutines& routines, pl::LResult* result);
