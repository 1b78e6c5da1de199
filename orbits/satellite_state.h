// The status rules that the SGP and SGP4 propagators share: which element sets
// they accept, and the not-a-number state of a refused or failed call.
#pragma once

#include <cmath>
#include <limits>

#include "orbits/two_line_elements.h"

// Mean motion above 0 and eccentricity in [0, 1); false for not-a-number too.
inline bool ElementsInsideModel(const SatelliteElements* el) {
    return el->meanMotion > 0.0 && el->eccentricity >= 0.0 && el->eccentricity < 1.0;
}

// Makes x, y, z of both vectors not a number; returns false.
inline bool RefuseState(double position[4], double velocity[4]) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    for (int k = 0; k < 3; ++k) position[k] = velocity[k] = nan;
    return false;
}

// True when x, y, z of both vectors are finite, else RefuseState.
inline bool FinishState(double position[4], double velocity[4]) {
    for (int k = 0; k < 3; ++k) {
        if (!std::isfinite(position[k]) || !std::isfinite(velocity[k])) return RefuseState(position, velocity);
    }
    return true;
}
