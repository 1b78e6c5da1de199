// The events of a day for the moons of Jupiter (Io .. Callisto, the
// Galilean theory of jupiter_moons.h) or Saturn (Enceladus .. Titan,
// saturn_satellites.h): transits, shadows on the disk, eclipses and
// occultations, found by sampling the moon states over the local day and
// sharpened to the minute. The table is planetMoonState (planet_detail_mode.h),
// slot 5 m + kind - 1 before sorting (a second run of one kind in a free
// slot); eventSearchCache remembers the date.
#pragma once

#include "assistants/planet_detail_mode.h"

// Names of the kinds 1..5 ("Transit" .. "Occultation"); "" for any other.
const char* MoonEventKindName(int kind);
// Names of moon 0..4 of a mode: "Io" .. "Callisto" and "" (Jupiter),
// "Enceladus" .. "Titan" (Saturn).
const char* MoonEventMoonName(int mode, int moon);

// The moon states (MoonStateCode) of a mode at a local civil date and time:
// Jupiter's four moons from the Galilean theory (the fifth 0); Saturn's
// five from the table, which must have been built, at jd (TT).
void GetMoonEventStates(int mode, const PlanetDetailDate& t, double jd, int32_t states[5]);

// Searches a local civil date for mode 0 (Jupiter) or 1 (Saturn): clears the
// table, stores the date and its hour and minute in the cache, then samples
// the states through the whole local day, every 12 minutes (Jupiter: 00:00 ..
// 23:48 and 23:59, 121 samples) or 7 minutes (Saturn: 00:00 .. 23:55 and
// 23:59, 207 samples, in a table built from 12 hours before local midnight to
// 12 hours after the day, dynamical time, nodes 11/70 day apart, freed at the
// end). Each run of a moon's state takes its first sample as start and its
// last as end, in slot (moon, kind), or in a free slot when that one holds an
// earlier run of the day (a shadow before and after a transit with its
// shadow); a code outside 1..5 shows "Bad event" and is left out. Then
// RefineMoonEvents. So every event under way at a sample (any that lasts a
// step within the day, any in progress at 00:00 or 23:59) is listed once,
// one in progress at midnight with its start the evening before, one in
// progress at 24:00 with its end the morning after. The busy indicator steps
// once, then once a sample, and ends.
void RunMoonEventSearch(int mode, const PlanetDetailDate& date);

// Sharpens every filled slot of the 25 to the minute around the cached date
// (Saturn: the table must exist), then sorts them with CompareMoonEvents.
// The start moves back while the moon keeps the slot's kind (so an event in
// progress at 00:00 starts the evening before, hour 23 or earlier); the end
// moves on to the first minute at which the kind has changed (an event in
// progress at 24:00 ends the morning after, hour 0 or later), so an event
// that turns into another (a transit gaining its shadow) ends at the minute
// the next starts. Steps are `step` minutes (1 in the search), the first
// `offset` + step from the sampled time; at most 12 hours from it a side.
// The start and end take the day, hour and minute they reach (so an event in
// progress at 00:00 sorts before the moon's later events of the day).
void RefineMoonEvents(MoonEventSlot* table, int offset, int step);

// qsort comparator of MoonEventSlot: moon, then start day, hour, minute,
// each difference taken as a signed 16-bit value; two filled start days more
// than one apart are the last of a month and the first of the next, the
// first the later. Empty slots (moon 0, day 0) come first.
int CompareMoonEvents(const void* a, const void* b);
