// A long popup list opened, scrolled and picked from as a person does it: on
// its scroll bar and with the Page keys, then a tap on a row.
#pragma once

#include "platform/harness.h"
#include "platform/types.h"

// Opens the popup `list` with a tap on `trigger`; Page Down, Page Up and Page
// Down move the selected row and the first shown row a page each; a tap on the
// down arrow, the up arrow and the trough move the first shown row by one, one
// back and a page, and a drag of the thumb to the track's middle shows the
// middle rows, the selection kept. The popup stays open throughout (checked as
// test expectations) and closes on a tap on the middle row, which is returned.
int ScrollAndPick(pl::Harness& harness, pl::Hwnd trigger, pl::Hwnd list);
