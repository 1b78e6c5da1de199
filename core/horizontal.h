// Horizontal coordinates from an equatorial position and a local sidereal time,
// by plain spherical trigonometry (no refraction, no precession).
// Right ascension and sidereal time in hours; declination, latitude, altitude
// and azimuth in degrees. Azimuth counts from North through East: 0 N, 90 E,
// 180 S, 270 W.
#pragma once

// The same angle in -12..+12 hours; exactly +12 and -12 come back unchanged.
double NormalizeHours(double hours);

// Altitude in degrees (-90..+90) of a position at local sidereal time lst (h),
// right ascension ra (h), declination dec (deg), from latitude lat (deg).
double ComputeAltitude(double lst, double ra, double dec, double lat);

// Azimuth in degrees, [0, 360) from North through East, of the same position.
double ComputeAzimuth(double lst, double ra, double dec, double lat);
