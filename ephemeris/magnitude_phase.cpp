#include "ephemeris/magnitude_phase.h"

#include <algorithm>
#include <cmath>

#include "ephemeris/body_index.h"

namespace {

constexpr double kDegToRad = 0.0174532925199433;
constexpr double kRadToDeg = 57.29577951308232;

// Diameter in arcseconds at 1 AU, bodies 0 (Sun) to 9 (Pluto).
constexpr double kDiameterAtUnitDistance[10] = {1919.26, 1873.7, 6.74, 16.96, 9.36,
                                                196.94,  165.6,  65.8, 62.2,  6.36};

// acos of a cosine from the law of cosines; rounding can carry it a hair past +-1
// when the three bodies are in line.
double AcosDegrees(double c) { return std::acos(std::clamp(c, -1.0, 1.0)) * kRadToDeg; }

// H + phase terms of the body's magnitude law, phase angle i in degrees.
bool MagnitudeLaw(int body, double i, double* value) {
    switch (body) {
    case kBodyIndexMoon: *value = 0.23 + 0.026 * i + 4e-09 * i * i * i * i; return true;
    case kBodyIndexMercury:
        *value = -0.42 + 0.038 * i - 0.000273 * i * i + 2e-06 * i * i * i;
        return true;
    case kBodyIndexVenus: *value = -4.4 + (0.000239 * i + 0.0009) * i - 6.5e-07 * i * i * i; return true;
    case kBodyIndexMars: *value = -1.52 + 0.016 * i; return true;
    case kBodyIndexJupiter: *value = -9.4 + 0.005 * i; return true;
    case kBodyIndexSaturn: *value = -8.88 + 0.044 * i; return true;
    case kBodyIndexUranus: *value = -7.19; return true;
    case kBodyIndexNeptune: *value = -6.87; return true;
    case kBodyIndexPluto: *value = -1.0; return true;
    default: return false;
    }
}

}  // namespace

double GetApparentDiameter(int body, double distance) {
    if (static_cast<unsigned>(body) > 9u) return 0.0;
    return kDiameterAtUnitDistance[body] / distance * 0.016666666666666666;
}

void ComputeMagnitudePhase(int body, double delta, double r, double bigR, double* magnitude,
                           double* illuminatedFraction, double* elongation) {
    double phaseAngle;
    if (body == kBodyIndexMoon) {
        *elongation = 0.0;
        phaseAngle = 180.0 - *elongation;
    } else {
        *elongation = AcosDegrees((bigR * bigR + delta * delta - r * r) / (2.0 * delta * bigR));
        phaseAngle = AcosDegrees((r * r + delta * delta - bigR * bigR) / (2.0 * delta * r));
    }
    *illuminatedFraction = (1.0 + std::cos(phaseAngle * kDegToRad)) * 0.5;
    double law;
    if (MagnitudeLaw(body, phaseAngle, &law)) *magnitude = law + 5.0 * std::log10(r * delta);
}
