// Saturn's ring tilt and five of its moons (Enceladus, Tethys, Dione, Rhea,
// Titan) seen from the Earth, for the Saturn picture and strips of the planet
// detail form. A self-contained low-precision model: Saturn and the Earth on
// mean orbits with their equations of the centre (Saturn's distance taken as
// its mean 9.554747 AU, the Earth's as 1 AU), light time Delta / 173 days,
// then Meeus, Astronomical Algorithms, ch. 45 for the tilt B with the ring
// plane's inclination 28.08 degrees and node 168.12 + 1.4 T; the moons on
// circular orbits in the ring plane from their mean longitudes, their radii in
// Saturn's equatorial radius (60,268 km). Against PyEphem: B within 0.5 degree
// over 1950-2050; the moons' X within 0.1 r + 0.2 Saturn radii over 2000-2039
// (r the orbit's radius), their mean scale within 1 %.
#pragma once

#include <cstdint>
#include <string>

constexpr int kSaturnMoonCount = 5;

struct SaturnMoons {
    double tilt;                      // B, degrees, positive when the north face is seen
    double x[kSaturnMoonCount];       // positive west, Saturn radii, along the ring's major axis
    double y[kSaturnMoonCount];       // positive north: -r cos(theta) sin B
    double theta[kSaturnMoonCount];   // angle from the Earth's direction in the ring plane, [0, 2 pi)
    int32_t state[kSaturnMoonCount];  // 5 hidden behind the disk, else 0
};

// Julian centuries from 1900 January 0.5 (JD 2415020.0) in dynamical time of
// a local civil date and time at the current site's zone (ComputeDeltaT added).
double SaturnCenturies(int year, int month, int day, int hour, int minute);

// Tilt and moons at t centuries from 1900 (dynamical time). A moon is hidden
// when sqrt(x^2 + (1.108601 y)^2) <= 1 and 1.571 < theta < 4.712.
SaturnMoons ComputeSaturnPicture(double t);

// Frame 0..9 of the ringed planet (bitmap 6008) for a tilt in degrees, by |B|:
// below 0.5, 1.5, 2.5, 4.0, 6.5, 10.5, 15.5, 20.5, 25.5 frames 0..8, else 9.
int SaturnRingFrame(double tiltDegrees);

// "Tilt %d.%d" and the degree sign (0xB0): the whole degrees of B truncated
// and its first decimal, with the minus sign also for a tilt between -1 and 0.
std::string SaturnTiltText(double tiltDegrees);
