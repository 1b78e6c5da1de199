// Quantities derived from the preference words; read afresh at every call, so
// a page change takes effect at once. None of them keeps state.
#pragma once

#include <cstdint>

#include "ui/xywh_rect.h"

// Magnitude limits of a chart zoom step (0..13; steps above 9 use step 9): the
// values that the rows of preference page 4 show for the step's star word
// (54..58, steps 5..9; steps 0..4 fixed 5.0) and object word (65..74), "Scope"
// and "Eyes" being the telescope's and the naked eye's limits of the selection
// criteria at the time of the call and 100.0 meaning no limit. A negative step
// gives 13.0 and 100.0. A word outside its popup's rows reads as the nearest row.
void GetZoomMagnitudeLimits(int zoomStep, float* starLimit, float* objectLimit);

// Applies the orientation that preference word 140 + min(zoomStep, 9) chooses
// to chart coordinates: 0 none, 1 y negated, 2 both negated, 3 x negated.
void ApplyChartFlip(int zoomStep, int* x, int* y);

// Draws orientation icon `row` (0..3; bitmap 1682 + row, or 2008 + row in
// night mode) at pos (x, y) with white transparent.
void DrawViewIcon(int row, const int pos[2]);

// Row drawer of an orientation popup (a routine for DrawOwnerItem): the
// orientation icon of the row (DrawViewIcon) 2 x scaleX from the row's left
// edge, centred in its height.
void DrawOrientationRow(int16_t row, const XywhRect& rect, int selected, int itemWidth);

// The "Horizon" preference in degrees: 0, 2, 4, 5, 6, 8 or 10 (0 for a word
// outside the list).
int GetHorizonAltitude();

// Telescope aperture in millimetres: a row of the aperture list (word 13
// below 20), or the millimetres typed as "Other".
int GetScopeApertureMm();

// Telescope focal length in millimetres: the aperture times the focal ratio of
// row f/4..f/15 (word 14 below 12), or times the ratio typed as "Other" in
// tenths, divided by 10 (truncated).
int GetScopeFocalLengthMm();

// The telescope's focal length as the CCD focal length (word 53) takes it:
// GetScopeFocalLengthMm within the word's range, 0 to kCcdFocalMaxMm.
int ScopeFocalLengthForCcd();

// Rows of the aperture and focal-ratio popups before their "Other" row.
constexpr int kApertureRowCount = 20;
constexpr int kFocalRatioRowCount = 12;
