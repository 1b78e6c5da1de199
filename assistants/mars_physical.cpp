#include "assistants/mars_physical.h"

#include <cmath>
#include <numbers>

#include "core/delta_t.h"
#include "core/julian_day.h"
#include "core/preferences.h"
#include "core/shared_state.h"
#include "ephemeris/body_positions.h"
#include "ui/screen_layout.h"

namespace {

constexpr double kDegToRad = 0.017453292519943295;
constexpr double kRadToDeg = 57.29577951308232;
constexpr double kTwoPi = 6.2831853;
constexpr double kArcsecToRad = 4.848132257047972e-6;
constexpr double kLightDaysPerAu = 0.0057755183;

// Into [0, 360] by whole turns, only when outside.
double WrapInto360(double a) {
    while (a > 360.0) a -= 360.0;
    while (a < 0.0) a += 360.0;
    return a;
}

// Mars's apparent geocentric place with the position mode forced to 0; false
// for a date its theory does not cover.
bool GeocentricMars(int year, int month, int day, int hour, int minute, BodyPosition* mars) {
    int32_t& mode = preferences.word[kPrefPositionMode];
    int32_t saved = mode;
    mode = 0;
    const int status = ComputeBody(mars, 4, year, month, day, hour, minute, 0);
    mode = saved;
    return status == 0;
}

// An argument given in revolutions as a + b d: its fractional part in radians.
double Revolutions(double a, double b, double d) {
    double r = a + b * d;
    return (r - std::floor(r)) * kTwoPi;
}

// The angle of atan(num / den), a half turn added when den < 0 (radians).
double QuadrantAtan(double num, double den) {
    double a = std::atan(num / den);
    return den < 0 ? a + std::numbers::pi : a;
}

struct Place {
    double alpha, delta, distance;  // radians, AU
};

// Mars's geocentric equatorial place of date from the light series.
Place LightSeriesMars(double d, double T) {
    double ls = Revolutions(0.779072, 0.00273790931, d);
    double gs = Revolutions(0.993126, 0.0027377785, d);
    double l4 = Revolutions(0.987353, 0.00145575328, d);
    double g4 = Revolutions(0.053856, 0.00145561327, d);
    double f4 = Revolutions(0.849694, 0.00145569465, d);
    double g5 = Revolutions(0.056531, 0.00023080893, d);

    double lambdaS = ls + (6910 * std::sin(gs) + 72 * std::sin(2 * gs) - 17 * T * std::sin(gs) -
                           7 * std::cos(gs - g5)) * kArcsecToRad;
    double R = 1.00014 - 0.01675 * std::cos(gs) - 0.00014 * std::cos(2 * gs);

    double lambdaM = l4 + (38451 * std::sin(g4) + 2238 * std::sin(2 * g4) + 181 * std::sin(3 * g4) -
                           52 * std::sin(2 * f4) + 37 * T * std::sin(g4) - 22 * std::cos(g4 - 2 * g5) -
                           19 * std::sin(g4 - g5) + 17 * std::cos(g4 - g5) + 17 * std::sin(4 * g4) -
                           16 * std::cos(2 * g4 - 2 * g5) + 13 * std::cos(gs - 2 * g4) -
                           10 * std::sin(g4 - 2 * f4) + 7 * std::cos(gs - g4) - 7 * std::cos(2 * gs - 3 * g4)) *
                              kArcsecToRad;
    double betaM = (6603 * std::sin(f4) + 622 * std::sin(g4 - f4) + 615 * std::sin(f4 + g4) +
                    64 * std::sin(2 * g4 + f4)) * kArcsecToRad;
    double r = 1.53031 - 0.1417 * std::cos(g4) - 0.0066 * std::cos(2 * g4) - 0.00047 * std::cos(3 * g4);

    double y = r * std::cos(betaM) * std::sin(lambdaM - lambdaS);
    double x = r * std::cos(betaM) * std::cos(lambdaM - lambdaS) + R;
    double z = r * std::sin(betaM);
    double lambda = QuadrantAtan(y, x) + lambdaS;
    double distance = std::sqrt(x * x + y * y + z * z);
    double beta = std::asin(z / distance);

    double eps = (84428 - 47 * T) * kArcsecToRad;
    Place p;
    p.alpha = QuadrantAtan(std::sin(lambda) * std::cos(eps) - std::tan(beta) * std::sin(eps), std::cos(lambda));
    p.delta = std::asin(std::sin(beta) * std::cos(eps) + std::cos(beta) * std::sin(eps) * std::sin(lambda));
    p.distance = distance;
    return p;
}

}  // namespace

double NormalizeDegrees360(double angle) {
    while (angle < 0) angle += 360.0;
    double turns = angle / 360.0;
    return (turns - std::floor(turns)) * 360.0;
}

bool ComputeMarsPhysical(int year, int month, int day, int hour, int minute, float* centralMeridian,
                         float* positionAngle, float* earthDeclination, float* diameter) {
    BodyPosition mars{};
    if (!GeocentricMars(year, month, day, hour, minute, &mars)) return false;
    double jd = JulianDayFromDateTime(year, month, day, hour, minute, 0, currentSite.zoneMinutes);
    double T = (jd - 2451545.0) / 36525.0;
    double lambda0 = (352.9065 + 1.1733 * T) * kDegToRad;
    double beta0 = (63.2818 - 0.00394 * T) * kDegToRad;
    double eps = (23.43916667 - 0.013004167 * T - 1.63889e-7 * T * T + 5.03611e-7 * T * T * T) * kDegToRad;

    double alpha0 = std::atan2(std::sin(lambda0) * std::cos(eps) - std::tan(beta0) * std::sin(eps), std::cos(lambda0));
    while (alpha0 < 0) alpha0 += 2 * std::numbers::pi;
    double delta0 = std::asin(std::sin(beta0) * std::cos(eps) + std::cos(beta0) * std::sin(eps) * std::sin(lambda0));

    double alpha = mars.ra * 15.0 * kDegToRad;
    double delta = mars.dec * kDegToRad;
    double lambda = std::atan2(std::sin(alpha) * std::cos(eps) + std::tan(delta) * std::sin(eps), std::cos(alpha));
    double beta = std::asin(std::cos(eps) * std::sin(delta) - std::sin(alpha) * std::sin(eps) * std::cos(delta));

    double de = std::asin(-std::sin(beta0) * std::sin(beta) - std::cos(beta0) * std::cos(beta) * std::cos(lambda0 - lambda));
    // The rotation runs in dynamical time: W at the universal-time day would lag by
    // Delta T x 350.89 degrees a day (a quarter of a degree in the 1990s).
    double tau = kLightDaysPerAu * mars.distance;
    double jde = jd + ComputeDeltaT(year, month, day) / 86400.0;
    double w = std::fmod(11.504 + 350.89200025 * (jde - tau - 2433282.5), 360.0);

    double da = alpha0 - alpha;
    double omega = w - kRadToDeg * std::atan2(std::sin(delta0) * std::cos(delta) * std::cos(da) -
                                                  std::sin(delta) * std::cos(delta0),
                                              std::cos(delta) * std::sin(da));
    double p = kRadToDeg * std::atan2(std::cos(delta0) * std::sin(da),
                                      std::sin(delta0) * std::cos(delta) - std::cos(delta0) * std::sin(delta) * std::cos(da));
    *centralMeridian = static_cast<float>(WrapInto360(omega));
    *positionAngle = static_cast<float>(WrapInto360(p));
    *earthDeclination = static_cast<float>(de * kRadToDeg);
    *diameter = static_cast<float>(mars.apparentDiameter);
    return true;
}

void ComputeMarsEphemeris(double jd, MarsEphemeris* out) {
    int year, month, day, hour, minute, second;
    CalendarFromJulianDay(jd, &year, &month, &day, &hour, &minute, &second);
    double d = jd - 2451545.0;
    double de = d + ComputeDeltaT(year, month, day) / 86400.0;  // dynamical time, for W
    double T = d / 36525.0 + 1.0;
    double t = T - 1.0;
    Place m = LightSeriesMars(d, T);

    double alpha0 = NormalizeDegrees360(317.681 + 0.678 * t) * kDegToRad;
    double delta0 = NormalizeDegrees360(52.886 + 0.352 * t) * kDegToRad;
    double da = alpha0 - m.alpha;
    out->earthDeclination =
        kRadToDeg * std::asin(-std::sin(delta0) * std::sin(m.delta) - std::cos(delta0) * std::cos(m.delta) * std::cos(da));

    double q = kRadToDeg * QuadrantAtan(std::sin(delta0) * std::cos(m.delta) * std::cos(da) -
                                            std::cos(delta0) * std::sin(m.delta),
                                        std::cos(m.delta) * std::sin(da));
    double w = 176.655 + 350.891983 * (de - 0.0057755 * m.distance) + 0.62 * t;
    out->centralMeridian = NormalizeDegrees360(w - q);
    double p = kRadToDeg * QuadrantAtan(std::cos(delta0) * std::sin(da),
                                        std::sin(delta0) * std::cos(m.delta) -
                                            std::cos(delta0) * std::sin(m.delta) * std::cos(da));
    out->positionAngle = NormalizeDegrees360(p);
    out->earthLongitude = NormalizeDegrees360(q);
    out->distance = m.distance;
}

void ComputeMarsMoons(double jd, const MarsEphemeris& ephemeris, double x[2], double y[2], int32_t visible[2]) {
    // Sidereal mean motions (degrees a day) of JPL's mean orbital elements of the Martian
    // satellites (Jacobson's ephemeris). Mean longitudes at 2025 January 1.0 UT in Mars's equator
    // of date from its ascending node on the Earth's equator, fitted to PyEphem 4.1.4's moons over
    // 2020-2030 by scripts/reference/mars_moons_pyephem.py: residuals at most 2.8 degrees for
    // Phobos (1.3 rms, mostly its orbit's eccentricity) and 0.5 for Deimos (0.1 rms).
    constexpr double kMeanMotion[2] = {1128.8445, 285.1618};
    constexpr double kLongitudeAtEpoch[2] = {22.036, 334.624};
    constexpr double kEpoch = 2460676.5;
    double u = 6 * GetScreenScale();
    double sinTilt = std::sin(ephemeris.earthDeclination * 0.0174532925);
    double emitted = jd - kLightDaysPerAu * ephemeris.distance;
    for (int k = 0; k < 2; ++k) {
        // M counts from the orbit's point nearest the Earth.
        double longitude = kLongitudeAtEpoch[k] + kMeanMotion[k] * (emitted - kEpoch);
        double m = NormalizeDegrees360(std::fmod(longitude - ephemeris.earthLongitude, 360.0)) * 0.0174532925;
        double rho = k == 0 ? u : 3 * u;
        double p = rho * std::sin(m);
        double q = rho * sinTilt * std::cos(m);
        double s = std::sqrt(p * p + q * q);
        double phi = std::atan2(p, q) * 57.29577957855229;
        double turned = (NormalizeDegrees360(phi + ephemeris.positionAngle - 180.0) - 180.0) * 0.0174532925;
        x[k] = 2 * s * std::sin(turned);
        y[k] = 2 * s * std::cos(turned);
        bool farHalf = m > 1.571 && m < 4.712;
        visible[k] = farHalf && std::sqrt(x[k] * x[k] + y[k] * y[k]) < u - 1 ? 0 : 1;
    }
}
