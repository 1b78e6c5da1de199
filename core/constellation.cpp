#include "core/constellation.h"

#include <cmath>

#include "core/earth_orientation.h"

int FindConstellation(double hours, double degrees, double equinox) {
    double alpha = hours * 0.26179938779914946;
    double delta = degrees * 0.0174532925199433;
    double v[3] = {std::cos(alpha) * std::cos(delta), std::sin(alpha) * std::cos(delta),
                   std::sin(delta)};
    double p[3];
    ApplyPrecession(equinox, v, 2405889.25855, p);
    double ra = std::atan2(p[1], p[0]) * 13750.987083139758;
    if (ra < 0) ra += 86400;
    double dec = std::asin(p[2] / std::sqrt(p[0] * p[0] + p[1] * p[1] + p[2] * p[2])) *
                 206264.80624709636;
    for (const ConstellationBoundary& row : constellationBoundaries) {
        if (row.raLow <= ra && ra < row.raHigh && dec > row.decLow) return row.constellation;
    }
    return -1;
}
