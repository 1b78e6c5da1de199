#include "ephemeris/moon_elp2000.h"

#include <cmath>

#include "ephemeris/elp2000_table.h"
#include "ephemeris/short_lunar_series.h"

namespace {

constexpr double kDegToRad = 0.017453292519943295;
constexpr double kTwoPi = 6.283185307179586;
constexpr double kArcsecToDeg = 0.0002777777777777778;
constexpr double kKmToAu = 6.684587153547039e-09;  // 1 / 149597870 km

// Arguments of the series, radians.
struct ElpArguments {
    double meanLongitude;  // L'
    double d, m, mp, f;
    double zeta;           // L' referred to the mean equinox of date
    double venus, earth, mars, jupiter;
};

double ReducedRadians(double degrees) { return std::fmod(degrees * kDegToRad, kTwoPi); }

void ComputeElpArguments(double t, ElpArguments* a) {
    double t2 = t * t;
    double t3 = t2 * t;
    double t4 = t3 * t;
    a->meanLongitude = ReducedRadians(218.3164591 + 481267.88134236 * t - 0.0013268 * t2 +
                                      t3 * (1.0 / 538841.0) - t4 * (1.0 / 65194000.0));
    a->d = ReducedRadians(297.8502042 + 445267.1115168 * t - 0.00163 * t2 +
                          t3 * (1.0 / 545868.0) - t4 * (1.0 / 113065000.0));
    a->m = ReducedRadians(357.5291092 + 35999.0502909 * t - 0.0001536 * t2 +
                          t3 * (1.0 / 24490000.0));
    a->mp = ReducedRadians(134.9634114 + 477198.8676313 * t + 0.008997 * t2 +
                           t3 * (1.0 / 69699.0) - t4 * (1.0 / 14712000.0));
    a->f = ReducedRadians(93.2720993 + 483202.0175273 * t - 0.0034029 * t2 -
                          t3 * (1.0 / 3526000.0) + t4 * (1.0 / 863310000.0));
    a->zeta = a->meanLongitude + 0.024381748353014515 * t;  // precession 5029.0966"/century
    a->venus = (181.979801 + 58517.815676 * t) * kDegToRad;
    a->earth = (100.46645 + 35999.372854 * t) * kDegToRad;
    a->mars = (355.433275 + 19140.299331 * t) * kDegToRad;
    a->jupiter = (34.351484 + 3034.905675 * t) * kDegToRad;
}

double MainArgument(const ElpMainTerm& term, const ElpArguments& a) {
    return term.d * a.d + term.m * a.m + term.mp * a.mp + term.f * a.f;
}

template <int N>
double SumMainSines(const ElpMainTerm (&terms)[N], const ElpArguments& a) {
    double sum = 0.0;
    for (const ElpMainTerm& term : terms) sum += term.amplitude * std::sin(MainArgument(term, a));
    return sum;
}

template <int N>
double SumMainCosines(const ElpMainTerm (&terms)[N], const ElpArguments& a) {
    double sum = 0.0;
    for (const ElpMainTerm& term : terms) sum += term.amplitude * std::cos(MainArgument(term, a));
    return sum;
}

template <int N>
double SumPerturbations(const ElpPerturbationTerm (&terms)[N], const ElpArguments& a) {
    double sum = 0.0;
    for (const ElpPerturbationTerm& term : terms) {
        double argument = term.zeta * a.zeta + term.d * a.d + term.m * a.m + term.mp * a.mp +
                          term.f * a.f + term.venus * a.venus + term.earth * a.earth +
                          term.mars * a.mars + term.jupiter * a.jupiter + term.phase;
        sum += term.amplitude * std::sin(argument);
    }
    return sum;
}

}  // namespace

double ComputeGeometricMoon(double t, double* longitude, double* latitude, double* distance) {
    ElpArguments a;
    ComputeElpArguments(t, &a);
    double sumL = SumMainSines(elpMainLongitude, a) + SumPerturbations(elpPlanetaryLongitude, a) +
                  SumPerturbations(elpEarthFigureLongitude, a);
    const ElpFreeTerm& extra = elpExtraLatitudeTerm;
    double sumB = SumMainSines(elpMainLatitude, a) + SumPerturbations(elpEarthFigureLatitude, a) +
                  SumPerturbations(elpPlanetaryLatitude, a) +
                  extra.amplitude * std::sin(extra.frequency * t + extra.phase);
    double sumR = 385000.528987 + SumMainCosines(elpMainDistance, a);
    *longitude = a.meanLongitude + std::fmod(sumL * kArcsecToDeg, 360.0) * kDegToRad;
    *latitude = std::fmod(sumB * kArcsecToDeg, 360.0) * kDegToRad;
    *distance = sumR * kKmToAu;
    return *distance;
}

double ComputeMoonShortSeries(double t, double* longitude, double* latitude, double* distance) {
    constexpr double kDegToRadShort = 0.0174532925199433;
    ShortLunarSums sums;
    SumShortLunarSeries(t, &sums);
    *longitude = sums.meanLongitude * kDegToRadShort +
                 std::fmod(sums.longitude * 1e-06, 360.0) * kDegToRadShort;
    *latitude = std::fmod(sums.latitude * 1e-06, 360.0) * kDegToRadShort;
    *distance = (sums.distance * 0.001 + 385000.55) * kKmToAu;
    return *distance;
}
