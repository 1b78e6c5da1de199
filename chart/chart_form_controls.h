// The sky chart form's controls as the chart code reaches them: the object
// list and its filter, the tool strip, the button pictures and the layout on
// screens other than 240 x 320. Each routine that touches a control does
// nothing while the chart form (1900) is not the open form.
#pragma once

#include "platform/types.h"

constexpr int kSkyChartFormId = 1900;

// Control ids of the form.
enum ChartControl : int {
    kChartBack = 1899,
    kChartViewsTrigger = 1913, kChartViewsList = 1914,
    kChartZoomTrigger = 1902, kChartZoomList = 1903,
    kChartScopeTrigger = 1911, kChartScopeList = 1912,
    kChartFinder = 1880,
    kChartFilterTrigger = 1908, kChartFilterList = 1909,
    kChartObjectTrigger = 1906, kChartObjectList = 1907,
    kChartPreferences = 1872,
    kChartOrientationTrigger = 1893, kChartOrientationList = 1877,
    kChartLogEntry = 1874, kChartNames = 1923, kChartDrilldown = 1915, kChartGrid = 1887, kChartTelrad = 1881,
    kChartDistance = 1894, kChartTurnToObject = 1891,
    kChartDirectionTrigger = 1886, kChartDirectionList = 5099,
    kChartManualRaDec = 1889, kChartManualAltAz = 1890, kChartGoto = 1892,
    kChartDateTime = 1875, kChartToolStrip = 1918, kChartObjectInfo = 1873,
    kChartPictureBox = 1871,
};

// The chart form's window, or null while another form is open.
pl::Hwnd ChartFormWindow();

// The object popup shows shown row `row` (list 1907 selected, trigger label
// the row's entry).
void ShowChartObjectRow(int row);

// The list filter of popup 1909 for row `row`: rows 0..6 filter the observing
// list by class (All, Star, Cluster, Double Star, Galaxy, Nebula, Planet) and
// refill list 1907; 7 "Clear List" empties the list and the finder target;
// 8 "Edit List" opens the list viewer (1800), 9 "Load/Save List" and 10 "Load
// Catalog" the list manager (1050) in its "Lists" and "User Catalogs" modes,
// the filter back at All.
void ApplyChartListFilter(int row);

// The list part of it: the shown rows rebuilt keeping the current entry (by the
// class filter alone until the chart has placed the entries for its time and
// view, then also by the view), list 1907 refilled with their count and the
// popup showing the current entry's row (none when not shown).
void ApplyChartListFilterListPart();

// The right-hand column hidden (the date, information and tool-strip buttons
// stay) or shown again (1886, 1889, 1890 and 1892 only on a screen taller than
// 240 scaleY).
void HideChartToolStrip();
void ShowChartToolStrip();
// HideChartToolStrip or ShowChartToolStrip as "Hide ToolBar" (word 235) says.
void MatchChartToolStrip();

// The left edge (form client x) of the right-hand column while "Hide ToolBar" (word 235) lets
// it show; INT_MAX with the column hidden or the chart form closed.
int ChartToolColumnLeft();

// The orientation trigger 1893 shows the orientation choice of the zoom step
// (clamped to 9): bitmap 1682 + choice on a white background by day, else
// 2008 + choice.
void SetChartButtonBitmaps(int zoom);

// Moves the controls by the screen-size difference (dx, dy): the object list
// grows by dy, 1873, 1918 and 1875 move by (dx, dy), the right-hand column and
// the direction list by dx. Returns 0 on the design screen, else 1.
int LayoutChartForm(pl::Hwnd form, int width, int height);
