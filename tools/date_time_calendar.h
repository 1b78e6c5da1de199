// The computation behind the date and time form: the month calendar (weeks
// from Monday, one cell per day), the Moon phase picture of each day, the
// calendar cell under a tap, and the Julian day the form shows and accepts.
// Dates are civil dates (core/julian_day.h); calendar positions are in design
// units of the 240 x 320 layout, relative to the calendar area's top-left.
#pragma once

#include <cstdint>

#include "core/julian_day.h"
#include "core/shared_state.h"

// The Julian days the form accepts: 1 January of year 0, 0h UT, up to (not
// including) 1 January 2200, 0h UT.
constexpr double kFirstFormJulianDay = 1721057.5;
constexpr double kEndFormJulianDay = 2524593.5;
// Years the form's year list holds.
constexpr int kLastFormYear = kLastCalendarYear;

// Phase picture index 0..12 of each day 1..31 of a month (index 0 new Moon,
// 6 and 7 full): the Moon's whole-day age a on day 1 at 12h local time
// (GetMoonPhase) gives day d the index ((a + 2 + d - 1) mod 29) x 13 / 29.
void ComputeMonthPhases(int year, int month, uint8_t phases[31]);

// A day's cell: its column is the weekday from Monday (0) to Sunday (6); its
// row starts at 0 and grows at each Monday after day 1.
struct CalendarCell {
    int row;
    int column;
};
CalendarCell CalendarCellOfDay(int year, int month, int day);

// Cell geometry in design units from the calendar area's top-left.
constexpr int kCalendarColumnWidth = 21;
constexpr int kCalendarRowHeight = 24;

// The day under a point (x, y) of the calendar, design units from the area's
// top-left: row (y + 12) / 24 - 1 and column (x - 2) / 21, truncated toward
// zero. 0 when the row is negative, the column above 6 or the cell empty.
int CalendarDayAt(int year, int month, int x, int y);

// The Julian day (UT) of the form's date and time: shown in universal time
// (ut) or in local time at `zoneMinutes`.
double FormJulianDay(const DateTime& t, bool ut, int zoneMinutes);

// The date and time of a typed Julian day, in universal time or local time at
// `zoneMinutes`. False (and `t` unchanged) outside [kFirstFormJulianDay,
// kEndFormJulianDay), for a value that is not a number, and when the local
// date falls outside the years 0..2199 of the form's year list.
bool FormDateFromJulianDay(double jd, bool ut, int zoneMinutes, DateTime* t);
