// Pluto's heliocentric place by the periodic series of Meeus, Astronomical
// Algorithms, ch. 37, cut to seven terms: the first six harmonics of Pluto's
// mean longitude P and the one term in S - P (Saturn's minus Pluto's mean
// longitude). Ecliptic and equinox J2000.0, as the series is published.
#pragma once

// T: Julian centuries of TT from J2000.0. Writes the heliocentric ecliptic
// longitude and latitude (radians) and the radius vector (AU). Longitude and
// latitude are reduced by fmod 360 degrees, keeping their sign. Any T is taken;
// the series is meant for the years 1885 to 2099.
void ComputePlutoHeliocentric(double t, double* longitude, double* latitude, double* radius);
