#include "ephemeris/jupiter_central_meridian.h"

#include <cmath>

#include "core/delta_t.h"
#include "core/julian_day.h"
#include "core/preferences.h"
#include "core/shared_state.h"

namespace {

// Single-precision conversion factors: the transit times were fitted with them.
constexpr double kDegToRad = 0.01745329237161969;
constexpr double kRadToDeg = 57.29578;
constexpr double kCentreFactor = 114.5915590261571;  // 2 x degrees per radian
constexpr double kObliquity = 0.40909260682025794;   // rad
constexpr double kLightTime = 5.026244385;           // degrees of rotation per AU
constexpr double kRotationRate = 870.27;             // System II, degrees per day
constexpr double kHoursPerDegree = 0.02757764831603985;  // 24 / 870.27

double SinD(double x) { return std::sin(x * kDegToRad); }
double CosD(double x) { return std::cos(x * kDegToRad); }
double Wrap360(double x) { return x - 360.0 * std::floor(x / 360.0); }

// An orbit point: true anomaly (degrees, [0, 360)) and radius (AU) from the
// mean longitude and perihelion by the first-order equation of the centre.
struct OrbitPoint {
    double v, r;
};

OrbitPoint SolveOrbit(double L, double perihelion, double a, double e) {
    double M = Wrap360(L - perihelion);
    double v = Wrap360(M + kCentreFactor * e * SinD(M));
    return {v, a * (1.0 - e * e) / (1.0 + e * CosD(v))};
}

struct JupiterOrbit {
    double u;         // argument from the equinox in the orbit, degrees
    double r;         // radius, AU
    double l;         // heliocentric ecliptic longitude, degrees
    double psi;       // heliocentric ecliptic latitude, degrees
    double rProjected;
};

JupiterOrbit ComputeJupiterOrbit(double T, double d) {
    double a = 5.20336301 + 0.00060737 * T;
    double e = 0.04839266 - 0.0001288 * T;
    double inc = 1.3053 - 0.001152777777777778 * T;
    double node = 100.55615 + 0.3381027777777778 * T;
    double perihelion = 14.75385 + 0.23331388888888888 * T;
    OrbitPoint p = SolveOrbit(34.40438 + 0.083086762 * d, perihelion, a, e);
    JupiterOrbit o;
    o.u = p.v + perihelion;
    o.r = p.r;
    double sinPsi = SinD(o.u - node) * SinD(inc);
    o.psi = std::atan(sinPsi / std::sqrt(1.0 - sinPsi * sinPsi)) * kRadToDeg;
    double cosArg = CosD(o.u - node);
    o.l = std::atan(CosD(inc) * SinD(o.u - node) / cosArg) * kRadToDeg + node;
    if (cosArg < 0) o.l += 180.0;
    o.rProjected = o.r * CosD(o.psi);
    return o;
}

// The Earth's heliocentric longitude (degrees) and radius (AU).
OrbitPoint ComputeEarthOrbit(double T, double d) {
    double a = 1.00000011 - 5e-08 * T;
    double e = 0.01671022 - 3.804e-05 * T;
    double perihelion = 102.94719 + 0.33285555555555557 * T;
    OrbitPoint p = SolveOrbit(100.46435 + 0.9856091 * d, perihelion, a, e);
    return {p.v + perihelion, (1.0 - e * e) * a / (1.0 + e * CosD(p.v))};
}

// Position angle K of Jupiter's pole (degrees) seen at right ascension alpha
// and declination delta (degrees).
double PoleAngle(double T, double alpha, double delta) {
    double alpha0 = 268.05 - 0.008999999 * T;
    double delta0 = 64.49 + 0.003 * T;
    double sinDE = -SinD(delta0) * SinD(delta) - CosD(delta0) * CosD(delta) * CosD(alpha0 - alpha);
    double cosDE = std::sqrt(1.0 - sinDE * sinDE);
    double y = (SinD(delta0) * CosD(delta) * CosD(alpha0 - alpha) - SinD(delta) * CosD(delta0)) /
               cosDE;
    double x = SinD(alpha0 - alpha) * CosD(delta) / cosDE;
    return std::atan2(y, x) * kRadToDeg;
}

}  // namespace

JupiterMeridian ComputeJupiterMeridian(double jd) {
    double d = jd - 2451545.0;
    double T = d * 2.7378507871321012e-05;
    JupiterOrbit j = ComputeJupiterOrbit(T, d);
    OrbitPoint earth = ComputeEarthOrbit(T, d);
    double LE = earth.v, R = earth.r;
    double lambda =
        std::atan(R * SinD(j.l - LE) / (j.rProjected - R * CosD(j.l - LE))) * kRadToDeg + j.l;
    double beta =
        std::atan(j.rProjected * std::tan(j.psi * kDegToRad) * SinD(lambda - j.l) /
                  (R * SinD(j.l - LE))) * kRadToDeg;
    double sinEps = std::sin(kObliquity), cosEps = std::cos(kObliquity);
    double alpha = std::atan2(SinD(lambda) * cosEps - std::tan(beta * kDegToRad) * sinEps,
                              CosD(lambda)) * kRadToDeg;
    double s = SinD(beta) * cosEps + CosD(beta) * sinEps * SinD(lambda);
    JupiterMeridian m;
    m.declination = std::atan(s / std::sqrt(1.0 - s * s)) * kRadToDeg;
    m.distance = std::sqrt(R * R + j.r * j.r - 2.0 * R * j.r * CosD(j.u - LE));
    m.poleAngle = PoleAngle(T, alpha, m.declination);
    // System II turns in dynamical time: at the universal-time day it would lag by
    // Delta T x 870.27 degrees a day (two-thirds of a degree in 2010).
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
    CalendarFromJulianDay(jd, &year, &month, &day, &hour, &minute, &second);
    const double de = d + ComputeDeltaT(year, month, day) / 86400.0;
    double W = Wrap360(43.3 + kRotationRate * de);
    m.centralMeridian = W - kLightTime * m.distance - m.poleAngle;
    return m;
}

int ComputeJupiterCentralMeridian(int year, int month, int day, int hour[3], int minute[3]) {
    double jd = JulianDayFromDateTime(year, month, day, 0, 0, 0, currentSite.zoneMinutes);
    JupiterMeridian m = ComputeJupiterMeridian(jd);
    // The Red Spot's longitude ahead of the meridian, within one turn, so that
    // the first transit is the first after midnight (the central meridian is not
    // reduced, and the preference may be any number).
    double x = std::fmod(preferences.GetFloat(kPrefGrsLongitude) - m.centralMeridian, 360.0);
    if (x < 0) x += 360.0;
    for (int n = 0; n < 3; ++n) {
        double h = (x + 360.0 * n) * kHoursPerDegree;
        hour[n] = static_cast<int>(std::floor(h));
        minute[n] = static_cast<int>(std::floor((h - hour[n]) * 60.0));
    }
    return minute[2];
}
