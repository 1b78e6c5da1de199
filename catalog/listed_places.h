// The places of the observing list's planets, comets and asteroids, which move
// with the date, and the one way every screen reads a listed place.
#pragma once

#include "catalog/object_catalog.h"
#include "catalog/selection_entry.h"
#include "core/shared_state.h"

// Recomputes the right ascension, declination, magnitude (mag10), distance and
// constellation of the planet (designation 45, also their sizes from the
// apparent diameter) and comet or asteroid (12) entries of the list for a local
// civil date and time at currentSite. Planets are taken topocentric (the
// position-mode preference is put back afterwards); comets and asteroids from
// their orbits (ComputeCometPlace, the orbits' hook), for the equinox of the
// date's year (places of date, as the look-ups give them). An entry whose body
// or orbit gives no place keeps the values it had and is marked placeUnknown
// until a later refresh finds its place: a planet whose ComputeBody fails (a
// date its theory does not cover), a comet or asteroid that names no record
// (number -1, its record removed), whose record does not read or whose orbit
// gives no place (also while no orbit computation is installed). A body number
// beyond Pluto is left as it was; other entries are not touched.
void RefreshMovingSelectionEntries(int year, int month, int day, int hour, int minute, int second);

// Makes the list's planet, comet and asteroid entries hold their places for a
// local civil date and time at currentSite before something shows or uses them:
// RefreshMovingSelectionEntries when the last refresh was for another moment
// (to the second), another site (latitude, longitude, height, zone,
// temperature, pressure) or a list that has changed since
// (selectionListChanges: an entry made, a list loaded or emptied, the comet
// file rewritten by the element editor).
// Otherwise nothing, so it costs nothing to ask before every use. True when
// it recomputed the entries.
bool MakeMovingEntriesCurrent(int year, int month, int day, int hour, int minute, int second);

// The same computation for one entry, which need not be in the list (a telescope
// command's copy of an entry, placed for the moment it is sent).
void RefreshMovingEntry(SelectionEntry& entry, int year, int month, int day, int hour, int minute, int second);

// RefreshMovingEntry of a comet or asteroid entry for local time `when`,
// returning its magnitude as its orbit gives it (the entry keeps whole tenths,
// truncated: 7.79 is 77); NaN when the entry is no comet or asteroid, names no
// record or its orbit gives no place.
double RefreshListedComet(SelectionEntry& entry, const DateTime& when);

// How a screen reads the list's places: the list's entries with their planets,
// comets and asteroids at their places of local time `when` (the time the
// screen works at: the chart's, the list form's, the program's), made current
// first (MakeMovingEntriesCurrent). Null without a list.
SelectionEntry* ListedPlacesAt(const DateTime& when);

// Entry `position` of the list (0 .. selectionCount - 1) placed for `when` as
// ListedPlacesAt places it; null when no entry in use is there.
const SelectionEntry* ListedEntryAt(int position, const DateTime& when);

// The entry of shown row `row` (selectionListIndex) placed for `when`; null
// when the row shows no entry in use, or is a row of a form's own table.
const SelectionEntry* ShownEntryAt(int row, const DateTime& when);

// The observing list's entry of a body or comet record (designation 45 or 12,
// whose place the list's refresh moves with the date): the entry of the same
// designation and number; null for any other record or when the list holds
// none.
SelectionEntry* FindListedBody(const ObjectRecord& record);

// A body or comet record (designation 45 or 12) as the list places it for
// local civil time `when` at currentSite: a copy of its list entry
// (FindListedBody), else an entry made from the record (designation, type,
// number; a planet's body number is its record number), computed for `when`
// by RefreshMovingEntry. placeUnknown is set when its body or orbit gives no
// place then (the entry keeps the record's or list's values).
SelectionEntry BodyEntryAt(const ObjectRecord& record, const DateTime& when);
