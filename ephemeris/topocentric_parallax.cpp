#include "ephemeris/topocentric_parallax.h"

#include <algorithm>
#include <cmath>

#include "core/nutation.h"
#include "core/text_numbers.h"

namespace {

constexpr double kDegToRad = 0.0174532925199433;
constexpr double kRadToDeg = 57.29577951308232;
constexpr double kPolarRatio = 0.99664719;                      // b / a of the Earth's ellipsoid
constexpr double kPerEquatorialMetre = 1.5678552054360676e-07;  // 1 / 6378140 m

// Apparent sidereal time at Greenwich, degrees [0, 360), IAU 1982 with the
// equation of the equinoxes.
double ApparentSiderealDegrees(double t, double nutationLongitude, double trueObliquity) {
    // The quadratic and cubic terms take T at the nearest half day: they move
    // by far less than that in a day.
    const double th = (std::floor(t * 36525) + 0.5) * 2.7378507871321012e-05;
    double theta0 = 280.46061837 + 13185000.7700537 * t + 0.000387933 * th * th -
                    2.5833118057349522e-08 * th * th * th +
                    nutationLongitude * std::cos(trueObliquity * kDegToRad) / 3600.0;
    theta0 = std::fmod(theta0, 360.0);
    while (theta0 < 0) theta0 += 360.0;
    return theta0;
}

}  // namespace

double ComputeMeanObliquity(double t) {
    return std::fmod(
        23.43929111111111 + ((0.001813 * t - 0.00059) * t - 46.815) * t * 0.0002777777777777778, 360.0);
}

void ApplyTopocentricParallax(double t, double* ra, double* dec, double* azimuth, double* altitude,
                              double delta, double longitude, double latitude, double height) {
    double dpsi, deps;
    ComputeNutationSeries(t, &dpsi, &deps);
    const double eps = ComputeMeanObliquity(t) + deps / 3600.0;
    const double theta = ApparentSiderealDegrees(t, dpsi, eps) - longitude;  // local
    // fmod first: a huge or infinite angle would never come into range by turns of 360.
    double hourAngle = std::fmod(theta - *ra * kRadToDeg, 360.0);
    if (hourAngle < 0) hourAngle += 360.0;
    hourAngle *= kDegToRad;

    const double phi = latitude * kDegToRad;
    // From sine and cosine: 90 degrees times the rounded degree passes pi/2, and atan of its
    // tangent put a pole's site at the other pole.
    const double u = std::atan2(kPolarRatio * std::sin(phi), std::cos(phi));
    const double rhoSin = kPolarRatio * std::sin(u) + height * kPerEquatorialMetre * std::sin(phi);
    const double rhoCos = std::cos(u) + height * kPerEquatorialMetre * std::cos(phi);

    const double sinParallax =
        delta < 0.005 ? 6378.14 / (delta * 149597870.0) : std::sin(4.263451511677261e-05 / delta);

    const double c = std::cos(*dec) - rhoCos * sinParallax * std::cos(hourAngle);
    const double dra = std::atan2(-rhoCos * sinParallax * std::sin(hourAngle), c);
    *dec = std::atan2((std::sin(*dec) - rhoSin * sinParallax) * std::cos(dra), c);
    *ra += dra;

    if (azimuth == nullptr || altitude == nullptr) return;
    const double h = (theta - *ra * kRadToDeg) * kDegToRad;
    double sinPhi, cosPhi;
    SinCos(phi, &sinPhi, &cosPhi);
    const double sinAlt =
        std::clamp(std::cos(h) * std::cos(*dec) * cosPhi + std::sin(*dec) * sinPhi, -1.0, 1.0);
    const double alt = std::asin(sinAlt);
    *altitude = alt * kRadToDeg;
    const double denominator = std::cos(alt) * cosPhi;
    if (denominator == 0.0) {  // at the zenith (or a pole) every azimuth is the same
        *azimuth = 0.0;
        return;
    }
    // On the meridian the quotient is +-1 and rounding can carry it past.
    double a =
        std::acos(std::clamp((std::sin(*dec) - sinAlt * sinPhi) / denominator, -1.0, 1.0)) * kRadToDeg;
    if (std::sin(h) > 0) a = 360.0 - a;
    *azimuth = a;
}
