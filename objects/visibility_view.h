// The visibility model's pictures in the current draw window: the difficulty
// gauge on a bitmap button, the twelve months in which an object is placed for
// evening or morning observing, and the hours of a day in which it is up.
// Each fills with the current foreground colour first and gives it back.
#pragma once

// Sets the gauge bitmap of the rating's class on bitmap button `controlId` of
// the current form (5000 + class by day, 5005 + class in any night mode) and
// writes the class's word centred in a strip under it (x - 5s, y + h - s,
// w + 10s, 15s; s the horizontal display scale), across and down, in font 4,
// or font 2 when no font is current. A rating that is not a number draws nothing.
void DrawDifficultyGauge(int controlId, float rating);

// The year chart of an object at raHours, decDegrees in (x, y, width, height):
// twelve cells of (width - 13) / 12 + 1 pixels on the lower half, filled where
// the object transits, on the 15th of the month at the site, after the
// evening hour or before the morning hour of that month and rises above 15
// degrees; the month letters above; a red line at (day, month).
void DrawYearChart(int x, int y, int width, int height, int year, int month, int day, float raHours,
                   float decDegrees);

// The 24-hour bar: 24 hour cells of width / 25 + 1 pixels on the lower half,
// filled from rise to set (local hours, brought into 0..24); hour ticks, the
// labels "0h", "12h", "0h" above, and a red line at `nowHours` when it is 0
// or more. `events` holds the RiseSetEvent bits the engine gave with the
// times: an object down all day (kRiseSetNeverUp) fills nothing, one up all
// day (kRiseSetAlwaysUp) the whole day, whatever its transit; a day with a
// rising and no setting fills from the rising to 24 h, one with a setting and
// no rising from 0 h to the setting (the other time is a stand-in).
void DrawAltitudeGraph24h(int x, int y, int width, int height, float nowHours, float rise, float transit, float set,
                          unsigned events);
