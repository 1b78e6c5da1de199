#include "objects/finder_form.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "catalog/databases.h"
#include "catalog/designations.h"
#include "catalog/dreyer.h"
#include "catalog/object_lookup.h"
#include "catalog/object_pictures.h"
#include "catalog/record_db.h"
#include "catalog/screens/image_viewer.h"
#include "catalog/stars.h"
#include "chart/chart_clock.h"
#include "core/services.h"
#include "core/shared_state.h"
#include "objects/chart_handover.h"
#include "objects/ephemeris_open.h"
#include "objects/finder_detail_view.h"
#include "objects/finder_lookup.h"
#include "objects/finder_open.h"
#include "objects/form_messages.h"
#include "objects/selected_object.h"
#include "objects/selection_add.h"
#include "platform/message_queue.h"
#include "platform/messages.h"
#include "platform/shell.h"
#include "platform/text.h"
#include "platform/window.h"
#include "scope/scope_target.h"
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
#include "ui/text_drawing.h"
#include "ui/text_input_dialog.h"
#include "ui/title_control.h"

namespace {

constexpr int kSkyChartForm = 1900;
constexpr int kIdFieldLength = 16;  // the text input keeps 15 characters
constexpr int kNameShown = 10;      // characters of a name or prefix put in the identifier field
constexpr int kVisibleRows = 10;
constexpr pl::ColorRef kInfoKey = 0x00FF00;
constexpr uint32_t kInitFlags = pl::SHIDIF_DONEBUTTON | pl::SHIDIF_SIPDOWN | pl::SHIDIF_FULLSCREENNOMENUBAR;

constexpr int kRegistered[] = {kFinderTitle,      kFinderInfo,   kFinderCatalogTrigger, kFinderObjectTrigger,
                               kFinderIdField,    kFinderCamera, kFinderDescription,    kFinderGauge,
                               kFinderEphemeris};

pl::Hwnd finderForm = nullptr;
pl::ShActivateInfo activateInfo{};
int firstPaint = 1;
int currentKind = 0;

SelectedObjectRecord& T() { return selectedObject; }

bool Numbered(int kind) {
    return kind == kDesignationCaldwell || kind == kDesignationHerschel || kind == kDesignationMessier ||
           kind == kDesignationBestNgc;
}

std::string Cut(const char* text) { return std::string(text, strnlen(text, kNameShown)); }

std::string FieldText() {
    char text[kIdFieldLength] = "";
    GetField(kFinderIdField, text, sizeof text);
    return text;
}

// The object popup shows its row through DrawFinderRow when it has no label.
void DrawTriggerRow(int row, int x, int y, int width, int height, int) {
    if (row >= 0) DrawFinderRow(row, XywhRect{x, y, width, height});
}
void DrawListRow(int16_t row, const XywhRect& rect, int, int) { DrawFinderRow(row, rect); }

void SelectObjectRow(int row) { SetPopupList(kFinderObjectTrigger, kFinderObjectList, row); }

// The catalogue popup: the rows of GetCatalogNameList in their order.
void InitCatalogPopup(pl::Hwnd form) {
    const char* names[kCatalogNameListMax] = {};
    const int rows = FillFinderKindTable(names);
    for (int i = rows - 1; i >= 0; --i) AddListRow(form, kFinderCatalogList, names[i]);
    InitPopupList(form, kFinderCatalogTrigger, kFinderCatalogList, -1, 0, 0);
}

// The catalogue popup on the kind the finder opens with: its row; a kind no
// row has (handed over by another form) shows row 0 labelled with the kind's
// prefix and stays the kind until the user picks a row; no kind at all takes
// row 0's.
void ChooseOpeningKind() {
    const int row = FinderRowOfKind(finderPreselectKind);
    SetPopupList(kFinderCatalogTrigger, kFinderCatalogList, row >= 0 ? row : 0);
    if (row >= 0) {
        currentKind = finderPreselectKind;
    } else if (finderPreselectKind > 0 && finderPreselectKind < kDesignationCount) {
        currentKind = finderPreselectKind;
        SetPopupLabel(kFinderCatalogTrigger, DesignationPrefix(currentKind));
    } else {
        currentKind = finderPreselectKind = finderKindTable[0];
    }
}

void ApplyLookup(const FinderLookupResult& r) {
    if (r.selectRow >= -1) SelectObjectRow(r.selectRow);
    if (r.setLabel) SetPopupLabel(kFinderObjectTrigger, r.label.c_str());
}

// The catalogue chosen in the popup.
void ChooseCatalog() {
    const int row = Get(kFinderCatalogList);
    if (row < 0 || row >= finderKindCount) return;
    SetPopupList(kFinderCatalogTrigger, kFinderCatalogList, row);
    const int kind = finderKindTable[row];
    if (kind == currentKind) return;
    SelectedObjectRecord& t = T();
    t.entryDigits[0] = '\0';
    currentKind = finderPreselectKind = kind;
    Set(kFinderObjectList, -1);
    t.listRow = 0;
    SetField(kFinderIdField, Cut(DesignationPrefix(kind)).c_str());
    t.found = 0;
    t.index = -1;
    RebuildFinderList();
    DrawFinderDetail(currentKind);
}

// An object chosen in the object popup.
void ChooseObject() {
    const int row = Get(kFinderObjectList);
    SelectedObjectRecord& t = T();
    t.listRow = row;
    if (row < 0) return;
    char name[32], second[32];
    if (GetObjectByKind(currentKind, -row, &t.record, name, sizeof name, second, sizeof second, 1, nullptr)) {
        std::snprintf(t.name, sizeof t.name, "%s", FinderNamesBySecondText(currentKind) ? second : name);
        SelectObjectRow(row);
        SetPopupLabel(kFinderObjectTrigger, t.name);
        const long digits = Numbered(currentKind) ? row + 1L : static_cast<long>(t.record.number);
        std::snprintf(t.entryDigits, sizeof t.entryDigits, "%ld", digits);
        t.found = 1;
    } else {
        SelectObjectRow(-1);
        t.name[0] = '\0';
        SetPopupLabel(kFinderObjectTrigger, "");
        t.found = 0;
    }
    DrawFinderDetail(currentKind);
}

void Clear() {
    SetPopupLabel(kFinderObjectTrigger, "");
    SetField(kFinderIdField, "");
    T().entryDigits[0] = '\0';
    T().found = 0;
    DrawFinderDetail(currentKind);
}

// Back to the form that opened the finder.
void Ok() {
    FindFinderTarget(0);
    if (GetPreviousFormId() == kSkyChartForm && T().found) {
        pl::PostMessage(finderForm, pl::WM_COMMAND, kFinderSky, 0);
        return;
    }
    if (GetPreviousFormId() != kSkyChartForm && !T().found) SetField(kFinderIdField, "");
    GoBackToPreviousForm();
}

// The target added to the list and shown in the sky chart.
void Sky() {
    FindFinderTarget(0);
    if (!T().found) {
        ShowInformation("Sorry, no object was found.", "");
        return;
    }
    if (!AgreeChartViewForAltitude(T().altitude)) return;
    if (!AddTargetToSelection()) {
        ShowSelectionListFull();
        T().found = 0;
        return;
    }
    if (GetPreviousFormId() == kSkyChartForm) GoBackToPreviousForm();
    else GotoForm(kSkyChartForm);
}

// The telescope sent to the target where it is by the device clock, under
// the object information form's rules (GotoAtClock).
void Goto() {
    FindFinderTarget(0);
    if (!T().found) {
        ShowInformation("Please select at least one object.", "");
        return;
    }
    GotoAtClock(T().record, kNoPlaceNowText);
}

void ShowCameraPicture() {
    const std::string name = FinderImageName(currentKind);
    T().isSet = 1;
    ShowObjectImage(name.c_str(), 0, 0, 160, 160, true, kImageFolderCatalog, currentKind);
    DrawFinderDetail(currentKind);
}

void ShowDescription() {
    const SelectedObjectRecord& t = T();
    if (!t.found) return;
    ObjectRecord r = t.record;
    if (currentKind == kDesignationCaldwell && !GetCaldwellObjectRecord(t.index - 1, &r)) r = t.record;
    if (currentKind == kDesignationMessier && !GetMessierObjectRecord(t.index - 1, &r)) r = t.record;
    char code[64] = "";
    if (!FindDreyerDescription(static_cast<int16_t>(r.designationId), r.number, code, sizeof code)) {
        ShowInformation("No description available.", WithMissingDataFile("", kDescriptionFile));
        return;
    }
    char translation[kDreyerLongSize];
    TranslateDreyerDescription(code, translation, sizeof translation);
    ShowInformation(translation, "");
}

void OpenEphemeris() {
    const SelectedObjectRecord& t = T();
    if (!t.found) return;
    const DateTime& d = currentDateTime;
    OpenEphemerisAssistant(t.record.number, static_cast<int16_t>(t.record.designationId), d.year, d.month, d.day,
                           d.hour, d.minute);
}

void EditField(pl::Hwnd form, int id) {
    if (id == kFinderIdField) RunTextInputDialog(form, id, "ID:", kIdFieldLength);
}

// Help at the right edge; the object popup and the identifier field share a place.
void LayoutFinder(pl::Hwnd form) {
    pl::Rect client;
    int dx = 0, dy = 0;
    if (!pl::GetClientRect(form, &client) || !GetScreenSizeDelta(0, client.Width(), client.Height(), &dx, &dy))
        return;
    for (int id : {kFinderInfo, kFinderCamera, kFinderDescription}) MoveControl(form, id, dx, 0, 0, 0);
}

void InitFinder(pl::Hwnd form) {
    finderForm = form;
    activateInfo = pl::ShActivateInfo{};
    InitFormWindow(form, kInitFlags);
    InitTitle(form, kFinderTitle, "FinderAssistant");
    InitBitmapButton(form, kFinderInfo, 5076, 1, kInfoKey);
    InitBitmapButton(form, kFinderCamera, 1941, 1, 0);
    InitBitmapButton(form, kFinderDescription, 5125, 0, 0);
    InitBitmapButton(form, kFinderGauge, GetNightMode() != 0 ? 5007 : 5002, 0, 0);
    InitBitmapButton(form, kFinderEphemeris, 5125, 0, 0);
    InitCatalogPopup(form);
    InitPopupList(form, kFinderObjectTrigger, kFinderObjectList, 0, kVisibleRows, -1);
    SetControlHook(form, kFinderObjectTrigger, DrawTriggerRow);
    InitTextField(form, kFinderIdField, 0);
    LayoutFinder(form);
    firstPaint = 1;
}

void ReleaseFinder(pl::Hwnd form) {
    firstPaint = 1;
    for (int id : kRegistered) ReleaseControl(form, id);
}

void MeasureRow(pl::MeasureItem* item) {
    if (item && item->ctlId == kFinderObjectList) item->itemHeight = ScaleY(15);
}

}  // namespace

int FinderCurrentKind() { return currentKind; }

void OpenFinderForm() {
    PushFormHistory(kFinderFormId);
    LoadStarCatalog(0);
    if (dateTimeFixed == 0 || currentDateTime.year == 0) LoadDateTimeFromDevice();
    ChooseOpeningKind();
    // Back from a form the finder opened (the ephemeris assistant's Rise/Set
    // or Position page), the target found before, picked in the list or
    // looked up, is still the target: its designation shows again, its row
    // in the object popup as after its look-up (both were left empty, and a
    // target picked in the list was lost to Sky and Find).
    SelectedObjectRecord& t = T();
    if (t.isSet || t.found) {
        SetField(kFinderIdField, Cut(t.name).c_str());
    } else {
        SetField(kFinderIdField, "");
        t.entryDigits[0] = '\0';
    }
    RebuildFinderList();
    const int row = Get(kFinderObjectList);
    if (t.found && row >= 0) SelectObjectRow(row);
    DrawFinderDetail(currentKind);
}

void RebuildFinderList() {
    pl::Hwnd form = finderForm;
    const bool typed = FinderTypesNumber(currentKind);
    for (int id : {kFinderObjectTrigger, kFinderDescription}) typed ? HideObject(form, id) : ShowObject(form, id);
    typed ? ShowObject(form, kFinderIdField) : HideObject(form, kFinderIdField);
    const int rows = typed ? 0 : FinderListRowCount(currentKind);
    SetListItems(pl::GetDlgItem(form, kFinderObjectList), nullptr, rows);
    const int row = T().listRow >= 0 && T().listRow < rows ? T().listRow : -1;
    SelectObjectRow(row);
    SetPopupLabel(kFinderObjectTrigger, "");
}

void DrawFinderRow(int row, const XywhRect& rect) {
    ObjectRecord r{};
    char first[32], second[32];
    if (!GetObjectByKind(currentKind, -row, &r, first, sizeof first, second, sizeof second, 0, nullptr)) return;
    pl::Size size{};
    pl::GetTextExtent(GetDrawDc(), "Ap", &size);
    const int y = rect.y + (rect.height - size.height) / 2;
    DrawPlainText(first, static_cast<int>(std::strlen(first)), rect.x + 2, y);
    if (second[0]) DrawPlainText(second, static_cast<int>(std::strlen(second)), rect.x + ScaleX(54) + 2, y);
}

void FinderKeypadDigit(int digit) {
    SelectedObjectRecord& t = T();
    if (t.found) {
        SetField(kFinderIdField, "");
        HideObject(finderForm, kFinderCamera);
        t.entryDigits[0] = '\0';
        t.found = 0;
        DrawFinderDetail(currentKind);
    }
    std::string written;
    if (ApplyFinderDigit(currentKind, FieldText().c_str(), digit, &written) != FinderDigit::kWritten) return;
    SetField(kFinderIdField, written.c_str());
    SetPopupLabel(kFinderObjectTrigger, written.c_str());
}

void FindFinderTarget(int redraw) {
    StartRecordBatch();
    ApplyLookup(LookupFinderTarget(currentKind, FieldText().c_str(), Get(kFinderObjectList)));
    if (redraw) DrawFinderDetail(currentKind);
    else ComputeFinderPlace();
}

void FinderCommand(int id) {
    if (id >= kFinderDigit0 && id < kFinderDigit0 + 10) {
        FinderKeypadDigit(id - kFinderDigit0);
        return;
    }
    switch (id) {
    case kFinderCatalogList: ChooseCatalog(); return;
    case kFinderObjectList: ChooseObject(); return;
    case kFinderFind: FindFinderTarget(1); return;
    case pl::IDOK:
    case kFinderOk: Ok(); return;
    case kFinderSky: Sky(); return;
    case kFinderGoto: Goto(); return;
    case kFinderClear: Clear(); return;
    case kFinderCamera: ShowCameraPicture(); return;
    case kFinderDescription: ShowDescription(); return;
    case kFinderEphemeris: OpenEphemeris(); return;
    case kFinderInfo:
        ShowInformation("\x95 Select a catalog and type the object id,",
                        "\x95 A red eye displayed means the object is visible,\n"
                        "\x95 If displayed, tap on the camera to see the object image.");
        return;
    default: return;
    }
}

void ResetFinderForm() {
    finderForm = nullptr;
    firstPaint = 1;
    currentKind = 0;
    finderKindCount = 0;
}

pl::LResult FinderFormProc(pl::Hwnd form, uint32_t message, pl::WParam wParam, pl::LParam lParam) {
    static const FormRoutines routines{&finderForm, &activateInfo, ReleaseFinder, FinderCommand};
    switch (message) {
    case pl::WM_INITDIALOG: InitFinder(form); return 1;
    case pl::WM_PAINT: PaintForm(form, OpenFinderForm, &firstPaint, ScaleY(22), 1); return 1;
    case pl::WM_MEASUREITEM: MeasureRow(reinterpret_cast<pl::MeasureItem*>(lParam)); return 1;
    case pl::WM_DRAWITEM: DrawOwnerItem(form, reinterpret_cast<const pl::DrawItem*>(lParam), DrawListRow); return 1;
    case kMsgEditField: EditField(form, static_cast<int>(wParam)); return 1;
    default: break;
    }
    pl::LResult result = 0;
    return HandleCommonFormMessage(form, message, wParam, lParam, routines, &result) ? result : 0;
}
