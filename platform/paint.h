// Painting: the invalid region of each window, WM_PAINT, and begin/end paint.
// WM_PAINT is made by the message queue when nothing else is waiting, for a
// visible window whose invalid region is not empty.
#pragma once

#include "platform/dc.h"
#include "platform/types.h"

namespace pl {

struct PaintStruct {
    Hdc hdc = nullptr;
    bool erase = false;  // the background still needs erasing (WM_ERASEBKGND returned 0)
    Rect paint;          // bounds of the area being painted, client coordinates
};

// Adds a rectangle (client coordinates; null: the whole client area) to the
// invalid region; `erase` asks for WM_ERASEBKGND at the next BeginPaint.
bool Invalidate(Hwnd hwnd, const Rect* rect, bool erase);
// Removes a rectangle (null: everything) from the invalid region.
bool Validate(Hwnd hwnd, const Rect* rect);
// Bounds of the invalid region; false when it is empty.
bool GetUpdateRect(Hwnd hwnd, Rect* out);
// Paints at once: sends WM_PAINT when the window is visible and has an invalid region.
bool UpdateNow(Hwnd hwnd);

// Paints at once every visible window with an invalid region, the bottom one
// first, except a window whose own paint is running (it is painted later, as
// usual). Closing a box, a modal dialog, a menu or a popup list calls it, so
// that what they covered is back before the next input is read.
void PaintInvalidNow();

// Invalidates every window entirely, with erasing (after the system colours or
// the screen changed).
void InvalidateAllWindows();

// Takes the invalid region (the window becomes valid), gets the window's device
// context and, when erasing was asked for, sends WM_ERASEBKGND with it.
Hdc BeginPaint(Hwnd hwnd, PaintStruct* ps);
bool EndPaint(Hwnd hwnd, const PaintStruct* ps);

// The default WM_ERASEBKGND fill, installed by the graphics side: fills `rect`
// (client coordinates) of the context with the class background brush.
using BackgroundFill = void (*)(Hdc dc, const Rect& rect, const void* brush);
void SetBackgroundFill(BackgroundFill fill);

}  // namespace pl
