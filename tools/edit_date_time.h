// The date and time form (5200): the one modal operation through which every
// screen lets the user pick a date and time, in local civil time or universal
// time, by lists, a month calendar with the Moon's phases, a typed Julian day
// or the device clock.
#pragma once

#include <cstdint>

#include "core/shared_state.h"
#include "ui/draw_window.h"
#include "ui/xywh_rect.h"

// Control ids of form 5200.
constexpr int kDateTimeForm = 5200;
constexpr int kDateTimeTitle = 8026;
constexpr int kTimeScaleTrigger = 5233;
constexpr int kTimeScaleList = 5234;
constexpr int kDateTimeInfo = 5201;
constexpr int kYearTrigger = 5227;
constexpr int kYearList = 5202;
constexpr int kMonthTrigger = 5228;
constexpr int kMonthList = 5203;
constexpr int kDayTrigger = 5229;
constexpr int kDayList = 5204;
constexpr int kHourField = 5215;
constexpr int kMorningHourList = 5205;
constexpr int kAfternoonHourList = 5230;
constexpr int kMinuteField = 5216;
constexpr int kMinuteList = 5206;
constexpr int kSecondField = 5238;
constexpr int kJulianDayField = 5235;
constexpr int kJulianDayButton = 5236;
constexpr int kDateTimeOk = 5207;
constexpr int kDateTimeNow = 5217;
constexpr int kDateTimeCancel = 5232;

// 1 while the form shows and edits universal time, 0 for local time; kept
// from one use of the form to the next.
extern int32_t dateFormUT;

// The form's working values, in the time scale it shows.
struct DateTimeFormBlock {
    DateTime value;          // year, month 1..12, day, hour, minute, second
    DateTime opened;         // the values the form opened with, in its caller's scale
    int32_t savedFixed;      // dateTimeFixed when the form opened
    int32_t modalRunning;    // 1 while EditDateTime runs the form
    uint8_t phases[31];      // phase picture index 0..12 of each day of the shown month
    XywhRect calendar;       // the calendar area, pixels of the form
    XywhRect highlight;      // the highlighted day's rectangle, pixels
    DrawWindowRecord* highlightBits;  // the screen under it
};
extern DateTimeFormBlock dateTimeFormBlock;

// Runs the form on six local-time variables. "Ok" copies the edited local
// date and time back when it differs (then the observing list's sky state is
// recomputed); "Cancel" leaves them. Returns 1 whenever the form closes.
int EditDateTime(int* year, int* month, int* day, int* hour, int* minute, int* second);

// The form on six values in universal time, for a date that is no clock time
// (an orbit's epoch or perihelion time): it opens showing universal time, its
// Julian day that of the values; "Ok" copies the edited universal date and
// time back when it differs and returns true. The time scale of later uses,
// the program's clock state (dateTimeFixed) and the observing list's criteria
// are left as they were.
bool EditUniversalDateTime(int* year, int* month, int* day, int* hour, int* minute, int* second);

// Whether the last EditDateTime or EditUniversalDateTime closed with "Ok"
// (false after "Cancel"), for a caller that must not act on a cancelled entry.
bool DateTimeEditConfirmed();

// The time scale of the next use of the form: universal time, local time.
void SetDateFormUT();
void SetDateFormLocal();
