#include "orbits/screens/satellite_view_geometry.h"

#include <cmath>
#include <cstdio>

#include "core/angle_text.h"

namespace {

constexpr double kThirtySeconds = 0.00034722222222222224;  // days
constexpr double kSixSeconds = 6.944444444444444e-5;       // days

int Truncate(double value) { return std::isfinite(value) && std::fabs(value) < 1e9 ? static_cast<int>(value) : 0; }

}  // namespace

MapPoint SatelliteMapPoint(double longitude, double latitude, int x0, int y0, int width, int height) {
    return {Truncate(x0 + (180.0 - longitude) * width / 360.0), Truncate(y0 + (90.0 - latitude) * height / 180.0)};
}

int TrackSegmentLines(MapPoint from, MapPoint to, int x0, int width, MapPoint lines[4]) {
    const int half = width / 2, middle = x0 + half;
    if (std::abs(to.x - from.x) <= half) {
        lines[0] = from, lines[1] = to;
        return 1;
    }
    const bool eastward = from.x > middle && to.x < middle;  // across the right edge
    const int first = eastward ? x0 + width : x0, second = eastward ? x0 : x0 + width;
    lines[0] = from, lines[1] = {first, from.y};
    lines[2] = {second, to.y}, lines[3] = to;
    return 2;
}

int InfoTrackStepMinutes(double periodMinutes) {
    const int step = Truncate(0.04 * periodMinutes);
    return step >= 1 ? step : 1;
}

int SkyTrackSpanMinutes(int stepRow, int trackSpan, double periodMinutes) {
    static const int kRowMinutes[] = {30, 60, 120, 180};
    if (stepRow >= 1 && stepRow <= 4) return kRowMinutes[stepRow - 1];
    return trackSpan >= 0 ? trackSpan : Truncate(periodMinutes);
}

void SearchRowSkyStart(int view, const PassRow& row, int zoneMinutes, double* startJd, int* trackSpan) {
    const double zone = zoneMinutes / 1440.0;
    if (view == kSatelliteViewPass || view == kSatelliteViewNext) {
        *startJd = row.riseLocalJd - zone;
        *trackSpan = (row.durationSeconds + 30) / 60;
    } else if (view == kSatelliteViewTransit) {
        *startJd = row.peakLocalJd - kThirtySeconds - zone;
        *trackSpan = 1;
    } else {
        *startJd = row.peakLocalJd - kSixSeconds - zone;
        *trackSpan = 2;
    }
}

GlobeBox SatelliteGlobeBox(int screenWidth, int screenHeight, double scaleX, double scaleY) {
    if (screenHeight > static_cast<int>(240 * scaleX)) {
        const int radius = static_cast<int>(100 * scaleX);
        return {radius, screenWidth - 2 * radius, static_cast<int>(61 * scaleY)};
    }
    const int radius = static_cast<int>(80 * scaleX);
    return {radius, (screenWidth - 2 * radius) / 2, static_cast<int>(46 * scaleY)};
}

int WrapWholeDegrees(int degrees) {
    int wrapped = degrees % 360;
    return wrapped < 0 ? wrapped + 360 : wrapped;
}

const char* CompassPointName(double azimuth) {
    static const char* const kPoints[] = {"N", "NE", "E", "SE", "S", "SW", "W", "NW"};
    // Each point names the eighth of the circle centred on it: N from 337.5 to 22.5, NE from
    // 22.5 to 67.5, ... The azimuth is taken to the whole degree shown beside it, which never
    // falls on a border.
    return kPoints[(2 * WholeAzimuth(azimuth) + 45) / 90 % 8];
}

std::string AzimuthDetailText(double azimuth) {
    if (!std::isfinite(azimuth)) return "-";
    char text[24];
    std::snprintf(text, sizeof text, "%d\xB0 %s", WholeAzimuth(azimuth), CompassPointName(azimuth));
    return text;
}

double AzimuthToTenth(double azimuth) {
    if (!std::isfinite(azimuth)) return azimuth;
    const double tenths = std::fmod(std::round(std::fmod(azimuth, 360.0) * 10.0), 3600.0);
    return (tenths < 0.0 ? tenths + 3600.0 : tenths) / 10.0;
}
