// The constant tables of the Simon et al. (1994) planetary theory.
#pragma once

constexpr int kSimonElementCount = 600;

// Twelve consecutive arrays, each indexed first by planet (0 Mercury, 1 Venus, 2 Earth-Moon
// barycentre, 3 Mars .. 7 Neptune) then by slot:
//   a, lambda, e, varpi, i, Omega: 3 slots each, c0 + c1 T + c2 T^2 with T in Julian millennia
//     (a in AU; angles: c0 in degrees, c1 and c2 in arcseconds; e dimensionless);
//   na, Ca, Sa: 9 slots each, multipliers and cosine/sine amplitudes (1e-7 AU) of the terms in a;
//   nl, Cl, Sl: 10 slots each, multipliers and amplitudes (1e-7 rad) of the terms in lambda.
// The offsets below give the start of each array.
extern const double simonElements[kSimonElementCount];

enum SimonArray : int {
    kSimonA = 0,
    kSimonLambda = 24,
    kSimonE = 48,
    kSimonPerihelion = 72,
    kSimonInclination = 96,
    kSimonNode = 120,
    kSimonNa = 144,
    kSimonCa = 216,
    kSimonSa = 288,
    kSimonNl = 360,
    kSimonCl = 440,
    kSimonSl = 520
};
