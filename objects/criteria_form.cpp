#include "objects/criteria_form.h"

#include <cstdio>
#include <cstring>

#include "catalog/databases.h"
#include "catalog/designations.h"
#include "catalog/eyepieces.h"
#include "catalog/selection_list.h"
#include "catalog/stars.h"
#include "chart/chart_clock.h"
#include "core/date_text.h"
#include "core/list_date.h"
#include "core/program_hooks.h"
#include "core/services.h"
#include "core/shared_state.h"
#include "core/text_numbers.h"
#include "objects/form_messages.h"
#include "objects/selected_object.h"
#include "objects/selection_search.h"
#include "platform/messages.h"
#include "platform/shell.h"
#include "platform/window.h"
#include "tools/edit_date_time.h"
#include "ui/control_access.h"
#include "ui/control_registry.h"
#include "ui/draw_window.h"
#include "ui/form_controls.h"
#include "ui/forms.h"
#include "ui/input_polling.h"
#include "ui/owner_draw.h"
#include "ui/popup_list.h"
#include "ui/screen_layout.h"
#include "ui/simple_controls.h"
#include "ui/text_drawing.h"
#include "ui/title_control.h"

int32_t criteriaCatalogTable[10] = {};
int32_t criteriaCatalogCount = 0;

namespace {

constexpr int kListForm = 1800;
constexpr int kNebulaType = 19;
constexpr int kShortRows = 13, kTallRows = 19;
constexpr pl::ColorRef kInfoKey = 0x00FF00;
constexpr uint32_t kInitFlags = pl::SHIDIF_DONEBUTTON | pl::SHIDIF_SIPDOWN | pl::SHIDIF_FULLSCREENNOMENUBAR;
constexpr char kNoCriteria[] = "No Criteria";

constexpr const char* kVisibilityRows[] = {kNoCriteria, "Very Easy", "Easy", "Difficult", "Very Difficult"};
constexpr const char* kMagnitudeRows[] = {kNoCriteria, "Eyes Limit", "Scope Limit", "<4", "<6",
                                          "<8",        "<10",        "<12",         "<14"};
constexpr const char* kElevationRows[] = {kNoCriteria, "Visible", ">15\xB0", ">20\xB0", ">25\xB0",   ">30\xB0",
                                          ">35\xB0",   ">40\xB0", ">45\xB0", ">50\xB0", "Not Visible"};

struct Popup {
    int trigger;
    int list;
};
constexpr Popup kPopups[] = {
    {kCriteriaVisibilityTrigger, kCriteriaVisibilityList}, {kCriteriaEyepieceTrigger, kCriteriaEyepieceList},
    {kCriteriaMagnitudeTrigger, kCriteriaMagnitudeList},   {kCriteriaCatalogTrigger, kCriteriaCatalogList},
    {kCriteriaTypeTrigger, kCriteriaTypeList},             {kCriteriaConstellationTrigger, kCriteriaConstellationList},
    {kCriteriaElevationTrigger, kCriteriaElevationList},
};
struct IconButton {
    int id;
    int bitmap;
};
constexpr IconButton kIcons[] = {{kCriteriaVisionTrash, 1975}, {kCriteriaObjectTrash, 1975}, {kCriteriaNow, 120},
                                 {kCriteriaBack, 5074},        {kCriteriaNew, 2251},         {kCriteriaAdd, 2249},
                                 {kCriteriaRemove, 2250}};
// Shown once the form has laid itself out.
constexpr int kLateControls[] = {140,         141,          kCriteriaDateField, kCriteriaTimeField, kCriteriaNow,
                                 kCriteriaBack, kCriteriaNew, kCriteriaAdd,     kCriteriaRemove};

pl::Hwnd criteriaForm = nullptr;
pl::ShActivateInfo activateInfo{};
int firstPaint = 1;

SelectionCriteria& C() { return selectionCriteria; }

void AddRows(pl::Hwnd form, int list, const char* const* rows, int count) {
    for (int i = count - 1; i >= 0; --i) AddListRow(form, list, rows[i]);
}

int16_t Row(int list) {
    const int row = Get(list);
    return static_cast<int16_t>(row > 0 ? row : 0);
}

void Select(int trigger, int list, int row) { SetPopupList(trigger, list, row); }

// The device's local date and time into the criteria.
void CriteriaFromDevice() {
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
    GetLocalDateTime(&year, &month, &day, &hour, &minute, &second);
    SetCriteriaDate(year, month, day, hour, minute);
}

// The list's time into the criteria: its own date and time, else the
// program's time (ListDateTime), as the search will take it.
void CriteriaFromListTime() {
    const DateTime t = ListDateTime();
    SetCriteriaDate(t.year, t.month, t.day, t.hour, t.minute);
}

void ShowCriteriaDateTime() {
    const SelectionCriteria& c = C();
    char text[24];
    FormatDate(text, sizeof text, c.day, c.month, c.year);
    SetField(kCriteriaDateField, text);
    std::snprintf(text, sizeof text, "%02d:%02d", c.hour, c.minute);
    SetField(kCriteriaTimeField, text);
}

// Lists of many rows show 13 of them on a screen no taller than 240 design
// pixels, 19 otherwise.
int LongListRows() {
    int width = 0, height = 0;
    GetScreenSize(&width, &height);
    return height <= 240 * displayScale.scaleY ? kShortRows : kTallRows;
}

void InitCatalogList(pl::Hwnd form) {
    const char* names[kCatalogNameListMax] = {};
    int ids[kCatalogNameListMax] = {};
    const int count = GetCatalogNameList(names, ids);
    criteriaCatalogTable[0] = 0;
    for (int i = 0; i < count; ++i) criteriaCatalogTable[i + 1] = ids[i];
    criteriaCatalogCount = count + 1;
    AddRows(form, kCriteriaCatalogList, names, count);
    AddListRow(form, kCriteriaCatalogList, kNoCriteria);
}

void InitTypeAndConstellationLists(pl::Hwnd form) {
    for (int row = kObjectTypeCount - 1; row >= 1; --row) AddListRow(form, kCriteriaTypeList, ObjectTypeName(row));
    AddListRow(form, kCriteriaTypeList, kNoCriteria);
    for (int row = kConstellationCount - 1; row >= 0; --row)
        AddListRow(form, kCriteriaConstellationList, ConstellationName(row));
    AddListRow(form, kCriteriaConstellationList, kNoCriteria);
}

void InitPopups(pl::Hwnd form) {
    AddRows(form, kCriteriaVisibilityList, kVisibilityRows, 5);
    AddRows(form, kCriteriaMagnitudeList, kMagnitudeRows, 9);
    AddRows(form, kCriteriaElevationList, kElevationRows, 11);
    InitCatalogList(form);
    InitTypeAndConstellationLists(form);
    SetListItems(pl::GetDlgItem(form, kCriteriaEyepieceList), nullptr, CheckEyepieceDatabase() + 1);
    const int longRows = LongListRows();
    for (const Popup& p : kPopups) {
        const bool isLong = p.list == kCriteriaCatalogList || p.list == kCriteriaTypeList ||
                            p.list == kCriteriaEyepieceList || p.list == kCriteriaConstellationList;
        InitPopupList(form, p.trigger, p.list, -1, isLong ? longRows : 0, 0);
    }
}

// The catalogue criterion's row; a catalogue not offered becomes none.
void SelectCatalogRow() {
    SelectionCriteria& c = C();
    int row = 0;
    for (int i = 1; i < criteriaCatalogCount && c.catalogue > 0; ++i)
        if (criteriaCatalogTable[i] == c.catalogue) row = i;
    if (row == 0) c.catalogue = 0;
    Select(kCriteriaCatalogTrigger, kCriteriaCatalogList, row);
}

// The popups on the criteria as they stand.
void ShowCriteria() {
    SelectionCriteria& c = C();
    SelectCatalogRow();
    if (c.type >= kObjectTypeCount || c.type < 0) c.type = 0;
    Select(kCriteriaTypeTrigger, kCriteriaTypeList, c.type);
    Select(kCriteriaVisibilityTrigger, kCriteriaVisibilityList, c.visibility >= 0 && c.visibility <= 4 ? c.visibility : 0);
    Select(kCriteriaMagnitudeTrigger, kCriteriaMagnitudeList, c.magnitude >= 0 && c.magnitude <= 8 ? c.magnitude : 0);
    const bool constellation = c.constellation >= 0 && c.constellation <= kConstellationCount;
    Select(kCriteriaConstellationTrigger, kCriteriaConstellationList, constellation ? c.constellation : 0);
    Select(kCriteriaElevationTrigger, kCriteriaElevationList, c.elevation >= 0 && c.elevation <= 10 ? c.elevation : 0);
    const int eyepieces = GetListCount(kCriteriaEyepieceList);
    SetCriteriaEyepieceLabel(c.eyepiece >= 0 && c.eyepiece < eyepieces ? c.eyepiece : 0);
}

// The first drawing: the fill limit, history, stars, then the controls.
void OpenCriteriaForm() {
    selectionFillLimit = GetSelectedItemsCapacity();
    PushFormHistory(kCriteriaFormId);
    LoadStarCatalog(0);
    StoreSelectionLatitude();
    if (selectionShownCount < 1) {
        MarkSelectionSlotsFree();
        selectionCount = selectionShownCount = 0;
    }
    ShowCriteria();
    CriteriaFromListTime();
    ShowCriteriaDateTime();
}

// Back to the observing list, this form dropped from the history.
void BackToList() {
    PopFormHistory();
    GotoForm(kListForm);
}

void NewList() {
    selectionFillLimit = GetSelectedItemsCapacity();
    ClearSelectedObject();
    selectionClassFilter = 0;
    MarkSelectionSlotsFree();
    selectionShownCount = 0;
    ReadSelectionCriteria();
    BuildSelectionList();
    BackToList();
}

void AddToList() {
    selectionFillLimit = GetSelectedItemsCapacity();
    selectionClassFilter = 0;
    if (selectionShownCount < 1) MarkSelectionSlotsFree();
    selectionShownCount = selectionCount > 0 ? selectionCount : 0;
    ReadSelectionCriteria();
    BuildSelectionList();
    BackToList();
}

void RemoveFromList() {
    if (selectionCount < 1) {
        MarkSelectionSlotsFree();
        selectionShownCount = 0;
        return;
    }
    ReadSelectionCriteria();
    RemoveMatchingEntries();
    InvalidateHorizonProjection();
    BackToList();
}

// The date and time editor on the criteria's date (the device clock's when
// none); Ok takes the new date and time as the list's own, Cancel changes
// nothing.
void EditCriteriaDateTime() {
    SelectionCriteria& c = C();
    if (c.year == 0) CriteriaFromDevice();
    int year = c.year, month = c.month, day = c.day, hour = c.hour, minute = c.minute, second = 0;
    EditDateTime(&year, &month, &day, &hour, &minute, &second);
    if (!DateTimeEditConfirmed()) return;
    SetCriteriaDate(year, month, day, hour, minute);
    KeepListDateAsOwn();
    ShowCriteriaDateTime();
}

void ResetVision() {
    SelectionCriteria& c = C();
    c.visibility = c.eyepiece = c.magnitude = 0;
    c.eyepieceFocal = 0;
    c.eyepieceValue = 0;
    Select(kCriteriaVisibilityTrigger, kCriteriaVisibilityList, 0);
    SetCriteriaEyepieceLabel(0);
    Select(kCriteriaMagnitudeTrigger, kCriteriaMagnitudeList, 0);
}

void ResetObject() {
    SelectionCriteria& c = C();
    c.catalogue = c.type = c.constellation = c.classByte = 0;
    SetSelectionElevation(0);
    for (const Popup& p : kPopups)
        if (p.list == kCriteriaCatalogList || p.list == kCriteriaTypeList || p.list == kCriteriaConstellationList ||
            p.list == kCriteriaElevationList)
            Select(p.trigger, p.list, 0);
}

void Command(int id) {
    switch (id) {
    case kCriteriaNew: NewList(); return;
    case kCriteriaAdd: AddToList(); return;
    case kCriteriaRemove: RemoveFromList(); return;
    case pl::IDOK:
    case kCriteriaBack: BackToList(); return;
    case kCriteriaNow:
        CriteriaFromDevice();
        ShowCriteriaDateTime();
        return;
    case kCriteriaDateField:
    case kCriteriaTimeField: EditCriteriaDateTime(); return;
    case kCriteriaVisionTrash: ResetVision(); return;
    case kCriteriaObjectTrash: ResetObject(); return;
    case kCriteriaEyepieceList: SetCriteriaEyepieceLabel(Get(kCriteriaEyepieceList)); return;
    case kCriteriaInfo:
        ShowInformation("\x95 N Icon: Create a new list with the matching objects.\n"
                        "\x95 + Icon: Add new matching objects to the current list.",
                        "");
        ShowInformation("\x95 - Icon: Delete only matching objects from the current list.\n"
                        "\x95 Trash Icons: Reset filters to their default values.",
                        "");
        return;
    default: break;
    }
    for (const Popup& p : kPopups)
        if (p.list == id) SetPopupList(p.trigger, p.list, Get(p.list));
}

// Help follows the right edge; New, back and Add the bottom; Remove the
// bottom right. The date and time row and the bottom buttons show afterwards.
void LayoutCriteria(pl::Hwnd form) {
    pl::Rect client;
    int dx = 0, dy = 0;
    if (pl::GetClientRect(form, &client) && GetScreenSizeDelta(0, client.Width(), client.Height(), &dx, &dy)) {
        MoveControl(form, kCriteriaInfo, dx, 0, 0, 0);
        for (int id : {kCriteriaNew, kCriteriaBack, kCriteriaAdd}) MoveControl(form, id, 0, dy, 0, 0);
        MoveControl(form, kCriteriaRemove, dx, dy, 0, 0);
    }
    for (int id : kLateControls) ShowObject(form, id);
}

void InitCriteria(pl::Hwnd form) {
    criteriaForm = form;
    activateInfo = pl::ShActivateInfo{};
    InitFormWindow(form, kInitFlags);
    InitTitle(form, 8013, "Choose Selection Criteria");
    InitBitmapButton(form, kCriteriaInfo, 5076, 1, kInfoKey);
    for (const IconButton& b : kIcons) InitBitmapButton(form, b.id, b.bitmap, 0, 0);
    for (int id : {138, 139, 140}) InitLabel(form, id);
    InitPopups(form);
    InitTextField(form, kCriteriaDateField, 0);
    InitTextField(form, kCriteriaTimeField, 0);
    LayoutCriteria(form);
    firstPaint = 1;
}

void ReleaseCriteria(pl::Hwnd form) {
    firstPaint = 1;
    for (int id : {8013, kCriteriaInfo, kCriteriaDateField, kCriteriaTimeField, 138, 139, 140})
        ReleaseControl(form, id);
    for (const IconButton& b : kIcons) ReleaseControl(form, b.id);
    for (const Popup& p : kPopups) ReleaseControl(form, p.trigger);
}

// Row 0 "None"; row n eyepiece n - 1 with its focal length 100 design pixels
// to the right.
void DrawEyepieceRow(int16_t row, const XywhRect& rect, int, int) {
    char text[48] = "None", focal[16] = "";
    if (row > 0) {
        uint32_t value = 0;
        float length = 0.0f;
        GetEyepieceRecord(row - 1, &value, &length, text, sizeof text);
        DoubleToStr(focal, sizeof focal, length, 1);
    }
    const int y = rect.y + 1;
    DrawPlainText(text, static_cast<int>(std::strlen(text)), rect.x + 2, y);
    if (focal[0]) DrawPlainText(focal, static_cast<int>(std::strlen(focal)), rect.x + ScaleX(100), y);
}

}  // namespace

void SetCriteriaEyepieceLabel(int eyepiece) {
    SetPopupList(kCriteriaEyepieceTrigger, kCriteriaEyepieceList, eyepiece > 0 ? eyepiece : 0);
    if (eyepiece <= 0) {
        SetPopupLabel(kCriteriaEyepieceTrigger, kNoCriteria);
        return;
    }
    char text[48], label[64];
    uint32_t value = 0;
    float focal = 0.0f;
    GetEyepieceRecord(eyepiece - 1, &value, &focal, text, sizeof text);
    const char* dash = std::strchr(text, '-');
    std::snprintf(label, sizeof label, "%s-%d", dash ? dash + 1 : text, static_cast<int>(focal));
    SetPopupLabel(kCriteriaEyepieceTrigger, label);
}

void ReadSelectionCriteria() {
    SelectionCriteria& c = C();
    c.type = Row(kCriteriaTypeList);
    c.classByte = c.type == kNebulaType ? objectTypeTable[kNebulaType].objectClass : 0;
    c.visibility = Row(kCriteriaVisibilityList);
    c.eyepiece = Row(kCriteriaEyepieceList);
    c.eyepieceFocal = 0;
    c.eyepieceValue = 0;
    if (c.eyepiece > 0) {
        float focal = 0.0f;
        char text[48];
        GetEyepieceRecord(c.eyepiece - 1, &c.eyepieceValue, &focal, text, sizeof text);
        c.eyepieceFocal = static_cast<int16_t>(focal);
    }
    c.magnitude = Row(kCriteriaMagnitudeList);
    c.constellation = Row(kCriteriaConstellationList);
    SetSelectionElevation(Row(kCriteriaElevationList));
    const int catalogRow = Row(kCriteriaCatalogList);
    c.catalogue = static_cast<int16_t>(catalogRow < criteriaCatalogCount ? criteriaCatalogTable[catalogRow] : 0);
    char date[24] = "", time[16] = "";
    GetField(kCriteriaDateField, date, sizeof date);
    GetField(kCriteriaTimeField, time, sizeof time);
    c.year = c.month = c.day = c.hour = c.minute = 0;
    // The date and time read become the program's; a fixed one runs on from
    // now (the chart clock starts again from it), one that follows the device
    // goes back to it at the chart clock's next step.
    if (ReadSelectionDateTime(date, time) && dateTimeFixed != 0) RestartChartTime();
}

pl::LResult CriteriaFormProc(pl::Hwnd form, uint32_t message, pl::WParam wParam, pl::LParam lParam) {
    static const FormRoutines routines{&criteriaForm, &activateInfo, ReleaseCriteria, Command};
    switch (message) {
    case pl::WM_INITDIALOG: InitCriteria(form); return 1;
    case pl::WM_PAINT: PaintForm(form, OpenCriteriaForm, &firstPaint, ScaleY(22), 1); return 1;
    case pl::WM_DRAWITEM: {
        const auto* item = reinterpret_cast<const pl::DrawItem*>(lParam);
        if (item && item->ctlId == kCriteriaEyepieceList) DrawOwnerItem(form, item, DrawEyepieceRow);
        return 1;
    }
    case kMsgEditField: RunFormCommand(form, static_cast<int>(wParam), Command); return 1;
    default: break;
    }
    pl::LResult result = 0;
    return HandleCommonFormMessage(form, message, wParam, lParam, routines, &result) ? result : 0;
}
