// The chart clock: the chart shows the program-wide currentDateTime, which it
// steps by the elapsed time (or reloads from the device clock while the date
// follows the device) at most every 120 seconds, with its local sidereal time.
#pragma once

#include "catalog/object_catalog.h"

// currentDateTime := the device's local date and time.
void LoadDateTimeFromDevice();

// Steps the chart time: nothing (0) when less than 120 s passed since the last
// step and `force` is not 1; else currentDateTime is reloaded from the device
// clock (date not fixed, or no sidereal time yet) or moved on by the elapsed
// seconds, the sidereal time is computed for the site, the projections are
// marked stale, the chart rotation and the Moon icon state are set again for
// the site and hour and the chart is marked dirty; 1. The first call only
// records the time (elapsed 0).
int UpdateChartTime(int force);

// The sidereal time again, as a step computes it, when currentDateTime or the
// site's longitude or zone changed since it was computed (a form set the
// program's time without the chart clock: Day/Night's Now, the compass
// chart's now, the observing list's criteria time), so that the chart draws
// the sky of the time it shows; 1 then. 0 with no sidereal time yet.
int FollowShownTime();

// UpdateChartTime(1) after currentDateTime was set or stepped: the chart clock
// starts again from it, none of the seconds since its last step added.
int RestartChartTime();

// Sets the chart date and time to the minute (the second is kept) and its
// sidereal time; a changed sidereal time marks the projections stale. With a
// record, it becomes the chart's selection. The chart's selection row becomes 0.
void SetChartDateTime(const ObjectRecord* rec, int year, int month, int day, int hour, int minute);
