// Ecliptic to equatorial coordinates for the Sun and Moon routines.
#pragma once

// Right ascension (radians, [0, 2 pi)) and declination (radians) of the ecliptic place
// (longitude, latitude; radians) for the obliquity (radians), all of the same equinox.
void EclipticToEquatorial(double longitude, double latitude, double obliquity, double* ra,
                          double* dec);

// True obliquity of the ecliptic in radians at T (Julian centuries of TT from J2000.0): the
// IAU 1976 mean obliquity (Lieske 1977, with the T^3 term) plus the nutation in obliquity
// (arcseconds).
double ComputeTrueObliquity(double t, double nutationObliquity);
