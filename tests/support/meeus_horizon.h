// Sidereal time and horizontal place by the textbook formulas, for tests that
// check the program's own: Meeus, Astronomical Algorithms (2nd ed., 1998).
#pragma once

#include <cmath>

// Greenwich mean sidereal time (hours) of a UT date and time: eq. 12.4, the
// Julian day by chapter 7 (Gregorian calendar).
inline double MeeusSiderealTime(int year, int month, int day, double hours) {
    if (month <= 2) {
        year -= 1;
        month += 12;
    }
    const int a = year / 100, b = 2 - a + a / 4;
    const double jd = std::floor(365.25 * (year + 4716)) + std::floor(30.6001 * (month + 1)) + day + b - 1524.5 +
                      hours / 24.0;
    const double t = (jd - 2451545.0) / 36525.0;
    const double theta = 280.46061837 + 360.98564736629 * (jd - 2451545.0) + 0.000387933 * t * t;
    return std::fmod(std::fmod(theta, 360.0) + 360.0, 360.0) / 15.0;
}

// Azimuth (degrees from north through east, [0, 360)) and altitude of a place
// (right ascension hours, declination degrees) at a local sidereal time
// (hours) and latitude (degrees): eq. 13.5 and 13.6, azimuth turned to count
// from north.
inline void MeeusHorizon(double lstHours, double raHours, double decDeg, double latDeg, double* az, double* alt) {
    constexpr double kDeg = 3.14159265358979323846 / 180.0;
    const double h = (lstHours - raHours) * 15.0 * kDeg, d = decDeg * kDeg, p = latDeg * kDeg;
    *alt = std::asin(std::sin(p) * std::sin(d) + std::cos(p) * std::cos(d) * std::cos(h)) / kDeg;
    const double south = std::atan2(std::sin(h), std::cos(h) * std::sin(p) - std::tan(d) * std::cos(p)) / kDeg;
    *az = std::fmod(south + 180.0 + 360.0, 360.0);
}
