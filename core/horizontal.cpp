#include "core/horizontal.h"

#include <algorithm>
#include <cmath>

#include "core/text_numbers.h"

namespace {

constexpr double kDegToRad = 0.0174532925199433;
constexpr double kRadToDeg = 57.29577951308232;
constexpr double kHoursToRad = 0.2617993877991829;
constexpr double kFullTurn = 6.283185307179586;

}  // namespace

double NormalizeHours(double hours) {
    double r = std::fmod(hours, 24.0);
    if (r > 12) r -= 24;
    if (r < -12) r += 24;
    return r;
}

double ComputeAltitude(double lst, double ra, double dec, double lat) {
    double h = NormalizeHours(lst - ra) * kHoursToRad;
    double sinLat, cosLat;
    SinCos(lat * kDegToRad, &sinLat, &cosLat);
    double d = dec * kDegToRad;
    double s = std::cos(h) * std::cos(d) * cosLat + std::sin(d) * sinLat;
    return std::asin(std::clamp(s, -1.0, 1.0)) * kRadToDeg;
}

double ComputeAzimuth(double lst, double ra, double dec, double lat) {
    double h = NormalizeHours(lst - ra) * kHoursToRad;
    double sinLat, cosLat, sinDec, cosDec, sinH, cosH;
    SinCos(lat * kDegToRad, &sinLat, &cosLat);
    SinCos(dec * kDegToRad, &sinDec, &cosDec);
    SinCos(h, &sinH, &cosH);
    double a = std::atan2(-sinH * cosDec, sinDec * cosLat - cosH * cosDec * sinLat);
    if (a < 0) a += kFullTurn;
    double az = a * kRadToDeg;
    return az < 360.0 ? az : 0.0;  // a tiny negative angle plus a full turn rounds to 360
}
