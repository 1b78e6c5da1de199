// Small numeric helpers of the satellite code, and the Greenwich mean sidereal
// angle that turns the propagators' inertial positions into positions over the
// Earth. Vectors are four doubles: x, y, z and a slot for the length.
#pragma once

#include <cmath>

inline double Cube(double x) { return x * x * x; }
inline double Square(double x) { return x * x; }

// Fractional part, x - floor(x): in [0, 1) for finite x, also for negative x.
inline double Frac(double x) { return x - std::floor(x); }

// x reduced into [0, y) for y > 0: x - floor(x / y) y, plus y if that is negative.
inline double PositiveModulo(double x, double y) {
    double r = x - std::floor(x / y) * y;
    return r < 0.0 ? r + y : r;
}

// PositiveModulo(x, 2 pi), dividing by 2 pi as a multiplication by 1 / (2 pi).
inline double Modulo2Pi(double x) {
    double r = x - std::floor(x * 0.15915494309189535) * 6.283185307179586;
    return r < 0.0 ? r + 6.283185307179586 : r;
}
inline double DegToRad(double x) { return x * 0.017453292519943295; }

// Length of the first three components, also stored in v[3].
inline double VectorMagnitude(double v[4]) {
    v[3] = std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]);
    return v[3];
}

inline double DotProduct(const double a[4], const double b[4]) {
    return a[0] * b[0] + a[1] * b[1] + a[2] * b[2];
}

// Sine and cosine of a + d from those of a. A small d (a Newton step or a
// short-period correction, below 0.01 rad) takes the series of sin d to d^5
// and of cos d to d^6, whose remainders stay below 1e-17, instead of library
// calls.
inline void AddAngle(double sinA, double cosA, double d, double* sinSum, double* cosSum) {
    double sinD, cosD;
    if (std::fabs(d) < 0.01) {
        double d2 = d * d, d4 = d2 * d2;
        sinD = d - d * d2 * ((1.0 / 6.0) - d2 * (1.0 / 120.0));
        cosD = (1.0 - 0.5 * d2) + d4 * ((1.0 / 24.0) - d2 * (1.0 / 720.0));
    } else {
        sinD = std::sin(d);
        cosD = std::cos(d);
    }
    *sinSum = sinA * cosD + cosA * sinD;
    *cosSum = cosA * cosD - sinA * sinD;
}

// Greenwich mean sidereal angle, radians in [0, 2 pi), at the Julian day `jd`
// (universal time, taken as UT1): the IAU 1982 expression (Aoki et al. 1982) at
// the preceding 0h UT plus the sidereal rate times the fraction of the day.
double ComputeGmst(double jd);
