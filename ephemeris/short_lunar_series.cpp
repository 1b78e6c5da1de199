#include "ephemeris/short_lunar_series.h"

#include <cmath>

namespace {

constexpr double kDegToRad = 0.0174532925199433;

// A term coefficient x sin (or cos) of d D + m M + mp M' + f F, multiplied by E when eFactor.
struct ShortTerm {
    int d;
    int m;
    int mp;
    int f;
    double coefficient;
    bool eFactor;
};

const ShortTerm kLongitudeTerms[18] = {
    {0, 0, 1, 0, 6288763.889, false},  {2, 0, -1, 0, 1276428.849, false},
    {2, 0, 0, 0, 660240.94, false},    {0, 0, 2, 0, 213610.419, false},
    {0, 1, 0, 0, -185267.373, true},   {0, 0, 0, 2, -114329.451, false},
    {2, 0, -2, 0, 58793.019, false},   {2, -1, -1, 0, 57067.542, true},
    {2, 0, 1, 0, 53321.042, false},    {2, -1, 0, 0, 45759.606, true},
    {0, 1, -1, 0, -40924.039, true},   {1, 0, 0, 0, -34718.906, false},
    {0, 1, 1, 0, -30384.497, true},    {2, 0, 0, -2, 15327.225, false},
    {0, 0, 1, 2, -12527.867, false},   {0, 0, 1, -2, 10981.647, false},
    {4, 0, -1, 0, 10674.928, false},   {0, 0, 3, 0, 10034.344, false},
};

const ShortTerm kLatitudeTerms[14] = {
    {0, 0, 0, 1, 5128122, false}, {0, 0, 1, 1, 280602, false},  {0, 0, 1, -1, 277693, false},
    {2, 0, 0, -1, 173237, false}, {2, 0, -1, 1, 55413, false},  {2, 0, -1, -1, 46271, false},
    {2, 0, 0, 1, 32573, false},   {0, 0, 2, 1, 17198, false},   {2, 0, 1, -1, 9266, false},
    {0, 0, 2, -1, 8822, false},   {2, -1, 0, -1, 8216, true},   {2, 0, -2, -1, 4324, false},
    {2, 0, 1, 1, 4200, false},    {2, 1, 0, -1, -3359, true},
};

const ShortTerm kDistanceTerms[13] = {
    {0, 0, 1, 0, -20904633.237, false}, {2, 0, -1, 0, -3705417.385, false},
    {2, 0, 0, 0, -2964633.961, false},  {0, 0, 2, 0, -569885.876, false},
    {2, 0, -2, 0, 246638.316, false},   {2, -1, 0, 0, -205251.95, true},
    {2, 0, 1, 0, -171229.07, false},    {2, -1, -1, 0, -152399.56, true},
    {0, 1, -1, 0, -129937.037, true},   {1, 0, 0, 0, 108977.756, false},
    {0, 1, 1, 0, 104975.467, true},     {0, 0, 1, -2, 79625.885, false},
    {0, 1, 0, 0, 48998.34, true},
};

struct Arguments {
    double d, m, mp, f, e;
};

template <int N>
double SumTerms(const ShortTerm (&terms)[N], const Arguments& a, double (*trig)(double)) {
    double sum = 0.0;
    for (const ShortTerm& term : terms) {
        double value = term.coefficient * trig(term.d * a.d + term.m * a.m + term.mp * a.mp +
                                               term.f * a.f);
        sum += term.eFactor ? value * a.e : value;
    }
    return sum;
}

double Sine(double x) { return std::sin(x); }
double Cosine(double x) { return std::cos(x); }

}  // namespace

void SumShortLunarSeries(double t, ShortLunarSums* sums) {
    double t2 = t * t;
    Arguments a;
    sums->meanLongitude = std::fmod(218.3164591 + 481267.88134236 * t - 0.0015786 * t2, 360.0);
    a.d = std::fmod(297.8502042 + 445267.1115168 * t - 0.0018819 * t2, 360.0) * kDegToRad;
    a.m = std::fmod(357.5291092 + 35999.0502909 * t - 0.0001536 * t2, 360.0) * kDegToRad;
    a.mp = std::fmod(134.9634114 + 477198.8676313 * t + 0.008997 * t2, 360.0) * kDegToRad;
    a.f = std::fmod(93.272095 + 483202.0175233 * t - 0.0036539 * t2, 360.0) * kDegToRad;
    a.e = 1.0 - 0.002516 * t;
    sums->longitude = SumTerms(kLongitudeTerms, a, Sine);
    sums->latitude = SumTerms(kLatitudeTerms, a, Sine);
    sums->distance = SumTerms(kDistanceTerms, a, Cosine);
}
