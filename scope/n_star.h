// The work of the N-star form (2100): stars chosen on the sky chart join the
// N-star list (scope/n_star_list.h) with the scope's reading; Sync takes a new
// reading of the current entry, Del removes it, Calc fits the corrections
// (the mount errors of the program's own alignment, or the pointing-error
// model with "External"). The routines that show or read fields work on the
// open form's controls below.
#pragma once

#include <cstdint>

#include "scope/alignment.h"

// Controls of form 2100.
constexpr int kNStarForm = 2100;
constexpr int kNStarTitle = 8015;
constexpr int kNStarInfo = 2122;
constexpr int kNStarAdd = 2102, kNStarDel = 2110;
constexpr int kNStarList = 2101;
constexpr int kNStarFrame = 138;
constexpr int kObsRaField = 2103, kObsDecField = 2104;
constexpr int kTrueAxis1Field = 2105, kTrueAxis2Field = 2106;
constexpr int kCalcAxis1Field = 2107, kCalcAxis2Field = 2108;
constexpr int kMeanErrorField = 2112;
constexpr int kScale1Trigger = 2118, kScale1List = 2119;
constexpr int kScale2Trigger = 2120, kScale2List = 2121;
constexpr int kNStarOk = 2116, kNStarSync = 2109, kNStarCalc = 2111;
constexpr int kNStarSave = 2123, kNStarLoad = 2124;

// 1 while the chart is open for a star choice, -1 otherwise.
extern int32_t nStarPendingChoice;
// Rows chosen in the two scale popups.
extern int32_t nStarScale1;
extern int32_t nStarScale2;
// The entry being built for a chosen star.
extern AlignmentStar nStarCandidate;

// The scale popups' rows, top to bottom, and the half-width in degrees of
// the plot each selects: "10°" 8, "5°" 4, "3°" 2, "1°" 1, "30'" 1/3, "15'"
// 0.2, "7'" 0.1. A row outside the table counts as row 0.
constexpr int kNStarScaleRows = 7;
extern const char* const kNStarScaleLabels[kNStarScaleRows];
double NStarScaleHalfWidth(int row);

// The number field of one of the six edit fields (2103..2108) for the
// current output type; null for another id.
struct NumberField;
const NumberField* FindNStarField(int id);

// Add: leave for the sky chart to choose a star (chart view 3, word 125
// set), the bright stars listed when the observing list is empty. With the
// program's own alignment and none valid: "Please do 2 stars alignment
// first" and the form stays.
void ChooseNStar();

// What the form shows: a star chosen on the chart taken into the list (at
// most 20: a further one is dropped silently; with a drive, only when the
// mount was read), unnamed entries named "St %d",
// the list's rows with the current one selected, the fields, the error and
// the plots.
void RedrawNStarForm();

// The current entry in the six fields (the star's place; the reading and the
// corrected place, axis 1 in hours for EQ output, degrees otherwise), and the
// plots with it marked. Empty fields without a current entry.
void RefreshNStarFields();

// Sync: the current entry's reading taken again (no drive: from the "True:"
// fields, refused with the number-field message when they do not read) with
// the clock's time, its predicted place made again; with "External" the
// correction is fitted at once. A failed read of the mount changes nothing
// (the read has said why).
void SyncNStar();

// Del: the current entry removed (the current row moves up when it was the
// last); "Sorry, there is no more star to delete." for an empty list.
void DeleteNStar();

// Calc: the correction fitted ("Please add at least 4 stars to do
// correction." when there is too little to fit), then the form redrawn.
void CalcNStar();

// A tap on row `row` of the list makes it current.
void SelectNStarRow(int row);

// A choice in scale popup 1 or 2 (row -1 counts as 0).
void SetNStarScale(int which, int row);

// Back to the start of a run (tests).
void ResetNStar();
