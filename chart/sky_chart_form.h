// The sky chart (form 1900): the chart picture under a strip of popups and
// buttons (back, views and settings, zoom, telescope, finder, list filter, the
// objects of the observing list) with a column of toggles down the right edge
// (preferences, orientation, observer log, names, drill-down, grid, Telrad,
// distance, turn to the object, direction, manual positions, goto) and the
// date, tool-strip and information buttons at the bottom right. The chart
// follows the clock through timer 1. Drawing: chart/chart_redraw.h; the
// controls as the chart code reaches them: chart/chart_form_controls.h.
//
// The stylus and keys, the manual positions, the direction popup and the
// information button are handled by the chart's tap code (chart/chart_taps.h,
// chart/chart_scroll.h, chart/chart_keys.h, chart/chart_manual_input.h); the
// telescope marker (chart/scope_marker.h), goto and the telescope popup
// (chart/chart_scope.h) and the views popup (chart/chart_views_popup.h) by its
// telescope and view code.
#pragma once

#include <cstdint>

#include "platform/types.h"
#include "ui/xywh_rect.h"

// 1 until the first paint has drawn the chart.
extern int32_t chartFirstPaint;
// 1 while a tap on the chart body is being tracked.
extern int32_t chartPenArmed;
// 1 while each pick shows its angular distance from the previous selection (button 1894).
extern int32_t chartDistanceDisplay;

// The form's dialog procedure.
pl::LResult SkyChartDialogProc(pl::Hwnd form, uint32_t message, pl::WParam wParam, pl::LParam lParam);

// Kills timer 1, asks for a fresh first paint, disarms the pen and releases the
// controls registered at initialisation.
void ReleaseSkyChartControls(pl::Hwnd form);

// The first paint: the chart picture, the zoom, the list and its filter, the
// first drawing with the field-of-view label in place of the dials.
void OpenSkyChart();

// Row `row` of the object list 1907: the chart-coloured swatch with the star
// icon or the object's symbol, and the name.
void DrawChartListRow(int row, const XywhRect& rect);

// The form's buttons and popup choices; 1 when the id was handled.
int ChartButtonCommand(int id);
int ChartPopupCommand(int listId);

// Timer 1's period: with `afterTap` 0 the opening's (1000 ms while the cursor
// blinks, word 238 = 1, else 10000 ms); else that of the end of a tap (1000 ms
// with any cursor mode but "Fix", else 250 ms with a telescope connected, else
// 10000 ms).
uint32_t ChartTimerPeriod(int afterTap);
void StartChartTimer(int afterTap);
// Timer 1 at a period of the caller's.
void RunChartTimer(uint32_t periodMs);
void StopChartTimer();
// The period timer 1 was last started with; 0 while it is stopped.
extern uint32_t chartTimerPeriodMs;

// Request that the chart positions be projected again at the next redraw.
void RequestChartReprojection();

// One redraw about the chart's selection with the tap mode (word 40) forced
// to 2: the selection index -3, the positions projected again, the Sky Map
// turned so that the selection is straight up and centred.
void RedrawCentredOnSelection();

// Zoom step `step` (the zoom popup's choice or a zoom key): the save-under
// positions cleared, the positions projected again when the step changes, the
// chart drawn with the field-of-view label, the zoom row and the orientation
// trigger shown for it.
void ChangeChartZoom(int step);

// Start values (tests).
void ResetSkyChartForm();
