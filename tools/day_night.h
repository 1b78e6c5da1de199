// The day and night map's computation, without windows: the true Sun's
// Greenwich hour angle and declination from short day-number formulas, the
// latitude of the terminator, the texts of the form's fields, and the panel of
// day length and twilight times of the site.
//
// Dates are calendar dates (day, month, year); universal time in hours may lie
// outside 0..24 (a local time moved by the zone), the day number then simply
// runs on. Longitudes are degrees positive west, as in the site record.
#pragma once

#include <string>

#include "core/shared_state.h"
#include "ui/draw_window.h"
#include "ui/xywh_rect.h"

// The map and the form's last computed values; one for the life of the program.
struct DayNightState {
    XywhRect map;              // the map's place on the form: {0, 24 scaleY, 240 scaleX, 120 scaleY}
    int lastX, lastY;          // the last stylus point on the map
    int moving;                // the stylus drags or a key repeats: the map is drawn coarser
    double utHours;            // universal time of the last map
    double hourAngle;          // its sub-solar Greenwich hour angle, degrees
    int declination;           // its Sun declination, whole degrees (truncated)
    double equationOfTime;     // minutes of time, apparent minus mean
    int screenWidth, screenHeight;  // read at every paint
    DrawWindowRecord* skyView;      // the sky view's kept offscreen, null when none
    XywhRect skyViewRect;           // where the sky view was last drawn
    int coarseMaps;            // maps drawn in coarse steps since the form opened
};
extern DayNightState dayNightState;

// The true Sun's Greenwich hour angle in degrees: (utHours / 24 + 0.5) x 360
// plus the equation of time E / 240, E in seconds from a Fourier series in the
// Sun's mean longitude counted from day number 722449; 360 is taken off once
// when the sum exceeds it (so [0, 360] for universal times of the day).
// Agrees with the hour angle of ERFA's apparent Sun within 6 s of time over
// 2000-2010 and 9 s over 1990-2030.
double SubSolarHourAngle(int day, int month, int year, double utHours);

// The Sun's apparent declination in degrees: mean anomaly from the day number
// by 1461-day cycles, the centre's equation and a 0.02 degree term, the mean
// obliquity of date. Within 0.0095 degree of ERFA's apparent Sun over
// 2000-2010 and 0.0125 degree over 1990-2030.
double SunDeclinationForDate(int day, int month, int year, double utHours);

// Latitude of the terminator, whole degrees, at `longitudeOffsetDeg` from the
// sub-solar meridian for cot of the Sun's declination: atan(-cos x cot d),
// rounded by adding 0.5 and truncating. An infinite cotangent (declination 0)
// gives -90 on the Sun's side and +90 beyond the quarter meridians; a zero
// cosine there (no number) counts as the Sun's side.
int TerminatorLatitude(double longitudeOffsetDeg, double cotDeclination);

// The equation of time (minutes) of the map at 12 h UT of a date, as the form
// keeps it: 4 x SubSolarHourAngle(day, month, year, 12), less 360 degrees
// first when the angle exceeds 5.
double EquationOfTimeMinutes(int day, int month, int year);

// "%02dm%02ds" of whole minutes and seconds of time, truncated; a negative
// value under one minute keeps its sign ("-00m17s").
std::string EquationOfTimeText(double minutes);

// The form's field texts for a local date and time at the current site; the
// Sun's declination rounded to the whole degree.
struct DayNightFields {
    std::string site, latitude, longitude;  // "51:28:38 N", "00:00:00 W"
    std::string date, time, universalTime, zone, siderealTime;
    std::string equationOfTime, sunDeclination;  // "-3m21s", "23\xB0"
};
DayNightFields ComputeDayNightFields(const DateTime& local, double equationOfTime);

// The panel of the site's day on the local date of `local`: the Sun's rise
// and set (-0.833333 degrees), the length of its day and of the day before,
// and the civil, nautical and astronomical twilights (-6, -12, -18 degrees).
// Times are local hours from 0 h of the date as ComputeRiseTransitSet gives
// them; its events word tells which happened. The day is the daylight that
// holds the Sun's transit of the date, from the rise before it (the evening
// before where the night falls wholly before midnight) to the set after it
// (carried past midnight), at most 24 hours: 24 when the Sun stays up all
// day, 0 when it stays down; the night is what the day leaves of 24 hours. A
// twilight without its event on the date shows "None".
struct DayNightPanel {
    double rise, set;                // this day's, stand-ins included
    double dayHours, previousDayHours;  // 0..24
    double twilightRise[3], twilightSet[3];  // civil, nautical, astronomical
    std::string dayLength;           // ": 16h38m"
    std::string dayChange;           // " +01m05s", " -00m05s"
    std::string nightLength;         // ": 07h22m"
    std::string twilightRiseText[3];  // ": 03h47m", ": None"
    std::string twilightSetText[3];   // "21h13m", "None"
};
DayNightPanel ComputeDayNightPanel(const DateTime& local);

// Back to the start values (tests); frees nothing.
void ResetDayNightState();
