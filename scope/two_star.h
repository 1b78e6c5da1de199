// The work of the 2-star alignment form (1300): choosing the two reference
// stars on the sky chart, taking the scope's reading of each, building the
// alignment (scope/alignment.h) and restoring the one saved earlier.
//
// The stars are alignStar1 and alignStar2: right ascension x 15 and
// declination of the apparent place (topocentric, refracted) when chosen,
// the clock time of the reading (hours x 15) and the two readings in degrees
// (axis 1: right ascension x 15 for EQ output, azimuth for AZ and Encoder
// output; axis 2: declination or altitude). The routines that show or read
// fields work on the open form's controls below.
#pragma once

#include "scope/alignment.h"

// Controls of form 1300.
constexpr int kTwoStarForm = 1300;
constexpr int kTwoStarTitle = 8003;
constexpr int kTwoStarInfo = 1323;
constexpr int kReferenceField = 1301;
constexpr int kChooseStar1 = 1303, kChooseStar2 = 1304;
constexpr int kTimeField1 = 1305, kTimeField2 = 1306;
constexpr int kRaField1 = 1307, kRaField2 = 1308;
constexpr int kDecField1 = 1309, kDecField2 = 1310;
constexpr int kReadStar1 = 1311, kReadStar2 = 1312;
constexpr int kAxis2Field1 = 1313, kAxis2Field2 = 1314;
constexpr int kAxis1Field1 = 1315, kAxis1Field2 = 1316;
constexpr int kAxis1Label = 1317, kAxis2Label = 1318;
constexpr int kTwoStarOk = 1319, kTwoStarClear = 1320, kTwoStarAlign = 1321;
constexpr int kPlatformOff = 1344, kPlatformOn = 1345, kPlatformReset = 1346;

// 1 while the chart is open for a star choice, -1 otherwise.
extern int twoStarPendingChoice;
// The RA and Dec fields of the star being chosen: 1307/1309 for star 1,
// 1308/1310 for star 2.
extern int alignTargetRaField;
extern int alignTargetDecField;

// A first star is looked for between 20 and 60 degrees of altitude.
bool FitsFirstStar(double altitude);
// A second star: azimuth a right angle (within 30 degrees) from the first's,
// as |((|az1 - az| + 360) mod 360) - 90| <= 30, and altitude 15 to 65 degrees.
bool FitsSecondStar(double firstAzimuth, double azimuth, double altitude);

// The saved pair becomes the alignment again: the stars, the encoder offsets
// of words 220 and 221, the reference time of star 1 and the matrix. A pair
// that gives no matrix: "Fail to compute align matrix" / "Please redo 2 star
// alignment." and the offsets forgotten. Installed as restoreAlignmentHook.
void RestoreAlignMatrix();

// Field 1301 into alignmentReferenceText (at most 9 characters).
void BuildAlignInputs();

// Both stars and the alignment forgotten: the encoder offsets, the ten fields
// emptied, times, places and readings 0, indices -1; the reference text is
// the clock time, shown in 1301.
void ClearTwoStar();

// Leave for the sky chart to choose star 1 or star 2 (chart view 3, word 125
// set). For star 1 an empty observing list is first filled with the bright
// stars between 20 and 60 degrees high; a star chosen before is made current.
void ChooseStar1();
void ChooseStar2();

// The reading of a star: with no drive the star's own place (EQ output), or
// its azimuth and altitude at the clock's time (AZ and Encoder output); then
// ReadScopeForStar. A star chosen on the chart counts as read only once a
// read has succeeded.
void ReadStar1();
void ReadStar2();

// Stamps the star with the clock time (shown in `timeField`) and takes its
// readings: with no drive from the form's two reading fields (the axis-1
// field and the one below it), else from the mount (ScopeGetRaDec); shows
// them. "Please select scope output type (EQ, AZ, Encoder)" for an output
// type the form does not know. A failed read of the mount (it says why)
// leaves the star, its time and its fields as they were.
void ReadScopeForStar(int timeField, int axis1Field, AlignmentStar* star);

// What the form shows at each opening: for an encoder box a connect and
// disconnect, the reading labels of the output type, the star chosen on the
// chart when one was asked for ("Please select a star or an object." when the
// chart's object is neither a star nor a solar-system body), the reference
// text, and the stars' fields.
void RefreshTwoStarForm();

// Takes a completed edit of one of the ten star fields into its star, read
// as ParseAlignmentStar reads it (the axis-1 reading x 15 for EQ output).
void TakeTypedStarField(int fieldId);

// True, after the box "Star 1 has no scope reading." (or star 2) / "Center
// the scope on it, then tap Read.", when a star was chosen on the chart and
// its mount read has failed since: its record then holds the place of one
// star and the reading of another, and no alignment is built from it.
bool RefuseUnreadAlignmentStar();

// Align: the matrix from the reference text and the two stars. Success: the
// time and the pair saved (with the preferences), back to the previous form.
// Failure: "Fail to compute align matrix" / "Please verify inputs.". A star
// chosen on the chart whose mount read has failed since is refused first:
// "Star 1 has no scope reading." (or star 2) / "Center the scope on it, then
// tap Read.", nothing computed or saved. Returns 1 on success.
int AlignTwoStars();

// Back to the start of a run (tests): no choice pending, the target fields of
// star 1.
void ResetTwoStar();
