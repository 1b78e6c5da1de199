#include "ephemeris/planets_simon.h"

#include <cmath>

#include "ephemeris/simon_elements.h"
#include "ephemeris/sine_cosine.h"

namespace {

constexpr double kTwoPi = 6.283185307179586;
constexpr double kArcsecToRad = 4.84813681109536e-6;
constexpr double kGauss = 0.01720209895;
constexpr double kCosObliquity = 0.9174820620691818;
constexpr double kSinObliquity = 0.3977771559319137;

// Sun mass over planet mass, for the orbital speed.
constexpr double kInverseMass[8] = {6023600.0, 408523.5, 328900.5, 3098710.0,
                                    1047.355,  3498.5,   22869.0,  19314.0};

// The mean elements of one planet at T (Julian millennia from J2000.0).
struct MeanElements {
    double a;       // AU
    double lambda;  // mean longitude, rad
    double e;
    double varpi;   // longitude of perihelion, rad
    double i;       // inclination, rad
    double node;    // longitude of the ascending node, rad
};

double Polynomial(int array, uint32_t planet, double t) {
    const double* c = &simonElements[array + 3 * planet];
    return c[0] + (c[1] + c[2] * t) * t;
}

// An angle polynomial: constant in degrees, rates in arcseconds; result in radians.
double AnglePolynomial(int array, uint32_t planet, double t) {
    const double* c = &simonElements[array + 3 * planet];
    return (3600.0 * c[0] + (c[1] + c[2] * t) * t) * kArcsecToRad;
}

// One periodic term: amplitude scale 1e-7 of C cos(n mu) + S sin(n mu).
double PeriodicTerm(int nArray, int cArray, int sArray, int index, double mu) {
    double n = simonElements[nArray + index];
    double sine, cosine;
    SineCosine(n * mu, &sine, &cosine);
    return (simonElements[cArray + index] * cosine + simonElements[sArray + index] * sine) * 1e-7;
}

MeanElements ComputeMeanElements(uint32_t planet, double t) {
    MeanElements m;
    m.a = Polynomial(kSimonA, planet, t);
    m.lambda = AnglePolynomial(kSimonLambda, planet, t);
    m.e = Polynomial(kSimonE, planet, t);
    m.varpi = NormalizeAnglePi(AnglePolynomial(kSimonPerihelion, planet, t));
    m.i = AnglePolynomial(kSimonInclination, planet, t);
    m.node = NormalizeAnglePi(AnglePolynomial(kSimonNode, planet, t));

    double mu = 0.3595362 * t;
    int aBase = 9 * planet;
    int lBase = 10 * planet;
    for (int k = 0; k < 8; ++k) {
        m.a += PeriodicTerm(kSimonNa, kSimonCa, kSimonSa, aBase + k, mu);
        m.lambda += PeriodicTerm(kSimonNl, kSimonCl, kSimonSl, lBase + k, mu);
    }
    m.a += t * PeriodicTerm(kSimonNa, kSimonCa, kSimonSa, aBase + 8, mu);
    for (int k = 8; k < 10; ++k) {
        m.lambda += t * PeriodicTerm(kSimonNl, kSimonCl, kSimonSl, lBase + k, mu);
    }
    m.lambda = std::fmod(m.lambda, kTwoPi);
    return m;
}

// Kepler's equation by Newton's method: at least one step, at most ten.
double SolveKepler(double meanAnomaly, double e) {
    double ea = meanAnomaly + e * std::sin(meanAnomaly);
    for (int step = 1;; ++step) {
        double sine, cosine;
        SineCosine(ea, &sine, &cosine);
        double de = (meanAnomaly - ea + e * sine) / (1.0 - e * cosine);
        ea += de;
        if (step >= 10 || std::fabs(de) <= 1e-12) return ea;
    }
}

// Position and velocity from the osculating orbit, ecliptic then rotated to the equator.
void OrbitToEquatorial(const MeanElements& m, double nu, double r, double speed,
                       double* pv) {
    double s, c, sinNode, cosNode, sinW, cosW, sinVarpi, cosVarpi;
    SineCosine(m.i * 0.5, &s, &c);
    SineCosine(m.node, &sinNode, &cosNode);
    double p = s * sinNode;
    double q = s * cosNode;
    double w = nu + m.varpi;
    SineCosine(w, &sinW, &cosW);
    SineCosine(m.varpi, &sinVarpi, &cosVarpi);
    double k = 2.0 * (p * cosW - q * sinW);
    double f = m.a / std::sqrt(1.0 - m.e * m.e);
    double aa = (m.e * sinVarpi + sinW) * f;
    double bb = (m.e * cosVarpi + cosW) * f;
    double g = 2.0 * p * q;

    double x = r * (cosW - k * p);
    double y = r * (sinW + k * q);
    double z = -r * k * c;
    double vx = speed * ((2.0 * p * p - 1.0) * aa + g * bb);
    double vy = speed * ((1.0 - 2.0 * q * q) * bb - g * aa);
    double vz = speed * 2.0 * c * (p * aa + q * bb);

    pv[0] = x;
    pv[1] = y * kCosObliquity - z * kSinObliquity;
    pv[2] = z * kCosObliquity + y * kSinObliquity;
    pv[3] = vx;
    pv[4] = vy * kCosObliquity - vz * kSinObliquity;
    pv[5] = vz * kCosObliquity + vy * kSinObliquity;
}

}  // namespace

double NormalizeAnglePi(double x) {
    double r = std::fmod(x, kTwoPi);
    if (std::fabs(r) >= 3.141592653589793) {
        return x < 0.0 ? r + kTwoPi : r - kTwoPi;
    }
    return r;
}

void ComputePlanetPositionSimon(double jd1, double jd2, uint32_t planet, double* pv, double* lon,
                                double* lat, double* radius) {
    if (planet > 7) return;
    double t = ((jd1 - 2451545.0) + jd2) * 2.737850787132101e-6;  // Julian millennia
    MeanElements m = ComputeMeanElements(planet, t);

    double meanAnomaly = m.lambda - m.varpi;
    double ea = SolveKepler(meanAnomaly, m.e);
    double nu = 2.0 * std::atan2(std::sqrt((1.0 + m.e) / (1.0 - m.e)) * std::sin(ea * 0.5),
                                 std::cos(ea * 0.5));
    double r = m.a * (1.0 - m.e * std::cos(ea));
    double speed = kGauss * std::sqrt((1.0 + 1.0 / kInverseMass[planet]) / (m.a * m.a * m.a));
    double u = nu + m.lambda - meanAnomaly - m.node;

    if (lon) *lon = std::atan2(std::sin(u) * std::cos(m.i), std::cos(u)) + m.node;
    if (lat) *lat = std::asin(std::sin(m.i) * std::sin(u));
    if (radius) *radius = r;
    if (pv) OrbitToEquatorial(m, nu, r, speed, pv);
}
