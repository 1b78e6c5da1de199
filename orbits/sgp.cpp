// The SGP model, the shared Kepler solver and the conversion to kilometres.
#include <cmath>

#include "orbits/satellite_math.h"
#include "orbits/satellite_propagation.h"
#include "orbits/satellite_state.h"

namespace {

constexpr double kJ3 = -2.53881e-6;
constexpr double kTwoJ2 = 0.0021652316;
constexpr double kFourJ2 = 0.0043304632;
constexpr double kJ2Over4 = 0.00027065395;
constexpr double kJ2Over8 = 0.000135326975;
constexpr double kThreeJ2Over4 = 0.00081196185;
constexpr double kMinEccentricity = 1e-6;
// 1 + cos i is held at least at this, so that i = 180 degrees keeps a finite
// long-period term (as later revisions of the models do).
constexpr double kMinOnePlusCosI = 1.5e-12;

// Intermediate values of the last SGP call.
struct SgpWork {
    double a, e, p;               // semi-major axis, eccentricity, semi-latus rectum
    double node, perigee, ls;     // secular node, argument of perigee, mean longitude
    double axN, ayN, l;           // long-period terms and the perturbed mean longitude
    double u, x, sinX, cosX;      // Kepler's equation for x = E + perigee
    double eCosE, eSinE, pL, r;   // r and the semi-latus rectum of the long-period elements
    double rDot, rfDot;           // radial and transverse velocity
    double argLat;                // argument of latitude u
    double rk, uk, nodeK, ik;     // after the short-period terms
    double uVec[3], vVec[3];      // orientation vectors
};
SgpWork sgpWork;

void SgpSecular(double t, const SatelliteElements* el) {
    SgpWork& w = sgpWork;
    double n = el->meanMotion;
    double nt = n + 2.0 * el->ndot2 * t + 3.0 * el->nddot6 * t * t;
    w.a = el->a0 * std::pow(n / nt, 2.0 / 3.0);
    w.e = w.a > el->q0 ? 1.0 - el->q0 / w.a : kMinEccentricity;
    w.p = w.a * (1.0 - w.e * w.e);
    w.node = el->raan + el->nodeRate * t;
    w.perigee = el->argPerigee + el->perigeeRate * t;
    w.ls = el->l0 + (n + el->perigeeRate + el->nodeRate + el->ndot2 * t + el->nddot6 * t * t) * t;
}

void SgpLongPeriod(const SatelliteElements* el) {
    SgpWork& w = sgpWork;
    w.ayN = w.e * std::sin(w.perigee) - kJ3 * el->sinI / (kTwoJ2 * w.p);
    w.axN = w.e * std::cos(w.perigee);
    double onePlusCosI = std::fmax(1.0 + el->cosI, kMinOnePlusCosI);
    w.l = w.ls - kJ3 * w.axN * el->sinI * (3.0 + 5.0 * el->cosI) / (kFourJ2 * onePlusCosI * w.p);
}

void SgpKepler(const SatelliteElements* el) {
    SgpWork& w = sgpWork;
    w.u = Modulo2Pi(Modulo2Pi(w.l) - w.node);
    SolveSatelliteKepler(w.u, w.axN, w.ayN, &w.x, &w.sinX, &w.cosX);
    w.sinX = std::sin(w.x);
    w.cosX = std::cos(w.x);
    w.eCosE = w.axN * w.cosX + w.ayN * w.sinX;
    w.eSinE = w.axN * w.sinX - w.ayN * w.cosX;
    double el2 = w.axN * w.axN + w.ayN * w.ayN;
    w.pL = w.a * (1.0 - el2);
    w.r = w.a * (1.0 - w.eCosE);
    w.rDot = el->ke * std::sqrt(w.a) * w.eSinE / w.r;
    w.rfDot = el->ke * std::sqrt(w.pL) / w.r;
    double term = w.eSinE / (1.0 + std::sqrt(1.0 - el2));
    double sinU = w.a / w.r * (w.sinX - w.ayN - w.axN * term);
    double cosU = w.a / w.r * (w.cosX - w.axN + w.ayN * term);
    w.argLat = std::atan2(sinU, cosU);
}

void SgpShortPeriod(const SatelliteElements* el) {
    SgpWork& w = sgpWork;
    double sin2u = std::sin(2.0 * w.argLat), cos2u = std::cos(2.0 * w.argLat);
    double pL2 = w.pL * w.pL;
    w.rk = w.r + kJ2Over4 * el->sinI * el->sinI * cos2u / w.pL;
    w.uk = w.argLat - kJ2Over8 * (7.0 * el->cosI * el->cosI - 1.0) * sin2u / pL2;
    w.nodeK = w.node + kThreeJ2Over4 * el->cosI * sin2u / pL2;
    w.ik = el->inclination + kThreeJ2Over4 * el->sinI * el->cosI * cos2u / pL2;
}

void SgpOrientation(double position[4], double velocity[4]) {
    SgpWork& w = sgpWork;
    double sinNode = std::sin(w.nodeK), cosNode = std::cos(w.nodeK);
    double sinI = std::sin(w.ik), cosI = std::cos(w.ik);
    double sinU = std::sin(w.uk), cosU = std::cos(w.uk);
    double m[3] = {-sinNode * cosI, cosNode * cosI, sinI};
    double n[3] = {cosNode, sinNode, 0.0};
    for (int k = 0; k < 3; ++k) {
        w.uVec[k] = m[k] * sinU + n[k] * cosU;
        w.vVec[k] = m[k] * cosU - n[k] * sinU;
        position[k] = w.rk * w.uVec[k];
        velocity[k] = w.rDot * w.uVec[k] + w.rfDot * w.vVec[k];
    }
}

}  // namespace

bool PropagateSgp(double tsince, double position[4], double velocity[4], const SatelliteElements* elements) {
    if (!ElementsInsideModel(elements)) return RefuseState(position, velocity);
    SgpSecular(tsince, elements);
    SgpLongPeriod(elements);
    SgpKepler(elements);
    SgpShortPeriod(elements);
    // Below one Earth radius the satellite has decayed.
    if (!(sgpWork.rk >= 1.0)) return RefuseState(position, velocity);
    SgpOrientation(position, velocity);
    return FinishState(position, velocity);
}

int SolveSatelliteKepler(double u, double axN, double ayN, double* x, double* sinX, double* cosX) {
    double sinU, cosU, offset;
    SineCosine(u, &sinU, &cosU);
    int steps = SolveSatelliteKeplerAt(sinU, cosU, axN, ayN, &offset, sinX, cosX);
    *x = u + offset;
    return steps;
}

int SolveSatelliteKeplerAt(double sinU, double cosU, double axN, double ayN, double* offset, double* sinX,
                           double* cosX) {
    double d = 0.0, s = sinU, c = cosU;
    int steps = 0;
    while (true) {
        ++steps;
        *sinX = s;
        *cosX = c;
        double change = (axN * s - ayN * c - d) / (1.0 - ayN * s - axN * c);
        d += change;
        if (std::fabs(change) <= 1e-6 || steps == 10) break;
        AddAngle(*sinX, *cosX, change, &s, &c);
    }
    *offset = d;
    return steps;
}

void ConvertStateToKm(double position[4], double velocity[4]) {
    for (int k = 0; k < 3; ++k) {
        position[k] *= 6378.135;
        velocity[k] *= 106.30225;
    }
    VectorMagnitude(position);
    VectorMagnitude(velocity);
}
