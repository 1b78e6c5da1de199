// Fast places of the Sun and the Moon for a local civil date and time at currentSite, without
// the series of the precise theories. Both take Delta T in whole seconds (truncated toward
// zero) and the site's zone minutes, and return the right ascension in hours, [0, 24), and
// the declination in degrees.
#pragma once

// Keplerian Sun on Newcomb-style mean elements counted from 1900 (T in Julian centuries from
// JD 2415020.0): geometric, mean equinox of date, no aberration or nutation; good to 0.01
// degree over 1800-2100. Leaves its elements and Kepler solution in ephemerisWork.
void ComputeSunPosition(double* ra, double* dec, int year, int month, int day, int hour,
                        int minute, int second);

// The Moon by the short series (18, 14 and 13 terms) on the ELP 2000-82 fundamental arguments,
// mean equinox of date, then moved towards the site with an effective distance of about 60 000
// Earth radii, so the place stays in effect geocentric (a shift of at most about 3"). Good to
// 0.06 degree over 1800-2100.
void ComputeMoonPosition(double* ra, double* dec, int year, int month, int day, int hour,
                         int minute, int second);

// ComputeMoonPosition with the Moon's distance from the Earth's centre in km (Meeus,
// Astronomical Algorithms, ch. 47: 385000.56 km plus the series' 13 terms; good to 230 km over
// 1900-2100).
void ComputeMoonPositionAndDistance(double* ra, double* dec, double* distanceKm, int year, int month, int day,
                                    int hour, int minute, int second);

// The same Moon at a date and time of universal time, whatever the site's zone: for
// instants that come as universal time (eclipse contacts, greatest eclipse). Delta T is
// that of the universal-time date.
void ComputeMoonPositionUT(double* ra, double* dec, int year, int month, int day, int hour,
                           int minute, int second);

// Julian day (TT) of a local civil date and time at currentSite: Delta T in whole seconds
// (truncated toward zero) added to the seconds, the site's zone minutes subtracted.
double DynamicalJulianDay(int year, int month, int day, int hour, int minute, int second);

// The whole seconds of Delta T (truncated toward zero) that DynamicalJulianDay adds for a
// local date: subtracted from its result they give back universal time.
int WholeSecondsDeltaT(int year, int month, int day);

// The Keplerian Sun's elements and Kepler solution at T (Julian centuries from JD 2415020.0),
// left in ephemerisWork: obliquity, mean longitude, mean anomaly (radians, reduced by fmod
// 360 degrees), eccentricity, eccentric and true anomaly, true longitude (radians).
void ComputeLowPrecisionSunElements(double t);

// Kepler's equation E - e sin E = M by Newton's method from E = M, radians. The loop ends after
// the first correction that is not above 1e-9, negative ones included: one step when sin M is
// negative (or zero), two when it is positive. Returns the number of steps.
int SolveKeplerSigned(double meanAnomaly, double eccentricity, double* eccentricAnomaly);
