// The twilight graph's chart: a year of nights for the current site, one
// column per day from day 0 (the last day of the month before the first
// month) on. A column shows the 24 hours of the chart's clock from 13:00 of
// its date down to 13:00 of the next day: the bands where the Sun's centre
// stands below -1, -6 and -18 degrees of geometric altitude
// (NightBandCrossings), and the rise, set and transit of an object as dots
// (NightObjectEventsOf). Drawn into the current draw window of the screen's
// size.
//
// Layout (u: a design unit scaled by displayScale; W x H the screen): the
// chart from y 24u to H - 22u; p = (H - 46u) / 24 pixels an hour, its top at
// hour 13 so that hour h lies at top + h p with top = 24u - 13p; columns
// from the margin m = 20u, d = (W - 8u) / N pixels a day for N = 380 days,
// 720 on screens wider than 240u. The legend lies over the chart's last two
// hours, drawn after the bands, its texts (and the object's name at the top)
// without a background box except in night mode.
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

// A column's hours: 13 h of its date to 13 h of the next day on the chart's
// clock, counted from 0 h of its date.
constexpr double kNightColumnStart = 13.0, kNightColumnEnd = 37.0;
constexpr int kMaxNightCrossings = 3;

// Where the Sun's centre passes a band's altitude in a column: whether it
// stands below the altitude at 13 h, and the hours (13..37, in order) at which
// it goes down or comes up through it, each crossing turning it over. Three
// at most: the Sun's hour angle runs once round in the column.
struct NightBandCrossing {
    bool belowAtStart = false;
    int count = 0;
    double hour[kMaxNightCrossings] = {};
};

// The crossings of each band (kNightBandAltitude[b]) in the column of a date
// on a clock `zone` minutes ahead of UT: the Sun's geometric place (no
// refraction, semi-diameter or dip) moving between its places at both ends of
// the column, each crossing found at the Sun's place of that moment. Against
// PyEphem at 34 S to 71 N on every day of 2027 and 2028, on local clocks and
// in UT: within 0.4 minute, 1.2 minutes where the Sun stays on one side of
// the altitude for less than two hours.
void NightBandCrossings(int year, int month, int day, int zone, NightBandCrossing bands[kNightBandCount]);

// The pieces of a band in its column, in rows from the chart's hour 0 (p
// pixels an hour): from 13 h when the Sun is below at the start, from each
// crossing down to the next crossing up, and on to 37 h when it is still
// below at the end. Returns how many (0, 1 or 2), each with y1 < y2.
int NightBandRows(const NightBandCrossing& band, double p, double y1[2], double y2[2]);

// An object's events in a column, hours 13..37 in order, at most two of a
// kind (a star's come 3 min 56 s earlier each day).
enum NightEventKind { kNightSet, kNightRise, kNightTransit, kNightEventKinds };
struct NightObjectEvents {
    int count[kNightEventKinds] = {};
    double hour[kNightEventKinds][kMaxNightCrossings] = {};
};

// The rise, set and transit of an object in the column of a date on a clock
// `zone` minutes ahead of UT, its place (hours, degrees) moving linearly from
// ra0, dec0 at the column's start (13 h of the date on that clock) to ra1,
// dec1 at its end (13 h of the next date), so that a fast one is never
// carried beyond its places (the Moon strays up to 0.26 degree in declination
// and 0.15 in right ascension from that line within the day): a rise or set
// where its centre passes the horizon of the rise and set engine for a fixed
// place (0.61 degree for refraction and semi-diameter and the dip for the
// site's height below the geometric horizon), a transit where it is up at its
// upper culmination. A fixed place's agree with PyEphem's within 5 s and the
// geocentric Moon's within 1.5 minutes (Tokyo, 2027, each time base); at 71 N,
// where the Moon stays up or down for a few hours only, its events lie up to 7
// minutes from those of its place taken minute by minute.
void NightObjectEventsOf(int year, int month, int day, int zone, double ra0, double dec0, double ra1, double dec1,
                         NightObjectEvents* events);

// The row (from the chart's hour 0) of an event at column hour t: t p;
// false outside the column's hours 13 .. 37.
bool NightEventRow(double t, double p, double* y);

// Date of day `dayIndex` of the chart that starts on the first of
// (year, month): day 0 is the last day of the month before.
void NightChartDate(int year, int month, int dayIndex, int* outYear, int* outMonth, int* outDay);

// The object's right ascension (hours) and declination (degrees) at a local
// date and time of the site's clock (the day may run past the month's end):
// a planet (body 2..9; 0 the Sun, 1 the Moon), a comet or asteroid (kind 12)
// from its record with currentDateTime set to that time and put back after,
// anything else the fixed place. Returns kObjectPlaced, or
// kNoPlaceThatDay when the place is not a number (a failed orbit solution),
// or kNoObjectRecord when the record could not be read.
constexpr int kObjectPlaced = 1, kNoPlaceThatDay = 0, kNoObjectRecord = -1;
int NightChartObjectPlace(int kind, int index, float ra, float dec, int planet, int year, int month, int day,
                          int hour, int minute, double* outRa, double* outDec);

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
