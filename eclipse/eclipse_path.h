// Geography of a solar eclipse from its Besselian elements (eclipse/besselian.h): the central
// line with its duration and width, the limits of the partial and the central eclipse, the
// times at which the shadow axis meets the Earth, and the local contacts at a site. The
// published iterations of the Explanatory Supplement to the Astronomical Almanac (1992),
// ch. 8, and Meeus, Elements of Solar Eclipses 1951-2200.
//
// Conventions: ut is universal time in hours of the eclipse day, deltaT seconds (ComputeDeltaT);
// the elements are evaluated at tau = ut + deltaT / 3600 - t0. Angles are degrees; latitudes
// geodetic and positive north; longitudes positive west, in -180..+180. The Earth is the
// ellipsoid e^2 = 0.006694385; heights are metres. Everything is closed-form with a fixed
// number of iterations.
#pragma once

#include "eclipse/besselian.h"

// The central line at ut: returns the latitude and sets latitude, longitude, the duration of
// the central phase there (seconds) and the width of the path (km, perpendicular to it). When
// the axis misses the Earth (a partial eclipse, or outside the central phase) every output is
// not-a-number.
double ComputeCentralLinePoint(const BesselianElements& elements, double ut, double deltaT,
                               double* latitude, double* longitude, double* duration,
                               double* width);

// At tau (hours from t0): the two corrections (hours) that take tau to the instants at which
// the shadow axis touches the Earth's limb in the fundamental plane; not-a-number when the
// axis never meets the Earth.
void ComputeAxisLimbStep(const BesselianElements& elements, double tau, double* before,
                         double* after);

// Universal times (hours) at which the shadow axis first and last meets the Earth (two
// refinements of the limb step from tau = 0). Returns 1, or 0 when the axis misses the Earth
// (start and end are then not-a-number).
int ComputeShadowStartEnd(const BesselianElements& elements, double deltaT, double* start,
                          double* end);

// One joint correction of tau and the latitude towards the limit line of the given magnitude
// (0 the limit of the partial eclipse, 1 that of the central eclipse) at a west longitude, at
// sea level; side -1 southern, +1 northern. Updates *latitude and *tau, returns the new tau.
double LimitLineStep(const BesselianElements& elements, double* tau, double longitude,
                     double* latitude, double magnitude, double deltaT, int side);

// The latitude of a limit line at a west longitude: six limit steps from tau 0, latitude 0. A
// line whose last two latitudes differ by more than 5 degrees, that leaves the globe or that
// does not converge to a number is absent and gives the pole of its side (-90 for side < 0,
// +90 otherwise). `ignored` is not read.
double ComputeLimitLatitude(const BesselianElements& elements, double longitude, double ignored,
                            double magnitude, double deltaT, int side);

// The circumstances at a site at the time of a LocalContactStep.
struct LocalContactCircumstances {
    double centralDuration;  // seconds of the central phase on the central line here
    double partialDuration;  // seconds
    double magnitude;        // fraction of the Sun's diameter covered; <= 0 no eclipse
    double positionAngle;    // degrees, of the Moon's centre from the Sun's, -90..270
    double vertexAngle;      // degrees, the position angle less the parallactic angle
    double sunAltitude;      // degrees, geodetic, no refraction
    double sunAzimuth;       // degrees from north through east, 0..360
    double width;            // km, the central path's width through the axis point (not-a-number
                             // when the axis misses the Earth)
    double obscuration;      // percent of the Sun's area, plus 0.05 (shown truncated to 0.1)
};

// One step towards a contact at a site (latitude, west longitude, height in metres): side -1
// first contact, 0 greatest eclipse, +1 last contact. Fills the circumstances at *ut, moves
// *ut by the correction and returns it. Callers iterate five times. At a site that the
// penumbra never reaches the contact steps move to greatest eclipse instead, and the magnitude
// stays at or below 0.
double LocalContactStep(const BesselianElements& elements, int side, double latitude,
                        double longitude, double height, double deltaT, double* ut,
                        LocalContactCircumstances* out);
