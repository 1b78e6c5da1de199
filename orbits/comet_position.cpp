#include "orbits/comet_position.h"

#include <cmath>
#include <initializer_list>
#include <limits>

#include "core/julian_day.h"
#include "core/text_numbers.h"

namespace {

constexpr double kGauss = 0.01720209895;  // Gaussian gravitational constant
constexpr double kTolerance = 1e-12;
constexpr int kMaxIterations = 80;
constexpr double kRadians = 0.0174532925199433;
constexpr double kPi = 3.14159265358979323846;
constexpr double kPrecessionPerYear = 0.00024381748353014522;  // 50.29" in radians
constexpr double kObliquity = 0.4090928042221351;             // 23.4392911 degrees
constexpr double kHoursPerRadian = 3.819718634205488;
constexpr int kCometKind = 13;
constexpr float kDayLimit = 1e7f;  // a day field beyond this (or not a number) is damaged
constexpr double kGaussDegreesPerDay = 0.9856076686;  // k in degrees a day

double PerihelionTerm(double q) { return q * std::sqrt(q) * std::sqrt(2.0); }

// Solves s^3 / 3 + s = w for s (s = tan(v / 2)) by Newton's method from `s`;
// false when 80 steps do not bring two values within the tolerance, taken
// relative to s beyond |s| = 1: far out (|s| above about 4,000) a step of
// 1e-12 is below the last digit of s and was never reached.
bool SolveBarker(double w, double* s) {
    for (int n = 0; n < kMaxIterations; ++n) {
        double previous = *s;
        *s = (2.0 / 3.0 * previous * previous * previous + w) / (previous * previous + 1.0);
        if (!(std::fabs(*s - previous) > kTolerance * std::fmax(1.0, std::fabs(*s)))) return true;
    }
    return false;
}

// Newton's method on an increasing function f, convex from the root to the
// start, from a start where f >= 0: every step stays between the root and the
// one before, so it converges for any eccentricity. Stops when a step is no
// longer above the tolerance; false after 80 steps.
template <typename Function>
bool NewtonFromAbove(Function f, double* x) {
    for (int n = 0; n < kMaxIterations; ++n) {
        double value = 0, slope = 0;
        f(*x, &value, &slope);
        if (value == 0 || !(slope > 0)) return value == 0;
        const double step = value / slope;
        *x -= step;
        if (!(std::fabs(step) > kTolerance)) return true;
    }
    return false;
}

// Eccentric anomaly of mean anomaly m in [-pi, pi]: fixed-point iteration below
// e = 0.6; above, Newton's method on E - e sin E - M from min(M + e, pi,
// M / (1 - e)), each a start where the function is not negative and convex
// towards the root (mirrored for negative M), which converges up to e = 1.
bool SolveKepler(double m, double e, double* eccentricAnomaly) {
    if (e < 0.6) {
        double ea = m + e * std::sin(m);
        for (int n = 0; n < kMaxIterations; ++n) {
            const double next = m + e * std::sin(ea);
            const bool done = !(std::fabs(next - ea) > kTolerance);
            ea = next;
            if (done) {
                *eccentricAnomaly = ea;
                return true;
            }
        }
        return false;
    }
    const double sign = m < 0 ? -1.0 : 1.0, mean = std::fabs(m);
    double ea = std::fmin(std::fmin(mean + e, kPi), mean / (1.0 - e));
    const auto kepler = [&](double x, double* value, double* slope) {
        *value = x - e * std::sin(x) - mean;
        *slope = 1.0 - e * std::cos(x);
    };
    if (!NewtonFromAbove(kepler, &ea)) return false;
    *eccentricAnomaly = sign * ea;
    return true;
}

// Hyperbolic anomaly H of mean anomaly m (e sinh H - H = M, e > 1): Newton's
// method from min(asinh(M / (e - 1)), cbrt(6 M)), both starts where the
// function is not negative (e sinh H - H >= (e - 1) sinh H and >= H^3 / 6),
// mirrored for negative M.
bool SolveHyperbolicKepler(double m, double e, double* anomaly) {
    const double sign = m < 0 ? -1.0 : 1.0, mean = std::fabs(m);
    double h = std::fmin(std::asinh(mean / (e - 1.0)), std::cbrt(6.0 * mean));
    const auto kepler = [&](double x, double* value, double* slope) {
        *value = e * std::sinh(x) - x - mean;
        *slope = e * std::cosh(x) - 1.0;
    };
    if (!NewtonFromAbove(kepler, &h)) return false;
    *anomaly = sign * h;
    return true;
}

// Writes the orbital-plane position; 1, or 0 when damaged elements (a word
// that is not a number or infinite) gave no finite position.
int SetPlane(float out[3], double x, double y) {
    out[0] = static_cast<float>(x);
    out[1] = static_cast<float>(y);
    out[2] = 0.0f;
    return std::isfinite(out[0]) && std::isfinite(out[1]) ? 1 : 0;
}

// Angle whose cosine is c, with c clamped into [-1, 1].
double ClampedAcos(double c) { return std::acos(c > 1.0 ? 1.0 : c < -1.0 ? -1.0 : c); }

}  // namespace

void CometSunPosition(double jd, int equinoxYear, double* x0, double* y0, double* distance) {
    double t = (jd - 2451545.0) / 36525.0;
    double l0 = std::fmod(280.46646 + 36000.76983 * t + 0.0003032 * t * t, 360.0);
    double m = std::fmod(357.52911 + 35999.05029 * t - 0.0001537 * t * t, 360.0) * kRadians;
    double e0 = 0.016708634 - 4.2037e-5 * t - 1.267e-7 * t * t;
    double c = (1.914602 - 0.004817 * t - 1.4e-5 * t * t) * std::sin(m) + (0.019993 - 0.000101 * t) * std::sin(2 * m) +
               0.000289 * std::sin(3 * m);
    double nu = m + c * kRadians;
    *distance = 1.000001018 * (1.0 - e0 * e0) / (1.0 + e0 * std::cos(nu));
    double sinceEquinox = (jd - 2451545.0) / 365.25 - (equinoxYear - 2000);
    double lambda = (l0 + c) * kRadians - sinceEquinox * kPrecessionPerYear;
    *x0 = *distance * std::cos(lambda);
    *y0 = *distance * std::sin(lambda);
}

double CometPerihelionTime(const CometRecord* c) {
    const double word = c->workPerihelionTime;
    const double whole = std::floor(static_cast<double>(c->day));
    if (!(std::fabs(whole) <= kDayLimit)) return word;
    const double exact = JulianDayFromDateTime(c->year, c->month, static_cast<int>(whole), 0, 0, 0, 0) +
                         (static_cast<double>(c->day) - whole);
    return static_cast<float>(exact) == c->workPerihelionTime ? exact : word;
}

void FillCometWorkWords(CometRecord* c) {
    float whole = std::floor(c->day);
    if (whole >= -kDayLimit && whole <= kDayLimit) {
        float start = static_cast<float>(JulianDayFromDateTime(c->year, c->month, static_cast<int>(whole), 0, 0, 0, 0));
        c->workPerihelionTime = start + (c->day - whole);
    } else {
        c->workPerihelionTime = std::numeric_limits<float>::quiet_NaN();  // a damaged day: no time
    }
    c->workEccentricity = c->eccentricity;
    c->semiMajorAxis = static_cast<float>(static_cast<double>(c->perihelionDistance) / (1.0 - c->eccentricity));
    c->workPerihelionDistance = c->perihelionDistance;
    c->workArgPerihelion = c->argPerihelion;
    c->workNode = c->node;
    c->workInclination = c->inclination;
    c->workEquinox = 2000.0f;
}

double MinorPlanetPerihelionTime(double epoch, double semiMajorAxis, double meanAnomaly) {
    const double motion = kGaussDegreesPerDay / std::pow(semiMajorAxis, 1.5);
    const double t = epoch - meanAnomaly / motion;
    const double first = JulianDayFromDateTime(-32767, 1, 1, 0, 0, 0, 0);
    const double last = JulianDayFromDateTime(32767, 12, 31, 0, 0, 0, 0);
    return t >= first && t <= last ? t : std::numeric_limits<double>::quiet_NaN();
}

bool SetMinorPlanetPerihelion(CometRecord* c, double epoch) {
    const double t = MinorPlanetPerihelionTime(epoch, c->semiMajorAxis, c->meanAnomaly);
    if (!std::isfinite(t)) return false;
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
    CalendarFromJulianDay(t, &year, &month, &day, &hour, &minute, &second);
    c->perihelionDistance = static_cast<float>(c->semiMajorAxis * (1.0 - static_cast<double>(c->eccentricity)));
    c->year = static_cast<int16_t>(year);
    c->month = static_cast<int16_t>(month);
    c->day = static_cast<float>(day + (hour * 3600.0 + minute * 60.0 + second) / 86400.0);
    return true;
}

int SolveEllipticOrbit(const CometRecord* c, double jd, float out[3]) {
    double q = c->workPerihelionDistance;
    double e = c->workEccentricity;
    if (q == 0.0 || !(e < 1.0)) return 0;
    double a = q / (1.0 - e);
    // Whole revolutions taken out, so that the iterations keep their precision.
    double m = std::remainder(kGauss * (jd - CometPerihelionTime(c)) / (a * std::sqrt(a)), 2.0 * kPi);
    double ea;
    if (!SolveKepler(m, e, &ea)) return 0;
    // a (cos E - e) and a sqrt(1 - e^2) sin E, written without the differences
    // that lose the digits near e = 1.
    const double half = std::sin(ea / 2);
    return SetPlane(out, q - 2.0 * a * half * half, q * std::sqrt((1.0 + e) / (1.0 - e)) * std::sin(ea));
}

int SolveParabolicOrbit(const CometRecord* c, double jd, float out[3]) {
    double q = c->workPerihelionDistance;
    if (q == 0.0) return 0;
    double w = kGauss * (jd - CometPerihelionTime(c)) / PerihelionTerm(q);
    double s = w;
    if (!SolveBarker(w, &s)) return 0;
    return SetPlane(out, q * (1.0 - s * s), 2.0 * q * s);
}

int SolveHyperbolicOrbit(const CometRecord* c, double jd, float out[3]) {
    double q = c->workPerihelionDistance;
    double e = c->workEccentricity;
    if (q == 0.0 || !(e > 1.0)) return 0;
    double a = q / (e - 1.0);
    double h;
    if (!SolveHyperbolicKepler(kGauss * (jd - CometPerihelionTime(c)) / (a * std::sqrt(a)), e, &h)) return 0;
    // a (e - cosh H) and a sqrt(e^2 - 1) sinh H, as for the ellipse.
    const double half = std::sinh(h / 2);
    return SetPlane(out, q - 2.0 * a * half * half, q * std::sqrt((e + 1.0) / (e - 1.0)) * std::sinh(h));
}

int SolveOrbit(const CometRecord* c, double jd, float out[3]) {
    double e = c->workEccentricity;
    if (std::fabs(e - 1.0) < kTolerance) return SolveParabolicOrbit(c, jd, out);
    if (e < 1.0) return SolveEllipticOrbit(c, jd, out);
    return SolveHyperbolicOrbit(c, jd, out);
}

int ComputeCometPosition(const CometRecord* c, double jd, int equinoxYear, float* rightAscension, float* declination,
                         float* delta, float* r, float* elongation, float* phaseAngle) {
    float plane[3];
    int status = SolveOrbit(c, jd, plane);
    if (!status) {
        const float nan = std::numeric_limits<float>::quiet_NaN();
        *rightAscension = *declination = *delta = *r = *elongation = *phaseAngle = nan;
        return 0;
    }
    double x0, y0, sunDistance;
    CometSunPosition(jd, equinoxYear, &x0, &y0, &sunDistance);
    double v = std::atan2(plane[1], plane[0]);
    double radius = std::sqrt(static_cast<double>(plane[0] * plane[0]) + static_cast<double>(plane[1] * plane[1]));
    double sinNode, cosNode, sinI, cosI, sinU, cosU;
    SinCos(c->workNode * kRadians, &sinNode, &cosNode);
    SinCos(c->workInclination * kRadians, &sinI, &cosI);
    SinCos(c->workArgPerihelion * kRadians + v, &sinU, &cosU);
    double x = radius * (cosU * cosNode - cosI * sinU * sinNode);
    double y = radius * (cosI * sinU * cosNode + cosU * sinNode);
    double l = std::atan2(y, x) + (equinoxYear - 2000) * kPrecessionPerYear;
    double b = std::atan2(radius * sinI * sinU, std::sqrt(x * x + y * y));
    double xh = radius * std::cos(b) * std::cos(l), yh = radius * std::cos(b) * std::sin(l), zh = radius * std::sin(b);
    double xg = xh + x0, yg = yh + y0, zg = zh;
    double xq = xg;
    double yq = std::cos(kObliquity) * yg - std::sin(kObliquity) * zg;
    double zq = std::cos(kObliquity) * zg + std::sin(kObliquity) * yg;
    double ra = std::atan2(yq, xq) * kHoursPerRadian;
    // A hair below 0 h rounds to 24.0 in single precision: that is 0 h.
    float hours = static_cast<float>(ra < 0 ? ra + 24.0 : ra);
    *rightAscension = hours < 24.0f ? hours : 0.0f;
    *declination = static_cast<float>(std::atan2(zq, std::sqrt(xq * xq + yq * yq)) / kRadians);
    double d = std::sqrt(xq * xq + yq * yq + zq * zq);
    double rs = std::sqrt(xh * xh + yh * yh + zh * zh);
    *delta = static_cast<float>(d);
    *r = static_cast<float>(rs);
    *elongation = static_cast<float>(ClampedAcos((d * d + sunDistance * sunDistance - rs * rs) / (2 * d * sunDistance)));
    *phaseAngle = static_cast<float>(ClampedAcos((rs * rs + d * d - sunDistance * sunDistance) / (2 * rs * d)));
    // Angles of a damaged record that are not numbers give no place.
    for (float value : {*rightAscension, *declination, *delta, *r, *elongation, *phaseAngle}) {
        if (std::isfinite(value)) continue;
        const float nan = std::numeric_limits<float>::quiet_NaN();
        *rightAscension = *declination = *delta = *r = *elongation = *phaseAngle = nan;
        return 0;
    }
    return status;
}

double ComputeCometMagnitude(const CometRecord* c, double delta, double r, double phaseAngle) {
    if (c->kind == kCometKind) return c->absoluteMagnitude + 5.0 * std::log10(delta) + c->slope * std::log10(r);
    double t = std::tan(phaseAngle / 2.0);
    double phi1 = std::exp(-3.33 * std::pow(t, 0.63));
    double phi2 = std::exp(-1.87 * std::pow(t, 1.22));
    float product = static_cast<float>(r) * static_cast<float>(delta);
    float oneMinusG = 1.0f - c->slope;
    return c->absoluteMagnitude + 5.0 * std::log10(product) - 2.5 * std::log10(oneMinusG * phi1 + c->slope * phi2);
}
