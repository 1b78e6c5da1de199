#include "assistants/saturn_satellites.h"

#include <algorithm>
#include <cmath>
#include <new>

#include "ephemeris/body_positions.h"
#include "ephemeris/lagrange.h"
#include "ephemeris/moon_view_helpers.h"

double* saturnMoonTable[kSaturnTableArrays] = {};
int saturnMoonTableNodes = 0;

namespace {

constexpr double kDegree = 0.017453292519943295;
constexpr double kLightTimePerAu = 0.0057755183;  // days
constexpr double kFirstLightTime = 0.0519796647;  // days, Saturn at 9 AU
constexpr double kB1950 = 2433282.4235;
constexpr double kPlaneInclination = 28.0817;
constexpr double kPlaneNode = 168.8112;
constexpr double kFlattening = 1.108601;
constexpr double kRadiiPerAu = 2475.0;
constexpr double kLightTimeDivisor = 20947.0;
constexpr int kMaxLightTimePasses = 20;

enum TableArray {
    kTimes = 0, kWeights, kLongitude, kLatitude, kRadius, kEarthX, kEarthY, kEarthZ, kSunX, kSunY, kSunZ,
};

double SinD(double x) { return std::sin(x * kDegree); }
double CosD(double x) { return std::cos(x * kDegree); }
double Atan2D(double y, double x) { return std::atan2(y, x) / kDegree; }

double* Row(int array, int moon) { return saturnMoonTable[array] + moon * saturnMoonTableNodes; }

bool HasArrays(std::initializer_list<int> arrays) {
    return std::all_of(arrays.begin(), arrays.end(), [](int a) { return saturnMoonTable[a] != nullptr; });
}

// The seven nodes centred nearest t and the factor of each node's value in
// the 7-point polynomial's value at t, as EvalLagrange forms them (a node's
// own product within 1e-6 day of it), taken once for every array read at t.
// The nodes are evenly spaced, so every run of seven shares the first run's
// weights.
struct Basis {
    int first;
    double factor[kSaturnTableNodes];
};

Basis BasisAt(double t) {
    const double* times = saturnMoonTable[kTimes];
    const int last = saturnMoonTableNodes - kSaturnTableNodes;
    const double centre = std::round((t - times[0]) / (times[1] - times[0])) - kSaturnTableNodes / 2;
    Basis b{centre > 0 ? (centre < last ? static_cast<int>(centre) : last) : 0, {}};
    const double* x = times + b.first;
    const auto product = [&](int skip) {
        double p = 1.0;
        for (int j = 0; j < kSaturnTableNodes; ++j)
            if (j != skip) p *= t - x[j];
        return p;
    };
    const double all = product(-1);
    for (int i = 0; i < kSaturnTableNodes; ++i) {
        const double d = t - x[i];
        b.factor[i] = saturnMoonTable[kWeights][i] * (std::abs(d) > 1e-6 ? all / d : product(i));
    }
    return b;
}

double Interpolate(const Basis& b, const double* values) {
    double sum = 0.0;
    for (int i = 0; i < kSaturnTableNodes; ++i) sum += values[b.first + i] * b.factor[i];
    return sum;
}

// Saturn seen by the observer: geocentric (or heliocentric when R = 0)
// rectangular ecliptic place in AU at the instant jd less the light time,
// which is returned (days).
struct SaturnSeen {
    double x, y, z, delta, tau;
};

SaturnSeen LightTime(double jd, double l0, double b0, double bigR) {
    SaturnSeen s{0, 0, 0, 0, kFirstLightTime};
    double previous = 0;
    for (int pass = 0; pass < kMaxLightTimePasses && std::fabs(s.tau - previous) > 2e-6; ++pass) {
        previous = s.tau;
        double l = 0, b = 0, r = 0;
        InterpolateSaturnPosition(jd - s.tau, &l, &b, &r);
        s.x = r * CosD(b) * CosD(l) + bigR * std::cos(l0);
        s.y = r * CosD(b) * SinD(l) + bigR * std::sin(l0);
        s.z = r * SinD(b) + bigR * std::sin(b0);
        s.delta = std::sqrt(s.x * s.x + s.y * s.y + s.z * s.z);
        s.tau = kLightTimePerAu * s.delta;
    }
    return s;
}

// A moon in its orbit: radius (Saturn radii), longitude, inclination and
// node on Saturn's equator (degrees).
struct MoonOrbit {
    double r, lambda, gamma, omega;
};

// The arguments of the theory at t = JD - tau.
struct Arguments {
    double t1, t2, t4, t5, t7;
    double w[9];
    double e1;
};

Arguments ArgumentsAt(double t) {
    Arguments a;
    a.t1 = t - 2411093.0;
    a.t2 = a.t1 / 365.25;
    const double t3 = (t - 2433282.423) / 365.25 + 1950.0;
    a.t4 = t - 2411368.0;
    a.t5 = a.t4 / 365.25;
    a.t7 = (t - 2415020.0) / 36525;
    const double w[9] = {5.095 * (t3 - 1866.39),          74.4 + 32.39 * a.t2,
                         134.3 + 92.62 * a.t2,            42.0 - 0.5118 * a.t5,
                         276.59 + 0.5118 * a.t5,          267.2635 + 1222.1136 * a.t7,
                         175.4762 + 1221.5515 * a.t7,     2.4891 + 0.002435 * a.t7,
                         113.35 - 0.2597 * a.t7};
    for (int k = 0; k < 9; ++k) a.w[k] = ReduceDegrees(w[k]);
    a.e1 = 0.05589 - 0.000346 * a.t7;
    return a;
}

// Enceladus and Dione: mean longitude L, periapsis p, the equation of the
// centre C = c1 sin M + c2 sin 2M, radius a / (1 + k cos(M + C)).
MoonOrbit CentredOrbit(double meanLongitude, double periapsis, double c1, double c2, double a, double k, double gamma,
                       double omega) {
    const double l = ReduceDegrees(meanLongitude);
    const double m = ReduceDegrees(l - ReduceDegrees(periapsis));
    const double c = c1 * SinD(m) + c2 * SinD(2 * m);
    return {a / (1 + k * CosD(m + c)), ReduceDegrees(l + c), gamma, ReduceDegrees(omega)};
}

MoonOrbit Enceladus(const Arguments& a) {
    return CentredOrbit(200.317 + 262.7319002 * a.t1 + 0.25667 * SinD(a.w[1]) + 0.20883 * SinD(a.w[2]),
                        309.107 + 123.44121 * a.t2, 0.55577, 0.00168, 3.94118, 0.00485, 0.0262,
                        348.0 - 151.95 * a.t2);
}

MoonOrbit Tethys(const Arguments& a) {
    const double w0 = a.w[0];
    return {4.880998,
            ReduceDegrees(285.306 + 190.69791226 * a.t1 + 2.063 * SinD(w0) + 0.03409 * SinD(3 * w0) +
                          0.001015 * SinD(5 * w0)),
            1.0976, ReduceDegrees(111.33 - 72.2441 * a.t2)};
}

MoonOrbit Dione(const Arguments& a) {
    return CentredOrbit(254.712 + 131.53493193 * a.t1 - 0.0215 * SinD(a.w[1]) - 0.01733 * SinD(a.w[2]),
                        174.8 + 30.82 * a.t2, 0.24717, 0.00033, 6.24871, 0.002157, 0.0139, 232.0 - 30.27 * a.t2);
}

MoonOrbit Solved(double e, double l, double p, double a, double node, double i) {
    MoonOrbit o;
    SolveSaturnMoonOrbit(e, l, p, a, node, i, CosD(kPlaneInclination), SinD(kPlaneInclination), &o.r, &o.lambda,
                         &o.gamma, &o.omega);
    return o;
}

MoonOrbit Rhea(const Arguments& a) {
    const double pp = 342.7 + 10.057 * a.t2;
    const double a1 = 0.000265 * SinD(pp) + 0.001 * SinD(a.w[4]);
    const double a2 = 0.000265 * CosD(pp) + 0.001 * CosD(a.w[4]);
    const double n = 345.0 - 10.057 * a.t2;
    return Solved(std::sqrt(a1 * a1 + a2 * a2), 359.244 + 79.6900472 * a.t1 + 0.086754 * SinD(n), Atan2D(a1, a2),
                  8.725924, 168.8034 + 0.736936 * SinD(n) + 0.041 * SinD(a.w[3]),
                  28.0362 + 0.346898 * CosD(n) + 0.0193 * CosD(a.w[3]));
}

MoonOrbit Titan(const Arguments& a) {
    const double* w = a.w;
    const double bigL = 261.1582 + 22.57697855 * a.t4 + 0.074025 * SinD(w[3]);
    const double iPrime = 27.45141 + 0.295999 * CosD(w[3]);
    const double nodePrime = 168.66925 + 0.628808 * SinD(w[3]);
    const double a1 = SinD(w[7]) * SinD(nodePrime - w[8]);
    const double a2 = CosD(w[7]) * SinD(iPrime) - SinD(w[7]) * CosD(iPrime) * CosD(nodePrime - w[8]);
    const double g0 = 102.8623;
    const double psi = Atan2D(a1, a2);
    const double s = std::sqrt(a1 * a1 + a2 * a2);
    double g = w[4] - nodePrime - psi, varpi = 0;
    for (int pass = 0; pass < 3; ++pass) {
        varpi = w[4] + 0.37515 * (SinD(2 * g) - SinD(2 * g0));
        g = varpi - nodePrime - psi;
    }
    const double ePrime = 0.029092 + 0.00019048 * (CosD(2 * g) - CosD(2 * g0));
    const double q = 2 * (w[5] - varpi);
    const double b1 = SinD(iPrime) * SinD(nodePrime - w[8]);
    const double b2 = CosD(w[7]) * SinD(iPrime) * CosD(nodePrime - w[8]) - SinD(w[7]) * CosD(iPrime);
    const double theta = Atan2D(b1, b2) + w[8];
    const double u = 2 * w[5] - 2 * theta + psi;
    const double h = 0.9375 * ePrime * ePrime * SinD(q) + 0.1875 * s * s * SinD(2 * (w[5] - theta));
    const double l = bigL - 0.254744 * (a.e1 * SinD(w[6]) + 0.75 * a.e1 * a.e1 * SinD(2 * w[6]) + h);
    return Solved(ePrime + 0.002778797 * ePrime * CosD(q), l, varpi + 0.159215 * SinD(q), 20.216193,
                  nodePrime + 0.031843 * s * SinD(u) / SinD(iPrime), iPrime + 0.031843 * s * CosD(u));
}

// Orbit-plane coordinates of a moon referred to the B1950.0 ecliptic frame of the rotation.
void OrbitPlane(const MoonOrbit& o, double* x, double* y, double* z) {
    const double u = o.lambda - o.omega, w = o.omega - kPlaneNode;
    *x = o.r * (CosD(u) * CosD(w) - SinD(u) * CosD(o.gamma) * SinD(w));
    *y = o.r * (SinD(u) * CosD(w) * CosD(o.gamma) + CosD(u) * SinD(w));
    *z = o.r * SinD(u) * SinD(o.gamma);
}

void ClearFlags(SaturnMoonPosition* p) { p->inFront = p->behind = p->sunBehind = p->sunInFront = 0; }

}  // namespace

void PrecessEcliptic(double longitude, double latitude, double jdFrom, double jdTo, double* longitudeOut,
                     double* latitudeOut) {
    const double T = (jdFrom - 2451545.0) / 36525, t = (jdTo - jdFrom) / 36525;
    const double arcsec = kDegree / 3600;
    const double eta = ((47.0029 - 0.06603 * T + 0.000598 * T * T) * t + (-0.03302 + 0.000598 * T) * t * t +
                        0.000060 * t * t * t) * arcsec;
    const double bigPi =
        (629554.9824 + 3289.4789 * T + 0.60622 * T * T - (869.8089 + 0.50491 * T) * t + 0.03536 * t * t) * arcsec;
    const double p =
        ((5029.0966 + 2.22226 * T - 0.000042 * T * T) * t + (1.11113 - 0.000042 * T) * t * t - 0.000006 * t * t * t) *
        arcsec;
    const double l = longitude * kDegree, b = latitude * kDegree;
    const double a = std::cos(eta) * std::cos(b) * std::sin(bigPi - l) - std::sin(eta) * std::sin(b);
    const double bb = std::cos(b) * std::cos(bigPi - l);
    const double c = std::cos(eta) * std::sin(b) + std::sin(eta) * std::cos(b) * std::sin(bigPi - l);
    double out = (p + bigPi - std::atan2(a, bb)) / kDegree;
    out = std::fmod(out, 360.0);
    if (out < 0) out += 360.0;
    *longitudeOut = out;
    *latitudeOut = std::asin(std::clamp(c, -1.0, 1.0)) / kDegree;
}

void SolveSaturnMoonOrbit(double e, double l, double periapsis, double a, double node, double inclination, double c1,
                          double s1, double* r, double* lambda, double* gamma, double* omega) {
    const double m = (l - periapsis) * kDegree;
    const double e2 = e * e, e3 = e2 * e, e4 = e3 * e, e5 = e4 * e;
    const double c = (2 * e - 0.25 * e3 + 0.0520833333 * e5) * std::sin(m) +
                     (1.25 * e2 - 0.458333333 * e4) * std::sin(2 * m) +
                     (1.083333333 * e3 - 0.671875 * e5) * std::sin(3 * m) + 1.072917 * e4 * std::sin(4 * m) +
                     1.142708 * e5 * std::sin(5 * m);
    *r = a * (1 - e2) / (1 + e * std::cos(m + c));
    const double g = node - kPlaneNode;
    const double a1 = SinD(inclination) * SinD(g);
    const double a2 = c1 * SinD(inclination) * CosD(g) - s1 * CosD(inclination);
    *gamma = std::asin(std::min(1.0, std::sqrt(a1 * a1 + a2 * a2))) / kDegree;
    const double u = Atan2D(a1, a2);
    *omega = ReduceDegrees(kPlaneNode + u);
    const double h = c1 * SinD(inclination) - s1 * CosD(inclination) * CosD(g);
    const double psi = Atan2D(s1 * SinD(g), h);
    *lambda = ReduceDegrees(l + c / kDegree + u - g - psi);
}

void RotateSaturnMoon(double x, double y, double z, double c1, double s1, double c2, double s2, double lambda0,
                      double beta0, double* a4, double* b4, double* c4) {
    const double a1 = x, b1 = c1 * y - s1 * z, cc1 = s1 * y + c1 * z;
    const double a2 = c2 * a1 - s2 * b1, b2 = s2 * a1 + c2 * b1;
    const double a3 = a2 * std::sin(lambda0) - b2 * std::cos(lambda0);
    const double b3 = a2 * std::cos(lambda0) + b2 * std::sin(lambda0);
    *a4 = a3;
    *b4 = b3 * std::cos(beta0) + cc1 * std::sin(beta0);
    *c4 = cc1 * std::cos(beta0) - b3 * std::sin(beta0);
}

void TestSaturnDisk(SaturnMoonPosition* p) {
    const double y = kFlattening * p->yp;
    const bool inside = p->xp * p->xp + y * y < 1;
    p->inFront = inside && p->zp < 0;
    p->behind = inside && p->zp >= 0;
}

int ComputeSaturnMoons(double jd, double sunLongitude, double sunLatitude, double observerDistance,
                       SaturnMoonPosition out[kSaturnTableRows]) {
    if (!HasArrays({kTimes, kWeights, kLongitude, kLatitude, kRadius})) return 0;
    const SaturnSeen seen = LightTime(jd, sunLongitude, sunLatitude, observerDistance);
    double lambda0 = 0, beta0 = 0;
    PrecessEcliptic(Atan2D(seen.y, seen.x), std::atan(seen.z / std::hypot(seen.x, seen.y)) / kDegree, jd, kB1950,
                    &lambda0, &beta0);
    lambda0 *= kDegree;
    beta0 *= kDegree;
    const Arguments args = ArgumentsAt(jd - seen.tau);
    const MoonOrbit orbits[kSaturnTableRows - 1] = {Enceladus(args), Tethys(args), Dione(args), Rhea(args),
                                                    Titan(args)};
    const double c1 = CosD(kPlaneInclination), s1 = SinD(kPlaneInclination);
    const double c2 = CosD(kPlaneNode), s2 = SinD(kPlaneNode);
    double a4 = 0, b4 = 0, c4 = 0;
    RotateSaturnMoon(0, 0, 1, c1, s1, c2, s2, lambda0, beta0, &a4, &b4, &c4);
    const double d = std::atan2(a4, c4);
    for (int m = 1; m < kSaturnTableRows; ++m) {
        const MoonOrbit& o = orbits[m - 1];
        double x = 0, y = 0, z = 0;
        OrbitPlane(o, &x, &y, &z);
        RotateSaturnMoon(x, y, z, c1, s1, c2, s2, lambda0, beta0, &a4, &b4, &c4);
        SaturnMoonPosition& p = out[m];
        p.x = a4 * std::cos(d) - c4 * std::sin(d);
        p.y = a4 * std::sin(d) + c4 * std::cos(d);
        p.z = b4;
        const double k = seen.delta / (seen.delta + p.z / kRadiiPerAu);
        const double ratio = p.x / o.r;
        p.xp = (p.x + std::fabs(p.z) / kLightTimeDivisor * std::sqrt(std::max(0.0, 1 - ratio * ratio))) * k;
        p.yp = p.y * k;
        p.zp = p.z;
        ClearFlags(&p);
        TestSaturnDisk(&p);
    }
    return 1;
}

void FreeSaturnMoonTable() {
    for (double*& array : saturnMoonTable) {
        delete[] array;
        array = nullptr;
    }
    saturnMoonTableNodes = 0;
}

namespace {

bool AllocateTable(int nodes) {
    saturnMoonTableNodes = nodes;
    for (int a = 0; a < kSaturnTableArrays; ++a) {
        const int size = a == kWeights ? kSaturnTableNodes : a < kEarthX ? nodes : kSaturnTableRows * nodes;
        saturnMoonTable[a] = new (std::nothrow) double[size]();
        if (!saturnMoonTable[a]) {
            FreeSaturnMoonTable();
            return false;
        }
    }
    return true;
}

// Saturn's place at the nodes, of each node's equinox; the longitude kept
// continuous so that the interpolation never meets the step from 360 to 0.
void FillSaturnPlaces(int body) {
    for (int k = 0; k < saturnMoonTableNodes; ++k) {
        const double t = saturnMoonTable[kTimes][k];
        double l = 0, b = 0, r = 0;
        GetHeliocentricXYZ(body, t, &l, &b, &r);
        PrecessEcliptic(l, b, 2451545.0, t, &l, &b);
        if (k > 0) l += 360.0 * std::round((saturnMoonTable[kLongitude][k - 1] - l) / 360.0);
        saturnMoonTable[kLongitude][k] = l;
        saturnMoonTable[kLatitude][k] = b;
        saturnMoonTable[kRadius][k] = r;
    }
}

void StoreNode(int k, const SaturnMoonPosition earth[], const SaturnMoonPosition sun[]) {
    for (int m = 1; m < kSaturnTableRows; ++m) {
        Row(kEarthX, m)[k] = earth[m].xp;
        Row(kEarthY, m)[k] = earth[m].yp;
        Row(kEarthZ, m)[k] = earth[m].zp;
        Row(kSunX, m)[k] = sun[m].xp;
        Row(kSunY, m)[k] = sun[m].yp;
        Row(kSunZ, m)[k] = sun[m].zp;
    }
}

}  // namespace

void BuildSaturnMoonTable(double t0, double step, int body, int nodes) {
    FreeSaturnMoonTable();
    if (!AllocateTable(std::max(nodes, kSaturnTableNodes))) return;
    for (int k = 0; k < saturnMoonTableNodes; ++k) saturnMoonTable[kTimes][k] = t0 + k * step;
    ComputeLagrangeWeights(kSaturnTableNodes, saturnMoonTable[kTimes], saturnMoonTable[kWeights]);
    FillSaturnPlaces(body);
    for (int k = 0; k < saturnMoonTableNodes; ++k) {
        const double t = saturnMoonTable[kTimes][k];
        double l0 = 0, b0 = 0, bigR = 0;
        GetHeliocentricXYZ(0, t, &l0, &b0, &bigR);
        l0 *= kDegree;
        b0 *= kDegree;
        const double tau = LightTime(t, l0, b0, bigR).tau;
        double l = 0, b = 0, r = 0;
        InterpolateSaturnPosition(t - tau, &l, &b, &r);
        SaturnMoonPosition earth[kSaturnTableRows] = {}, sun[kSaturnTableRows] = {};
        ComputeSaturnMoons(t, l0, b0, bigR, earth);
        ComputeSaturnMoons(t + kLightTimePerAu * r - tau, 0, 0, 0, sun);
        StoreNode(k, earth, sun);
    }
}

void InterpolateSaturnPosition(double t, double* longitude, double* latitude, double* radius) {
    if (!HasArrays({kTimes, kWeights, kLongitude, kLatitude, kRadius})) return;
    const Basis b = BasisAt(t);
    *longitude = Interpolate(b, saturnMoonTable[kLongitude]);
    *latitude = Interpolate(b, saturnMoonTable[kLatitude]);
    *radius = Interpolate(b, saturnMoonTable[kRadius]);
}

namespace {

// Moon `moon`'s X', Y', Z seen from the Earth and from the Sun at a basis.
void MoonAt(const Basis& b, int moon, SaturnMoonPosition* earth, SaturnMoonPosition* sun) {
    earth->xp = Interpolate(b, Row(kEarthX, moon));
    earth->yp = Interpolate(b, Row(kEarthY, moon));
    earth->zp = Interpolate(b, Row(kEarthZ, moon));
    sun->xp = Interpolate(b, Row(kSunX, moon));
    sun->yp = Interpolate(b, Row(kSunY, moon));
    sun->zp = Interpolate(b, Row(kSunZ, moon));
}

}  // namespace

void InterpolateSaturnMoon(double t, int moon, double* xEarth, double* yEarth, double* zEarth, double* xSun,
                           double* ySun, double* zSun) {
    if (moon < 0 || moon >= kSaturnTableRows ||
        !HasArrays({kTimes, kWeights, kEarthX, kEarthY, kEarthZ, kSunX, kSunY, kSunZ}))
        return;
    SaturnMoonPosition e{}, s{};
    MoonAt(BasisAt(t), moon, &e, &s);
    *xEarth = e.xp, *yEarth = e.yp, *zEarth = e.zp;
    *xSun = s.xp, *ySun = s.yp, *zSun = s.zp;
}

void GetSaturnMoonStates(double t, int32_t states[5]) {
    std::fill(states, states + 5, 0);
    if (!HasArrays({kTimes, kWeights, kEarthX, kEarthY, kEarthZ, kSunX, kSunY, kSunZ})) return;
    const Basis b = BasisAt(t);
    for (int m = 1; m < kSaturnTableRows; ++m) {
        SaturnMoonPosition e{}, s{};
        MoonAt(b, m, &e, &s);
        TestSaturnDisk(&e);
        TestSaturnDisk(&s);
        e.sunBehind = s.behind;
        e.sunInFront = s.inFront;
        int32_t code = 0;
        if (e.sunInFront && e.inFront) code = 2;
        if (e.sunInFront && !e.inFront) code = 3;
        if (e.inFront && !e.sunInFront) code = 1;
        if (e.behind) code = 5;
        if (e.sunBehind) code = 4;
        states[m - 1] = code;
    }
}
