// The orbit assistant's 3D picture data: the Sun, the current comet or minor
// planet, Mercury to Pluto and the Earth as 11 objects with their orbit
// orientation, place and orbit size in the integer units of the solar-system
// picture, and the small body's distances from the Earth and the Sun. The
// planets' places come from the approximate planets, their orbits from their
// mean elements.
#pragma once

#include <cstdint>

#include "catalog/comet_satellite_db.h"

constexpr int kOrbit3DSlots = 11;   // 0 Sun, 1 the small body, 2..9 Mercury..Pluto, 10 Earth
constexpr int kOrbit3DBodySlot = 1;
constexpr int kOrbit3DEarthSlot = 10;

// One object; lengths scale with the zoom z (1..7).
struct Orbit3DObject {
    char name[40];
    int32_t rotation[9];      // orbit plane to ecliptic, unit 2^24 (FixRotationMatrixB24)
    int32_t position[3];      // ecliptic x, y, z: AU x 2^24 shifted right by 12 - z
    int32_t perihelion;       // q of the small body, AU x 2^24, in every slot
    int32_t focusOffset;      // e a x 4096
    float earthDistance;      // AU (slot 1)
    float sunDistance;        // AU (slot 1)
    int32_t orbitSize;        // a x 2^z; q x 2^z for shapes 1 and 2
    int32_t orbitSecondSize;  // a sqrt(1 - e^2) x 2^z; 0 for shapes 1 and 2
    int32_t shape;            // 0 e < 0.9, 2 e > 1.1, else 1 (slot 1); 0 elsewhere
};

// The orbit shape of an eccentricity.
int OrbitShapeOf(double eccentricity);

// A value rounded toward zero into int32, the range's ends for values beyond
// it, 0 for one that is not a number.
int32_t ClampToInt32(double value);

// Fills the 11 objects for `record` (work words filled) at the local date
// and time, the zone in minutes, and zoom `zoom`. The small body's place is
// its orbit at that instant (none, place 0, when the orbit does not solve).
// A planet the approximate planets do not place (Pluto outside 1885-2099) is
// left all zero, which the picture does not draw.
// Returns the solver's status.
int FillOrbit3DObjects(Orbit3DObject objects[kOrbit3DSlots], const CometRecord& record, int year, int month, int day,
                       int hour, int minute, int zoneMinutes, int zoom);
