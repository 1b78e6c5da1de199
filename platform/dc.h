// Device contexts of windows. The graphics side defines DeviceContext and
// implements these; the window core only needs them for painting.
#pragma once

#include "platform/types.h"

namespace pl {

struct DeviceContext;
using Hdc = DeviceContext*;

// A device context for drawing into the window's client area, clipped to the
// window's visible region (VisibleRegion in platform/window.h). Released with ReleaseDC.
Hdc GetDC(Hwnd hwnd);
// Releases a context from GetDC; 1 when it was released.
int ReleaseDC(Hwnd hwnd, Hdc dc);

}  // namespace pl
