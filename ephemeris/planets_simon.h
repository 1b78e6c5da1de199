// Heliocentric planets by the mean elements and periodic terms of Simon et al. (1994).
#pragma once

#include <cstdint>

// Planet index of ComputePlanetPositionSimon (not the BodyIndex numbering).
enum SimonPlanet : uint32_t {
    kSimonMercury = 0,
    kSimonVenus = 1,
    kSimonEarthMoon = 2,
    kSimonMars = 3,
    kSimonJupiter = 4,
    kSimonSaturn = 5,
    kSimonUranus = 6,
    kSimonNeptune = 7
};

// Heliocentric position and velocity of a major planet (the Earth-Moon barycentre for the
// Earth) at the Julian day jd1 + jd2 (TDB; callers pass the day in jd1 and 0.0 in jd2).
// Outputs, each optional (null = not written):
//   pv: x, y, z (AU) and their rates (AU/day), mean equator and equinox of J2000.0;
//   lon, lat: heliocentric ecliptic longitude and latitude (radians, mean ecliptic and
//     equinox J2000.0; lon is not reduced and lies in (-2 pi, 2 pi]);
//   radius: radius vector (AU).
// A planet index above 7 returns with nothing written. No date check. Simon et al. (1994,
// A&A 282, 663) quote maximum errors over 1800-2050 against DE102 in longitude of 4" (Mercury),
// 5" (Venus), 6" (EMB), 17" (Mars), 71" (Jupiter), 81" (Saturn), 86" (Uranus), 11" (Neptune),
// no worse than 1.5 times that over 1000-3000 and declining outside.
void ComputePlanetPositionSimon(double jd1, double jd2, uint32_t planet, double* pv, double* lon,
                                double* lat, double* radius);

// The angle x (radians) reduced to [-pi, pi] by fmod with 2 pi; an exact +pi comes back as
// -pi and an exact -pi as +pi.
double NormalizeAnglePi(double x);
