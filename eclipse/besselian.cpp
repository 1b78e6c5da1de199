#include "eclipse/besselian.h"

#include <cmath>
#include <initializer_list>

#include "core/julian_day.h"
#include "core/least_squares.h"
#include "core/nutation.h"
#include "ephemeris/body_position.h"
#include "ephemeris/ephemeris_work.h"
#include "ephemeris/moon_elp2000.h"
#include "ephemeris/sun_vsop87.h"

BesselianInstant besselianInstant;
BesselianElements besselianElements;

namespace {

constexpr double kRadToDeg = 57.29577951308232;
constexpr double kArcsecToRad = 4.84813681109536e-6;
constexpr double kEarthRadiiPerAu = 23454.779920164812;    // 149597870 km / 6378.14 km
constexpr double kSunSemidiameter = 0.004652417528031441;  // 959.63" at 1 AU, radians
constexpr double kSolarParallax = 4.2635232641020645e-5;   // 8.794148", radians
constexpr double kMoonRadius = 0.2725076;                  // Earth radii

// Geometry of the shadow axis from the apparent Sun and Moon (radians, AU).
void ShadowAxis(const BodyPosition& sun, const BodyPosition& moon, BesselianInstant* out,
                double* axisRa) {
    const double b = moon.distance / sun.distance;
    const double dx =
        std::cos(sun.dec) * std::cos(sun.ra) - b * std::cos(moon.dec) * std::cos(moon.ra);
    const double dy =
        std::cos(sun.dec) * std::sin(sun.ra) - b * std::cos(moon.dec) * std::sin(moon.ra);
    const double g = std::sin(sun.dec) - b * std::sin(moon.dec);
    const double a = std::atan2(dy, dx);
    // d = atan(G cos a / D) and g = G / sin d, written so that neither divides by zero when
    // the axis lies on the equator or on the 6 h meridian.
    const double d = std::atan2(g, std::hypot(dx, dy));
    const double length = std::hypot(std::hypot(dx, dy), g);
    const double rm = moon.distance * kEarthRadiiPerAu;
    const double h = moon.ra - a;
    out->x = rm * std::cos(moon.dec) * std::sin(h);
    out->y =
        rm * (std::sin(moon.dec) * std::cos(d) - std::cos(moon.dec) * std::sin(d) * std::cos(h));
    const double z =
        rm * (std::sin(moon.dec) * std::sin(d) + std::cos(moon.dec) * std::cos(d) * std::cos(h));
    out->d = d;
    const double gr = length * sun.distance;
    out->f1 = std::asin((std::sin(kSunSemidiameter) + kMoonRadius * std::sin(kSolarParallax)) / gr);
    out->f2 = std::asin((std::sin(kSunSemidiameter) - kMoonRadius * std::sin(kSolarParallax)) / gr);
    out->l1 = z * std::sin(out->f1) + kMoonRadius;
    out->l2 = z * std::sin(out->f2) - kMoonRadius;
    *axisRa = a;
}

// Greenwich apparent sidereal time (degrees, counted from 0h of the date, not reduced) at
// `hours` after 0h, the date taken as universal time; T in centuries for the nutation.
double SiderealDegrees(int year, int month, int day, double hours, double t) {
    const double t0 = (JulianDayFromDateTime(year, month, day, 0, 0, 0, 0) - 2451545.0) / 36525;
    const double theta0 = 100.46061837 + 36000.770053608 * t0 + 0.000387933 * t0 * t0 -
                          2.5833118057349522e-8 * t0 * t0 * t0;
    double dpsi, deps;
    ComputeNutationSeries(t, &dpsi, &deps);
    const double eps =
        (84381.448 - 46.815 * t - 0.00059 * t * t + 0.001813 * t * t * t + deps) * kArcsecToRad;
    return theta0 + 15.04106864025 * hours + dpsi * std::cos(eps) / 3600;
}

// Least-squares coefficients over tau = -4 .. 4 into the listed places (as many as given);
// the places keep their values when the fit cannot be made.
void FitOne(const double* y, int coefficients, std::initializer_list<double*> places) {
    static const double kTau[9] = {-4, -3, -2, -1, 0, 1, 2, 3, 4};
    double c[4];
    if (!FitPolynomial(kTau, y, c, 9, coefficients)) return;
    int i = 0;
    for (double* place : places) *place = c[i++];
}

}  // namespace

void ComputeBesselianInstant(int year, int month, int day, int hour, int minute, int second) {
    const double jd = JulianDayFromDateTime(year, month, day, hour, minute, second, 0);
    const double t = (jd - 2451545.0) * 2.7378507871321012e-5;
    BodyPosition sun{}, moon{};
    ComputeApparentSun(&sun, t);
    ComputeApparentMoon(&moon, t, ephemerisWork.longitude);
    double a;
    ShadowAxis(sun, moon, &besselianInstant, &a);
    const double hours = hour + minute / 60.0 + second / 3600.0;
    besselianInstant.mu = SiderealDegrees(year, month, day, hours, t) - a * kRadToDeg;
}

int BesselianReferenceHour(int hour, int minute) { return hour + (minute + 30) / 60; }

void BuildBesselianElements(BesselianElements* elements, int year, int month, int day, int hour) {
    BesselianInstant samples[9];
    for (int k = -4; k <= 4; ++k) {
        ComputeBesselianInstant(year, month, day, hour, 60 * k, 0);
        samples[k + 4] = besselianInstant;
    }
    FitBesselianSamples(elements, samples, hour);
}

void FitBesselianSamples(BesselianElements* elements, const BesselianInstant samples[9],
                         double t0) {
    double x[9], y[9], d[9], mu[9], l1[9], l2[9];
    for (int k = 0; k < 9; ++k) {
        x[k] = samples[k].x;
        y[k] = samples[k].y;
        d[k] = samples[k].d * kRadToDeg;
        mu[k] = samples[k].mu;
        if (k > 0) mu[k] -= 360.0 * std::round((mu[k] - mu[k - 1]) / 360.0);
        l1[k] = samples[k].l1;
        l2[k] = samples[k].l2;
    }
    BesselianElements& e = *elements;
    FitOne(x, 4, {&e.x0, &e.x1, &e.x2, &e.x3});
    FitOne(y, 4, {&e.y0, &e.y1, &e.y2, &e.y3});
    FitOne(d, 3, {&e.d0, &e.d1, &e.d2});
    FitOne(mu, 2, {&e.mu0, &e.mu1});
    e.mu0 = std::fmod(e.mu0, 360.0);
    FitOne(l1, 4, {&e.l1_0, &e.l1_1, &e.l1_2});
    FitOne(l2, 4, {&e.l2_0, &e.l2_1, &e.l2_2});
    e.t0 = t0;
    e.tanF1 = std::tan(samples[4].f1);
    e.tanF2 = std::tan(samples[4].f2);
}
