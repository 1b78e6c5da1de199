// Minor planets as the comet file holds them, for tests that list or look up
// a real asteroid.
#pragma once

#include <cstring>

#include "catalog/comet_satellite_db.h"
#include "orbits/comet_position.h"

// 4 Vesta from the JPL Small-Body Database's osculating elements at MJD 59800
// (J2000 ecliptic and equinox) in single precision, H 3.2, G 0.32, as
// scripts/reference/listed_places_pyephem.py takes them.
inline CometRecord VestaRecord() {
    CometRecord vesta{};
    std::strcpy(vesta.name, "4 Vesta");
    vesta.kind = 18, vesta.eccentricity = 0.08840189f, vesta.semiMajorAxis = 2.3619872f, vesta.inclination = 7.1407828f;
    vesta.node = 103.80081f, vesta.argPerihelion = 151.25778f, vesta.meanAnomaly = 61.192299f;
    vesta.absoluteMagnitude = 3.2f, vesta.slope = 0.32f, vesta.epochJulianDay = 2459800.5f;
    SetMinorPlanetPerihelion(&vesta, 2459800.5);
    return vesta;
}
