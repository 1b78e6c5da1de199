// Planets, comets and asteroids of the observing list moved to another date.
#pragma once

struct SelectionEntry;

// Recomputes the right ascension, declination, magnitude (mag10), distance and
// constellation of the planet (designation 45, also their sizes from the
// apparent diameter) and comet or asteroid (12) entries of the list for a local
// civil date and time at currentSite. Planets are taken topocentric (the
// position-mode preference is put back afterwards); comets and asteroids from
// their orbits, for the equinox of the date's year (places of date, as the
// look-ups give them). An entry whose body or orbit gives no place keeps the
// values it had and is marked placeUnknown until a later refresh finds its
// place: a planet whose ComputeBody fails (a date its theory does not cover),
// a comet or asteroid that names no record (number -1, its record removed),
// whose record does not read or whose orbit gives no place (CometPlaceAt
// fails). A body number beyond Pluto is left as it was; other entries are not
// touched.
void RefreshMovingSelectionEntries(int year, int month, int day, int hour, int minute, int second);

// Makes the list's planet, comet and asteroid entries hold their places for a
// local civil date and time at currentSite before something shows or uses them
// (the charts, a telescope command): RefreshMovingSelectionEntries when the
// last refresh was for another moment (to the second), another site (latitude,
// longitude, height, zone, temperature, pressure) or a list that has changed
// since (selectionListChanges: an entry made, a list loaded or emptied, the
// comet file rewritten by the element editor).
// Otherwise nothing, so it costs nothing to ask before every use. True when
// it recomputed the entries.
bool MakeMovingEntriesCurrent(int year, int month, int day, int hour, int minute, int second);

// The same computation for one entry, which need not be in the list (a telescope
// command's copy of an entry, placed for the moment it is sent).
void RefreshMovingEntry(SelectionEntry& entry, int year, int month, int day, int hour, int minute, int second);
