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
