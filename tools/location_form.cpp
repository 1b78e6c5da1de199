#include "tools/location_form.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <iterator>
#include <string>

#include "catalog/databases.h"
#include "chart/chart_clock.h"
#include "chart/sky_rotation.h"
#include "core/angle_text.h"
#include "core/preferences_file.h"
#include "core/program_hooks.h"
#include "core/shared_state.h"
#include "core/text_numbers.h"
#include "core/services.h"
#include "platform/dialog.h"
#include "platform/messages.h"
#include "platform/window.h"
#include "tools/form_layout.h"
#include "tools/gps_nmea.h"
#include "tools/location_list_form.h"
#include "tools/observer_site.h"
#include "tools/world_map_view.h"
#include "ui/control_access.h"
#include "ui/control_registry.h"
#include "ui/current_form.h"
#include "ui/draw_window.h"
#include "ui/form_controls.h"
#include "ui/forms.h"
#include "ui/number_field.h"
#include "ui/popup_list.h"
#include "ui/primitives.h"
#include "ui/saved_screen.h"
#include "ui/screen_layout.h"
#include "ui/simple_controls.h"
#include "ui/text_input_dialog.h"
#include "ui/title_control.h"

int siteLoaded = 0;

namespace {

pl::Hwnd locationForm = nullptr;  // the open form of LocationFormProc

// The form is the draw window again (a box or an input dialog may have taken
// it); false while another form stands in for it.
bool UseForm() {
    if (!pl::IsWindow(locationForm) || GetCurrentFormWindow() != locationForm) return false;
    InitDrawWindowOwnDc(locationForm);
    return true;
}


constexpr int kInfoBitmap = 5076;
constexpr pl::ColorRef kInfoKey = 0x00FF00;
constexpr int kCoordinateChars = 12;  // written, and taken by their inputs
constexpr int kSiteNameChars = 11;

constexpr const char* kSiteRows[] = {"Site1", "Site2", "Site3"};
constexpr const char* kConditionRows[] = {"Bright town", "Town", "Bright country", "Country", "Desert/Mountain"};

// The name field's text input; the number fields' inputs with the ranges the
// site keeps (the zone's moved by the hour of daylight saving, see
// EditLocationField), each taking as many characters as its field holds.
constexpr int kSiteNameInput = 12;
constexpr NumberField kLatitudeInput{kLatitudeField, "Latitude", "Latitude:", kCoordinateChars + 1, 0, 90,
                                     NumberForm::Latitude};
constexpr NumberField kLongitudeInput{kLongitudeField, "Longitude", "Longitude:", kCoordinateChars + 1, 0, 180,
                                      NumberForm::Longitude};
constexpr NumberField kNumberInputs[] = {
    kLatitudeInput,
    kLongitudeInput,
    {kElevationField, "Elevation", "Height:", 6, 0, 31999, NumberForm::Count, " m"},
    {kZoneField, "GMT offset", "GMT (mn):", 6, -1439, 1439, NumberForm::Count, " min"},
    {kTemperatureField, "Temperature", "T\xB0 (C\xB0):", 4, -70, 59, NumberForm::Count, " \xB0" "C"},
    {kPressureField, "Pressure", "P (mbar):", 5, 900, 1100, NumberForm::Count, " mbar"},
    {kHumidityField, "Humidity", "Humidity (%):", 4, 0, 99, NumberForm::Count, " %"},
};

// A number field of the site: the characters read and the valid range.
struct SiteField {
    int id;
    int characters;
    int16_t SiteRecord::*value;
    int low;
    int high;
};
constexpr SiteField kSiteFields[] = {
    {kElevationField, 5, &SiteRecord::elevation, 0, 31999},
    {kZoneField, 5, &SiteRecord::zoneMinutes, -1439, 1439},
    {kTemperatureField, 3, &SiteRecord::temperature, -70, 59},
    {kPressureField, 4, &SiteRecord::pressure, 900, 1100},
    {kHumidityField, 3, &SiteRecord::humidity, 0, 99},
};

// Popup rows show in the reverse order of their adding.
void AddRows(pl::Hwnd form, int list, const char* const* rows, int count) {
    for (int i = count; i-- > 0;) AddListRow(form, list, rows[i]);
}

// At most `characters` characters of a field.
void ReadField(int id, int characters, char* text) { GetField(id, text, characters + 1); }

void SetNumber(int id, int value) {
    char text[16];
    std::snprintf(text, sizeof text, "%d", value);
    SetField(id, text);
}

// A coordinate field read as its input takes it (every form of the field,
// the letter of its side included), into *value; false, *value untouched,
// for a text the field refuses.
bool ReadCoordinate(const NumberField& field, double* value) {
    return ParseNumberField(field, pl::GetDlgItemText(GetCurrentFormWindow(), field.id).c_str(), value);
}

// A number field into the site; an invalid one is emptied and not taken.
bool TakeNumberField(const SiteField& f) {
    char text[8] = {};
    ReadField(f.id, f.characters, text);
    int value = CountFieldValue(text);
    if (f.id == kZoneField && currentSite.daylightSaving == 1) value += 60;
    if (value < f.low || value > f.high) {
        SetField(f.id, "");
        if (f.id == kElevationField) currentSite.elevation = 0;
        return false;
    }
    currentSite.*f.value = static_cast<int16_t>(value);
    return true;
}

void TakeConditionAndName() {
    int row = Get(kConditionList);
    currentSite.skyCondition = static_cast<int16_t>(row < 0 || row > 4 ? 0 : row);
    static_assert(sizeof currentSite.name == kSiteNameChars + 1);
    std::memset(currentSite.name, 0, sizeof currentSite.name);
    ReadField(kSiteNameField, kSiteNameChars, currentSite.name);
}

// The site's mark on the small world map, on the open form's field view.
void DrawSiteMark() {
    if (locationMap.mapMode != 0 || !SmallWorldMapShown() || !UseForm()) return;
    DrawSmallWorldMap(currentSite.longitude, currentSite.latitude);
    SaveScreen();
}

// The chart's state after a change of site: its clock and sidereal time, the
// horizon positions of its object table, its sky rotation.
void RefreshChartForSite() {
    UpdateChartTime(1);
    InvalidateHorizonProjection();
    EnableViewRotation();
}

}  // namespace

void InitLocationControls(pl::Hwnd form) {
    InitTitle(form, kLocationTitle, "Location");
    InitBitmapButton(form, kLocationInfo, kInfoBitmap, 1, kInfoKey);
    AddRows(form, kSiteList, kSiteRows, static_cast<int>(std::size(kSiteRows)));
    InitPopupList(form, kSiteTrigger, kSiteList, -1, 3, savedSiteIndex < 0 ? 0 : savedSiteIndex);
    AddRows(form, kConditionList, kConditionRows, static_cast<int>(std::size(kConditionRows)));
    InitPopupList(form, kConditionTrigger, kConditionList, -1, 5, currentSite.skyCondition);
    InitTextField(form, kSiteNameField, 0);
    for (const NumberField& f : kNumberInputs) InitTextField(form, f.id, 0);
}

void ReleaseLocationControls(pl::Hwnd form) {
    for (int id : {kLocationTitle, kLocationInfo, kSiteTrigger, kConditionTrigger}) ReleaseControl(form, id);
    ReleaseControl(form, kSiteNameField);
    for (const NumberField& f : kNumberInputs) ReleaseControl(form, f.id);
}

bool EditLocationField(pl::Hwnd form, int fieldId) {
    if (fieldId == kSiteNameField) {
        RunTextInputDialog(form, fieldId, "Location:", kSiteNameInput);
        return true;
    }
    const NumberField* f = FindNumberField(kNumberInputs, fieldId);
    if (!f) return false;
    NumberField field = *f;
    // The field holds standard time; the site's zone, an hour more with
    // daylight saving, must stay within the range.
    if (fieldId == kZoneField && currentSite.daylightSaving == 1) field.low -= 60, field.high -= 60;
    EditNumberField(form, field);
    return true;
}

void SelectLocation() {
    siteLoaded = 1;
    ReopenDatabases(0);
    if (locationListChoice >= 0) {
        LocationDbRecord record;
        if (GetLocationRecord(locationListChoice, &record)) TakeLocationRecord(record);
    } else {
        bool keepSite = false;
        if (savedSiteIndex < 0) {
            int holder = FindSavedSiteOfSite();
            // A site kept from an earlier run that no saved site holds (a map
            // tap, a GPS fix) stays; saved site 0 replaces only a first start's.
            keepSite = holder < 0 && PreferencesWereLoaded();
            savedSiteIndex = holder < 0 ? 0 : holder;
        }
        if (!keepSite) LoadSavedSite(savedSiteIndex);
    }
    SetPopupList(kSiteTrigger, kSiteList, savedSiteIndex < 0 ? 0 : savedSiteIndex);
    ShowSiteInForm();
}

void ShowSiteOnOpening() {
    if (locationListChoice >= 0) return SelectLocation();
    siteLoaded = 1;
    ReopenDatabases(0);
    if (savedSiteIndex < 0) {
        const int holder = FindSavedSiteOfSite();
        savedSiteIndex = holder < 0 ? 0 : holder;
    }
    SetPopupList(kSiteTrigger, kSiteList, savedSiteIndex);
    ShowSiteInForm();
}

void ShowCoordinate(int id, double value, char positive, char negative) {
    SetField(id, CoordinateText(value, positive, negative).substr(0, kCoordinateChars).c_str());
}

void ShowSiteInForm() {
    const SiteRecord& site = currentSite;
    SetCheckbox(GetCurrentFormWindow(), kDaylightCheck, site.daylightSaving == 1);
    SetPopupList(kConditionTrigger, kConditionList, site.skyCondition);
    char name[kSiteNameChars + 1] = {};
    std::memcpy(name, site.name, kSiteNameChars);
    SetField(kSiteNameField, name);
    ShowCoordinate(kLatitudeField, site.latitude, 'N', 'S');
    ShowCoordinate(kLongitudeField, site.longitude, 'W', 'E');
    DrawSiteMark();
    SetNumber(kElevationField, site.elevation);
    SetNumber(kZoneField, site.zoneMinutes - (site.daylightSaving == 1 ? 60 : 0));
    SetNumber(kTemperatureField, site.temperature);
    SetNumber(kPressureField, site.pressure);
    SetNumber(kHumidityField, site.humidity);
}

namespace {

// One coordinate field into the site.
void ReadSiteCoordinate(int fieldId) {
    double value = 0.0;
    // A text the field refuses (a place beyond the pole or the date line) is
    // no place: the site keeps its own.
    if (fieldId == kLatitudeField && ReadCoordinate(kLatitudeInput, &value)) SetSiteLatitude(currentSite, value);
    if (fieldId == kLongitudeField && ReadCoordinate(kLongitudeInput, &value))
        currentSite.longitude = static_cast<float>(value);
}

}  // namespace

void ReadSiteCoordinates() {
    ReadSiteCoordinate(kLatitudeField);
    ReadSiteCoordinate(kLongitudeField);
    DrawSiteMark();
}

bool ApplySiteFields() {
    bool valid = true;
    for (const SiteField& f : kSiteFields) valid = TakeNumberField(f) && valid;
    TakeConditionAndName();
    if (!valid) return false;
    StoreSavedSite(savedSiteIndex);
    RefreshChartForSite();
    SavePreferences();
    return true;
}

void GetGpsFix() {
    char latitude[kNmeaTextSize], longitude[kNmeaTextSize];
    if (!ReadGpsFix(latitude, longitude)) return;
    SetField(kLatitudeField, latitude);
    SetField(kLongitudeField, longitude);
    ReadSiteCoordinates();
    SavePreferences();
}

namespace {

// Done button, input panel down, full screen without menu bar.
constexpr uint32_t kInitFlags = pl::SHIDIF_DONEBUTTON | pl::SHIDIF_SIPDOWN | pl::SHIDIF_FULLSCREENNOMENUBAR;
constexpr int kDragThreshold = 3;  // pixels a stylus moves before the map follows it
constexpr int kKeptControls[] = {kLocationTitle,      kLocationInfo, kLocationOk, kLocationCancel,
                                 kLocationListButton, kLocationGps,  kLocationMap};
constexpr char kHelpText[] =
    "\x95 If your location is not on the list, enter the coordinates, tap on the map, or use GPS if you have it.";
constexpr char kHelpDetail[] =
    "\x95 Save several settings using site1, 2 and 3.\n\x95 Set location conditions for an accurate object-visibility "
    "estimate.";

int firstPaint = 1;
pl::ShActivateInfo activateInfo{};

// The stylus on the large map: where it went down, where it was last, and
// whether it has moved far enough to drag the map.
struct StylusTrack {
    int downX = 0, downY = 0, lastX = 0, lastY = 0;
    bool dragged = false;
} stylus;

template <std::size_t N>
bool IsOneOf(int id, const int (&ids)[N]) {
    for (int i : ids)
        if (i == id) return true;
    return false;
}

bool ShortScreen() {
    int width = 0, height = 0;
    GetScreenSize(&width, &height);
    return height / displayScale.scaleY <= 240;
}

// The block of labels and fields centred in a wider screen and moved down by
// the extra height (up 40 units more on a short screen, where the small map
// is not drawn); the information button right; Ok, Cancel and List down,
// GPS and Map down and right.
void LayoutLocationForm(pl::Hwnd form) {
    pl::Rect client;
    int dx = 0, dy = 0;
    if (!pl::GetClientRect(form, &client)) return;
    GetScreenSizeDelta(0, client.Width(), client.Height(), &dx, &dy);
    const int blockDy = dy - (ShortScreen() ? ScaleY(40) : 0);
    MoveControlsExcept(form,
                       {kLocationTitle, kLocationInfo, kLocationOk, kLocationCancel, kLocationListButton, kLocationGps,
                        kLocationMap, kSiteTrigger, kSiteList},
                       dx / 2, blockDy);
    MoveControl(form, kLocationInfo, dx, 0, 0, 0);
    for (int id : {kLocationOk, kLocationCancel, kLocationListButton}) MoveControl(form, id, 0, dy, 0, 0);
    for (int id : {kLocationGps, kLocationMap}) MoveControl(form, id, dx, dy, 0, 0);
}

// The labels, fields, popups and check box shown, or hidden with their
// places erased (the popup lists stay closed).
void ShowFieldControls(pl::Hwnd form, bool show) {
    pl::Point origin{0, 0};
    pl::ClientToScreen(form, &origin);
    for (pl::Hwnd child : pl::ChildWindows(form)) {
        int id = pl::GetDlgCtrlID(child);
        pl::Rect r;
        if (IsOneOf(id, kKeptControls) || (show && (id == kSiteList || id == kConditionList))) continue;
        bool wasShown = pl::IsWindowVisible(child);
        pl::ShowWindow(child, show ? pl::SW_SHOW : pl::SW_HIDE);
        if (!show && wasShown && pl::GetWindowRect(child, &r))
            EraseRectangle(XywhRect{r.left - origin.x, r.top - origin.y, r.Width(), r.Height()});
    }
}

void OpenLocationForm() {
    int width = 0, height = 0;
    GetScreenSize(&width, &height);
    PushFormHistory(kLocationForm);
    SetWorldMapRect(XywhRect{0, ScaleY(24), width, height - ScaleY(46)});
    locationMap.mapMode = 0;
    ShowSiteOnOpening();
}


// Ok takes the fields into the site; the coordinates only when a tap on the
// map picked a place, so that the site stays exactly as it was otherwise.
void LeaveMapView(bool takePick) {
    locationMap.mapMode = 0;
    if (takePick) {
        if (locationMap.picked) ReadSiteCoordinates();
        ApplySiteFields();
    }
    locationMap.picked = 0;
    ShowMapView();
    locationMap.mapRecentre = 1;
}

void OpenMapView() {
    locationMap.mapMode = 1;
    ShowMapView();
    if (UseForm()) ShowSiteOnWorldMap(currentSite.longitude, currentSite.latitude);
    stylus.lastX = locationMap.markX, stylus.lastY = locationMap.markY;
    SaveScreen();
}

void ChooseSavedSite(int row) {
    if (row < 0 || row > 2 || row == savedSiteIndex) return;
    ApplySiteFields();
    savedSiteIndex = row;
    SelectLocation();
}

void ChooseCondition(int row) {
    if (row < 0 || row > 4) return;
    currentSite.skyCondition = static_cast<int16_t>(row);
    if (savedSiteIndex >= 0 && savedSiteIndex <= 2)
        currentSite.savedSites[savedSiteIndex].skyCondition = currentSite.skyCondition;
}

// "DayLight" moves the site's zone by an hour; the zone field keeps standard time.
void SwitchDaylight(pl::Hwnd form) {
    int16_t on = IsCheckboxOn(form, kDaylightCheck) ? 1 : 0;
    if (on == currentSite.daylightSaving) return;
    currentSite.zoneMinutes = static_cast<int16_t>(currentSite.zoneMinutes + (on ? 60 : -60));
    currentSite.daylightSaving = on;
}

void Command(pl::Hwnd form, int id) {
    switch (id) {
    case kLocationOk:
    case pl::IDOK:
        if (locationMap.mapMode) return LeaveMapView(true);
        ApplySiteFields();
        return GoBackToPreviousForm();
    case kLocationCancel:
        if (locationMap.mapMode) return LeaveMapView(false);
        return GoBackToPreviousForm();
    case kLocationListButton:
        siteLoaded = 0;
        GotoForm(kLocationListForm);
        locationMap.mapRecentre = 1;
        return;
    case kLocationGps:
        // The fix is the site now: the site stays loaded, so that the map
        // view's Cancel shows it rather than loading the saved site again.
        GetGpsFix();
        locationMap.mapRecentre = 1;
        return;
    case kLocationMap: return OpenMapView();
    case kSiteTrigger:
    case kSiteList: return ChooseSavedSite(Get(kSiteList));
    case kConditionTrigger:
    case kConditionList: return ChooseCondition(Get(kConditionList));
    case kDaylightCheck: return SwitchDaylight(form);
    case kLocationInfo: ShowInformation(kHelpText, kHelpDetail); return;
    default: return;
    }
}

// A coordinate is taken only when its text was changed, and only that one:
// the text written from the site is rounded (to the second, or the tenth of a
// minute), so reading it back would move a site the user left as it was.
void EditField(pl::Hwnd form, int id) {
    const bool coordinate = id == kLatitudeField || id == kLongitudeField;
    const std::string before = coordinate ? pl::GetDlgItemText(form, id) : std::string();
    if (!EditLocationField(form, id)) return;
    if (!coordinate || pl::GetDlgItemText(form, id) == before) return;
    ReadSiteCoordinate(id);
    DrawSiteMark();
}

void PenDown(int x, int y) {
    if (!locationMap.mapMode) return;
    stylus = StylusTrack{x, y, x, y, false};
}

void PenMove(int x, int y) {
    if (!locationMap.mapMode) return;
    if (!stylus.dragged) {
        stylus.dragged = std::abs(x - stylus.downX) > kDragThreshold || std::abs(y - stylus.downY) > kDragThreshold;
        return;
    }
    if (!UseForm()) return;
    DragWorldMap(x - stylus.lastX, y - stylus.lastY, currentSite.longitude, currentSite.latitude);
    stylus.lastX = x, stylus.lastY = y;
    SaveScreen();
}

void PenUp(int x, int y) {
    double longitude = 0, latitude = 0;
    if (!locationMap.mapMode) {
        if (!SmallWorldMapPlace(x, y, &longitude, &latitude)) return;
        SetSiteFromMapTap(longitude, latitude);
        ShowSiteInForm();
        return;
    }
    if (stylus.dragged || !PointInRect(x, y, GetWorldMapRect()) || !UseForm()) return;
    PickOnWorldMap(x, y);
    stylus.lastX = x, stylus.lastY = y;
    SaveScreen();
}

void InitLocationForm(pl::Hwnd form) {
    locationForm = form;
    activateInfo = pl::ShActivateInfo{};
    firstPaint = 1;
    InitFormWindow(form, kInitFlags);
    InitLocationControls(form);
    LayoutLocationForm(form);
}

void CloseLocationForm(pl::Hwnd form) {
    FreeWorldMap();
    locationMap.mapMode = 0;
    locationListChoice = -1;
    siteLoaded = 0;
    SavePreferences();
    ReleaseLocationControls(form);
}

}  // namespace

void ShowMapView() {
    if (!UseForm()) return;
    ShowFieldControls(locationForm, locationMap.mapMode == 0);
    EraseWindowBelowTitle(locationForm);
    if (locationMap.mapMode)
        DrawWorldMap(GetWorldMapRect(), currentSite.longitude, currentSite.latitude);
    else if (siteLoaded == 0)
        SelectLocation();
    else
        ShowSiteInForm();
    SaveScreen();
}

pl::LResult LocationFormProc(pl::Hwnd form, uint32_t message, pl::WParam wParam, pl::LParam lParam) {
    switch (message) {
    case pl::WM_INITDIALOG: InitLocationForm(form); return 1;
    case pl::WM_PAINT: PaintForm(form, OpenLocationForm, &firstPaint, 0, 1); return 1;
    case pl::WM_ERASEBKGND: return 1;
    case kMsgEditField: EditField(form, static_cast<int>(wParam)); return 1;
    case pl::WM_COMMAND: {
        int id = pl::LoWord(wParam), list = pl::HiWord(wParam);
        if (id == kCmdCloseForm) {
            CloseLocationForm(form);
            DestroyCurrentForm();
            locationForm = nullptr;
            return 1;
        }
        Command(form, list != 0 ? list : id);
        return 1;
    }
    case pl::WM_CLOSE: CloseLocationForm(form); return 0;
    case pl::WM_ACTIVATE: HandleFormActivate(form, wParam, lParam, &activateInfo, 0); return 1;
    case pl::WM_SETTINGCHANGE: HandleFormSettingChange(form, wParam, lParam, &activateInfo); return 1;
    case pl::WM_LBUTTONDOWN: PenDown(pl::PointX(lParam), pl::PointY(lParam)); return 1;
    case pl::WM_MOUSEMOVE:
        if (wParam & pl::MK_LBUTTON) PenMove(pl::PointX(lParam), pl::PointY(lParam));
        return 1;
    case pl::WM_LBUTTONUP: PenUp(pl::PointX(lParam), pl::PointY(lParam)); return 1;
    default: return 0;
    }
}
