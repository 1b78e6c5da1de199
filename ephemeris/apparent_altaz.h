// Apparent altitude and azimuth of a fixed object for the current site, with the J2000 to
// date conversion, the horizontal place with iterated refraction and the refraction formula.
#pragma once

#include "ephemeris/apparent_places.h"

// The kinds of place of the position-mode preference; a negative mode takes RA and Dec as
// already of date, refracted in mode kModeOfDateRefracted alone.
enum PositionMode : int {
    kModeOfDateRefracted = -3,
    kModeGeocentric = 0,
    kModeGeocentricRefracted = 1,
    kModeTopocentric = 2,
    kModeTopocentricRefracted = 3
};

// Altitude and azimuth (degrees, azimuth from north through east in [0, 360)) of an object
// at J2000 RA (hours) and Dec (degrees), for the current site at a local civil date and time,
// in a position mode: 0 geocentric (precession and nutation only), 1 the same refracted,
// 2 topocentric apparent place, 3 the same refracted; a negative mode takes RA and Dec as of
// date (kModeOfDateRefracted, -3, refracts them; other negative modes do not). outRa and
// outDec receive the place used (of date, refracted where refraction applies).
// Modes 2 and 3 hold wherever the Earth's solar series does (-4000 to +2800, beyond the
// planets' range: a star needs the Earth alone). Returns 0, or in modes 2 and 3 the chain's
// code for a date outside that span; the place is then mode 0's (1's when refracted): the
// apparent place less the aberration, some 20".
int ComputeApparentAltAz(double ra, double dec, double* outRa, double* outDec, double* altitude,
                         double* azimuth, int mode, int year, int month, int day, int hour,
                         int minute, int second);

// Mean J2000 RA (hours) and Dec (degrees) in place to the true equator and equinox of JD (TT)
// by the IAU 1976 precession and IAU 1980 nutation. The product matrix is kept for the last JD.
void ConvertJ2000ToDate(double jd, double* ra, double* dec);

// Zenith distance and azimuth (degrees, from north through east) of RA (hours) and Dec
// (degrees) of date, for the site at JD (TT) with deltaT = TT - UT (seconds) and polar motion
// x, y (arcsec). Refraction option 0 none, 2 from the site's pressure and temperature, any
// other a standard atmosphere for the site's height. outRa and outDec receive the place moved
// by the refraction (or the input). At the zenith the azimuth is left as it was.
void ComputeHorizontalPlace(double jd, double deltaT, double x, double y, const AstroSite* site,
                            double ra, double dec, int option, double* zenithDistance,
                            double* azimuth, double* outRa, double* outDec);

// Atmospheric refraction (degrees) at an observed zenith distance z (degrees) by Bennett's
// formula (0.28 P / (T + 273) times 1' / tan(h + 7.31 / (h + 4.4)), h = 90 - z); 0 below 0.1
// or above 91 degrees. Option 2: the site's pressure (mbar) and temperature (C); other
// options: 1010 exp(-height / 9100) mbar and 10 C.
double ComputeRefraction(const AstroSite* site, int option, double z);

// Empties the matrix cache of ConvertJ2000ToDate (for tests).
void ResetJ2000ToDateCache();
