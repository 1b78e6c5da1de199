// Passes of a satellite over the observer's site: the next rise and set in a
// window of time (FindNextPass), and the Pass and Moon-transit searches of the
// satellites form, which fill the form's result rows. Julian days are
// universal time; the rows hold local Julian days. The searches run inside
// the call on the UI thread: they stop on a held arrow or page key
// (IsSearchStopKeyDown of core/program_hooks.h), show their progress through
// satellite_search_display.h and keep the device awake.
#pragma once

#include "orbits/satellite_form_state.h"
#include "orbits/satellite_geometry.h"

// The next pass between startJd and endJd: steps through time by the look
// angles of ComputeSatelliteLookAngles (from one minute at the horizon to about
// 25 minutes far below it), then solves for the horizon crossings (geometric
// horizon, elevation 0) with Brent's method to 100 us (rise) and 30 us (set). A
// satellite already up at startJd gets the rise before it, but never before
// elements->passSetJd as the call finds it (the set of the pass last found,
// which the searches clear at their start): every pass of a chain rises after
// the previous one set, a second after it at the earliest (a satellite up again
// by then is taken to rise there). A bracket of 20 minutes that holds no
// crossing is widened by 20 minutes at a time, up to one period (or back to
// that set), polling the stop key.
// Returns 1 with *riseJd and *setJd (each optional, 0 until found), the rise
// never after endJd (the set may be); 0 when startJd lies after endJd, the
// window ends, a stop key is held, the elevation is not a number (a refused
// set), the orbit cannot rise for `observer`'s latitude, the satellite is
// geostationary, its period exceeds the window (or a day, if the window is
// shorter), or it does not set (or did not rise) within a period: it stays up
// for the site. With a window longer than a day the search's date and time
// ("%d %02d:%02d", universal time) are shown at (textX + 70, textY) and the
// keys are polled every fifth step; otherwise at every step.
int FindNextPass(double startJd, double endJd, double* riseJd, double* setJd, SatelliteElements* elements,
                 const ObserverSite* observer, int textX, int textY);

// The Pass search (transitMode 0: passes rising within 30 days whose
// culmination reaches the minimum elevation, at most 30 rows) or the Transit
// search (transitMode 1: the first pass within 30 days that comes within 1.8
// degrees of the Moon) for record `recordIndex`, from the form's date and
// time. A list of the Next or Flare search (two first rows of different
// satellites) is emptied first; any other list that holds rows is kept and
// nothing is searched. Messages (no search): "The elements of this satellite
// are damaged." for a record whose fields are out of range or do not read
// (InitSatelliteElements), "This satellite is not visible from your
// location.". A search ends with a full list, a transit found, a held key, or
// one message: the damaged set's when SGP4 refuses the set at the start, else
// "End of search: " with the local date reached: the next pass rises after 30
// days, a window (5 days for Pass, 35 for Transit) holds no pass, SGP4 stops
// following the set (a decay), or the satellite stays up. Returns the result
// of ComputeSatellitePosition for the form's time (0 when no search ran or the
// form holds no buffers).
int SearchSatellitePasses(int recordIndex);

// Steps shared with the flare search.

// Fills `row` for the pass in elements->passRiseJd .. passSetJd: record index,
// local rise and set, duration, name (first 20 characters of the name line),
// and the culmination's local time and elevation (the highest between rise
// and set, found to about a second); the peak fields are 0. Its evaluations
// count in the search's counter.
void FillPassRow(PassRow* row, int recordIndex, const SatelliteRecord& record, SatelliteElements* elements);

// The start of the next search after the pass in elements->passRiseJd ..
// passSetJd: one minute after its set. (A jump of whole orbits would pass over
// the next pass whenever the ground track shifts toward the site.) Refreshes
// the sub-point fields and the height, which the steps below the horizon read,
// at the middle of the pass.
double NextPassStart(SatelliteElements* elements);
