// Positions typed into the sky chart (buttons 1889 and 1890): a right
// ascension and declination, or an azimuth and altitude, become a user object
// of the observing list.
#pragma once

#include <cstdint>

// Number of the next typed object; 30000 at start, one more for each
// accepted input.
extern int32_t manualInputCounter;

// The position dialog (2950) over the chart form, its fields filled with the
// chart centre: with `altAz` 0 its right ascension (HMSToStr) and declination
// (DegToStr), else its azimuth and altitude (DegToStr), read under the centre
// of the sphere view or of the horizon chart. Ok: a user object (kind 63,
// number manualInputCounter, type 19, the name typed, "Manual Input" at
// first) at the place read back by ReadPositionInput (the dialog refuses a
// coordinate out of its range with one box and stays open), an azimuth and
// altitude turned into right ascension and declination at the chart's
// sidereal time (a right ascension that comes to 24 h kept as 0 h); listed and
// made the current row. Ok or Cancel, the chart is
// drawn again.
void RunChartManualInput(int altAz);

// Back to 30000 (tests).
void ResetChartManualInput();
