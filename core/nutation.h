// IAU 1980 nutation with its per-T cache, the fundamental arguments and the Earth tilt.
#pragma once

// Delaunay arguments of the IAU 1980 theory at T (Julian centuries of TT from J2000.0):
// args[0..4] = l, l', F, D, Omega in radians, each reduced to [0, 2 pi).
void ComputeFundamentalArguments(double t, double* args);

// IAU 1980 nutation (106 terms; Seidelmann 1982, Explanatory Supplement 1992 section 3.222) at
// T (Julian centuries of TT from J2000.0): nutation in longitude and in obliquity, arcseconds.
// The last T and its pair are cached: the same T again costs nothing. Each sum runs over its
// terms in increasing order of absolute amplitude. Always returns 0.
int ComputeNutationSeries(double t, double* nutationLongitude, double* nutationObliquity);

// Releases the series' work tables (at shut-down); the cached T and pair stay valid and a new
// T sets the tables up again.
void FreeNutationTables();

// Number of series evaluations since the start (calls served from the cache do not count).
long GetNutationEvaluationCount();

// Earth tilt at JD (TT): mean and true obliquity of date (IAU 1976 / 1980, degrees), equation
// of the equinoxes (seconds of time, with the 1994 terms in Omega), nutation in longitude and
// obliquity (arcseconds, the series as it stands). The nutation is reused for calls within
// 1e-6 day of the previous one.
void ComputeEarthTilt(double jd, double* meanObliquity, double* trueObliquity,
                      double* equationOfEquinoxes, double* nutationLongitude,
                      double* nutationObliquity);

// Empties the series and Earth-tilt caches (for tests).
void ResetNutationCaches();
