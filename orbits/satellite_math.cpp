#include "orbits/satellite_math.h"

double ComputeGmst(double jd) {
    double f = Frac(jd + 0.5);
    double t = (jd - f - 2451545.0) * 2.7378507871321012e-5;
    double seconds = 24110.54841 + 8640184.812866 * t + 0.093104 * t * t - 6.2e-6 * t * t * t +
                     86636.555366976 * f;
    return PositiveModulo(seconds, 86400.0) * 7.27220521664304e-5;
}
