// The short nutation series and the apparent Greenwich sidereal time of the eclipse engine,
// in Julian centuries T from J2000.0 (JD 2451545.0). Results go to eclipseWork
// (core/eclipse_work.h) so that the eclipse routines share one nutation and one sidereal time
// per instant. (The full 106-term series of the vector astrometry is core/nutation.h.)
#pragma once

// Mean elongation D, Moon's mean anomaly M', Sun's mean anomaly M, Moon's argument of
// latitude F (each reduced by fmod 360 degrees, keeping its sign) and the longitude of the
// Moon's node Omega (not reduced), radians; mean obliquity eps0 by Laskar's polynomial
// truncated after its seventh power (Meeus, Astronomical Algorithms, 22.3), radians.
// Meeus chapters 22 and 47; eps0 good to 0.01" within 1000 years of J2000.
void ComputeNutationArguments(double t, double* d, double* mMoon, double* mSun, double* f,
                              double* omega, double* eps0);

// Nutation in longitude and the true obliquity (eps0 plus the nutation in obliquity), radians,
// by the 18 largest terms of the IAU 1980 series (Meeus table 22.A, rows 1-18): within about
// 0.03" of the complete series.
void ComputeNutation(double t, double* nutationLongitude, double* trueObliquity);

// Apparent Greenwich sidereal time in hours, also stored in eclipseWork. The caller fills the
// days-from-J2000, time-of-day and negative-Delta-T places and eclipseMinusDeltaT first. The
// result is the IAU 1982 mean sidereal time at 0h UT of the date plus eclipseMinusDeltaT
// (seconds) plus the equation of the equinoxes, not reduced to 0..24 (the local circumstances
// add the time of day). T is replaced in eclipseWork by the dynamical time of the instant:
// T + (time of day - negative Delta T) / 876600. The nutation is computed at that T when
// sunMoonSource is 0 or when the stored nutation and obliquity are both 0; otherwise the stored
// pair is reused.
double ComputeGreenwichSiderealTime(double t);
