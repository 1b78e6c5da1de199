// Calendar arithmetic: Julian days of civil dates and back, leap years, month
// lengths, day of the week, decimal years, stepping a date in place, and the
// program-wide current date and time.
//
// Calendar: the Julian calendar up to 1582-10-04, the Gregorian calendar from
// 1582-10-15 on (the ten dates between do not exist). Every conversion switches
// at that reform, so every existing date round-trips through its Julian day.
// Method: Meeus, Astronomical Algorithms, chapter 7.
#pragma once

#include "core/shared_state.h"

// 1 when year is a leap year, else 0: every fourth year up to 1582 (also for
// years before 1 and negative years), the Gregorian rule from 1583 on.
int IsLeapYear(int year);

// Number of days of month 1..12 in year; 0 when month is outside 1..12.
// October 1582 counts 31 days: the reform gap is handled by the stepping routines.
int GetDaysInMonth(int month, int year);

// The last year of the program's dates: the date form's year list ends there.
constexpr int kLastCalendarYear = 2199;

// True for a civil date and time of the years 0..kLastCalendarYear: month
// 1..12, the day within its month (GetDaysInMonth), hour 0..23, minute 0..59.
// How a date kept in a file (a log entry, a list) is told from damaged words.
bool IsCalendarDateTime(int year, int month, int day, int hour, int minute);

// Julian day of 0h of a civil date (so it ends in .5). Dates before 1582-10-15
// are Julian-calendar dates. Valid for every year, negative ones included.
double JulianDayFromDate(int year, int month, int day);

// Julian day of a local civil date and time, converted to universal time by
// subtracting zone minutes (local time ahead of UT). The hour may fall outside
// 0..24 after the zone is applied; the sum is still the right Julian day.
double JulianDayFromDateTime(int year, int month, int day, int hour, int minute, int second,
                             int zone);

// Day of the week of a civil date: 0 Sunday, 1 Monday .. 6 Saturday.
int GetDayOfWeek(int year, int month, int day);

// Civil date and time of a Julian day (Meeus 7, inverse), with hour, minute and
// second truncated: a Julian day that stands for 01:00:00 but lies a rounding
// error below it reads 00:59:59. Valid for JD >= 0.
void JDToCalendar(double jd, int* year, int* month, int* day, int* hour, int* minute,
                  int* second);

// Civil date and time of a Julian day to the nearest whole second: the day
// fraction becomes s = round(F x 86400) seconds, and s = 86400 carries to 0h of
// the next day, so the time never reads :60. Valid for any JD (floored steps).
void CalendarFromJulianDay(double jd, int* year, int* month, int* day, int* hour, int* minute,
                           int* second);

// Civil date and time of a Julian day to the nearest whole minute: the Julian
// day itself is rounded (a day starts a whole number of minutes after noon),
// so 23:59:30 carries to 0h of the next day and nothing is rounded twice.
void CalendarMinuteFromJulianDay(double jd, int* year, int* month, int* day, int* hour, int* minute);

// Decimal year: year + (day of year + time of day in days) / days in the year.
// 1 January 0h gives year + 1/L, 31 December 0h gives exactly year + 1.
double DateToDecimalYear(int year, int month, int day, int hour, int minute, int second);

// Stores the program-wide date and time (local civil time): first the year,
// month, day, hour and minute of the observing-list criteria, then all six
// fields of currentDateTime. No check of the values.
void SetCurrentDateTime(int year, int month, int day, int hour, int minute, int second);

// Moves a local date and time by delta minutes (either sign) in place, carrying
// into hours, days, months and years. Expects month 1..12, day 1..31, hour 0..23.
// Returns IsLeapYear of the resulting year.
int AddMinutesToDateTime(int* year, int* month, int* day, int* hour, int* minute, int delta);

// The universal date and time of a local civil date and time read on a clock
// zoneMinutes ahead of UT (the site's zoneMinutes, its daylight hour included),
// carried across days, months and years; the seconds are kept.
DateTime UniversalFromLocal(const DateTime& local, int zoneMinutes);

// The local civil date and time, on a clock zoneMinutes ahead of UT, of a
// universal date and time: the inverse of UniversalFromLocal.
DateTime LocalFromUniversal(const DateTime& universal, int zoneMinutes);

// Moves a date by n days (either sign) in place. Expects month 1..12, day 1..31.
// Returns IsLeapYear of the resulting year.
int AddDaysToDate(int* year, int* month, int* day, int n);
