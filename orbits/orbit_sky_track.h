// The orbit assistant's sky track: 15 places of a comet or minor planet on
// dates one date step apart, each at 0h local time, as selection entries the
// sky picture draws and labels with their dates.
#pragma once

#include "catalog/comet_satellite_db.h"
#include "catalog/selection_entry.h"

constexpr int kOrbitTrackPoints = 15;
constexpr int kOrbitTrackCentrePoint = 6;

// Fills `track` (kOrbitTrackPoints entries, cleared first) for record `index`
// (work words filled) from the local date on, `stepDays` apart, the zone in
// minutes: name the date (FormatDate), number the record, source index 11,
// designation 12, object type the record's kind, the constellation, the place
// for the mean equinox of the point's year, source 12. A point whose orbit
// does not solve keeps its date, the place (0, 0) and its hidden word set.
// Returns the points that solved.
int BuildOrbitSkyTrack(SelectionEntry* track, const CometRecord& record, int index, int year, int month, int day,
                       int stepDays, int zoneMinutes);
