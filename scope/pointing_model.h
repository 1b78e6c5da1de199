// Pointing-error model for mounts aligned by their own firmware: up to seven
// terms of the classic mount model fitted by least squares to the N-star list
// and added to goto targets.
//
// Positions are in the units of the fit, degrees: axis 1 is right ascension x
// 15 for EQ output (preference word 9 = 0), azimuth for AZ or Encoder output;
// axis 2 is declination or altitude. Coefficients are radians. The terms, with
// their axis-1 and axis-2 rows at (phi, theta):
//   1 index error of axis 1            EQ 1, 0                     AZ 1, 0
//   2 index error of axis 2               0, 1                        0, 1
//   3 collimation                         1/cos theta, 0              1/sin theta, 0
//   4 non-perpendicularity of the axes    tan theta, 0                tan theta, 0
//   5 EQ polar axis / AZ tube flexure     -tan theta cos phi, sin phi  0, cos theta
//   6 EQ polar axis / AZ vertical tilt    tan theta sin phi, cos phi   sin phi tan theta, cos phi
//   7 AZ vertical tilt                    0, 0                        -cos phi tan theta, sin phi
// Terms 5 to 7 enter only when more than 4 terms are in use. Note the AZ
// collimation row: 1/sin theta, not 1/cos theta. The terms are first-order
// terms of telescope pointing analysis (P. T. Wallace, TPOINT).
//
// A row is unusable where it is undefined: collimation at theta = 0 for AZ,
// 1/cos theta and tan theta at |theta| = 90 deg. Such a position is left
// uncorrected and such an entry takes no part in a fit.
#pragma once

#include "scope/alignment.h"

constexpr int kPointingTermLimit = 7;

// Radians; slots 0..6 are the terms, slot 7 stays 0.
extern double pointingCoefficients[8];
// Terms in use: 7 at start, 4 or 7 after a fit with three entries or more.
extern int pointingTermCount;

// Adds the model's corrections to a position (degrees, in and out). Returns 0;
// -1 leaving the position when a row is unusable there, or with "Too much
// errors parameters" when more than 8 terms are set.
int ApplyPointingModel(double* axis1, double* axis2);

// Fits the coefficients to count entries: the equations of an entry say that
// its measured1/2 minus its reading1/2 (the predicted position) is the model
// at the predicted position. One or two entries give the mean offsets of the
// two axes (term count kept); three usable entries give 4 terms, more give 7.
// A term with no row in any equation (term 7 for EQ output) stays 0. Then each
// entry's model1/2 and corrected1/2 take its corrected predicted position
// (degrees). Returns 0; non-zero when fewer than three entries are usable or
// the solve fails, the coefficients then all 0 and the entries untouched.
int FitPointingModel(AlignmentStar* list, int count);

// The square root of the sum over entries of the squared differences between
// measured and model positions (degrees), divided by count; 0 without entries.
double PointingModelResidual(const AlignmentStar* list, int count);

void ClearPointingModel();

// One row of the term table at (phi, theta) in degrees, for the current term
// count, and the difference observed - given in radians (on phi for axis-1
// rows, on theta for axis-2 rows).
void PointingRowEq1(double phi, double theta, double observedPhi, double observedTheta, double row[7],
                    double* residual);
void PointingRowEq2(double phi, double theta, double observedPhi, double observedTheta, double row[7],
                    double* residual);
void PointingRowAz1(double phi, double theta, double observedPhi, double observedTheta, double row[7],
                    double* residual);
void PointingRowAz2(double phi, double theta, double observedPhi, double observedTheta, double row[7],
                    double* residual);

// Back to the start of a run: coefficients 0, 7 terms.
void ResetPointingModel();
