#include "chart/scope_marker.h"

#include <cmath>

#include "catalog/selection_list.h"
#include "chart/chart_form_controls.h"
#include "chart/chart_marks.h"
#include "chart/chart_picks.h"
#include "chart/chart_redraw.h"
#include "chart/chart_state.h"
#include "chart/chart_status.h"
#include "chart/chart_views.h"
#include "chart/horizon_projection.h"
#include "chart/save_under.h"
#include "chart/sky_chart_form.h"
#include "chart/sky_rotation.h"
#include "chart/sphere_projection.h"
#include "core/julian_day.h"
#include "core/preferences.h"
#include "core/services.h"
#include "core/shared_state.h"
#include "objects/current_object.h"
#include "platform/gdi.h"
#include "scope/scope_services.h"
#include "ui/bitmaps.h"
#include "ui/draw_window.h"
#include "ui/input_polling.h"
#include "ui/screen_layout.h"

double scopeRa = 0.0, scopeDec = 0.0;
double scopeLastDrawnRa = 0.0;
int markerX = 0, markerY = 0;

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kFixPerHour = 4392264.877774095;
constexpr double kFixPerDegree = 292817.65851827303;
constexpr int kCursorBlinking = 1;
constexpr int kScopeIcon = 5084;
constexpr int kEdgeMargin = 20;       // GetScreenScale pixels
constexpr int kStatusMargin = 20;     // below a sphere view: its status lines
constexpr int kToolStripMargin = 11;  // right of a sphere view while the tool strip shows

pl::Rect RectOf(const XywhRect& r) { return pl::Rect{r.x, r.y, r.x + r.width, r.y + r.height}; }

bool Inside(int x, int y, const pl::Rect& r) { return x >= r.left && x < r.right && y >= r.top && y < r.bottom; }

// The corner of the status box that belongs to the chart's centre, on the
// screen (the centre's mark stands 8 s right and below it), and whether the
// box saved last holds that place.
bool CentreBoxCorner(int* x, int* y) {
    const int s = GetScreenScale();
    if (chartView < 2) {
        *x = chartState.chartWidth / 2 - 8 * s;
        *y = chartState.chartHeight / 2 - 8 * s;
    } else {
        *x = skyMapView.markCornerX;
        *y = skyMapView.markCornerY;
    }
    return chartStatusBox.bitmap && chartStatusBox.x == *x && chartStatusBox.y == *y;
}

int BlinkTargetMark() {
    int x, y;
    if (preferences.word[kPrefCursor] != kCursorBlinking || !CentreBoxCorner(&x, &y)) return 0;
    const int s = GetScreenScale();
    if (blinkPhase < 1) {
        DrawTargetMark(x + 8 * s, y + 8 * s);
    } else {
        const pl::Rect clip = chartView < 2 ? chartRecord.chartRect : RectOf(chartRecord.viewRect);
        RestoreStatusBox(x, y, &clip, GetDrawWindow());
    }
    if (++blinkPhase > 1) blinkPhase = 0;
    return 0;
}

// The old cross erased and the new one drawn at (x, y) within `clip`.
void MoveCross(int x, int y, const pl::Rect& clip) {
    const int s = GetScreenScale();
    RestoreMarkerBox(chartMarkerBox.x, chartMarkerBox.y, &clip, GetDrawWindow());
    markerX = x;
    markerY = y;
    SaveMarkerBox(nullptr, x - 8 * s, y - 8 * s);
    pl::SelectClipRect(GetDrawDc(), &clip);
    DrawScopeCross(ChartOverlayColour(), x, y);
    pl::SelectClipRect(GetDrawDc(), nullptr);
}

// Views 0 and 1; the place is J2000.
int MarkHorizonChart(double ra, double dec) {
    int32_t a, b;
    if (!ProjectRaDecToHorizon(chartTimeRecord.lstHours, static_cast<float>(ra), static_cast<float>(dec), &a, &b))
        return 0;
    int32_t x, y;
    HorizonPointToScreen(a, b, &x, &y);
    const pl::Rect& chart = chartRecord.chartRect;
    const int m = kEdgeMargin * GetScreenScale();
    if (x < chart.left + m || x > chart.right - m || y < chart.top + m || y > chart.bottom - m) {
        FreeChartBitmaps();
        chartSelection = SkyPointRecord(ra, dec, 0);
        SetCurrentSelectionRow(-1);
        ShowChartObjectRow(-1);
        RedrawCentredOnSelection();
        return -1;
    }
    currentObject.rightAscension = static_cast<float>(ra);
    currentObject.declination = static_cast<float>(dec);
    currentObject.objectType = 0;
    SetCurrentSelectionRow(-1);
    MoveCross(x, y, chart);
    DrawChartStatusLine(chartTimeRecord.lstHours, &currentObject);
    return 1;
}

// Views 2..4; the place is J2000.
int MarkSphereView(double ra, double dec) {
    const auto fixRa = static_cast<Fix24Angle>(ra * kFixPerHour);
    const auto fixDec = static_cast<Fix24Angle>(dec * kFixPerDegree);
    const int s = GetScreenScale();
    XywhRect area = chartRecord.viewRect;
    area.height -= kStatusMargin * s;
    if (preferences.word[kPrefHideToolBar] == 0) area.width -= kToolStripMargin * s;
    int32_t x = 0, y = 0;
    if (ProjectToSkyMap(fixRa, fixDec, &x, &y) && Inside(x, y, RectOf(area))) {
        MoveCross(x, y, RectOf(area));
        DrawSkyMapPlaceStatus(chartRecord.viewRect, fixRa, fixDec);
        return 1;
    }
    CentreChartOnRaDec(ra, dec);
    RedrawSkyChart();
    return 1;
}

}  // namespace

int DrawScopeMarker(float ra, float dec) {
    if (!scopeConnected) return BlinkTargetMark();
    if (ra == 0.0f && dec == 0.0f) {
        double readRa = 0.0, readDec = 0.0;
        if (!ScopeGetPosition(&readRa, &readDec)) {
            ShowInformation("fail scope", "");
            scopeConnected = 0;
            ScopeDisconnect();
            StartChartTimer(0);
            return 0;
        }
        scopeRa = readRa;
        scopeDec = readDec;
        if (scopeRa == scopeLastDrawnRa && scopeDec == scopeMarkerLastDec) return 0;
        scopeLastDrawnRa = scopeRa;
        scopeMarkerLastDec = scopeDec;
    } else {
        scopeRa = ra;
        scopeDec = dec;
    }
    double placeRa = scopeRa, placeDec = scopeDec;
    MountPlaceToJ2000(&placeRa, &placeDec);
    const int drawn = chartView < 2 ? MarkHorizonChart(placeRa, placeDec) : MarkSphereView(placeRa, placeDec);
    if (drawn <= 0) return drawn < 0 ? 1 : 0;
    const int s = GetScreenScale();
    DrawBitmapScaled(kScopeIcon, 0, ScaleY(24), 0.25 * s);
    return 1;
}

void EraseScopeMarker() {
    RestoreMarkerBox(chartMarkerBox.x, chartMarkerBox.y, &chartRecord.chartRect, GetDrawWindow());
    FreeChartMarkerBox();
}

void MountPlaceToJ2000(double* ra, double* dec) {
    int year, month, day, hour, minute, second;
    GetLocalDateTime(&year, &month, &day, &hour, &minute, &second);
    double m[9];
    ComputeJ2000ToDateMatrix(JulianDayFromDateTime(year, month, day, hour, minute, second, currentSite.zoneMinutes),
                             m);
    const double a = *ra * kPi / 12.0, d = *dec * kPi / 180.0;
    const double v[3] = {std::cos(d) * std::sin(a), std::cos(d) * std::cos(a), std::sin(d)};
    double w[3];
    for (int i = 0; i < 3; ++i) w[i] = m[i] * v[0] + m[3 + i] * v[1] + m[6 + i] * v[2];
    double hours = std::atan2(w[0], w[1]) * 12.0 / kPi;
    if (hours < 0.0) hours += 24.0;
    *ra = hours;
    *dec = std::asin(std::fmax(-1.0, std::fmin(1.0, w[2]))) * 180.0 / kPi;
}

void ResetScopeMarker() {
    scopeRa = scopeDec = scopeLastDrawnRa = 0.0;
    markerX = markerY = 0;
}
