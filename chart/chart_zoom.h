// The chart's zoom steps: the horizon chart's scale per step, the pixels per
// arcminute per step, and setting the step of the current view.
#pragma once

#include <array>
#include <cstdint>

#include "chart/chart_views.h"

// The horizon chart's scale of each zoom step 0..13, 16.16 fixed point: 1.0,
// 1.4, 1.755, 2.34, 3.51, 4.68, 7.0, 10.5, 21.0, 42.0, 84.0, 140.0, 210.0,
// 251.77, read by the screen formula with 10 fraction bits (1.0: the horizon
// at 64 pixels from the zenith). Multiplied by GetScreenScale once.
extern std::array<int32_t, kZoomSteps> horizonZoomTable;

// The first drawing on a screen whose GetScreenScale is above 1 multiplies
// every entry of horizonZoomTable by it, while entry 0 still holds 65536; later
// calls change nothing. The redraw calls it before it reads the table.
void ScaleHorizonZoomTable();

// Pixels per arcminute of the 160-pixel chart at each zoom step, 160 / (60 FOV);
// entry 0 is negative until the table is first used.
extern std::array<float, kZoomSteps> zoomScaleTable;

// zoomScaleTable[step], the table built on first use; 0 for a step outside 0..13.
float GetZoomScale(int step);

// Sets the zoom step of the current view (the Horizon View keeps its own),
// clamped to 0..13: the selection row as drawn becomes -2, both screen lists
// are emptied and the chart marked dirty; the stellar catalogue for the step
// is chosen ("Card Catalog" set) and the object index opened again. With the
// chart's telescope marker on, a drive chosen and not an encoder box, the
// drive's slew rate follows the step: 0 for steps 0..4, 1 for 5..7, 2 for
// 8..9, 3 for 10..12, none for 13. Returns the step set.
int SetChartZoom(int step);

// Row of the zoom popup: chartZoomIndex, or preference word 153 (the step the
// chart opens with) while it is negative.
int GetChartZoomRow();

// The orientation choice of the zoom step (preference word 140 + step for
// steps 0..9, word 149 above), for the step GetChartZoomRow gives.
int GetZoomViewChoice();

// Both tables back at their start values (tests).
void ResetChartZoomTables();
