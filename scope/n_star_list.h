// The N-star list: reference stars, each with the telescope's reading taken on
// it, from which the pointing corrections are fitted. The list lives in the
// alignment-star buffer that start-up allocates (20 records of AlignmentStar,
// scope/alignment.h); entries are kept in the order added.
//
// Units of an entry: ra and dec the star's apparent place of date in degrees
// (right ascension x 15); measured1/2 the reading (axis 1 right ascension x 15
// for EQ output, preference word 9 = 0, azimuth for AZ and Encoder output;
// axis 2 declination or altitude); time the clock time of the entry (hours x
// 15); sidereal the local sidereal time then (hours).
#pragma once

#include <cstdint>

#include "scope/alignment.h"

// Entries in use, at positions 0..count-1.
extern int32_t alignmentStarCount;
// The list's current row: the entry added last.
extern int32_t nStarCurrentRow;

// The alignment-star buffer as records; null before start-up allocates it.
AlignmentStar* GetAlignmentStarList();

// Appends the candidate (its ra, dec, index and kind; its first 9 name
// characters) with the reading (m1, m2), time-stamped by the device clock at
// the current site. The predicted place (reading1/2, model1/2, corrected1/2,
// degrees): with the program's own alignment (word 8 = 0) the two-star model's
// angles; with "External" the place itself, or its azimuth and altitude at the
// entry's sidereal time for AZ and Encoder output. Returns 1 when added; 0 with
// the list full or missing (no message), with an entry within 0.5 deg of ra
// and 1 deg of dec ("There is already a star selected at this position"), or
// with the own alignment source and no valid alignment ("Please do 2 stars
// alignment first."); a refused candidate is not counted.
int AddNStarEntry(const AlignmentStar* candidate, double m1, double m2);

// The predicted place of an entry (its ra, dec and sidereal filled) in
// model1/2, degrees: the two-star model's angles with the program's own
// alignment, else the place itself (EQ output) or its azimuth and altitude
// at the entry's sidereal time. False, the entry untouched, with the program's
// own alignment source and no valid alignment.
bool PredictNStarPlace(AlignmentStar* e);

// Refits the corrections from the list.
// - The program's own alignment with flag 0 (the N-star form's Calc): 0 with
//   fewer than 4 entries; without a valid alignment "Please do 2 stars
//   alignment first" and 1; with a 2-star star chosen but not read since
//   (RefuseUnreadAlignmentStar) 1; else the mount errors and offsets are fitted
//   (FitMountErrors) and every entry's corrected place follows: 1.
// - "External", or flag 1 (the sky chart's Improve Pointing): the
//   pointing-error model (FitPointingModel) from at least one entry; a fit
//   that fails is told ("Pointing correction failed" / "Add stars spread over
//   the sky.") and leaves the model cleared; 1, or 0 for an empty list.
int ComputePointingCorrection(int flag);

// The error shown beside "Mean Error :" (field 2112 of the N-star form):
// PointingModelResidual with "External", else MeanAlignmentResidual in
// degrees; the field shows it as an angle, or "No stars" without entries.
// Returns the value (degrees).
double ShowAlignmentResidual(const AlignmentStar* list, int n);

// An empty list (tests).
void ResetNStarList();
