// The Flare and Next searches of the satellites form over the satellite
// file: the passes of each satellite in the search's window (the pass search,
// pass_search.h), a flare's or a Moon transit's peak in each (flare_peak.h).
#pragma once

// The Flare search (flareMode 1: satellites whose name line starts with "IR",
// flares from 0h of the form's date for 2 days, none while the Sun is up, at
// most 30 rows sorted by peak) or the Next search (flareMode 0: the first pass
// whose culmination reaches the minimum elevation of every satellite but those
// starting "IRI", from an hour before the form's time for half a day, sorted
// by rise). Both start times are converted with the site's zone; no pass
// rising after the window's end is listed, and records whose fields are out
// of range are passed over without a message. A list that holds rows is shown
// again without a search, unless its two first rows belong to one satellite
// (a Pass list), which is emptied. A held key skips the satellite being
// searched. Returns the result of the details of the selected row
// (satellite_search_display.h).
int SearchFlares(int recordIndex);

// The intensity shown for a flare of `angle` degrees: (2 (trunc(10 angle) -
// 14)) / 3 in integers truncated toward zero (0 degrees -9, 1.5 degrees 0).
int FlareIntensity(double angle);
