// The compass chart (form 2830): where to look for the Sun, the Moon and one
// object of the observing list at the chart date and time. The rose shows
// their azimuths, the bar their altitudes, the text line the azimuth and
// altitude of the current body, and on tall screens a curve its altitude over
// the next hours. The object is chosen in the popup over the shown rows of the
// list, or comes back from the finder. Numbers: compass_chart.h; pictures:
// compass_view.h.
#pragma once

#include <cstdint>

#include "catalog/selection_entry.h"
#include "chart/compass_chart.h"
#include "platform/types.h"

constexpr int kCompassFormId = 2830;

// Kept while the program runs, so a new opening shows the last object.
struct CompassChartState {
    int32_t firstPaint = 1;
    int32_t entryPosition = -1;  // position of the taken entry in selectionList
    SelectionEntry entry{};      // the entry taken last, as the list holds it now; rightAscension -1 while none is
    int32_t taken = 0;           // 1 while an entry is taken (it is let go when it leaves the list)
    int32_t currentBody = kCompassSun;  // kCompassSun, kCompassMoon or kCompassObject
    int32_t finderReturn = 0;    // 1 while the finder was opened from here
    int32_t screenWidth = 0;
    int32_t screenHeight = 0;
    // Of the last drawing: the places, how many were drawn, the layout, and
    // each body's point on the rose and row on the bar (0 for a body left out).
    CompassPlace places[kCompassBodies];
    int32_t bodyCount = 0;
    CompassLayout layout;
    int32_t roseX[kCompassBodies] = {};
    int32_t roseY[kCompassBodies] = {};
    int32_t barY[kCompassBodies] = {};
    char altitudeText[16] = "";  // of the current body; empty when it is left out
    char azimuthText[16] = "";
};
extern CompassChartState compassChartState;

// The state of a program start: nothing taken, RA -1 (tests).
void ResetCompassChart();

// The form's dialog procedure.
pl::LResult CompassChartFormProc(pl::Hwnd form, uint32_t message, pl::WParam wParam, pl::LParam lParam);

// Releases the form's registered controls (all but the list) and asks for a
// fresh first drawing.
void ReleaseCompassChartControls(pl::Hwnd form);
