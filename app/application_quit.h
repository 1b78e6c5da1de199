// The program's quit, which the main window exports to the menu commands and
// the tests: they call it, and the main window (which calls the menu commands)
// owns it.
#pragma once

// Runs the shut-down (while the open form still exists) and destroys the main
// window; the message loop then ends with code 0.
void QuitApplication();
