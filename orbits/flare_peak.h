// The peak of a satellite's flare or Moon transit within a pass. A flare is
// sunlight reflected toward the observer by one of three flat antenna panels
// fixed to the satellite (tilt -40 degrees, azimuths 0, +120, -120 in the
// frame of the along-track, orbit-normal and radial axes); it is seen when the
// mirror image of the line of sight points close to the Sun's centre. A Moon
// transit is the satellite passing close to the Moon's centre as seen from the
// site. The model is geometric: no reflectivity, solar disc or attitude beyond
// the fixed panels. The satellite comes from SGP4; the Sun and Moon are the
// topocentric places of ComputeBody, held while they move little (see
// FindFlarePeak).
// Angles in radians unless stated; Julian days universal time.
#pragma once

#include "orbits/satellite_form_state.h"
#include "orbits/satellite_geometry.h"

// The angle between two directions given by longitude-like and latitude-like
// angles (right ascension and declination), by the haversine formula.
double AngularSeparation(double lon1, double lat1, double lon2, double lat2);

// Reflects the unit line of sight `lineOfSight` (observer to satellite,
// inertial) in the panel of `tilt` and `azimuth` (degrees) of the satellite at
// `position` with `velocity` (km, km/s) and returns the angle between the
// reflected direction and the Sun at (sunRa, sunDec).
double MirrorReflectionAngle(const double position[4], const double velocity[4], const double lineOfSight[3],
                             double sunRa, double sunDec, double tilt, double azimuth);

// The smallest MirrorReflectionAngle of the three panels (tilt -40; azimuth 0,
// 120, -120; the first smallest wins).
double FlareReflectionAngle(const double position[4], const double velocity[4], const double lineOfSight[3],
                            double sunRa, double sunDec);

// Forgets the body place held by PeakAngleAt, so that its next call computes
// it afresh; the evaluation counter counts every call of PeakAngleAt.
void ClearFlareBodyCache();
long FlareEvaluationCount();

// The angle that the minimiser reduces, for the searched satellite
// (SetSearchedSatellite) at `jd`: with the form's flareMode set the flare
// reflection angle against the Sun, otherwise the separation of the satellite
// from the Moon, both topocentric for the site (with its height). Not a number
// when no satellite is searched or SGP4 refuses it.
double PeakAngleAt(double jd);

// The least local minimum of PeakAngleAt within the pass from `jd` (its rise)
// to elements->passSetJd. The angle is sampled from rise to set, each step as
// long as the angle cannot fall to the limit within it (the line of sight
// turns at most as fast as the orbit's speed at perigee over the range; the
// panels with the orbit; the Sun and the Moon move at most 1 and 36 degrees a
// day) and never longer than a change of 1 degree; the Sun's or Moon's place
// is taken afresh for the samples within 2 degrees of the limit, and held
// elsewhere while it moves less than a quarter of the angle's distance from
// the limit. The least local minima of the samples within 1 degree of the
// limit are refined by Brent's method between their neighbours (to 0.01 s
// with transitMode set, else 0.25 s), each with the place taken afresh, and
// again around a result at an edge of its bracket: no stretch of the pass
// where the angle reaches the limit is passed over, and a peak is never the
// edge of a bracket or of the pass. *peakJd (UT) and *angle (degrees), each
// optional, receive the peak, or the least sample when there is none (not a
// number for a refused set). Returns 1 when the angle is at most 1.8 degrees
// (transitMode) or 1.5 degrees (flares), else 0.
int FindFlarePeak(double jd, SatelliteElements* elements, double* peakJd, double* angle);
