#include "ui/shell_state.h"

pl::Hwnd mainWindow = nullptr;
pl::Haccel accelTable = nullptr;

namespace {
int currentFormId = 0;
}  // namespace

void SetCurrentFormId(int formId) { currentFormId = formId; }
int GetCurrentFormId() { return currentFormId; }

void ResetShellState() {
    mainWindow = nullptr;
    accelTable = nullptr;
    SetCurrentFormWindow(nullptr);
    currentFormId = 0;
}
