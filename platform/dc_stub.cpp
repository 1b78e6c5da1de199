// Placeholder until the graphics side provides window device contexts.
#include "platform/dc.h"

namespace pl {

Hdc GetDC(Hwnd) { return nullptr; }

int ReleaseDC(Hwnd, Hdc) { return 1; }

}  // namespace pl
