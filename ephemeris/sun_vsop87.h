// The Sun by the abridged VSOP87D series of the Earth (Meeus, Astronomical Algorithms,
// Appendix III and chapter 25, the higher-accuracy method). T is in Julian centuries of
// dynamical time from J2000.0: T = (JD(TT) - 2451545.0) / 36525. Against the complete VSOP87
// the abridged series is good to about 1" in longitude over 1900-2100.
#pragma once

#include "ephemeris/body_position.h"

// Heliocentric ecliptic longitude of the Earth, degrees, mean ecliptic and dynamical equinox of
// date (no FK5 correction), reduced by fmod to within +-360 (in practice [0, 360)).
double ComputeEarthLongitude(double t);

// Geometric geocentric place of the Sun at T: longitude (radians, FK5, mean equinox of date;
// not reduced, between pi and 3 pi), latitude (radians, FK5) and the Earth-Sun distance (AU).
void ComputeGeometricSun(double t, double* longitude, double* latitude, double* distance);

// Apparent place of the Sun at T (nutation IAU 1980, aberration 20.4898"/R, true obliquity):
// writes record->ra (radians, [0, 2 pi)), dec (radians), distance (AU), sunMoonFraction (1.0)
// and magnitude (SunMagnitude); leaves the other fields. Leaves the apparent longitude, the latitude
// and R in ephemerisWork.
void ComputeApparentSun(BodyPosition* record, double t);

// The Sun's apparent visual magnitude at a distance from the Earth (AU): -26.74 at 1 AU, the
// flux falling as the inverse square of the distance (-26.78 in early January, -26.71 in
// early July).
double SunMagnitude(double distance);
