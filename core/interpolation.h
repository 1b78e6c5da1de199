// Three-point interpolation and the least separation of two moving bodies.
#pragma once

// Value at n of the parabola through y1, y2, y3 tabulated at equally spaced
// arguments; n counts tabular intervals from the middle value (-1 gives y1,
// 0 y2, +1 y3) and is not range-checked (larger |n| extrapolates). Values are
// taken as given: angles must be made continuous by the caller.
// Meeus, Astronomical Algorithms, ch. 3, formula 3.3.
double Interpolate3(double y1, double y2, double y3, double n);

// Offsets of body 2 from body 1 in arcseconds: u about -dRA cos(dec1), v about
// dDec, sqrt(u^2 + v^2) being their separation. Right ascensions and
// declinations in radians. Meeus, ch. 17, the formula for small separations.
void ComputeSeparationOffsets(double ra1, double dec1, double ra2, double dec2, double* u, double* v);

// Least separation of two bodies from their places at three equally spaced
// instants t[0..2] (any time unit, in order; places in radians). Writes the
// separation in arcseconds and its instant interpolated in t. At most ten
// Newton steps on the interpolated offsets; when the offsets do not change
// over the three instants the middle instant is taken. Meeus, ch. 17.
void FindMinimumSeparation(const double t[3], const double ra1[3], const double dec1[3], const double ra2[3],
                           const double dec2[3], double* separation, double* time);
