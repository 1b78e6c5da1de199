// Satellite geometry: where a propagated satellite stands over the Earth (the
// sub-satellite point) and in the observer's sky (azimuth, elevation, range,
// range rate, topocentric right ascension and declination), and two quick
// tests on an element set (can it rise for a site; is it geostationary).
// Every entry point that propagates uses SGP4 (satellite_propagation.h) and
// observes from the site at its height (SiteObserver), so that the searches,
// their rows and the views place a satellite alike. Positions in km and velocities in km/s in the inertial
// frame of the element set; Julian days are universal time, taken as UT1
// for the sidereal angle. The Earth is the ellipsoid of equatorial radius
// 6378.135 km and squared eccentricity 0.006694379990141316, turning at
// 7.292115e-5 rad/s. Method: Kelso, "Orbital Coordinate Systems" I-III
// (Satellite Times, 1995-96).
#pragma once

#include "orbits/two_line_elements.h"

// The observer as the geometry uses it: geodetic latitude (rad), longitude
// (rad, EAST positive), height (km) and the local sidereal angle (rad), which
// ComputeObserverState writes.
struct ObserverSite {
    double latitude;
    double longitude;
    double height;
    double siderealAngle;
};

// The observer's view of the satellite: azimuth (rad, from north through east,
// [0, 2 pi)), elevation (rad), range (km), range rate (km/s, positive while
// the distance grows). ComputeTopocentricRaDec and ComputeTopocentricDirection
// put their results in the first values.
struct LookAngles {
    double azimuth;
    double elevation;
    double range;
    double rangeRate;
};

// Geodetic latitude (rad), longitude (rad, WEST positive, [-pi, pi]), height
// above the ellipsoid (km) and the right ascension of the position (rad).
struct SubPoint {
    double latitude;
    double longitude;
    double height;
    double rightAscension;
};

// The values of the last computation, kept between calls: the state vectors
// (km, km/s, lengths in [3]), the observer, sub-point and look angles, and the
// minutes since epoch of the last full position (ComputeSatellitePosition).
struct SatelliteWorkValues {
    double position[4];
    double velocity[4];
    ObserverSite site;
    SubPoint subPoint;
    LookAngles look;
    double tsince;
};
const SatelliteWorkValues& GetSatelliteWorkValues();

// The observer of currentSite: latitude, minus the west-positive longitude,
// both in radians, at `heightKm`.
ObserverSite ObserverFromCurrentSite(double heightKm);

// The observer of currentSite at the site's own height (metres to km): the
// one every look angle of the searches, their rows and the views is taken for.
ObserverSite SiteObserver();

// The satellite's inertial position (km) and velocity (km/s), lengths in [3],
// at the Julian day `jd` (UT) by SGP4; writes elements->lastJd. False, with
// x, y, z not a number, when SGP4 refuses the set there.
bool PropagateSatelliteTo(double jd, SatelliteElements* elements, double position[4], double velocity[4]);

// The full position at a local civil date and time (the site's zone): decodes
// the satellites form's current record into `elements` again, propagates by
// SGP4 and fills every result field of `elements` (lastJd, right ascension,
// declination, sub-point, height, elevation, azimuth, range, range rate) for
// SiteObserver. Returns 1, or 0 with the result fields not a number when the
// form holds no record, InitSatelliteElements refuses it (nothing is
// propagated) or the propagator refuses the set.
int ComputeSatellitePosition(int year, int month, int day, int hour, int minute, int second,
                             SatelliteElements* elements);

// At the Julian day `jd` (UT), by SGP4, for SiteObserver: lastJd, elevation,
// azimuth (degrees, [0, 360)), range (km) and range rate (km/s). A refused set
// leaves them not a number.
void ComputeSatelliteLookAngles(double jd, SatelliteElements* elements);

// At the Julian day `jd` (UT), by SGP4: lastJd, sub-satellite latitude and
// longitude (degrees, longitude west positive) and height (km).
void ComputeSatelliteSubPoint(double jd, SatelliteElements* elements);

// The observer's inertial position (km) and velocity (km/s) at `jd`, lengths in
// [3]; writes the local sidereal angle into `site`.
void ComputeObserverState(double jd, ObserverSite* site, double position[4], double velocity[4]);

// Look angles of the satellite from `site` at `jd`. Returns 1 when the
// elevation is 0 or more, else 0.
int ComputeTopocentricLookAngles(double jd, const double satPosition[4], const double satVelocity[4],
                                 ObserverSite* site, LookAngles* look);

// As ComputeTopocentricLookAngles, then look->azimuth receives the topocentric
// right ascension (rad, [0, 2 pi)) and look->elevation the declination (rad)
// in the equator and equinox of the element set's frame; range values stay.
void ComputeTopocentricRaDec(double jd, const double satPosition[4], const double satVelocity[4],
                             ObserverSite* site, LookAngles* look);

// As ComputeTopocentricLookAngles, then the first three values of `look` are
// the unit vector from the observer to the satellite in the inertial frame;
// the range (km) goes to *range when asked for.
void ComputeTopocentricDirection(double jd, const double satPosition[4], const double satVelocity[4],
                                 ObserverSite* site, LookAngles* look, double* range = nullptr);

// The geodetic point under `position` (km, inertial) at `jd`, iterated to
// 1e-10 rad (at most 50 times); a position that is not a number gives a
// sub-point that is not a number.
void ComputeSubSatellitePoint(double jd, const double position[4], SubPoint* subPoint);

// 1 when the orbit can bring the satellite above the horizon of a site at
// `latitude` (rad): inclination (folded below 90 degrees) plus the horizon
// angle of the apogee exceeds |latitude|. 0 for a mean motion of 0, or an
// apogee below the Earth's surface.
int IsSatelliteVisibleFromSite(const SatelliteElements* elements, double latitude);

// 1 when the mean motion is within 0.0002 of 1.0027 revolutions per day.
int IsGeostationary(const SatelliteElements* elements);

// The element set that SatelliteElevationAt and the flare angle read (the
// searches install their own); null leaves them nothing to compute.
void SetSearchedSatellite(SatelliteElements* elements);
SatelliteElements* GetSearchedSatellite();

// Elevation in degrees of the searched satellite at `jd` (UT), by
// ComputeSatelliteLookAngles; not a number when none is installed. Every call
// counts one evaluation.
double SatelliteElevationAt(double jd);

// SatelliteElevationAt (one evaluation), with in *rate how fast the elevation
// changes then (degrees per second): the rate of the range's zenith component
// in the frame turning with the Earth, from SGP4's velocity, less the part the
// range's own rate takes. Both not a number where the elevation is not.
double SatelliteElevationAndRateAt(double jd, double* rate);

// The evaluation counter that the pass search reads and clears: the calls of
// SatelliteElevationAt and the steps of FindNextPass.
long SatelliteEvaluationCount();
void CountSatelliteEvaluation();
void ResetSatelliteEvaluationCount();
