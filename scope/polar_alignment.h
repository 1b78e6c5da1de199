// The numbers of the polar alignment assistant (form 2470), without windows:
// where Polaris stands in a polar finder's reticle (the Quick view), the
// eyepiece's field resolution timed from a star's drift, and the polar-axis
// error of a drift measurement by the King method (no refraction, northern
// sky) or the Rambaut method (refraction of moist air included).
//
// Units: angles in radians unless a name says otherwise; the site longitude
// is positive WEST, as in the site record; times are local civil time with
// the zone in minutes (local = UT + zone). The reticle of the drift methods
// is a box of 59 x 59 design pixels, so a resolution R is in arcseconds per
// reticle pixel and one field of view is 59 R arcseconds.
#pragma once

#include "ephemeris/apparent_places.h"

// Polaris as the astrometry chain takes it: FK5, J2000 place 2.5301955556 h,
// +89.2640888889 deg, proper motion 19.877 s/cy and -1.52 "/cy, parallax
// 0.007", radial velocity -17.0 km/s.
extern const CatalogStar polarisEntry;

// Arcseconds per reticle pixel of a star that crossed the 59-pixel box in
// `seconds` at declination `decDegrees`: seconds x cos(dec) x 15 / 59.
double DriftResolution(double seconds, double decDegrees);

// Radians as a count of fields of view of resolution R: x 3496.0136652050232
// / R (arcseconds / (59 R)). R = 0 gives an infinite (or 0/0) count.
double FieldsOfView(double radians, double resolution);

// Julian day of a local date and time, the zone (minutes) taken off, by the
// calendar formula with 365.25, 30.6001, 1524.5 and 4716 (Gregorian dates).
double PolarJulianDay(int year, int month, int day, int hour, int minute, int second, int zoneMinutes);

// Greenwich mean sidereal time (radians, [0, 2 pi)) of a Julian day (UT):
// 280.46061837 + 360.98564736629 d + 0.000387933 T^2 - T^3 / 38710000 degrees
// (Meeus, Astronomical Algorithms, eq. 12.4).
double PolarGmst(double jd);

// What a drift evaluation reads from the form and the site.
struct PolarInputs {
    double latitude = 0;      // radians, north positive
    double longitude = 0;     // radians, WEST positive
    int height = 0;           // metres
    double temperature = 0;   // kelvin
    int zoneMinutes = 0;      // local civil time - UT
    int year = 2000, month = 1, day = 1, hour = 0, minute = 0, second = 0;  // drift start, local time
    double driftSeconds = 0;  // end - start
    double ra = 0;            // the star's right ascension, radians
    double dec = 0;           // the declination the King method reads (its "Correct" field), radians
    double rambautDec = 0;    // the declination the Rambaut method reads (its "Dec" field), radians
    double x = 0, y = 0;      // drift displacement, reticle pixels (x right, y up)
    double resolution = 0;    // R, arcseconds per reticle pixel
};

// A drift's result: the polar error lambda, its position angle h, and its
// azimuth and altitude components A and k, all in radians (h in [0, 2 pi)).
struct PolarResult {
    double lambda = 0;
    double angle = 0;
    double azimuth = 0;
    double altitude = 0;
};

// Radians the sky turns in `seconds`: x 7.292106590880652e-05.
double DriftAngle(double seconds);

// Hour angle (radians, [0, 2 pi)) of the star at the drift start: GMST of the
// form's date and time in UT, less the right ascension and the west longitude.
double DriftStartHourAngle(const PolarInputs& in);

// King's method: lambda = |(X', Y')| / w, h = w/2 - atan2(-X', -Y') + H0,
// A = sin h / cos(phi) lambda, k = cos h lambda.
PolarResult KingDrift(const PolarInputs& in);

// Water-vapour pressure (hPa) at 50 % relative humidity and `kelvin`
// (Magnus form: 7.5 and 235.0 above freezing, 7.6 and 240.7 below).
double VapourPressure(double kelvin);
// Standard-atmosphere pressure (hPa) at `metres` above sea level.
double HeightPressure(int metres);
// Refractive index of moist air by Owens (1967): dry and water-vapour
// pressures (hPa), temperature (kelvin), wave number sigma (1/micrometre).
double MoistAirIndex(double dryPressure, double vapourPressure, double kelvin, double sigma);
// Refractive index at the site: its height and temperature, 50 % humidity,
// visual light (sigma = 1 / 0.55 um).
double SiteRefractiveIndex(const PolarInputs& in);

// Rambaut's method: the refraction shift over the drift added to the measured
// displacement, then A and k from the hour angle at mid-drift; h = atan2(cos
// phi A, k), lambda = |(cos phi A, k)|.
PolarResult RambautDrift(const PolarInputs& in);

// The Quick view. Hour angle of Polaris (hours, in [-12, 12]) for a local
// sidereal time and its apparent right ascension, both in hours.
double PolarisHourAngle(double lstHours, double raHours);
// Offset in pixels of the Polaris mark from a reticle's centre: distance
// (radius - inset) x 2.5301955556 / ra, position angle H x 15 deg measured
// from the bottom ("0") towards the right ("6"); each coordinate rounded by
// adding 0.5 and truncating. y grows downwards.
void PolarisMarkOffset(double radius, double inset, double raHours, double hourAngle, int* dx, int* dy);
// The time reticle k stands for: the form's time plus 30 k minutes, minutes
// carried into hours and hours into the day (0..23).
void ReticleTime(int hour, int minute, int k, int* outHour, int* outMinute);
