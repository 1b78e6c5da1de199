#include "chart/chart_scroll.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "catalog/selection_list.h"
#include "chart/chart_form_controls.h"
#include "chart/chart_object_pass.h"
#include "chart/chart_redraw.h"
#include "chart/chart_state.h"
#include "chart/chart_taps.h"
#include "chart/chart_views.h"
#include "chart/save_under.h"
#include "chart/shifted_chart.h"
#include "chart/sky_map.h"
#include "chart/sphere_projection.h"
#include "scope/scope_services.h"
#include "ui/draw_window.h"
#include "ui/input_polling.h"

const float skyDragStepTable[14] = {100, 100, 110, 110, 130, 140, 150, 155, 160, 160, 160, 160, 160, 170};

namespace {

constexpr int kDragStart = 7;
constexpr int kVisibleSky = 3;
constexpr double kRadToDeg = 180.0 / M_PI;

// The sphere view's centre angle and elevation (degrees) under its centre point.
void SphereCentre(double* longitude, double* latitude) {
    Fix24Angle ra = 0, dec = 0;
    SkyMapPointToRaDec(skyMapView.centreX, skyMapView.centreY, &ra, &dec);
    int32_t p, q, s;
    ProjectRaDecToChart(ra, dec, &p, &q, &s);
    *longitude = std::atan2(static_cast<double>(p), static_cast<double>(q)) * kRadToDeg;
    *latitude = std::asin(std::clamp(s / 16777216.0, -1.0, 1.0)) * kRadToDeg;
}

// Degrees per pixel of a sphere-view drag on each axis at the zoom step.
void SphereDragSteps(int zoom, double latitude, double* xStep, double* yStep) {
    const double fov = GetZoomFovForIndex(static_cast<unsigned>(zoom));
    const float drag = skyDragStepTable[std::clamp(zoom, 0, kZoomSteps - 1)];
    *xStep = fov / std::max(static_cast<int>(drag * displayScale.scaleX), 1) * chartState.xSign;
    *yStep = fov / std::max(static_cast<int>(drag * displayScale.scaleY), 1) * chartState.ySign;
    const double c = std::fabs(std::cos(2.0 * latitude * M_PI / 450.0));
    if (c > 0) *xStep /= c;
}

void DragSphere(int x, int y, int lastX, int lastY) {
    double longitude = 0, latitude = 0, xStep = 0, yStep = 0;
    SphereCentre(&longitude, &latitude);
    SphereDragSteps(chartState.chartZoomIndex, latitude, &xStep, &yStep);
    int down = 1;
    while (down) {
        StepSkyMapCentre((x - lastX) * xStep, (y - lastY) * yStep, &longitude, &latitude);
        lastX = x;
        lastY = y;
        GetPenState(&x, &y, &down);
    }
    FlushPenEvents();
    chartTimeRecord.scrolling = 1;
    if (scopeConnected) FreeChartBitmaps();
    RedrawSkyChart();
}

void DragHorizonChart(int x, int y, int lastX, int lastY) {
    ChartTimeRecord& t = chartTimeRecord;
    chartState.chartDirty = 1;
    t.scrollDx = t.scrollDy = 0;
    int down = 1, row = -1;
    while (down) {
        t.scrollDx += x - lastX;
        t.scrollDy += y - lastY;
        lastX = x;
        lastY = y;
        row = ShiftChart(t.scrollDx, t.scrollDy, false);
        GetPenState(&x, &y, &down);
    }
    FlushPenEvents();
    FinishShiftedChart(row);
}

}  // namespace

void StepSkyMapCentre(double dLongitude, double dLatitude, double* longitude, double* latitude) {
    *longitude += dLongitude;
    *longitude -= 360.0 * std::floor(*longitude / 360.0);
    *latitude = std::clamp(*latitude + dLatitude, chartView == kVisibleSky ? 0.0 : -90.0, 90.0);
    chartRecord.centreLongitude = static_cast<float>(*longitude);
    chartRecord.centreLatitude = static_cast<float>(*latitude);
    const int row = DrawChartSkyMap(0);
    SetCurrentSelectionRow(row);
    ForgetChartLabel();  // the new picture has neither
    if (row < 0) chartSelection.number = -1;
    ShowChartObjectRow(row);
}

int ScrollChartByPen(int x, int y) {
    if (!chartRecord.offscreen) return 0;
    int lastX = 0, lastY = 0;
    GetTapOrigin(&lastX, &lastY);
    if (!chartTimeRecord.scrolling) {
        if (std::abs(x - lastX) < kDragStart && std::abs(y - lastY) < kDragStart) return 0;
        chartTimeRecord.scrolling = 1;
    }
    tapArmed = 0;
    if (chartView >= 2) DragSphere(x, y, lastX, lastY);
    else DragHorizonChart(x, y, lastX, lastY);
    return 1;
}
