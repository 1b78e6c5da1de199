// The planets assistant's state that its pages read and write (form 2450 keeps
// it for the whole run): its own date and time, the shown page, the chart
// quantity, the event period and filter, the drawing area of the page and the
// form size the pages lay themselves out in. The pages draw into the current
// draw window from this state alone.
#pragma once

#include <cstdint>

#include "ui/xywh_rect.h"

constexpr int kPlanetAssistantForm = 2450;

// The pages of the page popup, in its shown order (8 "Phase" is never stored).
enum PlanetAssistantPage {
    kPageEcliptic = 0,
    kPageSunView = 1,
    kPagePosition = 2,
    kPageSkyView = 3,
    kPageInfo = 4,
    kPageRiseSet = 5,
    kPageCharts = 6,
    kPageEvents = 7,
};

// Rows of the chart quantity popup.
enum ChartQuantity {
    kChartElongation = 0,
    kChartDiameter = 1,
    kChartMagnitude = 2,
    kChartPhase = 3,
    kChartElevation = 4,
};

// Controls of form 2450 that the pages show, hide or fill.
enum PlanetAssistantControl {
    kQuantityTrigger = 2438,
    kFilterTrigger = 2441,
    kFilterList = 2442,
    kPeriodLabel = 2443,
    kPeriodTrigger = 2444,
    kPeriodList = 2445,
    kEventList = 2447,
    kFilterLabel = 2440,
    kAssistantDateField = 2455,
    kAssistantTimeField = 2456,
};

// The assistant's date and time, local civil time, apart from currentDateTime.
struct AssistantDate {
    int32_t year;
    int32_t month;
    int32_t day;
    int32_t hour;
    int32_t minute;
};

extern AssistantDate assistantDate;
extern int32_t assistantPage;   // PlanetAssistantPage 0..7
extern int32_t chartQuantity;   // ChartQuantity
extern int32_t eventPeriod;     // 0 "1 month", 1 "3 months", 2 "6 months", 3 "1 year"
extern int32_t eventFilter;     // 0 "All", 1 "Conj.", 2 "Moon", 3 "Opp.", 4 "Eclipse"
extern int32_t animating;       // set while the date animation runs
extern XywhRect chartRect;      // the drawing area of the current page
extern int32_t formWidth;       // the screen size read at the form's opening
extern int32_t formHeight;

// Back to the start of a run: 2000-01-01 00:00, page 0, quantity, period and
// filter 0, not animating, chartRect empty, the form size 240 x 320 (tests).
void ResetPlanetAssistantState();

// True when form 2450's controls are there to fill (the pages are also drawn
// into a bare draw window, whose controls do not exist).
bool PlanetAssistantControlsShown();
