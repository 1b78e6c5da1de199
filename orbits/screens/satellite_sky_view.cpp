// The Sky View: 39 places of the satellite at equal steps of time, labelled
// with their local day and time, and the Moon, on the sky chart's sphere
// picture of the horizontal frame; panned by dragging, identified by tapping,
// zoomed with the field-of-view popup.
#include <cmath>
#include <cstdio>
#include <cstring>

#include "catalog/selection_list.h"
#include "catalog/stellar_catalog.h"
#include "chart/chart_views.h"
#include "chart/object_label_popup.h"
#include "chart/sky_map.h"
#include "chart/sky_rotation.h"
#include "chart/sphere_projection.h"
#include "core/julian_day.h"
#include "core/preferences.h"
#include "core/services.h"
#include "core/shared_state.h"
#include "ephemeris/body_positions.h"
#include "objects/selection_search.h"
#include "orbits/satellite_geometry.h"
#include "orbits/screens/satellite_form_parts.h"
#include "orbits/screens/satellite_view_geometry.h"
#include "ui/control_access.h"
#include "ui/input_polling.h"
#include "ui/popup_list.h"
#include "ui/primitives.h"
#include "ui/saved_screen.h"

namespace {

constexpr int kTrackPoints = 39;
constexpr int kMiddlePoint = 20;
constexpr int kMoonBody = 1;
constexpr int kTypePlanet = 27;
constexpr int kTypeSatellite = 15;
constexpr double kHoursToFix24 = 4392264.877774095;
constexpr double kDegreesToFix24 = 292817.65851827303;
constexpr double kUnit24 = 1.0 / 16777216.0;
constexpr double kDegreesPerRadian = 57.29577951308232;

// The record drawn last, which a new field of view draws again.
int skyIndex = -1;

// The form's date and time become the local time of `jd` (universal time).
void SetFormTimeFromJd(double jd) {
    SatelliteFormState& s = satelliteFormState;
    JDToCalendar(jd + currentSite.zoneMinutes / 1440.0, &s.year, &s.month, &s.day, &s.hour, &s.minute, &s.second);
}

void SelectCardCatalog(int zoom) {
    if (preferences.word[kPrefCardCatalog] != 0) SelectStellarCatalog(zoom);
}

// The sky map takes J2000 places; the Moon's and the satellite's are of date
// (the satellite's in the frame of its element set, true equator of date),
// so each is turned back by `toDate`, the J2000-to-date rotation of the start.
void MakeMoonEntry(SelectionEntry* e, const double* toDate, int year, int month, int day, int hour, int minute,
                   int second) {
    int32_t& mode = preferences.word[kPrefPositionMode];
    const int32_t saved = mode;
    mode = 2;
    BodyPosition moon{};
    ComputeBody(&moon, kMoonBody, year, month, day, hour, minute, second);
    mode = saved;
    std::snprintf(e->name, sizeof e->name, "Moon");
    e->number = 1;
    e->sourceIndex = 1;
    e->objectType = kTypePlanet;
    e->rightAscension = static_cast<float>(moon.ra);
    e->declination = static_cast<float>(moon.dec);
    DateToJ2000(toDate, &e->rightAscension, &e->declination);
    e->size1 = e->size2 = static_cast<int16_t>(std::isfinite(moon.apparentDiameter) ? moon.apparentDiameter : 0.0);
}

// Entries 0 (the Moon) and 1..39 (the satellite from the form's time on);
// a place that is not a number is left out, and a damaged record is placed
// nowhere. Returns the entries made.
int BuildSkyObjects(int index, int trackSpan) {
    SatelliteFormState& s = satelliteFormState;
    std::memset(s.skyObjects, 0, sizeof(SelectionEntry) * kSatelliteSkyObjectCount);
    int year = s.year, month = s.month, day = s.day, hour = s.hour, minute = s.minute, second = s.second;
    double jd = SatelliteFormJulianDay(), toDate[9];
    ComputeJ2000ToDateMatrix(jd, toDate);
    MakeMoonEntry(&s.skyObjects[0], toDate, year, month, day, hour, minute, second);
    if (!ComputeFormSatellitePosition() && FormRecordIsDamaged()) return 1;
    const int span = SkyTrackSpanMinutes(Get(kSatStepList), trackSpan, s.elements->period);
    const double step = span / 1440.0 / kTrackPoints;
    int count = 1;
    for (int point = 1; point <= kTrackPoints; ++point) {
        StepBusyIndicator(1);
        ComputeSatellitePosition(year, month, day, hour, minute, second, s.elements);
        const SatelliteElements& el = *s.elements;
        if (std::isfinite(el.rightAscension) && std::isfinite(el.declination)) {
            SelectionEntry& e = s.skyObjects[count++];
            std::snprintf(e.name, sizeof e.name, "%d %02d:%02d:%02d", day, hour, minute, second);
            e.number = index;
            e.sourceIndex = static_cast<uint16_t>(index);
            e.objectType = kTypeSatellite;
            e.rightAscension = static_cast<float>(el.rightAscension);
            e.declination = static_cast<float>(el.declination);
            DateToJ2000(toDate, &e.rightAscension, &e.declination);
        }
        jd += step;
        JDToCalendar(jd + currentSite.zoneMinutes / 1440.0, &year, &month, &day, &hour, &minute, &second);
    }
    EndBusyIndicator(0);
    return count;
}

// The chart frame's direction of a place: frame angle and elevation, degrees.
void ChartDirection(Fix24Angle ra, Fix24Angle dec, float* angle, float* elevation) {
    int32_t p = 0, q = 0, z = 0;
    ProjectRaDecToChart(ra, dec, &p, &q, &z);
    const double sine = std::fmax(-1.0, std::fmin(1.0, z * kUnit24));
    *angle = static_cast<float>(std::atan2(p * kUnit24, q * kUnit24) * kDegreesPerRadian);
    *elevation = static_cast<float>(std::asin(sine) * kDegreesPerRadian);
}

void CentreOnMiddle() {
    SatelliteFormState& s = satelliteFormState;
    const int middle = s.skyObjectCount > kMiddlePoint ? kMiddlePoint : s.skyObjectCount - 1;
    const SelectionEntry& e = s.skyObjects[middle];
    ChartDirection(static_cast<Fix24Angle>(e.rightAscension * kHoursToFix24),
                   static_cast<Fix24Angle>(e.declination * kDegreesToFix24), &s.viewCentreAzimuth,
                   &s.viewCentreAltitude);
}

XywhRect DrawRect() {
    const SatelliteFormState& s = satelliteFormState;
    return {s.drawRect.x, s.drawRect.y, s.drawRect.w, s.drawRect.h};
}

void DrawSky(int full) {
    SatelliteFormState& s = satelliteFormState;
    FilterSelectionByClass(0, s.skyObjects, s.skyObjectCount);
    DrawSkyMap(s.skyObjects, s.skyObjectCount, DrawRect(), SatelliteOffscreen(), s.fovIndex, s.viewCentreAzimuth,
               s.viewCentreAltitude, full);
}

void WrapCentre() {
    SatelliteFormState& s = satelliteFormState;
    if (s.viewCentreAzimuth >= 360.0f) s.viewCentreAzimuth -= 360.0f;
    if (s.viewCentreAzimuth < 0.0f) s.viewCentreAzimuth += 360.0f;
    s.viewCentreAltitude = std::fmax(-90.0f, std::fmin(90.0f, s.viewCentreAltitude));
}

}  // namespace

void DrawSatelliteSkyView(int index, double startJd, int trackSpan) {
    SatelliteFormState& s = satelliteFormState;
    s.view = kSatelliteViewSky;
    skyIndex = index;
    ShowSatelliteControls({kSatExport, kSatImport, kSatElevationTrigger, kSatModeTrigger, kSatShowInSky,
                           kSatResultList, kSatLine1Field, kSatLine2Field},
                          {kSatStepTrigger, kSatNameTrigger, kSatNowButton, kSatDateField, kSatTimeField,
                           kSatFovTrigger});
    SetPopupList(kSatViewTrigger, kSatViewList, kSatelliteViewSky);
    SetPopupList(kSatFovTrigger, kSatFovList, s.fovIndex);
    SetFormTimeFromJd(startJd);
    WriteSatelliteDateTimeFields();
    SelectCardCatalog(s.fovIndex);
    ComputeSelectionSkyState();
    if (!s.record || !s.skyObjects || index < 0 || !GetSatelliteRecord(index, s.record)) return;
    char name[72];
    SatelliteNameLine(name);
    SetPopupLabel(kSatNameTrigger, name);
    const int top = ScaleY(22 + 24);
    s.drawRect = {0, top, s.screenWidth, s.screenHeight - ScaleY(22) - top};
    if (s.skyObjectCount == 0) {
        EraseRectangle(DrawRect());
        s.skyObjectCount = BuildSkyObjects(index, trackSpan);
        s.viewCentreAzimuth = s.viewCentreAltitude = 0.0f;
    }
    SetChartView(1, s.year, s.month, s.day, s.hour, s.minute, s.second, 0);
    ProjectObjectList(s.skyObjects, s.skyObjectCount);
    if (s.viewCentreAzimuth == 0.0f && s.viewCentreAltitude == 0.0f) CentreOnMiddle();
    DrawSky(1);
    s.drawCentreX = s.drawRect.x + s.drawRect.w / 2;
    s.drawCentreY = s.drawRect.y + s.drawRect.h / 2;
}

void SkyViewPenDown(int x, int y) {
    SatelliteFormState& s = satelliteFormState;
    const XywhRect r = DrawRect();
    if (x >= r.x && x < r.x + r.width && y >= r.y && y < r.y + r.height) {
        s.drawCentreX = r.x + r.width / 2;
        s.drawCentreY = r.y + r.height / 2;
    }
}

int SkyViewPenMove(int x, int y) {
    SatelliteFormState& s = satelliteFormState;
    if (s.skyObjectCount <= 0) return 0;
    if (std::abs(x - s.lastPenX) < ScaleX(4) && std::abs(y - s.lastPenY) < ScaleY(4)) return 0;
    const float fov = GetZoomFovForIndex(static_cast<unsigned>(s.fovIndex));
    const double kx = fov / (120.0 * displayScale.scaleX), ky = fov / (120.0 * displayScale.scaleY);
    for (int down = 1; down;) {
        s.viewCentreAzimuth += static_cast<float>((x - s.lastPenX) * kx);
        s.viewCentreAltitude += static_cast<float>((y - s.lastPenY) * ky);
        WrapCentre();
        UseSatelliteForm();
        DrawSky(0);
        s.lastPenX = x, s.lastPenY = y;
        GetPenState(&x, &y, &down);
    }
    FlushPenEvents();
    UseSatelliteForm();
    DrawSky(1);
    s.dragging = 1;
    SaveScreen();
    return 1;
}

int SkyViewPenUp(int x, int y) {
    SatelliteFormState& s = satelliteFormState;
    if (s.dragging) {
        s.dragging = 0;
        return 0;
    }
    const int shown = s.skyObjectCount > 0 ? ShowObjectLabelPopup(s.skyObjects, s.skyObjectCount, DrawRect(), x, y) : 0;
    s.lastPenX = x, s.lastPenY = y;
    return shown;
}

void ChooseSkyFieldOfView(int row) {
    SatelliteFormState& s = satelliteFormState;
    if (row < 0 || row == s.fovIndex) return;
    Fix24Angle ra = 0, dec = 0;
    if (s.skyObjectCount > 0 && SkyMapPointToRaDec(s.drawCentreX, s.drawCentreY, &ra, &dec)) {
        ChartDirection(ra, dec, &s.viewCentreAzimuth, &s.viewCentreAltitude);
        if (s.viewCentreAzimuth < 0.0f) s.viewCentreAzimuth += 360.0f;
    }
    s.fovIndex = row;
    SelectCardCatalog(row);
    SetPopupList(kSatFovTrigger, kSatFovList, row);
    DrawSatelliteSkyView(skyIndex >= 0 ? skyIndex : s.satelliteIndex, s.startJd, s.trackSpan);
    const XywhRect r = DrawRect();
    s.drawCentreX = r.x + r.width / 2;
    s.drawCentreY = r.y + r.height / 2;
}
