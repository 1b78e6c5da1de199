// The telescope commands of the sky chart: its goto, the reference star taken
// from the chart for the pointing corrections, the telescope's place shown on
// the chart, and the rows of the telescope popup (list 1912).
#pragma once

#include <cstdint>

#include "catalog/object_catalog.h"
#include "scope/alignment.h"

// The reference star that Improve Pointing builds: one record, reused.
extern AlignmentStar improvePointingStar;

// Sends the telescope to the selection (right ascension hours, declination
// degrees): the Sun (a planet, type 27, numbered 0) is refused with "Sorry,
// GoTo to Sun is disable."; a body or comet without a place at the chart's
// date (ChartRecordHasPlace) with "Sorry, this object has no position at the
// chart's date.", nothing sent. Then the goto at the device clock
// (GotoAtClock): a body or comet goes to its place at the clock, computed
// into a copy of its list entry or of an entry made from the record (the
// chart may show another date), refused as above when it has none then;
// other bodies (type 27) and nebulae (type 19) of designation 0, whose
// places are of date, go as they stand; all these with position mode -1,
// everything else with mode 3 (topocentric and refracted, from J2000). A
// place whose altitude at the device clock, as the mount would be sent it,
// is not above 2 degrees is refused (GotoRefusedBelowHorizon), nothing sent.
// The telescope code reports its own failures.
void GotoChartSelection(const ObjectRecord* selection);

// The chart's selection as one more reference star of the N-star list, with
// the telescope's reading on it, and the pointing model fitted again. `row`
// is the list's current row: negative says "No Object or Star selected.", a
// selection without a place the goto's refusal.
// The star's place is the one a goto sends (GotoChartSelection: a body at
// the device clock), as its apparent place of date at the device
// clock (position mode 3 for a J2000 place, -1 for one of date); the reading
// is the mount's (ScopeGetRaDec, right ascension x 15 for EQ output; a failed
// read ends it) with a drive, else the star's own place (azimuth and
// altitude for AZ and Encoder output). Its predicted place
// is the two-star model's with the program's own alignment (0, 0 without a
// valid one) or the star's own place with "External". Name (9 characters),
// number and designation come from the row's entry (a row that shows none: the
// list's current entry, HeldSelectionEntry, even when this view does not show it).
void ImprovePointingFromChart(int row);

// "Get Scope RA&Dec": "No drive selected." without a drive; else the mount is
// read (a failed read stops here) and its place, turned to J2000, centres the
// chart. Sky Map and Horizon View: a place below the horizon at the device
// clock's sidereal time says "Your scope doesn't seem to point to the sky" /
// "Check your location information and current time." and changes nothing;
// else what the chart shows there (IdentifyNearestObject within 3
// GetScreenScale) becomes the selection and the chart is redrawn about it.
// Sphere views: `block` (the chart's selection) becomes the sky point of the
// place (number -1) and the view is centred on it (CentreChartOnRaDec). Views
// 0 and 1: `block` takes the place before the pick.
void ShowScopePositionOnChart(ObjectRecord* block);

// Row r of list 1912: 0 the 2-star form (1300), 1 the N-star form (2100),
// 2 goto, 3 the telescope's place, 4 the scope form (2400) after a connect,
// the encoder boxes' pending target cleared first, 5 the marker mode on or
// off, 6 Improve Pointing, 7 the serial flag cleared and preference page 1
// (1400) opened, 8 the telescope synchronised on the chart's centre (the
// selection in the Sky Map and Horizon View, or the zenith they are centred
// on while it lies below the horizon; the place under a sphere view's
// middle, or a body of the list that is the current row, on which the view
// is centred; the selection sent as a goto sends it, without the horizon
// rule; refused as a goto is for a selection without a place). Other rows
// do nothing. Returns 1.
// The marker mode `*markerMode` (the chart passes scopeConnected): turned on,
// the drive is connected (refused: the mode stays 0 and nothing else
// happens), timer 1 runs at 250 ms and "Stars" (word 28) is kept; turned off,
// timer 1 is killed, word 28 put back, the drive disconnected and the timer
// started again by the chart's rule (1000 ms with a blinking cursor, else
// 10000 ms); the chart is redrawn.
int ScopePopupCommand(ObjectRecord* block, int32_t* markerMode);

// Start values (tests).
void ResetChartScope();
