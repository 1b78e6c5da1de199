#include "ephemeris/moon_view_helpers.h"

#include <cmath>

namespace {

// x reduced to [0, period); inversePeriod is 1/period as the screens store it.
double ReducePeriodic(double x, double period, double inversePeriod) {
    double r;
    if (x > 0) {
        double q = x * inversePeriod;
        r = (q - std::floor(q)) * period;
    } else {
        r = x + period * std::ceil(std::fabs(x) * inversePeriod);
    }
    // A tiny negative x gives period - |x|, which rounds to the period itself.
    return r >= period ? 0.0 : r;
}

}  // namespace

double ReduceDegrees(double x) { return ReducePeriodic(x, 360.0, 0.002777777777777778); }

double ReduceRadians(double x) {
    return ReducePeriodic(x, 6.283185307179586, 0.15915494309189535);
}

double JulianDayAFC(int year, int month, int day) {
    double y = year, m = month;
    if (month < 3) {
        y -= 1;
        m += 12;
    }
    double a = std::floor(0.01 * y);
    double b = 2 - a + std::floor(0.25 * a);
    return b + day + std::floor(30.6001 * (m + 1)) + std::floor(365.25 * y) + 1720994.5;
}
