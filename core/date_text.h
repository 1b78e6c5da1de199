// Dates as the user's locale orders them.
#pragma once

#include <cstddef>

// 2 when the locale's short date begins with the year (1 December 2007 written
// with its short date pattern starts with "2"), else 5. Found on first use.
int GetDateFieldOrder();

// "%02d/%02d/%04d" of (first, second, year), or of (second, first, year) when
// the field order is 1, 2 or 3; cut to fit `size` bytes.
void FormatDate(char* destination, std::size_t size, int first, int second, int year);

// "%02d/%02d/%02d" with the year modulo 100, the fields ordered as FormatDate orders them.
void FormatDateShort(char* destination, std::size_t size, int first, int second, int year);

// Reads "a/b/c" (decimal fields, ParseInt each; a missing field is 0) into
// first, second and year, the first two exchanged by the same rule. A field
// beyond the 32-bit range is held at the range's end, which no date takes.
void ParseDate(const char* text, int* first, int* second, int* year);

// Forgets the field order found, so that the next use looks again (tests).
void ResetDateFieldOrder();
