#include "assistants/jupiter_moons.h"

#include <algorithm>
#include <cmath>

#include "core/shared_state.h"
#include "ephemeris/moon_view_helpers.h"

JupiterMoonTable jupiterMoonTable;

namespace {

constexpr double kFlattening = 1.071374;
constexpr double kDegree = 0.017453292519943295;
constexpr double kHalfPeriod = 4.963973;
constexpr double kPeriod = 9.927943;
constexpr double kQuarterPeriod = 2.481986;

double SinD(double degrees) { return std::sin(degrees * kDegree); }
double CosD(double degrees) { return std::cos(degrees * kDegree); }

// Jupiter seen from the Earth (Meeus 44, steps 1-8).
struct JupiterView {
    double psi;     // degrees
    double b;       // Jupiter's equation of the centre B, degrees
    double delta;   // Earth-Jupiter distance, AU
    double de, ds;  // Jovicentric declinations of the Earth and the Sun, degrees
};

JupiterView ViewFrom(double d) {
    const double v = 172.74 + 0.00111588 * d;
    const double m = 357.529 + 0.9856003 * d;
    const double n = 20.020 + 0.0830853 * d + 0.329 * SinD(v);
    const double j = 66.115 + 0.9025179 * d - 0.329 * SinD(v);
    const double a = 1.915 * SinD(m) + 0.020 * SinD(2 * m);
    const double b = 5.555 * SinD(n) + 0.168 * SinD(2 * n);
    const double k = j + a - b;
    const double bigR = 1.00014 - 0.01671 * CosD(m) - 0.00014 * CosD(2 * m);
    const double r = 5.20872 - 0.25208 * CosD(n) - 0.00611 * CosD(2 * n);
    JupiterView view;
    view.delta = std::sqrt(r * r + bigR * bigR - 2 * r * bigR * CosD(k));
    view.psi = std::asin(bigR * SinD(k) / view.delta) * 57.29577951308232;
    view.b = b;
    const double lambda = 34.35 + 0.083091 * d + 0.329 * SinD(v) + b;
    view.ds = 3.12 * SinD(lambda + 42.8);
    view.de = view.ds - 2.22 * SinD(view.psi) * CosD(lambda + 22) -
              1.30 * (r - view.delta) / view.delta * SinD(lambda - 100.5);
    return view;
}

// Longitudes u (radians) and distances r of the four moons (steps 9-11).
void Orbits(double d, const JupiterView& view, double u[4], double r[4]) {
    const double t = d - view.delta / 173;
    const double shift = view.psi - view.b;
    double u1 = ReduceDegrees(163.8069 + 203.4058646 * t + shift);
    double u2 = ReduceDegrees(358.414 + 101.2916335 * t + shift);
    double u3 = ReduceDegrees(5.7176 + 50.234518 * t + shift);
    double u4 = ReduceDegrees(224.8092 + 21.48798 * t + shift);
    const double g = ReduceDegrees(331.18 + 50.310482 * t);
    const double h = ReduceDegrees(87.45 + 21.569231 * t);
    const double c12 = 2 * (u1 - u2), c23 = 2 * (u2 - u3);
    u[0] = u1 + 0.473 * SinD(c12);
    u[1] = u2 + 1.065 * SinD(c23);
    u[2] = u3 + 0.165 * SinD(g);
    u[3] = u4 + 0.843 * SinD(h);
    r[0] = 5.9057 - 0.0244 * CosD(c12);
    r[1] = 9.3966 - 0.0882 * CosD(c23);
    r[2] = 14.9883 - 0.0216 * CosD(g);
    r[3] = 26.3627 - 0.1939 * CosD(h);
    for (int i = 0; i < 4; ++i) u[i] = ReduceDegrees(u[i]) * kDegree;
}

// The state of moon i (0..3) in the table and its code.
void SetState(int i, GalileanMoon* m) {
    const double u = m->u;
    jupiterMoonTable.side[i] = u > 1.571 && u < 4.712 ? -(i + 1) : i + 1;
    jupiterMoonTable.shadow[i] = 0;
    int code = kMoonClear;
    const double x0 = m->shadowX - m->x, y0 = m->shadowY - m->y1;
    if (std::hypot(m->x - x0, m->y1 - y0) < 1 && u > 1.58 && u < 4.71) {
        jupiterMoonTable.side[i] = 0;
        code = kMoonEclipse;
    }
    if (std::hypot(m->x, m->y1) < 1) {
        if (u > 2.79 && u < 3.49) {
            jupiterMoonTable.side[i] = 0;
            code = kMoonOccultation;
        } else if (u > 5.93 || u < 0.35) {
            code = kMoonTransit;
        }
    }
    if (std::hypot(m->shadowX, m->shadowY) < 1 && (u > 5.23 || u < 1.04)) {
        jupiterMoonTable.shadow[i] = i + 1;
        code = code == kMoonTransit ? kMoonTransitShadow : kMoonShadow;
    }
    m->code = code;
}

}  // namespace

double JupiterMoonDays(int year, int month, int day, int hour, int minute) {
    return JulianDayAFC(year, month, day) + hour / 24.0 + (minute - currentSite.zoneMinutes) / 1440.0 - 2451545.0;
}

void ComputeGalileanMoons(double d, GalileanMoon moons[kGalileanMoonCount]) {
    const JupiterView view = ViewFrom(d);
    double u[4], r[4];
    Orbits(d, view, u, r);
    const double sinDe = SinD(view.de);
    for (int i = 0; i < kGalileanMoonCount; ++i) {
        GalileanMoon& m = moons[i];
        m.u = u[i];
        m.r = r[i];
        m.x = r[i] * std::sin(u[i]);
        m.y1 = -kFlattening * r[i] * std::cos(u[i]) * sinDe;
        m.shadowX = m.x - r[i] * SinD(view.psi);
        m.shadowY = m.y1 + kFlattening * r[i] * CosD(view.psi) * SinD(view.de - view.ds);
        SetState(i, &m);
    }
}

int JupiterRotationFrame(double dt, int xFactor) {
    while (dt > kHalfPeriod) dt -= kPeriod;
    while (dt < -kHalfPeriod) dt += kPeriod;
    int frame;
    if (std::fabs(dt) <= kQuarterPeriod)
        frame = static_cast<int>((dt + kQuarterPeriod) * 4.633385395126041);
    else if (dt > kQuarterPeriod)
        frame = static_cast<int>((dt - kQuarterPeriod) * 1.2087094770075253 + 23);
    else
        frame = static_cast<int>((dt + kQuarterPeriod) * 1.2087094770075253 + 29);
    if (xFactor == -1) frame = 28 - frame;
    return std::clamp(frame, 0, 28);
}
