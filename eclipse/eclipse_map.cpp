#include "eclipse/eclipse_map.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "core/angle_text.h"
#include "core/julian_day.h"
#include "core/services.h"
#include "eclipse/eclipse_list.h"
#include "eclipse/eclipse_path.h"
#include "eclipse/local_eclipse.h"

int mapPanX = 0, mapPanY = 0;
int mapDragging = 0;
MapPosition* mapPositions = nullptr;

namespace {

constexpr double kLimitMagnitudes[5] = {0, 0.25, 0.5, 0.75, 0.99};
constexpr int kStepMinutes = 5;

MapPosition PositionFrom(const LocalEclipseResult& r, const BesselianElements& elements, double deltaT, int hour,
                         int minute) {
    MapPosition p = MapPositionFromResult(r);
    p.hour = hour;
    p.minute = minute;
    for (int j = 0; j < 5; ++j)
        for (int side = 0; side < 2; ++side)
            p.limitY[2 * j + side] =
                MapY(ComputeLimitLatitude(elements, p.longitude, 0, kLimitMagnitudes[j], deltaT, side ? 1 : -1));
    return p;
}

}  // namespace

int MapX(double longitude) { return static_cast<int>((180 - longitude) * kMapPixelsPerLongitude); }

int MapY(double latitude) { return static_cast<int>((90 - latitude) * kMapPixelsPerLatitude); }

void MapPointToPlace(double mapX, double mapY, double* latitude, double* longitude) {
    *longitude = 180 - mapX * 0.14906832298136646;
    if (*longitude > 180) *longitude -= 360;
    *latitude = 90 - mapY * 0.14913007456503727;
}

void CentreMapPan(int x, int width, int height, double latitude, double longitude, int* panX, int* panY) {
    *panX = (x + width) / 2 - MapX(longitude);
    *panY = height / 2 - MapY(latitude);
}

int ClampMapPanY(int panY, int height) {
    if (panY > 0) return 0;
    if (panY < height - kMapHalfWidth) return height - kMapHalfWidth;
    return panY;
}

MapHalves WrapMapPan(int panX) {
    const int x0 = (panX % kMapWidth + kMapWidth) % kMapWidth;
    MapHalves h{};
    if (x0 <= kMapHalfWidth) {
        h.westX = x0;
        h.eastX = x0 + kMapHalfWidth - kMapWidth;
    } else {
        h.westX = x0 - kMapWidth;
        h.eastX = h.westX + kMapHalfWidth;
    }
    h.panX = h.westX;
    return h;
}

void PlaceMapPoint(double latitude, double longitude, int panX, int panY, int top, int* x, int* y) {
    *x = MapX(longitude) + panX;
    if (*x > kMapWidth) *x -= kMapWidth;
    *y = MapY(latitude) + panY + top;
}

int ComputeMapPositions(const EclipseEvent& e, const BesselianElements& elements, double deltaT,
                        LocalEclipseResult* result, MapPosition* table, void (*progress)(int hour, int minute)) {
    int count = 0;
    for (int step : {-kStepMinutes, kStepMinutes}) {
        int year = e.year, month = e.month, day = e.day, hour = e.hour, minute = e.minute;
        for (int k = 0; k < kMapPositionCapacity && count < kMapPositionCapacity; ++k) {
            StepBusyIndicator(1);
            if (!ComputeUmbraEllipseAt(result, year, month, day, hour, minute, 0, false)) break;
            if (progress) progress(hour, minute);
            table[count++] = PositionFrom(*result, elements, deltaT, hour, minute);
            AddMinutesToDateTime(&year, &month, &day, &hour, &minute, step);
        }
    }
    ComputeUmbraEllipseAt(result, e.year, e.month, e.day, e.hour, e.minute, e.second);
    EndBusyIndicator(1);
    return count;
}

MapPosition MapPositionFromResult(const LocalEclipseResult& r) {
    MapPosition p{};
    p.latitude = r.pointLatitude;
    p.longitude = r.pointLongitude;
    p.time = r.time;
    p.umbraSemiMajor = r.umbraSemiMajor;
    p.umbraRadius = r.umbraRadius;
    p.azimuthMod180 = r.azimuthMod180;
    p.trackAngle = r.trackAngle;
    return p;
}

std::vector<MapTrackLine> LayOutMapTrack(MapPosition* table, int count, int panX, int panY, int top) {
    std::vector<MapTrackLine> lines;
    for (int i = 0; i < count; ++i) {
        MapPosition& p = table[i];
        PlaceMapPoint(p.latitude, p.longitude, panX, panY, top, &p.screenX, &p.screenY);
        if (i == 0 || std::abs(p.screenX - table[i - 1].screenX) >= kMapJoinLimit) continue;
        const MapPosition& q = table[i - 1];
        for (int j = 0; j < kMapLimitCount; ++j)
            lines.push_back({p.screenX, panY + top + p.limitY[j], q.screenX, panY + top + q.limitY[j]});
    }
    return lines;
}

void MapTimeLabel(double t, char* text, int size) {
    const ClockFields c = SplitRoundedTime(t * 3600, 60);
    std::snprintf(text, static_cast<size_t>(size), "%02d:%02d", ClockHour(c.hours), c.minutes);
}

TapContacts ComputeTapContacts(const BesselianElements& elements, double deltaT, int startHour, double latitude,
                               double longitude) {
    TapContacts out{};
    double* times[3] = {&out.start, &out.greatest, &out.end};
    for (int side = -1; side <= 1; ++side) {
        double ut = startHour;
        LocalContactCircumstances c{};
        for (int k = 0; k < 5; ++k) LocalContactStep(elements, side, latitude, longitude, 0, deltaT, &ut, &c);
        *times[side + 1] = ut;
        if (side == 0) out.percent = static_cast<int>(c.obscuration + 0.5), out.eclipse = c.magnitude > 0;
    }
    // On the night side the limbs meet behind the Earth: no eclipse is seen there.
    const auto sunAltitude = [&](double ut) {
        LocalContactCircumstances c{};
        LocalContactStep(elements, 0, latitude, longitude, 0, deltaT, &ut, &c);
        return c.sunAltitude;
    };
    if (out.eclipse && SunStaysBelowHorizon(out.start, out.end, sunAltitude)) out.eclipse = false;
    return out;
}

namespace {

// A contact before 0h UT of the eclipse's date (a negative time) reads as the
// previous day's clock time, one from 24h on as the next day's.
std::string ContactLine(const char* label, double t, const char* tail) {
    const ClockFields c = SplitRoundedTime(t * 3600, 1);
    char text[64];
    std::snprintf(text, sizeof text, "%s at %dh%02dm%02d UT%s", label, ClockHour(c.hours), c.minutes,
                  c.seconds, tail);
    return text;
}

}  // namespace

TapPanelLines FormatTapContacts(const TapContacts& c) {
    if (!c.eclipse) return {"No Eclipse found!", "", ""};
    char percent[16];
    std::snprintf(percent, sizeof percent, ", %d%%", c.percent);
    return {ContactLine("Partial Start", c.start, ""), ContactLine("Greatest", c.greatest, percent),
            ContactLine("Partial End", c.end, "")};
}
