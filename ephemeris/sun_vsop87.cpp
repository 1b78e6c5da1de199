#include "ephemeris/sun_vsop87.h"

#include <cmath>

#include "core/nutation.h"
#include "ephemeris/ecliptic_to_equatorial.h"
#include "ephemeris/ephemeris_work.h"
#include "ephemeris/vsop87_earth_table.h"

namespace {

constexpr double kDegToRad = 0.0174532925199433;
constexpr double kUnitToDeg = 5.729577951308232e-07;  // 1e-8 radian in degrees

// tau^0 .. tau^5 with tau = T / 10, formed from the powers of T.
void MillenniumPowers(double t, double tau[6]) {
    double t2 = t * t;
    double t3 = t2 * t;
    double t4 = t3 * t;
    double t5 = t4 * t;
    tau[0] = 1.0;
    tau[1] = t * 0.1;
    tau[2] = t2 * 0.01;
    tau[3] = t3 * 0.001;
    tau[4] = t4 * 0.0001;
    tau[5] = t5 * 1e-05;
}

double SumSeries(const Vsop87Series& series, double t) {
    double sum = 0.0;
    for (int i = 0; i < series.count; ++i) {
        const Vsop87Term& term = series.terms[i];
        sum += term.a * std::cos(term.b + term.c * t);
    }
    return sum;
}

// Sum over i of series[i] x tau^i.
double SumPolynomial(const Vsop87Series* series, int count, double t, const double tau[6]) {
    double sum = 0.0;
    for (int i = 0; i < count; ++i) sum += SumSeries(series[i], t) * tau[i];
    return sum;
}

}  // namespace

double ComputeEarthLongitude(double t) {
    double tau[6];
    MillenniumPowers(t, tau);
    double s[6];
    for (int i = 0; i < 6; ++i) s[i] = SumSeries(earthLongitudeSeries[i], t);
    // Whole revolutions leave the two large terms first, so the rest adds to a small number.
    double x = s[0] + s[1] * tau[1];
    double revolutions = std::floor(x * 1.5915494309189535e-09);
    double l = x - revolutions * 628318530.7179586 + s[2] * tau[2] + s[3] * tau[3] +
               s[4] * tau[4] + s[5] * tau[5];
    return std::fmod(l * kUnitToDeg, 360.0);
}

void ComputeGeometricSun(double t, double* longitude, double* latitude, double* distance) {
    double tau[6];
    MillenniumPowers(t, tau);
    double theta = ComputeEarthLongitude(t) + 180.0;
    double b = SumPolynomial(earthLatitudeSeries, 2, t, tau) * kUnitToDeg;
    // Conversion to FK5 (Meeus, chapter 25): -0.09033" in longitude, 0.03916" (cos - sin) of
    // lambda' in latitude.
    double lambdaPrime = (theta - 1.397 * t - 0.00031 * t * t) * kDegToRad;
    *longitude = (theta - 2.5091666666666666e-05) * kDegToRad;
    *latitude = ((std::cos(lambdaPrime) - std::sin(lambdaPrime)) * 1.0877777777777778e-05 - b) *
                kDegToRad;
    *distance = SumPolynomial(earthRadiusSeries, 5, t, tau) * 1e-8;
}

void ComputeApparentSun(BodyPosition* record, double t) {
    double nutationLongitude, nutationObliquity;
    ComputeNutationSeries(t, &nutationLongitude, &nutationObliquity);
    double eps = ComputeTrueObliquity(t, nutationObliquity);
    EphemerisWork& w = ephemerisWork;
    ComputeGeometricSun(t, &w.longitude, &w.latitude, &w.distance);
    // Nutation, and the aberration 20.4898" / R.
    w.longitude += (nutationLongitude * 0.0002777777777777778 - 0.005691611111111111 / w.distance) *
                   kDegToRad;
    record->distance = w.distance;
    EclipticToEquatorial(w.longitude, w.latitude, eps, &record->ra, &record->dec);
    record->sunMoonFraction = 1.0;
    record->magnitude = SunMagnitude(w.distance);
}

double SunMagnitude(double distance) { return -26.74 + 5 * std::log10(distance); }
