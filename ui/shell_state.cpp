#include "ui/shell_state.h"

pl::Hwnd mainWindow = nullptr;
pl::Haccel accelTable = nullptr;

namespace {
pl::Hwnd currentFormWindow = nullptr;
int currentFormId = 0;
}  // namespace

pl::Hwnd GetCurrentFormWindow() { return currentFormWindow; }
void SetCurrentFormWindow(pl::Hwnd window) { currentFormWindow = window; }

pl::Hwnd SwapCurrentFormWindow(pl::Hwnd window) {
    pl::Hwnd previous = currentFormWindow;
    currentFormWindow = window;
    return previous;
}

void SetCurrentFormId(int formId) { currentFormId = formId; }
int GetCurrentFormId() { return currentFormId; }

void ResetShellState() {
    mainWindow = nullptr;
    accelTable = nullptr;
    currentFormWindow = nullptr;
    currentFormId = 0;
}
