#include "chart/chart_state.h"

#include <algorithm>
#include <cstring>

#include "catalog/designations.h"
#include "catalog/listed_places.h"
#include "catalog/object_display.h"
#include "catalog/selection_list.h"
#include "chart/chart_screen_lists.h"
#include "chart/chart_symbols.h"
#include "chart/chart_views.h"
#include "chart/chart_zoom.h"
#include "chart/sky_rotation.h"
#include "chart/object_icons.h"
#include "chart/save_under.h"
#include "core/preferences.h"
#include "core/program_hooks.h"
#include "platform/window.h"
#include "ui/current_form.h"
#include "ui/form_controls.h"
#include "ui/markers.h"
#include "ui/offscreen.h"
#include "ui/shell_state.h"

namespace {

constexpr int kSkyChartForm = 1900;
constexpr int kChartObjectList = 1907;
constexpr int kClassFilterRows = 7;  // All, Star, Cluster, Double Star, Galaxy, Nebula, Planet

constexpr ChartState kStartState = {
    .xSign = 1,
    .ySign = 1,
    .starLimit = 13.0f,
    .objectLimit = 100.0f,
    .chartZoomIndex = -1,
    .zoomSlotSky = -1,
    .zoomSlotHorizon = -1,
    .chartWidth = 160,
    .chartHeight = 160,
    .originX = 0,
    .originY = 0,
    .horizonScale = 65536,
    .chartDirty = 1,
    .chartSelectionIndex = 0,
    .lastLstHours = 0.0f,
};

constexpr ChartRecord kStartRecord = {
    .chartRect = {0, 0, 160, 160},
    .xScale = 65536,
    .yScale = 65536,
    .offscreen = nullptr,
    .clip = {0, 0, 160, 160},
    .pictureBox = {},
    .viewRect = {},
    .centreLongitude = 0.0f,
    .centreLatitude = 0.0f,
    .palette = {},
    .starColours = {},
};

constexpr ObjectRecord kEmptySelection = {0, 0, 0, 0, 0.0f, 0.0f, 0.0f, 16.0f, 0.0f, 0, 0, 0.0f, {}};

constexpr int kFixedPlace = 0;  // a designation whose place is J2000, not of date

}  // namespace

ChartTimeRecord chartTimeRecord{};
ChartState chartState = kStartState;
ChartRecord chartRecord = kStartRecord;
ObjectRecord chartSelection = kEmptySelection;

void InstallChartStateHooks() {
    InstallHorizonProjectionHook([] { chartTimeRecord.horizonProjectionReady = 0; });
    InstallChartScreenListHook(EmptyChartStarList);
}

void GetChartViewRect(int32_t* originX, int32_t* originY, int32_t* xScale, int32_t* yScale) {
    *originX = chartState.originX;
    *originY = chartState.originY;
    *xScale = chartRecord.xScale;
    *yScale = chartRecord.yScale;
}

int GetChartSelectionRow() { return chartState.chartSelectionIndex < 0 ? 0 : chartState.chartSelectionIndex; }

// A filter outside the popup's seven rows would show a wrong row or pass -1 on.
int GetChartClassFilterRow() {
    return selectionClassFilter >= 0 && selectionClassFilter < kClassFilterRows ? selectionClassFilter : 0;
}

int GetChartViewRow() { return chartView + 5; }

void SetChartSelectionRecord(const SelectionEntry* entry) {
    if (!entry) return;
    CopyObjectDisplayFields(&chartSelection, entry);
    chartSelection.number = entry->number;
    char name[kSelectionNameSize];
    std::memcpy(name, entry->name, sizeof name - 1);
    name[sizeof name - 1] = '\0';
    SetObjectRecordName(&chartSelection, name);
}

void CopyChartState16(ObjectRecord* out) { *out = chartSelection; }

void SetChartState16(const ObjectRecord* in) { chartSelection = *in; }

void GetChartCentre(float* longitude, float* latitude, int32_t rect[4]) {
    if (longitude) *longitude = chartRecord.centreLongitude;
    if (latitude) *latitude = chartRecord.centreLatitude;
    if (rect) {
        const XywhRect& r = chartRecord.viewRect;
        rect[0] = r.x;
        rect[1] = r.y;
        rect[2] = r.width;
        rect[3] = r.height;
    }
}

void SetChartCentre(float a, float b) {
    chartRecord.centreLongitude = a;
    chartRecord.centreLatitude = b;
}

void GetChartLstHours(float* hours) { *hours = chartTimeRecord.lstHours; }

void RefreshChartObjectList() {
    if (selectionShownCount < 0 || GetCurrentFormId() != kSkyChartForm) return;
    pl::Hwnd list = pl::GetDlgItem(GetCurrentFormWindow(), kChartObjectList);
    if (list) SetListItems(list, nullptr, selectionShownCount);
}

void CentreChartOnRaDec(double raHours, double decDegrees) {
    FreeChartBitmaps();
    float a = static_cast<float>(raHours), b = static_cast<float>(decDegrees);
    if (chartView >= 2) ListPlaceCentre(raHours, decDegrees, kFixedPlace, &a, &b);
    SetChartCentre(a, b);
    SetCurrentSelectionRow(-1);
}

bool ChartRecordHasPlace(const ObjectRecord& record) {
    const SelectionEntry* e = FindListedBody(record);
    return !e || e->placeUnknown == 0;
}

int ReleaseSkyChart() {
    SelectChartBitmapSet(1);
    preferences.word[kPrefChartZoom] = chartState.chartZoomIndex;
    EmptyChartObjectList();
    FreeChartBitmaps();
    FreeChartPatches();
    FreeMarkerBitmaps();
    FreeObjectIconBitmap();
    DeleteOffscreenWindow(chartRecord.offscreen);
    chartRecord.offscreen = nullptr;
    return 1;
}

void ResetChartState() {
    chartTimeRecord = ChartTimeRecord{};
    chartState = kStartState;
    DeleteOffscreenWindow(chartRecord.offscreen);
    chartRecord = kStartRecord;
    chartSelection = kEmptySelection;
    ResetChartZoomTables();
    FreeChartBitmaps();
    FreeChartPatches();
    FreeObjectIconBitmap();
}
