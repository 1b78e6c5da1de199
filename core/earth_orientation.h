// Earth orientation for the vector astrometry: nutation and IAU 1976 precession of vectors,
// the precession and nutation matrices, sidereal time from a Julian day, polar motion and
// spin, the Earth-fixed to J2000 rotation and TDB - TT.
//
// Vectors are three doubles (x towards the equinox, z towards the pole). Output vectors must
// not be the input vectors. Matrices are nine doubles, row-major; the three matrix builders
// store their matrices for vectors given in the order (y, x, z).
#pragma once

// Rotates v between the mean and the true equator and equinox of JD (TT), IAU 1980 nutation:
// direction 0 mean to true, 1 true to mean. Always returns 0.
int ApplyNutation(double jd, int direction, const double* in, double* out);

// IAU 1976 precession (Lieske et al. 1977) of a vector of the mean equator and equinox of
// jd1 to that of jd2 (TT).
void ApplyPrecession(double jd1, const double* in, double jd2, double* out);

// Precession from J2000.0 to the mean equator and equinox of JD (TT), for (y, x, z) vectors.
// At JD 2451545.0 it is the identity.
void ComputePrecessionMatrix(double jd, double* matrix);

// The true-to-mean nutation rotation of JD (TT), for (y, x, z) vectors.
void GetNutationMatrix(double jd, double* matrix);

// IAU 1982 sidereal time (hours, [0, 24)) of the UT1 Julian day jdHigh + jdLow; with ee the
// equation of the equinoxes (seconds of time) it is apparent, with 0 mean sidereal time.
void ComputeSiderealTimeFromJd(double jdHigh, double jdLow, double ee, double* siderealTime);

// Polar motion x, y (arcseconds), small-angle rotation of an Earth-fixed vector.
void ApplyPolarMotion(double x, double y, const double* in, double* out);

// Rotation by the sidereal time (hours) about the pole: Earth-fixed to true equator of date.
void ApplyEarthSpin(double siderealTime, const double* in, double* out);

// Earth-fixed vector to the true equator and equinox of date (polar motion x, y in arcsec and
// sidereal time in hours, each skipped when 0.0) and, when jd (TT) is not 0.0, further to the
// mean equator and equinox of J2000.0.
void TerrestrialToCelestial(double jd, double siderealTime, double x, double y, const double* in,
                            double* out);

// TT Julian day of the TDB Julian day jdTdb and TDB - TT in seconds (the two largest periodic
// terms, amplitude 1.658 ms; Explanatory Supplement 1992 section 2.222).
void ConvertTdbToTt(double jdTdb, double* jdTt, double* tdbMinusTt);

// The chart's local frame at a local civil date and time for the current site: rotation by
// the hour angle 12 h - LST and the site latitude. Rows (cos h, sin h, 0),
// (-sin h sin f, cos h sin f, cos f), (sin h cos f, -cos h cos f, sin f).
void ComputeHourAngleFromLst(int year, int month, int day, int hour, int minute, int second,
                             double* matrix);
