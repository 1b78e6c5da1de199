// Rising, transit and setting times of a body on a local date, and the end of
// the evening astronomical twilight.
//
// Every time is in hours of local civil time counted from 0 h of the date
// passed. Right ascensions are in hours, declinations and altitudes in degrees.
// h0 is the altitude of the body's centre at rising and setting: +0.125 for
// the Moon (from its geocentric place), -0.833333 for the Sun, -18 for the end
// of astronomical twilight. The site (zone, west-positive longitude, sine and
// cosine of the latitude) is read from currentSite.
//
// Sentinels: a body that never rises gives rise = transit = set = 0; one that
// never sets gives rise 0 and set 23.99, with transit 12.0 from the
// interpolating engine and the real transit from the fixed one.
#pragma once

// Meeus, Astronomical Algorithms, ch. 15: the body's places at 0 h of the local
// dates before, of and after the date (ra1/dec1, ra2/dec2, ra3/dec3),
// interpolated, with two correction passes. The date and time are the local
// clock reading of the day's start (callers pass 0, 0, 0). Right ascensions
// are taken to increase (a pass through 24 h is unwrapped), so the engine
// serves the Sun and the Moon, not a retrograde planet. Results may fall below
// 0 or beyond 24 when the event belongs to the neighbouring day. Returns 0 for
// a body that never sets at h0, else 1.
int ComputeRiseTransitSet(int year, int month, int day, int hour, int minute, int second,
                          double ra1, double dec1, double ra2, double dec2, double ra3,
                          double dec3, double h0, double* rise, double* transit, double* set);

// For a body whose place is taken as fixed over the day (stars, deep-sky
// objects, a planet or comet from one place): transit from the local sidereal
// time at local noon (sidereal hours used as civil hours, good to a few
// minutes), rising and setting with h0 lowered by the dip of the horizon for
// the site's height and by 0.61 degree for refraction and semi-diameter.
// latitude is not used (the site's sine and cosine are); longitude in
// degrees, west positive; zone in minutes; height in metres (a site below sea
// level has no dip). The sidereal time is kept for the last date, zone and
// longitude. Results stay within 0..24. Always returns 0.
int ComputeRiseTransitSetFixed(int year, int month, int day, double latitude, double longitude,
                               int zone, int height, double h0, double ra, double dec,
                               double* rise, double* transit, double* set);

// Number of sidereal times ComputeRiseTransitSetFixed computed since the
// start (calls served from its one-entry cache do not count).
long GetFixedRiseSetSiderealTimeCount();

// The Moon's rising, transit and setting on a local date by the interpolating
// engine, from the low-precision Moon at 0 h of the day before, the day and the
// day after, h0 = +0.125. When `declination` is not null it receives the
// Moon's declination at 0 h of the day. Returns the engine's result.
int ComputeMoonRiseSet(int year, int month, int day, double* rise, double* transit, double* set,
                       double* declination = nullptr);

// As ComputeMoonRiseSet, but a rise or set that falls after the next midnight
// is taken from the next day's computation plus 24 h, so both are counted from
// the same midnight. The transit is the first run's. Returns the result of the
// last engine run.
int ComputeMoonRiseSetWrapped(int year, int month, int day, double* rise, double* transit,
                              double* set);

// The Sun's rising, transit and setting on a local date (h0 = -0.833333) by
// the interpolating engine. When `twilightEnd` is not null it receives the end
// of the evening astronomical twilight (the Sun's setting through -18
// degrees): 23.99 when the Sun stays above -18 all night, 0 when it stays
// below all day. Returns the engine's result for the rising and setting.
int ComputeSunRiseSet(int year, int month, int day, double* rise, double* transit, double* set,
                      double* twilightEnd = nullptr);
