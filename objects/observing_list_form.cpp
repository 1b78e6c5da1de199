#include "objects/observing_list_form.h"

#include <algorithm>

#include "catalog/object_pictures.h"
#include "catalog/screens/image_viewer.h"
#include "catalog/screens/list_manager_form.h"
#include "catalog/selection_list.h"
#include "chart/chart_clock.h"
#include "chart/chart_symbols.h"
#include "core/horizontal.h"
#include "core/list_date.h"
#include "core/services.h"
#include "core/shared_state.h"
#include "core/sidereal_time.h"
#include "objects/chart_handover.h"
#include "objects/current_object.h"
#include "objects/finder_open.h"
#include "objects/list_panel.h"
#include "objects/list_panel_view.h"
#include "objects/form_messages.h"
#include "objects/selected_object.h"
#include "objects/selection_add.h"
#include "objects/selection_sort.h"
#include "platform/messages.h"
#include "platform/shell.h"
#include "platform/window.h"
#include "tools/observer_log_open.h"
#include "ui/colors.h"
#include "ui/control_access.h"
#include "ui/control_registry.h"
#include "ui/draw_window.h"
#include "ui/form_controls.h"
#include "ui/forms.h"
#include "ui/owner_draw.h"
#include "ui/popup_list.h"
#include "ui/screen_layout.h"
#include "ui/simple_controls.h"
#include "ui/title_control.h"

ObservingListState observingListState;

namespace {

constexpr int kCriteriaForm = 1700, kSkyChartForm = 1900;
constexpr int kClassFilters = 7;
constexpr pl::ColorRef kInfoKey = 0x00FF00;
constexpr pl::ColorRef kWhite = 0xFFFFFF;
constexpr uint32_t kInitFlags = pl::SHIDIF_DONEBUTTON | pl::SHIDIF_SIPDOWN | pl::SHIDIF_FULLSCREENNOMENUBAR;
constexpr const char* kClassRows[] = {"All", "Star", "Cluster", "Double Star", "Galaxy", "Nebula", "Planet"};
constexpr const char* kSortRows[] = {"Name", "Mag.", "Size", "Transit", "RA", "Alt"};
// Rows shown only on screens taller than 240 design pixels.
constexpr int kTallOnly[] = {1826, 1825, 1842, 1823, 140, 141, 1817};

struct IconButton {
    int id;
    int day;
    int night;
};
constexpr IconButton kIcons[] = {{kListBack, 5074, 5074},     {kListSky, 5094, 5138},   {kListLog, 5121, 5131},
                                 {kListCriteria, 5096, 5096}, {kListRowPictures, 5150, 5150},
                                 {kListTrash, 1975, 1975},    {kListFiles, 5148, 5148}, {kListPanelPicture, 1941, 1941}};
constexpr int kRegistered[] = {8014, kListInfo, kListClassTrigger, kListSortTrigger, kListRows, kListPanelGauge,
                               145,  146};

pl::Hwnd listForm = nullptr;
pl::ShActivateInfo activateInfo{};
int firstPaint = 1;

ObservingListState& S() { return observingListState; }

// The white-keyed pictures of the chart (sky, log, criteria) and the picture mark.
bool WhiteKeyed(int id) { return id == kListSky || id == kListLog || id == kListCriteria || id == kListPanelPicture; }

int Shown() { return std::max(selectionShownCount, 0); }

void DrawRow(int16_t row, const XywhRect& rect, int, int) {
    if (row < 0 || row >= Shown() || !selectionListPtr || !selectionListPtr[row]) return;
    DrawListEntryRow(*selectionListPtr[row], rect);
}

void ShowPanel(int row) { S().panelEntry = UpdateListPanel(row); }

void ChooseClass() {
    const int row = Get(kListClassList);
    if (row < 0) return;
    selectionClassFilter = row;
    RefreshObservingList(-1);
}

void ChooseSort() {
    const int row = Get(kListSortList);
    if (row < 0) return;
    S().sortOrder = row;
    SetPopupList(kListSortTrigger, kListSortList, row);
    if (Shown() < 1) return;
    SortSelectionList(row);
    RefreshObservingList(-1);
}

void DeleteRow() {
    const int position = CurrentSelectionEntry();
    if (position < 0) return;
    ClearSelectedObject();
    RemoveSelectionEntry(position);
    RefreshObservingList(-1);
}

// The current object in the sky chart at the list's time (its own date, else
// the program's time); in the views that show only the sky above the horizon
// an object below it is first offered the Whole Sky view. A night of the
// list's own holds in the chart as a time the user chose: the chart clock runs
// on from it instead of going back to the device clock at its next step.
void ShowInChart() {
    const DateTime t = ListDateTime();
    const SiteRecord& s = currentSite;
    const double lst = GetLocalSiderealTime(t.year, t.month, t.day, t.hour, t.minute, 0, s.longitude, s.zoneMinutes);
    const bool object = S().panelEntry >= 0;
    SetChartDateTime(object ? &currentObject : nullptr, t.year, t.month, t.day, t.hour, t.minute);
    if (object &&
        !AgreeChartViewForAltitude(ComputeAltitude(lst, currentObject.rightAscension, currentObject.declination, s.latitude)))
        return;
    if (IsListDateOwn()) {
        dateTimeFixed = 1;
        RestartChartTime();
    }
    GotoForm(kSkyChartForm);
}

void ShowPanelPicture() {
    if (S().panelEntry < 0 || S().panelEntry >= selectionCount) return;
    const PictureRequest p = ListEntryPicture(selectionList[S().panelEntry]);
    ShowObjectImage(p.name.c_str(), 0, 0, 160, 160, true, kImageFolderCatalog, p.kind);
}

// The picture of the current row's object, or of the first row after it that
// has one; the viewer's keys go on from the row after it.
void ShowRowPictures() {
    const int first = selectionCurrentRow >= 0 && selectionCurrentRow < Shown() ? selectionCurrentRow : 0;
    for (int row = first; row < Shown() && selectionListPtr; ++row) {
        const SelectionEntry& e = *selectionListPtr[row];
        const std::string name = ListEntryPictureName(e);
        if (!BuildImagePath(name.c_str(), kImageFolderCatalog, e.designation)) continue;
        imageBrowseIndex = row + 1;
        ShowObjectImage(name.c_str(), 0, 0, 160, 160, true, kImageFolderCatalog, e.designation);
        return;
    }
}

void EmptyList() {
    ClearSelectedObject();
    selectionClassFilter = 0;
    selectionCount = selectionShownCount = 0;
    if (selectionList) selectionList[0].number = -1;
    GotoForm(kObservingListFormId);
}

void Command(int id) {
    switch (id) {
    case kListClassList: ChooseClass(); return;
    case kListSortList: ChooseSort(); return;
    case kListRows: ShowPanel(Get(kListRows)); return;
    case kListAdd: OpenFinder(kObservingListFormId, -1); return;
    case kListDelete: DeleteRow(); return;
    case pl::IDOK:
    case kListBack:
        ClearSelectedObject();
        GoBackToPreviousForm();
        return;
    case kListCriteria:
        ClearSelectedObject();
        PopFormHistory();
        GotoForm(kCriteriaForm);
        return;
    case kListSky:
        ClearSelectedObject();
        ShowInChart();
        return;
    case kListPanelPicture: ShowPanelPicture(); return;
    case kListRowPictures: ShowRowPictures(); return;
    case kListLog: OpenObserverLogNewEntry(); return;
    case kListTrash: EmptyList(); return;
    case kListFiles:
        SetListManagerMode(kListManagerLists);
        GotoForm(kListManagerForm);
        return;
    case kListInfo:
        ShowInformation("\x95 Use Filter to display only one type of object.\n"
                        "\x95 Use Up and Down PDA keys to browse the list.\n"
                        "\x95 Use Add and Del to adjust the list,\n"
                        "\x95 Use List to import several objects,",
                        "\x95 Tap on the underlined field or image to get local help.");
        return;
    default: return;
    }
}

// The first drawing: history, the chart's symbols, the screen size, the rows.
void OpenObservingList() {
    PushFormHistory(kObservingListFormId);
    SelectChartBitmapSet(GetNightMode() == 0);
    GetScreenSize(&S().screenWidth, &S().screenHeight);
    SetPopupList(kListSortTrigger, kListSortList, S().sortOrder);
    RefreshObservingList(-1);
}

// Help follows the right edge, the list grows down; back, sky and log follow
// the bottom, criteria, row pictures, trash and List the bottom right.
void LayoutObservingList(pl::Hwnd form) {
    pl::Rect client;
    int dx = 0, dy = 0;
    if (pl::GetClientRect(form, &client) && GetScreenSizeDelta(0, client.Width(), client.Height(), &dx, &dy)) {
        MoveControl(form, kListInfo, dx, 0, 0, 0);
        MoveControl(form, kListRows, 0, 0, 0, dy);
        for (int id : {kListBack, kListSky, kListLog}) MoveControl(form, id, 0, dy, 0, 0);
        for (int id : {kListTrash, kListFiles, kListCriteria, kListRowPictures}) MoveControl(form, id, dx, dy, 0, 0);
    }
    int width = 0, height = 0;
    GetScreenSize(&width, &height);
    const bool tall = height > 240 * displayScale.scaleY;
    for (int id : kTallOnly) tall ? ShowObject(form, id) : HideObject(form, id);
}

void InitObservingList(pl::Hwnd form) {
    listForm = form;
    activateInfo = pl::ShActivateInfo{};
    InitFormWindow(form, kInitFlags);
    InitTitle(form, 8014, "VezizIvodozi");
    InitBitmapButton(form, kListInfo, 5076, 1, kInfoKey);
    const bool night = GetNightMode() != 0;
    for (const IconButton& b : kIcons)
        InitBitmapButton(form, b.id, night ? b.night : b.day, WhiteKeyed(b.id) && !night ? 1 : 0, kWhite);
    InitBitmapButton(form, kListPanelGauge, night ? 5007 : 5002, 0, 0);
    for (int row = kClassFilters - 1; row >= 0; --row) AddListRow(form, kListClassList, kClassRows[row]);
    InitPopupList(form, kListClassTrigger, kListClassList, -1, 0, 0);
    for (int row = 5; row >= 0; --row) AddListRow(form, kListSortList, kSortRows[row]);
    InitPopupList(form, kListSortTrigger, kListSortList, -1, 0, 0);
    InitList(form, kListRows, 0, -1, 1);
    for (int id : {145, 146}) InitLabel(form, id);
    LayoutObservingList(form);
    firstPaint = 1;
}

void ReleaseObservingList(pl::Hwnd form) {
    firstPaint = 1;
    for (int id : kRegistered) ReleaseControl(form, id);
    for (const IconButton& b : kIcons) ReleaseControl(form, b.id);
}

void MeasureRow(pl::MeasureItem* item) {
    if (item && item->ctlId == kListRows) item->itemHeight = ScaleY(16);
}

}  // namespace

void RefreshObservingList(int keep) {
    if (IsObjectSelected()) {
        const ObjectRecord target = selectedObject.record;
        if (!AddTargetToSelection()) NoteSelectionListFull();
        ClearSelectedObject();
        keep = FindSelectionEntry(selectionList, &target);
    }
    if (selectionClassFilter < 0 || selectionClassFilter >= kClassFilters) selectionClassFilter = 0;
    SetPopupList(kListClassTrigger, kListClassList, selectionClassFilter);
    // The rows of this form's view; the entry current on another screen's rows stays current.
    const int rows = RebuildSelectionByClass();
    SetListItems(pl::GetDlgItem(listForm, kListRows), nullptr, rows);
    int row = keep >= 0 ? SetCurrentSelectionEntry(keep) : selectionCurrentRow;  // a row of this form's rows
    if (row < 0 || row >= rows) row = 0;
    if (rows == 0) row = -1;
    Set(kListRows, row);
    ShowPanel(row);
}

void ObservingListCommand(int id) { Command(id); }

void ResetObservingListForm() {
    observingListState = ObservingListState{};
    listForm = nullptr;
    firstPaint = 1;
}

pl::LResult ObservingListProc(pl::Hwnd form, uint32_t message, pl::WParam wParam, pl::LParam lParam) {
    static const FormRoutines routines{&listForm, &activateInfo, ReleaseObservingList, ObservingListCommand};
    switch (message) {
    case pl::WM_INITDIALOG: InitObservingList(form); return 1;
    case pl::WM_PAINT:
        PaintForm(form, OpenObservingList, &firstPaint, ScaleY(22), 1);
        ShowNotedSelectionListFull();
        return 1;
    case pl::WM_MEASUREITEM: MeasureRow(reinterpret_cast<pl::MeasureItem*>(lParam)); return 1;
    case pl::WM_DRAWITEM: {
        const auto* item = reinterpret_cast<const pl::DrawItem*>(lParam);
        if (item && item->ctlId == kListRows) DrawOwnerItem(form, item, DrawRow);
        return 1;
    }
    default: break;
    }
    pl::LResult result = 0;
    return HandleCommonFormMessage(form, message, wParam, lParam, routines, &result) ? result : 0;
}
