// Dialogs made from the dialog templates of the resources (platform/resources.h).
// A dialog is a top-level window owned by `owner` whose controls are created
// from the template, in order, before it gets WM_INITDIALOG; then it is shown.
// Template units become pixels as round(units x 1.75 x scale) on each axis,
// scale being the screen's pixels per inch over 96. A modeless dialog lives
// until destroyed; a modal one runs its own message loop with its owner
// disabled until EndDialog, and gives back the EndDialog value.
#pragma once

#include <string>

#include "platform/types.h"

namespace pl {

// A dialog procedure: a non-zero result means the message was handled and is
// the message's result; 0 leaves it to the default dialog handling. For
// WM_INITDIALOG (wParam: the first control that can take the focus; lParam:
// the creation value) a non-zero result gives that control the focus.
using DlgProc = LResult (*)(Hwnd dialog, uint32_t message, WParam wParam, LParam lParam);

// Command ids of the standard buttons (and message-box answers).
constexpr int IDOK = 1;
constexpr int IDCANCEL = 2;
constexpr int IDYES = 6;
constexpr int IDNO = 7;

inline constexpr const char* kDialogClass = "Dialog";

// A modeless dialog from template `templateId`; null when there is no such
// template or its creation failed.
Hwnd CreateDialog(int templateId, Hwnd owner, DlgProc proc, LParam param = 0);

// Runs a modal dialog: the owner's top-level window is disabled while it runs
// and activated again afterwards. Returns the EndDialog value; -1 when there
// is no such template; 0 when the loop ended by the quit message (which is
// posted again) or the dialog was destroyed without EndDialog.
int DialogBox(int templateId, Hwnd owner, DlgProc proc, LParam param = 0);

// Ends a modal dialog with `result` (a modeless dialog is destroyed). False
// when the window is not a dialog.
bool EndDialog(Hwnd dialog, int result);

bool IsDialog(Hwnd hwnd);
// True while a modal dialog runs its loop.
bool IsModalDialog(Hwnd hwnd);

// Template units to pixels on the present screen.
int DialogUnitsToPixelsX(int units);
int DialogUnitsToPixelsY(int units);

// Short forms for a dialog's controls.
bool SetDlgItemText(Hwnd dialog, int id, const std::string& text);
std::string GetDlgItemText(Hwnd dialog, int id);
LResult SendDlgItemMessage(Hwnd dialog, int id, uint32_t message, WParam wParam, LParam lParam);
bool CheckDlgButton(Hwnd dialog, int id, bool checked);
bool IsDlgButtonChecked(Hwnd dialog, int id);

}  // namespace pl
