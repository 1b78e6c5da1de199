// The ephemeris assistant's table worked out without a window: the object of
// the table fetched for each row's date, and the texts of the row's columns
// on the Rise/Set and Position pages.
#pragma once

#include <string>
#include <vector>

#include "catalog/object_catalog.h"
#include "core/shared_state.h"
#include "objects/ephemeris_open.h"

constexpr int kEphemerisStepCount = 9;
// The step popup's rows and the days each advances: "1d" 1 .. "90d" 90.
extern const char* const ephemerisStepLabels[kEphemerisStepCount];
extern const int ephemerisStepDays[kEphemerisStepCount];

enum EphemerisPage { kEphemerisRiseSet = 0, kEphemerisPosition = 1 };

// The column headings of a page after the date column: "Rise ", "Transit ",
// "Alt", "Set" on Rise/Set; "Mag ", "Cnst", "RA", "Dec", "Az ", "Alt" on Position.
std::vector<const char*> EphemerisHeadings(int page);

// The local date and time of row `row`: the table's start date advanced by
// `row` steps of the step row (AddDaysToDate), at the start hour and minute,
// seconds 0.
DateTime EphemerisRowTime(const EphemerisState& s, int stepRow, int row);

// The table's object at a local date and time: currentDateTime is set to it
// while the object is fetched (GetObjectByKind, computed, so that bodies and
// comets move) and restored afterwards. Names go to the buffers (either may be
// null). False when the object cannot be fetched.
bool FetchEphemerisObject(int designation, int number, const DateTime& when, ObjectRecord* record, char* name,
                          std::size_t nameSize, char* second, std::size_t secondSize);

// The texts of one row after its date, in the order of the headings, for the
// object at `when` at currentSite:
//   Rise/Set: rise, transit and set as the first five characters of HMSToStr
//   (the Sun and the Moon by their own routines, others from their place of
//   the row's date, RiseSetPlace of objects/object_info.h, with the horizon
//   preference; "-----" for a rise, transit or set the day does not have,
//   the engine's stand-ins and a neighbouring day's event alike), and the
//   altitude at transit rounded to the whole degree ("-----" on a day
//   without a transit; a body's from its topocentric place at the transit);
//   Position: the magnitude with one decimal, the constellation of the place
//   at the row's Julian day, RA by HMSToStr, Dec by DegToStr (the place as
//   fetched), azimuth (0..359) and altitude of the place of date
//   (RiseSetPlace) at the row's local sidereal time, rounded to the whole
//   degree.
std::vector<std::string> EphemerisRowTexts(int page, const ObjectRecord& r, const DateTime& when);

// The date column: FormatDateShort of the row's date ("%02d/%02d/%02d").
std::string EphemerisDateText(const DateTime& when);
