// The Moon's librations: optical and physical, for a direction seen from the
// Moon's centre given in ecliptic coordinates.
#pragma once

// Librations in longitude and latitude (degrees) of the direction at ecliptic
// longitude and latitude (degrees, mean equinox of date) as seen from the
// Moon: optical l1, b1 and physical l2, b2. Given the Moon's geocentric place
// this is the libration seen from the Earth; given the Moon's heliocentric
// direction, l1 + l2 and b1 + b2 are the Sun's selenographic coordinates.
// jd: Julian day used as given (the series want dynamical time; the Moon
// callers pass universal time, which shifts l1 by about 0.01 degree per
// minute of Delta T). The Moon's mean elements of ch. 47, a
// four-term nutation in longitude and the physical series of ch. 53 of Meeus,
// Astronomical Algorithms (2nd ed.); l1 lies in (-540, 540), not reduced.
// Returns 1.
int ComputeLunarLibrations(double jd, double longitude, double latitude, double* l1, double* b1,
                           double* l2, double* b2);
