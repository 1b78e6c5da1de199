#include "chart/chart_zoom.h"

#include <algorithm>

#include "catalog/databases.h"
#include "catalog/stellar_catalog.h"
#include "chart/chart_screen_lists.h"
#include "chart/chart_state.h"
#include "core/preferences.h"
#include "scope/scope_services.h"
#include "ui/screen_layout.h"

namespace {

constexpr std::array<int32_t, kZoomSteps> kHorizonZoomStart = {
    65536, 91750, 115015, 153354, 230031, 306708, 458752, 688128, 1376256, 2752512, 5505024, 9175000, 13762560,
    16500000};
constexpr std::array<float, kZoomSteps> kZoomScaleUnbuilt = {-1.0f};
constexpr int kLastZoomViewWord = 149;

// Slew rate of a zoom step, -1 for none (the finest step).
int SlewRateOfStep(int step) {
    if (step <= 4) return 0;
    if (step <= 7) return 1;
    if (step <= 9) return 2;
    return step <= 12 ? 3 : -1;
}

}  // namespace

std::array<int32_t, kZoomSteps> horizonZoomTable = kHorizonZoomStart;
std::array<float, kZoomSteps> zoomScaleTable = kZoomScaleUnbuilt;

void ScaleHorizonZoomTable() {
    int s = GetScreenScale();
    if (s <= 1 || horizonZoomTable[0] != kHorizonZoomStart[0]) return;
    for (int32_t& entry : horizonZoomTable) entry *= s;
}

float GetZoomScale(int step) {
    if (step < 0 || step >= kZoomSteps) return 0.0f;
    if (zoomScaleTable[0] < 0.0f) FillZoomScaleTable(zoomScaleTable.data());
    return zoomScaleTable[step];
}

int SetChartZoom(int step) {
    step = std::clamp(step, 0, kZoomSteps - 1);
    chartState.chartSelectionIndex = -2;
    (chartView == 1 ? chartState.zoomSlotHorizon : chartState.zoomSlotSky) = step;
    EmptyChartScreenLists();
    chartState.chartDirty = 1;
    if (preferences.word[kPrefCardCatalog] != 0) SelectStellarCatalog(step);
    OpenObjIndexDb();
    int rate = SlewRateOfStep(step);
    if (scopeConnected && preferences.word[kPrefDriveId] != 0 && !IsEncoderDrive() && rate >= 0)
        ScopeSetSlewRate(rate);
    return step;
}

int GetChartZoomRow() {
    return chartState.chartZoomIndex < 0 ? preferences.word[kPrefChartZoom] : chartState.chartZoomIndex;
}

// Before the first opening chartZoomIndex is -1, and word 140 - 1 is the last
// form's id: the step the chart opens with is taken instead.
int GetZoomViewChoice() {
    int zoom = std::max(0, GetChartZoomRow());
    return preferences.word[zoom <= 9 ? kPrefZoomViewFirst + zoom : kLastZoomViewWord];
}

void ResetChartZoomTables() {
    horizonZoomTable = kHorizonZoomStart;
    zoomScaleTable = kZoomScaleUnbuilt;
}
