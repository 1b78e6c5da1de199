// The twilight graph's chart: a year of nights for the current site, one
// column per day from day 0 (the last day of the month before the first
// month) on, the hours from 13:00 down to 13:00 of the next day, with the
// bands of the Sun's centre below -1, -6 and -18 degrees of geometric
// altitude (NightBandCrossings), and the rise, set and transit of an object
// (ComputeRiseTransitSetFixed, the engine's horizon) as dots: on a day it
// stays down none, on a day it stays up its transit alone. Drawn into the
// current draw window of the screen's size.
//
// Layout (u: a design unit scaled by displayScale; W x H the screen): the
// chart from y 24u to H - 22u; p = (H - 46u) / 24 pixels an hour, its top at
// hour 13 so that hour h lies at top + h p with top = 24u - 13p; columns
// from the margin m = 20u, d = (W - 8u) / N pixels a day for N = 380 days,
// 720 on screens wider than 240u.
#pragma once

#include <cstdint>

// Bands of the Sun, in drawing order.
constexpr int kNightBandCount = 3;
constexpr double kNightBandAltitude[kNightBandCount] = {-1.0, -6.0, -18.0};

struct NightChartGeometry {
    double hourPixels;  // p
    double top;         // y of hour 0 of the chart's first day (13 p above the chart)
    int margin;         // x of the first column
    int days;           // N
    float dayPixels;    // d (as the days' columns are reckoned: int(i d) in single precision)
};

// The chart's geometry on a screen of width x height pixels.
NightChartGeometry NightChartGeometryFor(int width, int height);

// Zone minutes of the chart's clock in a time base: 0 "Local Time (LT)" the
// site's standard time (its zone less the daylight-saving hour when its flag
// is set), 1 "LT&DayLight" the site's own clock (zoneMinutes, as every other
// screen keeps it, on every day), 2 "Universal Time (UT)" 0.
int NightChartZoneMinutes(int timeBase);

// The morning and evening times (local hours of the zone's clock on the date)
// at which the Sun's centre passes the geometric altitude of each band b
// (kNightBandAltitude[b]): rise[b] and set[b], from its place at 12:00 of
// that clock taken as fixed (ComputeFixedAltitudeCrossings: no refraction,
// semi-diameter or dip; the place of noon moves the next morning's edge by up
// to a few minutes), and the engine's events word of each (RiseSetEvent).
void NightBandCrossings(int year, int month, int day, int zone, double rise[kNightBandCount],
                        double set[kNightBandCount], unsigned events[kNightBandCount]);

// The rows (from the chart's hour 0, in pixels, p an hour) of a band whose
// Sun goes down through its altitude at `set` and comes up at `rise` (local
// hours, NightBandCrossings's values): from the set, no earlier than
// 14 h, to the next rise, no later than 10 h; a Sun that never goes down
// (the events word's kRiseSetAlwaysUp) gives no band (false), one that never
// comes up (kRiseSetNeverUp) the whole band 14 h .. 10 h.
bool NightBandRows(double rise, double set, unsigned events, double p, double* y1, double* y2);

// The row of an object's event at local hour t (from the chart's hour 0):
// evening hours from 14 h on, morning hours up to 10 h; false between.
bool NightEventRow(double t, double p, double* y);

// Date of day `dayIndex` of the chart that starts on the first of
// (year, month): day 0 is the last day of the month before.
void NightChartDate(int year, int month, int dayIndex, int* outYear, int* outMonth, int* outDay);

// The object's right ascension (hours) and declination (degrees) on a day:
// a planet (body 2..9; 0 the Sun, 1 the Moon) at 0:00, a comet or asteroid
// (kind 12) from its record with currentDateTime at that day's 0:00:00 and
// put back after, anything else the fixed place. Returns kObjectPlaced, or
// kNoPlaceThatDay when the place is not a number (a failed orbit solution),
// or kNoObjectRecord when the record could not be read.
constexpr int kObjectPlaced = 1, kNoPlaceThatDay = 0, kNoObjectRecord = -1;
int NightChartObjectPlace(int kind, int index, float ra, float dec, int planet, int year, int month, int day,
                          double* outRa, double* outDec);

// Draws the chart, its grid, the month initials and the legend (with the
// object's name and dot colours when ra >= 0; the dots of the days on
// which it has a place, none after a record that could not be read, so that
// its message shows once) for the chart starting on the
// first of (year, month) in a time base (see NightChartZoneMinutes). Sets
// the geometry SetDateFromChartTap reads (chartPixelsPerDay, chartRect,
// formWidth, formHeight and the cursor line) and frees the cursor's saved
// column. Stops the days early when an arrow key is held.
void DrawNightChart(const char* name, int kind, int index, float ra, float dec, int planet, int year, int month,
                    int timeBase);

// Days drawn by the last DrawNightChart (fewer than N when a key stopped it).
int GetNightChartDaysDrawn();
