#include "chart/sky_chart_opening.h"

#include <cstring>

#include "catalog/constellation_lines.h"
#include "catalog/designations.h"
#include "catalog/listed_places.h"
#include "catalog/selection_list.h"
#include "chart/chart_clock.h"
#include "chart/chart_form_controls.h"
#include "chart/chart_redraw.h"
#include "chart/chart_views.h"
#include "chart/chart_zoom.h"
#include "chart/horizon_projection.h"
#include "chart/object_icons.h"
#include "chart/phase_icons.h"
#include "chart/save_under.h"
#include "chart/sky_chart_form.h"
#include "chart/star_labels.h"
#include "chart/chart_symbols.h"
#include "core/preferences.h"
#include "core/shared_state.h"
#include "objects/object_selection.h"
#include "objects/selection_search.h"
#include "platform/window.h"
#include "ui/colors.h"
#include "ui/control_access.h"
#include "ui/draw_window.h"
#include "ui/form_controls.h"
#include "ui/markers.h"
#include "ui/popup_list.h"
#include "ui/primitives.h"
#include "ui/text_drawing.h"

namespace {

constexpr int kPlanets = 7, kPlanetType = 27;
constexpr int kStarType = 30;

}  // namespace

void ShowLoadingSky(pl::Hwnd form, int width) {
    EraseWindow(form);
    SetTextColorRef(GetForegroundColor());
    SetBackColor(GetBackgroundColor());
    const char* text = "Loading sky...";
    DrawPlainText(text, static_cast<int>(std::strlen(text)), width / 2 - ScaleX(50), ScaleX(25));
}

void PrepareChartOpening() {
    FreeMarkerBitmaps();
    FreeObjectIconBitmap();
    FreeChartBitmaps();
    SetChartFlagA(0);
    ComputeSelectionSkyState();
    LoadConstellationData(preferences.word[kPrefConstLinesFigures]);
    ChartTimeRecord& t = chartTimeRecord;
    // A chart that has no sidereal time yet (no step, no date set since the
    // start) takes the time now; a zero time would draw the sky of 0 h.
    if (t.lstHours == 0.0f) UpdateChartTime(1);
    chartState.horizonScale = -1;
    t.scrollDx = t.scrollDy = 0;
    chartRecord.xScale = chartRecord.yScale = 1;
    chartState.chartZoomIndex = SetChartZoom(preferences.word[kPrefChartZoom]);
    t.sphereViewReady = 0;
    const DateTime& now = currentDateTime;
    ComputeMoonIconState(now.year, now.month, now.day, now.hour);
    SetHorizonRotation(t.chartRotation);
    GetZoomScale(0);
}

void FillListForChart() {
    if (selectionShownCount < 1) {
        RunObjectSelection(kPlanets, kDesignationPlanet, kPlanetType);
        const DateTime& t = currentDateTime;
        if (const SelectionEntry* first = selectionShownCount > 0 ? ShownEntryAt(0, t) : nullptr) {
            SetChartSelectionRecord(first);
            SetChartDateTime(&chartSelection, t.year, t.month, t.day, t.hour, t.minute);
            SetCurrentSelectionRow(0);
        }
    }
    if (selectionShownCount < 0) return;
    pl::Hwnd form = ChartFormWindow();
    if (form) SetListItems(pl::GetDlgItem(form, kChartObjectList), nullptr, selectionShownCount);
    if (selectionClassFilter != -1) {
        if (form) SetPopupList(kChartFilterTrigger, kChartFilterList, GetChartClassFilterRow());
        ApplyChartListFilterListPart();
    } else {
        ApplyChartListFilter(form ? std::max(Get(kChartFilterList), 0) : 0);
    }
}

void KeepChartStarColours() {
    constexpr uint8_t kColours[6][3] = {{158, 177, 255}, {188, 205, 255}, {218, 224, 255},
                                        {255, 248, 245}, {255, 225, 189}, {255, 203, 132}};
    for (int i = 0; i < 6; ++i)
        chartRecord.starColours[i] = pl::Rgb(kColours[i][0], kColours[i][1], kColours[i][2]);
}

void DrawChartListRow(int row, const XywhRect& rect) {
    if (selectionShownCount <= 0) return;
    const int position = GetSelectionIndex(row);
    if (position < 0 || position >= selectionCount) return;
    const SelectionEntry& e = selectionList[position];
    SetForeColor(chartRecord.palette.background);
    FillRectangle(XywhRect{rect.x, rect.y, ScaleX(18), ScaleY(15)}, 0);
    const int cy = rect.y + rect.height / 2;
    if (e.objectType == kStarType)
        DrawObjectIcon(nullptr, std::max(chartState.chartZoomIndex, 0), e.mag10 / 10, static_cast<int8_t>(e.smallCode),
                       rect.x + ScaleX(7), cy);
    else
        DrawObjectSymbol(e.objectType, e.sourceIndex, 1, rect.x + ScaleX(8), cy);
    const int x = rect.x + ScaleX(20);
    const int y = rect.y + (rect.height - ScaleY(12)) / 2;
    if (e.designation == kDesignationHr) DrawStarName(e.number, x, y, 0);
    else DrawPlainText(e.name, static_cast<int>(strnlen(e.name, kSelectionNameSize - 1)), x, y);
}
