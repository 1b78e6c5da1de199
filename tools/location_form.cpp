#include "tools/location_form.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <iterator>

#include "catalog/databases.h"
#include "chart/chart_clock.h"
#include "chart/sky_rotation.h"
#include "core/angle_text.h"
#include "core/preferences_file.h"
#include "core/program_hooks.h"
#include "core/shared_state.h"
#include "core/text_numbers.h"
#include "tools/observer_site.h"
#include "ui/control_access.h"
#include "ui/control_registry.h"
#include "ui/current_form.h"
#include "ui/form_controls.h"
#include "ui/popup_list.h"
#include "ui/simple_controls.h"
#include "ui/text_input_dialog.h"
#include "ui/title_control.h"

int siteLoaded = 0;

namespace {

constexpr int kInfoBitmap = 5076;
constexpr pl::ColorRef kInfoKey = 0x00FF00;
constexpr int kCoordinateChars = 12;  // written
constexpr int kLatitudeChars = 10;    // read back
constexpr int kLongitudeChars = 11;
constexpr int kSiteNameChars = 11;

constexpr const char* kSiteRows[] = {"Site1", "Site2", "Site3"};
constexpr const char* kConditionRows[] = {"Bright town", "Town", "Bright country", "Country", "Desert/Mountain"};

// The tap-to-edit fields with the title and length of their text input.
struct FieldInput {
    int id;
    const char* title;
    int length;
};
constexpr FieldInput kFieldInputs[] = {
    {kSiteNameField, "Location:", 12}, {kLatitudeField, "Latitude:", 12},  {kLongitudeField, "Longitude:", 12},
    {kElevationField, "Height:", 6},   {kZoneField, "GMT (mn):", 5},       {kTemperatureField, "T\xB0 (C\xB0):", 4},
    {kPressureField, "P (mbar):", 5},  {kHumidityField, "Humidity (%):", 4},
};

// A number field of the site: the characters read and the valid range.
struct NumberField {
    int id;
    int characters;
    int16_t SiteRecord::*value;
    int low;
    int high;
};
constexpr NumberField kNumberFields[] = {
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

// DegToStr of |value| and its hemisphere letter, cut to 12 characters.
void ShowCoordinate(int id, double value, char positive, char negative) {
    char degrees[32], text[48];
    DegToStr(degrees, sizeof degrees, std::fabs(value));
    std::snprintf(text, sizeof text, "%s %c", degrees, value >= 0 ? positive : negative);
    text[kCoordinateChars] = '\0';
    SetField(id, text);
}

// A coordinate field in any text form; a last letter `negative` (either case)
// negates it.
double ReadCoordinate(int id, int characters, char negative) {
    char text[16] = {};
    ReadField(id, characters, text);
    double value = ParseSignedValue(text);
    std::size_t n = std::strlen(text);
    if (n > 0 && std::toupper(static_cast<unsigned char>(text[n - 1])) == negative) value = -value;
    return value;
}

// A number field into the site; an invalid one is emptied and not taken.
bool TakeNumberField(const NumberField& f) {
    char text[8] = {};
    ReadField(f.id, f.characters, text);
    int value = ParseInt(text);
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
    for (const FieldInput& f : kFieldInputs) InitTextField(form, f.id, 0);
}

void ReleaseLocationControls(pl::Hwnd form) {
    for (int id : {kLocationTitle, kLocationInfo, kSiteTrigger, kConditionTrigger}) ReleaseControl(form, id);
    for (const FieldInput& f : kFieldInputs) ReleaseControl(form, f.id);
}

bool EditLocationField(pl::Hwnd form, int fieldId) {
    for (const FieldInput& f : kFieldInputs) {
        if (f.id != fieldId) continue;
        RunTextInputDialog(form, f.id, f.title, f.length);
        return true;
    }
    return false;
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

void ShowSiteInForm() {
    const SiteRecord& site = currentSite;
    SetCheckbox(GetCurrentFormWindow(), kDaylightCheck, site.daylightSaving == 1);
    SetPopupList(kConditionTrigger, kConditionList, site.skyCondition);
    char name[kSiteNameChars + 1] = {};
    std::memcpy(name, site.name, kSiteNameChars);
    SetField(kSiteNameField, name);
    ShowCoordinate(kLatitudeField, site.latitude, 'N', 'S');
    ShowCoordinate(kLongitudeField, site.longitude, 'W', 'E');
    ReadSiteCoordinates();
    SetNumber(kElevationField, site.elevation);
    SetNumber(kZoneField, site.zoneMinutes - (site.daylightSaving == 1 ? 60 : 0));
    SetNumber(kTemperatureField, site.temperature);
    SetNumber(kPressureField, site.pressure);
    SetNumber(kHumidityField, site.humidity);
}

void ReadSiteCoordinates() {
    double latitude = ReadCoordinate(kLatitudeField, kLatitudeChars, 'S');
    double longitude = ReadCoordinate(kLongitudeField, kLongitudeChars, 'E');
    // A value beyond the pole or the date line is no place: the site keeps its own.
    if (std::fabs(latitude) <= 90.0) SetSiteLatitude(currentSite, latitude);
    if (std::fabs(longitude) <= 180.0) currentSite.longitude = static_cast<float>(longitude);
}

bool ApplySiteFields() {
    bool valid = true;
    for (const NumberField& f : kNumberFields) valid = TakeNumberField(f) && valid;
    TakeConditionAndName();
    if (!valid) return false;
    StoreSavedSite(savedSiteIndex);
    RefreshChartForSite();
    SavePreferences();
    return true;
}
