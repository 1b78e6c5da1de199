#include "eclipse/eclipse_form.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>

#include "core/angle_text.h"
#include "core/services.h"
#include "eclipse/eclipse_controls_view.h"
#include "eclipse/eclipse_list.h"
#include "eclipse/eclipse_map.h"
#include "eclipse/eclipse_map_view.h"
#include "eclipse/lunar_eclipse_view.h"
#include "eclipse/solar_eclipse_views.h"
#include "ephemeris/eclipse_sources.h"
#include "platform/message_queue.h"
#include "platform/messages.h"
#include "platform/paint.h"
#include "platform/shell.h"
#include "platform/window.h"
#include "ui/control_access.h"
#include "ui/control_registry.h"
#include "ui/draw_window.h"
#include "ui/form_controls.h"
#include "ui/forms.h"
#include "ui/input_polling.h"
#include "ui/number_field.h"
#include "ui/offscreen.h"
#include "ui/owner_draw.h"
#include "ui/popup_list.h"
#include "ui/primitives.h"
#include "ui/saved_screen.h"
#include "ui/screen_layout.h"
#include "ui/simple_controls.h"
#include "ui/title_control.h"

namespace {

constexpr int kTitle = 8028, kViewTrigger = 2702, kViewPopup = 2703, kHelpButton = 2701, kEclipseList = 2704;
constexpr int kBackButton = 2705, kListButton = 2706, kInfoButton = 2707, kYearField = 2708, kYearButton = 2709;
constexpr int kPathButton = 2710, kTimeField = 2712, kTimeSet = 2713, kLatitudeField = 2715;
constexpr int kLongitudeField = 2716, kLocationSet = 2717, kMapTimeField = 2718, kMapButton = 2721;
constexpr int kTapInfoButton = 2724;
constexpr int kRowHeight = 18;
constexpr pl::ColorRef kInfoKey = 0x00FF00;
constexpr uint32_t kInitFlags = pl::SHIDIF_DONEBUTTON | pl::SHIDIF_SIPDOWN | pl::SHIDIF_FULLSCREENNOMENUBAR;
constexpr const char* kViewNames[] = {"List", "Info", "Path", "Map", "Diagram"};
// The typed fields: time of interest (universal time), place (12 characters
// a coordinate, as the location form takes them), start year of the list
// (the range of the ephemerides).
constexpr NumberField kTime{kTimeField, "Time", "Time:", 10, 0, 24, NumberForm::Sexagesimal, " h"};
constexpr NumberField kLatitude{kLatitudeField, "Latitude", "Latitude:", 13, 0, 90, NumberForm::Latitude};
constexpr NumberField kLongitude{kLongitudeField, "Longitude", "Longitude:", 13, 0, 180,
                                 NumberForm::Longitude};
constexpr NumberField kYear{kYearField, "Year", "Year:", 5, 1700, 2199, NumberForm::Count};
constexpr NumberField kTypedFields[] = {kTime, kLatitude, kLongitude};
constexpr char kMoonMapRefused[] = "This module is not available for moon eclipse";

struct Help {
    const char* text;
    const char* detail;
};
constexpr Help kHelp[] = {
    {"\x95 Display the list of the next 12 ecplises.\n\x95 Tap on one to get its best location and greastest time.",
     "\x95 Type on the year field to select an other range."},
    {"\x95 Display the local circumtance information.",
     "\x95 Set Time or Location and then press the linked Set button."},
    {"\x95 Display the path of the eclipse on a world map.",
     "\x95 Tap on the map to get local circumstance informations."},
    {"\x95 Display the path of the eclipse on the globe.",
     "\x95 Rotate the globe using your stylus to adjust the view."},
};

int firstPaint = 1;
int penAccepted = 0;
int penX = 0, penY = 0;
pl::Hwnd eclipseForm = nullptr;
pl::ShActivateInfo activateInfo{};

const EclipseEvent* Selected() {
    return eclipseList && selectedEclipse >= 0 && selectedEclipse < eclipseCount ? &eclipseList[selectedEclipse]
                                                                                : nullptr;
}
bool SolarSelected() { return Selected() && Selected()->type != 0; }
bool LunarSelected() { return Selected() && Selected()->type == 0; }

void ShowAll(std::initializer_list<int> ids, bool show) {
    for (int id : ids) Show(eclipseForm, id, show);
}

void DrawListView() {
    ShowListViewControls(eclipseForm);
    Show(eclipseForm, kMapButton, SolarSelected());
    char text[8];
    std::snprintf(text, sizeof text, "%04d", listStartYear);
    SetField(kYearField, text);
    SetListItems(pl::GetDlgItem(eclipseForm, kEclipseList), nullptr, eclipseCount);
    CompleteSelectedEclipse();
}

void DrawInfoView() {
    ShowAll({kYearField, kYearButton, kEclipseList, kInfoButton, kMapTimeField, 2719, 2720, kTapInfoButton, kPathButton,
             kMapButton},
            false);
    EraseRectangle(viewRect);
    ShowAll({2711, kTimeField, kTimeSet, 2714, kLatitudeField, kLongitudeField, kLocationSet, kListButton}, true);
    Show(eclipseForm, kMapButton, SolarSelected());
    if (SolarSelected()) DrawSolarInformationView();
    if (LunarSelected())
        DrawLunarEclipseInfo(eclipseList, selectedEclipse, screenWidth, screenHeight, viewHour, viewMinute, viewSecond,
                             observerLongitude, observerLatitude);
}

void DrawPathView() {
    ShowPathViewControls(eclipseForm);
    Show(eclipseForm, kMapButton, SolarSelected());
    EraseRectangle(viewRect);
    if (SolarSelected()) DrawSolarPathView();
    if (LunarSelected()) DrawLunarEclipsePath(eclipseList, selectedEclipse, screenWidth, screenHeight);
}

void DrawMapView() {
    if (LunarSelected()) {
        ShowInformation(kMoonMapRefused, "");
        return;
    }
    char text[8];
    std::snprintf(text, sizeof text, "%02d:%02d", ClockHour(viewHour), viewMinute);
    SetField(kMapTimeField, text);
    ShowMapViewControls(eclipseForm);
    DrawEclipseMap(1, viewRect);
}

void ChangeView(int view) {
    currentEclipseView = view;
    SetPopupList(kViewTrigger, kViewPopup, view);
    DrawEclipseView();
}

void LocationStep() {
    observerLatitude = localResult.pointLatitude = typedLatitude;
    observerLongitude = localResult.pointLongitude = typedLongitude;
    if (SolarSelected()) {
        const EclipseEvent& e = *Selected();
        FindLocalEclipseCircumstances(&localResult, e.year, e.month, e.day, e.hour, e.minute, typedLatitude,
                                      typedLongitude);
        observerCircumstancesComputed = localResultComputed = true;
        observerSeesNoEclipse = localResult.magnitude < 0 || localResult.sunBelowHorizon;
        SetViewTime(localResult.maximumTime);
    }
    DrawEclipseView();
}

// The typed place; a refused field keeps the view as it was.
void SetTypedLocation() {
    double latitude = 0, longitude = 0;
    if (!ReadNumberField(eclipseForm, kLatitude, &latitude) || !ReadNumberField(eclipseForm, kLongitude, &longitude))
        return DrawEclipseView();
    typedLatitude = latitude;
    typedLongitude = longitude;
    LocationStep();
}

// The typed clock time (0..24) is taken on the day nearest greatest eclipse, as the field shows
// it: 22:56 typed for an eclipse greatest at 00:25 UT is 22:56 of the day before.
void SetTimeOfInterest() {
    double hours = 0;
    if (!ReadNumberField(eclipseForm, kTime, &hours)) return DrawEclipseView();
    if (const EclipseEvent* e = Selected()) {
        const double greatest = e->hour + e->minute / 60.0 + e->second / 3600.0;
        hours += 24 * std::round((greatest - hours) / 24);
    }
    SetViewTime(hours);
    ForgetLocalCircumstances();
    if (SolarSelected()) observerLatitude = -500;
    DrawEclipseView();
}

// A new start of the list: the year typed (a refused or cancelled input
// keeps the year) or the device's date.
void RestartList(bool fromClock) {
    double year = 0;
    if (fromClock) {
        int hour, minute, second;
        GetLocalDateTime(&listStartYear, &listStartMonth, &listStartDay, &hour, &minute, &second);
    } else if (EditNumberField(eclipseForm, kYear) && ReadNumberField(eclipseForm, kYear, &year)) {
        listStartYear = static_cast<int>(year), listStartMonth = 1, listStartDay = 1;
    }
    FreeEclipseList();
    selectedEclipse = -1;
    Set(kEclipseList, 0);  // the new list starts at its first row
    DrawEclipseView();
}

void ChooseView() {
    int row = Get(kViewPopup);
    if (row == kEclipseMapView && LunarSelected()) {
        ShowInformation(kMoonMapRefused, "");
        SetPopupList(kViewTrigger, kViewPopup, currentEclipseView);
        return;
    }
    if (row < 0 || row > kEclipseDiagramView) return;
    currentEclipseView = row;
    DrawEclipseView();
}

void InitEclipseForm(pl::Hwnd form) {
    eclipseForm = form;
    activateInfo = pl::ShActivateInfo{};
    InitFormWindow(form, kInitFlags);
    InitTitle(form, kTitle, "EclipseAssistant");
    InitBitmapButton(form, kHelpButton, 5076, 1, kInfoKey);
    const int buttons[][2] = {{kYearButton, 120}, {kBackButton, 5074}, {kInfoButton, 5125}, {kTapInfoButton, 5125},
                              {kListButton, 2252}, {kMapButton, 2725}};
    for (const auto& b : buttons) InitBitmapButton(form, b[0], b[1], 0, 0);
    for (int id : {kTimeField, kLongitudeField, kLatitudeField, kYearField, kMapTimeField}) InitTextField(form, id, 0);
    for (int i = kEclipseDiagramView; i >= 0; --i) AddListRow(form, kViewPopup, kViewNames[i]);
    InitPopupList(form, kViewTrigger, kViewPopup, -1, 0, -1);
    InitList(form, kEclipseList, 0, -1, 1);
    firstPaint = 1;
    pl::Rect client;
    if (pl::GetClientRect(form, &client)) LayoutEclipseForm(form, client.Width(), client.Height());
}

// After a command that redraws: erase, underline the title, act, keep the screen.
void RedrawFor(pl::Hwnd form, int id, bool invalidate) {
    if (invalidate) pl::Invalidate(form, nullptr, true);
    EraseFormBelowTitleLine(form);
    HandleEclipseControl(id);
    SaveScreen();
}

void HandleCommand(pl::Hwnd form, int id) {
    switch (id) {
    case kEclipseList: case kListButton: case kInfoButton: case kYearButton: case kPathButton:
    case kTimeSet: case kLocationSet: case kMapButton: case kTapInfoButton:
        RedrawFor(form, id, true);
        return;
    case kViewTrigger: case kViewPopup: RedrawFor(form, kViewPopup, false); return;
    case pl::IDOK: HandleEclipseControl(kBackButton); return;
    default: HandleEclipseControl(id);
    }
}

void EditField(pl::Hwnd form, int id) {
    if (const NumberField* f = FindNumberField(kTypedFields, id)) {
        EditNumberField(form, *f);
        return;
    }
    switch (id) {
    case kYearField: {
        HandleEclipseControl(kYearField);
        EraseFormBelowTitleLine(form);
        SaveScreen();
        pl::PostMessage(form, pl::WM_COMMAND, kEclipseList, 0);
        return;
    }
    default: RedrawControl(form, id);
    }
}

void CloseForm(pl::Hwnd form) {
    CloseEclipseForm();
    ReleaseEclipseFormControls(form);
}

}  // namespace

void SetViewTime(double hours) {
    const ClockFields t = SplitRoundedTime(hours * 3600, 1);
    viewHour = t.hours, viewMinute = t.minutes, viewSecond = t.seconds;
}

void OpenEclipseForm() {
    currentEclipseView = kEclipseListView;
    PushFormHistory(kEclipseFormId);
    if (listStartYear == -1) {
        listStartYear = 2006, listStartMonth = 1, listStartDay = 1;
        viewHour = viewMinute = 0;
    }
    selectedEclipse = -1;
    GetScreenSize(&screenWidth, &screenHeight);
    const int title = ScaleY(24);
    viewRect = {0, title, screenWidth, screenHeight - ScaleY(22) - title};
    Set(kEclipseList, -1);
    DrawEclipseView();
}

void DrawEclipseView() {
    if (!eclipseList) eclipseCount = BuildEclipseList(&eclipseList, 6, listStartYear, listStartMonth, listStartDay);
    DeleteOffscreenWindow(savedViewBits);
    savedViewBits = nullptr;
    if (SolarSelected() && static_cast<int>(Selected()->kind) == 2) {
        ShowInformation("Sorry, this function does not work for Partial Eclipse.", "Please select Annular or Total Eclipse.");
        return;
    }
    SetPopupList(kViewTrigger, kViewPopup, currentEclipseView);
    if (SolarSelected() && currentEclipseView != kEclipseListView && currentEclipseView != kEclipsePathView) {
        const EclipseEvent& e = *Selected();
        SetEclipseLocalTime(e.year, e.month, e.day, viewHour, viewMinute, viewSecond);
    }
    switch (currentEclipseView) {
    case kEclipseListView: DrawListView(); break;
    case kEclipseInfoView: DrawInfoView(); break;
    case kEclipsePathView: DrawPathView(); break;
    case kEclipseMapView: DrawMapView(); break;
    case kEclipseDiagramView: DrawEclipseDiagramView(); break;
    default: break;
    }
}

int HandleEclipseControl(int id) {
    switch (id) {
    case kHelpButton:
        if (currentEclipseView >= 0 && currentEclipseView < 4)
            ShowInformation(kHelp[currentEclipseView].text, kHelp[currentEclipseView].detail);
        return 1;
    case kViewPopup: ChooseView(); return 1;
    case kEclipseList: CompleteSelectedEclipse(); return 1;
    case kBackButton: GoBackToPreviousForm(); return 1;
    case kListButton: ChangeView(kEclipseListView); return 1;
    case kInfoButton: ChangeView(kEclipseInfoView); return 1;
    case kPathButton: ChangeView(kEclipsePathView); return 1;
    case kMapButton: ChangeView(kEclipseMapView); return 1;
    case kTimeSet: SetTimeOfInterest(); return 1;
    case kLocationSet: SetTypedLocation(); return 1;
    case kTapInfoButton:
        SetPopupList(kViewTrigger, kViewPopup, kEclipseInfoView);
        currentEclipseView = kEclipseInfoView;
        LocationStep();
        return 1;
    case kYearField: RestartList(false); return 1;
    case kYearButton: RestartList(true); return 1;
    default: return id >= 2701 && id <= 2724 ? 1 : 0;
    }
}

int LayoutEclipseForm(pl::Hwnd form, int width, int height) {
    int dx = 0, dy = 0;
    if (!GetScreenSizeDelta(0, width, height, &dx, &dy)) return 0;
    for (int id : {kBackButton, kListButton, kPathButton, kMapButton, 2719, 2720, kInfoButton, kTapInfoButton})
        MoveControl(form, id, 0, dy, 0, 0);
    for (int id : {kYearField, kMapTimeField, kYearButton}) MoveControl(form, id, dx, dy, 0, 0);
    MoveControl(form, kHelpButton, dx, 0, 0, 0);
    MoveControl(form, kEclipseList, 0, 0, dx, dy);
    return 1;
}

void ReleaseEclipseFormControls(pl::Hwnd form) {
    firstPaint = 1;
    for (int id : {kTitle, kHelpButton, kYearButton, kBackButton, kTapInfoButton, kInfoButton, kListButton, kTimeField,
                   kLongitudeField, kLatitudeField, kYearField, kMapTimeField, kViewTrigger, kEclipseList, kMapButton})
        ReleaseControl(form, id);
}

void CloseEclipseForm() {
    FreeSunInterpCache();
    FreeMoonInterpCache();
    DeleteOffscreenWindow(savedViewBits);
    savedViewBits = nullptr;
    FreeEclipseList();
    FreeEclipseMap();
}

int EclipsePenDown(int x, int y) {
    penX = x, penY = y;
    mapDragging = 0;
    return 1;
}

int EclipsePenMove(int x, int y) {
    if (currentEclipseView == kEclipseMapView && SolarSelected()) return PanEclipseMap(x, y, &penX, &penY);
    if (currentEclipseView == kEclipseDiagramView) return RotateEclipseGlobe(x, y, &penX, &penY);
    return 0;
}

int EclipsePenUp(int x, int y) {
    if (currentEclipseView == kEclipseMapView && SolarSelected()) return EndEclipseMapPen(x, y);
    if (currentEclipseView == kEclipseDiagramView) return EndGlobeRotation();
    return 0;
}

pl::LResult EclipseFormProc(pl::Hwnd form, uint32_t message, pl::WParam wParam, pl::LParam lParam) {
    switch (message) {
    case pl::WM_INITDIALOG: InitEclipseForm(form); return 1;
    case pl::WM_PAINT:
        if (firstPaint) pl::PostMessage(form, pl::WM_COMMAND, kEclipseList, 0);
        PaintForm(form, OpenEclipseForm, &firstPaint, ScaleY(22), 1);
        return 1;
    case pl::WM_ERASEBKGND: return 1;
    case pl::WM_MEASUREITEM: {
        auto* item = reinterpret_cast<pl::MeasureItem*>(lParam);
        if (item && item->ctlId == kEclipseList) item->itemHeight = ScaleY(kRowHeight);
        return 1;
    }
    case pl::WM_DRAWITEM: DrawOwnerItem(form, reinterpret_cast<const pl::DrawItem*>(lParam), DrawEclipseRow); return 1;
    case kMsgEditField: EditField(form, static_cast<int>(wParam)); return 1;
    case pl::WM_COMMAND: {
        int id = pl::LoWord(wParam), list = pl::HiWord(wParam);
        if (id == kCmdCloseForm) {
            CloseForm(form);
            DestroyCurrentForm();
            eclipseForm = nullptr;
            return 1;
        }
        HandleCommand(form, list != 0 ? list : id);
        return 1;
    }
    case pl::WM_CLOSE: CloseForm(form); return 0;
    case pl::WM_ACTIVATE: HandleFormActivate(form, wParam, lParam, &activateInfo, 0); return 1;
    case pl::WM_SETTINGCHANGE: HandleFormSettingChange(form, wParam, lParam, &activateInfo); return 1;
    case pl::WM_LBUTTONDOWN: penAccepted = EclipsePenDown(pl::PointX(lParam), pl::PointY(lParam)); return 1;
    case pl::WM_MOUSEMOVE:
        if (penAccepted && (wParam & pl::MK_LBUTTON) && EclipsePenMove(pl::PointX(lParam), pl::PointY(lParam)))
            SaveScreen();
        return 1;
    case pl::WM_LBUTTONUP:
        if (EclipsePenUp(pl::PointX(lParam), pl::PointY(lParam))) SaveScreen();
        penAccepted = 0;
        return 1;
    default: return 0;
    }
}
