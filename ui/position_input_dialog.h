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
// "Ok" with a coordinate that ReadPositionInput refuses keeps the dialog open.
int RunPositionInputDialog(pl::Hwnd owner, int equatorial, char* name, char* first, char* second, int* type);

// Reads the two coordinates as the dialog's fields take them (any angle text):
// right ascension from 0 h up to but not 24 h once rounded to a float (so
// "23:59:59.999" is refused) and declination -90 to 90 degrees, or (equatorial
// 0) azimuth 0 to 360 and altitude -90 to 90 degrees. False after one refusal
// box for the first text refused, *a and *b untouched.
bool ReadPositionInput(int equatorial, const char* first, const char* second, double* a, double* b);
