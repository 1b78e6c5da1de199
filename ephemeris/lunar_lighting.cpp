#include "ephemeris/lunar_lighting.h"

#include <cmath>

#include "core/moon_records.h"
#include "core/services.h"
#include "ephemeris/lunar_libration.h"
#include "ephemeris/moon_elp2000.h"
#include "ephemeris/sun_vsop87.h"

namespace {

constexpr double kDegToRad = 0.0174532925199433;
constexpr double kRadToDeg = 57.29577951308232;
constexpr double kKmPerAu = 149597970.0;
constexpr double kColongitudeRate = 12.19075;  // degrees per day
constexpr double kCrossingTolerance = 0.001;   // degrees of altitude
constexpr int kMaxCrossingSteps = 100;
constexpr double kMinCosLatitude = 1e-3;

struct SunOverMoon {
    double latitude;     // b0, degrees
    double colongitude;  // c0, degrees
};

SunOverMoon GetSunOverMoon(double jd) {
    double l0, b0, c0;
    ComputeMoonPhysicalEphemeris(jd, &l0, &b0, &c0);
    return {b0, c0};
}

// Sine of the Sun's altitude over the point at longitude and latitude (degrees).
double SinSunAltitude(const SunOverMoon& sun, double longitude, double latitude) {
    double b0 = sun.latitude * kDegToRad, lat = latitude * kDegToRad;
    return std::sin(b0) * std::sin(lat) +
           std::cos(b0) * std::cos(lat) * std::sin((sun.colongitude + longitude) * kDegToRad);
}

}  // namespace

int ComputeMoonPhysicalEphemeris(double jd, double* sunLongitude, double* sunLatitude,
                                 double* colongitude) {
    double T = (jd - 2451545.0) * 2.7378507871321012e-05;
    double lon, lat, dist;
    ComputeMoonShortSeries(T, &lon, &lat, &dist);
    double lambda = std::fmod(lon * kRadToDeg, 360.0);
    double beta = std::fmod(lat * kRadToDeg, 360.0);
    double delta = dist * kKmPerAu;
    ComputeGeometricSun(T, &lon, &lat, &dist);
    double lambda0 = std::fmod(lon * kRadToDeg, 360.0);
    double R = dist * kKmPerAu;
    double lambdaH = lambda0 + 180.0 + (delta / R) * 57.296 * std::cos(beta * kDegToRad) *
                                           std::sin((lambda0 - lambda) * kDegToRad);
    double betaH = (delta / R) * beta;
    double l1, b1, l2, b2;
    ComputeLunarLibrations(jd, lambdaH, betaH, &l1, &b1, &l2, &b2);
    *sunLongitude = std::fmod(l1 + l2, 360.0);
    *sunLatitude = std::fmod(b1 + b2, 360.0);
    *colongitude = std::fmod(450.0 - *sunLongitude, 360.0);
    return 1;
}

double FeatureSunAltitude(double jd, double longitude, double latitude) {
    return std::asin(SinSunAltitude(GetSunOverMoon(jd), longitude, latitude)) * kRadToDeg;
}

double FindFeatureSunCrossing(double jd, double longitude, double latitude, int rising) {
    double cosLatitude = std::cos(latitude * kDegToRad);
    if (std::fabs(cosLatitude) < kMinCosLatitude) return 0.0;
    double rate = 1.0 / (cosLatitude * kColongitudeRate);
    bool found = false;
    for (int n = 0; n < kMaxCrossingSteps && !found; ++n) {
        StepBusyIndicator(1);
        double h = FeatureSunAltitude(jd, longitude, latitude);
        double step = rate * h;
        jd = rising ? jd - step : jd + step;
        found = std::fabs(h) <= kCrossingTolerance;
    }
    EndBusyIndicator(1);
    return found ? jd : 0.0;
}

double FindFeatureSunrise(double jd, double longitude, double latitude) {
    return FindFeatureSunCrossing(jd, longitude, latitude, 1);
}

double FindFeatureSunset(double jd, double longitude, double latitude) {
    return FindFeatureSunCrossing(jd, longitude, latitude, 0);
}

int ComputeTerminatorPoints(double jd, int* indices, int maxCount, int minDiameter,
                            int maxAltitude) {
    double limit = std::sin(maxAltitude * kDegToRad);
    SunOverMoon sun = GetSunOverMoon(jd);
    int count = 0;
    int records = GetMoonRecordCount();
    for (int i = 0; i < records && count < maxCount; ++i) {
        StepBusyIndicator(1);
        MoonFeatureRecord record;
        if (!GetMoonRecord(i, &record)) continue;
        if (record.diameter < static_cast<float>(minDiameter)) continue;
        double s = SinSunAltitude(sun, record.longitude, -record.latitude);
        if (s >= 0.0 && s <= limit) indices[count++] = i;
    }
    EndBusyIndicator(1);
    return count;
}
