#include "ephemeris/pluto.h"

#include <cmath>

namespace {

constexpr double kDegToRad = 0.0174532925199433;

// A sin(alpha) + B cos(alpha) per argument, for longitude and latitude (degrees)
// and radius (AU). Arguments: P, 2P .. 6P, S - P.
struct PlutoTerm {
    double lonA, lonB, latA, latB, radA, radB;
};

constexpr PlutoTerm kTerms[7] = {
    {-19.799805, 19.850055, -5.452852, -14.974862, 6.6865439, 6.8951812},
    {0.897144, -4.954829, 3.527812, 1.67279, -1.1827535, -0.0332538},
    {0.611149, 1.211027, -1.050748, 0.327647, 0.1593179, -0.143889},
    {-0.341243, -0.189585, 0.17869, -0.292153, -0.0018444, 0.048322},
    {0.129287, -0.034992, 0.01865, 0.10034, -0.0065977, -0.0085431},
    {-0.038164, 0.030893, -0.030697, -0.025823, 0.0031174, 0.0006032},
    {0.020442, -0.009987, -0.004878, 0.011248, -0.0005794, 0.0022161},
};

}  // namespace

void ComputePlutoHeliocentric(double t, double* longitude, double* latitude, double* radius) {
    const double p = (238.96 + 144.96 * t) * kDegToRad;
    const double s = (50.08 + 1222.1138 * t) * kDegToRad;
    double lon = 238.958116 + 144.96 * t;
    double lat = -3.908239;
    double rad = 40.7241346;
    for (int k = 0; k < 7; ++k) {
        const double alpha = k < 6 ? (k + 1) * p : s - p;
        const double sa = std::sin(alpha), ca = std::cos(alpha);
        const PlutoTerm& c = kTerms[k];
        lon += c.lonA * sa + c.lonB * ca;
        lat += c.latA * sa + c.latB * ca;
        rad += c.radA * sa + c.radB * ca;
    }
    *longitude = std::fmod(lon, 360.0) * kDegToRad;
    *latitude = std::fmod(lat, 360.0) * kDegToRad;
    *radius = rad;
}
