// Five moons of Saturn (Enceladus, Tethys, Dione, Rhea, Titan) against
// Saturn's disk, seen from the Earth and from the Sun, for the moon events:
// transits, shadows on the disk, eclipses and occultations. The theory is
// Meeus, Astronomical Algorithms (2nd ed.), ch. 46, for those five moons,
// with the fictitious ninth satellite for the last rotation and one
// light-time divisor (20947) for all of them. Against Meeus's Example 46.a it
// agrees within 0.005 equatorial radii (Titan 0.01); against PyEphem over
// 2000-2039 within 0.08 radii (Enceladus to Rhea) and 0.25 (Titan).
//
// A search builds a table of nodes once (the theory runs there, twice a
// node) and asks for states by 7-point Lagrange interpolation in it.
// Moons are numbered 1 Enceladus .. 5 Titan; row 0 of the tables is empty.
#pragma once

#include <cstdint>

constexpr int kSaturnTableNodes = 7;  // points of each interpolation; the fewest nodes of a table
constexpr int kSaturnTableRows = 6;  // row 0 unused, rows 1..5 the moons
constexpr int kSaturnTableArrays = 11;

// The table: null pointers when none exists, else zero-filled arrays of
//   0 node times (JD, TT), 2 Saturn's heliocentric ecliptic longitude
//   (degrees, equinox of each node's date, kept continuous from node to
//   node), 3 its latitude (degrees), 4 its radius vector (AU): one double a
//   node each; 1 the Lagrange weights of seven consecutive nodes: 7 doubles;
//   5, 6, 7 X', Y', Z seen from the Earth, 8, 9, 10 seen from the Sun:
//   6 x nodes doubles each, row = moon, column = node.
extern double* saturnMoonTable[kSaturnTableArrays];
// Nodes of the table (0 when none exists).
extern int saturnMoonTableNodes;

// One moon at one instant seen by one observer. Distances in equatorial
// radii of Saturn; X positive west along Saturn's equator, Y towards its
// north pole, Z along the line of sight, positive beyond Saturn.
struct SaturnMoonPosition {
    double x, y, z;
    double xp;  // X with the light-time term and the perspective factor
    double yp;  // Y with the perspective factor
    double zp;  // Z
    uint8_t inFront;     // within the disk and between the observer and Saturn
    uint8_t behind;      // within the disk and beyond Saturn
    uint8_t sunBehind;   // Earth view: behind the disk seen from the Sun (in Saturn's shadow)
    uint8_t sunInFront;  // Earth view: in front of the disk seen from the Sun (its shadow on the disk)
};

// Frees any table, then builds one: nodes t0 + k step (JD, TT, k = 0 ..
// nodes - 1, at least 7), Saturn's place at each from GetHeliocentricXYZ(body,
// t_k) taken to the equinox of t_k, the weights, and at each node the theory
// for the Earth (the Sun's geocentric place from GetHeliocentricXYZ(0, t_k))
// and for the Sun, both describing the instant t_k less the light time from
// Saturn to the Earth. A value at t is the 7-point polynomial through the
// seven nodes centred nearest t (the first or last seven near the ends), so
// a longer table is as close to the theory as a short one; outside
// t0 .. t0 + (nodes - 1) step it is extrapolated. The events search passes
// the span it searches and refines, 11/70 day and 6.
void BuildSaturnMoonTable(double t0, double step, int body, int nodes = kSaturnTableNodes);

// Frees every array and leaves the table empty; harmless without a table.
void FreeSaturnMoonTable();

// States of moons 1..5 at t (JD, TT) into states[0..4]: 0 nothing,
// 1 transit, 2 transit with its shadow on the disk, 3 the shadow alone,
// 4 eclipsed, 5 occulted. The codes are set in the order 2, 3, 1, then 5,
// then 4, the last one that holds winning. All 0 without a table.
void GetSaturnMoonStates(double t, int32_t states[5]);

// Saturn's longitude, latitude (degrees) and radius vector (AU) at t from
// the table; the outputs are left as they were when there is no table.
void InterpolateSaturnPosition(double t, double* longitude, double* latitude, double* radius);

// Moon `moon` (1..5) at t from the table: X', Y', Z seen from the Earth and
// from the Sun; the outputs are left as they were when there is no table.
void InterpolateSaturnMoon(double t, int moon, double* xEarth, double* yEarth, double* zEarth, double* xSun,
                           double* ySun, double* zSun);

// The theory at jd (JDE) for an observer at the Sun's geocentric longitude
// and latitude (radians, equinox of date) and Sun distance observerDistance
// (AU); 0 puts the observer at the Sun. Saturn's place comes from the table,
// which must hold jd: fills records 1..5 (disk flags set, the Sun-view flags
// cleared), leaves record 0 alone. Returns 1, or 0 without a table (then
// nothing is written).
int ComputeSaturnMoons(double jd, double sunLongitude, double sunLatitude, double observerDistance,
                       SaturnMoonPosition out[kSaturnTableRows]);

// Rigorous precession of ecliptic longitude and latitude (degrees) from the
// equinox of jdFrom to that of jdTo (Meeus, Astronomical Algorithms, eq.
// 21.5-21.7); the longitude comes back in [0, 360).
void PrecessEcliptic(double longitude, double latitude, double jdFrom, double jdTo, double* longitudeOut,
                     double* latitudeOut);

// The eccentric orbit of Rhea or Titan: eccentricity e, mean longitude l,
// periapsis, semi-major axis a (Saturn radii), node and inclination (degrees)
// on the B1950.0 ecliptic, with c1 and s1 the cosine and sine of 28.0817
// degrees. Gives the radius r, the longitude lambda, the inclination gamma
// and the node Omega (degrees, Omega in [0, 360)) on Saturn's equator.
void SolveSaturnMoonOrbit(double e, double l, double periapsis, double a, double node, double inclination, double c1,
                          double s1, double* r, double* lambda, double* gamma, double* omega);

// The rotation chain from Saturn's equator to the observer's sky at
// Saturn's geocentric B1950.0 longitude lambda0 and latitude beta0
// (radians); c1, s1, c2, s2 the cosines and sines of 28.0817 and 168.8112
// degrees.
void RotateSaturnMoon(double x, double y, double z, double c1, double s1, double c2, double s2, double lambda0,
                      double beta0, double* a4, double* b4, double* c4);

// The disk test on X', Y', Z': inside when X'^2 + (1.108601 Y')^2 < 1 (a
// point on the ellipse is outside); inside sets inFront (Z' < 0) or behind
// (Z' >= 0) and clears the other; outside clears both.
void TestSaturnDisk(SaturnMoonPosition* p);
