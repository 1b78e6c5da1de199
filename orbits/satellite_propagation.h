// The SGP and near-Earth SGP4 models of Hoots and Roehrich, Spacetrack Report
// No. 3 (1980): position and velocity of a satellite from a set-up element set
// (two_line_elements.h) at `tsince` minutes after its epoch (negative values
// propagate backwards). Output is in the inertial (TEME) frame of the element
// set, position in Earth radii and velocity in Earth radii per minute, in x, y, z
// of four-double vectors; ConvertStateToKm turns them into km and km/s.
// There is no deep-space model: every satellite, whatever its period, goes
// through the near-Earth equations, so only periods below 225 minutes keep the
// model's accuracy. The program propagates with SGP4 alone (the satellite
// geometry of satellite_geometry.h, which every search and view calls): it is
// the model element sets are fitted for; SGP stays for the report's own test
// case and the propagators' checks. SGP4 agrees with the published verification vectors of
// Vallado et al., "Revisiting Spacetrack Report #3" (AIAA 2006-6753), within
// 10 m and 1e-5 km/s for those satellites.
// Both return false for a set outside the model (mean motion not above 0,
// eccentricity outside [0, 1)), for a satellite that has decayed (radius below
// one Earth radius after the short-period terms), for SGP4 also when the mean
// eccentricity after the drag terms leaves [-0.001, 1) (from -0.001 to 1e-6 it
// is held at 1e-6) or the semi-latus rectum is negative, and when the result
// is not finite; x, y, z of both vectors are then not a number. These are the
// failures of the 2006 revision's near-Earth model (its codes 1, 4 and 6).
#pragma once

#include "orbits/two_line_elements.h"

// SGP. Reads the set-up fields of `elements`; its intermediate values live in
// one work block of this module, so calls must not overlap (UI thread only).
bool PropagateSgp(double tsince, double position[4], double velocity[4], const SatelliteElements* elements);

// SGP4. Reads only the seven decoded elements (n, B*, i, e, M, argument of
// perigee, node) and derives everything else itself; the derived values of the
// last element set are kept (UI thread only) and reused while those seven
// values are bit for bit the same.
bool PropagateSgp4(double tsince, double position[4], double velocity[4], const SatelliteElements* elements);

// Earth radii to km (6378.135) and Earth radii per minute to km/s (106.30225);
// stores each vector's length in its fourth component.
void ConvertStateToKm(double position[4], double velocity[4]);

// Kepler's equation of both models for x = E + argument of perigee,
// u = x - axN sin x + ayN cos x, by Newton's method from x = u: stops after the
// step whose change is at most 1e-6 rad, or after 10 steps. Stores the last x,
// and the sine and cosine of the point where the last step was taken (the one
// before x). Returns the number of steps.
int SolveSatelliteKepler(double u, double axN, double ayN, double* x, double* sinX, double* cosX);

// The same from the sine and cosine of u; stores x - u in *offset.
int SolveSatelliteKeplerAt(double sinU, double cosU, double axN, double ayN, double* offset, double* sinX,
                           double* cosX);
