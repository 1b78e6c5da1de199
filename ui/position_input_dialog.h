// The position-input dialog (2950): a name, two coordinates and an object type.
#pragma once

#include "platform/types.h"

// Names and coordinates are cut to this many characters.
constexpr int kPositionTextLength = 14;

// Edits name, first and second (buffers of at least 15 bytes, used as the
// initial texts) over `owner`; `equatorial` labels the coordinates "RA" and
// "Dec", else "Az" and "Alt". After "Ok": the three buffers hold at most 14
// characters each, *type the shown row of the type list (0 "None" .. 7
// "Star"; kept from one call to the next), and 1. After "Cancel": 0 and the
// buffers untouched.
int RunPositionInputDialog(pl::Hwnd owner, int equatorial, char* name, char* first, char* second, int* type);
