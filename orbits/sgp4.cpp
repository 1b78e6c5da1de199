// The near-Earth SGP4 model in the formulation of Spacetrack Report No. 3, with
// the guards of later revisions where the report divides by e or 1 + cos i.
#include <cmath>
#include <cstring>

#include "orbits/satellite_math.h"
#include "orbits/satellite_propagation.h"
#include "orbits/satellite_state.h"

namespace {

constexpr double kK2 = 0.0005413079;               // J2 / 2, J2 = 0.0010826158
constexpr double kThreeHalvesK2 = 0.00081196185;   // 1.5 k2
constexpr double kA3OverK2 = 0.004690140306468833;  // -J3 / k2
constexpr double kFiveK4Over4 = 7.762359375e-7;     // 1.25 k4, k4 = 6.2098875e-7
constexpr double kTwoThirds = 2.0 / 3.0;
constexpr double kPerKm = 0.00015678564345220037;   // 1 / 6378.135 Earth radii
constexpr double kS = 1.0 + 78.0 * kPerKm;          // density parameter s
constexpr double kSimpleDragLimit = 1.034492841559484;  // perigee 220 km, Earth radii
constexpr double kMinEccentricity = 1e-6;
// A mean eccentricity below this after the drag terms is outside the model.
constexpr double kLeastEccentricity = -0.001;
// Below this eccentricity the two drag terms that divide by e are left out.
constexpr double kSmallEccentricity = 1e-4;
constexpr double kMinOnePlusCosI = 1.5e-12;
const double kKe = std::sqrt(1434962880.0 / (6378.135 * 6378.135 * 6378.135));

// What the model derives from the seven decoded elements before propagating.
struct Sgp4Init {
    bool simple;           // perigee below 220 km: only the C1 drag terms
    double n0, a0;         // Brouwer mean motion (rad/min) and semi-major axis
    double cosI, sinI, x3thm1, x1mth2, x7thm1, beta02;
    double eta, c1, c4, c5, d2, d3, d4, t2cof, t3cof, t4cof, t5cof;
    double mDot, omegaDot, nodeDot, omegaCof, mCof, nodeCof, lCof, ayCof, delM0, sinM0;
    double bstarC4, bstarC5;
};

// The derived values of the last element set, keyed by its seven elements.
struct Sgp4Cache {
    bool valid = false;
    double key[7];
    Sgp4Init init;
};
Sgp4Cache sgp4Cache;

// Recovers the Brouwer mean motion and semi-major axis from the element set's.
void RecoverMeanMotion(const SatelliteElements* el, Sgp4Init* s) {
    double a1 = std::pow(kKe / el->meanMotion, kTwoThirds);
    s->cosI = std::cos(el->inclination);
    s->sinI = std::sin(el->inclination);
    double theta2 = s->cosI * s->cosI;
    s->x3thm1 = 3.0 * theta2 - 1.0;
    s->x1mth2 = 1.0 - theta2;
    s->x7thm1 = 7.0 * theta2 - 1.0;
    double e = el->eccentricity;
    s->beta02 = 1.0 - e * e;
    double beta0 = std::sqrt(s->beta02);
    double del1 = kThreeHalvesK2 * s->x3thm1 / (a1 * a1 * beta0 * s->beta02);
    double ao = a1 * (1.0 - del1 * (0.5 * kTwoThirds + del1 * (1.0 + 134.0 / 81.0 * del1)));
    double delo = kThreeHalvesK2 * s->x3thm1 / (ao * ao * beta0 * s->beta02);
    s->n0 = el->meanMotion / (1.0 + delo);
    s->a0 = ao / (1.0 - delo);
}

// Secular rates of the mean anomaly, perigee and node from gravity (J2, J4).
void SecularRates(Sgp4Init* s, double pinvsq) {
    double theta2 = s->cosI * s->cosI, theta4 = theta2 * theta2;
    double beta0 = std::sqrt(s->beta02);
    double temp1 = 3.0 * kK2 * pinvsq * s->n0;
    double temp2 = temp1 * kK2 * pinvsq;
    double temp3 = kFiveK4Over4 * pinvsq * pinvsq * s->n0;
    s->mDot = s->n0 + 0.5 * temp1 * beta0 * s->x3thm1 + 0.0625 * temp2 * beta0 * (13.0 - 78.0 * theta2 + 137.0 * theta4);
    s->omegaDot = -0.5 * temp1 * (1.0 - 5.0 * theta2) + 0.0625 * temp2 * (7.0 - 114.0 * theta2 + 395.0 * theta4) +
                  temp3 * (3.0 - 36.0 * theta2 + 49.0 * theta4);
    double hDot1 = -temp1 * s->cosI;
    s->nodeDot = hDot1 + (0.5 * temp2 * (4.0 - 19.0 * theta2) + 2.0 * temp3 * (3.0 - 7.0 * theta2)) * s->cosI;
    s->nodeCof = 3.5 * s->beta02 * hDot1 * s->c1;
}

// The higher drag terms D2 to D4 and the mean-longitude coefficients.
void HigherDragTerms(Sgp4Init* s, double tsi, double s4) {
    double c1sq = s->c1 * s->c1;
    s->d2 = 4.0 * s->a0 * tsi * c1sq;
    double temp = s->d2 * tsi * s->c1 / 3.0;
    s->d3 = (17.0 * s->a0 + s4) * temp;
    s->d4 = 0.5 * temp * s->a0 * tsi * (221.0 * s->a0 + 31.0 * s4) * s->c1;
    s->t3cof = s->d2 + 2.0 * c1sq;
    s->t4cof = 0.25 * (3.0 * s->d3 + s->c1 * (12.0 * s->d2 + 10.0 * c1sq));
    s->t5cof = 0.2 * (3.0 * s->d4 + 12.0 * s->c1 * s->d3 + 6.0 * s->d2 * s->d2 + 15.0 * c1sq * (2.0 * s->d2 + c1sq));
}

// Atmospheric drag: s and (q0 - s)^4 for the perigee, then C1 to C5.
void DragTerms(const SatelliteElements* el, Sgp4Init* s) {
    double e = el->eccentricity, bstar = el->bstar, a0 = s->a0;
    double perigeeRadius = a0 * (1.0 - e);
    s->simple = perigeeRadius < kSimpleDragLimit;
    double s4 = kS, qoms24 = std::pow((120.0 - 78.0) * kPerKm, 4.0);
    double perigee = (perigeeRadius - 1.0) * 6378.135;
    if (perigee < 156.0) {
        double sKm = perigee > 98.0 ? perigee - 78.0 : 20.0;
        qoms24 = std::pow((120.0 - sKm) * kPerKm, 4.0);
        s4 = sKm * kPerKm + 1.0;
    }
    double tsi = 1.0 / (a0 - s4);
    s->eta = a0 * e * tsi;
    double etasq = s->eta * s->eta, eeta = e * s->eta, psisq = std::fabs(1.0 - etasq);
    double coef = qoms24 * std::pow(tsi, 4.0), coef1 = coef / std::pow(psisq, 3.5);
    double c2 = coef1 * s->n0 * (a0 * (1.0 + 1.5 * etasq + eeta * (4.0 + etasq)) +
                                 0.75 * kK2 * tsi / psisq * s->x3thm1 * (8.0 + 3.0 * etasq * (8.0 + etasq)));
    s->c1 = bstar * c2;
    double c3 = e > kSmallEccentricity ? coef * tsi * kA3OverK2 * s->n0 * s->sinI / e : 0.0;
    s->c4 = 2.0 * s->n0 * coef1 * a0 * s->beta02 *
            (s->eta * (2.0 + 0.5 * etasq) + e * (0.5 + 2.0 * etasq) -
             2.0 * kK2 * tsi / (a0 * psisq) *
                 (-3.0 * s->x3thm1 * (1.0 - 2.0 * eeta + etasq * (1.5 - 0.5 * eeta)) +
                  0.75 * s->x1mth2 * (2.0 * etasq - eeta * (1.0 + etasq)) * std::cos(2.0 * el->argPerigee)));
    s->c5 = 2.0 * coef1 * a0 * s->beta02 * (1.0 + 2.75 * (etasq + eeta) + eeta * etasq);
    s->bstarC4 = bstar * s->c4;
    s->bstarC5 = bstar * s->c5;
    s->omegaCof = bstar * c3 * std::cos(el->argPerigee);
    s->mCof = e > kSmallEccentricity ? -kTwoThirds * coef * bstar / eeta : 0.0;
    s->t2cof = 1.5 * s->c1;
    s->delM0 = Cube(1.0 + s->eta * std::cos(el->meanAnomaly));
    s->sinM0 = std::sin(el->meanAnomaly);
    SecularRates(s, 1.0 / (a0 * a0 * s->beta02 * s->beta02));
    if (!s->simple) HigherDragTerms(s, tsi, s4);
}

void InitSgp4(const SatelliteElements* el, Sgp4Init* s) {
    *s = Sgp4Init{};
    RecoverMeanMotion(el, s);
    DragTerms(el, s);
    s->lCof = 0.125 * kA3OverK2 * s->sinI * (3.0 + 5.0 * s->cosI) / std::fmax(1.0 + s->cosI, kMinOnePlusCosI);
    s->ayCof = 0.25 * kA3OverK2 * s->sinI;
}

const Sgp4Init& InitFor(const SatelliteElements* el) {
    double key[7] = {el->meanMotion,  el->bstar,      el->inclination, el->eccentricity,
                     el->meanAnomaly, el->argPerigee, el->raan};
    if (!sgp4Cache.valid || std::memcmp(key, sgp4Cache.key, sizeof key) != 0) {
        InitSgp4(el, &sgp4Cache.init);
        std::memcpy(sgp4Cache.key, key, sizeof key);
        sgp4Cache.valid = true;
    }
    return sgp4Cache.init;
}

// Mean elements at t after secular gravity and drag. Angles are kept as sines
// and cosines: the argument of perigee, the node, and the mean anomaly plus
// the argument of perigee, to which Kepler's argument adds `drift` (the drag
// term of the mean longitude) and the long-period term.
struct MeanState {
    double a, e, drift;
    double sinOmega, cosOmega, sinNode, cosNode, sinArg, cosArg;
    bool valid;  // e (before its floor of 1e-6) in [-0.001, 1)
};

// The three angles' sines and cosines depend on t alone and are taken
// together; the drag correction to the mean anomaly and the perigee is a small
// rotation of them that cancels in their sum.
MeanState SecularUpdate(const SatelliteElements* el, const Sgp4Init& s, double t) {
    double mdf = el->meanAnomaly + s.mDot * t;
    double omegaDf = el->argPerigee + s.omegaDot * t;
    double tsq = t * t, tcube = tsq * t, tfour = t * tcube;
    double node = el->raan + s.nodeDot * t + s.nodeCof * tsq;
    MeanState m;
    double sinMdf, cosMdf;
    TabulatedSineCosine(node, &m.sinNode, &m.cosNode);
    TabulatedSineCosine(omegaDf, &m.sinOmega, &m.cosOmega);
    TabulatedSineCosine(mdf, &sinMdf, &cosMdf);
    SumOfAngles(sinMdf, cosMdf, m.sinOmega, m.cosOmega, &m.sinArg, &m.cosArg);
    double tempa = 1.0 - s.c1 * t, tempe = s.bstarC4 * t, templ = s.t2cof * tsq;
    if (!s.simple) {
        double temp = s.omegaCof * t + s.mCof * (Cube(1.0 + s.eta * cosMdf) - s.delM0);
        double sinTemp, cosTemp;
        SmallAngleSineCosine(temp, &sinTemp, &cosTemp);
        double sinMp = sinMdf * cosTemp + cosMdf * sinTemp;
        SumOfAngles(m.sinOmega, m.cosOmega, -sinTemp, cosTemp, &m.sinOmega, &m.cosOmega);
        tempa = tempa - s.d2 * tsq - s.d3 * tcube - s.d4 * tfour;
        tempe = tempe + s.bstarC5 * (sinMp - s.sinM0);
        templ = templ + s.t3cof * tcube + tfour * (s.t4cof + t * s.t5cof);
    }
    m.a = s.a0 * tempa * tempa;
    m.e = el->eccentricity - tempe;
    m.valid = m.e >= kLeastEccentricity && m.e < 1.0;
    if (m.e < kMinEccentricity) m.e = kMinEccentricity;
    m.drift = s.n0 * templ;
    return m;
}

// Radius, its rates and the argument of latitude (as its sine and cosine)
// before the short-period periodics.
struct PlaneState {
    double r, rdot, rfdot, pl, betal, sinu, cosu, xn;
    double sinNode, cosNode;  // of the secular node
};

// Long-period periodics and Kepler's equation for E + perigee.
PlaneState LongPeriodics(const Sgp4Init& s, const MeanState& m) {
    PlaneState p;
    double sqrtA = std::sqrt(m.a);
    p.xn = kKe / (m.a * sqrtA);
    p.sinNode = m.sinNode;
    p.cosNode = m.cosNode;
    double axn = m.e * m.cosOmega;
    double temp = 1.0 / (m.a * (1.0 - m.e * m.e));
    double ayn = m.e * m.sinOmega + temp * s.ayCof;
    double sinU, cosU, offset, sinE, cosE;
    AddAngle(m.sinArg, m.cosArg, m.drift + temp * s.lCof * axn, &sinU, &cosU);
    SolveSatelliteKeplerAt(sinU, cosU, axn, ayn, &offset, &sinE, &cosE);
    double ecose = axn * cosE + ayn * sinE, esine = axn * sinE - ayn * cosE;
    double elsq = axn * axn + ayn * ayn;
    p.pl = m.a * (1.0 - elsq);
    p.r = m.a * (1.0 - ecose);
    double invR = 1.0 / p.r;
    p.rdot = kKe * sqrtA * esine * invR;
    p.rfdot = kKe * std::sqrt(p.pl) * invR;
    p.betal = std::sqrt(1.0 - elsq);
    double temp3 = 1.0 / (1.0 + p.betal), aOverR = m.a * invR;
    p.cosu = aOverR * (cosE - axn + ayn * esine * temp3);
    p.sinu = aOverR * (sinE - ayn - axn * esine * temp3);
    return p;
}

// 1 / |(s, c)|, which normalises the argument of latitude's sine and cosine
// (not quite unit: they come from the Kepler iterate before the last). Within
// 1e-6 of 1 the series of (1 + d)^(-1/2) to d^2 leaves less than 1e-18.
double InverseLength(double s, double c) {
    double d = s * s + c * c - 1.0;
    if (std::fabs(d) < 1e-6) return 1.0 - d * (0.5 - 0.375 * d);
    return 1.0 / std::sqrt(1.0 + d);
}

// Short-period periodics and the orientation vectors. The corrections to the
// argument of latitude, the inclination and the node are small angles added to
// known sines and cosines. Returns the corrected radius (Earth radii).
double ShortPeriodics(const Sgp4Init& s, const PlaneState& p, double position[4], double velocity[4]) {
    double sin2u = 2.0 * p.sinu * p.cosu, cos2u = 2.0 * p.cosu * p.cosu - 1.0;
    double invLength = InverseLength(p.sinu, p.cosu);
    double invPl = 1.0 / p.pl;
    double temp1 = kK2 * invPl, temp2 = temp1 * invPl;
    double rk = p.r * (1.0 - 1.5 * temp2 * p.betal * s.x3thm1) + 0.5 * temp1 * s.x1mth2 * cos2u;
    double sinuk, cosuk, sinik, cosik;
    AddAngle(p.sinu, p.cosu, -0.25 * temp2 * s.x7thm1 * sin2u, &sinuk, &cosuk);
    sinuk *= invLength;
    cosuk *= invLength;
    AddAngle(s.sinI, s.cosI, 1.5 * temp2 * s.cosI * s.sinI * cos2u, &sinik, &cosik);
    double rdotk = p.rdot - p.xn * temp1 * s.x1mth2 * sin2u;
    double rfdotk = p.rfdot + p.xn * temp1 * (s.x1mth2 * cos2u + 1.5 * s.x3thm1);
    double sinnok, cosnok;
    AddAngle(p.sinNode, p.cosNode, 1.5 * temp2 * s.cosI * sin2u, &sinnok, &cosnok);
    double mv[3] = {-sinnok * cosik, cosnok * cosik, sinik};
    double nv[3] = {cosnok, sinnok, 0.0};
    for (int k = 0; k < 3; ++k) {
        double uv = mv[k] * sinuk + nv[k] * cosuk, vv = mv[k] * cosuk - nv[k] * sinuk;
        position[k] = rk * uv;
        velocity[k] = rdotk * uv + rfdotk * vv;
    }
    return rk;
}

}  // namespace

bool PropagateSgp4(double tsince, double position[4], double velocity[4], const SatelliteElements* elements) {
    if (!ElementsInsideModel(elements)) return RefuseState(position, velocity);
    const Sgp4Init& init = InitFor(elements);
    MeanState mean = SecularUpdate(elements, init, tsince);
    if (!mean.valid) return RefuseState(position, velocity);
    const PlaneState plane = LongPeriodics(init, mean);
    if (!(plane.pl >= 0.0)) return RefuseState(position, velocity);
    // Below one Earth radius the satellite has decayed.
    if (!(ShortPeriodics(init, plane, position, velocity) >= 1.0)) return RefuseState(position, velocity);
    return FinishState(position, velocity);
}
