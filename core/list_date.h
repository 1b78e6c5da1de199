// The times the observing list's screens work at: the program's time, and the
// list's date and time (those of the selection criteria, which a list file
// keeps) when they are a time of the list's own.
#pragma once

#include "core/shared_state.h"

// The program's time: currentDateTime, first reloaded from the device clock
// (ReadPreferenceClock) while it follows the device (dateTimeFixed 0) or has
// no year yet. Local civil time.
DateTime ProgramDateTime();

// Stores a local civil date and time (to the minute) as the criteria's, which
// the list's screens and a saved list file take; no time of the list's own.
void SetCriteriaDate(int year, int month, int day, int hour, int minute);

// The criteria's date and time as they stand become a time of the list's own:
// the user set them (the criteria form's date and time).
void KeepListDateAsOwn();

// A loaded or imported list's date and time (local civil, to the minute) into
// the criteria. They are the list's own when they lie after the device clock
// (a list planned for a later night); a date not after it (the night a list
// was kept, or no clock to tell) is no time of the list's own. Words that make
// no date and time (IsCalendarDateTime: month 13, 30 February, hour 99, year
// 32767) are not kept: the criteria take the program's time (ProgramDateTime)
// as no time of the list's own, and the result is false.
bool TakeListDate(int year, int month, int day, int hour, int minute);

// Whether the criteria hold the date and time kept as the list's own. Any
// other date in the criteria (the program's time that a search, a screen or
// the clock stores there) ends it.
bool IsListDateOwn();

// No date of the list's own (start-up, tests).
void ForgetOwnListDate();

// The time the list's screens (the list form, its Sky, the criteria's search)
// work at: the criteria's date and time, second 0, while they are the list's
// own; else the program's time (ProgramDateTime), as for a list without a date.
DateTime ListDateTime();
