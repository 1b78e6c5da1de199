#include "core/nutation_centuries.h"

#include <cmath>

#include "core/eclipse_work.h"

namespace {

constexpr double kDegToRad = 0.0174532925199433;

// A row of the series: multipliers of D, M, M', F, Omega; longitude (sine) and obliquity
// (cosine) amplitudes in 0.0001", each a constant and a rate per century.
struct NutationRow {
    int d, m, mp, f, om;
    double sin0, sin1, cos0, cos1;
};

constexpr NutationRow kNutationRows[18] = {
    {0, 0, 0, 0, 1, -171996, -174.2, 92025, 8.9},
    {-2, 0, 0, 2, 2, -13187, -1.6, 5736, -3.1},
    {0, 0, 0, 2, 2, -2274, -0.2, 977, -0.5},
    {0, 0, 0, 0, 2, 2062, 0.2, -895, 0.5},
    {0, 1, 0, 0, 0, 1426, -3.4, 54, -0.1},
    {0, 0, 1, 0, 0, 712, 0.1, -7, 0},
    {-2, 1, 0, 2, 2, -517, 1.2, 224, -0.6},
    {0, 0, 0, 2, 1, -386, -0.4, 200, 0},
    {0, 0, 1, 2, 2, -301, 0, 129, -0.1},
    {-2, -1, 0, 2, 2, 217, -0.5, -95, 0.3},
    {-2, 0, 1, 0, 0, -158, 0, 0, 0},
    {-2, 0, 0, 2, 1, 129, 0.1, -70, 0},
    {0, 0, -1, 2, 2, 123, 0, -53, 0},
    {2, 0, 0, 0, 0, 63, 0, 0, 0},
    {0, 0, 1, 0, 1, 63, 0.1, -33, 0},
    {2, 0, -1, 2, 2, -59, 0, 26, 0},
    {0, 0, -1, 0, 1, -58, -0.1, 32, 0},
    {0, 0, 1, 2, 1, -51, 0, 27, 0},
};

double ReducedRadians(double degrees) { return std::fmod(degrees, 360.0) * kDegToRad; }

}  // namespace

void ComputeNutationArguments(double t, double* d, double* mMoon, double* mSun, double* f,
                              double* omega, double* eps0) {
    double t2 = t * t, t3 = t2 * t, t4 = t3 * t;
    *d = ReducedRadians(297.8501921 + 445267.1114034 * t - 0.0018819 * t2 + t3 / 545868 -
                        t4 / 113065000);
    *mSun = ReducedRadians(357.5291092 + 35999.0502909 * t - 0.0001536 * t2 + t3 / 24490000);
    *mMoon = ReducedRadians(134.9633964 + 477198.8675055 * t + 0.0087414 * t2 + t3 / 69699 -
                            t4 / 14712000);
    *f = ReducedRadians(93.272095 + 483202.0175233 * t - 0.0036539 * t2 - t3 / 3526000 +
                        t4 / 863310000);
    *omega = (125.04452 - 1934.136261 * t + 0.0020708 * t2 + t3 / 450000) * kDegToRad;
    double seconds =
        21.448 +
        t * (-46.8093 +
             t * (-0.000155 +
                  t * (0.00199925 +
                       t * (-5.138e-7 + t * (-2.4967e-8 + t * (-3.905e-11 + t * 7.12e-14))))));
    *eps0 = (23.0 + 26.0 / 60 + seconds / 3600) * kDegToRad;
}

void ComputeNutation(double t, double* nutationLongitude, double* trueObliquity) {
    double d, mp, m, f, om, eps0;
    ComputeNutationArguments(t, &d, &mp, &m, &f, &om, &eps0);
    double longitude = 0, obliquity = 0;
    for (const NutationRow& r : kNutationRows) {
        double argument = r.d * d + r.m * m + r.mp * mp + r.f * f + r.om * om;
        longitude += (r.sin0 + r.sin1 * t) * std::sin(argument);
        if (r.cos0 != 0) obliquity += (r.cos0 + r.cos1 * t) * std::cos(argument);
    }
    *nutationLongitude = longitude * 4.848136811095361e-10;
    *trueObliquity = eps0 + obliquity * 4.848136811095361e-10;
}

double ComputeGreenwichSiderealTime(double t) {
    double tu = eclipseWork.daysFromJ2000 / 36525;
    double dynamical = t + (eclipseWork.timeOfDay - eclipseWork.negativeDeltaT) / 876600;
    eclipseWork.timeArgument = dynamical;
    double s = 50.54841 + 8640184.812866 * tu + 0.093104 * tu * tu - 6.2e-6 * tu * tu * tu +
               eclipseMinusDeltaT;
    eclipseWork.siderealTime = s / 3600 + 6.683333333333334;
    if (sunMoonSource == 0 ||
        (eclipseWork.nutationLongitude == 0 && eclipseWork.trueObliquity == 0)) {
        ComputeNutation(dynamical, &eclipseWork.nutationLongitude, &eclipseWork.trueObliquity);
    }
    eclipseWork.siderealTime += std::cos(eclipseWork.trueObliquity) *
                                eclipseWork.nutationLongitude * 3.819718634205488;
    return eclipseWork.siderealTime;
}
