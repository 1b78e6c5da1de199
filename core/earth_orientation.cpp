#include "core/earth_orientation.h"

#include <cmath>

#include "core/matrix3.h"
#include "core/nutation.h"
#include "core/shared_state.h"
#include "core/sidereal_time.h"

namespace {

constexpr double kArcsecToRad = 4.84813681109536e-6;
constexpr double kDegToRad = 0.017453292519943295;
constexpr double kHoursToRad = 0.2617993877991494;

// The last rotations computed: a place turns several vectors by the same matrices, and a
// frame of the chart places every body at one instant.
struct RotationMemo {
    bool valid;
    double jd1, jd2, m[9];
};

template <int N>
struct RotationMemos {
    RotationMemo entries[N] = {};
    int next = 0;
    bool Find(double jd1, double jd2, double* m) const {
        for (const RotationMemo& e : entries) {
            if (e.valid && e.jd1 == jd1 && e.jd2 == jd2) {
                for (int k = 0; k < 9; ++k) m[k] = e.m[k];
                return true;
            }
        }
        return false;
    }
    void Keep(double jd1, double jd2, const double* m) {
        RotationMemo& e = entries[next];
        next = (next + 1) % N;
        e.valid = true;
        e.jd1 = jd1;
        e.jd2 = jd2;
        for (int k = 0; k < 9; ++k) e.m[k] = m[k];
    }
};

RotationMemos<2> nutationMemos;
RotationMemos<4> precessionMemos;

// Nutation rotation N (mean to true) of JD, elements N11..N33 at [0..8].
void NutationElements(double jd, double* n) {
    if (nutationMemos.Find(jd, 0.0, n)) return;
    double e0, e, ee, dpsi, deps;
    ComputeEarthTilt(jd, &e0, &e, &ee, &dpsi, &deps);
    double em = e0 * kDegToRad, et = e * kDegToRad, p = dpsi * kArcsecToRad;
    double cp = std::cos(p), sp = std::sin(p);
    double cem = std::cos(em), sem = std::sin(em);
    double cet = std::cos(et), set = std::sin(et);
    n[0] = cp;
    n[1] = -sp * cem;
    n[2] = -sp * sem;
    n[3] = sp * cet;
    n[4] = cp * cet * cem + set * sem;
    n[5] = cp * cet * sem - set * cem;
    n[6] = sp * set;
    n[7] = cp * set * cem - cet * sem;
    n[8] = cp * set * sem + cet * cem;
    nutationMemos.Keep(jd, 0.0, n);
}

// Precession rotation P from jd1 to jd2, elements P11..P33 at [0..8].
void PrecessionElements(double jd1, double jd2, double* p) {
    if (precessionMemos.Find(jd1, jd2, p)) return;
    double t0 = (jd1 - 2451545.0) * 2.7378507871321012e-5;
    double t = (jd2 - jd1) * 2.7378507871321012e-5;
    double w = 2306.2181 + (1.39656 - 0.000139 * t0) * t0;
    double zeta = (w + ((0.30188 - 0.000344 * t0) + 0.017998 * t) * t) * t * kArcsecToRad;
    double z = (w + ((1.09468 + 6.6e-5 * t0) + 0.018203 * t) * t) * t * kArcsecToRad;
    double theta = ((2004.3109 + (-0.8533 - 0.000217 * t0) * t0) +
                    ((-0.42665 - 0.000217 * t0) - 0.041833 * t) * t) * t * kArcsecToRad;
    double cz = std::cos(zeta), sz = std::sin(zeta);
    double czz = std::cos(z), szz = std::sin(z);
    double ct = std::cos(theta), st = std::sin(theta);
    p[0] = cz * ct * czz - sz * szz;
    p[1] = -sz * ct * czz - cz * szz;
    p[2] = -st * czz;
    p[3] = cz * ct * szz + sz * czz;
    p[4] = -sz * ct * szz + cz * czz;
    p[5] = -st * szz;
    p[6] = cz * st;
    p[7] = -sz * st;
    p[8] = ct;
    precessionMemos.Keep(jd1, jd2, p);
}

void MultiplyTransposed(const double* m, const double* in, double* out) {
    for (int c = 0; c < 3; ++c) out[c] = m[c] * in[0] + m[3 + c] * in[1] + m[6 + c] * in[2];
}

// Stores the rows (e22, e12, e32), (e21, e11, e31), (e23, e13, e33) of the rotation e: its
// transpose acting on (y, x, z) vectors.
void StoreForYxz(const double* e, double* matrix) {
    const int order[9] = {4, 1, 7, 3, 0, 6, 5, 2, 8};
    for (int k = 0; k < 9; ++k) matrix[k] = e[order[k]];
}

}  // namespace

int ApplyNutation(double jd, int direction, const double* in, double* out) {
    double n[9];
    NutationElements(jd, n);
    if (direction == 0) {
        Matrix3MulVector(n, in, out);
    } else {
        MultiplyTransposed(n, in, out);
    }
    return 0;
}

void ApplyPrecession(double jd1, const double* in, double jd2, double* out) {
    double p[9];
    PrecessionElements(jd1, jd2, p);
    Matrix3MulVector(p, in, out);
}

void ComputePrecessionMatrix(double jd, double* matrix) {
    double p[9];
    PrecessionElements(jd, 2451545.0, p);
    StoreForYxz(p, matrix);
}

void GetNutationMatrix(double jd, double* matrix) {
    double n[9];
    NutationElements(jd, n);
    StoreForYxz(n, matrix);
}

void ComputeSiderealTimeFromJd(double jdHigh, double jdLow, double ee, double* siderealTime) {
    double th = (jdHigh - 2451545.0) * 2.7378507871321012e-5;
    double tl = jdLow * 2.7378507871321012e-5;
    double t = th + tl;
    double s = ee - 6.2e-6 * t * t * t + 3.15576e9 * tl + 3.15576e9 * th + 8640184.812866 * tl +
               8640184.812866 * th + 0.093104 * t * t + 67310.54841;
    double h = std::fmod(s / 3600.0, 24.0);
    if (h < 0.0) h += 24.0;
    *siderealTime = h;
}

void ApplyPolarMotion(double x, double y, const double* in, double* out) {
    double px = x * kArcsecToRad, py = y * kArcsecToRad;
    out[0] = in[0] - px * in[2];
    out[1] = in[1] + py * in[2];
    out[2] = px * in[0] - py * in[1] + in[2];
}

void ApplyEarthSpin(double siderealTime, const double* in, double* out) {
    double a = siderealTime * kHoursToRad;
    double c = std::cos(a), s = std::sin(a);
    out[0] = c * in[0] - s * in[1];
    out[1] = s * in[0] + c * in[1];
    out[2] = in[2];
}

void TerrestrialToCelestial(double jd, double siderealTime, double x, double y, const double* in,
                            double* out) {
    double r1[3], r2[3];
    if (x == 0.0 && y == 0.0) {
        for (int k = 0; k < 3; ++k) r1[k] = in[k];
    } else {
        ApplyPolarMotion(x, y, in, r1);
    }
    if (siderealTime == 0.0) {
        for (int k = 0; k < 3; ++k) r2[k] = r1[k];
    } else {
        ApplyEarthSpin(siderealTime, r1, r2);
    }
    if (jd == 0.0) {
        for (int k = 0; k < 3; ++k) out[k] = r2[k];
        return;
    }
    double jdTt, tdbMinusTt;
    ConvertTdbToTt(jd, &jdTt, &tdbMinusTt);
    double tdb = jd + tdbMinusTt / 86400.0;
    double mean[3];
    ApplyNutation(tdb, 1, r2, mean);
    ApplyPrecession(tdb, mean, 2451545.0, out);
}

void ConvertTdbToTt(double jdTdb, double* jdTt, double* tdbMinusTt) {
    double d = jdTdb - 2451545.0;
    double m = std::fmod((357.51716 + 0.985599987 * d) * 3600.0, 1.296e6) * kArcsecToRad;
    double l = std::fmod((280.46435 + 0.9856091 * d) * 3600.0, 1.296e6) * kArcsecToRad;
    double lj = std::fmod((34.40438 + 0.083086762 * d) * 3600.0, 1.296e6) * kArcsecToRad;
    double e = m + 0.01671022 * std::sin(m) + 0.00013961572622420002 * std::sin(2.0 * m);
    double dt = 0.001658 * std::sin(e) + 2.073e-5 * std::sin(l - lj);
    *tdbMinusTt = dt;
    *jdTt = jdTdb - dt / 86400.0;
}

void ComputeHourAngleFromLst(int year, int month, int day, int hour, int minute, int second,
                             double* matrix) {
    double lst = GetLocalSiderealTime(year, month, day, hour, minute, second,
                                      currentSite.longitude, currentSite.zoneMinutes);
    double h = 12.0 - lst;
    if (h < 0.0) h += 24.0;
    h *= 0.26179938779914946;
    double f = currentSite.latitude * 0.0174532925199433;
    double sh = std::sin(h), ch = std::cos(h), sf = std::sin(f), cf = std::cos(f);
    const double rows[9] = {ch, sh, 0.0, -sh * sf, ch * sf, cf, sh * cf, -ch * cf, sf};
    for (int k = 0; k < 9; ++k) matrix[k] = rows[k];
}
