// Low-precision places of the Sun and the Moon of the Astronomical Almanac's
// "low-precision formulae" (Sun to about 0.01 degree, Moon to about 0.3 degree
// in longitude and 0.2 degree in latitude over 1950-2050), with the two angle
// helpers the sky-brightness model uses. Universal time is close enough for
// this accuracy.
#pragma once

// Polar angle of the vector (x, y) in radians, [0, 2 pi); 0 for the zero vector.
double VectorAngle(double x, double y);

// Angle in radians between two directions given as (right ascension in hours,
// declination in degrees); also used with (azimuth / 15, altitude). Below 1e-5
// radian, away from the poles, the small-angle formula takes over, which keeps
// precision where the cosine formula loses it.
double AngularDistanceRad(double ra1, double dec1, double ra2, double dec2);

// The Sun's geocentric right ascension (hours, [0, 24)) and declination
// (degrees) at the Julian day jd, mean equinox of date.
void ComputeSunRaDec(double jd, double* ra, double* dec);

// The Moon's topocentric right ascension (hours, [0, 24)), declination
// (degrees) and distance (Earth radii) at the Julian day jd, for the local
// sidereal time lst (hours) and the observer's latitude (degrees, spherical
// Earth at sea level).
void ComputeMoonTopocentric(double jd, double lst, double latitude, double* ra, double* dec,
                            double* distance);
