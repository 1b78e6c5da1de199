// The steps of the sky chart form's first paint that prepare the chart, and
// the rows of its object list.
#pragma once

#include "platform/types.h"

// The form erased with "Loading sky..." across its middle.
void ShowLoadingSky(pl::Hwnd form, int width);

// The chart's bitmaps and strips freed, the sky state of the selection
// criteria and the constellation figures (word 243) loaded, the scales reset,
// the zoom step of preference word 153 set, the Moon icon and the rotation
// for the chart time.
void PrepareChartOpening();

// An empty observing list is filled with the visible planets, whose first
// becomes the chart's selection at the chart time (row 0); then the object
// list gets the shown rows, the class filter is applied again and the object
// popup shows the current row (or nothing).
void FillListForChart();

// The six star colours, blue-white to orange, in the chart record.
void KeepChartStarColours();
