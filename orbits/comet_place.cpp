#include "orbits/comet_place.h"

#include "orbits/comet_position.h"

bool CometPlaceAt(CometRecord* comet, double jd, int equinoxYear, CometPlace* place) {
    FillCometWorkWords(comet);
    float ra, dec, delta, sunDistance, elongation, phase;
    if (!ComputeCometPosition(comet, jd, equinoxYear, &ra, &dec, &delta, &sunDistance, &elongation, &phase))
        return false;
    *place = CometPlace{ra, dec, delta, ComputeCometMagnitude(comet, delta, sunDistance, phase)};
    return true;
}

void InstallCometPlace() { InstallCometPlaceHook(CometPlaceAt); }
