// A long popup list opened, scrolled and picked from as a person does it: on
// its scroll bar and with the Page keys, then a tap on a row.
#pragma once

#include "platform/harness.h"
#include "platform/types.h"

// Opens the popup `list` with a tap on `trigger`, then scrolls it: Page
// Down, Page Up, Page Down, a tap on the down arrow, one on the up arrow, one
// on the trough under the thumb and a drag of the thumb to the track's
// middle. Checks (as test expectations) that the popup stays open after each,
// that only the Page keys move the selected row (a page each), and that the
// first shown row moves by a page each key, one row down and up, a page (each
// as far as the last page allows), and to the middle of the rows (within what
// one pixel of the thumb covers). Then taps the row shown in the middle,
// checks that the popup closed, and returns that row.
int ScrollAndPick(pl::Harness& harness, pl::Hwnd trigger, pl::Hwnd list);
