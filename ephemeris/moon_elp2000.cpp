#include "ephemeris/moon_elp2000.h"

#include <cmath>

#include "core/nutation.h"
#include "ephemeris/ecliptic_to_equatorial.h"
#include "ephemeris/elp2000_table.h"
#include "ephemeris/ephemeris_work.h"
#include "ephemeris/sun_vsop87.h"
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

// Cosines and sines of the multiples -8..8 of D, M, M' and F, from one sine and cosine of
// each by the angle-addition rule: a main term's sine or cosine is then a product of four
// table entries instead of a call to the sine of its argument.
constexpr int kMaxMultiple = 8;
struct Multiples {
    double c[2 * kMaxMultiple + 1], s[2 * kMaxMultiple + 1];
    explicit Multiples(double x) {
        double c1 = std::cos(x), s1 = std::sin(x);
        c[kMaxMultiple] = 1.0;
        s[kMaxMultiple] = 0.0;
        for (int k = 1; k <= kMaxMultiple; ++k) {
            double ck = c[kMaxMultiple + k - 1] * c1 - s[kMaxMultiple + k - 1] * s1;
            double sk = s[kMaxMultiple + k - 1] * c1 + c[kMaxMultiple + k - 1] * s1;
            c[kMaxMultiple + k] = c[kMaxMultiple - k] = ck;
            s[kMaxMultiple + k] = sk;
            s[kMaxMultiple - k] = -sk;
        }
    }
};

struct MainMultiples {
    Multiples d, m, mp, f;
};

// Cosine (re) and sine (im) of d D + m M + mp M' + f F.
void MainTermAngle(const ElpMainTerm& term, const MainMultiples& x, double* cosine, double* sine) {
    int d = kMaxMultiple + term.d, m = kMaxMultiple + term.m, mp = kMaxMultiple + term.mp,
        f = kMaxMultiple + term.f;
    double c = x.d.c[d] * x.m.c[m] - x.d.s[d] * x.m.s[m];
    double s = x.d.s[d] * x.m.c[m] + x.d.c[d] * x.m.s[m];
    double c2 = c * x.mp.c[mp] - s * x.mp.s[mp];
    double s2 = s * x.mp.c[mp] + c * x.mp.s[mp];
    *cosine = c2 * x.f.c[f] - s2 * x.f.s[f];
    *sine = s2 * x.f.c[f] + c2 * x.f.s[f];
}

template <int N>
double SumMainSines(const ElpMainTerm (&terms)[N], const MainMultiples& x) {
    double sum = 0.0;
    for (const ElpMainTerm& term : terms) {
        double c, s;
        MainTermAngle(term, x, &c, &s);
        sum += term.amplitude * s;
    }
    return sum;
}

template <int N>
double SumMainCosines(const ElpMainTerm (&terms)[N], const MainMultiples& x) {
    double sum = 0.0;
    for (const ElpMainTerm& term : terms) {
        double c, s;
        MainTermAngle(term, x, &c, &s);
        sum += term.amplitude * c;
    }
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

// The 15-digit literal of the short series and of the apparent routines' arguments and angles.
constexpr double kDegToRadShort = 0.0174532925199433;
constexpr double kRadToDeg = 57.29577951308232;

// Reduces degrees by fmod 360 and, when keepPositive, brings a negative result into [0, 360).
double ReducedDegrees(double degrees, bool keepPositive) {
    double reduced = std::fmod(degrees, 360.0);
    return keepPositive && reduced < 0.0 ? reduced + 360.0 : reduced;
}

// The published arguments of the Moon's position chapter (Meeus, Astronomical Algorithms,
// chapter 47) into ephemerisWork, radians (L0 in degrees, unreduced), with E. The Moon keeps
// L', M, M', D and F in [0, 360) degrees; the shadow leaves them as fmod gives them.
void StoreApparentArguments(double t, bool keepPositive) {
    double t2 = t * t;
    double t3 = t2 * t;
    double t4 = t3 * t;
    EphemerisWork& w = ephemerisWork;
    auto store = [keepPositive](double degrees) {
        return ReducedDegrees(degrees, keepPositive) * kDegToRadShort;
    };
    w.moonMeanLongitude = store(218.3164477 + 481267.88123421 * t - 0.0015786 * t2 +
                                t3 * (1.0 / 538841.0) - t4 * (1.0 / 65194000.0));
    w.moonMeanElongation = store(297.8501921 + 445267.1114034 * t - 0.0018819 * t2 +
                                 t3 * (1.0 / 545868.0) - t4 * (1.0 / 113065000.0));
    w.sunMeanAnomaly =
        store(357.5291092 + 35999.0502909 * t - 0.0001536 * t2 + t3 * (1.0 / 24490000.0));
    w.moonMeanAnomaly = store(134.9633964 + 477198.8675055 * t + 0.0087414 * t2 +
                              t3 * (1.0 / 69699.0) - t4 * (1.0 / 14712000.0));
    w.moonArgumentOfLatitude = store(93.272095 + 483202.0175233 * t - 0.0036539 * t2 -
                                     t3 * (1.0 / 3526000.0) + t4 * (1.0 / 863310000.0));
    double node = 125.04452 - 1934.136261 * t + 0.0020708 * t2 + t3 * (1.0 / 450000.0);
    w.moonNode = ReducedDegrees(node, false) * kDegToRadShort;
    w.sunMeanLongitude = 280.4665 + 36000.7698 * t;
    w.eccentricityFactor = 1.0 - 0.002516 * t - 7.4e-06 * t2;
}

// The common start of the apparent routines: arguments into ephemerisWork, the nutation in
// longitude (arcseconds) and the true obliquity (returned, radians).
double StartApparentPlace(double t, bool keepPositive, double* nutationLongitude) {
    StoreApparentArguments(t, keepPositive);
    double nutationObliquity;
    ComputeNutationSeries(t, nutationLongitude, &nutationObliquity);
    return ComputeTrueObliquity(t, nutationObliquity);
}

// Right ascension and declination of the ecliptic place (longitude, latitude; radians) for the
// obliquity, then the elongation from sunLongitude, the phase angle, the illuminated fraction
// and the magnitude (Meeus, chapters 48 and 41).
void FillApparentRecord(BodyPosition* record, double longitude, double latitude, double eps,
                        double sunLongitude) {
    constexpr double kPhaseDegToRad = 0.017453292519943295;
    EphemerisWork& w = ephemerisWork;
    EclipticToEquatorial(longitude, latitude, eps, &record->ra, &record->dec);
    double psi = std::acos(std::cos(latitude) * std::cos(longitude - sunLongitude)) * kRadToDeg;
    w.moonElongation = psi;
    double i = 180.0 - psi -
               0.1468 * (1.0 - 0.0549 * std::sin(w.moonMeanAnomaly)) *
                   std::sin(psi * kPhaseDegToRad) / (1.0 - 0.0167 * std::sin(w.sunMeanAnomaly));
    w.moonPhaseAngle = i;
    record->sunMoonFraction = (1.0 + std::cos(i * kPhaseDegToRad)) * 0.5;
    record->magnitude = 0.026 * std::fabs(i) + 4e-09 * i * i * i * i - 12.73;
}

}  // namespace

double ComputeGeometricMoon(double t, double* longitude, double* latitude, double* distance) {
    ElpArguments a;
    ComputeElpArguments(t, &a);
    const MainMultiples x{Multiples(a.d), Multiples(a.m), Multiples(a.mp), Multiples(a.f)};
    double sumL = SumMainSines(elpMainLongitude, x) + SumPerturbations(elpPlanetaryLongitude, a) +
                  SumPerturbations(elpEarthFigureLongitude, a);
    const ElpFreeTerm& extra = elpExtraLatitudeTerm;
    double sumB = SumMainSines(elpMainLatitude, x) + SumPerturbations(elpEarthFigureLatitude, a) +
                  SumPerturbations(elpPlanetaryLatitude, a) +
                  extra.amplitude * std::sin(extra.frequency * t + extra.phase);
    double sumR = 385000.528987 + SumMainCosines(elpMainDistance, x);
    *longitude = a.meanLongitude + std::fmod(sumL * kArcsecToDeg, 360.0) * kDegToRad;
    *latitude = std::fmod(sumB * kArcsecToDeg, 360.0) * kDegToRad;
    *distance = sumR * kKmToAu;
    return *distance;
}

double ComputeMoonShortSeries(double t, double* longitude, double* latitude, double* distance) {
    ShortLunarSums sums;
    SumShortLunarSeries(t, &sums);
    *longitude = sums.meanLongitude * kDegToRadShort +
                 std::fmod(sums.longitude * 1e-06, 360.0) * kDegToRadShort;
    *latitude = std::fmod(sums.latitude * 1e-06, 360.0) * kDegToRadShort;
    *distance = (sums.distance * 0.001 + 385000.55) * kKmToAu;
    return *distance;
}

void ComputeApparentMoon(BodyPosition* record, double t, double sunLongitude) {
    double nutationLongitude;
    double eps = StartApparentPlace(t, true, &nutationLongitude);
    EphemerisWork& w = ephemerisWork;
    ComputeGeometricMoon(t, &w.longitude, &w.latitude, &w.distance);
    w.longitude += nutationLongitude * kArcsecToDeg * kDegToRadShort;
    record->distance = w.distance;
    FillApparentRecord(record, w.longitude, w.latitude, eps, sunLongitude);
    record->apparentDiameter = 7.169468e8 / (w.distance * 149597870.0) * 0.016666666666666666;
}

void ComputeApparentEarthShadow(BodyPosition* record, double t, double sunLongitude) {
    double nutationLongitude;
    double eps = StartApparentPlace(t, false, &nutationLongitude);
    EphemerisWork& w = ephemerisWork;
    double moonDistance;
    ComputeGeometricMoon(t, &w.longitude, &w.latitude, &moonDistance);
    ComputeGeometricSun(t, &w.longitude, &w.latitude, &w.distance);
    // The antisolar point with the nutation and a constant aberration of 20.4898".
    w.latitude = -w.latitude;
    w.longitude += 3.141592653589793 +
                   (nutationLongitude * kArcsecToDeg - 0.005691611111111111) * kDegToRadShort;
    record->distance = moonDistance;
    FillApparentRecord(record, w.longitude, w.latitude, eps, sunLongitude);
    // Umbra radius at the Moon's distance (Earth 6378.14 km, Sun 695000 km) seen from the
    // Earth's centre, as a diameter in arcminutes.
    double umbraRadiusKm = 6378.14 - 688621.86 * moonDistance / w.distance;
    record->apparentDiameter =
        2.0 * umbraRadiusKm / (moonDistance * 149597870.0) * kRadToDeg * 60.0;
}
