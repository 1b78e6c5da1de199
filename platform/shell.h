// The handheld shell's calls that the program makes: dialog initialisation,
// full-screen states, input-panel (soft keyboard) states, the activation and
// setting-change handlers and the input-dialog hook. Our screen has no task
// bar, start icon or input panel, so each call only does what the screen
// needs (sizing a dialog to the work area) and is recorded in a log that
// tests read. The work area is the screen less a task-bar strip of
// 26 x scale pixels at the top, as the handheld's was, so a form that adds
// that strip back to its height fills the screen.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/types.h"

namespace pl {

// Dialog initialisation flags.
constexpr uint32_t SHIDIF_DONEBUTTON = 0x0001;
constexpr uint32_t SHIDIF_SIZEDLG = 0x0002;
constexpr uint32_t SHIDIF_SIZEDLGFULLSCREEN = 0x0004;
constexpr uint32_t SHIDIF_SIPDOWN = 0x0008;
constexpr uint32_t SHIDIF_FULLSCREENNOMENUBAR = 0x0010;

// Full-screen states.
constexpr uint32_t SHFS_SHOWTASKBAR = 0x0001;
constexpr uint32_t SHFS_HIDETASKBAR = 0x0002;
constexpr uint32_t SHFS_SHOWSIPBUTTON = 0x0004;
constexpr uint32_t SHFS_HIDESIPBUTTON = 0x0008;
constexpr uint32_t SHFS_SHOWSTARTICON = 0x0010;
constexpr uint32_t SHFS_HIDESTARTICON = 0x0020;

// Input-panel states.
constexpr int SIP_UP = 0;
constexpr int SIP_DOWN = 1;
constexpr int SIP_FORCEDOWN = 2;
constexpr int SIP_UNCHANGED = 3;
constexpr int SIP_INPUTDIALOG = 4;

// The activation record the program keeps per window; `size` must be 12.
struct ShActivateInfo {
    uint32_t size = 12;
    Hwnd lastFocus = nullptr;
    uint32_t flags = 0;
};

// Sizes the dialog to the work area for the sizing flags (the full width;
// from the task-bar strip down to the bottom, or to the top of a menu bar of
// the same height without SHIDIF_FULLSCREENNOMENUBAR); SHIDIF_SIPDOWN puts
// the input panel down. False for an invalid window.
bool ShInitDialog(Hwnd dialog, uint32_t flags);
// Shows or hides the task bar, input-panel button and start icon (bits above).
bool ShFullScreen(Hwnd hwnd, uint32_t state);
// Sets the input panel's state (SIP_*).
bool ShSipPreference(Hwnd hwnd, int state);
// The shell's handling of WM_ACTIVATE and WM_SETTINGCHANGE: true when the
// record is valid (its size is 12); on activation it remembers the focus.
bool ShHandleWmActivate(Hwnd hwnd, WParam wParam, LParam lParam, ShActivateInfo* info, uint32_t flags);
bool ShHandleWmSettingChange(Hwnd hwnd, WParam wParam, LParam lParam, ShActivateInfo* info);
// The input-dialog hook that sees every message of an input dialog first; it
// is recorded once per dialog, at WM_INITDIALOG.
void ShInputDialog(Hwnd hwnd, uint32_t message, WParam wParam);

// Height of the task-bar strip and of a menu bar: 26 x (pixels per inch / 96),
// truncated.
int ShellBarHeight();

struct ShellCall {
    std::string call;  // "InitDialog", "FullScreen", "SipPreference", "HandleActivate",
                       // "HandleSettingChange", "InputDialog", "CreateMenuBar"
    Hwnd hwnd = nullptr;
    int64_t value = 0;  // flags, state, wParam or resource id
};

struct ShellState {
    bool taskBarShown = true;
    bool sipButtonShown = true;
    bool startIconShown = true;
    int sipState = SIP_DOWN;
};

std::vector<ShellCall> ShellCallLog();
ShellState GetShellState();
// Records a call (the menu bar records its creation here too).
void RecordShellCall(const std::string& call, Hwnd hwnd, int64_t value);
// Empties the log and restores the start state (tests).
void ResetShell();

}  // namespace pl
