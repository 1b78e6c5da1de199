// Small numeric helpers of the satellite code, and the Greenwich mean sidereal
// angle that turns the propagators' inertial positions into positions over the
// Earth. Vectors are four doubles: x, y, z and a slot for the length.
#pragma once

#include <cmath>
#include <cstdint>

#include "ephemeris/sine_cosine.h"

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

// Sine and cosine of an angle d that is mostly small (a Newton step or a
// correction): below 0.01 rad the series of sin d to d^5 and of cos d to d^6,
// whose remainders stay below 1e-17, else SineCosine.
inline void SmallAngleSineCosine(double d, double* sine, double* cosine) {
    if (std::fabs(d) < 0.01) {
        double d2 = d * d, d4 = d2 * d2;
        *sine = d - d * d2 * ((1.0 / 6.0) - d2 * (1.0 / 120.0));
        *cosine = (1.0 - 0.5 * d2) + d4 * ((1.0 / 24.0) - d2 * (1.0 / 720.0));
    } else {
        SineCosine(d, sine, cosine);
    }
}

// Sine and cosine of a + b from those of a and b.
inline void SumOfAngles(double sinA, double cosA, double sinB, double cosB, double* sinSum, double* cosSum) {
    *sinSum = sinA * cosB + cosA * sinB;
    *cosSum = cosA * cosB - sinA * sinB;
}

// Sine and cosine of a + d from those of a, d mostly small.
inline void AddAngle(double sinA, double cosA, double d, double* sinSum, double* cosSum) {
    double sinD, cosD;
    SmallAngleSineCosine(d, &sinD, &cosD);
    SumOfAngles(sinA, cosA, sinD, cosD, sinSum, cosSum);
}

// Sines and cosines of the multiples j 2 pi / 512, j = 0 .. 511, set up when
// the program starts (so not for use by other start-up code).
struct SineTable {
    double sine[512], cosine[512];
};
extern const SineTable kSineTable;

// Sine and cosine of x (radians) as those of the nearest multiple of 2 pi / 512
// turned by the remainder (at most pi / 512) with AddAngle: shorter than
// SineCosine, within 3e-16 of the C library's values. |x| from 1e6 and
// non-finite x are left to SineCosine.
inline void TabulatedSineCosine(double x, double* sine, double* cosine) {
    if (!(std::fabs(x) < 1e6)) {
        SineCosine(x, sine, cosine);
        return;
    }
    // Nearest integer by adding and removing 1.5 * 2^52; 2 pi / 512 in two
    // parts, the first of 25 bits so that k times it is exact.
    constexpr double kRound = 6755399441055744.0;
    const double k = (x * 81.48733086305042 + kRound) - kRound;
    const double r = (x - k * 0.012271846178919077) - k * 1.2416605291818903e-10;
    const int j = static_cast<int>(static_cast<int64_t>(k) & 511);
    AddAngle(kSineTable.sine[j], kSineTable.cosine[j], r, sine, cosine);
}

// Greenwich mean sidereal angle, radians in [0, 2 pi), at the Julian day `jd`
// (universal time, taken as UT1): the IAU 1982 expression (Aoki et al. 1982) at
// the preceding 0h UT plus the sidereal rate times the fraction of the day.
double ComputeGmst(double jd);
