#include "core/sky_positions.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kDegToRad = 0.0174532925199433;
constexpr double kRadToDeg = 57.2957795130823;
constexpr double kHoursToRad = 0.2617993877991829;
constexpr double kRadToHours = 3.819718634205;

double SinDeg(double x) { return std::sin(x * kDegToRad); }
double CosDeg(double x) { return std::cos(x * kDegToRad); }

}  // namespace

double VectorAngle(double x, double y) {
    if (x != 0.0) {
        double a = std::atan(y / x);
        if (x < 0) a += 3.14159265358979;
        if (a < 0) a += 6.28318530717958;
        return a;
    }
    if (y > 0) return 1.570796326794895;
    if (y < 0) return 4.712388980384685;
    return 0.0;
}

double AngularDistanceRad(double ra1, double dec1, double ra2, double dec2) {
    const double a1 = ra1 * 0.2617993877991829, a2 = ra2 * 0.2617993877991829;
    const double d1 = dec1 * 0.017453292519943302, d2 = dec2 * 0.017453292519943302;
    const double c = std::cos(d2) * std::sin(a2) * std::cos(d1) * std::sin(a1) +
                     std::cos(d2) * std::cos(a2) * std::cos(d1) * std::cos(a1) +
                     std::sin(d2) * std::sin(d1);
    // Two equal directions can give a cosine a hair above 1.
    double angle = std::acos(std::clamp(c, -1.0, 1.0));
    if (angle < 1e-5 && std::fabs(d1) < 1.5697963267948951 && std::fabs(d2) < 1.5697963267948951) {
        const double dd = d2 - d1;
        const double da = (a2 - a1) * std::cos((d1 + d2) / 2);
        angle = std::sqrt(dd * dd + da * da);
    }
    return angle;
}

void ComputeSunRaDec(double jd, double* ra, double* dec) {
    const double n = jd - 2451545.0;
    const double g = 357.528 + 0.9856003 * n;
    const double l = 280.46 + 0.9856474 * n;
    const double lambda = l + 1.915 * SinDeg(g) + 0.02 * SinDeg(2 * g);
    const double epsilon = 23.439 - 4e-7 * n;
    *ra = VectorAngle(CosDeg(lambda), CosDeg(epsilon) * SinDeg(lambda)) * kRadToHours;
    *dec = std::asin(SinDeg(epsilon) * SinDeg(lambda)) * kRadToDeg;
}

void ComputeMoonTopocentric(double jd, double lst, double latitude, double* ra, double* dec,
                            double* distance) {
    const double t = (jd - 2451545.0) * 2.7378507871321012e-5;
    const double lambda = 218.32 + 481267.883 * t + 6.29 * SinDeg(134.9 + 477198.85 * t) -
                          1.27 * SinDeg(259.2 - 413335.38 * t) + 0.66 * SinDeg(235.7 + 890534.23 * t) +
                          0.21 * SinDeg(269.9 + 954397.7 * t) - 0.19 * SinDeg(357.5 + 35999.05 * t) -
                          0.11 * SinDeg(186.6 + 966404.05 * t);
    const double beta = 5.13 * SinDeg(93.3 + 483202.03 * t) + 0.28 * SinDeg(228.2 + 960400.87 * t) -
                        0.28 * SinDeg(318.3 + 6003.18 * t) - 0.17 * SinDeg(217.6 - 407332.2 * t);
    const double parallax = 0.9508 + 0.0518 * CosDeg(134.9 + 477198.85 * t) +
                            0.0095 * CosDeg(259.2 - 413335.38 * t) +
                            0.0078 * CosDeg(235.7 + 890534.23 * t) +
                            0.0028 * CosDeg(269.9 + 954397.7 * t);
    const double r = 1.0 / SinDeg(parallax);
    const double l = CosDeg(beta) * CosDeg(lambda);
    const double m = 0.9175 * CosDeg(beta) * SinDeg(lambda) - 0.3978 * SinDeg(beta);
    const double n = 0.3978 * CosDeg(beta) * SinDeg(lambda) + 0.9175 * SinDeg(beta);
    // The observer's latitude in degrees, like every other angle here, must be
    // converted before its sine and cosine are taken.
    const double theta = lst * kHoursToRad;
    const double x = r * l - CosDeg(latitude) * std::cos(theta);
    const double y = r * m - CosDeg(latitude) * std::sin(theta);
    const double z = r * n - SinDeg(latitude);
    const double rr = std::sqrt(x * x + y * y + z * z);
    *ra = VectorAngle(x / rr, y / rr) * kRadToHours;
    *dec = std::asin(z / rr) * kRadToDeg;
    *distance = rr;
}
