#include "chart/chart_form_controls.h"

#include <algorithm>
#include <climits>
#include <cstring>

#include "catalog/screens/list_manager_form.h"
#include "catalog/selection_list.h"
#include "chart/chart_state.h"
#include "core/preferences.h"
#include "objects/selected_object.h"
#include "platform/window.h"
#include "ui/draw_window.h"
#include "ui/form_controls.h"
#include "ui/forms.h"
#include "ui/current_form.h"
#include "ui/popup_list.h"
#include "ui/screen_layout.h"
#include "ui/shell_state.h"
#include "ui/colors.h"
#include "ui/control_access.h"

namespace {

constexpr int kClearList = 7, kEditList = 8, kLoadSaveList = 9, kLoadCatalog = 10;
constexpr int kListViewerForm = 1800;
constexpr int kLastZoomChoice = 9;

constexpr int kColumn[] = {kChartPreferences,      kChartLogEntry, kChartNames,      kChartDrilldown, kChartGrid,
                           kChartTelrad,           kChartTurnToObject, kChartDistance, kChartManualRaDec,
                           kChartManualAltAz,      kChartOrientationTrigger, kChartDirectionTrigger, kChartGoto};
constexpr int kAlwaysShown[] = {kChartDateTime, kChartObjectInfo, kChartToolStrip};
constexpr int kTallScreenOnly[] = {kChartDirectionTrigger, kChartManualRaDec, kChartManualAltAz, kChartGoto};

// Shows or hides a control when it is not so already: hiding paints the form's
// background over its place, which must not land on a finished chart.
void SetShown(pl::Hwnd form, int id, bool shown) {
    pl::Hwnd control = pl::GetDlgItem(form, id);
    if (!control || pl::IsWindowVisible(control) == shown) return;
    if (shown) ShowObject(form, id);
    else HideObject(form, id);
}

bool IsTallOnly(int id) {
    for (int tall : kTallScreenOnly)
        if (tall == id) return true;
    return false;
}

void RefillObjectList() {
    pl::Hwnd form = ChartFormWindow();
    if (!form) return;
    if (pl::Hwnd list = pl::GetDlgItem(form, kChartObjectList)) SetListItems(list, nullptr, std::max(selectionShownCount, 0));
}

void ClearList() {
    ClearSelectedObject();
    selectionShownCount = selectionCount = 0;
    SetCurrentSelectionRow(-1);
    if (selectionList) selectionList[0].number = -1;
    RefillObjectList();
    if (ChartFormWindow()) {
        SetPopupList(kChartObjectTrigger, kChartObjectList, -1);
        SetPopupLabel(kChartObjectTrigger, "");
    }
}

}  // namespace

pl::Hwnd ChartFormWindow() {
    return GetCurrentFormId() == kSkyChartFormId ? GetCurrentFormWindow() : nullptr;
}

void ShowChartObjectRow(int row) {
    if (!ChartFormWindow()) return;
    SetPopupList(kChartObjectTrigger, kChartObjectList, row);
    const int position = row >= 0 ? GetSelectionIndex(row) : -1;
    char name[kSelectionNameSize] = "";
    if (position >= 0 && position < selectionCount) std::memcpy(name, selectionList[position].name, sizeof name - 1);
    SetPopupLabel(kChartObjectTrigger, name);
}

void ApplyChartListFilterListPart() {
    FilterSelectionByClass(selectionClassFilter, nullptr, 0);
    // Until the chart has placed the entries for its time and view, their marks are
    // another time's or view's: the class filter alone chooses the rows then, so the
    // current entry stays current until the chart's own rebuild after placing them.
    if (chartTimeRecord.horizonProjectionReady != 0) RebuildSelectionView(HeldSelectionEntry());
    else RebuildSelectionByClass();
    RefillObjectList();
    const int row = selectionCurrentRow;
    ShowChartObjectRow(row >= 0 && row < selectionShownCount ? row : -1);
}

void ApplyChartListFilter(int row) {
    if (row != selectionClassFilter) selectionClassFilter = row;
    switch (row) {
        case kClearList:
            ClearList();
            selectionClassFilter = 0;
            FilterSelectionByClass(0, nullptr, 0);
            return;
        case kEditList:
            selectionClassFilter = 0;
            GotoForm(kListViewerForm);
            return;
        case kLoadSaveList:
        case kLoadCatalog:
            selectionClassFilter = 0;
            SetListManagerMode(row == kLoadCatalog ? kListManagerUserCatalogs : kListManagerLists);
            GotoForm(kListManagerForm);
            return;
        default: ApplyChartListFilterListPart(); return;
    }
}

void HideChartToolStrip() {
    pl::Hwnd form = ChartFormWindow();
    if (!form) return;
    for (int id : kColumn) SetShown(form, id, false);
    for (int id : kAlwaysShown) SetShown(form, id, true);
}

void ShowChartToolStrip() {
    pl::Hwnd form = ChartFormWindow();
    if (!form) return;
    pl::Rect client;
    pl::GetClientRect(form, &client);
    const bool tall = client.Height() > ScaleY(240);
    for (int id : kColumn) SetShown(form, id, tall || !IsTallOnly(id));
    for (int id : kAlwaysShown) SetShown(form, id, true);
}

void MatchChartToolStrip() {
    if (preferences.word[kPrefHideToolBar] != 0) HideChartToolStrip();
    else ShowChartToolStrip();
}

void SetChartButtonBitmaps(int zoom) {
    pl::Hwnd form = ChartFormWindow();
    if (!form) return;
    const int step = std::clamp(zoom, 0, kLastZoomChoice);
    const int choice = std::clamp(preferences.word[kPrefZoomViewFirst + step], 0, 3);
    const bool white = preferences.word[kPrefChartBackground] >= 2 && GetNightMode() == 0;
    SetPopupDisplay(form, kChartOrientationTrigger, (white ? 1682 : 2008) + choice, 1, 0x7FFF);
    RedrawControl(form, kChartOrientationTrigger);
}

int ChartToolColumnLeft() {
    pl::Hwnd form = ChartFormWindow();
    if (!form || preferences.word[kPrefHideToolBar] != 0) return INT_MAX;
    int left = INT_MAX;
    for (int id : kColumn) {
        pl::Rect r;
        pl::Hwnd control = pl::GetDlgItem(form, id);
        if (!control || !pl::GetWindowRect(control, &r)) continue;
        pl::Point corner{r.left, r.top};
        pl::ScreenToClient(form, &corner);
        left = std::min(left, corner.x);
    }
    return left;
}

int LayoutChartForm(pl::Hwnd form, int width, int height) {
    int dx = 0, dy = 0;
    if (!GetScreenSizeDelta(0, width, height, &dx, &dy)) return 0;
    MoveControl(form, kChartObjectList, 0, 0, 0, dy);
    for (int id : {kChartObjectInfo, kChartToolStrip, kChartDateTime}) MoveControl(form, id, dx, dy, 0, 0);
    for (int id : kColumn) MoveControl(form, id, dx, 0, 0, 0);
    MoveControl(form, kChartOrientationList, dx, 0, 0, 0);
    MoveControl(form, kChartDirectionList, dx, 0, 0, 0);
    return 1;
}
