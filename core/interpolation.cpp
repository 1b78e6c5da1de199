#include "core/interpolation.h"

#include <cmath>

namespace {
constexpr double kArcsecondsPerRadian = 206264.8062;
}

double Interpolate3(double y1, double y2, double y3, double n) {
    const double a = y2 - y1;
    const double b = y3 - y2;
    const double c = b - a;
    return ((c * n + b) + a) * n * 0.5 + y2;
}

void ComputeSeparationOffsets(double ra1, double dec1, double ra2, double dec2, double* u, double* v) {
    const double da = ra2 - ra1;
    const double dd = dec2 - dec1;
    const double sinDec1 = std::sin(dec1);
    const double k = kArcsecondsPerRadian / (1.0 + std::tan(da / 2) * std::tan(da) * sinDec1 * sinDec1);
    *u = -(1.0 - std::tan(dec1) * std::sin(dd)) * k * std::cos(dec1) * std::tan(da);
    *v = (std::cos(dec1) * std::tan(da / 2) * std::tan(da) * sinDec1 + std::sin(dd)) * k;
}

void FindMinimumSeparation(const double t[3], const double ra1[3], const double dec1[3], const double ra2[3],
                           const double dec2[3], double* separation, double* time) {
    double us[3], vs[3];
    for (int i = 0; i < 3; ++i) ComputeSeparationOffsets(ra1[i], dec1[i], ra2[i], dec2[i], &us[i], &vs[i]);
    const double cu = us[0] + us[2] - 2.0 * us[1], hu = (us[2] - us[0]) * 0.5;
    const double cv = vs[0] + vs[2] - 2.0 * vs[1], hv = (vs[2] - vs[0]) * 0.5;
    double n = 0.0, u = 0.0, v = 0.0;
    for (int iteration = 0; iteration < 10; ++iteration) {
        u = Interpolate3(us[0], us[1], us[2], n);
        v = Interpolate3(vs[0], vs[1], vs[2], n);
        const double du = cu * n + hu, dv = cv * n + hv;
        const double speed2 = du * du + dv * dv;
        if (speed2 == 0.0) break;  // the offsets do not move: keep this instant
        const double dn = -(u * du + v * dv) / speed2;
        n += dn;
        if (!(std::fabs(dn) > 1e-6)) break;
    }
    *separation = std::sqrt(u * u + v * v);
    *time = Interpolate3(t[0], t[1], t[2], n);
}
