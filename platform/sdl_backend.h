// The window backend: an SDL2 window showing the screen's framebuffer, each
// pixel as zoom x zoom pixels, and the person's input turned into the
// raw-input feed. The left mouse button is the stylus (moves count only while
// it is held); arrows, Page Up/Down, Enter, Backspace, Delete, Home, End and
// Escape are their keys; F1 to F4 are the handheld's hardware keys 0xC1 to
// 0xC4; Ctrl with a letter gives that key with Control held (accelerators);
// typed text gives its characters. Closing the window posts the close command
// (SetCloseCommand), so the program shuts down in its own order. Sounds play
// through SDL audio when there is a device, and the wait cursor shows.
#pragma once

#include <string>

#include "platform/types.h"

namespace pl {

// True when a display server or an SDL video driver is named in the
// environment (DISPLAY, WAYLAND_DISPLAY or SDL_VIDEODRIVER).
bool DisplayNamed();

// Opens the window for the present screen and makes it the backend, on the
// UI thread. False when no display is named or none can be opened (the
// program then stays on the headless backend) or SDL fails; nothing is
// changed then, and `reason` (when given) says why.
bool StartSdlBackend(int zoom, std::string* reason = nullptr);
// Closes the window and puts the headless backend back (SDL stays loaded).
void StopSdlBackend();
bool SdlBackendRunning();

// ZENDAVORI_ZOOM when it is a whole number 1..8, else 1.
int ZoomFromEnvironment();
// The same into `zoom`; false when the variable is set to anything else.
bool ZoomFromEnvironment(int* zoom);

// What closing the window does: WM_COMMAND with `command` posted to `window`;
// without a valid window, the quit message.
void SetCloseCommand(Hwnd window, int command);

// The SDL window (an SDL_Window*), for tests; null when not running.
void* SdlWindowHandle();

}  // namespace pl
