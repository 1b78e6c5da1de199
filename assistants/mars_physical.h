// The face of Mars seen from the Earth: the orientation of the globe for the
// planet detail form and the Mars view, and the places of Phobos and Deimos
// around the disc.
#pragma once

#include <cstdint>

// The light ephemeris of the moons view (degrees).
struct MarsEphemeris {
    double centralMeridian;   // longitude of the central meridian, [0, 360)
    double earthDeclination;  // planetocentric declination of the Earth
    double positionAngle;     // position angle of the north pole, [0, 360)
    double earthLongitude;    // the Earth's direction in Mars's equator from the equator's ascending
                              // node on the Earth's equator, prograde, [0, 360)
    double distance;          // Mars from the Earth, AU
};

// Adds 360 while the angle is negative, then returns the fractional part of
// angle / 360 times 360: [0, 360) for every finite angle.
double NormalizeDegrees360(double angle);

// Orientation of Mars at a local civil date and time of the current site
// (seconds 0), after Meeus, Astronomical Algorithms, ch. 42: the pole of date
// lambda0 = 352.9065 + 1.1733 T, beta0 = 63.2818 - 0.00394 T; the rotation
// W = 11.504 + 350.89200025 (JDE - tau - 2433282.5) with the dynamical-time
// JDE (universal time plus ComputeDeltaT) and light time tau; Mars's apparent geocentric place from ComputeBody with
// the position mode forced to 0 (restored after). Outputs in degrees:
// centralMeridian and positionAngle in [0, 360] (only a value outside is
// brought back, so exactly 360 can come out), earthDeclination D_E (north pole
// tilted towards the Earth when positive); diameter in arcminutes.
// Against Meeus's Example 42.a: P and D_E within 0.01 degree; against the
// IAU 2009 rotation with PyEphem's places over 1950-2050, P and D_E within
// 0.05 degree, the central meridian within 0.1 degree. False, the outputs
// untouched, for a date ComputeBody has no place of Mars for (outside its
// theory's years).
bool ComputeMarsPhysical(int year, int month, int day, int hour, int minute, float* centralMeridian,
                         float* positionAngle, float* earthDeclination, float* diameter);

// The same orientation from a short series (the Sun and Mars from mean
// elements with their largest periodic terms, the pole of date and W at the
// universal-time Julian day jd plus ComputeDeltaT), for the moons view. Same accuracy bounds as
// ComputeMarsPhysical over 1950-2050. Also the Earth's direction in Mars's equator (W less the
// central meridian) and Mars's distance, for the moons.
void ComputeMarsEphemeris(double jd, MarsEphemeris* out);

// Places of Phobos (index 0) and Deimos (1) at the universal-time Julian day
// jd, drawn to a scheme: circular orbits in Mars's equator of radius u and 3u
// (u = 6 GetScreenScale pixels, the drawn disc's radius) seen at the Earth's
// declination, turned by the position angle and drawn at twice the size. Each
// moon runs at its sidereal mean motion from a mean longitude fitted to
// PyEphem, at the time its light left (the ephemeris's distance), and its
// angle along the orbit M counts from the point nearest the Earth. Over
// 2020-2030 the mean longitudes are within 3 degrees (Phobos) and 0.5 (Deimos)
// of PyEphem's moons. x, y are pixel offsets from the disc's centre
// (y down, north up, east left); visible is 0 only for a moon in the far half
// of its orbit (pi/2 < M < 3 pi/2) that lies within u - 1 pixels of the centre.
void ComputeMarsMoons(double jd, const MarsEphemeris& ephemeris, double x[2], double y[2], int32_t visible[2]);
