#include "platform/shell.h"

#include <mutex>

#include "platform/focus.h"
#include "platform/messages.h"
#include "platform/screen.h"
#include "platform/window.h"

namespace pl {
namespace {

std::mutex shellMutex;
std::vector<ShellCall> shellLog;
ShellState shellState;

void SetShown(bool* shown, uint32_t state, uint32_t showBit, uint32_t hideBit) {
    if (state & showBit) *shown = true;
    if (state & hideBit) *shown = false;
}

bool ValidInfo(const ShActivateInfo* info) { return info && info->size == 12; }

}  // namespace

int ShellBarHeight() { return static_cast<int>(26.0 * GetScreenInfo().dpi / 96.0); }

void RecordShellCall(const std::string& call, Hwnd hwnd, int64_t value) {
    std::lock_guard<std::mutex> lock(shellMutex);
    shellLog.push_back({call, hwnd, value});
}

bool ShInitDialog(Hwnd dialog, uint32_t flags) {
    RecordShellCall("InitDialog", dialog, flags);
    if (!IsWindow(dialog)) return false;
    if (flags & (SHIDIF_SIZEDLG | SHIDIF_SIZEDLGFULLSCREEN | SHIDIF_FULLSCREENNOMENUBAR)) {
        ScreenInfo screen = GetScreenInfo();
        int bar = ShellBarHeight();
        int bottom = (flags & SHIDIF_FULLSCREENNOMENUBAR) ? screen.height : screen.height - bar;
        SetWindowPos(dialog, nullptr, 0, bar, screen.width, bottom - bar, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if (flags & SHIDIF_SIPDOWN) {
        std::lock_guard<std::mutex> lock(shellMutex);
        shellState.sipState = SIP_DOWN;
    }
    return true;
}

bool ShFullScreen(Hwnd hwnd, uint32_t state) {
    RecordShellCall("FullScreen", hwnd, state);
    std::lock_guard<std::mutex> lock(shellMutex);
    SetShown(&shellState.taskBarShown, state, SHFS_SHOWTASKBAR, SHFS_HIDETASKBAR);
    SetShown(&shellState.sipButtonShown, state, SHFS_SHOWSIPBUTTON, SHFS_HIDESIPBUTTON);
    SetShown(&shellState.startIconShown, state, SHFS_SHOWSTARTICON, SHFS_HIDESTARTICON);
    return true;
}

bool ShSipPreference(Hwnd hwnd, int state) {
    RecordShellCall("SipPreference", hwnd, state);
    if (state < SIP_UP || state > SIP_INPUTDIALOG) return false;
    std::lock_guard<std::mutex> lock(shellMutex);
    if (state != SIP_UNCHANGED) shellState.sipState = state;
    return true;
}

bool ShHandleWmActivate(Hwnd hwnd, WParam wParam, LParam, ShActivateInfo* info, uint32_t) {
    RecordShellCall("HandleActivate", hwnd, static_cast<int64_t>(wParam));
    if (!ValidInfo(info)) return false;
    if (LoWord(wParam) != WA_INACTIVE) info->lastFocus = GetFocus();
    return true;
}

bool ShHandleWmSettingChange(Hwnd hwnd, WParam wParam, LParam, ShActivateInfo* info) {
    RecordShellCall("HandleSettingChange", hwnd, static_cast<int64_t>(wParam));
    return ValidInfo(info);
}

void ShInputDialog(Hwnd hwnd, uint32_t message, WParam) {
    if (message == WM_INITDIALOG) RecordShellCall("InputDialog", hwnd, 0);
}

std::vector<ShellCall> ShellCallLog() {
    std::lock_guard<std::mutex> lock(shellMutex);
    return shellLog;
}

ShellState GetShellState() {
    std::lock_guard<std::mutex> lock(shellMutex);
    return shellState;
}

void ResetShell() {
    std::lock_guard<std::mutex> lock(shellMutex);
    shellLog.clear();
    shellState = ShellState{};
}

}  // namespace pl
