// Text forms of angles and times: the writers of right ascensions, hours and
// degrees in the display formats the user chose ("RA Format", "Dec Format"),
// and the parsers that read every written form and plain decimal numbers back.
//
// Text is Windows-1252 bytes; the degree sign is the single byte 0xB0.
// Format codes (preference words kPrefRaFormat and kPrefDecFormat, read at
// every call):
//   code  hours        degrees (D stands for the degree-sign byte)
//   0     "23.7500"    "-70.7500"
//   1     "23:45:00"   "-70:45:00"
//   2     "23h45m00"   "-70D45'00"
//   3     "23h45.0"    "-70D45.0"   (tenths of a minute)
// Every writer takes the caller's buffer with its size, never writes past it
// (the text is cut and always terminated) and returns the buffer. A value that
// is not finite is written as DoubleToStr writes it ("nan", "inf").
#pragma once

#include <cstddef>
#include <cstdint>

// Units of the integer writers: 292818 per degree (AngleFixToStr) or per hour
// (HmsFixToStr, a right-ascension Fix24Angle divided by 15); the Fix24Angle
// degree 2^24 pi / 180 to the nearest integer.
constexpr int32_t kFixUnitsPerDegree = 292818;

// Splits a sexagesimal text into three integer fields: degrees or hours,
// minutes, seconds (or day, month, year of a date). Leading blanks are skipped;
// any single character other than a digit or '.' ends a field; a '.' or a
// decimal comma after the minutes gives decimal minutes, whose whole seconds
// are c ("12:30.57" gives 12, 30, 34). Returns 1 for a sexagesimal text (a
// bare integer counts, with b = c = 0), 0 for an empty text or a plain
// decimal number ("12.5", "12,5"), which then keeps a = its integer part, and
// -1 for a sexagesimal text one of whose fields holds a whole number beyond
// the 32-bit range ("4294967297"), which is no value: a, b and c are 0. A ','
// is a decimal comma when the digits after it end the text's fields ("12,5",
// "40:0,9", "12,5 S"), a separator when another field follows it or commas
// separate the fields ("12,30,15").
// The separator is not consulted; callers pass ':' or '/'.
int ParseSexagesimal(const char* text, char separator, int32_t* a, int32_t* b, int32_t* c);

// Reads degrees (or any signed sexagesimal value) from a text written in any
// format: units + minutes / 60 + seconds / 3600 with every decimal of the
// minutes ("51:28.65") or of the seconds ("12:34:56.7"), after a point or a
// decimal comma ("40:0,9" is 40 deg 0.9'), negated when the text starts with
// '-' (so "-00:30:00" is -0.5); a plain number is read by ParseDouble. Every
// text that a number field of a sexagesimal or decimal form takes reads to the
// same value here (ui/number_field.h). A text that is neither gives 0 or its
// leading integer; one whose field does not fit 32 bits (ParseSexagesimal -1)
// gives NaN.
double ParseSignedDegrees(const char* text);

// The same reading as ParseSignedDegrees, under the name the forms use.
double ParseSignedValue(const char* text);

// Reads hours in any format and returns degrees (hours x 15), the text's sign
// applying to the whole value ("-00:30:00" is -7.5); NaN as ParseSignedDegrees.
double ParseHoursToDegrees(const char* text);

// A time of day or a duration in seconds split into whole hours, minutes and
// seconds after one rounding to a multiple of `unitSeconds` (1 when the
// seconds are shown, 6 for tenths of a minute, 60 for whole minutes), half a
// unit rounding up: no field reads 60 and the carry reaches the hours (9:59:35
// to the minute is 10:00). The hours are not reduced to a day; before 0 h they
// are negative with the minutes and seconds counted forward (-900 s is -1 h 45
// min), so the fields always add up to the rounded value. A value that is not
// finite or lies beyond a million hours gives zeros.
struct ClockFields {
    int hours, minutes, seconds;
};
ClockFields SplitRoundedTime(double seconds, int unitSeconds);

// The hour of `ClockFields` on the clock of its own day, [0, 24): a time
// before 0 h or past 24 h of a date is read on the day before or after.
inline int ClockHour(int hours) { return (hours % 24 + 24) % 24; }

// An altitude or declination (degrees) in whole degrees, rounded to the
// nearest, half away from zero: -13.7 reads -14 and -0.7 reads -1. A value
// that is not a number, or beyond the int range, gives 0.
int WholeDegrees(double degrees);

// An azimuth (degrees) in whole degrees of one turn, 0..359, rounded to the
// nearest: 359.6 reads 0, -0.4 reads 0, 720.7 reads 1.
int WholeAzimuth(double degrees);

// Writes hours in the "RA Format", reduced to [0, 24) h: seconds rounded to the
// nearest, code 3 rounds the tenth of a minute up. An unknown code writes the
// code 2 form and shows "HMSToStr Unkown hour format".
char* HMSToStr(char* buffer, std::size_t size, double hours);

// Writes a time of v / 292818 hours in the "RA Format" (right-ascension
// Fix24Angle / 15), reduced to [0, 24) h; 50 units (0.6 s) are added and the
// fields truncated; code 0 gives hours and thousandths ("05.050"). An unknown
// code writes the code 2 form and shows "HmsFixToStr Unknown hour format.".
char* HmsFixToStr(char* buffer, std::size_t size, int32_t v);

// Writes an hour angle or time given in degrees as "hh:mm:ss" in hours,
// whatever the preferences; reduced to [0, 24) h, every field truncated.
char* HoursToHMSText(char* buffer, std::size_t size, double degrees);

// Writes degrees in the "Dec Format", signed; half an arcsecond is added and
// the fields truncated, the degrees field taken mod 360; code 0 writes the
// argument itself with four decimals. An unknown code writes the colon form.
char* DegToStr(char* buffer, std::size_t size, double degrees);

// Writes v / 292818 degrees in the "Dec Format", signed (a '-' even when every
// field is 0); 50 units (0.6") are added, the fields truncated, code 3 rounds
// the tenth up; code 0 gives degrees and thousandths ("-05.050"). An unknown
// code writes the colon form.
char* AngleFixToStr(char* buffer, std::size_t size, int32_t v);
