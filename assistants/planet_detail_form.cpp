#include "assistants/planet_detail_form.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "assistants/assistant_colors.h"
#include "assistants/jupiter_view.h"
#include "assistants/mars_map_view.h"
#include "assistants/mars_satellites_view.h"
#include "assistants/mars_view.h"
#include "assistants/planet_detail_mode.h"
#include "assistants/planet_strip_view.h"
#include "assistants/planet_strips.h"
#include "assistants/red_spot.h"
#include "assistants/saturn_view.h"
#include "assistants/text_popup.h"
#include "catalog/mars_features.h"
#include "chart/object_icons.h"
#include "core/date_text.h"
#include "core/julian_day.h"
#include "core/preferences.h"
#include "core/services.h"
#include "core/shared_buffers.h"
#include "platform/controls.h"
#include "platform/messages.h"
#include "platform/shell.h"
#include "platform/window.h"
#include "ui/control_access.h"
#include "ui/control_registry.h"
#include "ui/draw_window.h"
#include "ui/form_controls.h"
#include "ui/forms.h"
#include "ui/input_polling.h"
#include "ui/owner_draw.h"
#include "ui/popup_list.h"
#include "ui/preference_values.h"
#include "ui/primitives.h"
#include "ui/saved_screen.h"
#include "ui/screen_layout.h"
#include "ui/simple_controls.h"
#include "ui/text_drawing.h"
#include "ui/text_input_dialog.h"
#include "ui/title_control.h"

PlanetDetailFormState planetDetailForm;

namespace {

enum ControlId {
    kTitle = 8025, kViewTrigger = 2466, kViewList = 2467, kInfoButton = 2469, kBackButton = 2461,
    kFeatureInfoButton = 2408, kOrientationTrigger = 2406, kOrientationList = 2407, kFilterTrigger = 2381,
    kFilterList = 2382, kZoomTrigger = 2463, kZoomList = 2464, kAdjustButton = 2468, kTypeTrigger = 2518,
    kTypeList = 2519, kFeatureTrigger = 2515, kFeatureList = 2516, kNowButton = 2458,
};

constexpr uint32_t kInitFlags = pl::SHIDIF_DONEBUTTON | pl::SHIDIF_SIPDOWN | pl::SHIDIF_FULLSCREENNOMENUBAR;
constexpr int kRegistered[] = {kTitle, kViewTrigger, kInfoButton, kBackButton, kFeatureInfoButton,
                               kOrientationTrigger, kFilterTrigger, kZoomTrigger, kTypeTrigger, kFeatureTrigger,
                               kPlanetDateField, kPlanetTimeField, kNowButton};
constexpr const char* kViewRows[4][4] = {{"Satellites", "Red Spot", "Events", nullptr},
                                         {"Satellites", "Rings", "Events", nullptr},
                                         {"Satellites", "View", "Map", "Size"},
                                         {"Mercury", "Venus", "Mars", nullptr}};
constexpr const char* kZoomRows[] = {"1", "2", "4", "Max"};
constexpr const char* kFilterRows[] = {"All", "Enceladus", "Tethys", "Dione", "Rhea", "Titan"};
constexpr const char* kTypeRows[] = {"All",     "Catena", "Cavus",  "Chasma", "Crater", "Landing",
                                     "Mons",    "Planitia", "Planum", "Rupes",  "Terra"};
constexpr int kTypeCodes[] = {-1, 6, 0, 7, 2, 5, 1, 3, 4, 8, 9};
constexpr int kTypeRowCount = 11;
constexpr int kMoveSlack = 4;

int firstPaint = 1;
pl::ShActivateInfo activateInfo{};

pl::Hwnd Form() { return GetCurrentFormDialog(); }

int ViewRowCount(int mode) { return mode == kMarsMode ? 4 : 3; }

// The date field read back into the form's date (ParseDate), kept when it
// does not read as a date.
void ReadDateField() {
    char text[32] = "";
    if (!GetField(kPlanetDateField, text, sizeof text)) return;
    int day = 0, month = 0, year = 0;
    ParseDate(text, &day, &month, &year);
    if (month < 1 || month > 12 || year < 1 || year > 9999 || day < 1 || day > GetDaysInMonth(month, year)) return;
    planetDetailDate.year = year, planetDetailDate.month = month, planetDetailDate.day = day;
}

// "hh:mm" read back into the form's time; false when it does not read as one.
bool ReadTimeField() {
    char text[32] = "";
    int hour = -1, minute = -1;
    char rest = 0;
    if (!GetField(kPlanetTimeField, text, sizeof text) ||
        std::sscanf(text, "%d:%d%c", &hour, &minute, &rest) != 2 || hour < 0 || hour > 23 || minute < 0 ||
        minute > 59)
        return false;
    planetDetailDate.hour = hour, planetDetailDate.minute = minute;
    return true;
}

void FromClock() {
    int second = 0;
    PlanetDetailDate& d = planetDetailDate;
    GetLocalDateTime(&d.year, &d.month, &d.day, &d.hour, &d.minute, &second);
}

void ChooseMarsType(int row) {
    PlanetDetailFormState& s = planetDetailForm;
    if (row < 0 || row >= kTypeRowCount) return;
    if (row != s.marsTypeRow) {
        s.selectedMarsFeature = -1;
        Set(kFeatureList, -1);
        SetPopupLabel(kFeatureTrigger, "");
    }
    s.marsTypeRow = row;
    int first = 0, count = 0;
    if (FindMarsFeatureGroup(kTypeCodes[row], &first, &count) < 0) first = count = 0;
    s.marsFirstFeature = first;
    s.marsFeatureCount = count;
    SetListItems(pl::GetDlgItem(Form(), kFeatureList), nullptr, count);
    DrawPlanetDetailForm();
}

// The map is moved so that the feature lies on the centre column at the
// map's own scale, the one the pick and the labels use.
void ChooseMarsFeature(int row) {
    PlanetDetailFormState& s = planetDetailForm;
    MarsFeatureRecord f;
    if (row < 0 || row >= s.marsFeatureCount || !GetMarsRecord(s.marsFirstFeature + row, &f)) {
        s.selectedMarsFeature = -1;
        return;
    }
    s.selectedMarsFeature = s.marsFirstFeature + row;
    const int scale = static_cast<int>(displayScale.scaleY);
    s.mapOriginX = PlanetDetailViewRect().width / 2 - scale * f.mapX;
    s.mapOriginY = -scale * f.mapY;
    SetPopupLabel(kFeatureTrigger, f.name);
    DrawMarsMapView();
}

void ShowFeatureInformation() {
    MarsFeatureRecord f;
    const int index = planetDetailForm.selectedMarsFeature;
    if (index < 0 || !GetMarsRecord(index, &f)) return;
    if (txtBuffer) std::snprintf(txtBuffer, 256, "%d, %s", index, f.name);
    ShowMarsFeaturePicture(&f);
    DrawMarsMapView();
}

void ShowHelp() {
    std::string text, detail;
    PlanetDetailHelp(planetDetailMode, planetDetailView, &text, &detail);
    ShowInformation(text, detail);
}

void ChooseOrientation(int row) {
    SetPlanetDetailOrientation(row);
    ReleasePlanetDetailBitmaps();
    ReadDateField();
    DrawPlanetDetailForm();
    SetPopupList(kOrientationTrigger, kOrientationList, planetDetailOrientation);
}

}  // namespace

void ReleasePlanetDetailBitmaps() {
    ReleaseJupiterGlobe();
    ReleaseSaturnPicture();
    DropStripMarker();
}

void OpenPlanetDetailForm() {
    PushFormHistory(kPlanetDetailForm);
    keepDrawing = 1;
    InitAssistantColors();
    FreeObjectIconBitmap();
    planetDetailForm.savedChartBackground = preferences.word[kPrefChartBackground];
    preferences.word[kPrefChartBackground] = 0;
    DrawPlanetDetailForm();
}

int PlanetDetailCommand(int id) {
    switch (id) {
    case kZoomList:
        if (Get(kZoomList) >= 0) planetDetailZoom = Get(kZoomList);
        ReadDateField();
        DrawPlanetDetailForm();
        return 1;
    case kViewList:
        if (Get(kViewList) >= 0 && Get(kViewList) < ViewRowCount(planetDetailMode)) planetDetailView = Get(kViewList);
        ReadDateField();
        DrawPlanetDetailForm();
        return 1;
    case kOrientationList: ChooseOrientation(Get(kOrientationList)); return 1;
    case kFilterList:
        if (planetDetailMode != kSaturnMode) return 1;
        planetDetailForm.saturnFilter = std::max(0, Get(kFilterList));
        DrawPlanetDetailForm();
        return 1;
    case kNowButton: FromClock(); DrawPlanetDetailForm(); return 1;
    case kBackButton:
    case pl::IDOK:
        keepDrawing = 0;
        ReleasePlanetDetailBitmaps();
        GoBackToPreviousForm();
        return 1;
    case kAdjustButton:
        AdjustRedSpotLongitude();
        DrawPlanetDetailForm();
        return 1;
    case kInfoButton: ShowHelp(); return 1;
    case kTypeList: ChooseMarsType(Get(kTypeList)); return 1;
    case kFeatureList: ChooseMarsFeature(Get(kFeatureList)); return 1;
    case kFeatureInfoButton: ShowFeatureInformation(); return 1;
    default: return 0;
    }
}

int PlanetDetailKeys(int key) {
    int step = 0;
    switch (key) {
    case pl::VK_DOWN:
    case pl::VK_PRIOR: step = 1; break;
    case pl::VK_UP:
    case pl::VK_NEXT: step = -1; break;
    default: return 0;
    }
    const int mode = planetDetailMode, view = planetDetailView;
    const bool globe = mode == kMarsMode && view == kMarsGlobeView;
    if (!globe && !IsStripView(mode, view)) return 1;
    PlanetDetailDate& d = planetDetailDate;
    do {
        if (globe) {
            AddMinutesToDateTime(&d.year, &d.month, &d.day, &d.hour, &d.minute, -60 * step);
            DrawPlanetDetailForm();
        } else if (!DrawPlanetDetailView(80, stripRow += step)) {
            stripRow -= step;
        }
    } while (IsKeyDown(key));
    FlushKeyEvents();
    return 1;
}

void ClosePlanetDetailForm() {
    preferences.word[kPrefChartBackground] = planetDetailForm.savedChartBackground;
    FreeObjectIconBitmap();
    ReleasePlanetDetailBitmaps();
    ForgetMarsRotationStrip();
}

void ResetPlanetDetailForm() {
    ReleasePlanetDetailBitmaps();
    planetDetailForm = PlanetDetailFormState{};
    ResetPlanetDetailMode();
    stripRow = 0;
    keepDrawing = 0;
}

namespace {

// Follows the stylus over the strip until it is lifted, drawing each row's detail.
void TrackStrip() {
    for (;;) {
        int x = 0, y = 0, down = 0;
        GetPenState(&x, &y, &down);
        if (!down) break;
        FlushPenEvents();
        if (DrawPlanetDetailView(x, y)) stripRow = y;
    }
    FlushPenEvents();
    planetDetailForm.tracking = 0;
}

// Drags the Mars map: the feature popup hidden and the selection cleared; the
// map follows the stylus until it is lifted, then gets its names.
void DragMap(int x, int y) {
    PlanetDetailFormState& s = planetDetailForm;
    s.mapDragging = 1;
    s.selectedMarsFeature = -1;
    HideObject(Form(), kFeatureTrigger);
    SetPopupLabel(kFeatureTrigger, "");
    const XywhRect rect = PlanetDetailViewRect();
    int lastX = s.penX, lastY = s.penY;
    for (;;) {
        s.mapOriginX += x - lastX;
        s.mapOriginY += y - lastY;
        lastX = x, lastY = y;
        DrawMarsMap(6012, rect, &s.mapOriginX, &s.mapOriginY);
        int down = 0;
        GetPenState(&x, &y, &down);
        if (!down) break;
        FlushPenEvents();
    }
    FlushPenEvents();
    DrawMarsMapLabels(rect, s.mapOriginX, s.mapOriginY);
    ShowObject(Form(), kFeatureTrigger);
    s.tracking = 0;
}

void PenDown(int x, int y) {
    PlanetDetailFormState& s = planetDetailForm;
    s.penX = x, s.penY = y;
    s.mapDragging = 0;
    s.tracking = 0;
    const int mode = planetDetailMode, view = planetDetailView;
    if (IsStripView(mode, view)) {
        if (DrawPlanetDetailView(x, y)) stripRow = y, s.tracking = 1;
    } else if (mode == kMarsMode && view == kMarsGlobeView && PointInRect(x, y, PlanetDetailViewRect())) {
        const XywhRect r = PlanetDetailViewRect();
        int cx = 0, cy = 0;
        GetMarsViewGlobeCentre(r.x, r.y, r.height, &cx, &cy);
        MarsFeatureRecord f;
        PickMarsGlobeFeature(&f, cx, cy, x, y);
    } else if (mode == kMarsMode && view == kMarsMapView && PointInRect(x, y, PlanetDetailViewRect())) {
        s.tracking = 2;
    }
}

void PenMove(int x, int y) {
    PlanetDetailFormState& s = planetDetailForm;
    if (s.tracking == 1) {
        if (DrawPlanetDetailView(x, y)) stripRow = y;
        TrackStrip();
    } else if (s.tracking == 2 && (std::abs(x - s.penX) >= kMoveSlack || std::abs(y - s.penY) >= kMoveSlack)) {
        DragMap(x, y);
    }
}

void PenUp(int x, int y) {
    PlanetDetailFormState& s = planetDetailForm;
    if (s.tracking == 2) PickMarsMapFeature(x, y);
    s.tracking = 0;
}

void DrawOrientationTrigger(int row, int x, int y, int width, int height, int) {
    DrawOrientationRow(static_cast<int16_t>(std::clamp(row, 0, 3)), XywhRect{x, y, width, height}, 0, width);
}

void DrawMarsFeatureRow(int16_t row, const XywhRect& rect, int, int) {
    MarsFeatureRecord f;
    if (!GetMarsRecord(planetDetailForm.marsFirstFeature + row, &f)) return;
    DrawPlainText(f.name, static_cast<int>(strnlen(f.name, sizeof f.name)), rect.x + ScaleX(2),
                  rect.y + (rect.height - ScaleY(12)) / 2);
}

void DrawItem(pl::Hwnd form, const pl::DrawItem* item) {
    if (item && item->ctlId == kOrientationList) DrawOwnerItem(form, item, DrawOrientationRow);
    if (item && item->ctlId == kFeatureList) DrawOwnerItem(form, item, DrawMarsFeatureRow);
}

// The bottom row moves down, the help and clock buttons right, by the
// difference between the screen and the 240 x 320 design.
void LayoutPlanetDetailForm(pl::Hwnd form) {
    pl::Rect client;
    int dx = 0, dy = 0;
    if (!pl::GetClientRect(form, &client) || !GetScreenSizeDelta(0, client.Width(), client.Height(), &dx, &dy))
        return;
    for (int id : std::initializer_list<int>{kBackButton, kOrientationTrigger, kZoomTrigger, kFilterTrigger, kAdjustButton, kTypeTrigger,
                   kFeatureTrigger, kFeatureInfoButton, kPlanetDateField, kPlanetTimeField})
        MoveControl(form, id, 0, dy, 0, 0);
    MoveControl(form, kNowButton, dx, dy, 0, 0);
    MoveControl(form, kInfoButton, dx, 0, 0, 0);
}

void InitPlanetDetailForm(pl::Hwnd form) {
    activateInfo = pl::ShActivateInfo{};
    InitFormWindow(form, kInitFlags);
    const int mode = std::clamp(static_cast<int>(planetDetailMode), 0, 3);
    InitTitle(form, kTitle, PlanetDetailTitle(mode));
    InitTextPopup(form, kViewTrigger, kViewList, kViewRows[mode], ViewRowCount(mode), planetDetailView);
    InitBitmapButton(form, kInfoButton, 5076, 1, pl::Rgb(0, 255, 0));
    InitBitmapButton(form, kBackButton, 5074, 0, 0);
    InitBitmapButton(form, kFeatureInfoButton, 1941, 1, pl::Rgb(255, 255, 255));
    InitBitmapButton(form, kNowButton, 120, 0, 0);
    SetListItems(pl::GetDlgItem(form, kOrientationList), nullptr, 4);
    InitPopupList(form, kOrientationTrigger, kOrientationList, 4, 6, planetDetailOrientation);
    SetControlHook(form, kOrientationTrigger, DrawOrientationTrigger);
    InitTextPopup(form, kZoomTrigger, kZoomList, kZoomRows, 4, planetDetailZoom);
    InitTextPopup(form, kFilterTrigger, kFilterList, kFilterRows, 6, planetDetailForm.saturnFilter);
    InitTextPopup(form, kTypeTrigger, kTypeList, kTypeRows, kTypeRowCount, planetDetailForm.marsTypeRow);
    SetListItems(pl::GetDlgItem(form, kFeatureList), nullptr, planetDetailForm.marsFeatureCount);
    InitPopupList(form, kFeatureTrigger, kFeatureList, 110, 16, -1);
    InitTextField(form, kPlanetDateField, 0);
    InitTextField(form, kPlanetTimeField, 0);
    firstPaint = 1;
    LayoutPlanetDetailForm(form);
}

void CloseForm(pl::Hwnd form) {
    ClosePlanetDetailForm();
    for (int id : kRegistered) ReleaseControl(form, id);
    firstPaint = 1;
}

// After a popup choice: erase, underline the title, act, keep the screen.
void RedrawFor(pl::Hwnd form, int id) {
    FreeSavedScreen();
    EraseFormBelowTitleLine(form);
    PlanetDetailCommand(id);
    SaveScreen();
}

// A finished edit of the date or time field: read back (a text that does not
// read as a date or time gets the form's unchanged value) and drawn again.
void EditField(pl::Hwnd form, int id) {
    if (id != kPlanetDateField && id != kPlanetTimeField) return;
    RunTextInputDialog(form, id, id == kPlanetDateField ? "Date:" : "Time:", 12);
    if (id == kPlanetDateField) ReadDateField();
    else ReadTimeField();
    InitDrawWindowOwnDc(form);
    DrawPlanetDetailForm();
    SaveScreen();
}

void HandleCommand(pl::Hwnd form, int id) {
    switch (id) {
    case kViewList: case kZoomList: case kOrientationList: case kFilterList: case kTypeList:
        RedrawFor(form, id);
        return;
    case kNowButton: case kAdjustButton: case kFeatureList: case kFeatureInfoButton:
        InitDrawWindowOwnDc(form);
        PlanetDetailCommand(id);
        InitDrawWindowOwnDc(form);
        SaveScreen();
        return;
    default: PlanetDetailCommand(id);
    }
}

}  // namespace

pl::LResult PlanetDetailDlgProc(pl::Hwnd form, uint32_t message, pl::WParam wParam, pl::LParam lParam) {
    switch (message) {
    case pl::WM_INITDIALOG: InitPlanetDetailForm(form); return 1;
    case pl::WM_PAINT: PaintForm(form, OpenPlanetDetailForm, &firstPaint, ScaleY(22), 1); return 1;
    case pl::WM_ERASEBKGND: return 1;
    case pl::WM_MEASUREITEM: {
        auto* item = reinterpret_cast<pl::MeasureItem*>(lParam);
        if (item && item->ctlId == kOrientationList) item->itemHeight = ScaleY(18);
        return 1;
    }
    case pl::WM_DRAWITEM: DrawItem(form, reinterpret_cast<const pl::DrawItem*>(lParam)); return 1;
    case kMsgEditField: EditField(form, static_cast<int>(wParam)); return 1;
    case pl::WM_KEYDOWN: {
        InitDrawWindowOwnDc(form);
        const int handled = PlanetDetailKeys(static_cast<int>(wParam));
        if (handled) SaveScreen();
        return handled;
    }
    case pl::WM_LBUTTONDOWN:
        InitDrawWindowOwnDc(form);
        PenDown(pl::PointX(lParam), pl::PointY(lParam));
        SaveScreen();
        return 1;
    case pl::WM_MOUSEMOVE:
        if (!(wParam & pl::MK_LBUTTON) || !planetDetailForm.tracking) return 1;
        InitDrawWindowOwnDc(form);
        PenMove(pl::PointX(lParam), pl::PointY(lParam));
        SaveScreen();
        return 1;
    case pl::WM_LBUTTONUP:
        InitDrawWindowOwnDc(form);
        PenUp(pl::PointX(lParam), pl::PointY(lParam));
        SaveScreen();
        return 1;
    case pl::WM_COMMAND: {
        const int id = pl::LoWord(wParam), list = pl::HiWord(wParam);
        if (id == kCmdCloseForm) {
            CloseForm(form);
            DestroyCurrentForm();
            return 1;
        }
        HandleCommand(form, list != 0 ? list : id);
        return 1;
    }
    case pl::WM_CLOSE: CloseForm(form); return 0;
    case pl::WM_ACTIVATE: HandleFormActivate(form, wParam, lParam, &activateInfo, 0); return 1;
    case pl::WM_SETTINGCHANGE: HandleFormSettingChange(form, wParam, lParam, &activateInfo); return 1;
    default: return 0;
    }
}
