// The one worker thread: it listens for power notifications and tells the
// main window when the device resumes (WM_COMMAND 9901, which is ignored).
#pragma once

#include <cstdint>

#include "platform/sync.h"
#include "platform/types.h"

// Created with the main window, closed when it is destroyed.
extern pl::Handle exitEvent;
extern pl::Handle powerThread;

// The thread's body (`mainWnd` is the main window): asks for power
// notifications on a message queue and waits on the queue and exitEvent; each
// resume notification posts WM_COMMAND 9901 to the main window. Ends with 0 when exitEvent is set, or
// at once when the queue or the registration cannot be made.
uint32_t PowerNotifyThread(void* mainWnd);

// Creates exitEvent and the thread for the main window; false (and no thread)
// when the event cannot be made.
bool StartPowerThread(pl::Hwnd mainWnd);

// Sets exitEvent, waits for the thread to end and closes both handles.
// Nothing when there is no event.
void StopPowerThread();

// True while the thread runs.
bool IsPowerThreadRunning();
