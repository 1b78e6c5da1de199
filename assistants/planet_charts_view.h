// The Charts page of the planets assistant: five curves of a quantity over
// 383 days from the 1st of a month, drawn into the current draw window of
// formWidth x formHeight, and the date cursor that a tap, a drag or the
// arrow keys move over them.
//
// Layout (h, v the display scales, W x H the form): the chart from y 24v +
// 21h to the bottom strip (22v), on (102, 102, 153) by day, black at night;
// the plot 80v shorter than the form, its zero line H - 45v + minimum x
// pixels per unit; days from chartLeft = int(20h) at chartPixelsPerDay =
// (W - chartLeft) / 380. Mercury is sampled every sample spacing (2 pixels,
// 4 for Elevation), the others at samples whose x is a multiple of 3.
#pragma once

#include <cstdint>

#include "ui/draw_window.h"

extern float chartPixelsPerDay;              // set by DrawPlanetCharts
extern int32_t cursorX;                      // the date cursor's x
extern DrawWindowRecord* cursorSavedBits;    // the pixel column under the cursor line
extern int32_t chartCursorTop;               // the cursor line's first and last rows, set by
extern int32_t chartCursorBottom;            // the chart drawn last

// Draws the page for the chart starting on the 1st of (year, month); sets
// chartRect to the chart's rectangle and the cursor line to 45v .. H - 46v. The position-mode preference is 0
// while it draws. Samples are skipped while an arrow key is held.
void DrawPlanetCharts(int year, int month, int quantity);

// The date under chart x: the 1st of the start month plus
// int((x - chartLeft) / chartPixelsPerDay) days.
void ChartTapDate(int x, int startYear, int startMonth, int* year, int* month, int* day);

// A tap or drag at (x, y): outside the chart's tap area (chartLeft ..
// chartRect's width, 24v .. H - 21v - 22v) cursorX is held at the area's
// nearer side and 0 is returned. Inside, the column under the former cursor
// comes back, the new one is saved and the cursor drawn in red (155, 0, 0)
// from chartCursorTop to chartCursorBottom; the date under x goes to the date field (FormatDate)
// and "00:00" to the time field when its id is not 0, when the open form has
// them. Returns 1. The assistant's date is not changed.
int SetDateFromChartTap(int x, int y, int dateFieldId, int timeFieldId, int startYear, int startMonth);

// Frees the cursor's saved column.
void ReleaseAssistantBitmap();
