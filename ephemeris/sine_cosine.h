// Sine and cosine of one angle together, without the rounding-mode guard of the C
// library's routines (which costs more than the polynomial itself): the series
// evaluations of the planets call it hundreds of times per place.
#pragma once

#include <cmath>
#include <cstdint>

// Sine and cosine of x (radians). For |x| < 1e6: x reduced by the nearest multiple k of
// pi/2 with pi/2 split in three parts (the first two of 33 bits, so k times each is exact),
// then the Taylor series of the remainder (|r| <= pi/4) to r^17 and r^18, whose truncation
// is below 1e-19; within 2 units in the last place of the C library's values. Larger or
// non-finite x are passed to the C library.
inline void SineCosine(double x, double* sine, double* cosine) {
    constexpr double kTwoOverPi = 0.6366197723675814;
    constexpr double kHalfPi1 = 1.5707963267341256;
    constexpr double kHalfPi2 = 6.077100506303966e-11;
    constexpr double kHalfPi3 = 2.0222662487959506e-21;
    if (!(std::fabs(x) < 1e6)) {
        *sine = std::sin(x);
        *cosine = std::cos(x);
        return;
    }
    // Nearest integer by adding and removing 1.5 * 2^52 (exact for |k| < 2^51; no library call).
    constexpr double kRound = 6755399441055744.0;
    const double k = (x * kTwoOverPi + kRound) - kRound;
    const double r = ((x - k * kHalfPi1) - k * kHalfPi2) - k * kHalfPi3;
    const double r2 = r * r;
    // 1/n! for the odd and the even powers.
    constexpr double s3 = -1.0 / 6, s5 = 1.0 / 120, s7 = -1.0 / 5040, s9 = 1.0 / 362880,
                     s11 = -1.0 / 39916800, s13 = 1.0 / 6227020800, s15 = -1.0 / 1307674368000,
                     s17 = 1.0 / 355687428096000;
    constexpr double c2 = -1.0 / 2, c4 = 1.0 / 24, c6 = -1.0 / 720, c8 = 1.0 / 40320,
                     c10 = -1.0 / 3628800, c12 = 1.0 / 479001600, c14 = -1.0 / 87178291200,
                     c16 = 1.0 / 20922789888000, c18 = -1.0 / 6402373705728000;
    const double s =
        r + r * r2 * (s3 + r2 * (s5 + r2 * (s7 + r2 * (s9 + r2 * (s11 + r2 * (s13 + r2 * (s15 + r2 * s17)))))));
    const double c =
        1.0 + r2 * (c2 + r2 * (c4 + r2 * (c6 + r2 * (c8 + r2 * (c10 + r2 * (c12 + r2 * (c14 + r2 * (c16 + r2 * c18))))))));
    switch (static_cast<int64_t>(k) & 3) {
    case 0: *sine = s; *cosine = c; break;
    case 1: *sine = c; *cosine = -s; break;
    case 2: *sine = -s; *cosine = -c; break;
    default: *sine = -c; *cosine = s; break;
    }
}
