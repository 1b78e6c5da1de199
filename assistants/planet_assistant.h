// The planets assistant's state that its pages read and write (form 2450 keeps
// it for the whole run): its own date and time, the shown page, the chart
// quantity, the event period and filter, the sky view's field, step and
// centre, the drawing area of the page and the form size the pages lay
// themselves out in. The pages draw into the current draw window from this
// state alone.
#pragma once

#include <cstdint>

#include "catalog/selection_entry.h"
#include "ui/draw_window.h"
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
    kStepTrigger = 2509,
    kStepList = 2510,
    kFieldTrigger = 2511,
    kFieldList = 2512,
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

// The date taken at the last opening, Now or sky-chart command: year, month,
// day; all -1 until the first.
extern int32_t savedAssistantDate[3];

// The Sky View page.
constexpr int kSkyObjectCapacity = 60;
extern int32_t skyViewZoom;        // row of the Field popup, 0 "180°" .. 13 "0.5°"
extern int32_t skyViewStep;        // row of the Step popup, 0 "1d" .. 8 "90d"
extern float skyViewCentre[2];     // the view's centre: frame angle and elevation, degrees
extern int32_t skyViewPoint[2];    // the last tapped point (the area's centre after a pen-down or a zoom)
extern int32_t skyViewDragged;     // a drag happened since the pen went down
extern SelectionEntry* skyObjects; // kSkyObjectCapacity entries while the form is open, else null
extern int32_t skyObjectCount;     // entries of skyObjects the last drawing made

// The form's offscreen picture of the screen's size (null when closed or
// when it could not be made).
extern DrawWindowRecord* assistantSurface;

// Back to the start of a run: 2000-01-01 00:00, page 0, quantity, period and
// filter 0, the sky view at "180°", "1d" and centre (0, 0), not animating,
// chartRect empty, the form size 240 x 320, savedAssistantDate all -1; the
// sky objects and the offscreen picture freed (tests).
void ResetPlanetAssistantState();

// True when form 2450's controls are there to fill (the pages are also drawn
// into a bare draw window, whose controls do not exist).
bool PlanetAssistantControlsShown();

// The assistant's date (FormatDate) in the date field, its "%02d:%02d" in the
// time field, when form 2450 shows them.
void ShowAssistantDateField();
void ShowAssistantTimeField();
