#include "orbits/satellite_math.h"

namespace {

// Each entry rounded once from the long double value.
SineTable MakeSineTable() {
    SineTable table;
    for (int j = 0; j < 512; ++j) {
        long double angle = j * (6.283185307179586476925286766559L / 512);
        table.sine[j] = static_cast<double>(std::sin(angle));
        table.cosine[j] = static_cast<double>(std::cos(angle));
    }
    return table;
}

}  // namespace

const SineTable kSineTable = MakeSineTable();

double ComputeGmst(double jd) {
    double f = Frac(jd + 0.5);
    double t = (jd - f - 2451545.0) * 2.7378507871321012e-5;
    double seconds = 24110.54841 + 8640184.812866 * t + 0.093104 * t * t - 6.2e-6 * t * t * t +
                     86636.555366976 * f;
    return PositiveModulo(seconds, 86400.0) * 7.27220521664304e-5;
}
