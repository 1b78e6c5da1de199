#include "eclipse/eclipse_path.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

constexpr double kDegToRad = 0.0174532925199433;
constexpr double kRadToDeg = 57.29577951308232;
constexpr double kRateDegToRad = 0.01745329;  // the site routines' rate terms
constexpr double kE2 = 0.006694385;
constexpr double kSqrtOneMinusE2 = 0.99664719;
constexpr double kInvSqrtOneMinusE2 = 1.003364089;
constexpr double kEarthRadiiPerMetre = 1.5678552054360676e-7;  // 1 / 6378140
constexpr double kEarthDiameterKm = 12756;
constexpr double kSiderealDegreesPerSecond = 0.00417807;
constexpr double kPi = 3.141592653589793;

// The polynomials at tau; d in radians.
struct ElementsAt {
    double x, y, xp, yp, d, l1, l2, mu;
};

ElementsAt Evaluate(const BesselianElements& e, double tau) {
    ElementsAt a;
    a.x = e.x0 + tau * (e.x1 + tau * (e.x2 + tau * e.x3));
    a.y = e.y0 + tau * (e.y1 + tau * (e.y2 + tau * e.y3));
    a.xp = e.x1 + 2 * e.x2 * tau + 3 * e.x3 * tau * tau;
    a.yp = e.y1 + 2 * e.y2 * tau + 3 * e.y3 * tau * tau;
    a.d = (e.d0 + e.d1 * tau + e.d2 * tau * tau) * kDegToRad;
    a.l1 = e.l1_0 + e.l1_1 * tau + e.l1_2 * tau * tau;
    a.l2 = e.l2_0 + e.l2_1 * tau + e.l2_2 * tau * tau;
    a.mu = e.mu0 + e.mu1 * tau;
    return a;
}

double TauOf(const BesselianElements& e, double ut, double deltaT) {
    return ut + deltaT / 3600 - e.t0;
}

// rho1 of the central line: the Earth's figure projected on the fundamental plane.
double Rho1(double d) { return std::sqrt(1 - kE2 * std::cos(d) * std::cos(d)); }

// A west longitude brought into -180..+180.
double ReduceLongitude(double longitude) {
    double l = std::fmod(longitude, 360.0);
    if (l < -180) l += 360;
    if (l > 180) l -= 360;
    return l;
}

// The site in the fundamental plane and the quantities of the limit and contact iterations.
struct SiteGeometry {
    double rhoSin, rhoCos;  // rho sin phi', rho cos phi'
    double sinH, cosH;      // hour angle of the axis at the site
    double xi, eta, zeta;
    double u, v, a, b, n;
    double l1, l2;  // L1', L2'
};

SiteGeometry Geometry(const BesselianElements& e, const ElementsAt& at, double hourAngle,
                      double rhoSin, double rhoCos) {
    SiteGeometry g;
    g.rhoSin = rhoSin;
    g.rhoCos = rhoCos;
    g.sinH = std::sin(hourAngle);
    g.cosH = std::cos(hourAngle);
    const double sd = std::sin(at.d), cd = std::cos(at.d);
    g.xi = rhoCos * g.sinH;
    g.eta = rhoSin * cd - rhoCos * g.cosH * sd;
    g.zeta = rhoCos * g.cosH * cd + rhoSin * sd;
    g.u = at.x - g.xi;
    g.v = at.y - g.eta;
    g.a = at.xp - e.mu1 * rhoCos * g.cosH * kRateDegToRad;
    g.b = at.yp - (e.mu1 * g.xi * sd - e.d1 * g.zeta) * kRateDegToRad;
    g.n = std::hypot(g.a, g.b);
    g.l1 = at.l1 - g.zeta * e.tanF1;
    g.l2 = at.l2 - g.zeta * e.tanF2;
    return g;
}

double HourAngle(const ElementsAt& at, double longitude, double deltaT) {
    return (at.mu - longitude - kSiderealDegreesPerSecond * deltaT) * kDegToRad;
}

// Percent of the Sun's area hidden, plus 0.05, from the cone radii at the site and the
// distance m of the site from the axis.
double ObscurationPercent(double magnitude, double l1, double l2, double m, double ratio) {
    if (magnitude <= 0) return 0;
    if (magnitude >= 1) return 100;
    double f;
    if (l2 >= 0 && std::fabs(l2) >= m) {
        f = ratio * ratio;
    } else {
        const double c =
            std::acos(std::clamp((l1 * l1 + l2 * l2 - 2 * m * m) / (l1 * l1 - l2 * l2), -1.0, 1.0));
        const double b = std::acos(std::clamp((l1 * l2 + m * m) / (m * (l1 + l2)), -1.0, 1.0));
        f = ((kPi - b - c) * ratio * ratio + b - ratio * std::sin(c)) / kPi;
    }
    return std::clamp((1000 * f + 0.5) * 0.1, 0.0, 100.0);
}

}  // namespace

double ComputeCentralLinePoint(const BesselianElements& e, double ut, double deltaT,
                               double* latitude, double* longitude, double* duration,
                               double* width) {
    const double tau = TauOf(e, ut, deltaT);
    const ElementsAt at = Evaluate(e, tau);
    const double muRate = e.mu1 * kDegToRad;
    const double rho1 = Rho1(at.d);
    const double y1 = at.y / rho1;
    const double sd1 = std::sin(at.d) / rho1;
    const double cd1 = kSqrtOneMinusE2 * std::cos(at.d) / rho1;
    const double zeta1 = std::sqrt(1 - at.x * at.x - y1 * y1);
    const double l2 = at.l2 - zeta1 * e.tanF2;
    const double across = zeta1 * cd1 - y1 * sd1;
    const double theta = std::atan2(at.x, across) * kRadToDeg;
    // x / sin theta, the cosine of the reduced latitude, without 0 / 0 on the axis meridian.
    const double cosLatitude1 = std::hypot(at.x, across);
    *latitude = std::atan(kInvSqrtOneMinusE2 * (zeta1 * sd1 + y1 * cd1) / cosLatitude1) * kRadToDeg;
    *longitude = ReduceLongitude(at.mu - theta - kSiderealDegreesPerSecond * deltaT);
    const double a = at.xp + muRate * at.y * std::sin(at.d) - muRate * zeta1 * std::cos(at.d);
    const double b = at.yp - muRate * at.x * std::sin(at.d);
    const double n = std::hypot(a, b);
    *duration = 7200 * std::fabs(l2) / n;
    const double along = (a * at.x + b * at.y) / n;
    *width = kEarthDiameterKm * std::fabs(l2) / std::sqrt(zeta1 * zeta1 + along * along);
    if (std::isnan(zeta1)) *latitude = *longitude = *duration = *width = zeta1;
    return *latitude;
}

void ComputeAxisLimbStep(const BesselianElements& e, double tau, double* before, double* after) {
    const ElementsAt at = Evaluate(e, tau);
    const double rho1 = Rho1(at.d);
    const double y1 = at.y / rho1;
    const double y1p = at.yp / rho1;
    const double n = std::hypot(at.xp, y1p);
    const double s = (at.xp * y1 - y1p * at.x) / n;
    const double tauC = -(at.x * at.xp + y1 * y1p) / (n * n);
    const double h = std::sqrt(1 - s * s) / n;
    *before = tauC - h;
    *after = tauC + h;
}

int ComputeShadowStartEnd(const BesselianElements& e, double deltaT, double* start, double* end) {
    double before, after;
    ComputeAxisLimbStep(e, 0, &before, &after);
    double s = before, t = after;
    ComputeAxisLimbStep(e, s, &before, &after);
    s += before;
    ComputeAxisLimbStep(e, t, &before, &after);
    t += after;
    *start = e.t0 - deltaT / 3600 + s;
    *end = e.t0 - deltaT / 3600 + t;
    if (std::isfinite(*start) && std::isfinite(*end)) return 1;
    *start = *end = std::numeric_limits<double>::quiet_NaN();
    return 0;
}

double LimitLineStep(const BesselianElements& e, double* tau, double longitude, double* latitude,
                     double magnitude, double deltaT, int side) {
    const ElementsAt at = Evaluate(e, *tau);
    const double phi = *latitude * kDegToRad;
    const double reduced = std::atan(kSqrtOneMinusE2 * std::tan(phi));
    const SiteGeometry g = Geometry(e, at, HourAngle(at, longitude, deltaT),
                                    kSqrtOneMinusE2 * std::sin(reduced), std::cos(reduced));
    const double l = g.l1 - magnitude * (g.l1 + g.l2);
    const double q = (g.a * g.v - g.b * g.u) / g.n + side * std::fabs(l);
    const double sd = std::sin(at.d), cd = std::cos(at.d);
    const double slope = g.a * (g.rhoSin * g.cosH * sd + g.rhoCos * cd) + g.b * g.rhoSin * g.sinH;
    *latitude += kRadToDeg * g.n * q / slope;
    *tau -= (g.a * g.u + g.b * g.v) / (g.n * g.n);
    return *tau;
}

double ComputeLimitLatitude(const BesselianElements& e, double longitude, double /*ignored*/,
                            double magnitude, double deltaT, int side) {
    double tau = 0, latitude = 0, previous = 0;
    for (int i = 0; i < 6; ++i) {
        previous = latitude;
        LimitLineStep(e, &tau, longitude, &latitude, magnitude, deltaT, side);
    }
    if (std::fabs(latitude - previous) > 5) latitude = 100;
    if (!std::isfinite(latitude) || std::fabs(latitude) > 90) return side < 0 ? -90 : 90;
    return latitude;
}

double LocalContactStep(const BesselianElements& e, int side, double latitude, double longitude,
                        double height, double deltaT, double* ut, LocalContactCircumstances* out) {
    const ElementsAt at = Evaluate(e, TauOf(e, *ut, deltaT));
    const double phi = latitude * kDegToRad;
    // From sine and cosine: at 90 degrees phi exceeds pi/2 by the rounding of the degree, and atan
    // of its tangent put a pole's site at the other pole.
    const double reduced = std::atan2(kSqrtOneMinusE2 * std::sin(phi), std::cos(phi));
    const double h = height * kEarthRadiiPerMetre;
    const SiteGeometry g = Geometry(e, at, HourAngle(at, longitude, deltaT),
                                    kSqrtOneMinusE2 * std::sin(reduced) + h * std::sin(phi),
                                    std::cos(reduced) + h * std::cos(phi));
    // A site the penumbra never reaches has |S| > 1: its contact steps go to greatest eclipse.
    const double s = (g.a * g.v - g.b * g.u) / (g.n * g.l1);
    const double reach = side == 0 ? 0 : g.l1 * std::sqrt(std::max(0.0, 1 - s * s)) / g.n;
    const double correction = side * reach - (g.a * g.u + g.b * g.v) / (g.n * g.n);

    const double m = std::hypot(g.u, g.v);
    out->magnitude = (g.l1 - m) / (g.l1 + g.l2);
    const double ratio = (g.l1 - g.l2) / (g.l1 + g.l2);
    out->positionAngle = std::atan(g.u / g.v) * kRadToDeg + (g.v < 0 ? 180 : 0);
    const double sd = std::sin(at.d), cd = std::cos(at.d);
    const double altitude =
        std::asin(std::clamp(std::cos(phi) * g.cosH * cd + std::sin(phi) * sd, -1.0, 1.0));
    out->sunAltitude = altitude * kRadToDeg;
    out->sunAzimuth = std::fmod(
        std::atan2(-g.sinH * cd, std::cos(phi) * sd - std::sin(phi) * cd * g.cosH) * kRadToDeg +
            360,
        360.0);
    double q =
        std::asin(std::clamp(g.sinH * std::cos(phi) / std::cos(altitude), -1.0, 1.0)) * kRadToDeg;
    if (g.eta < 0) q = 180 - q;
    out->vertexAngle = out->positionAngle - q;
    out->centralDuration = 7200 * std::fabs(g.l2) / g.n;
    out->partialDuration = 7200 * std::fabs(g.l1) / g.n;
    const double y1 = at.y / Rho1(at.d);
    const double zeta1 = std::sqrt(1 - at.x * at.x - y1 * y1);
    const double along = g.a * at.x + g.b * at.y;
    out->width =
        kEarthDiameterKm * std::fabs(g.l2) / std::sqrt(along * along / (g.n * g.n) + zeta1 * zeta1);
    out->obscuration = ObscurationPercent(out->magnitude, g.l1, g.l2, m, ratio);
    *ut += correction;
    return *ut;
}
