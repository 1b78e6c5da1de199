// The Moon by the lunar theory ELP 2000-82B, truncated (Chapront-Touze & Chapront 1983, 1988),
// and the places built on it. T is in Julian centuries of dynamical time from J2000.0:
// T = (JD(TT) - 2451545.0) / 36525. Over 1900-2100 the truncation stays within 6" in
// longitude, 1.1" in latitude and 5.2 km in distance of the complete ELP 2000-82B.
#pragma once

#include "ephemeris/body_position.h"

// Geometric geocentric place of the Moon: longitude (radians, mean ecliptic and equinox of
// date, not reduced: within about +-2.1 pi), latitude (radians) and distance (AU). Returns the
// distance as well. 400 longitude, 411 latitude and 344 distance terms.
double ComputeGeometricMoon(double t, double* longitude, double* latitude, double* distance);

// The same outputs from the short series (18, 14 and 13 terms; Meeus, Astronomical Algorithms,
// chapter 47, abridged): within 0.06 degree in longitude, 0.03 degree in latitude and 230 km.
double ComputeMoonShortSeries(double t, double* longitude, double* latitude, double* distance);

// Apparent place of the Moon at T (nutation IAU 1980 and true obliquity; no aberration):
// writes record->ra (radians, [0, 2 pi)), dec (radians), distance (AU), sunMoonFraction
// (illuminated fraction from the phase angle), magnitude and apparentDiameter (arcminutes).
// sunLongitude (radians) is the Sun's geocentric longitude, used only for the elongation,
// the phase angle, the fraction and the magnitude. Leaves its arguments in ephemerisWork.
void ComputeApparentMoon(BodyPosition* record, double t, double sunLongitude);

// Apparent place of the centre of the Earth's shadow at the Moon's distance (the antisolar
// point, with the nutation and a constant aberration of 20.4898"): writes the same fields as
// ComputeApparentMoon, with the Moon's distance; apparentDiameter is the angular diameter of
// the umbra at the Moon's distance in arcminutes (Earth radius 6378.14 km, Sun 695000 km).
void ComputeApparentEarthShadow(BodyPosition* record, double t, double sunLongitude);
