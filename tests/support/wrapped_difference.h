// Difference of two cyclic quantities (hours, degrees) for tolerance checks.
#pragma once

#include <cmath>

// a - b reduced into -period/2 .. +period/2, so that 23.99 h and 0.01 h are
// 0.02 h apart and 359.9 deg and 0.1 deg are 0.2 deg apart.
inline double WrappedDifference(double a, double b, double period) {
    double d = std::fmod(a - b, period);
    if (d > period / 2) d -= period;
    if (d < -period / 2) d += period;
    return d;
}
