// The orbit assistant's brightness lists over the whole comet database: "Best
// Dates" (each object's least Earth distance near its perihelion, or near the
// reference date of a minor planet, with its magnitude then) and "Brightest"
// (each object's magnitude at one moment). Both keep objects of magnitude 19.0
// or brighter whose orbit solves; times are universal-time Julian days (no
// Delta T).
#pragma once

#include <cstdint>

#include "catalog/comet_satellite_db.h"

constexpr uint32_t kCometRecordKind = 13;
constexpr uint32_t kMinorPlanetRecordKind = 18;

// The faintest magnitude the lists keep.
constexpr double kCometListMagnitudeLimit = 19.0;

// One row of the lists (28 bytes): the record, its magnitude and the date
// and time it is given for.
struct CometMagEntry {
    int32_t index;
    float magnitude;
    int32_t year, month, day, hour, minute;
};
static_assert(sizeof(CometMagEntry) == 28);

// The rows of the last build (null before the first) and their number.
extern CometMagEntry* CometMagList;
extern int cometMagCount;

// Frees the rows.
void FreeCometMagList();

// Geocentric distance (AU) of the record last prepared by the Best Dates
// build at universal-time Julian day `jd`: that of ComputeCometPosition
// (which the mean equinox does not change), not a number where the record
// has no place; the function the minimisation calls.
double EarthDistanceAt(double jd);

// The 16-bit integer part of (a's magnitude x 100 - b's x 100): brightest first.
int CompareCometMagnitude(const CometMagEntry& a, const CometMagEntry& b);
// The difference of the years, else of the months, else of the days (16-bit):
// earliest first.
int CompareCometDate(const CometMagEntry& a, const CometMagEntry& b);

// True when a magnitude is kept by the lists (finite, 19.0 or brighter).
bool IsCometMagnitudeListed(double magnitude);

// The Julian day about which Best Dates looks for a record's least Earth
// distance (its work words filled): T for a comet; for a minor planet 0h of
// the calendar date of 2 x epoch - J, J the Julian day of its year, month and
// whole day at 0h.
double CometReferenceDate(const CometRecord& record);

// Builds Best Dates for `now` (a universal-time Julian day): every readable
// record whose reference date R is not before now - 30 days, magnitude at its
// perihelion time within the limit, with the date (UT) of its least Earth
// distance near R and its magnitude on that date (its Sun and Earth distances
// and phase there, as Brightest gives it). The date is a real minimum of the
// distance, never the end of a search span: that of the least of samples 4
// days apart over R +- 180 days, refined between its neighbours; where that
// least is at an end of the span, the first minimum past that end (the
// distance falling on past it, found by stepping on up to a century, or
// rising again within the outermost step), so that a shallow dip inside the
// span is not taken where the span's end comes nearer. Each is refined by
// Brent's method (tolerance 1.16e-10 of the Julian day, some 25 s). A record
// with no such minimum, or whose law gives no finite magnitude there (a
// damaged slope), has no row. Sorted by CompareCometDate. Returns the rows,
// or -1 with "Can't allocate memory during initialization for CometMagList".
int CollectBestDates(double now);

// Builds Brightest: every readable record whose magnitude at `now` (for the
// mean equinox of `year`) is within the limit, dated (year, month, day, hour,
// minute). Sorted by CompareCometMagnitude. Returns the rows, or -1 as above.
int CollectBrightest(double now, int year, int month, int day, int hour, int minute);
