#include "core/sidereal_time.h"

#include <cmath>

#include "core/julian_day.h"

double GetGreenwichSiderealTime0h(int year, int month, int day) {
    double t = (JulianDayFromDate(year, month, day) - 2451545.0) / 36525;
    double theta = ((0.000387933 - t / 38710000) * t + 36000.770053608) * t + 100.46061837;
    theta -= 360 * std::floor(theta / 360);
    return theta / 15;
}

double GetLocalSiderealTime(int year, int month, int day, int hour, int minute, int second,
                            double longitude, int zone) {
    double g = GetGreenwichSiderealTime0h(year, month, day);
    double u = hour + (minute - zone + second / 60.0) / 60.0;
    double s = std::fmod(g + 1.00273790935 * u - longitude / 15, 24.0);
    while (s < 0) s += 24;
    while (s > 24) s -= 24;
    return s;
}
