// The picture views of the orbit assistant: the 3D view of the orbit among
// the planets' orbits, turned by the stylus, and the sky view of 15 dated
// places on the sky chart's sphere picture, panned by the stylus and zoomed
// with the field-of-view popup.
#include <cmath>
#include <cstring>
#include <new>

#include "catalog/databases.h"
#include "catalog/selection_list.h"
#include "catalog/stellar_catalog.h"
#include "chart/chart_views.h"
#include "chart/object_label_popup.h"
#include "chart/sky_map.h"
#include "chart/sky_rotation.h"
#include "chart/solar_system_view.h"
#include "chart/sphere_projection.h"
#include "core/preferences.h"
#include "core/services.h"
#include "core/shared_state.h"
#include "objects/selection_search.h"
#include "orbits/orbit_3d_objects.h"
#include "orbits/orbit_assistant_state.h"
#include "orbits/orbit_sky_track.h"
#include "orbits/screens/orbit_assistant_form.h"
#include "ui/input_polling.h"
#include "ui/popup_list.h"
#include "ui/primitives.h"
#include "ui/saved_screen.h"

namespace {

constexpr double kHoursToFix24 = 4392264.877774095;
constexpr double kDegreesToFix24 = 292817.65851827303;
constexpr double kUnit24 = 1.0 / 16777216.0;
constexpr double kDegreesPerRadian = 57.29577951308232;

SolarSystemBody* bodies = nullptr;
SelectionEntry* track = nullptr;
int trackReady = 0;
int drawCentreX = 0, drawCentreY = 0;

OrbitViewState& View() { return orbitViewState; }

// The picture's body of an object: the same fields in the same order.
void CopyBody(const Orbit3DObject& o, SolarSystemBody* b) {
    std::memcpy(b->name, o.name, sizeof b->name);
    std::memcpy(b->orientation, o.rotation, sizeof b->orientation);
    std::memcpy(b->position, o.position, sizeof b->position);
    b->perihelion = o.perihelion;
    b->focusOffset = o.focusOffset;
    b->earthDistance = o.earthDistance;
    b->sunDistance = o.sunDistance;
    b->orbitSize = o.orbitSize;
    b->orbitSecondSize = o.orbitSecondSize;
    b->kind = o.shape;
}

// An angle brought into [0, 360] by whole turns.
int WrapDegrees(int angle) {
    while (angle > 360) angle -= 360;
    while (angle < 0) angle += 360;
    return angle;
}

// The chart frame's direction of a place: frame angle and elevation, degrees.
void ChartDirection(Fix24Angle ra, Fix24Angle dec, float* angle, float* elevation) {
    int32_t p = 0, q = 0, z = 0;
    ProjectRaDecToChart(ra, dec, &p, &q, &z);
    const double sine = std::fmax(-1.0, std::fmin(1.0, z * kUnit24));
    *angle = static_cast<float>(std::atan2(p * kUnit24, q * kUnit24) * kDegreesPerRadian);
    *elevation = static_cast<float>(std::asin(sine) * kDegreesPerRadian);
}

void SelectCardCatalog(int zoom) {
    if (preferences.word[kPrefCardCatalog] != 0) SelectStellarCatalog(zoom);
}

void DrawSky(int full) {
    if (!track) return;
    FilterSelectionByClass(0, track, kOrbitTrackPoints);
    DrawSkyMap(track, kOrbitTrackPoints, OrbitDrawArea(), OrbitOffscreen(), orbitSkyFov, View().centreLongitude,
               View().centreLatitude, full);
}

int PanSky(int x, int y) {
    OrbitViewState& v = View();
    if (!trackReady) return 0;
    if (std::abs(x - v.lastPenX) < ScaleX(4) && std::abs(y - v.lastPenY) < ScaleY(4)) return 0;
    const double perPixel =
        GetZoomFovForIndex(static_cast<unsigned>(orbitSkyFov)) / static_cast<int>(120 * displayScale.scaleX);
    for (int down = 1; down;) {
        v.centreLongitude += static_cast<float>((x - v.lastPenX) * perPixel);
        v.centreLatitude += static_cast<float>((y - v.lastPenY) * perPixel);
        if (v.centreLongitude >= 360.0f) v.centreLongitude -= 360.0f;
        if (v.centreLongitude < 0.0f) v.centreLongitude += 360.0f;
        v.centreLatitude = std::fmax(-90.0f, std::fmin(90.0f, v.centreLatitude));
        UseOrbitForm();
        DrawSky(0);
        v.lastPenX = x, v.lastPenY = y;
        GetPenState(&x, &y, &down);
    }
    FlushPenEvents();
    UseOrbitForm();
    DrawSky(1);
    v.dragging = 1;
    return 1;
}

int Turn3d(int x, int y) {
    OrbitViewState& v = View();
    v.angle[0] = WrapDegrees(v.angle[0] + 2 * (y - v.lastPenY));
    v.angle[2] = WrapDegrees(v.angle[2] + 2 * (x - v.lastPenX));
    v.lastPenX = x, v.lastPenY = y;
    DrawOrbit3DView();
    return 1;
}

}  // namespace

const SolarSystemBody* OrbitSolarSystemBodies() { return bodies; }
const SelectionEntry* OrbitSkyTrack() { return track; }

SelectionEntry* OrbitTrackBuffer() {
    if (!track) track = new (std::nothrow) SelectionEntry[kOrbitTrackPoints]{};
    return track;
}

void FreeOrbitPictures() {
    delete[] bodies;
    delete[] track;
    bodies = nullptr;
    track = nullptr;
    trackReady = 0;
}

int BuildOrbit3DObjects(int zoom) {
    if (!bodies) bodies = new (std::nothrow) SolarSystemBody[kOrbit3DSlots]{};
    if (!bodies) {
        ShowInformation("Can't allocate memory during initialization of 3D objects", "");
        return 0;
    }
    CometRecord record{};
    if (!ReadOrbitRecord(orbitCometIndex, &record)) return 0;
    Orbit3DObject objects[kOrbit3DSlots];
    const OrbitFormTime& t = orbitFormTime;
    const int status =
        FillOrbit3DObjects(objects, record, t.year, t.month, t.day, t.hour, t.minute, currentSite.zoneMinutes, zoom);
    for (int slot = 0; slot < kOrbit3DSlots; ++slot) CopyBody(objects[slot], &bodies[slot]);
    return status;
}

void DrawOrbit3DView() {
    if (!bodies || orbitCometIndex < 0) return;
    const OrbitViewState& v = View();
    DrawSolarSystemView(OrbitOffscreen(), OrbitDrawArea(), bodies, kOrbit3DSlots, v.angle[0], v.angle[1], v.angle[2],
                        orbitZoomLevel);
}

void DrawOrbitSkyTrack(int index) {
    SetPopupList(kOrbitFovTrigger, kOrbitFovList, orbitSkyFov);
    CometRecord record{};
    if (!OrbitTrackBuffer() || !ReadOrbitRecord(index, &record)) return;
    const OrbitFormTime& t = orbitFormTime;
    BuildOrbitSkyTrack(track, record, index, t.year, t.month, t.day, OrbitStepDays(), currentSite.zoneMinutes);
    trackReady = 1;
    OrbitViewState& v = View();
    if (v.centreLongitude == 0.0f && v.centreLatitude == 0.0f) {
        const SelectionEntry& e = track[kOrbitTrackCentrePoint];
        ChartDirection(static_cast<Fix24Angle>(e.rightAscension * kHoursToFix24),
                       static_cast<Fix24Angle>(e.declination * kDegreesToFix24), &v.centreLongitude,
                       &v.centreLatitude);
    }
    ProjectObjectList(track, kOrbitTrackPoints);
    SelectCardCatalog(orbitSkyFov);
    ComputeSelectionSkyState();
    DrawSky(1);
    const XywhRect area = OrbitDrawArea();
    drawCentreX = area.x + area.width / 2;
    drawCentreY = area.y + area.height / 2;
}

void OrbitPenDown(int x, int y) {
    OrbitViewState& v = View();
    v.lastPenX = x, v.lastPenY = y;
    v.dragging = 0;
    const XywhRect r = OrbitDrawArea();
    if (x >= r.x && x < r.x + r.width && y >= r.y && y < r.y + r.height) {
        drawCentreX = r.x + r.width / 2;
        drawCentreY = r.y + r.height / 2;
    }
}

int DrawOrbit3D(int x, int y) {
    if (orbitAssistantView == kOrbitView3d) return bodies ? Turn3d(x, y) : 0;
    if (orbitAssistantView == kOrbitViewSky) return PanSky(x, y);
    return 0;
}

int OrbitPenUp(int x, int y) {
    OrbitViewState& v = View();
    if (v.dragging) {
        v.dragging = 0;
        return 0;
    }
    v.lastPenX = x, v.lastPenY = y;
    if (!trackReady || !track) return 0;
    return ShowObjectLabelPopup(track, kOrbitTrackPoints, OrbitDrawArea(), x, y);
}

void ChooseOrbitFieldOfView(int row) {
    if (row < 0 || row == orbitSkyFov) return;
    OrbitViewState& v = View();
    Fix24Angle ra = 0, dec = 0;
    if (trackReady && SkyMapPointToRaDec(drawCentreX, drawCentreY, &ra, &dec)) {
        ChartDirection(ra, dec, &v.centreLongitude, &v.centreLatitude);
        if (v.centreLongitude < 0.0f) v.centreLongitude += 360.0f;
    }
    orbitSkyFov = row;
    SetStarDotSizes(row);
    SelectCardCatalog(row);
    OpenObjIndexDb();
    UpdateOrbitForm(orbitCometIndex);
}
