// Fast planet positions for the planets assistant: two-body orbits from
// Keplerian elements that vary linearly with time (the JPL table of elements
// for approximate positions of the major planets, mean ecliptic and equinox
// J2000.0, valid 1800-2050; Pluto's mean motion the published 522747.90" a
// century). Measured over 1800-2050 against ERFA's plan94 and epv00 (PyEphem
// for Pluto, from 1885), heliocentric longitudes: Saturn 0.20 degree (near 1800),
// Jupiter 0.12, Mars and Uranus 0.05, Mercury, Venus, Neptune, Pluto and the
// Earth 0.02; latitudes within 0.03 (the Earth is kept in the J2000 ecliptic,
// which has moved by 0.026 degree by 1800). Geocentric places add the
// program's obliquity, 0.01 degree below J2000's.
#pragma once

// Origin of the band chart in view mode 0, in pixels. The planets assistant sets it.
extern int planetBandOriginX;
extern int planetBandOriginY;

// Sizes of the caller's arrays: entries are indexed by BodyIndex up to 10 (Earth).
constexpr int kApproxPlanetPlaceSize = 2 * 11;
constexpr int kApproxPlanetViewSize = 3 * 11;

// Positions of bodies first..last (2 Mercury .. 9 Pluto, 10 Earth, for which
// the place is the Sun's as seen from the Earth) for a local civil date and
// time (universal time = local time - currentSite.zoneMinutes; the day may run
// past the month's end). place[2 b], place[2 b + 1]: geocentric right ascension
// (hours, [0, 24)) and declination (degrees), referred to the ecliptic of J2000
// turned by the obliquity 23.429292 degrees. view[3 b .. 3 b + 2] by mode:
//   0 band chart pixels (planetBandOriginX + floor(240 RA / 24),
//     planetBandOriginY + 40 - floor(Dec)); the third value is not written;
//   1 orbit view units (-S Y, -S X, -S a e), S the body's scale per AU;
//   2 heliocentric ecliptic (X, Y, Z) in AU;
//   3 (geocentric distance, heliocentric distance, Earth-Sun distance) in AU;
//     for the Earth all three are the Earth-Sun distance;
//   any other mode: the view array is not written.
// Pluto has no place outside the years its series holds for ComputeBody
// (1885-2099, TT): its place and the view entries of the mode are then not a
// number, and the caller leaves it out.
// In modes 1 and 2 the Earth's view entry is written whatever the range.
// first is raised to 2 and last lowered to 10; entries outside the range are
// not touched. place needs kApproxPlanetPlaceSize floats, view kApproxPlanetViewSize.
void ComputeApproxPlanet(int year, int month, int day, int hour, int minute, float* view,
                         float* place, int mode, int first, int last);
