// The abridged VSOP87D series of the Earth (Meeus, Astronomical Algorithms, Appendix III):
// heliocentric longitude L0..L5, latitude B0..B1 and radius vector R0..R4, 195 terms.
#pragma once

// One term A cos(B + C T), T in Julian centuries of TT from J2000.0: A in 1e-8 rad (longitude,
// latitude) or 1e-8 AU (radius), B in radians, C in radians per Julian century.
struct Vsop87Term {
    double a;
    double b;
    double c;
};

struct Vsop87Series {
    const Vsop87Term* terms;
    int count;
};

// Index i holds the series multiplied by tau^i (tau = T / 10, Julian millennia).
extern const Vsop87Series earthLongitudeSeries[6];  // L0..L5: 64, 34, 20, 7, 3, 1 terms
extern const Vsop87Series earthLatitudeSeries[2];   // B0..B1: 5, 2 terms
extern const Vsop87Series earthRadiusSeries[5];     // R0..R4: 40, 10, 6, 2, 1 terms
