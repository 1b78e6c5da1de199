// An open popup list scrolled as a person does it, on its scroll bar and
// with the Page keys, for the tests of forms with long popups.
#pragma once

#include "platform/harness.h"
#include "platform/types.h"

// Screen points of a list's vertical scroll bar as it is drawn now: the
// middle of each arrow, of the thumb, of the trough under the thumb and of
// the whole track.
struct ScrollBarPoints {
    pl::Point up, down, thumb, troughBelow, trackMiddle;
};
ScrollBarPoints ScrollBarOf(pl::Hwnd list);

// With `list` open as a popup, scrolled to its first row: Page Down, Page
// Up, Page Down, a tap on the down arrow, one on the up arrow, one on the
// trough under the thumb and a drag of the thumb to the track's middle.
// Checks (as test expectations) that the popup stays open after each, that
// only the Page keys move the selected row (a page each), and that the first
// shown row moves by a page each key, one row down and up, a page (each as
// far as the last page allows), and to the middle of the rows (within what
// one pixel of the thumb covers). Returns the row shown in the middle of the
// list at the end.
int ScrollOpenPopup(pl::Harness& harness, pl::Hwnd list);
