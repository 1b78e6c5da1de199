#include "orbits/comet_place.h"

#include <cmath>
#include <initializer_list>

#include "orbits/comet_position.h"

namespace {

// The elements and brightness words that the place and magnitude read: each
// finite, and the absolute magnitude within +-100.
bool UsableElements(const CometRecord& c) {
    for (float word : {c.inclination, c.node, c.argPerihelion, c.perihelionDistance, c.absoluteMagnitude, c.slope}) {
        if (!std::isfinite(word)) return false;
    }
    return std::fabs(c.absoluteMagnitude) <= 100.0f;
}

}  // namespace

bool CometPlaceAt(CometRecord* comet, double jd, int equinoxYear, CometPlace* place) {
    FillCometWorkWords(comet);
    if (!UsableElements(*comet)) return false;
    float ra, dec, delta, sunDistance, elongation, phase;
    if (!ComputeCometPosition(comet, jd, equinoxYear, &ra, &dec, &delta, &sunDistance, &elongation, &phase))
        return false;
    const double magnitude = ComputeCometMagnitude(comet, delta, sunDistance, phase);
    if (!std::isfinite(ra) || !std::isfinite(dec) || !std::isfinite(delta) || !std::isfinite(magnitude)) return false;
    *place = CometPlace{ra, dec, delta, magnitude};
    return true;
}

void InstallCometPlace() { InstallCometPlaceHook(CometPlaceAt); }
