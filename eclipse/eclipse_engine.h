// The inner steps of the local solar eclipse engine (eclipse/local_eclipse.h) and the work
// block they share. Program-wide and not reentrant: the UI thread only.
#pragma once

#include "eclipse/local_eclipse.h"

struct EclipseWorkBlock {
    double latitude;          // the work point (site or sub-shadow point), degrees
    double longitude;         // degrees west, reduced only by whole turns
    double previousLatitude;  // the point kept by CopySubShadowPoint
    double previousLongitude;
    double negativeDeltaT;              // -Delta T, hours
    double days;                        // JD of 0h UT of the date - 2451545.0
    double centuries;                   // days / 36525
    double ut;                          // hours
    double localSiderealTime;           // hours, not reduced
    double sunRa, sunDec, sunDistance;  // apparent, geocentric: hours, radians, AU
    double moonRa, moonDec, moonDistance;
    double topoSunRa, topoSunDec;  // seen from the work point
    double topoMoonRa, topoMoonDec;
    double topoSunDistance, topoMoonDistance;
    double moonParallax;       // horizontal parallax, radians
    double doubleSeparation;   // twice the topocentric separation of the centres, radians
    double altitude, azimuth;  // of the body last corrected for parallax, radians
    double maximumTime;        // UT hours of the last greatest eclipse
    double groundSpeed;        // km per minute
    double centralDuration;    // seconds
    bool hit;                  // the shadow axis meets the Earth
    bool parallax;             // ApplyEllipsoidParallax corrects the place
};

extern EclipseWorkBlock eclipseWorkBlock;

// Start state: everything 0, parallax on (start-up and tests).
void ResetEclipseWorkBlock();

// The time set-up of every entry point: clears the cached nutation, stores -Delta T (seconds
// program-wide, hours in the block), the days and centuries of the date and the UT, then the
// Greenwich sidereal time.
void SetUpEclipseTime(int year, int month, int day, int hour, int minute, int second);

// The apparent Sun and Moon at T (centuries of dynamical time) into the block, both as seen
// from the Earth's centre and, until ApplyEllipsoidParallax corrects them, from the work
// point; the Moon's horizontal parallax and the local sidereal time.
void LoadEclipseSunMoon(double t);

// The apparent Sun and Moon at T (centuries of dynamical time) and the point where the shadow
// axis meets the ellipsoid, found twice: the second time with the Sun seen from the first point,
// which is the axis direction through a point on it.
void ComputeTopocentricSunMoon(double t);

// The shadow axis through the Moon, parallel to the Sun's direction, against the ellipsoid:
// sets the hit flag and, on a hit, the work point. Right ascensions in hours, declinations
// in radians; the Moon's horizontal parallax and the sidereal time from the block.
void ComputeShadowAxisPoint(double sunRa, double sunDec, double moonRa, double moonDec);

// A body's place seen from the work point (right ascension hours and declination radians, in
// and out; distance AU); reduces the block's topocentric distance of that body and leaves the
// body's altitude and azimuth in the block. Returns the reduction (AU). (Taken from both
// distances at each call, the Moon's distance lost the point's height twice in the local
// magnitude: the Moon came out 1.5 % too large and a three-minute totality a minute long.)
enum class EclipseBody { Sun, Moon };
double ApplyEllipsoidParallax(EclipseBody body, double* ra, double* dec, double distance);

// Writes the work point into the result (a latitude beyond +-90 as its remainder by 90, the
// poles kept; longitude in -180..+180) and keeps it as the previous point.
void CopySubShadowPoint(LocalEclipseResult* result);

// The half-axes of the umbra's ground ellipse (km) in the track frame and what the rings need.
struct UmbraEllipse {
    double p, q, s;     // P u^2 + 2 Q u y + S y^2 = 1, u along the track, y across it
    double halfLength;  // a = 1 / sqrt(P)
    double halfWidth;   // b
    double trackAngle;  // radians
    double duration;    // central duration at the centre, seconds, without the 0.5
};

// The umbra's radius along the Sun's azimuth on the ground (km): radius / sin(altitude), held
// at 20000 km, since it grows without bound as the Sun nears the horizon (altitude radians).
double UmbraLengthAlongAzimuth(double radius, double altitude);

// Rings of equal central duration inside the ellipse, the arrays cleared first: none at 25 s
// or less (the rings of an earlier instant do not stay); else 4 rings
// (below 45 s) or 8, at multiples of 5 ceil(d / 55) seconds, by bisection across the track.
void ComputeDurationRings(LocalEclipseResult* result, const UmbraEllipse& ellipse);

// Magnitude at the block's UT for the work point; the diameter ratio Moon / Sun in *ratio.
// t: centuries of the date (the block's). Leaves twice the separation in the block.
void ComputeLocalMagnitude(double t, double* ratio, double* magnitude);

// The search objective: twice the topocentric separation (radians) at ut.
double SeparationAtTime(double ut);

// The instant at which the magnitude falls below the threshold, stepping by `step` hours from
// the last greatest eclipse (itself the first sample): linear between the two samples around
// the crossing, refined by three false-position steps inside them. *time is in UT hours of the
// block's date, negative before its 0h and 24 or more after its end. Returns false, *time NaN,
// when greatest is already below the threshold or 20 steps find no crossing.
bool FindMagnitudeCrossing(double t, double step, double threshold, double* time);

// The crossings before and after greatest eclipse (as FindMagnitudeCrossing); true when both
// are found.
bool FindContactPair(double* before, double* after, double t, double step, double threshold);
