// The clock: tick count, local date and time, the locale's short date pattern
// and sleeping. It runs on real time, or (in tests) on a virtual clock that
// moves only when told to, so that timers and dates are reproducible.
#pragma once

#include <cstdint>
#include <string>

namespace pl {

struct LocalTime {
    int year = 2024;
    int month = 1;      // 1..12
    int day = 1;        // 1..31
    int hour = 0;
    int minute = 0;
    int second = 0;
    int milliseconds = 0;
    int dayOfWeek = 1;  // 0 Sunday .. 6 Saturday (filled by GetLocalTime)
};

// Milliseconds since an arbitrary start; wraps after 49.7 days.
uint32_t GetTickCount();
// The device's local date and time.
void GetLocalTime(LocalTime* out);
// The locale's short date pattern: d, dd (day), M, MM (month), yy, yyyy (year);
// other characters stand for themselves, text in single quotes too.
std::string GetShortDatePattern();
// A date written with the short date pattern, e.g. "12/1/2007" for "M/d/yyyy".
std::string FormatShortDate(int year, int month, int day);
// Waits; on the virtual clock the time moves on at once and nothing else runs.
void Sleep(uint32_t ms);

// Virtual clock: the tick count starts at 1000 and the local time at `start`;
// both move only through AdvanceVirtualClock and Sleep. The short date pattern
// becomes "M/d/yyyy" until set otherwise.
void UseVirtualClock(const LocalTime& start);
void UseRealClock();
bool IsVirtualClock();
// Moves the virtual clock on and wakes the UI thread (timers may be due).
void AdvanceVirtualClock(uint32_t ms);
// Sets the virtual local time from now on (the tick count is not changed).
void SetVirtualLocalTime(const LocalTime& time);
// Sets the short date pattern; an empty text brings back the locale's.
void SetShortDatePattern(const std::string& pattern);

// Days since 1970-01-01 of a proleptic Gregorian date, and back.
int64_t DaysFromCivil(int year, int month, int day);
void CivilFromDays(int64_t days, int* year, int* month, int* day);

}  // namespace pl
