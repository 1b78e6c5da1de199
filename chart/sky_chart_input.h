// The sky chart form's stylus and key messages, handed to the chart's tap,
// drag and key code with the form as the draw target.
#pragma once

#include "chart/chart_keys.h"
#include "platform/types.h"

// Pen-down: ChartPenDown arms the form's pen flag; timer 1 stops.
void OnChartPenDown(pl::Hwnd form, int x, int y);
// Pen move with the stylus down while the pen is armed: a drag that scrolls
// disarms the pen, keeps the screen and starts timer 1 again (its pen-up was
// taken by the drag).
void OnChartPenMove(pl::Hwnd form, int x, int y);
// Pen-up: an armed pen runs ChartPenUp (the screen kept when it asks); timer
// 1 starts again in every case, 1000 ms with a cursor mode, else 250 ms with
// a telescope connected, else 10000 ms.
void OnChartPenUp(pl::Hwnd form, int x, int y);
// A chart key (keyCode not 0): ChartKeyDown, the screen kept. Returns 1 when
// the key was taken, 0 when the form leaves it to the default handling.
int OnChartKey(pl::Hwnd form, const ChartKeyEvent& key);
