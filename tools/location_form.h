// The location form (1200): its controls, how it shows the site, and the site
// operations that read its fields. The controls are addressed on the active
// form (GetCurrentFormWindow), as the form layer's field routines do.
#pragma once

#include <cstdint>

#include "platform/types.h"

constexpr int kLocationForm = 1200;
constexpr int kLocationTitle = 8002;
constexpr int kSiteTrigger = 1217;
constexpr int kSiteList = 1218;
constexpr int kSiteNameField = 1219;
constexpr int kLocationInfo = 1220;
constexpr int kLatitudeField = 1201;
constexpr int kLongitudeField = 1202;
constexpr int kConditionTrigger = 1215;
constexpr int kConditionList = 1216;
constexpr int kElevationField = 1203;
constexpr int kZoneField = 1204;
constexpr int kDaylightCheck = 1222;
constexpr int kTemperatureField = 1205;
constexpr int kPressureField = 1206;
constexpr int kHumidityField = 1207;
constexpr int kLocationOk = 1210;
constexpr int kLocationCancel = 1223;
constexpr int kLocationListButton = 1211;
constexpr int kLocationGps = 1212;
constexpr int kLocationMap = 1224;

// The form has loaded a site since it opened (set by SelectLocation).
extern int siteLoaded;

// The form's dialog procedure: the fields of the site with the small world
// map above them, or the large world map in their place (map view); the
// saved-site and condition popups, "DayLight", "Ok", "Cancel", "List" (the
// location list, form 1600), "GPS" and "Map"; stylus taps and drags on the
// maps. Closing frees the map, drops the list choice and saves the
// preferences.
pl::LResult LocationFormProc(pl::Hwnd form, uint32_t message, pl::WParam wParam, pl::LParam lParam);

// The GPS button: one position from the receiver on the GPS port into the
// latitude and longitude fields and the site, then the preferences saved.
// Nothing changes without a position.
void GetGpsFix();

// Shows mapMode: the large map in place of the fields, or the fields again
// with the site (loaded anew when no site is loaded).
void ShowMapView();

// The form's controls: the title, the information button, the site and
// condition popups with their rows, and the text fields.
void InitLocationControls(pl::Hwnd form);
// Releases what InitLocationControls registered.
void ReleaseLocationControls(pl::Hwnd form);

// Runs the text input of a field of the form with its title and length
// ("Latitude:" 12, "GMT (mn):" 5, ...); false for any other control.
bool EditLocationField(pl::Hwnd form, int fieldId);

// What the form shows when it opens: the place chosen in the location list
// (through SelectLocation) when there is one; otherwise the site as it is,
// unchanged to the bit, under the saved site that holds it (saved site 0
// when none does, for the first selection of a run).
void ShowSiteOnOpening();

// Loads the site chosen in the location list (locationListChoice), else the
// saved site savedSiteIndex, and shows it in the form. The first selection of
// a run picks the saved site that holds the site; when none does, saved site 0
// is taken on a first start, while a site kept from an earlier run stays.
void SelectLocation();

// Writes the site into the controls: daylight saving, condition, name, the
// coordinates with their hemisphere letters (with the site's mark on the
// small world map; the site keeps its own values, the texts are read only
// when the user types them), elevation, the zone of standard time,
// temperature, pressure and humidity.
void ShowSiteInForm();

// Writes a coordinate field as the form shows it: the degrees of |value| in
// the "Dec Format", a blank and `positive` (value 0 or more) or `negative`,
// cut to 12 characters; never a sign, so that a typed reading of the text
// takes it back.
void ShowCoordinate(int id, double value, char positive, char negative);

// Takes the latitude and longitude fields into the site as their inputs take
// them (every form of the number fields' Latitude and Longitude, a last "S"
// or "E" negating the value); a field whose text its input refuses leaves its
// coordinate as it was. On the open form's field view it draws the site's
// mark on the small world map.
void ReadSiteCoordinates();

// Takes the elevation, zone, temperature, pressure, humidity, condition and
// name of the form into the site. A field out of its range is emptied and its
// value not taken (an invalid elevation becomes 0). When every value is valid
// the site is stored into saved site savedSiteIndex, the chart's clock,
// horizon positions and sky rotation are refreshed, the preferences are saved
// and the result is true.
bool ApplySiteFields();
