#include "objects/object_info_form.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <iterator>

#include "assistants/planet_detail_mode.h"
#include "catalog/databases.h"
#include "catalog/designations.h"
#include "catalog/object_display.h"
#include "catalog/object_identity.h"
#include "catalog/object_lookup.h"
#include "catalog/object_pictures.h"
#include "catalog/screens/image_viewer.h"
#include "catalog/selection_list.h"
#include "catalog/stars.h"
#include "chart/chart_clock.h"
#include "core/date_text.h"
#include "core/horizontal.h"
#include "core/services.h"
#include "core/shared_state.h"
#include "core/sidereal_time.h"
#include "objects/chart_handover.h"
#include "objects/current_object.h"
#include "objects/ephemeris_open.h"
#include "objects/finder_open.h"
#include "objects/list_panel.h"
#include "objects/form_messages.h"
#include "objects/object_info.h"
#include "objects/object_info_panel.h"
#include "objects/selected_object.h"
#include "objects/selection_add.h"
#include "objects/selection_search.h"
#include "orbits/orbit_assistant_state.h"
#include "platform/messages.h"
#include "platform/shell.h"
#include "platform/window.h"
#include "scope/scope_target.h"
#include "tools/twilight_graph.h"
#include "ui/bitmaps.h"
#include "ui/colors.h"
#include "ui/control_access.h"
#include "ui/control_registry.h"
#include "ui/draw_window.h"
#include "ui/form_controls.h"
#include "ui/forms.h"
#include "ui/info_box.h"
#include "ui/input_polling.h"
#include "ui/owner_draw.h"
#include "ui/popup_list.h"
#include "ui/primitives.h"
#include "ui/saved_screen.h"
#include "ui/screen_layout.h"
#include "ui/simple_controls.h"
#include "ui/title_control.h"

namespace {

constexpr int kSkyChartForm = 1900, kOrbitForm = 2550, kMoonForm = 6000, kPlanetDetailForm = 2460;
constexpr int kOrbit3dView = 3;
constexpr int kMoon = 1, kMars = 4, kJupiter = 5, kSaturn = 6;
constexpr int kImageSide = 160;
constexpr int kListRowHeight = 15;  // design pixels
constexpr int kTypeComet = 13, kTypeMeteor = 29, kTypePlanet = 27;
constexpr pl::ColorRef kInfoKey = 0x00FF00;
constexpr pl::ColorRef kWhite = 0xFFFFFF;
constexpr uint32_t kInitFlags = pl::SHIDIF_DONEBUTTON | pl::SHIDIF_SIPDOWN | pl::SHIDIF_FULLSCREENNOMENUBAR;

constexpr int kClearedFields[] = {kInfoRa,   kInfoDec,       kInfoAz,       kInfoAlt,      kInfoConstellation,
                                  kInfoTypeName, kInfoTypeCode, kInfoMagnitude, kInfoDistance, kInfoEyepiece,
                                  kInfoSize};
constexpr int kHelpFields[] = {kInfoConstellation, kInfoTypeName, kInfoMagnitude, kInfoEyepiece, kInfoSize};
constexpr int kHelpCodes[] = {0, 1, 11, 16, 17};
constexpr int kBottomRow[] = {kInfoBack, kInfoFinder, kInfoSky, kInfoGoto, kInfoDate, kInfoTime, kInfoClock};
// Controls set up besides the bitmap buttons and the help fields.
constexpr int kOtherRegistered[] = {kInfoTitle, kInfoUsage, kInfoTabTrigger, kInfoObjectTrigger, kInfoDate, kInfoTime};

// The bitmap buttons: day and night bitmaps, white-keyed by day.
struct IconButton {
    int id;
    int day;
    int night;
    bool whiteKeyed;
};
constexpr IconButton kIcons[] = {
    {kInfoDetails, 5125, 5125, false},   {kInfoImage, 1941, 1941, true},     {kInfoPicture, 3030, 3030, false},
    {kInfoGauge, 5002, 5007, false},     {kInfoEphemeris, 5125, 5125, false}, {kInfoAltitudeGraph, 5125, 5125, false},
    {kInfoBack, 5074, 5074, false},      {kInfoFinder, 5124, 5134, true},     {kInfoSky, 5094, 5138, true},
    {kInfoGoto, 5070, 5136, true},       {kInfoClock, 120, 120, false},
};

pl::Hwnd infoForm = nullptr;
pl::ShActivateInfo activateInfo{};
int firstPaint = 1;

CurrentObjectBlock& B() { return currentObjectBlock; }

int TabSize() { return ObjectInfoTabSize(B().tab); }
int TabDesignation() { return B().tab >= 0 && B().tab < kObjectInfoTabCount ? objectInfoTabs[B().tab].designation : -1; }

void WriteDateTimeFields() {
    const DateTime& t = currentDateTime;
    char text[24];
    FormatDate(text, sizeof text, t.day, t.month, t.year);
    SetField(kInfoDate, text);
    std::snprintf(text, sizeof text, "%02d:%02d:%02d", t.hour, t.minute, t.second);
    SetField(kInfoTime, text);
}

double SiderealTimeNow() {
    const DateTime& t = currentDateTime;
    return GetLocalSiderealTime(t.year, t.month, t.day, t.hour, t.minute, t.second, currentSite.longitude,
                                currentSite.zoneMinutes);
}

// Below the popups down to the bottom row: what the form draws itself.
void EraseDrawing() {
    int width = 0, height = 0;
    GetScreenSize(&width, &height);
    EraseRectangle(XywhRect{0, ScaleY(24), width, height - ScaleY(22) - ScaleY(24)});
}

void DrawTriggerRow(int row, int x, int y, int width, int height, int) {
    if (row >= 0) DrawObjectInfoRow(row, XywhRect{x, y, width, height});
}
void DrawListRow(int16_t row, const XywhRect& rect, int, int) { DrawObjectInfoRow(row, rect); }

// Step 2 of the display: the finder target, then the observing list's current row, give the position.
void TakeHandedPosition() {
    CurrentObjectBlock& b = B();
    if (IsObjectSelected()) {
        int index = 0;
        if (GetSelectedObject(&currentObject, &index) != kTabFinder) b.pendingIndex = index;
    }
    const int position = CurrentSelectionEntry();
    if (position >= 0) b.pendingIndex = selectionList[position].sourceIndex + 1;
}

// Step 3: whether the pending position (or the index kept) is one of the tab's.
bool CheckPosition() {
    CurrentObjectBlock& b = B();
    if (b.tab != kTabFinder) {
        const int n = TabSize();
        if (b.pendingIndex >= 1 && b.pendingIndex <= n) return true;
        if (b.index < 1 || b.index > n) return false;
        b.pendingIndex = b.index;
        return true;
    }
    if (!IsObjectSelected()) {
        b.index = b.pendingIndex = -1;
        return false;
    }
    b.pendingIndex = currentObject.number + 1;
    if (GetSelectedObjectCatalog() == kTabMessier) {
        b.index = b.pendingIndex = currentObject.number;
        GetMessierObjectRecord(b.pendingIndex - 1, &currentObject);
    }
    return true;
}

// Step 4: the object of the tab at the pending position into currentObject.
bool LoadShownObject(ObjectInfoObject* o) {
    CurrentObjectBlock& b = B();
    if (b.tab != kTabFinder) {
        if (!LoadObjectInfoObject(b.tab, b.pendingIndex, currentDateTime, o)) return false;
        currentObject = o->record;
        return true;
    }
    o->record = currentObject;
    GetSelectedObjectName(o->name);
    o->picture = DeepSkyTypeBitmap(currentObject);
    return true;
}

void ShowPictureButton(const ObjectInfoObject& o) {
    pl::Hwnd form = GetCurrentFormDialog();
    SetButtonIcon(form, kInfoPicture, ObjectInfoPicture(o.picture), 0, 0);
    const ObjectInfoImage image = ObjectInfoImageName(B().tab, B().pendingIndex, o.record);
    if (BuildImagePath(image.name.c_str(), kImageFolderCatalog, image.kind)) ShowObject(form, kInfoImage);
}

void ClearObjectFields() {
    CurrentObjectBlock& b = B();
    b.index = b.pendingIndex = 0;
    b.graphName[0] = '\0';
    SetPopupLabel(kInfoObjectTrigger, "");
    Set(kInfoObjectList, -1);
    for (int id : kClearedFields) SetField(id, "");
}

void ShowImage() {
    if (!B().valid) return;
    const ObjectInfoImage image = ObjectInfoImageName(B().tab, B().index, currentObject);
    ShowObjectImage(image.name.c_str(), 0, 0, kImageSide, kImageSide, true, kImageFolderCatalog, image.kind);
}

// Button 1139: the comet's orbit, the star's identifiers, a body's own form or the description.
void ShowDetails() {
    const CurrentObjectBlock& b = B();
    if (!b.valid) return;
    const ObjectRecord& r = currentObject;
    const int designation = static_cast<int16_t>(r.designationId);
    if (b.tab == kTabComets || designation == kDesignationComet) {
        SetOrbitAssistantView(kOrbit3dView);
        GotoForm(kOrbitForm);
    } else if (designation == kDesignationBrightStar || designation == kDesignationHr) {
        const int hr = designation == kDesignationHr ? r.number : BrightStarHrNumber(b.index - 1);
        ShowMessageBox(StarIdentifiersText(b.graphName, hr), "Identifiers:");
    } else if (designation == kDesignationPlanet) {
        if (r.number == kMoon) GotoForm(kMoonForm);
        if (r.number != kMars && r.number != kJupiter && r.number != kSaturn) return;
        if (r.number == kMars) SetMarsAssistantMode();
        else if (r.number == kJupiter) SetJupiterAssistantMode();
        else SetSaturnAssistantMode();
        GotoForm(kPlanetDetailForm);
    } else {
        std::string text, detail;
        if (ObjectInfoDescription(r, &text, &detail)) ShowInformation(text, detail);
        else ShowInformation("No description available.", WithMissingDataFile("", kDescriptionFile));
    }
}

void OpenEphemeris() {
    const DateTime& t = currentDateTime;
    OpenEphemerisAssistant(B().index - 1, TabDesignation(), t.year, t.month, t.day, t.hour, t.minute);
}

void OpenGraph() {
    const ObjectRecord& r = currentObject;
    const DateTime& t = currentDateTime;
    const int body = static_cast<int16_t>(r.designationId) == kDesignationPlanet ? r.number : -1;
    OpenAltitudeGraph(B().graphName, TabDesignation(), B().index - 1, r.rightAscension, r.declination, body, t.year,
                      t.month);
}

void ChooseTab() {
    const int row = Get(kInfoTabList);
    if (row < 0 || row >= kObjectInfoTabCount) return;
    EraseDrawing();
    ClearSelectedObject();
    SetObjectInfoTab(row);
}

void ChooseObject() {
    const int row = Get(kInfoObjectList);
    if (B().tab != kTabComets) ClearSelectedObject();
    if (row < 0 || row == B().index - 1 || IsObjectSelected()) return;
    B().pendingIndex = row + 1;
    SetCurrentSelectionRow(-1);
    ClearSelectedObject();
    ShowCurrentObject();
}

void OpenFinderHere() {
    OpenFinder(kObjectInfoFormId, TabDesignation());
    SetCurrentSelectionRow(-1);
}

// The position of an object step: wrapped into 1..N.
void Step(int delta) {
    CurrentObjectBlock& b = B();
    if (b.tab == kTabFinder) {
        b.index = 0;
        return;
    }
    const int n = TabSize();
    b.pendingIndex += delta;
    if (b.pendingIndex < 1) b.pendingIndex = n;
    if (b.pendingIndex > n) b.pendingIndex = 1;
    SetCurrentSelectionRow(-1);
    ClearSelectedObject();
    char text[16];
    std::snprintf(text, sizeof text, "%d", b.pendingIndex);
    SetPopupLabel(kInfoObjectTrigger, text);
    Set(kInfoObjectList, b.pendingIndex - 1);
    ShowCurrentObject();
}

void InitTabPopup(pl::Hwnd form) {
    for (int i = kObjectInfoTabCount - 1; i >= 0; --i) AddListRow(form, kInfoTabList, objectInfoTabs[i].label);
    InitPopupList(form, kInfoTabTrigger, kInfoTabList, -1, 0, B().tab);
}

// Rows of the object list that fit above the bottom row.
int VisibleRows(pl::Hwnd form) {
    pl::Rect client;
    if (!pl::GetClientRect(form, &client)) return 10;
    return std::max(10, (client.Height() - ScaleY(60)) / ScaleY(kListRowHeight));
}

// Help at the right edge; the bottom row, the date and time and the clock at the bottom.
void LayoutObjectInfo(pl::Hwnd form) {
    pl::Rect client;
    int dx = 0, dy = 0;
    if (!pl::GetClientRect(form, &client) || !GetScreenSizeDelta(0, client.Width(), client.Height(), &dx, &dy))
        return;
    MoveControl(form, kInfoUsage, dx, 0, 0, 0);
    for (int id : kBottomRow) MoveControl(form, id, 0, dy, 0, 0);
}

void InitObjectInfo(pl::Hwnd form) {
    infoForm = form;
    activateInfo = pl::ShActivateInfo{};
    InitFormWindow(form, kInitFlags);
    InitTitle(form, kInfoTitle, "ObjectInfo");
    const bool night = GetNightMode() != 0;
    InitBitmapButton(form, kInfoUsage, 5076, 1, kInfoKey);
    for (const IconButton& b : kIcons)
        InitBitmapButton(form, b.id, night ? b.night : b.day, b.whiteKeyed && !night, kWhite);
    InitTabPopup(form);
    InitPopupList(form, kInfoObjectTrigger, kInfoObjectList, 0, VisibleRows(form), -1);
    SetControlHook(form, kInfoObjectTrigger, DrawTriggerRow);
    for (int id : kHelpFields) InitTextField(form, id, 0);
    InitTextField(form, kInfoDate, 1);
    InitTextField(form, kInfoTime, 1);
    LayoutObjectInfo(form);
    firstPaint = 1;
}

void ReleaseObjectInfo(pl::Hwnd form) {
    firstPaint = 1;
    FreeObjectInfoChart();
    for (int id : kOtherRegistered) ReleaseControl(form, id);
    for (const IconButton& b : kIcons) ReleaseControl(form, b.id);
    for (int id : kHelpFields) ReleaseControl(form, id);
}

void MeasureRow(pl::MeasureItem* item) {
    if (item && item->ctlId == kInfoObjectList) item->itemHeight = ScaleY(kListRowHeight);
}

}  // namespace

void OpenObjectInfoForm() {
    PushFormHistory(kObjectInfoFormId);
    HideObject(infoForm, kInfoImage);
    FreeObjectInfoChart();
    SetObjectInfoTab(IsObjectSelected() ? GetSelectedObjectCatalog() : B().tab);
}

void SetObjectInfoTab(int tab) {
    if (tab < 0 || tab >= kObjectInfoTabCount) tab = kTabFinder;
    CurrentObjectBlock& b = B();
    SetPopupList(kInfoTabTrigger, kInfoTabList, tab);
    RefreshObjectInfoDateTime();
    WriteDateTimeFields();
    if (tab == kTabBrightStars) LoadStarCatalog(0);
    const int n = ObjectInfoTabSize(tab);
    SetListItems(pl::GetDlgItem(infoForm, kInfoObjectList), nullptr, n);
    if (tab == b.tab && b.index >= 1 && b.index <= n) {
        ListEnsureVisible(pl::GetDlgItem(infoForm, kInfoObjectList), b.index - 1);
        SetPopupList(kInfoObjectTrigger, kInfoObjectList, b.index - 1);
    } else {
        ListEnsureVisible(pl::GetDlgItem(infoForm, kInfoObjectList), 0);
    }
    if (tab != b.tab) ClearObjectFields();
    b.tab = tab;
    ShowCurrentObject();
}

void ShowCurrentObject() {
    RefreshObjectInfoDateTime();
    pl::Hwnd form = GetCurrentFormDialog();
    HideObject(form, kInfoImage);
    EraseDrawing();
    WriteDateTimeFields();
    TakeHandedPosition();
    CurrentObjectBlock& b = B();
    b.valid = 0;
    ObjectInfoObject o;
    if (!CheckPosition() || !LoadShownObject(&o)) {
        // No object (or a planet on a date its theory does not cover): no
        // values are left from the object shown before.
        SetPopupLabel(kInfoObjectTrigger, "");
        HideObject(form, kInfoGauge);
        for (int id : kClearedFields) SetField(id, "");
        return;
    }
    b.valid = 1;
    ShowObject(form, kInfoGauge);
    SetPopupLabel(kInfoObjectTrigger, static_cast<int16_t>(o.record.designationId) == kDesignationHr ? "" : o.name);
    std::snprintf(b.graphName, sizeof b.graphName, "%.*s", static_cast<int>(sizeof b.graphName - 1), o.name);
    ShowPictureButton(o);
    DrawObjectInfo(&currentObject);
    b.index = b.pendingIndex;
}

void PreviousObject() { Step(-1); }
void NextObject() { Step(1); }

void SetObjectInfoTimeNow() {
    DateTime& t = currentDateTime;
    GetLocalDateTime(&t.year, &t.month, &t.day, &t.hour, &t.minute, &t.second);
    WriteDateTimeFields();
    ShowCurrentObject();
}

void ShowCurrentObjectOnChart() {
    CurrentObjectBlock& b = B();
    if (!b.valid) {
        ShowInformation("Please select at least one object.", "");
        return;
    }
    RefreshObjectInfoDateTime();
    const double lst = SiderealTimeNow();
    int code = b.tab < kTabFinder ? objectInfoTabs[b.tab].source : 0;
    // An object of the Messier, Caldwell, Herschel or best-of-NGC table keeps
    // its own designation and number, which name it (as the criteria search
    // lists it); its row is the entry's source index.
    const int row = NumberTableSource(TabDesignation()) >= 0 ? b.index - 1 : -1;
    if (row < 0) currentObject.number = b.index - 1;
    if (b.tab == kTabComets) currentObject.objectType = kTypeComet;
    if (b.tab == kTabMeteors) currentObject.objectType = kTypeMeteor;
    if (b.tab == kTabPlanets) currentObject.objectType = kTypePlanet;
    if (b.tab == kTabFinder) {
        int index = 0;
        GetSelectedObject(&currentObject, &index);
        code = MapObjectTypeCode(static_cast<int16_t>(currentObject.objectType));
    }
    PrepareSelection(0, 0, 0);
    if (selectionShownCount < 0) selectionShownCount = 0;
    const DateTime& t = currentDateTime;
    SetChartDateTime(nullptr, t.year, t.month, t.day, t.hour, t.minute);
    if (SelectionHasNoRoomFor(&currentObject, code, row)) {
        ShowSelectionListFull();
        return;
    }
    AddObjectToSelection(&currentObject, code, row);
    SetCurrentSelectionEntry(FindSelectionEntry(selectionList, &currentObject, code, row));
    if (!AgreeChartViewForAltitude(
            ComputeAltitude(lst, currentObject.rightAscension, currentObject.declination, currentSite.latitude)))
        return;
    GotoForm(kSkyChartForm);
}

// The telescope goes where the object is by the device clock, whatever the
// form's time (GotoAtClock).
void GotoCurrentObject() {
    if (!B().valid) {
        ShowInformation("Please select at least one object.", "");
        return;
    }
    GotoAtClock(currentObject, kNoPlaceNowText);
}

bool ObjectInfoKey(int key) {
    switch (key) {
    case pl::VK_UP:
    case pl::VK_LEFT:
    case pl::VK_NEXT: PreviousObject(); return true;
    case pl::VK_DOWN:
    case pl::VK_RIGHT:
    case pl::VK_PRIOR: NextObject(); return true;
    case pl::VK_APP1: GoBackToPreviousForm(); return true;
    case pl::VK_APP2: OpenFinder(kObjectInfoFormId, -1); return true;
    case pl::VK_APP3: ShowCurrentObjectOnChart(); return true;
    case pl::VK_APP4: GotoCurrentObject(); return true;
    default: return false;
    }
}

void ObjectInfoCommand(int id) {
    for (std::size_t i = 0; i < std::size(kHelpFields); ++i)
        if (id == kHelpFields[i]) {
            ShowObjectFieldHelp(kHelpCodes[i], &currentObject);
            return;
        }
    switch (id) {
    case kInfoTabList: ChooseTab(); return;
    case kInfoObjectList: ChooseObject(); return;
    case kInfoShow: ShowCurrentObject(); return;
    case kInfoImage: ShowImage(); return;
    case kInfoUsage:
        ShowInformation("\x95 Use the popup to choose the object type,\n"
                        "\x95 Use Up or Down PDA keys to go to next or previous object,",
                        "\x95 Tap on underlined fields or graphics to get more information,\n"
                        "\x95 Tap on the date/hours fields or clock icon to update the date.");
        return;
    case kInfoBack: GoBackToPreviousForm(); return;
    case kInfoFinder: OpenFinderHere(); return;
    case kInfoSky: ShowCurrentObjectOnChart(); return;
    case kInfoGoto: GotoCurrentObject(); return;
    case kInfoClock: SetObjectInfoTimeNow(); return;
    case kInfoDetails: ShowDetails(); return;
    case kInfoEphemeris: OpenEphemeris(); return;
    case kInfoAltitudeGraph: OpenGraph(); return;
    default: return;
    }
}

void ShowObjectFieldHelp(int code, const ObjectRecord* rec) {
    std::string text, detail;
    if (rec && ObjectInfoHelp(code, *rec, &text, &detail)) ShowInformation(text, detail);
}

void ResetObjectInfoForm() {
    infoForm = nullptr;
    firstPaint = 1;
}

pl::LResult ObjectInfoFormProc(pl::Hwnd form, uint32_t message, pl::WParam wParam, pl::LParam lParam) {
    static const FormRoutines routines{&infoForm, &activateInfo, ReleaseObjectInfo, ObjectInfoCommand};
    switch (message) {
    case pl::WM_INITDIALOG: InitObjectInfo(form); return 0;  // the keys go to the form, not to a button
    case pl::WM_PAINT: PaintForm(form, OpenObjectInfoForm, &firstPaint, ScaleY(22), 1); return 1;
    case pl::WM_MEASUREITEM: MeasureRow(reinterpret_cast<pl::MeasureItem*>(lParam)); return 1;
    case pl::WM_DRAWITEM: DrawOwnerItem(form, reinterpret_cast<const pl::DrawItem*>(lParam), DrawListRow); return 1;
    case kMsgEditField: RunFormCommand(form, static_cast<int>(wParam), ObjectInfoCommand); return 1;
    case pl::WM_KEYDOWN: {
        InitDrawWindowOwnDc(form);
        const bool handled = ObjectInfoKey(static_cast<int>(wParam));
        if (handled && GetCurrentFormDialog() == form && pl::IsWindow(form)) SaveScreen();
        return handled ? 1 : 0;
    }
    default: break;
    }
    pl::LResult result = 0;
    return HandleCommonFormMessage(form, message, wParam, lParam, routines, &result) ? result : 0;
}
