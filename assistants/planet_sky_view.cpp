#include "assistants/planet_sky_view.h"

#include <cmath>
#include <cstdio>
#include <cstring>

#include "catalog/selection_list.h"
#include "catalog/stellar_catalog.h"
#include "chart/chart_views.h"
#include "chart/sky_map.h"
#include "chart/sky_rotation.h"
#include "chart/sphere_projection.h"
#include "core/constellation.h"
#include "core/date_text.h"
#include "core/julian_day.h"
#include "core/preferences.h"
#include "core/services.h"
#include "core/shared_state.h"
#include "ephemeris/approx_planets.h"
#include "ephemeris/planet_names.h"
#include "objects/selection_search.h"
#include "ui/draw_window.h"
#include "ui/popup_list.h"
#include "ui/primitives.h"
#include "ui/screen_layout.h"

namespace {

constexpr int kStepDays[] = {1, 2, 5, 7, 10, 14, 30, 60, 90};
constexpr int kTrackPoints = 10;
constexpr int kPresentPlaces = 7;  // Mercury .. Neptune
constexpr int kMercury = 2, kNeptune = 8;
constexpr int16_t kTypePlanet = 27;
constexpr double kFixPerHour = 4392264.877774095;
constexpr double kFixPerDegree = 292817.65851827303;
constexpr double kUnit = 16777216.0;
constexpr double kRadToDeg = 57.29577951308232;
constexpr double kJ2000 = 2451545.0;

struct Group {
    int count;
    int bodies[5];
};
constexpr Group kInner{3, {2, 3, 4}}, kMiddle{3, {4, 5, 6}}, kOuter{5, {5, 6, 7, 8, 9}};

const Group& GroupOfStep(int step) { return step <= 2 ? kInner : step <= 5 ? kMiddle : kOuter; }

void MakeEntry(SelectionEntry* e, int body, const float* place, const char* name) {
    std::snprintf(e->name, sizeof e->name, "%.*s", static_cast<int>(sizeof e->name - 1), name);
    e->number = body;
    e->sourceIndex = static_cast<uint16_t>(body);
    e->source = kSourcePlanet;
    e->objectType = kTypePlanet;
    // Pluto outside its series' years: an entry the map leaves out.
    e->placeUnknown = std::isfinite(place[2 * body]) ? 0 : 1;
    if (e->placeUnknown != 0) return;
    e->rightAscension = place[2 * body];
    e->declination = place[2 * body + 1];
    e->constellation = static_cast<int16_t>(FindConstellation(e->rightAscension, e->declination, kJ2000));
}

XywhRect SkyArea() {
    const int top = ScaleY(24);
    return XywhRect{0, top, formWidth, formHeight - ScaleY(22) - top};
}

void CentreOnMercury() {
    const SelectionEntry& mercury = skyObjects[0];
    PlanetSkyDirection(static_cast<int32_t>(mercury.rightAscension * kFixPerHour),
                       static_cast<int32_t>(mercury.declination * kFixPerDegree), &skyViewCentre[0], &skyViewCentre[1]);
}

void SelectCatalogForZoom() {
    if (preferences.word[kPrefCardCatalog] != 0) SelectStellarCatalog(skyViewZoom);
}

}  // namespace

int SkyViewStepDays(int step) { return step >= 0 && step < 9 ? kStepDays[step] : 1; }

int BuildPlanetSkyObjects(const AssistantDate& date, int step, SelectionEntry* table) {
    std::memset(static_cast<void*>(table), 0, sizeof(SelectionEntry) * kSkyObjectCapacity);
    float view[kApproxPlanetViewSize] = {}, place[kApproxPlanetPlaceSize] = {};
    int year = date.year, month = date.month, day = date.day;
    ComputeApproxPlanet(year, month, day, 0, 0, view, place, -1, kMercury, kNeptune);
    char name[32];
    for (int b = kMercury; b <= kNeptune; ++b) {
        std::snprintf(name, sizeof name, "%s %02d/%02d", planetNameTable[b], month, day);
        MakeEntry(&table[b - kMercury], b, place, name);
    }
    const Group& group = GroupOfStep(step);
    for (int s = 0; s < kTrackPoints; ++s) {
        AddDaysToDate(&year, &month, &day, SkyViewStepDays(step));
        StepBusyIndicator(1);
        char shortDate[16];
        FormatDate(shortDate, sizeof shortDate, day, month, year);
        shortDate[5] = '\0';
        ComputeApproxPlanet(year, month, day, 0, 0, view, place, -1, group.bodies[0], group.bodies[group.count - 1]);
        for (int g = 0; g < group.count; ++g) {
            const int body = group.bodies[g];
            std::snprintf(name, sizeof name, "%s %5s", planetNameTable[body], shortDate);
            MakeEntry(&table[kPresentPlaces + kTrackPoints * g + s], body, place, name);
        }
    }
    EndBusyIndicator(0);
    return kPresentPlaces + kTrackPoints * group.count;
}

void PlanetSkyDirection(int32_t ra, int32_t dec, float* angle, float* elevation) {
    int32_t p = 0, q = 0, s = 0;
    ProjectRaDecToChart(ra, dec, &p, &q, &s);
    double a = std::atan2(static_cast<double>(p), static_cast<double>(q)) * kRadToDeg;
    if (a < 0.0) a += 360.0;
    *angle = static_cast<float>(a);
    *elevation = static_cast<float>(std::asin(std::fmax(-1.0, std::fmin(1.0, s / kUnit))) * kRadToDeg);
}

void RedrawPlanetSkyMap(int final) {
    if (!skyObjects) return;
    const DateTime kept = currentDateTime;
    DrawSkyMap(skyObjects, skyObjectCount, chartRect, assistantSurface, skyViewZoom, skyViewCentre[0],
               skyViewCentre[1], final);
    currentDateTime = kept;
}

void DrawPlanetSkyView() {
    const XywhRect area = SkyArea();
    chartRect = area;
    EraseRectangle(area);
    if (PlanetAssistantControlsShown()) SetPopupList(kStepTrigger, kStepList, skyViewStep);
    if (!skyObjects) return;
    const DateTime kept = currentDateTime;
    skyObjectCount = BuildPlanetSkyObjects(assistantDate, skyViewStep, skyObjects);
    const AssistantDate& d = assistantDate;
    SetChartView(1, d.year, d.month, d.day, d.hour, d.minute, 0, 0);
    if (skyViewCentre[0] == 0.0f && skyViewCentre[1] == 0.0f) CentreOnMercury();
    FilterSelectionByClass(0, skyObjects, skyObjectCount);
    ProjectObjectList(skyObjects, skyObjectCount);
    SelectCatalogForZoom();
    ComputeSelectionSkyState();
    currentDateTime = kept;
    RedrawPlanetSkyMap(1);
    skyViewPoint[0] = area.x + area.width / 2;
    skyViewPoint[1] = area.y + area.height / 2;
}

void MovePlanetSkyViewCentre(double dAngle, double dElevation) {
    double a = std::fmod(skyViewCentre[0] + dAngle, 360.0);
    if (a < 0.0) a += 360.0;
    skyViewCentre[0] = static_cast<float>(a);
    skyViewCentre[1] = static_cast<float>(std::fmax(-90.0, std::fmin(90.0, skyViewCentre[1] + dElevation)));
}

void ZoomPlanetSkyView(int row) {
    if (row < 0 || row >= kZoomSteps || row == skyViewZoom) return;
    int32_t ra = 0, dec = 0;
    if (skyObjects && SkyMapPointToRaDec(skyViewPoint[0], skyViewPoint[1], &ra, &dec))
        PlanetSkyDirection(ra, dec, &skyViewCentre[0], &skyViewCentre[1]);
    skyViewZoom = row;
    if (PlanetAssistantControlsShown()) SetPopupList(kFieldTrigger, kFieldList, row);
    SetStarDotSizes(row);
    SelectCatalogForZoom();
    RedrawPlanetSkyMap(1);
    skyViewPoint[0] = chartRect.x + chartRect.width / 2;
    skyViewPoint[1] = chartRect.y + chartRect.height / 2;
}
