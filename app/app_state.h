// The application state built at start-up (preferences, the long-lived
// buffers, the date and time, the colours, the last object list) and released
// at exit, in the order the program depends on.
#pragma once

#include <cstdint>

// 1 when the locale's short date begins with the year, else 0; set at start-up.
extern int dateYearFirst;

// The device's local date and time: year, month, day, hour, minute, second.
void ReadDeviceClock(int32_t fields[6]);

// Builds the application state: preferences (defaults, then the user's
// settings of the last run from zendavori.prefs), buffers (in their fixed order),
// date and time, colours, serial persistence, the last form and the list kept
// from the previous run ("last_list.lst"). Returns 0; -1 when a buffer could
// not be allocated (its message was shown and the later steps were skipped).
int InitApplicationState();

// Stores the date and time in the preference words, saves the observing list
// as "last_list", puts the day colours back, closes the databases and frees
// every buffer (each pointer null afterwards). The serial port stays open: the
// shut-down closes it after the open form's release, which may stop the mount.
void ShutdownApplication();
