#include "ephemeris/lunation.h"

#include <cmath>

#include "core/delta_t.h"
#include "core/julian_day.h"
#include "ephemeris/lunation_tables.h"

namespace {

constexpr double kDegToRad = 0.017453292519943295;
constexpr double kDaysPerSecond = 1.1574074074074073e-05;
constexpr double kPerMoonDiameter = 1.8348623853211008;  // 1 / 0.545

// The mean elements of a lunation K = k + phase (Meeus 49), angles in radians.
struct LunationArguments {
    double K, T, T2, T3, T4;
    double jde;  // mean phase, dynamical time
    double E;
    double M, Mp, F, Omega;
};

double ReducedRadians(double degrees) {
    double d = std::fmod(degrees, 360.0);
    if (d < 0) d += 360.0;
    return d * kDegToRad;
}

LunationArguments MeanLunation(double K) {
    LunationArguments a;
    a.K = K;
    a.T = K * 0.0008085054776246109;
    a.T2 = a.T * a.T;
    a.T3 = a.T2 * a.T;
    a.T4 = a.T3 * a.T;
    a.jde = 2451550.09766 + 29.530588861 * K + 0.00015437 * a.T2 - 0.000000150 * a.T3 +
            0.00000000073 * a.T4;
    a.E = 1 - 0.002516 * a.T - 0.0000074 * a.T2;
    a.M = ReducedRadians(2.5534 + 29.1053567 * K - 0.0000014 * a.T2 - 0.00000011 * a.T3);
    a.Mp = ReducedRadians(201.5643 + 385.81693528 * K + 0.0107582 * a.T2 + 0.00001238 * a.T3 -
                          0.000000058 * a.T4);
    a.F = ReducedRadians(160.7108 + 390.67050284 * K - 0.0016118 * a.T2 - 0.00000227 * a.T3 +
                         0.00000001 * a.T4);
    a.Omega = ReducedRadians(124.7746 - 1.56375588 * K + 0.0020672 * a.T2 + 0.00000215 * a.T3);
    return a;
}

double TermArgument(const LunationTerm& t, const LunationArguments& a) {
    return t.m * a.M + t.mp * a.Mp + t.f * a.F + t.om * a.Omega;
}

double EFactor(const LunationTerm& t, double E) {
    return t.ePower == 0 ? 1.0 : (t.ePower == 1 ? E : E * E);
}

// Sum of a table of sine terms, in the published order.
double SineTerms(const LunationTerm* terms, int count, const LunationArguments& a) {
    double sum = 0;
    for (int i = 0; i < count; ++i)
        sum += terms[i].coefficient * EFactor(terms[i], a.E) * std::sin(TermArgument(terms[i], a));
    return sum;
}

// W of the quarters: the constant and the cosine terms.
double QuarterCorrection(const LunationArguments& a) {
    double w = 0;
    for (const LunationTerm& t : quarterCorrectionTerms) {
        bool constant = t.m == 0 && t.mp == 0 && t.f == 0 && t.om == 0;
        w += t.coefficient * (constant ? 1.0 : EFactor(t, a.E) * std::cos(TermArgument(t, a)));
    }
    return w;
}

double PlanetaryArgumentA1(const LunationArguments& a) {
    const PlanetaryArgument& p = planetaryArguments[0];
    return ReducedRadians(p.c0 + p.c1 * a.K + p.c2 * a.T2);
}

double AdditionalCorrections(const LunationArguments& a) {
    double sum = 0;
    for (const PlanetaryArgument& p : planetaryArguments)
        sum += p.coefficient * std::sin((p.c0 + p.c1 * a.K + p.c2 * a.T2) * kDegToRad);
    return sum;
}

// Dynamical-time instant of the phase with index 0..3.
double PhaseJde(const LunationArguments& a, int index) {
    double jde = a.jde + AdditionalCorrections(a);
    switch (index) {
        case 0: return jde + SineTerms(newMoonTerms, kLunationTermCount, a);
        case 2: return jde + SineTerms(fullMoonTerms, kLunationTermCount, a);
        case 1: return jde + SineTerms(quarterTerms, kLunationTermCount, a) + QuarterCorrection(a);
        default: return jde + SineTerms(quarterTerms, kLunationTermCount, a) - QuarterCorrection(a);
    }
}

// Eclipse geometry of a new or full Moon (Meeus 54).
struct EclipseGeometry {
    double F1;
    double gamma;
    double u;
};

EclipseGeometry ComputeEclipseGeometry(const LunationArguments& a) {
    EclipseGeometry g;
    g.F1 = a.F - 0.02665 * kDegToRad * std::sin(a.Omega);
    const double E = a.E, M = a.M, Mp = a.Mp, F1 = g.F1;
    double p = 0.2070 * E * std::sin(M) + 0.0024 * E * std::sin(2 * M) - 0.0392 * std::sin(Mp) +
               0.0116 * std::sin(2 * Mp) - 0.0073 * E * std::sin(Mp + M) +
               0.0067 * E * std::sin(Mp - M) + 0.0118 * std::sin(2 * F1);
    double q = 5.2207 - 0.0048 * E * std::cos(M) + 0.0020 * E * std::cos(2 * M) -
               0.3299 * std::cos(Mp) - 0.0060 * E * std::cos(Mp + M) +
               0.0041 * E * std::cos(Mp - M);
    g.gamma = (p * std::cos(F1) + q * std::sin(F1)) * (1 - 0.0048 * std::abs(std::cos(F1)));
    g.u = 0.0059 + 0.0046 * E * std::cos(M) - 0.0182 * std::cos(Mp) + 0.0004 * std::cos(2 * Mp) -
          0.0005 * std::cos(M + Mp);
    return g;
}

double LunarEclipseKind(const EclipseGeometry& g) {
    double absGamma = std::abs(g.gamma);
    double penumbral = (1.5573 + g.u - absGamma) * kPerMoonDiameter;
    double umbral = (1.0128 - g.u - absGamma) * kPerMoonDiameter;
    if (penumbral <= 0) return kEclipseNone;
    if (umbral <= 0) return kEclipsePenumbral;
    double r = 0.4678 - g.u;
    return r * r - g.gamma * g.gamma > 0 ? kEclipseTotal : kEclipsePartial;
}

double SolarEclipseKind(const EclipseGeometry& g) {
    double absGamma = std::abs(g.gamma);
    if (absGamma > g.u + 1.5433) return kEclipseNone;
    if (absGamma >= 1.0) return kEclipsePartial;
    if (g.u < 0) return kEclipseTotal;
    if (g.u > 0.0047) return kEclipseAnnular;
    return g.u < 0.00464 * std::sqrt(1 - g.gamma * g.gamma) ? kEclipseTotal : kEclipseAnnular;
}

// Greatest eclipse, dynamical time.
double GreatestEclipseJde(const LunationArguments& a, const EclipseGeometry& g, bool full) {
    const double E = a.E, M = a.M, Mp = a.Mp, F1 = g.F1;
    double a1 = PlanetaryArgumentA1(a);
    return a.jde + (full ? -0.4065 : -0.4075) * std::sin(Mp) +
           (full ? 0.1727 : 0.1721) * E * std::sin(M) + 0.0161 * std::sin(2 * Mp) -
           0.0097 * std::sin(2 * F1) + 0.0073 * E * std::sin(Mp - M) -
           0.0050 * E * std::sin(Mp + M) - 0.0023 * std::sin(Mp - 2 * F1) +
           0.0021 * E * std::sin(2 * M) + 0.0012 * std::sin(Mp + 2 * F1) +
           0.0006 * E * std::sin(2 * Mp + M) - 0.0004 * std::sin(3 * Mp) -
           0.0003 * E * std::sin(M + 2 * F1) + 0.0003 * std::sin(a1) -
           0.0002 * E * std::sin(M - 2 * F1) - 0.0002 * E * std::sin(2 * Mp - M) -
           0.0002 * std::sin(a.Omega);
}

void FillContacts(const LunationArguments& a, const EclipseGeometry& g, double greatest,
                  LunarEclipseContacts* c) {
    double n = 0.5458 + 0.04 * std::cos(a.Mp);
    double g2 = g.gamma * g.gamma;
    auto semiDuration = [&](double radius) { return std::sqrt(radius * radius - g2) / n / 24; };
    double penumbral = semiDuration(1.5573 + g.u);
    double umbral = semiDuration(1.0128 - g.u);
    double total = semiDuration(0.4678 - g.u);
    c->p1 = greatest - penumbral;
    c->u1 = greatest - umbral;
    c->u2 = greatest - total;
    c->greatest = greatest;
    c->u3 = greatest + total;
    c->u4 = greatest + umbral;
    c->p4 = greatest + penumbral;
    c->umbralMagnitude = (1.0128 - g.u - std::abs(g.gamma)) * kPerMoonDiameter;
    c->penumbralMagnitude = (1.5573 + g.u - std::abs(g.gamma)) * kPerMoonDiameter;
    c->penumbraRadius = 1.2848 + g.u;
    c->umbraRadius = 0.7403 - g.u;
    c->gamma = g.gamma;
    c->u = g.u;
}

}  // namespace

int DeriveLunation(int year, int month, int day, int hour, int minute) {
    double y = DateToDecimalYear(year, month, day, hour, minute, 0);
    int k = static_cast<int>(12.3685 * (y - 2000) + 0.5);
    if (k < 0) k -= 1;
    return k;
}

double ComputeLunation(double phase, int eclipseFlag, double* kind, double* eclipseTime, int* k,
                       bool deriveK, int day, int month, int year, int hour, int minute,
                       LunarEclipseContacts* contacts) {
    if (deriveK) *k = DeriveLunation(year, month, day, hour, minute);
    if (kind) *kind = kEclipseNone;
    if (eclipseTime) *eclipseTime = kEclipseNone;
    double scaled = 4 * phase;
    if (!(scaled > -1 && scaled < 4)) return 0.0;  // trunc outside 0..3 (or not a number)
    int index = static_cast<int>(scaled);

    LunationArguments a = MeanLunation(*k + index * 0.25);
    double deltaT = ComputeDeltaT(year, month, day) * kDaysPerSecond;
    double result = PhaseJde(a, index) - deltaT;
    if (eclipseFlag == 0 || index % 2 == 1) return result;
    if (!kind) return 0.0;
    if (std::abs(std::sin(a.F)) > 0.36) return result;

    bool full = index == 2;
    EclipseGeometry g = ComputeEclipseGeometry(a);
    double found = full ? LunarEclipseKind(g) : SolarEclipseKind(g);
    if (found == kEclipseNone) return result;
    *kind = found;
    double greatest = GreatestEclipseJde(a, g, full) - deltaT;
    if (eclipseTime) *eclipseTime = greatest;
    if (contacts) FillContacts(a, g, greatest, contacts);
    return result;
}
