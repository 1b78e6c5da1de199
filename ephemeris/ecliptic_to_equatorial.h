// Ecliptic to equatorial coordinates for the Sun and Moon routines.
#pragma once

// Right ascension (radians, [0, 2 pi)) and declination (radians) of the ecliptic place
// (longitude, latitude; radians) for the obliquity (radians), all of the same equinox.
void EclipticToEquatorial(double longitude, double latitude, double obliquity, double* ra,
                          double* dec);
