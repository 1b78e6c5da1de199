#include "ephemeris/apparent_altaz.h"

#include <algorithm>
#include <cmath>

#include "core/delta_t.h"
#include "core/earth_orientation.h"
#include "core/julian_day.h"
#include "core/matrix3.h"
#include "core/nutation.h"
#include "core/shared_state.h"

namespace {

constexpr double kDegToRad = 0.017453292519943295;
constexpr double kRadToDeg = 57.29577951308232;
constexpr double kRadToHours = 3.819718634205488;
constexpr int kRefractionPassLimit = 100;

AstroSite site;
BodyDescriptor earthDescriptor;
CatalogStar star;

bool matrixCached = false;
double matrixJd = 0.0;
double matrixProduct[9];

void FillSiteFromCurrentSite() {
    site.latitude = currentSite.latitude;
    site.longitude = -static_cast<double>(currentSite.longitude);
    site.height = currentSite.elevation;
    site.temperature = currentSite.temperature;
    site.pressure = currentSite.pressure;
}

void Transpose(const double* m, double* out) {
    for (int r = 0; r < 3; ++r) {
        for (int c = 0; c < 3; ++c) out[3 * r + c] = m[3 * c + r];
    }
}

double Dot(const double* a, const double* b) {
    return a[0] * b[0] + a[1] * b[1] + a[2] * b[2];
}

// Unit vectors of the zenith, north and west of the site in the true equator of date.
void LocalFrame(const AstroSite* s, double siderealTime, double x, double y, double* uz,
                double* un, double* uw) {
    double f = s->latitude * kDegToRad, l = s->longitude * kDegToRad;
    double sf = std::sin(f), cf = std::cos(f), sl = std::sin(l), cl = std::cos(l);
    const double zenith[3] = {cf * cl, cf * sl, sf};
    const double north[3] = {-sf * cl, -sf * sl, cf};
    const double west[3] = {sl, -cl, 0.0};
    TerrestrialToCelestial(0.0, siderealTime, x, y, zenith, uz);
    TerrestrialToCelestial(0.0, siderealTime, x, y, north, un);
    TerrestrialToCelestial(0.0, siderealTime, x, y, west, uw);
}

// Iterates z = z0 - R(z) to 5e-5 degree; returns the last refraction.
double RefractZenithDistance(const AstroSite* s, int option, double z0, double* zenithDistance) {
    double refraction = 0.0;
    for (int pass = 0; pass < kRefractionPassLimit; ++pass) {
        double z1 = *zenithDistance;
        refraction = ComputeRefraction(s, option, z1);
        *zenithDistance = z0 - refraction;
        if (std::fabs(*zenithDistance - z1) <= 5e-5) break;
    }
    return refraction;
}

// The direction p moved towards the zenith uz from zenith distance z0 to z (degrees).
void MoveTowardsZenith(const double* p, const double* uz, double z0, double z, double refraction,
                       double* outRa, double* outDec) {
    double c = std::cos(refraction * kDegToRad);
    double k = std::sin(z0 * kDegToRad) / std::sin(z * kDegToRad);
    double s = std::sqrt(k * k + 1.0 - 2.0 * k * c);
    double pr[3];
    for (int i = 0; i < 3; ++i) pr[i] = (p[i] + s * uz[i]) / k;
    double q = std::sqrt(pr[0] * pr[0] + pr[1] * pr[1]);
    if (q <= 0.0) return;
    double ra = std::atan2(pr[1], pr[0]) * kRadToHours;
    if (ra < 0.0) ra += 24.0;
    if (ra >= 24.0) ra -= 24.0;
    *outRa = ra;
    *outDec = std::atan2(pr[2], q) * kRadToDeg;
}

}  // namespace

int ComputeApparentAltAz(double ra, double dec, double* outRa, double* outDec, double* altitude,
                         double* azimuth, int mode, int year, int month, int day, int hour,
                         int minute, int second) {
    FillSiteFromCurrentSite();
    double deltaT = ComputeDeltaT(year, month, day);
    double ut = JulianDayFromDateTime(year, month, day, hour, minute, second,
                                      currentSite.zoneMinutes);
    double tt = ut + deltaT / 86400.0;
    int code = 0;
    if (mode >= kModeTopocentric) {
        SetBody(0, kBodyEarth, "Earth", &earthDescriptor);
        star.ra = ra;
        star.dec = dec;
        code = ComputeTopocentricStarPlace(tt, &earthDescriptor, deltaT, &star, &site, outRa, outDec);
    }
    if (mode < 0) {
        *outRa = ra;
        *outDec = dec;
    } else if (mode < kModeTopocentric || code != 0) {
        *outRa = ra;
        *outDec = dec;
        ConvertJ2000ToDate(tt, outRa, outDec);
    }
    bool refract = mode == kModeGeocentricRefracted || mode == kModeTopocentricRefracted ||
                   mode == kModeOfDateRefracted;
    double zenithDistance;
    ComputeHorizontalPlace(tt, deltaT, 0.0, 0.0, &site, *outRa, *outDec, refract ? 2 : 0,
                           &zenithDistance, azimuth, outRa, outDec);
    *altitude = 90.0 - zenithDistance;
    return code;
}

void ConvertJ2000ToDate(double jd, double* ra, double* dec) {
    double a = *ra * 0.26179938779914946, d = *dec * 0.0174532925199433;
    const double v[3] = {std::cos(d) * std::sin(a), std::cos(d) * std::cos(a), std::sin(d)};
    if (!matrixCached || jd != matrixJd) {
        double precession[9], nutation[9], meanToTrue[9];
        ComputePrecessionMatrix(jd, precession);
        GetNutationMatrix(jd, nutation);
        // The nutation matrix holds true-to-mean: its transpose follows the precession.
        Transpose(nutation, meanToTrue);
        Matrix3Multiply(meanToTrue, precession, matrixProduct);
        matrixJd = jd;
        matrixCached = true;
    }
    double w[3];
    Matrix3MulVector(matrixProduct, v, w);
    // A place on the pole of date can give a sine a rounding error above 1.
    *dec = std::asin(std::clamp(w[2], -1.0, 1.0)) * kRadToDeg;
    double h = std::atan2(w[0], w[1]) * kRadToHours;
    while (h > 24.0) h -= 24.0;
    while (h < 0.0) h += 24.0;
    *ra = h;
}

void ComputeHorizontalPlace(double jd, double deltaT, double x, double y, const AstroSite* s,
                            double ra, double dec, int option, double* zenithDistance,
                            double* azimuth, double* outRa, double* outDec) {
    double ut = jd - deltaT / 86400.0;
    double jdTt, tdbMinusTt;
    ConvertTdbToTt(jd, &jdTt, &tdbMinusTt);
    double tdb = jd + tdbMinusTt / 86400.0;
    double e0, e, ee, dpsi, deps, st;
    ComputeEarthTilt(tdb, &e0, &e, &ee, &dpsi, &deps);
    ComputeSiderealTimeFromJd(ut, 0.0, ee, &st);
    *outRa = ra;
    *outDec = dec;

    double uz[3], un[3], uw[3];
    LocalFrame(s, st, x, y, uz, un, uw);
    double a = ra * 15.0 * kDegToRad, d = dec * kDegToRad;
    const double p[3] = {std::cos(d) * std::cos(a), std::cos(d) * std::sin(a), std::sin(d)};
    double pz = Dot(p, uz), pn = Dot(p, un), pw = Dot(p, uw);
    double proj = std::sqrt(pn * pn + pw * pw);
    if (proj > 0.0) {
        double az = -std::atan2(pw, pn) * kRadToDeg;
        if (az < 0.0) az += 360.0;
        if (az >= 360.0) az -= 360.0;
        *azimuth = az;
    }
    *zenithDistance = std::atan2(proj, pz) * kRadToDeg;
    if (option == 0) return;

    double z0 = *zenithDistance;
    double refraction = RefractZenithDistance(s, option, z0, zenithDistance);
    if (refraction > 0.0 && *zenithDistance > 0.01) {
        MoveTowardsZenith(p, uz, z0, *zenithDistance, refraction, outRa, outDec);
    }
}

double ComputeRefraction(const AstroSite* s, int option, double z) {
    if (z < 0.1 || z > 91.0) return 0.0;
    double pressure, temperature;
    if (option == 2) {
        pressure = s->pressure;
        temperature = s->temperature;
    } else {
        pressure = 1010.0 * std::exp(s->height * -0.00010989010989010989);
        temperature = 10.0;
    }
    double h = 90.0 - z;
    double r = 0.016667 / std::tan((h + 7.31 / (h + 4.4)) * kDegToRad);
    return r * 0.28 * pressure / (temperature + 273.0);
}

void ResetJ2000ToDateCache() {
    matrixCached = false;
}
