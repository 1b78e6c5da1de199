#include "scope/polar_alignment.h"

#include <cmath>

const CatalogStar polarisEntry = {"FK5", "POLARIS", 0, 2.5301955556, 89.2640888889, 19.877, -1.52, 0.007, -17.0};

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kTwoPi = 2.0 * kPi;
constexpr double kSiderealRate = 7.292106590880652e-05;  // radians of sky per second
constexpr double kArcsecKing = 4.84813681109536e-06;
constexpr double kArcsecRambaut = 4.848136811095361e-06;
constexpr double kFieldOfView = 3496.0136652050232;      // arcseconds per radian / 59
constexpr double kPolarisJ2000Ra = 2.5301955556;         // hours
constexpr double kVisualWaveNumber = 1.0 / 0.55;         // 1 / micrometre

double ReduceTurn(double a) {
    a = std::fmod(a, kTwoPi);
    return a < 0 ? a + kTwoPi : a;
}

}  // namespace

double DriftResolution(double seconds, double decDegrees) {
    return seconds * std::cos(decDegrees * kPi / 180.0) * 15.0 / 59.0;
}

double FieldsOfView(double radians, double resolution) { return radians * kFieldOfView / resolution; }

double PolarJulianDay(int year, int month, int day, int hour, int minute, int second, int zoneMinutes) {
    if (month <= 2) {
        year -= 1;
        month += 12;
    }
    const int a = year / 100, b = 2 - a + a / 4;
    const double dayFraction = (hour + minute / 60.0 + second / 3600.0 - zoneMinutes / 60.0) / 24.0;
    return std::floor(365.25 * (year + 4716)) + std::floor(30.6001 * (month + 1)) + day + b - 1524.5 + dayFraction;
}

double PolarGmst(double jd) {
    const double d = jd - 2451545.0, t = d / 36525.0;
    double degrees = 280.46061837 + 360.98564736629 * d + 0.000387933 * t * t - 2.5833118057349522e-08 * t * t * t;
    degrees = std::fmod(degrees, 360.0);
    if (degrees < 0) degrees += 360.0;
    return degrees * kPi / 180.0;
}

double DriftAngle(double seconds) { return seconds * kSiderealRate; }

double DriftStartHourAngle(const PolarInputs& in) {
    const double jd = PolarJulianDay(in.year, in.month, in.day, in.hour, in.minute, in.second, in.zoneMinutes);
    return ReduceTurn(PolarGmst(jd) - in.ra - in.longitude);
}

PolarResult KingDrift(const PolarInputs& in) {
    const double w = DriftAngle(in.driftSeconds);
    const double x = in.resolution * in.x * kArcsecKing, y = in.resolution * in.y * kArcsecKing;
    PolarResult r;
    r.lambda = std::sqrt(x * x + y * y) / w;
    r.angle = w / 2.0 - std::atan2(-x, -y) + DriftStartHourAngle(in);
    if (r.angle < 0) r.angle += kTwoPi;
    r.angle = ReduceTurn(r.angle);
    r.azimuth = std::sin(r.angle) / std::cos(in.latitude) * r.lambda;
    r.altitude = std::cos(r.angle) * r.lambda;
    return r;
}

double VapourPressure(double kelvin) {
    const double t = kelvin - 273.15;
    const bool aboveFreezing = kelvin > 273.15;
    const double a = aboveFreezing ? 7.5 : 7.6, b = aboveFreezing ? 235.0 : 240.7;
    return 6.107 * std::pow(10.0, a * t / (b + t)) * 0.5;
}

double HeightPressure(int metres) { return 1013.25 * std::pow(1.0 - 2.2569444444444443e-05 * metres, 5.255); }

// Owens, Applied Optics 6 (1967) 51: density factors of dry air and of water
// vapour, and the dispersion of each.
double MoistAirIndex(double dryPressure, double vapourPressure, double kelvin, double sigma) {
    const double ps = dryPressure, pw = vapourPressure, t = kelvin;
    const double ds = ps / t * (1.0 + ps * (57.90e-8 - 9.3250e-4 / t + 0.25844 / (t * t)));
    const double dw = pw / t *
                      (1.0 + pw * (1.0 + 3.7e-4 * pw) *
                                 (-2.37321e-3 + 2.23366 / t - 710.792 / (t * t) + 7.75141e4 / (t * t * t)));
    const double s2 = sigma * sigma;
    const double dry = 2371.34 + 683939.7 / (130.0 - s2) + 4547.3 / (38.99 - s2);
    const double wet = 6487.31 + 58.058 * s2 - 0.7115 * s2 * s2 + 0.08851 * s2 * s2 * s2;
    return 1.0 + (dry * ds + wet * dw) * 1e-8;
}

double SiteRefractiveIndex(const PolarInputs& in) {
    const double vapour = VapourPressure(in.temperature);
    const double dry = HeightPressure(in.height) - vapour;
    return MoistAirIndex(dry, vapour, in.temperature, kVisualWaveNumber);
}

PolarResult RambautDrift(const PolarInputs& in) {
    const double w = DriftAngle(in.driftSeconds);
    const double phi = in.latitude, dec = in.rambautDec;
    const double refractivity = SiteRefractiveIndex(in) - 1.0;
    const double h = DriftStartHourAngle(in) + w / 2.0;
    const double s = std::cos(h) * std::cos(dec) * std::cos(phi) + std::sin(dec) * std::sin(phi);
    const double dx = -refractivity * w * std::cos(phi) *
                      (std::cos(h) * std::sin(phi) * std::sin(dec) + std::cos(phi) * std::cos(dec)) / (s * s);
    const double dy = refractivity * w * std::sin(h) * std::sin(phi) * std::cos(phi) / (s * s);
    const double x = in.resolution * in.x * kArcsecRambaut + dx;
    const double y = in.resolution * in.y * kArcsecRambaut + dy;
    PolarResult r;
    r.azimuth = -(x * std::sin(h) / std::sin(dec) + y * std::cos(h)) / (w * std::cos(phi));
    r.altitude = -(x * std::cos(h) / std::sin(dec) - y * std::sin(h)) / w;
    const double east = std::cos(phi) * r.azimuth;
    r.angle = ReduceTurn(std::atan2(east, r.altitude));
    r.lambda = std::sqrt(east * east + r.altitude * r.altitude);
    return r;
}

double PolarisHourAngle(double lstHours, double raHours) {
    double h = lstHours - raHours;
    while (h > 12.0) h -= 24.0;
    while (h < -12.0) h += 24.0;
    return h;
}

void PolarisMarkOffset(double radius, double inset, double raHours, double hourAngle, int* dx, int* dy) {
    const double rho = (radius - inset) * kPolarisJ2000Ra / raHours;
    const double angle = hourAngle * 15.0 * kPi / 180.0;
    *dx = static_cast<int>(std::floor(rho * std::sin(angle) + 0.5));
    *dy = static_cast<int>(std::floor(rho * std::cos(angle) + 0.5));
}

void ReticleTime(int hour, int minute, int k, int* outHour, int* outMinute) {
    const int minutes = minute + 30 * k;
    *outMinute = minutes % 60;
    *outHour = (hour + minutes / 60) % 24;
}
