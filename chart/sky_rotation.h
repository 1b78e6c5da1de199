// The sky rotation: the matrix that turns J2000 unit vectors (cos dec sin ra, cos dec cos ra,
// sin dec) into the local horizontal frame of the chart's date, time and site, for the sphere
// views; and the view set-up that rebuilds it and projects the bright-star table again when the
// chart's minute, the frame or the site changes.
//
// M = H x (transpose(N) x P): P the IAU 1976 precession from J2000 to the mean equator and
// equinox of date, transpose(N) the IAU 1980 nutation from mean to true of date
// (core/earth_orientation.h; both for (y, x, z) vectors), H the rotation by the hour angle of
// the chart's mean local sidereal time and the site latitude. Applied in fixed point to a J2000
// unit vector it gives (-cos h sin A, cos h cos A, sin h) (altitude h, azimuth A from north
// through east) within 0.6" of ERFA's pnm80 and hd2ae with the mean sidereal time (1990-2060).
// Dates are local civil time at currentSite; the Julian day of the precession is the universal
// one.
#pragma once

#include <cstdint>

#include "catalog/selection_entry.h"
#include "core/fixed_trig.h"

struct SkyRotation {
    // 0: chart triples are J2000 equatorial unit vectors; otherwise they go through the matrix.
    // 1 marks the horizontal frame; -1 a rotation to be rebuilt at the next set-up (also on).
    int32_t flag;
    int32_t matrix[9];       // M, row-major, unit x 2^24 (truncated)
    int32_t hourAngle[9];    // H alone, for bodies whose places are already of date
    int32_t dateToJ2000[9];  // transpose(transpose(N) x P): places of date back to J2000
    Fix24Angle siderealComplement;  // pi - lst of the last build, kept non-negative
    int32_t year, month, day, hour, minute;  // chart date and time of the last build
    int32_t second;          // -1 before the first build
    int32_t zoneMinutes;     // currentSite's zone at the last build
};

extern SkyRotation skyRotation;

// transpose(N) x P of the universal Julian day `jd`: J2000 places to the true equator and
// equinox of date, for (y, x, z) vectors (row-major).
void ComputeJ2000ToDateMatrix(double jd, double* matrix);

// An of-date place (hours, degrees) turned back to J2000 in place by the transpose of the
// J2000-to-date rotation `m` of ComputeJ2000ToDateMatrix.
void DateToJ2000(const double* m, float* raHours, float* decDeg);

// Builds M, H and the sidereal complement for a local civil date and time at currentSite.
void BuildSkyRotation(int year, int month, int day, int hour, int minute, int second);

// Sets the chart colours (SetChartColours), then, unless force is 0 and flag and the date and
// time to the minute equal those of the last build (the seconds are not compared), stores the
// flag, builds the rotation, projects the bright-star table again and remembers the date, time,
// seconds and zone. rotate is 1 for the horizontal frame (views 2 and 3), 0 for the equatorial.
void SetChartView(int rotate, int year, int month, int day, int hour, int minute, int second, int force);

// Marks the rotation stale and sets the view up again for the remembered date and time.
void RebuildChartViewForced(int rotate);

// Marks the rotation stale (-1): the next SetChartView rebuilds it (after a site change, and by
// the horizon chart's redraw).
void EnableViewRotation();

// Loads the bright-star table when needed, steps the chart clock (UpdateChartTime(1), which
// also tells the horizon passes that the stars' chart words are gone) and writes each bright
// star's chart triple into its chartWords[0..2].
void ReprojectStarTable();

// The chart triple (unit x 2^24) of a list place (hours, degrees) of designation `designation`,
// in the frame of the stars: a place of date (IsPlaceOfDate, catalog/designations.h) goes
// through H alone in the horizontal frame and back to J2000 (dateToJ2000) in the equatorial
// one; any other place as ProjectRaDecToChart.
void ProjectListPlace(double raHours, double decDegrees, int designation, int32_t* p, int32_t* q, int32_t* s);

// The sphere-view centre (degrees: frame angle atan2(p, q) in [0, 360) and elevation) on which
// a list place of designation `designation` stands where ProjectListPlace draws it; a fixed
// place (designation 0) is centred as ProjectRaDecToChart projects it.
void ListPlaceCentre(double raHours, double decDegrees, int designation, float* angle, float* elevation);

// Writes the chart triple of each of `count` entries of an object table (the selection list or
// a form's table of the same layout) into its chartX, chartY, chartZ by ProjectListPlace. In
// views 0 and 1 the horizon positions of the table are first marked stale. Nothing for a null
// table.
void ProjectObjectList(SelectionEntry* table, int count);

// Start values: rotation off, identity matrices, no build yet (tests).
void ResetSkyRotation();
