// Rising, transit and setting times of a body on a local date (the Sun and the
// Moon with the end of the evening twilight: ephemeris/sun_moon_rise_set.h).
//
// Every time is in hours of local civil time counted from 0 h of the date
// passed. Right ascensions are in hours, declinations and altitudes in degrees.
// h0 is the altitude of the body's centre at rising and setting: +0.125 for
// the Moon (from its geocentric place), -0.833333 for the Sun, -18 for the end
// of astronomical twilight. The site (zone, west-positive longitude, sine and
// cosine of the latitude) is read from currentSite.
//
// Sentinels: a body that never rises gives rise = set = 0; one that never sets
// gives rise 0 and set 23.99. The transit is always the real upper
// culmination, below h0 for a body that never rises; from the interpolating
// engine it lies at or beyond 24 h on a day that has none (the Moon's, about
// once a month: the next day's culmination). The stand-in rise and set
// times only keep orderings and bounds working: whether an event happened is
// told by the events word each engine fills in (RiseSetEvent bits), never by
// comparing a time with 0 or 23.99 (a real rising at 00:00 is a time).
#pragma once

// Bits of the events word: what the day holds at h0.
enum RiseSetEvent : unsigned {
    kRiseSetRises = 1u,     // *rise is a real rising
    kRiseSetSets = 2u,      // *set is a real setting
    kRiseSetAlwaysUp = 4u,  // no crossing that day: above h0 the whole day
    kRiseSetNeverUp = 8u,   // no crossing that day: below h0 the whole day
};

// Whether an event falls on the local day the engine was asked for: it
// happened (its events bit, or a transit, which is always real) and its time
// lies at or after 0 h and before 24 h. Engines may report the neighbouring
// day's event at a time below 0 or from 24 h on; that event is not the day's.
inline bool HappensOnDay(bool happened, double hours) {
    return happened && hours >= 0.0 && hours < 24.0;
}

// Meeus, Astronomical Algorithms, ch. 15: the body's places at 0 h of the local
// dates before, of and after the date (ra1/dec1, ra2/dec2, ra3/dec3; places of
// those universal times, so Delta T plays no part), interpolated, each event
// corrected until the step falls below 1e-5 day (at most ten steps of at most
// half a day). The date and time are the local clock reading of the day's
// start (callers pass 0, 0, 0). Right ascensions are taken to increase (a pass
// through 24 h is unwrapped), so the engine serves the Sun and the Moon, not a
// retrograde planet. Results may fall below 0 or beyond 24 when the event
// belongs to the neighbouring day.
// Near the limit of always up or never up: the whole-day sentinels come
// straight from the declinations when both the day's and the next day's stand
// beyond it; otherwise each rising and setting is corrected from Meeus's start
// and, when that misses it, from the interval of the day in which the
// interpolated altitude passes h0 (the day cut at every half hour and at its
// culminations, so that a body up or down for minutes about one is seen
// there), that interval being halved down to the crossing when the
// corrections fail there too (near a lower culmination, or at the pole, where
// they divide by the cosine of the latitude) or leave it. Corrections
// that do not settle, or end more than 0.01 degree from h0 (or on the wrong
// side of the meridian), found nothing; with no interval passing h0 the
// event did not happen: rise 0, or set 23.99. With neither within the day,
// the altitude at the transit chooses the whole-day sentinels.
// For the Moon at 64.8 N through 2024 against PyEphem: every event within
// 0.063 degree of h0, the sentinels on every day the Moon stays 0.1 degree
// above or below it. Through 2027 at 71.3 N, 64.8 N, 64 S and the pole
// against PyEphem's altitudes, the Sun's and the Moon's risings and settings:
// every one found and none false, within 3 minutes but for a body up or down
// for less than about two hours and at the pole (within 12 minutes); one end
// of the twilight missed, at 71.3 N 1.2 h after midnight on the first night
// that has one. At 67 to 78 degrees of either latitude, every 20 degrees of
// longitude, a Sun up or down for minutes at the ends of the polar night and
// of the midnight sun gets both crossings or neither. Returns 0 for a body
// that never sets at h0, else 1.
// Where the day holds two crossings of one kind (at high latitude the start
// of last night's darkness just after midnight and of tonight's just before
// the next), the earliest rising and the latest setting of the day are given:
// the two that bound the span above h0 that holds the day's transit, as the
// day's own when it has only one, and a neighbouring day's crossing only when
// the day has none of that kind.
// When `events` is not null it receives the RiseSetEvent bits: a rising or
// setting found may lie before 0 or after 24 h (the neighbouring day's).
int ComputeRiseTransitSet(int year, int month, int day, int hour, int minute, int second,
                          double ra1, double dec1, double ra2, double dec2, double ra3,
                          double dec3, double h0, double* rise, double* transit, double* set,
                          unsigned* events = nullptr);

// Every passage of the body through h0 within the local day, from the same
// places and interpolation as ComputeRiseTransitSet (the date's start at 0 h):
// the altitude is compared at the day's start and end and at its culminations,
// between which it only climbs or only sinks, and each change of side is
// corrected (or halved) down to its crossing. A body that passes h0 by less
// than about 0.02 degree near a culmination may be taken as not crossing.
constexpr int kMaxDayCrossings = 4;
struct DayCrossings {
    double transit = 0.0;    // hours after 0 h: the upper culmination, as ComputeRiseTransitSet gives it
    bool upAtStart = false;  // above h0 at 0 h
    int count = 0;
    double hours[kMaxDayCrossings] = {};  // in time order, each in [0, 24)
    bool rising[kMaxDayCrossings] = {};   // true for a rising, false for a setting
};
void ComputeDayCrossings(int year, int month, int day, double ra1, double dec1, double ra2, double dec2,
                         double ra3, double dec3, double h0, DayCrossings* out);

// For a body whose place is taken as fixed over the day (stars, deep-sky
// objects, a planet or comet from one place): transit from the local sidereal
// time at local noon (the hour angle turned into civil time by 0.9972695663
// mean solar per sidereal hour), rising and setting with h0 lowered by the dip
// of the horizon for the site's height and by 0.61 degree for refraction and
// semi-diameter (FixedRiseSetHorizonSine); an event carried into the day
// moves by a sidereal day (23.9345 h). For the place given, transits agree
// with PyEphem within 4 s,
// risings and settings within 10 s (stars at 40 N, 34 S and 60 N).
// latitude is not used (the site's sine and cosine are); longitude in
// degrees, west positive; zone in minutes; height in metres (a site below sea
// level has no dip). The sidereal time is kept for the last date, zone and
// longitude. Results stay within 0..24. Always returns 0. `events` as for
// ComputeRiseTransitSet: a body whose arc crosses h0 rises and sets every day;
// a place at a pole of the sky (declination +-90), whose altitude is the
// latitude (minus it at -90) all day, is up all day where that stands above
// the altitude tested (h0 less the dip and the refraction), else down all day.
int ComputeRiseTransitSetFixed(int year, int month, int day, double latitude, double longitude,
                               int zone, int height, double h0, double ra, double dec,
                               double* rise, double* transit, double* set,
                               unsigned* events = nullptr);

// Sine of the altitude at which ComputeRiseTransitSetFixed takes a place to
// rise or set for the horizon h0 (degrees) at a site `height` metres above
// sea level: h0 lowered by 0.61 degree (0.010646508 radian) for refraction and
// semi-diameter and by the dip of the horizon, acos(R / (R + height)) on a
// sphere of R = 6378140 m (none at or below sea level).
double FixedRiseSetHorizonSine(double h0, int height);

// Number of sidereal times ComputeRiseTransitSetFixed computed since the
// start (calls served from its one-entry cache do not count).
long GetFixedRiseSetSiderealTimeCount();
