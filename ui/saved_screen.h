// The back buffer of the current form (`offscreenSaved`): a 16-bit DIB copy of
// the draw window that later paints put back.
#pragma once

#include "ui/draw_window.h"

// Copies the draw context into the back buffer, of the draw window's client
// size: the buffer is reused when it has that size, else made anew (filled
// with the background first). "Failed to allocate offscreenSaved" when it
// cannot be made.
void SaveScreen();

// Copies the back buffer to the draw context at (0, 0): the client width, and
// the client height less `bottomStrip`. Nothing when there is none.
void RestoreSavedScreen(int bottomStrip);

// Deletes the back buffer.
void FreeSavedScreen();

// The back buffer, or null.
DrawWindowRecord* GetSavedScreen();
