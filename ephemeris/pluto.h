// Pluto's heliocentric place by the periodic series of Meeus, Astronomical
// Algorithms, ch. 37, cut to seven terms: the first six harmonics of Pluto's
// mean longitude P and the one term in S - P (Saturn's minus Pluto's mean
// longitude). Ecliptic and equinox J2000.0, as the series is published.
#pragma once

// T: Julian centuries of TT from J2000.0. Writes the heliocentric ecliptic
// longitude and latitude (radians) and the radius vector (AU). Longitude and
// latitude are reduced by fmod 360 degrees, keeping their sign. Any T is taken;
// the series holds only from 1885 to 2099 (below).
void ComputePlutoHeliocentric(double t, double* longitude, double* latitude, double* radius);

// The years the series holds in Meeus's chapter, 1885 January 1.0 to 2100
// January 1.0 (TT) as Julian days; outside them its error grows to about 20
// degrees by 1600.
constexpr double kPlutoSeriesFirstDay = 2409542.5;
constexpr double kPlutoSeriesEndDay = 2488069.5;

// Whether Pluto is placed at the Julian day jdTT (TT): only within those years.
constexpr bool PlutoSeriesHolds(double jdTT) { return jdTT >= kPlutoSeriesFirstDay && jdTT < kPlutoSeriesEndDay; }
