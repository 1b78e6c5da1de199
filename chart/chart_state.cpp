#include "chart/chart_state.h"

#include "core/program_hooks.h"

namespace {

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
    .xScale = 65536,
    .yScale = 65536,
    .horizonScale = 65536,
    .chartDirty = 1,
    .chartSelectionIndex = 0,
    .lastLstHours = 0.0f,
};

constexpr ObjectRecord kEmptySelection = {0, 0, 0, 0, 0.0f, 0.0f, 0.0f, 16.0f, 0.0f, 0, 0, 0.0f, {}};

}  // namespace

ChartTimeRecord chartTimeRecord{};
ChartState chartState = kStartState;
ObjectRecord chartSelection = kEmptySelection;

void InstallChartStateHooks() {
    InstallHorizonProjectionHook([] { chartTimeRecord.horizonProjectionReady = 0; });
}

void GetChartViewRect(int32_t* originX, int32_t* originY, int32_t* xScale, int32_t* yScale) {
    *originX = chartState.originX;
    *originY = chartState.originY;
    *xScale = chartState.xScale;
    *yScale = chartState.yScale;
}

void ResetChartState() {
    chartTimeRecord = ChartTimeRecord{};
    chartState = kStartState;
    chartSelection = kEmptySelection;
}
