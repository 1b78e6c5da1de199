#include "ephemeris/moon_phase.h"

#include <cmath>

#include "core/shared_state.h"

namespace {

constexpr double kEpoch1980 = 2444238.5;
constexpr double kDegToRad = 0.0174532925199433;
constexpr double kTwoDegToRad = 0.0349065850398866;  // for double angles
constexpr double kEccentricity = 0.016718;

// x reduced modulo 360 by truncation toward zero: a negative x stays negative.
double Reduce360(double x) {
    return x - static_cast<double>(static_cast<long long>(x * 0.002777777777777778)) * 360.0;
}

}  // namespace

double JulianDayFromDecimalDay(int year, int month, double day) {
    if (month < 3) {
        year -= 1;
        month += 12;
    }
    // The reform rule of every date conversion: 1582 October 15 is the first Gregorian day.
    int b = 0;
    if (year > 1582 || (year == 1582 && month > 10) || (year == 1582 && month == 10 && day >= 15.0)) {
        const int a = year / 100;
        b = 2 - a + a / 4;
    }
    const long long c = static_cast<long long>(30.6001 * (month + 1));
    const long long y = static_cast<long long>(365.25 * year);
    return static_cast<double>(y + c + b) + day + 1720994.5;
}

double SunLongitudeEpoch1980(double d) {
    const double n = Reduce360(d * 0.9856473320990837);
    double m = n - 3.762863;
    if (m < 0) m += 360.0;
    m *= kDegToRad;
    double e = m;
    double delta;
    do {
        delta = e - kEccentricity * std::sin(e) - m;
        e -= delta / (1.0 - kEccentricity * std::cos(e));
    } while (std::fabs(delta) >= 1e-8);
    const double v = 114.59155902616465 * std::atan(1.01686011182 * std::tan(e / 2));
    return Reduce360(v + 282.596403);
}

double MoonLongitudeEpoch1980(double d, double sunLongitude) {
    double ms = 0.985647332099 * d - 3.762863;
    if (ms < 0) ms += 360.0;
    double l = Reduce360(13.176396 * d + 64.975464);
    if (l < 0) l += 360.0;
    const double mm = Reduce360(l - 0.1114041 * d - 349.383063);
    const double evection = 1.2739 * std::sin((l - sunLongitude) * kTwoDegToRad - mm * kDegToRad);
    const double annual = 0.1858 * std::sin(ms * kDegToRad);
    const double third = 0.37 * std::sin(ms * kDegToRad);
    const double anomaly = (evection - annual - third) + mm;
    const double centre = 6.2886 * std::sin(anomaly * kDegToRad);
    const double fourth = 0.214 * std::sin(anomaly * kTwoDegToRad);
    const double corrected = (centre + evection - annual) + fourth + l;
    const double variation = 0.6583 * std::sin((corrected - sunLongitude) * kTwoDegToRad);
    return variation + corrected;
}

double GetMoonPhase(int year, int month, int day, double hour, int* age) {
    const double universalHour = hour - currentSite.zoneMinutes * 0.016666666666666666;
    // The calendar is chosen by the local date, as JulianDayFromDateTime does: an hour run into
    // a neighbouring day must not cross the reform's ten missing days.
    const double d = JulianDayFromDecimalDay(year, month, day) + universalHour * 0.041666666666666664 -
                     kEpoch1980;
    const double sunLon = SunLongitudeEpoch1980(d);
    const double moonLon = MoonLongitudeEpoch1980(d, sunLon);
    const double elongation = moonLon - sunLon;
    double r = std::fmod(elongation, 360.0);
    while (r < 0) r += 360.0;
    while (r > 360.0) r -= 360.0;
    *age = static_cast<int>(r * 0.08055555555555556);
    return 0.5 * (1.0 - std::cos(elongation * kDegToRad));
}
