#include "ui/current_form.h"

namespace {

pl::Hwnd currentFormWindow = nullptr;

}  // namespace

pl::Hwnd GetCurrentFormWindow() { return currentFormWindow; }

void SetCurrentFormWindow(pl::Hwnd window) { currentFormWindow = window; }

pl::Hwnd SwapCurrentFormWindow(pl::Hwnd window) {
    pl::Hwnd previous = currentFormWindow;
    currentFormWindow = window;
    return previous;
}
