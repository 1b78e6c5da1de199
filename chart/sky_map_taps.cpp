// The tap search of the sphere views (Whole Sky, Visible Sky, Equatorial Sky).
#include <cmath>

#include "catalog/selection_list.h"
#include "catalog/stars.h"
#include "chart/chart_form_controls.h"
#include "chart/chart_marks.h"
#include "chart/chart_object_pass.h"
#include "chart/chart_picks.h"
#include "chart/chart_redraw.h"
#include "chart/chart_screen_lists.h"
#include "chart/chart_state.h"
#include "chart/chart_status.h"
#include "chart/chart_taps.h"
#include "chart/hit_tests.h"
#include "chart/save_under.h"
#include "chart/sky_chart_form.h"
#include "chart/sphere_projection.h"
#include "core/preferences.h"
#include "ui/draw_window.h"
#include "ui/screen_layout.h"

namespace {

constexpr int kTapModeWord = 40;
constexpr double kFixPerHour = 4392264.877774095;
constexpr double kFixPerDegree = 292817.65851827303;
constexpr double kFixToHours = 12.0 / M_PI / 16777216.0;
constexpr double kFixToDegrees = 180.0 / M_PI / 16777216.0;
constexpr float kStarSize = 0.1f;

enum class Search { kFound, kUnreadable };

struct SpherePick {
    ObjectRecord record{};
    int x = 0, y = 0;  // window pixels
};

bool PickEntry(int x, int y, int r, const XywhRect& view, SpherePick* pick) {
    if (selectionCount < 1) return false;
    const int i = FindObjectInSquare(selectionList, selectionCount, view.x, view.y, x, y, r);
    if (i < 0) return false;
    const SelectionEntry& e = selectionList[i];
    const int row = SetCurrentSelectionEntry(i);  // held aside when no row shows it
    ShowChartObjectRow(row);
    SetChartSelectionRecord(&e);
    pick->record = chartSelection;
    pick->x = e.screenX + view.x;
    pick->y = e.screenY + view.y;
    return true;
}

// One search at multiplier m: kFound with the pick (the sky point when nothing
// is there), or kUnreadable for a drill-down object whose record cannot be read.
Search SearchAt(int x, int y, int m, SpherePick* pick) {
    const XywhRect view = chartRecord.viewRect;
    const int s = GetScreenScale();
    if (PickEntry(x, y, 2 * s * m, view, pick)) return Search::kFound;
    if (int i = FindPointInScreenList16(x, y, 2 * s * m); i >= 0) {
        const ChartObjectEntry& o = chartScreenLists.objects[i];
        if (!DrilldownPickRecord(o.record, &pick->record)) return Search::kUnreadable;
        pick->x = o.x;
        pick->y = o.y;
        return Search::kFound;
    }
    if (int i = FindNearestBrightStar(view.x, view.y, x, y, s * m); i >= 0) {
        pick->record = BrightStarPickRecord(i);
        pick->record.size1 = pick->record.size2 = kStarSize;
        pick->record.distance = 0;
        pick->x = brightStarTable[i].screenX + view.x;
        pick->y = brightStarTable[i].screenY + view.y;
        return Search::kFound;
    }
    if (int i = FindPointInScreenList8(x, y, s * m);
        i >= 0 && CatalogueStarPickRecord(chartScreenLists.stars[i].id, kTychoFromStarsSphere, &pick->record)) {
        pick->x = chartScreenLists.stars[i].x;
        pick->y = chartScreenLists.stars[i].y;
        return Search::kFound;
    }
    Fix24Angle ra = 0, dec = 0;
    SkyMapPointToRaDec(x, y, &ra, &dec);
    SetCurrentSelectionRow(-1);
    pick->record = SkyPointRecord(ra * kFixToHours, dec * kFixToDegrees, -1);
    pick->x = x;
    pick->y = y;
    ShowChartObjectRow(-1);
    return Search::kFound;
}

// Tap mode 1: the pick marked on the picture as it stands, the view's centre
// moved onto it for the next drawing, its place in the status lines.
void DrawSpherePickInPlace(const SpherePick& pick, const ObjectRecord& previous) {
    RestoreChartLabel();  // the previous selection's picture and caption
    if (const int position = CurrentSelectionEntry(); position >= 0) MarkSelectedEntry(&selectionList[position]);
    const XywhRect view = chartRecord.viewRect;
    const pl::Rect clip{view.x, view.y, view.x + view.width, view.y + view.height};
    DrawWindowRecord* window = GetDrawWindow();
    if (chartStatusBox.bitmap && window) RestoreStatusBox(chartStatusBox.x, chartStatusBox.y, &clip, window);
    const auto ra = static_cast<Fix24Angle>(chartSelection.rightAscension * kFixPerHour);
    const auto dec = static_cast<Fix24Angle>(chartSelection.declination * kFixPerDegree);
    // The centre where the pick is drawn (a body's place of date as the redraw centres it).
    CentreSphereViewOn(chartSelection.rightAscension, chartSelection.declination,
                       static_cast<int16_t>(chartSelection.designationId));
    const int scale = GetScreenScale();
    SaveStatusBox(nullptr, pick.x - 8 * scale, pick.y - 8 * scale);
    skyMapView.markCornerX = pick.x - 8 * scale;  // the blinking mark follows the new centre
    skyMapView.markCornerY = pick.y - 8 * scale;
    if (displayScale.scaleX > 1.0) DrawChartSelectionLabel();
    DrawTargetMark(pick.x, pick.y);
    if (chartDistanceDisplay && ChartRecordHasPlace(previous))
        DrawPickDistance(previous.rightAscension, previous.declination, pick.x + 2 * scale, pick.y - 8 * scale);
    DrawSkyMapPlaceStatus(view, ra, dec);
}

}  // namespace

int IdentifySkyMapTap(int x, int y) {
    const ObjectRecord previous = chartSelection;
    SpherePick pick;
    if (SearchAt(x, y, 1, &pick) == Search::kUnreadable && SearchAt(x, y, 3, &pick) == Search::kUnreadable) return 0;
    if (pick.record.number >= 0) {
        const int position = AddPickToSelection(pick.record);
        if (position >= 0) {
            selectionList[position].screenX = pick.x - chartRecord.viewRect.x;
            selectionList[position].screenY = pick.y - chartRecord.viewRect.y;
        }
    }
    chartSelection = pick.record;
    switch (preferences.word[kTapModeWord]) {
        case 1: DrawSpherePickInPlace(pick, previous); return 0;
        case 2:
            chartState.chartDirty = 1;
            RedrawSkyChart();
            return 1;
        case 0: ShowChartObjectInfo(); return 0;
        default: return 0;
    }
}
