#include "ephemeris/ephemeris_work.h"

EphemerisWork ephemerisWork;

void ResetEphemerisWork() { ephemerisWork = EphemerisWork{}; }
