// Forms: one modeless dialog at a time, made from the dialog template whose
// number is the form number and owned by the main window. Switching closes the
// open form and posts the private command that makes the main window open the
// next one; a short history of forms serves the Back and Done commands. The
// helpers here are the steps every form's dialog procedure follows.
#pragma once

#include "platform/dc.h"
#include "platform/shell.h"
#include "platform/types.h"

// Private commands and messages of the program.
constexpr int kCmdOpenForm = 9900;     // WM_COMMAND to the main window, lParam = form number
constexpr int kCmdPowerResume = 9901;  // WM_COMMAND to the main window from the power thread
constexpr int kCmdCloseForm = 9502;    // WM_COMMAND sent to the open form: release and destroy yourself
constexpr uint32_t kMsgEditField = 9500;  // to a form from a tap-to-edit field, wParam = field id

constexpr int kHomeFormId = 1950;
constexpr int kFormHistorySize = 7;

// Shell full-screen states: hide the task bar, the input-panel button and the
// start icon (42); show the task bar and the start icon (17, at exit).
constexpr uint32_t kFullScreenHide = pl::SHFS_HIDETASKBAR | pl::SHFS_HIDESIPBUTTON | pl::SHFS_HIDESTARTICON;
constexpr uint32_t kFullScreenRestore = pl::SHFS_SHOWTASKBAR | pl::SHFS_SHOWSTARTICON;

// The seven forms opened last: entry 0 the oldest, entry 6 the newest.
extern int formHistory[kFormHistorySize];

// The open form's window (null when none is open); set by InitTitle.
pl::Hwnd GetCurrentFormDialog();
void SetCurrentFormDialog(pl::Hwnd form);

// Closes the open form and opens form `formId` when the message loop next runs.
// A form that will be refused (FormCanOpen) leaves the open form as it is:
// only the refusal shows, above it.
void GotoForm(int formId);

// Hides the open form, shows the bare main window filling the screen and sends
// the form the close command 9502. Nothing when no form is open.
void CloseCurrentForm();

// Destroys the open form; control ids still registered are listed ("%d " each)
// in the "Information" box, and the registry is emptied.
void DestroyCurrentForm();

// Pushes a form on the history and makes it the last form (preference word
// 139): 1950 fills all seven entries; another form not yet in the history
// becomes entry 6 (entries 2..6 move down to 1..5, entry 0 stays); a form
// already in it changes nothing.
void PushFormHistory(int formId);
// PushFormHistory, except that a form already in the history leaves its older
// place (the entries after it move down one) and becomes entry 6: the form
// that opens it and every form it opens then come back to the right place.
void PushFormHistoryNewest(int formId);
// Entry 5: the form shown before the current one.
int GetPreviousFormId();
// Entries 0..5 move up to 1..6; entry 0 becomes 1950.
void PopFormHistory();
// Opens entry 5 after a pop.
void GoBackToPreviousForm();

// The start of every form's WM_INITDIALOG: the shell's dialog initialisation
// with `initFlags`, full screen, and the form sized to its client area plus
// the task-bar strip (26 x scaleX) at the origin.
void InitFormWindow(pl::Hwnd form, uint32_t initFlags);
// The form at the origin with its client width and client height + 26 x scaleX,
// shown, then full screen.
void ResizeFormToScreen(pl::Hwnd form);

// WM_ACTIVATE of a form: the shell's handler; when it accepts and the form is
// being activated, the form becomes the active form window and, unless
// `noResize` is set, is sized to the screen and takes the focus.
void HandleFormActivate(pl::Hwnd form, pl::WParam wParam, pl::LParam lParam, pl::ShActivateInfo* info,
                        int noResize);

// WM_SETTINGCHANGE of a form: after a display change (12290) the open form is
// built again; then the shell's handler.
void HandleFormSettingChange(pl::Hwnd form, pl::WParam wParam, pl::LParam lParam, pl::ShActivateInfo* info);

// WM_PAINT of a form: the first paint (flag 1) fills the form, calls `draw`
// and keeps the result as the back buffer; later paints restore the back
// buffer less `bottomStrip` pixels, clearing the top strip (and the bottom
// strip when given). With `titleStrip` the line under the title is drawn.
// Afterwards the form is the current draw window with a context of its own.
void PaintForm(pl::Hwnd form, void (*draw)(), int* firstPaint, int bottomStrip, int titleStrip);

// Fills the line under the title (22 x scaleY to 24 x scaleY, full width) with
// the highlight brush.
void DrawTitleUnderline(pl::Hwnd form, pl::Hdc dc);

// The form's client area filled with the background and the line under its
// title drawn, through a context of its own (before a form draws itself anew).
void EraseFormBelowTitleLine(pl::Hwnd form);

// Forgets the open form and the history (tests).
void ResetForms();
