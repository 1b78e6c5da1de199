#include <cstdio>
#include <cstring>
#include <limits>

#include "assistants/assistant_colors.h"
#include "assistants/mars_map_view.h"
#include "assistants/mars_view.h"
#include "assistants/moon_events_view.h"
#include "assistants/planet_detail_form.h"
#include "assistants/planet_detail_mode.h"
#include "assistants/planet_strip_view.h"
#include "assistants/planet_strips.h"
#include "assistants/red_spot_view.h"
#include "catalog/mars_features.h"
#include "core/date_text.h"
#include "core/preferences.h"
#include "core/shared_state.h"
#include "ui/colors.h"
#include "ui/control_access.h"
#include "ui/draw_window.h"
#include "ui/font_set.h"
#include "ui/forms.h"
#include "ui/input_polling.h"
#include "ui/popup_list.h"
#include "ui/primitives.h"
#include "ui/text_drawing.h"

namespace {

enum ControlId {
    kOrientationTrigger = 2406, kOrientationList = 2407, kZoomTrigger = 2463, kZoomList = 2464,
    kFilterTrigger = 2381, kFilterList = 2382, kAdjustButton = 2468, kTypeTrigger = 2518, kTypeList = 2519,
    kFeatureTrigger = 2515, kFeatureList = 2516, kFeatureInfoButton = 2408, kNowButton = 2458,
    kViewTrigger = 2466, kViewList = 2467,
};

// The controls a view may show, and which of them each view shows.
enum Shown : unsigned {
    kZoom = 1, kOrientation = 2, kDate = 4, kTime = 8, kNow = 16, kAdjust = 32, kFilter = 64, kMarsType = 128,
    kFeatures = 256,
};
constexpr unsigned kSatellitesControls = kZoom | kOrientation | kDate | kTime | kNow;
constexpr unsigned kViewControls[4][4] = {
    {kSatellitesControls, kDate | kNow | kAdjust, kDate | kNow, 0},
    {kSatellitesControls, kZoom | kOrientation | kDate | kNow, kFilter | kDate | kNow, 0},
    {kSatellitesControls, kOrientation | kDate | kTime | kNow, kMarsType | kFeatures, kZoom | kDate | kNow},
    {kZoom | kDate | kNow, kZoom | kDate | kNow, kZoom | kDate | kNow, 0},
};
struct Toggled {
    unsigned flag;
    int id;
};
constexpr Toggled kToggled[] = {
    {kZoom, kZoomTrigger}, {kOrientation, kOrientationTrigger}, {kDate, kPlanetDateField},
    {kTime, kPlanetTimeField}, {kNow, kNowButton}, {kAdjust, kAdjustButton}, {kFilter, kFilterTrigger},
    {kMarsType, kTypeTrigger}, {kFeatures, kFeatureTrigger}, {kFeatures, kFeatureInfoButton},
};

struct Help {
    const char* text;
    const char* detail;
};
#define B "\x95 "
constexpr Help kSatellitesHelp[3] = {
    {B "Displays the relative positions of the Galilean satellites as seen from Earth.",
     B "Jupiter is represented by the blue, vertical stripe. Moves your stylus along it or use Up and Down Keys to "
       "animate the image."},
    {B "Displays the relative positions of the major Saturn satellites as seen from Earth.",
     B "Saturn is represented by the blue, vertical stripe. Moves your stylus along it or use Up and Down Keys to "
       "animate the image."},
    {B "Displays the relative positions of the major Mars satellites as seen from Earth.",
     B "Mars is represented by the blue, vertical stripe. Moves your stylus along it or use Up and Down Keys to "
       "animate the image."},
};
constexpr Help kOtherHelp[][3] = {
    {{nullptr, nullptr},
     {B "Displays red spot (GRS) transit time (local time). Time in red means that GRS is visible. If not an icon "
        "indicates the reason (sun, jupiter not visible).",
      B "Adjust lets you compute GRS longitude."},
     {B "Calculates the Galilean satellites' eclipses by and transits across Jupiter's disk for the given day.",
      B "Taps on GuideBars to get rise, transit, and set times for each.\n" B "Taps on the date to select a "
        "different one."}},
    {{nullptr, nullptr},
     {B "Displays the relatives position of Saturn rings as seen from Earth.",
      B "Saturn is represented by the blue, vertical stripe. Moves your stylus along it to animate the image."},
     {B "Calculates the Saturn's satellites eclipses by and transits across Saturn's disk for the given day.",
      B "Selects one satellite to filter the events accordingly or display them all.\n" B "Taps on the date to "
        "select a different one."}},
    {{nullptr, nullptr},
     {B "Displays a view of Mars as seen from earth.\n" B "Taps on Mars regions to get their names.",
      B " Taps on clock icon to refresh the screen.\n" B "Press Up and Down keys to change hours."},
     {B "Displays the map of Mars.\n" B "Selects a name in the popup list to see its location.",
      B "Uses filter to reduce the list.\n" B "Taps on Mars Map to get features names."}},
};
constexpr Help kMarsSizeHelp = {
    B "Displays Mars size and orientation among the years.",
    B "The wider the curves is the bigger the apparent diameter of Mars is. Moves your stylus along it or uses Up "
      "and Down Keys to animate the image."};
constexpr Help kPhaseHelp = {
    B "Displays Phase of Mercury, Venus and Mars among the years.",
    B "Blue lines represent the phase and red lines the apparent diameter.\n" B "Moves your stylus along it or use "
      "Up and Down Keys to animate the image."};
#undef B

constexpr const char* kTitles[4] = {"JupiterAssistant", "SaturnAssistant", "MarsAssistant", "PhaseAssistant"};

unsigned ControlsOf(int mode, int view) {
    return mode >= 0 && mode < 4 && view >= 0 && view < 4 ? kViewControls[mode][view] : 0;
}

void ShowControls(unsigned shown) {
    pl::Hwnd form = GetCurrentFormDialog();
    for (const Toggled& t : kToggled) Show(form, t.id, (shown & t.flag) != 0);
}

// The first drawing after start: the date and time of the chart or the device.
void TakeFirstDate() {
    PlanetDetailDate& d = planetDetailDate;
    if (preferences.word[kPrefTimeUpdate] != 0) {
        const DateTime& t = currentDateTime;
        d = PlanetDetailDate{t.year, t.month, t.day, t.hour, t.minute};
    } else {
        int second = 0;
        GetLocalDateTime(&d.year, &d.month, &d.day, &d.hour, &d.minute, &second);
    }
    planetDetailForm.firstOpen = 0;
}

void WriteDateFields() {
    char text[16];
    FormatDate(text, sizeof text, planetDetailDate.day, planetDetailDate.month, planetDetailDate.year);
    SetField(kPlanetDateField, text);
    std::snprintf(text, sizeof text, "%02d:%02d", planetDetailDate.hour, planetDetailDate.minute);
    SetField(kPlanetTimeField, text);
}

void SetPopups() {
    SetPopupList(kViewTrigger, kViewList, planetDetailView);
    SetPopupList(kZoomTrigger, kZoomList, planetDetailZoom);
    SetPopupList(kOrientationTrigger, kOrientationList, planetDetailOrientation);
    if (planetDetailMode == kSaturnMode) SetPopupList(kFilterTrigger, kFilterList, planetDetailForm.saturnFilter);
    if (planetDetailMode == kMarsMode) SetPopupList(kTypeTrigger, kTypeList, planetDetailForm.marsTypeRow);
}

void DrawMarsGlobe() {
    const XywhRect r = PlanetDetailViewRect();
    const PlanetDetailDate& d = planetDetailDate;
    DrawMarsView(r.x, r.y, r.width, r.height, d.year, d.month, d.day, d.hour, d.minute, moonColors,
                 planetDetailOrientation);
}

void DrawView() {
    const int mode = planetDetailMode, view = planetDetailView;
    if (IsStripView(mode, view)) {
        DrawPlanetTimeStrip();
    } else if (mode == kMarsMode) {
        if (view == kMarsGlobeView) DrawMarsGlobe();
        else DrawMarsMapView();
    } else if (view == kEventsView) {
        SearchMoonEvents();
    } else {
        DrawRedSpotTransits();
    }
}

}  // namespace

XywhRect PlanetDetailViewRect() {
    int width = 0, height = 0;
    GetScreenSize(&width, &height);
    return XywhRect{0, ScaleY(24), width, height - ScaleY(22) - ScaleY(24)};
}

void DrawPlanetDetailForm() {
    if (planetDetailForm.firstOpen) {
        InitAssistantColors();
        TakeFirstDate();
    }
    WriteDateFields();
    const int mode = planetDetailMode, view = planetDetailView;
    ShowControls(ControlsOf(mode, view));
    SetPopups();
    if (IsStripView(mode, view) || mode == kMarsMode) keepDrawing = 1;
    DrawView();
}

void DrawMarsMapView() {
    const XywhRect rect = PlanetDetailViewRect();
    PlanetDetailFormState& s = planetDetailForm;
    DrawMarsMap(6012, rect, &s.mapOriginX, &s.mapOriginY);
    DrawMarsMapLabels(rect, s.mapOriginX, s.mapOriginY);
    MarsFeatureRecord f;
    if (s.selectedMarsFeature >= 0 && GetMarsRecord(s.selectedMarsFeature, &f))
        DrawMarsFeatureCallout(f, s.mapOriginX, s.mapOriginY, rect);
}

int PickMarsMapFeature(int x, int y) {
    PlanetDetailFormState& s = planetDetailForm;
    const XywhRect rect = PlanetDetailViewRect();
    if (s.mapDragging || !PointInRect(x, y, rect)) return 0;
    const int scale = static_cast<int>(displayScale.scaleY);
    const int mapWidth = static_cast<int>(640 * displayScale.scaleY);
    int dx = x - s.mapOriginX;
    if (dx < 0) dx += mapWidth;
    if (dx > mapWidth) dx -= mapWidth;
    const long long mapX = dx / scale, mapY = (y - s.mapOriginY - ScaleY(24)) / scale;
    long long best = 3000000;
    int nearest = -1;
    for (int i = 0, n = GetMarsRecordCount(); i < n; ++i) {
        MarsFeatureRecord f;
        if (!GetMarsRecord(i, &f)) continue;
        const long long ex = f.mapX - mapX, ey = f.mapY - mapY, d = ex * ex + ey * ey;
        if (d < best) best = d, nearest = i;
    }
    if (nearest < 0) return 0;
    s.selectedMarsFeature = nearest;
    MarsFeatureRecord f;
    if (GetMarsRecord(nearest, &f)) SetPopupLabel(kFeatureTrigger, f.name);
    DrawMarsMapView();
    return 1;
}

void PlanetDetailHelp(int mode, int view, std::string* text, std::string* detail) {
    Help help = kPhaseHelp;
    if (mode >= 0 && mode < 3 && view == kSatellitesView) help = kSatellitesHelp[mode];
    else if (mode == kMarsMode && view == kMarsSizeView) help = kMarsSizeHelp;
    else if (mode >= 0 && mode < 3 && view > 0 && view < 3) help = kOtherHelp[mode][view];
    *text = help.text;
    *detail = help.detail;
}

const char* PlanetDetailTitle(int mode) { return kTitles[mode >= 0 && mode < 4 ? mode : 0]; }
