// The program's entry, its one main window and the message loop. The main
// window owns every form, receives the menu commands and the private form
// command, and runs the shut-down when the program quits.
#pragma once

#include "platform/shell.h"
#include "platform/types.h"

// The shell's activation record of the main window.
extern pl::ShActivateInfo activateInfo;

// What a start in a program folder another instance holds says, and its
// exit status.
inline constexpr const char kAlreadyRunningText[] = "Zendavori is already running for this folder.";
constexpr int kAlreadyRunningExit = 1;

// Starts the program: InitInstance, then the message loop until the quit
// message; returns its code (0 when start-up failed, kAlreadyRunningExit
// when another instance runs).
int WinMain(void* instance, void* previous, const char* commandLine, int showCommand);

// Single-instance test, main window, display scale, application state, and
// the home form requested. False when another instance runs or the start-up
// failed. Another instance in this process is brought to the front; one in
// another process cannot be, so with a window backend kAlreadyRunningText is
// shown in a box.
bool InitInstance(void* instance, int showCommand);

pl::LResult MainWndProc(pl::Hwnd hwnd, uint32_t message, pl::WParam wParam, pl::LParam lParam);
