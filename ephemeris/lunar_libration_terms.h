// The series rho, sigma and tau of the Moon's physical libration (Meeus,
// Astronomical Algorithms, 2nd ed., ch. 53, after Eckhardt 1981).
#pragma once

#include <cstdint>

// One term: coefficient x E^ePower x sin or cos(D D + M M + Mp M' + F F +
// Om Omega + K1 K1 + K2 K2), in degrees.
struct LibrationTerm {
    double coefficient;  // degrees
    int8_t ePower;       // power of E = 1 - 0.002516 T - 0.0000074 T^2
    int8_t isSine;       // 1 sine, 0 cosine
    int8_t D, M, Mp, F, Om, K1, K2;
};

constexpr int kLibrationRhoTerms = 10;
constexpr int kLibrationSigmaTerms = 13;
constexpr int kLibrationTauTerms = 19;

extern const LibrationTerm librationRho[kLibrationRhoTerms];
extern const LibrationTerm librationSigma[kLibrationSigmaTerms];
extern const LibrationTerm librationTau[kLibrationTauTerms];
