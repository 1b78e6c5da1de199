#include "chart/chart_views_popup.h"

#include "catalog/selection_list.h"
#include "chart/chart_clock.h"
#include "chart/chart_colours.h"
#include "chart/chart_form_controls.h"
#include "chart/chart_redraw.h"
#include "chart/chart_state.h"
#include "chart/chart_views.h"
#include "chart/chart_zoom.h"
#include "chart/object_icons.h"
#include "chart/save_under.h"
#include "chart/sky_rotation.h"
#include "chart/sphere_projection.h"
#include "core/fixed_trig.h"
#include "core/shared_state.h"
#include "ui/control_access.h"
#include "ui/forms.h"
#include "ui/night_mode_dialog.h"
#include "ui/shell_state.h"

namespace {

constexpr double kFixToDegrees = 180.0 / 3.14159265358979323846 / 16777216.0;
constexpr int kCompassForm = 2830;
constexpr int kPages[] = {1450, 1620, 1476};
constexpr int kFirstViewRow = 5, kLastRow = 10;
constexpr int kEquatorialSky = 4;

int FrameOf(int view) { return view == kEquatorialSky ? 0 : 1; }

// The place under the middle of the view, kept in the middle of view `view`.
void KeepCentrePlace(int view) {
    int32_t rect[4];
    GetChartCentre(nullptr, nullptr, rect);
    Fix24Angle ra = 0, dec = 0;
    SkyMapPointToRaDec(rect[0] + rect[2] / 2, rect[1] + rect[3] / 2, &ra, &dec);
    chartView = view;
    const DateTime& t = currentDateTime;
    SetChartView(FrameOf(view), t.year, t.month, t.day, t.hour, t.minute, 0, 0);
    int32_t p, q, s;
    ProjectRaDecToChart(ra, dec, &p, &q, &s);
    SetChartCentre(static_cast<float>(FixAtan2_24(p, q) * kFixToDegrees),
                   static_cast<float>(FixAsin24(s) * kFixToDegrees));
}

}  // namespace

void SwitchChartView(int view) {
    if (chartView >= 2 && view >= 2) {
        KeepCentrePlace(view);
    } else {
        chartView = view;
        if (view >= 2) RebuildChartViewForced(FrameOf(view));
    }
    UpdateChartTime(1);
    FreeChartBitmaps();
    SetChartZoom(Get(kChartZoomList));
    ApplyChartListFilter(GetChartClassFilterRow());  // keeps the current entry for the new view's rows
    RedrawSkyChart();
}

int ChartViewsPopupCommand() {
    const int row = Get(kChartViewsList);
    if (row < 0 || row > kLastRow) return 0;
    switch (row) {
        case 0: GotoForm(kHomeFormId); return 1;
        case 1: RunChartNightModeDialog(); return 1;
        case 2:
        case 3:
        case 4:
            PushFormHistory(GetCurrentFormId());
            GotoForm(kPages[row - 2]);
            return 1;
        case kLastRow: GotoForm(kCompassForm); return 1;
        default: SwitchChartView(row - kFirstViewRow); return 1;
    }
}

void RunChartNightModeDialog() {
    FreeObjectIconBitmap();
    RunNightModeDialog();
    SetChartColours();
}
