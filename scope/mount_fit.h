// The mount-error fit of the program's own alignment: the three mount-error
// constants z1, z2, z3 (radians: tilt between the axes, collimation, zero
// error of axis 2; scope/alignment.h) and the two axis offsets fitted to the
// N-star list by a coordinate search with interval halving, each evaluation
// rebuilding the two-star matrix with the trial constants.
//
// Units: entries as in scope/n_star_list.h (degrees); the residuals are
// radians. Axis-1 angles are turned into the frame's phi (360 deg minus the
// reading for AZ and Encoder output) before they are compared.
#pragma once

#include "scope/alignment.h"

// Mean over n entries of the angular error between the model place
// (model1/2, degrees) and the reading (measured1/2) taken through the mount
// errors: sqrt(dtheta^2 + dphi^2), dphi reduced into (-pi, pi] so that an
// entry on either side of axis-1 0/360 deg counts its true difference.
// Radians; 0 for no entries.
double MeanAlignmentResidual(const AlignmentStar* list, int n);

// Rebuilds the matrix from the reference text and the two stars with the
// current z1..z3, puts every entry's model place (degrees) in model1/2 and
// returns MeanAlignmentResidual. A matrix that cannot be built gives +inf
// with the entries left as they were.
double EvaluateMountModel(const char* ref, const AlignmentStar* s1, const AlignmentStar* s2, AlignmentStar* list,
                          int n);

// The order in which the search visits the constants (0 = z1, 1 = z2, 2 =
// z3) from their sensitivities g: start with z1, z2, z3; the first two swap
// when |g2| > |g1|; z3 goes first (and the first goes last) when |g3| exceeds
// the first's; the last two swap when the middle one's exceeds the last's.
// Equal sensitivities keep z1, z2, z3.
void MountErrorVisitOrder(const double g[3], int order[3]);

// Fits z1..z3 (from 0, nine passes at most, steps of 10 deg down to 1e-7 deg,
// ending early when the two ends of an interval differ by less than 1e-8),
// then the axis offsets from the spread of the corrected places, clears the
// pointing-error model and tells "Converge in %d iteration" with the three
// constants. Each constant's search resets the idle timer and shows the
// current error in the form's error field. Returns the number of model
// evaluations.
int FitMountErrors(const char* ref, const AlignmentStar* s1, const AlignmentStar* s2, AlignmentStar* list, int n);

// Every entry's corrected place (corrected1/2, degrees): its sky place through
// the matrix and the mount-error inversion with the current offsets.
void CorrectMountEntries(AlignmentStar* list, int n);

// The difference a - b of two axis-1 angles (degrees) reduced into (-180, 180].
double AxisOneDifference(double a, double b);
