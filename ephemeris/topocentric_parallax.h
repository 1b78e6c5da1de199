// Geocentric places moved to an observer on the Earth's surface: the rigorous
// parallax of Meeus, Astronomical Algorithms, ch. 40, with the observer's
// geocentric coordinates of ch. 11 (IAU 1976 ellipsoid, a = 6378.14 km,
// b/a = 0.99664719) and the apparent sidereal time of ch. 12.
#pragma once

// Mean obliquity of the ecliptic (IAU 1976), degrees, for T in Julian centuries
// of TT from J2000.0: 84381.448" - 46.815" T - 0.00059" T^2 + 0.001813" T^3.
double ComputeMeanObliquity(double t);

// Moves the right ascension and declination (radians, true equator and equinox
// of date, replaced in place and not reduced to a range) of a body at `delta`
// AU from the Earth's centre to the place seen from a site at `longitude`
// (degrees, WEST positive), `latitude` (degrees) and `height` (metres above sea
// level). T: Julian centuries from J2000.0 of the universal time of the
// instant: the sidereal time is formed from it (a T of TT would turn the site
// by Delta T, 15" cos(latitude) of the Moon's shift per minute of it); the
// nutation and obliquity do not tell the two scales apart.
// Below 0.005 AU (the Moon) the parallax is the Earth's radius over the
// distance; beyond it 8.794" / delta. When both azimuth and altitude are given
// they receive the topocentric altitude and azimuth in degrees (azimuth from
// north through east, no refraction; 0 at the zenith).
void ApplyTopocentricParallax(double t, double* ra, double* dec, double* azimuth, double* altitude,
                              double delta, double longitude, double latitude, double height);
