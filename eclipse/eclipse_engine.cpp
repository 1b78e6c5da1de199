#include "eclipse/eclipse_engine.h"

#include <algorithm>
#include <cmath>

#include "core/delta_t.h"
#include "core/eclipse_work.h"
#include "core/julian_day.h"
#include "core/nutation_centuries.h"
#include "ephemeris/eclipse_sources.h"

EclipseWorkBlock eclipseWorkBlock;

namespace {

constexpr double kDegToRad = 0.0174532925199433;
constexpr double kRadToDeg = 57.29577951308232;
constexpr double kRadToHours = 3.819718634205488;
constexpr double kHoursToRad = 0.26179938779914946;
constexpr double kEarthRadiusAu = 4.263521265376305e-5;
constexpr double kPolarEarthRadiusAu = 4.249226488642539e-5;  // times 0.99664719
constexpr double kOneMinusE2 = 0.9933056213348961;
constexpr double kE2 = 0.006694378665103917;
constexpr double kInvSqrtOneMinusE2 = 1.0033640891517488;
constexpr double kSqrtOneMinusE2 = 0.99664719;
constexpr double kTwoPi = 6.283185307179586;

double Clamped(double c) { return std::clamp(c, -1.0, 1.0); }

// Local sidereal time (hours) at T for the block's date: the Greenwich time of the set-up
// carried on by the sidereal rate.
double LocalSiderealTime(double t) {
    const EclipseWorkBlock& w = eclipseWorkBlock;
    return (t * 36525 - w.days) * 24.06570841889117 + eclipseWork.siderealTime;
}

// The Sun seen from the work point (its parallax, at most 8.8"): the direction of the shadow
// axis through a point on it. The correction moves the Sun's right ascension by -p sin H / q.
// Applied with the opposite sign (to the Moon's right ascension, subtracted), it doubled the
// error it was meant to remove and put the point up to 50 km off near sunrise and sunset.
void SunParallaxAtPoint(double* sunRa, double* sunDec) {
    const EclipseWorkBlock& w = eclipseWorkBlock;
    const double phi = w.latitude * kDegToRad;
    const double h = (15 * (w.localSiderealTime - w.moonRa) - w.longitude) * kDegToRad;
    const double p = std::cos(phi) * kPolarEarthRadiusAu / w.sunDistance;
    const double q = std::cos(w.sunDec) - p * std::cos(h);
    const double dRa = std::sin(h) / q * p * kRadToHours;
    *sunRa = w.sunRa - dRa;
    *sunDec =
        std::atan2((std::sin(w.sunDec) - std::sin(phi) * kPolarEarthRadiusAu / w.sunDistance) *
                       std::cos(15 * dRa * kDegToRad),
                   q);
}

// Altitude and azimuth (radians, azimuth from north through east in [0, 2 pi)) of a place seen
// from the work point.
void HorizontalPlace(double ra, double dec) {
    EclipseWorkBlock& w = eclipseWorkBlock;
    const double phi = w.latitude * kDegToRad;
    const double h = (15 * (w.localSiderealTime - std::fmod(ra, 24.0)) - w.longitude) * kDegToRad;
    w.altitude = std::asin(
        Clamped(std::cos(h) * std::cos(phi) * std::cos(dec) + std::sin(phi) * std::sin(dec)));
    double az =
        std::atan2(-std::sin(h) * std::cos(dec),
                   std::cos(phi) * std::sin(dec) - std::cos(h) * std::sin(phi) * std::cos(dec));
    if (az < 0) az += kTwoPi;
    w.azimuth = az;
}

}  // namespace

void ResetEclipseWorkBlock() {
    eclipseWorkBlock = EclipseWorkBlock{};
    eclipseWorkBlock.parallax = true;
}

void SetUpEclipseTime(int year, int month, int day, int hour, int minute, int second) {
    EclipseWorkBlock& w = eclipseWorkBlock;
    eclipseWork.nutationLongitude = 0;
    eclipseWork.trueObliquity = 0;
    const double deltaT = ComputeDeltaT(year, month, day);
    eclipseMinusDeltaT = -deltaT;
    w.negativeDeltaT = -deltaT / 3600;
    w.days = JulianDayFromDateTime(year, month, day, 12, 0, 0, 0) - 2451545.5;
    w.centuries = w.days * 2.7378507871321012e-5;
    w.ut = hour + minute / 60.0 + second / 3600.0;
    eclipseWork.daysFromJ2000 = w.days;
    eclipseWork.timeOfDay = w.ut;
    eclipseWork.negativeDeltaT = w.negativeDeltaT;
    ComputeGreenwichSiderealTime(w.centuries);
}

void LoadEclipseSunMoon(double t) {
    EclipseWorkBlock& w = eclipseWorkBlock;
    double ra, dec, dist;
    ComputeEclipseSun(t, &ra, &dec, &dist);
    w.sunRa = w.topoSunRa = ra * kRadToHours;
    w.sunDec = w.topoSunDec = dec;
    w.sunDistance = w.topoSunDistance = dist;
    ComputeEclipseMoon(t, &ra, &dec, &dist);
    w.moonRa = w.topoMoonRa = ra * kRadToHours;
    w.moonDec = w.topoMoonDec = dec;
    w.moonDistance = w.topoMoonDistance = dist;
    w.moonParallax = std::asin(std::sin(kEarthRadiusAu) / w.moonDistance);
    w.localSiderealTime = LocalSiderealTime(t);
}

void ComputeTopocentricSunMoon(double t) {
    EclipseWorkBlock& w = eclipseWorkBlock;
    if (sunMoonSource != 1)
        ComputeNutation(t, &eclipseWork.nutationLongitude, &eclipseWork.trueObliquity);
    LoadEclipseSunMoon(t);
    ComputeShadowAxisPoint(w.sunRa, w.sunDec, w.moonRa, w.moonDec);
    double sunRa, sunDec;
    SunParallaxAtPoint(&sunRa, &sunDec);
    ComputeShadowAxisPoint(sunRa, sunDec, w.moonRa, w.moonDec);
}

void ComputeShadowAxisPoint(double sunRa, double sunDec, double moonRa, double moonDec) {
    EclipseWorkBlock& w = eclipseWorkBlock;
    const double pi = w.moonParallax;
    const double h = (sunRa - moonRa) * kHoursToRad;
    const double tanSun = std::tan(sunDec);
    const double cosH = std::cos(h);
    const double b = std::sin(moonDec) * tanSun / cosH + kOneMinusE2 * std::cos(moonDec);
    const double a = (tanSun * tanSun + kOneMinusE2) / (cosH * cosH);
    const double c =
        b * b - a * (1 - kE2 * std::cos(moonDec) * std::cos(moonDec) - kOneMinusE2 * pi * pi);
    w.hit = cosH > 0 && c > 0;
    if (!w.hit) return;
    const double z = (std::sqrt(c) - b) / a;
    const double reduced =
        std::asin(Clamped((z * tanSun / cosH + std::sin(moonDec)) / pi * kInvSqrtOneMinusE2));
    w.latitude = std::atan(kInvSqrtOneMinusE2 * std::tan(reduced)) * kRadToDeg;
    const double psi = std::acos(Clamped((z + std::cos(moonDec)) / std::cos(reduced) / pi));
    const double sign = std::cos(reduced) * std::tan(h) * std::sin(psi) * z >= 0 ? 1 : -1;
    const double value = 15 * (w.localSiderealTime - moonRa) - sign * psi * kRadToDeg + 180;
    w.longitude = value - 180 - 360 * std::trunc(value / 360 + 0.5);
}

double ApplyEllipsoidParallax(EclipseBody body, double* ra, double* dec, double distance) {
    EclipseWorkBlock& w = eclipseWorkBlock;
    double toward = 0;
    if (w.parallax) {
        const double phi = w.latitude * kDegToRad;
        const double h = (15 * (w.localSiderealTime - *ra) - w.longitude) * kDegToRad;
        const double p = kEarthRadiusAu / distance;
        // Reduced latitude from sine and cosine: at 90 degrees phi exceeds pi/2 by the rounding
        // of the degree, and atan of its tangent put a pole's site at the other pole.
        const double u = std::atan2(kSqrtOneMinusE2 * std::sin(phi), std::cos(phi));
        const double denominator = p * std::cos(u) * std::cos(h) - std::cos(*dec);
        const double dRa = std::atan2(p * std::cos(u) * std::sin(h), denominator);
        toward = (std::cos(h) * std::cos(u) * std::cos(*dec) +
                  kSqrtOneMinusE2 * std::sin(u) * std::sin(*dec)) *
                 kEarthRadiusAu;
        (body == EclipseBody::Sun ? w.topoSunDistance : w.topoMoonDistance) -= toward;
        *dec = std::atan2((kSqrtOneMinusE2 * p * std::sin(u) - std::sin(*dec)) * std::cos(dRa),
                          denominator);
        *ra += dRa * kRadToHours;
    }
    HorizontalPlace(*ra, *dec);
    return toward;
}

void CopySubShadowPoint(LocalEclipseResult* result) {
    EclipseWorkBlock& w = eclipseWorkBlock;
    result->pointLatitude = std::fabs(w.latitude) <= 90 ? w.latitude : std::fmod(w.latitude, 90.0);
    double longitude = std::fmod(w.longitude, 360.0);
    if (longitude < -180) longitude += 360;
    result->pointLongitude = longitude;
    w.previousLatitude = w.latitude;
    w.previousLongitude = w.longitude;
}
