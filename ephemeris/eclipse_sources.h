// The apparent Sun and Moon of the eclipse computations, from the series (sunMoonSource 0:
// the VSOP87 Sun and the ELP-2000/82 Moon at each call) or from two five-node interpolation
// caches (sunMoonSource 1), converted with the nutation and true obliquity held in
// eclipseWork (core/eclipse_work.h; ComputeGreenwichSiderealTime fills them).
//
// T is in Julian centuries of dynamical time from JD 2451545.0. The caches hold the series'
// longitude plus the build's longitude offset (the eclipse list passes the nutation in
// longitude at greatest eclipse), so in source 1 the nutation is not added again: either
// source carries it once. Nothing here is reentrant.
#pragma once

// One cache: five arrays of five doubles (null when missing): abscissae t0 + k step (T),
// their Lagrange weights, longitude plus offset (radians, continuous: each node within half a
// turn of the one before, not reduced), latitude (radians), distance (AU).
struct SunMoonInterpCache {
    double* abscissae;
    double* weights;
    double* longitudes;
    double* latitudes;
    double* distances;
};

extern SunMoonInterpCache sunInterpCache;
extern SunMoonInterpCache moonInterpCache;

// Apparent right ascension (radians), declination (radians) and distance (AU) of the Sun at
// T, with the aberration 20.4955" (1 - e^2) / R; also left in eclipseWork.
void ComputeEclipseSun(double t, double* ra, double* dec, double* dist);

// The same for the Moon (no aberration).
void ComputeEclipseMoon(double t, double* ra, double* dec, double* dist);

// Converts eclipseWork's ecliptic longitude and latitude in place: the apparent longitude
// (plus the nutation in longitude with the series source) back into the longitude place,
// the declination (radians) into the declination place, the right ascension in hours,
// [0, 24), into the latitude place; true obliquity of eclipseWork.
void EclipseEclipticToEquatorial();

// (Re)builds a cache: the series at t0 + k step, k = 0..4, longitudes plus lonOffset
// (radians, each node moved by whole turns to within half a turn of the one before), with the
// busy indicator stepped at each node. A failed allocation leaves the cache empty.
void BuildSunInterpCache(double t0, double step, double lonOffset);
void BuildMoonInterpCache(double t0, double step, double lonOffset);

// Interpolated longitude (with the build's offset; radians, not reduced: take its sine and
// cosine), latitude and distance at T. An empty (or partly missing) cache writes nothing.
void EvalSunInterpCache(double t, double* lon, double* lat, double* dist);
void EvalMoonInterpCache(double t, double* lon, double* lat, double* dist);

// Frees a cache's arrays and clears its pointers; harmless on an empty cache.
void FreeSunInterpCache();
void FreeMoonInterpCache();
