#include "chart/compass_chart.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "core/horizontal.h"
#include "core/julian_day.h"
#include "core/preferences.h"
#include "core/sidereal_time.h"
#include "ephemeris/body_positions.h"
#include "ephemeris/low_precision_sun_moon.h"

namespace {

constexpr int kTopocentric = 2;
constexpr double kDegree = 0.0174532925199433;
constexpr int kPathStartMinutes = -120;
constexpr int kPathStepMinutes = 10;
static_assert(-kPathStartMinutes / kPathStepMinutes == kCompassPathNow);

int Scaled(double designPixels, double scale) { return static_cast<int>(designPixels * scale); }

// Azimuth and altitude of a place at local sidereal time lst.
CompassPlace PlaceAt(double lst, double ra, double dec) {
    CompassPlace p;
    p.valid = true;
    p.rightAscension = ra;
    p.declination = dec;
    p.altitude = ComputeAltitude(lst, ra, dec, currentSite.latitude);
    p.azimuth = ComputeAzimuth(lst, ra, dec, currentSite.latitude);
    return p;
}

CompassPlace SunAt(const DateTime& t, double lst) {
    double ra = 0.0, dec = 0.0;
    ComputeSunPosition(&ra, &dec, t.year, t.month, t.day, t.hour, t.minute, t.second);
    return PlaceAt(lst, ra, dec);
}

CompassPlace MoonAt(const DateTime& t, double lst) {
    BodyPosition moon{};
    int32_t& mode = preferences.word[kPrefPositionMode];
    const int32_t saved = mode;
    mode = kTopocentric;
    const int status = ComputeBody(&moon, 1, t.year, t.month, t.day, t.hour, t.minute, t.second);
    mode = saved;
    return status == 0 ? PlaceAt(lst, moon.ra, moon.dec) : CompassPlace{};
}

CompassPlace BodyAt(int body, const DateTime& t, double objectRa, double objectDec) {
    const double lst = CompassSiderealTime(t);
    if (body == kCompassSun) return SunAt(t, lst);
    if (body == kCompassMoon) return MoonAt(t, lst);
    return objectRa >= 0.0 ? PlaceAt(lst, objectRa, objectDec) : CompassPlace{};
}

}  // namespace

double CompassSiderealTime(const DateTime& t) {
    return GetLocalSiderealTime(t.year, t.month, t.day, t.hour, t.minute, t.second, currentSite.longitude,
                                currentSite.zoneMinutes);
}

int ComputeCompassPlaces(const DateTime& t, double objectRa, double objectDec, CompassPlace places[kCompassBodies]) {
    for (int body = 0; body < kCompassBodies; ++body) places[body] = BodyAt(body, t, objectRa, objectDec);
    return objectRa >= 0.0 ? 3 : 2;
}

void ComputeCompassPath(int body, const DateTime& t, double objectRa, double objectDec,
                        CompassPathPoint path[kCompassPathPoints]) {
    for (int i = 0; i < kCompassPathPoints; ++i) {
        DateTime when = t;
        when.second = 0;
        AddMinutesToDateTime(&when.year, &when.month, &when.day, &when.hour, &when.minute,
                             kPathStartMinutes + i * kPathStepMinutes);
        path[i].place = BodyAt(body, when, objectRa, objectDec);
        path[i].hour = when.hour;
        path[i].minute = when.minute;
    }
}

void FormatCompassTexts(const CompassPlace& place, char* altitude, char* azimuth, std::size_t size) {
    if (!place.valid) {
        altitude[0] = azimuth[0] = '\0';
        return;
    }
    const long whole = std::lround(place.azimuth);
    std::snprintf(altitude, size, "Alt %ld\xB0", std::lround(place.altitude));
    std::snprintf(azimuth, size, "Az %ld\xB0", whole == 360 ? 0 : whole);
}

CompassLayout ComputeCompassLayout(int width, int height, double sx, double sy) {
    CompassLayout l;
    l.width = width;
    l.height = height;
    l.textY = Scaled(24, sy);
    l.radius = std::min(width, height) / 3 - Scaled(3, sx);
    l.ringRadius = l.radius - Scaled(10, sx);
    l.innerRadius = l.radius - Scaled(4, sx);
    l.coreRadius = l.innerRadius - Scaled(16, sx);
    const int top = l.textY + Scaled(12, sy);
    const int xr = (width - Scaled(240, sx)) / 4 + Scaled(32, sx);
    l.centreX = xr + l.radius + 2 * l.radius / 3 - Scaled(2, sx);
    l.centreY = top + l.radius;
    const int xb = (width - Scaled(240, sx)) / 3;
    l.bar = XywhRect{xb + Scaled(32, sx), top, Scaled(40, sx), 2 * l.radius};
    l.markX = xb + Scaled(52, sx);
    l.markHalf = Scaled(24, sx);
    l.altTextX = xb + Scaled(78, sx);
    l.azTextX = xr + Scaled(165, sx);
    l.curve = Scaled(320, sx) <= height;
    l.curveBox = XywhRect{0, Scaled(205, sx), width - Scaled(10, sx), Scaled(85, sx)};
    return l;
}

int CompassBarY(const CompassLayout& layout, double altitude) {
    return layout.bar.y + static_cast<int>((90.0 - altitude) / 180.0 * layout.bar.height);
}

void CompassRosePoint(const CompassLayout& layout, double azimuth, int radius, int* x, int* y) {
    const double a = azimuth * kDegree;
    *x = layout.centreX + static_cast<int>(std::lround(radius * std::sin(a)));
    *y = layout.centreY - static_cast<int>(std::lround(radius * std::cos(a)));
}

void CompassCurvePoint(const CompassLayout& layout, double azimuth, double altitude, int* x, int* y) {
    const XywhRect& box = layout.curveBox;
    *x = box.x + static_cast<int>(azimuth / 360.0 * (box.width - 1));
    *y = box.y + static_cast<int>((90.0 - altitude) / (90.0 - kCurveLowestAltitude) * (box.height - 1));
}
