#include "orbits/screens/orbit_assistant_form.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "catalog/comet_satellite_db.h"
#include "catalog/designations.h"
#include "catalog/object_lookup.h"
#include "catalog/selection_list.h"
#include "chart/chart_symbols.h"
#include "chart/chart_views.h"
#include "chart/sky_rotation.h"
#include "core/date_text.h"
#include "core/julian_day.h"
#include "core/preferences.h"
#include "core/services.h"
#include "core/shared_state.h"
#include "objects/current_object.h"
#include "orbits/comet_lists.h"
#include "orbits/comet_position.h"
#include "orbits/orbit_assistant_state.h"
#include "platform/messages.h"
#include "platform/shell.h"
#include "platform/window.h"
#include "tools/edit_date_time.h"
#include "ui/colors.h"
#include "ui/control_access.h"
#include "ui/control_registry.h"
#include "ui/form_controls.h"
#include "ui/forms.h"
#include "ui/input_polling.h"
#include "ui/offscreen.h"
#include "ui/owner_draw.h"
#include "ui/popup_list.h"
#include "ui/primitives.h"
#include "ui/saved_screen.h"
#include "ui/screen_layout.h"
#include "ui/simple_controls.h"
#include "ui/text_drawing.h"
#include "ui/text_input_dialog.h"
#include "ui/title_control.h"

namespace {

constexpr int kRecordRowsVisible = 12;
constexpr int kCometSourceCode = 12;
constexpr int kObjectInfoForm = 112;
constexpr int kPrefWord76 = 76;
constexpr pl::ColorRef kHelpKey = 0x00FF00;
constexpr uint32_t kInitFlags = pl::SHIDIF_DONEBUTTON | pl::SHIDIF_SIPDOWN | pl::SHIDIF_FULLSCREENNOMENUBAR;

constexpr const char* kViewRows[] = {"Ephemeris", "Best Dates", "Brightest", "3D View", "Sky View", "Data"};
constexpr const char* kStepRows[] = {"1d", "2d", "5d", "7d", "10d", "14d", "30d", "60d", "90d"};
constexpr const char* kFovRows[] = {"180\xB0", "150\xB0", "120\xB0", "90\xB0",  "60\xB0",  "45\xB0",  "30\xB0",
                                    "20\xB0",  "10\xB0",  "5\xB0",   "2.5\xB0", "1.5\xB0", "1\xB0",   "0.5\xB0"};
constexpr int kRegistered[] = {kOrbitViewTrigger, kOrbitRecordTrigger, kOrbitTitle,       kOrbitHelp,
                               kOrbitInfoButton,  kOrbitNowButton,     kOrbitBack,        kOrbitFovTrigger,
                               kOrbitStepTrigger, kOrbitNameField,     kOrbitYearField,   kOrbitMonthField,
                               kOrbitDayField,    kOrbitDistanceField, kOrbitEccentricityField,
                               kOrbitArgumentField, kOrbitNodeField,   kOrbitInclinationField,
                               kOrbitMagnitudeField, kOrbitMeanAnomalyField, kOrbitDateField, kOrbitTimeField,
                               kOrbitMagList};
constexpr int kElementFields[] = {kOrbitNameField,        kOrbitYearField,     kOrbitMonthField,
                                  kOrbitDayField,         kOrbitDistanceField, kOrbitMeanAnomalyField,
                                  kOrbitEccentricityField, kOrbitArgumentField, kOrbitNodeField,
                                  kOrbitInclinationField, kOrbitMagnitudeField};

struct Help {
    const char* text;
    const char* detail;
};
constexpr Help kHelp[] = {
    {"\x95 Select a comet in the list to display its ephemeris,\n\x95 Use Up and Down keys to change comet,",
     "\x95 Select date step and use left/right pda keys to change the start date."},
    {"\x95 Display for each Comet and Asteroid display the date when they are the brightest.", ""},
    {"\x95 Display the Comets and Asteroid list sorted from the brightest to faintest magnitude computed for the "
     "selected date.",
     ""},
    {"\x95 Drag your stylus on the screen to change 3D view,\n\x95 Use + and - button to zoom in and out,",
     "\x95 Select date step and use left/right keys to animate the chart."},
    {"\x95 Drag your stylus on the screen to rotate the view,\n\x95 Use the Field Of View list to zoom in and out.",
     ""},
    {"\x95 Select a comet in the list to display its orbital information.", ""},
};

// The input titles and lengths of the element fields.
struct FieldInput {
    int id;
    const char* title;
    int length;
};
constexpr FieldInput kFieldInputs[] = {
    {kOrbitNameField, "Name", 44},           {kOrbitDistanceField, "Distance", 16},
    {kOrbitMeanAnomalyField, "Mean Anomaly", 16}, {kOrbitEccentricityField, "Orbit Eccentricity", 16},
    {kOrbitArgumentField, "Argmt. of Perihelion", 16}, {kOrbitNodeField, "Longitude Asc. Node", 16},
    {kOrbitInclinationField, "Inclination", 16}, {kOrbitMagnitudeField, "Absolute Magnitude", 16},
};

pl::Hwnd orbitForm = nullptr;
int firstPaint = 1;
int penDown = 0;
pl::ShActivateInfo activateInfo{};
DrawWindowRecord* offscreen = nullptr;
int screenWidth = 240, screenHeight = 320;
int32_t savedChartType = 0, savedObjectNames = 0, savedWord76 = 0;

bool IsPictureView() { return orbitAssistantView == kOrbitView3d || orbitAssistantView == kOrbitViewSky; }

void ShowHelp() {
    if (orbitAssistantView >= 0 && orbitAssistantView < static_cast<int>(std::size(kHelp)))
        ShowInformation(kHelp[orbitAssistantView].text, kHelp[orbitAssistantView].detail);
}

void ShowRecordLabel(int index) {
    if (index < 0) {
        SetPopupLabel(kOrbitRecordTrigger, "<New>");
        return;
    }
    SetPopupList(kOrbitRecordTrigger, kOrbitRecordList, index);
    char name[sizeof orbitWorkRecord.name + 1] = "";
    std::memcpy(name, orbitWorkRecord.name, sizeof orbitWorkRecord.name);
    SetPopupLabel(kOrbitRecordTrigger, name);
}

// The controls of view `view` shown, every other view's hidden.
void ShowViewControls(int view) {
    static constexpr int kAll[] = {kOrbitMagList,  kOrbitDateField, kOrbitTimeField, kOrbitStepTrigger,
                                   kOrbitNowButton, kOrbitZoomIn,   kOrbitZoomOut,   kOrbitFovTrigger,
                                   kOrbitSave,     kOrbitDelete,    kOrbitNew,       kOrbitCometButton,
                                   kOrbitAsteroidButton};
    pl::Hwnd form = orbitForm;
    if (!form) return;
    for (int id : kAll) HideObject(form, id);
    for (int id : kElementFields) HideObject(form, id);
    for (int id = kOrbitFirstLabel; id <= kOrbitLastLabel; ++id) HideObject(form, id);
    if (view == kOrbitViewData) {
        for (int id : kElementFields) ShowObject(form, id);
        for (int id = kOrbitFirstLabel; id <= kOrbitLastLabel; ++id) ShowObject(form, id);
        for (int id : {kOrbitSave, kOrbitDelete, kOrbitNew}) ShowObject(form, id);
        return;
    }
    for (int id : {kOrbitDateField, kOrbitTimeField, kOrbitStepTrigger, kOrbitNowButton}) ShowObject(form, id);
    if (view == kOrbitViewBestDates || view == kOrbitViewBrightest) ShowObject(form, kOrbitMagList);
    if (view == kOrbitView3d)
        for (int id : {kOrbitZoomIn, kOrbitZoomOut}) ShowObject(form, id);
    if (view == kOrbitViewSky) ShowObject(form, kOrbitFovTrigger);
}

void ChooseView(int row) {
    if (row < 0 || row >= static_cast<int>(std::size(kViewRows))) return;
    orbitAssistantView = row;
    UpdateOrbitForm(orbitCometIndex);
}

void ChooseRecord(int row) {
    if (row < 0) return;
    CometRecord record{};
    if (!GetCometData(row, &record)) return;
    orbitCometIndex = row;
    ClearOrbitSkyCentre();
    UpdateOrbitForm(row);
}

void ChooseStep(int row) {
    if (row < 0 || row >= kOrbitDateStepCount) return;
    orbitDateStep = row;
    SetPopupList(kOrbitStepTrigger, kOrbitStepList, row);
    ClearOrbitSkyCentre();
    UpdateOrbitForm(orbitCometIndex);
}

void Zoom(int change) {
    if (orbitAssistantView != kOrbitView3d) return;
    orbitZoomLevel = std::clamp(orbitZoomLevel + change, 1, 7);
    BuildOrbit3DObjects(orbitZoomLevel);
    DrawOrbit3DView();
}

void EditFormDateTime() {
    OrbitFormTime& t = orbitFormTime;
    EditDateTime(&t.year, &t.month, &t.day, &t.hour, &t.minute, &t.second);
    t.second = 0;
    FreeSavedScreen();
    if (orbitForm) EraseFormBelowTitleLine(orbitForm);
    UseOrbitForm();
    ClearOrbitSkyCentre();
    UpdateOrbitForm(orbitCometIndex);
}

void TakeDeviceTime() {
    OrbitFormTime& t = orbitFormTime;
    GetLocalDateTime(&t.year, &t.month, &t.day, &t.hour, &t.minute, &t.second);
    SetChartView(1, t.year, t.month, t.day, t.hour, t.minute, t.second, 0);
    ClearOrbitSkyCentre();
    WriteOrbitDateTimeFields();
    UpdateOrbitForm(orbitCometIndex);
}

// Button 2580: the record in the object information form.
void ShowObjectInformation() {
    const int row = Get(kOrbitRecordList);
    if (row < 0 || orbitCometIndex < 0) return;
    ObjectRecord record{};
    char designation[16] = "", name[48] = "";
    GetObjectByKind(kDesignationComet, row, &record, designation, sizeof designation, name, sizeof name, 1, nullptr);
    record.designationId = kDesignationComet;
    record.number = row + 1;
    SetCurrentObject(&record, kCometSourceCode);
    GotoForm(kObjectInfoForm);
}

// Moves the date by the step, forwards or backwards, while the arrow is held.
void StepDate(int direction) {
    ClearOrbitSkyCentre();
    orbitViewState.keyRepeat = 0;
    do {
        OrbitFormTime& t = orbitFormTime;
        AddDaysToDate(&t.year, &t.month, &t.day, direction * OrbitStepDays());
        WriteOrbitDateTimeFields();
        ClearOrbitSkyCentre();
        UpdateOrbitForm(orbitCometIndex);
    } while (orbitForm && IsArrowKeyDown());
    FlushKeyEvents();
    orbitViewState.keyRepeat = 1;
}

template <std::size_t N>
void InitTextPopup(pl::Hwnd form, int trigger, int list, const char* const (&rows)[N], int selection) {
    for (std::size_t i = N; i-- > 0;) AddListRow(form, list, rows[i]);
    InitPopupList(form, trigger, list, -1, -1, selection);
}

void InitOrbitForm(pl::Hwnd form) {
    orbitForm = form;
    activateInfo = pl::ShActivateInfo{};
    InitFormWindow(form, kInitFlags);
    InitTitle(form, kOrbitTitle, "OrbitAssistant");
    InitTextPopup(form, kOrbitViewTrigger, kOrbitViewList, kViewRows, orbitAssistantView);
    InitBitmapButton(form, kOrbitHelp, 5076, 1, kHelpKey);
    InitPopupList(form, kOrbitRecordTrigger, kOrbitRecordList, std::max(GetCometCount(), 0), kRecordRowsVisible,
                  std::max(orbitCometIndex, 0));
    InitBitmapButton(form, kOrbitInfoButton, 5125, 1, kHelpKey);
    InitList(form, kOrbitMagList, 0, -1, 1);
    for (int id : kElementFields) InitTextField(form, id, 0);
    InitBitmapButton(form, kOrbitBack, 5074, 0, 0);
    InitTextPopup(form, kOrbitStepTrigger, kOrbitStepList, kStepRows, orbitDateStep);
    InitTextPopup(form, kOrbitFovTrigger, kOrbitFovList, kFovRows, orbitSkyFov);
    InitTextField(form, kOrbitDateField, 0);
    InitTextField(form, kOrbitTimeField, 0);
    InitBitmapButton(form, kOrbitNowButton, 120, 0, 0);
    firstPaint = 1;
    pl::Rect client;
    if (!pl::GetClientRect(form, &client)) return;
    int dx = 0, dy = 0;
    if (GetScreenSizeDelta(0, client.Width(), client.Height(), &dx, &dy)) {
        for (int id : {kOrbitBack, kOrbitSave, kOrbitDelete, kOrbitNew}) MoveControl(form, id, 0, dy, 0, 0);
        for (int id : {kOrbitDateField, kOrbitTimeField, kOrbitNowButton, kOrbitZoomIn, kOrbitZoomOut,
                       kOrbitStepTrigger, kOrbitFovTrigger})
            MoveControl(form, id, dx, dy, 0, 0);
        for (int id : {kOrbitStepList, kOrbitFovList, kOrbitHelp, kOrbitInfoButton}) MoveControl(form, id, dx, 0, 0, 0);
        MoveControl(form, kOrbitMagList, 0, 0, dx, dy);
    }
    GetScreenSize(&screenWidth, &screenHeight);
    SetListVisibleRows(kOrbitRecordList, std::max(kRecordRowsVisible, (screenHeight - ScaleY(240)) / ScaleY(15)));
}

void OpenOrbitForm() {
    SetChartFlagA(1);
    SetChartFlagB(0);
    savedChartType = preferences.word[kPrefChartType];
    savedObjectNames = preferences.word[kPrefObjectNames];
    savedWord76 = preferences.word[kPrefWord76];
    preferences.word[kPrefChartType] = 2;
    preferences.word[kPrefObjectNames] = 0;
    preferences.word[kPrefWord76] = 0;
    const DateTime& now = currentDateTime;
    orbitFormTime = {now.year, now.month, now.day, now.hour, now.minute, 0};
    PushFormHistory(kOrbitFormId);
    ClearOrbitSkyCentre();
    SetStarDotSizes(orbitSkyFov);
    OrbitTrackBuffer();
    DeleteOffscreenWindow(offscreen);
    GetScreenSize(&screenWidth, &screenHeight);
    offscreen = CreateOffscreenDib(screenWidth, screenHeight, 16);
    if (!offscreen) ShowInformation("Can't allocate offscreen window", "");
    UseOrbitForm();
    UpdateOrbitForm(orbitCometIndex);
}

void CloseOrbitForm() {
    SetChartFlagA(0);
    SetChartFlagB(1);
    preferences.word[kPrefChartType] = savedChartType;
    preferences.word[kPrefObjectNames] = savedObjectNames;
    preferences.word[kPrefWord76] = savedWord76;
    DeleteOffscreenWindow(offscreen);
    offscreen = nullptr;
    FreeOrbitPictures();
    FreeCometMagList();
    // The list's rows again (this form drew its own table through them), its current entry kept.
    if (selectionList && selectionCount >= 0) RebuildSelectionByClass();
}

void Redraw(pl::Hwnd form, int id) {
    FreeSavedScreen();
    EraseFormBelowTitleLine(form);
    UseOrbitForm();
    HandleOrbitCommand(id);
    if (orbitForm == form) SaveScreen();
}

void Command(pl::Hwnd form, int id) {
    switch (id) {
    case pl::IDOK: HandleOrbitCommand(kOrbitBack); return;
    case kOrbitBack: case kOrbitHelp: case kOrbitInfoButton: HandleOrbitCommand(id); return;
    case kOrbitMagList:
        UseOrbitForm();
        HandleOrbitCommand(id);
        if (orbitForm == form) SaveScreen();
        return;
    default: Redraw(form, id); return;
    }
}

void EditField(pl::Hwnd form, int id) {
    if (id == kOrbitDateField || id == kOrbitTimeField) {
        HandleOrbitCommand(id);
        if (orbitForm == form) SaveScreen();
        return;
    }
    if (id == kOrbitYearField || id == kOrbitMonthField || id == kOrbitDayField) {
        EditOrbitElementDate();
        return;
    }
    for (const FieldInput& f : kFieldInputs)
        if (f.id == id) RunTextInputDialog(form, id, f.title, f.length);
}

void MeasureItem(pl::MeasureItem* item) {
    if (item && (item->ctlId == kOrbitRecordList || item->ctlId == kOrbitMagList)) item->itemHeight = ScaleY(15);
}

void RecordRow(int16_t row, const XywhRect& rect, int, int) {
    CometRecord record{};
    if (row < 0 || row >= GetCometCount() || !GetCometData(row, &record)) return;
    char name[sizeof record.name + 1] = "";
    std::memcpy(name, record.name, sizeof record.name);
    DrawObjectSymbol(static_cast<int>(record.kind), 0, 0, rect.x + ScaleX(7), rect.y + rect.height / 2);
    const bool transparent = IsTextTransparent();
    SetTextTransparent(true);
    DrawPlainText(name, static_cast<int>(std::strlen(name)), rect.x + ScaleX(16), rect.y + ScaleY(1));
    SetTextTransparent(transparent);
}

void MagRow(int16_t row, const XywhRect& rect, int, int) { DrawCometMagRow(row, rect); }

void DrawItem(pl::Hwnd form, const pl::DrawItem* item) {
    if (item && item->ctlId == kOrbitRecordList) DrawOwnerItem(form, item, RecordRow);
    if (item && item->ctlId == kOrbitMagList) DrawOwnerItem(form, item, MagRow);
}

pl::LResult Key(pl::Hwnd form, int key) {
    UseOrbitForm();
    const int taken = HandleOrbitKey(key);
    if (taken && orbitForm == form) SaveScreen();
    return taken;
}

void PenMove(int x, int y) {
    if (!penDown || !IsPictureView()) return;
    UseOrbitForm();
    if (DrawOrbit3D(x, y)) SaveScreen();
}

void PenUp(int x, int y) {
    if (penDown && orbitAssistantView == kOrbitViewSky) {
        UseOrbitForm();
        if (OrbitPenUp(x, y)) SaveScreen();
    }
    penDown = 0;
}

}  // namespace

pl::Hwnd OrbitFormWindow() { return orbitForm; }
DrawWindowRecord* OrbitOffscreen() { return offscreen; }

void UseOrbitForm() {
    if (!orbitForm) return;
    InitDrawWindowOwnDc(orbitForm);
    SetTextColorRef(GetForegroundColor());
    SetBackColor(GetBackgroundColor());
    SetForeColor(GetForegroundColor());
}

void ShowOrbitControls(std::initializer_list<int> hidden, std::initializer_list<int> shown) {
    if (!orbitForm) return;
    for (int id : hidden) HideObject(orbitForm, id);
    for (int id : shown) ShowObject(orbitForm, id);
}

XywhRect OrbitDrawArea() {
    const int top = ScaleY(22 + 24);
    return {0, top, screenWidth, screenHeight - ScaleY(22) - top};
}

void WriteOrbitDateTimeFields() {
    const OrbitFormTime& t = orbitFormTime;
    char date[32], time[16];
    FormatDate(date, sizeof date, t.day, t.month, t.year);
    std::snprintf(time, sizeof time, "%02d:%02d", t.hour, t.minute);
    SetField(kOrbitDateField, date);
    SetField(kOrbitTimeField, time);
}

bool ReadOrbitRecord(int index, CometRecord* record) {
    if (index < 0 || index >= GetCometCount() || !GetCometData(index, record)) return false;
    FillCometWorkWords(record);
    return true;
}

void UpdateOrbitForm(int index) {
    if (!orbitForm) return;
    SetListItems(pl::GetDlgItem(orbitForm, kOrbitRecordList), nullptr, std::max(GetCometCount(), 0));
    if (index >= 0 && GetCometData(index, &orbitWorkRecord)) ShowRecordLabel(index);
    else if (index < 0) ShowRecordLabel(-1);
    SetPopupList(kOrbitViewTrigger, kOrbitViewList, orbitAssistantView);
    WriteOrbitDateTimeFields();
    ShowViewControls(orbitAssistantView);
    // The pictures cover their area themselves: while a key steps them their
    // background is left alone; every other drawing starts on a clean area
    // (the table, and the "Earth:" line below the lists).
    if (orbitViewState.keyRepeat || !IsPictureView()) {
        const XywhRect area = OrbitDrawArea();
        EraseRectangle(area);
    }
    const OrbitFormTime& t = orbitFormTime;
    switch (orbitAssistantView) {
    case kOrbitViewEphemeris: DrawOrbitEphemeris(); return;
    case kOrbitViewBestDates: BuildBestDatesList(); return;
    case kOrbitViewBrightest: BuildBrightestList(); return;
    case kOrbitView3d:
        BuildOrbit3DObjects(orbitZoomLevel);
        DrawOrbit3DView();
        return;
    case kOrbitViewSky:
        SetChartView(1, t.year, t.month, t.day, t.hour, t.minute, 0, 0);
        DrawOrbitSkyTrack(index);
        return;
    case kOrbitViewData:
        SetOrbitEditorMode(orbitCometMode);
        NewCometElements(index);
        return;
    default: return;
    }
}

int HandleOrbitKey(int key) {
    const int count = GetCometCount();
    switch (key) {
    case pl::VK_PRIOR: case pl::VK_DOWN:
        orbitCometIndex = std::max(std::min(orbitCometIndex + 1, count - 1), 0);
        UpdateOrbitForm(orbitCometIndex);
        return 1;
    case pl::VK_NEXT: case pl::VK_UP:
        orbitCometIndex = std::max(orbitCometIndex - 1, 0);
        UpdateOrbitForm(orbitCometIndex);
        return 1;
    case pl::VK_LEFT: StepDate(-1); return 1;
    case pl::VK_RIGHT: StepDate(1); return 1;
    default: return 0;
    }
}

int HandleOrbitCommand(int id) {
    switch (id) {
    case kOrbitMagList: TakeUpCometRow(Get(kOrbitMagList)); return 1;
    case kOrbitFovList: ChooseOrbitFieldOfView(Get(kOrbitFovList)); return 1;
    case kOrbitViewList: ChooseView(Get(kOrbitViewList)); return 1;
    case kOrbitHelp: ShowHelp(); return 1;
    case kOrbitBack: GoBackToPreviousForm(); return 1;
    case kOrbitZoomIn: Zoom(1); return 1;
    case kOrbitZoomOut: Zoom(-1); return 1;
    case kOrbitDateField: case kOrbitTimeField: EditFormDateTime(); return 1;
    case kOrbitNowButton: TakeDeviceTime(); return 1;
    case kOrbitRecordList: ChooseRecord(Get(kOrbitRecordList)); return 1;
    case kOrbitYearField: case kOrbitMonthField: case kOrbitDayField: EditOrbitElementDate(); return 1;
    case kOrbitSave: SaveOrbitElements(); return 1;
    case kOrbitDelete: DeleteOrbitRecord(); return 1;
    case kOrbitNew: StartNewOrbitRecord(); return 1;
    case kOrbitStepList: ChooseStep(Get(kOrbitStepList)); return 1;
    case kOrbitInfoButton: ShowObjectInformation(); return 1;
    case kOrbitCometButton: case kOrbitAsteroidButton: ChangeOrbitCometKind(); return 1;
    default: return 0;
    }
}

void OrbitAssistantRelease(pl::Hwnd form) {
    firstPaint = 1;
    penDown = 0;
    for (int id : kRegistered) ReleaseControl(form, id);
}

void ResetOrbitAssistantForm() {
    DeleteOffscreenWindow(offscreen);
    offscreen = nullptr;
    FreeOrbitPictures();
    FreeCometMagList();
    ClearLastOrbitEphemerisRows();
    ResetOrbitAssistantState();
    firstPaint = 1;
    penDown = 0;
    orbitForm = nullptr;
}

pl::LResult OrbitAssistantFormProc(pl::Hwnd form, uint32_t message, pl::WParam wParam, pl::LParam lParam) {
    switch (message) {
    case pl::WM_INITDIALOG: InitOrbitForm(form); return 1;
    case pl::WM_PAINT: PaintForm(form, OpenOrbitForm, &firstPaint, ScaleY(22), 1); return 1;
    case pl::WM_ERASEBKGND: return 1;
    case pl::WM_MEASUREITEM: MeasureItem(reinterpret_cast<pl::MeasureItem*>(lParam)); return 1;
    case pl::WM_DRAWITEM: DrawItem(form, reinterpret_cast<const pl::DrawItem*>(lParam)); return 1;
    case pl::WM_KEYDOWN: return Key(form, static_cast<int>(wParam));
    case pl::WM_LBUTTONDOWN:
        penDown = IsPictureView();
        if (penDown) OrbitPenDown(pl::PointX(lParam), pl::PointY(lParam));
        return 1;
    case pl::WM_MOUSEMOVE:
        if (wParam & pl::MK_LBUTTON) PenMove(pl::PointX(lParam), pl::PointY(lParam));
        return 1;
    case pl::WM_LBUTTONUP: PenUp(pl::PointX(lParam), pl::PointY(lParam)); return 1;
    case kMsgEditField: EditField(form, static_cast<int>(wParam)); return 1;
    case pl::WM_COMMAND: {
        const int id = pl::LoWord(wParam), list = pl::HiWord(wParam);
        if (id == kCmdCloseForm) {
            CloseOrbitForm();
            OrbitAssistantRelease(form);
            DestroyCurrentForm();
            orbitForm = nullptr;
            return 1;
        }
        Command(form, list != 0 ? list : id);
        return 1;
    }
    case pl::WM_CLOSE: OrbitAssistantRelease(form); return 0;
    case pl::WM_ACTIVATE: HandleFormActivate(form, wParam, lParam, &activateInfo, 0); return 1;
    case pl::WM_SETTINGCHANGE: HandleFormSettingChange(form, wParam, lParam, &activateInfo); return 1;
    default: return 0;
    }
}
