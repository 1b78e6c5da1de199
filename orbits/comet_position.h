// Comets and minor planets from their orbital elements: the position in the
// orbital plane by one of three solutions of the equation of motion (elliptic,
// parabolic, hyperbolic), and the geocentric place with a low-precision Sun.
// The computation reads the eight work words of the record (T, e, a, q,
// argument of perihelion, node, inclination, equinox), which the caller fills
// before every call (FillCometWorkWords); T, a single-precision word, is taken
// in double precision from the record's year, month and day when it was
// filled from them. Elements are referred to the ecliptic
// and equinox J2000.0; times are universal-time Julian days, no Delta T; no
// light time, aberration or nutation is applied.
// Method: Meeus, Astronomical Algorithms, chapters 25, 30, 33 and 34, with
// Kepler's equation in its hyperbolic form for e > 1.
#pragma once

#include "catalog/comet_satellite_db.h"

// Fills the work words from the stored elements: T = Julian day of (year, month,
// whole day) at 0h plus the day's fraction, summed in single precision; e, q,
// argument of perihelion, node and inclination copied; a = q / (1 - e); equinox
// 2000.0. A damaged day (not a number, or beyond 1e7) leaves T not a number.
void FillCometWorkWords(CometRecord* record);

// The perihelion time T (Julian day) that the solvers take. The work word
// holds it in single precision, to a quarter of a day near 2.45 million; when
// it is the stored date's T so rounded (FillCometWorkWords filled it from the
// date), the date gives T in full. A work word set otherwise is taken as it is.
double CometPerihelionTime(const CometRecord* record);

// A minor planet's perihelion time from its elements at an epoch: T = epoch -
// M / n, with n = 0.9856076686 / a^1.5 degrees a day (the mean motion that
// Gauss's constant gives), `epoch` a universal-time Julian day, a in AU and M
// in degrees [0, 360), so that T is the last perihelion before the epoch. NaN
// when T falls outside the years -32767..32767 that a record holds.
double MinorPlanetPerihelionTime(double epoch, double semiMajorAxis, double meanAnomaly);

// What the orbit computation reads of a minor planet, made from the record's
// semi-major axis, eccentricity and mean anomaly at `epoch` (given in full:
// the record's epoch word keeps a quarter day): q = a (1 - e) and the year,
// month and day with fraction of the perihelion time
// (MinorPlanetPerihelionTime). False, with the record untouched, when there
// is no such time.
bool SetMinorPlanetPerihelion(CometRecord* record, double epoch);

// Position in the orbital plane at Julian day `jd`: out[0] towards perihelion,
// out[1] 90 degrees ahead in the direction of motion, out[2] = 0, AU. Each
// returns 1, or 0 when q is 0, an iteration does not converge to 1e-12 (of s
// beyond |s| = 1 for the parabola) within 80 steps, the eccentricity is not
// the solution's (the elliptic one takes e < 1, the hyperbolic one e > 1), or
// damaged work words (not a number, infinite) give no finite position.
// Elliptic: Kepler's equation E - e sin E = M by fixed-point iteration below
// e = 0.6, by Newton's method from a start that converges for every e < 1
// above. Parabolic: Barker's equation s^3 / 3 + s = W, s = tan(v / 2).
// Hyperbolic: e sinh H - H = M by Newton's method. In double precision all
// three keep the single precision of the results (3e-7 of the radius) for
// every eccentricity, measured for q 1e-5 to 50 AU up to 23,000 years either
// side of perihelion (an ellipse past 1e7 radians of mean anomaly carries
// the rounding of the day instead).
int SolveEllipticOrbit(const CometRecord* record, double jd, float out[3]);
int SolveParabolicOrbit(const CometRecord* record, double jd, float out[3]);
int SolveHyperbolicOrbit(const CometRecord* record, double jd, float out[3]);

// Parabolic for e = 1 (|e - 1| < 1e-12), elliptic below, hyperbolic above.
int SolveOrbit(const CometRecord* record, double jd, float out[3]);

// The Sun's geocentric ecliptic position at Julian day `jd` as
// ComputeCometPosition takes it (Meeus's low-precision Sun, no latitude): x0
// and y0 in AU for the mean equinox of `equinoxYear` (the longitude of date
// less 50.29" a year of general precession since then), and its distance.
void CometSunPosition(double jd, int equinoxYear, double* x0, double* y0, double* distance);

// Geometric geocentric place at Julian day `jd` for the mean equinox of
// `equinoxYear` (50.29" a year of general precession added to the ecliptic
// longitude only, of the object and, from the date, of the Sun alike): right ascension hours [0, 24), declination degrees, Earth
// distance delta and Sun distance r in AU, elongation and phase angle in
// radians. Returns the solver's status, or 0 when a place is not a number
// (angles of a damaged record); on 0 every output is NaN.
int ComputeCometPosition(const CometRecord* record, double jd, int equinoxYear, float* rightAscension,
                         float* declination, float* delta, float* r, float* elongation, float* phaseAngle);

// Visual magnitude by the record's kind: a comet (kind 13) H + 5 log delta +
// K log r; any other kind by the H, G law with the phase angle (radians).
double ComputeCometMagnitude(const CometRecord* record, double delta, double r, double phaseAngle);
