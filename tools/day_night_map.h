// The day and night map: the small world map with the night side in black
// and the Sun's icon on the sub-solar point.
#pragma once

// Draws the map with its top-left corner at (x, y) of the current draw window
// for a local date and time at currentSite. With s = GetScreenScale the Earth
// is 120 s x 60 s pixels (bitmap 1221 when s is 1, else 6010), s / 3 pixels a
// degree on both axes, the equator 30 s pixels from the top, 180 W at the left.
//   - universal time u = hour + (minute - zone minutes) / 60 + second / 3600;
//     the sub-solar column c = 180 - round(SubSolarHourAngle) degrees, in
//     [0, 360]; the declination d = SunDeclinationForDate truncated to whole
//     degrees;
//   - the night: every column of a 2 degree step (4 while dayNightState.moving,
//     drawn as lines) is black from the terminator's row, TerminatorLatitude
//     at the middle of the step, to the edge away from the Sun (the bottom
//     when d >= 0, the top when d < 0), so no column of the map is skipped;
//   - the Sun's icon (small-icon cell 0) centred on (c s / 3, 30 s - d s / 3),
//     cut at the map's edges.
// dayNightState keeps the universal time, hour angle, whole-degree declination
// and the equation of time at 12 h UT of the date (EquationOfTimeMinutes),
// also when the map's picture cannot be made: then "Can't allocate offscreen
// window" is shown, nothing drawn, and the result is false.
bool DrawDayNightMap(int x, int y, int year, int month, int day, int hour, int minute, int second);
