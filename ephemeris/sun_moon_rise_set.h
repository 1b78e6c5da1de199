// Rising, transit and setting of the Sun and the Moon on a local date, and the
// end of the evening astronomical twilight, by the interpolating engine of
// core/rise_set.h on the low-precision Sun and Moon at 0 h local of three
// consecutive days. Times in hours of local civil time after 0 h of the date;
// the stand-ins of the engine (never rises: rise and set 0; never sets: rise 0,
// set 23.99; the transit real in both). Each `events` word, when not null,
// receives the engine's RiseSetEvent bits for the times beside it: whether an
// event happened is read there, never from the times.
#pragma once

#include "core/rise_set.h"  // RiseSetEvent, DayCrossings

// The Moon, h0 = +0.125 degree (its upper limb with 34' of refraction, from its
// geocentric place with the mean parallax). When `declination` is not null it
// receives the Moon's declination at 0 h of the day. Returns the engine's
// result (0: the Moon does not set that day).
int ComputeMoonRiseSet(int year, int month, int day, double* rise, double* transit, double* set,
                       double* declination = nullptr, unsigned* events = nullptr);

// As ComputeMoonRiseSet, but a rise or set that falls after the next midnight
// is taken from the next day's computation plus 24 h, so that both count from
// the same midnight, each with the next day's bit for it. The transit is the
// first run's. Returns the result of the last engine run.
int ComputeMoonRiseSetWrapped(int year, int month, int day, double* rise, double* transit,
                              double* set, unsigned* events = nullptr);

// The Sun, h0 = -0.833333 degree (its upper limb with 34' of refraction). When
// `twilightEnd` is not null it receives the end of the evening astronomical
// twilight (the Sun's centre setting through -18 degrees): 23.99 when the Sun
// stays above -18 all night, 0 when it stays below all day; `twilightEvents`
// the bits of that run (kRiseSetSets: the twilight ends that day). Returns the
// engine's result for the rising and setting.
int ComputeSunRiseSet(int year, int month, int day, double* rise, double* transit, double* set,
                      double* twilightEnd = nullptr, unsigned* events = nullptr,
                      unsigned* twilightEvents = nullptr);

// Every crossing of the Sun's upper limb through the horizon (h0 = -0.833333
// degree) within the local day, from the same places: ComputeDayCrossings.
void ComputeSunDayCrossings(int year, int month, int day, DayCrossings* out);
