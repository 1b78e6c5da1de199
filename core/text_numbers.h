// Small number and text helpers shared by every folder.
#pragma once

#include <cstddef>
#include <cstdint>

// Writes sin(angle) then cos(angle); angle in radians.
void SinCos(double angle, double* sine, double* cosine);

// Decimal integer: an optional '-' then an optional '+', digits up to the first
// other character. A null text or no digit gives 0. No blanks are skipped.
// A value beyond the int32_t range is held at its largest or smallest value
// and *fits (when given) is set false; otherwise *fits is set true.
int32_t ParseInt(const char* text, bool* fits = nullptr);

// Whether two names are the same but for the case of their ASCII letters and
// their blanks (spaces and tabs, wherever they stand): "m 42" is "M42".
bool SameNameCaseAndBlanksAside(const char* a, const char* b);

// Decimal number: leading blanks, an optional sign, digits, and a fraction after
// '.' or ','. No exponent. A null text or no digit gives 0.
double ParseDouble(const char* text);

// Writes value with exactly `decimals` fraction digits, rounded half up; a
// negative count means 6 and a count above 6 means 8. The text is cut to fit
// `size` bytes (always terminated). Magnitudes of 1e15 and more are written in
// exponent form, since their integer digits carry no information.
void DoubleToStr(char* buffer, std::size_t size, double value, int decimals);

// The value of the site's sky condition 0..4: 14, 19, 22, 24 or 29. An index
// outside 0..4 (which no writer stores) gives the default condition's 24.
int GetSkyConditionValue();

// `value` truncated toward zero into int32_t: beyond the type's range it is
// held at its largest or smallest value, and a value that is not a number
// gives 0 (a bare cast of either is undefined).
int32_t TruncateToInt32(double value);
