#include "ephemeris/ecliptic_to_equatorial.h"

#include <cmath>

void EclipticToEquatorial(double longitude, double latitude, double obliquity, double* ra,
                          double* dec) {
    double sinEps = std::sin(obliquity);
    double cosEps = std::cos(obliquity);
    double sinLon = std::sin(longitude);
    double alpha = std::atan2(cosEps * sinLon - sinEps * std::tan(latitude), std::cos(longitude));
    if (alpha < 0.0) alpha += 6.283185307179586;
    *ra = alpha;
    *dec = std::asin(std::sin(latitude) * cosEps + std::cos(latitude) * sinEps * sinLon);
}

double ComputeTrueObliquity(double t, double nutationObliquity) {
    double t2 = t * t;
    double arcseconds = 84381.448 - 46.815 * t - 0.00059 * t2 + 0.001813 * t2 * t +
                        nutationObliquity;
    return arcseconds * 0.0002777777777777778 * 0.0174532925199433;
}
