// The events of a day for the moons of Jupiter (Io .. Callisto, the
// Galilean theory of jupiter_moons.h) or Saturn (Enceladus .. Titan,
// saturn_satellites.h): transits, shadows on the disk, eclipses and
// occultations, found by sampling the moon states over the local day and
// sharpened to the minute. The table is planetMoonState (planet_detail_mode.h),
// slot 5 m + kind - 1 before sorting; eventSearchCache remembers the date.
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
// the states from 00:00, every 12 minutes (Jupiter: 00:12 .. 23:00, 115
// samples) or 7 minutes (Saturn: 00:07 .. 23:06, 198 samples, in the table
// built from local midnight in dynamical time, 7 nodes 11/70 day apart, and
// freed at the end). Each (moon, kind) seen takes its first sample as start
// and its last as end; a code outside 1..5 shows "Bad event" and is left out.
// Then RefineMoonEvents. The busy indicator steps once, then once a sample,
// and ends.
void RunMoonEventSearch(int mode, const PlanetDetailDate& date);

// Sharpens every filled slot of the 25 to the minute around the cached date
// (Saturn: the table must exist), then sorts them with CompareMoonEvents.
// The start moves back while the moon keeps the slot's kind (so an event in
// progress at the first sample starts the evening before, hour 23); the end
// moves on to the first minute at which the kind has changed, so an event
// that turns into another (a transit gaining its shadow) ends at the minute
// the next starts. Steps are `step` minutes (1 in the search), the first
// `offset` + step from the sampled time; at most 1440 a side. Only hours and
// minutes change.
void RefineMoonEvents(MoonEventSlot* table, int offset, int step);

// qsort comparator of MoonEventSlot: moon, then start day, hour, minute,
// each difference taken as a signed 16-bit value; empty slots (moon 0, day
// 0) come first.
int CompareMoonEvents(const void* a, const void* b);
