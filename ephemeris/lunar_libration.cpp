#include "ephemeris/lunar_libration.h"

#include <cmath>

#include "ephemeris/lunar_libration_terms.h"

namespace {

constexpr double kDegToRad = 0.0174532925199433;
constexpr double kRadToDeg = 57.29577951308232;
constexpr double kArcsecToRad = 4.848136811095361e-06;
constexpr double kLunarEquatorInclination = 0.02692030744861094;  // rad, 1.54242 degrees

// Fundamental arguments of the Moon and the Sun, degrees reduced by fmod 360.
struct LunarArguments {
    double Lp, L0, F, Om, M, Mp, D, K1, K2, E;
};

LunarArguments ComputeArguments(double T) {
    double T2 = T * T, T3 = T2 * T, T4 = T3 * T;
    LunarArguments a;
    a.Lp = std::fmod(218.3164477 + 481267.88123421 * T - 0.0015786 * T2 +
                         T3 * (1.0 / 538841.0) - T4 * (1.0 / 65194000.0),
                     360.0);
    a.L0 = std::fmod(280.4665 + 36000.7698 * T, 360.0);
    a.F = std::fmod(93.272095 + 483202.0175233 * T - 0.0036539 * T2 - T3 * (1.0 / 3526000.0) +
                        T4 * (1.0 / 863310000.0),
                    360.0);
    a.Om = std::fmod(125.0445479 - 1934.1362891 * T + 0.0020754 * T2 + T3 * (1.0 / 467441.0) -
                         T4 * (1.0 / 60616000.0),
                     360.0);
    a.M = std::fmod(357.5291092 + 35999.0502909 * T - 0.0001536 * T2 + T3 * (1.0 / 24490000.0),
                    360.0);
    a.Mp = std::fmod(134.9633964 + 477198.8675055 * T + 0.0087414 * T2 + T3 * (1.0 / 69699.0) -
                         T4 * (1.0 / 14712000.0),
                     360.0);
    a.D = std::fmod(297.8501921 + 445267.1114034 * T - 0.0018819 * T2 + T3 * (1.0 / 545868.0) -
                        T4 * (1.0 / 113065000.0),
                    360.0);
    a.K1 = std::fmod(119.75 + 131.849 * T, 360.0);
    a.K2 = std::fmod(72.56 + 20.186 * T, 360.0);
    a.E = 1.0 - 0.002516 * T - 0.0000074 * T2;
    return a;
}

// Sum of one physical libration series, degrees.
double SumSeries(const LibrationTerm* terms, int count, const LunarArguments& a) {
    double sum = 0.0;
    for (int k = 0; k < count; ++k) {
        const LibrationTerm& t = terms[k];
        double arg = (t.D * a.D + t.M * a.M + t.Mp * a.Mp + t.F * a.F + t.Om * a.Om +
                      t.K1 * a.K1 + t.K2 * a.K2) * kDegToRad;
        double value = t.coefficient * (t.isSine ? std::sin(arg) : std::cos(arg));
        for (int p = 0; p < t.ePower; ++p) value *= a.E;
        sum += value;
    }
    return sum;
}

// Nutation in longitude, arcseconds, from its four largest terms.
double NutationInLongitude(const LunarArguments& a) {
    return -17.20 * std::sin(a.Om * kDegToRad) - 1.32 * std::sin(2.0 * a.L0 * kDegToRad) -
           0.23 * std::sin(2.0 * a.Lp * kDegToRad) + 0.21 * std::sin(2.0 * a.Om * kDegToRad);
}

}  // namespace

int ComputeLunarLibrations(double jd, double longitude, double latitude, double* l1, double* b1,
                           double* l2, double* b2) {
    double T = (jd - 2451545.0) * 2.7378507871321012e-05;
    LunarArguments a = ComputeArguments(T);
    double W = (longitude - a.Om) * kDegToRad - NutationInLongitude(a) * kArcsecToRad;
    double beta = latitude * kDegToRad;
    double sinI = std::sin(kLunarEquatorInclination), cosI = std::cos(kLunarEquatorInclination);
    double A = std::atan2(std::sin(W) * std::cos(beta) * cosI - std::sin(beta) * sinI,
                          std::cos(W) * std::cos(beta));
    double bOptical = std::asin(-std::sin(W) * std::cos(beta) * sinI - std::sin(beta) * cosI);
    double rho = SumSeries(librationRho, kLibrationRhoTerms, a) * kDegToRad;
    double sigma = SumSeries(librationSigma, kLibrationSigmaTerms, a) * kDegToRad;
    double tau = SumSeries(librationTau, kLibrationTauTerms, a) * kDegToRad;
    *l1 = A * kRadToDeg - a.F;
    *b1 = bOptical * kRadToDeg;
    *l2 = (-tau + (rho * std::cos(A) + sigma * std::sin(A)) * std::tan(bOptical)) * kRadToDeg;
    *b2 = (sigma * std::cos(A) - rho * std::sin(A)) * kRadToDeg;
    return 1;
}
