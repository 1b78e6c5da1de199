// The twilight and altitude graph form (2410): the chart of a year of nights
// (tools/night_chart.h) under the title and the time-base popup, and in the
// bottom strip Back, the finder, the planet popup, the date field and the
// today button. A tap, a drag or Left and Right (the hardware keys 193 and
// 194) move the date cursor over the chart and write its date in the date
// field; a tap on the date field picks the chart's month with the date and
// time form. The state is kept for the run (tools/twilight_graph.h).
#pragma once

#include "platform/types.h"

constexpr int kTwilightTitle = 8022;
constexpr int kTwilightTimeBaseTrigger = 2419;
constexpr int kTwilightTimeBaseList = 2420;
constexpr int kTwilightHelp = 2413;
constexpr int kTwilightBack = 2414;
constexpr int kTwilightFinder = 2418;
constexpr int kTwilightPlanetTrigger = 2421;
constexpr int kTwilightPlanetList = 2422;
constexpr int kTwilightDateField = 2416;
constexpr int kTwilightToday = 2417;
// The hardware keys that move the date cursor left and right.
constexpr int kTwilightKeyLeft = 193;
constexpr int kTwilightKeyRight = 194;

pl::LResult TwilightFormProc(pl::Hwnd form, uint32_t message, pl::WParam wParam, pl::LParam lParam);

// Re-arms the first paint and releases the form's controls.
void ReleaseTwilightFormControls(pl::Hwnd form);

// Moves the controls by the screen's difference from 240 x 320.
void LayoutTwilightForm(pl::Hwnd form);

// The first paint: the form in the history, the month taken from the device
// clock when none is set, the finder's target taken when the finder was
// opened from here, then the redraw.
void OpenTwilightForm();

// The time-base popup, the date field and the chart, into the current draw window.
void RedrawTwilightForm();

// A command of the form's controls and lists; 1 when it was one of them.
int HandleTwilightControl(int id);

// Left or Right (193, 194) moves the date cursor a pixel, again while the
// key is held; a step off the chart is undone. 1 for those keys.
int TwilightKeyDown(int key);
