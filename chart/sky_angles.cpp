#include "chart/sky_angles.h"

#include <algorithm>
#include <cmath>

double AngularSeparationDeg(double ra1Hours, double dec1Deg, double ra2Hours, double dec2Deg) {
    constexpr double kRadPerDeg = 0.0174532925199433, kRadPerHour = 0.26179938779914946;
    double d1 = dec1Deg * kRadPerDeg, d2 = dec2Deg * kRadPerDeg;
    double dra = (ra1Hours - ra2Hours) * kRadPerHour;
    double hav = ((1 - std::cos(d1 - d2)) + std::cos(d1) * std::cos(d2) * (1 - std::cos(dra))) / 2;
    // 2 asin(sqrt(hav)) radians, in degrees: 114.59... is twice the degrees per radian.
    return std::asin(std::sqrt(std::clamp(hav, 0.0, 1.0))) * 114.59155902616465;
}

double GetObliquityRad() { return 0.4090927848297818; }
