#include "ephemeris/planet_names.h"

const char* const planetNameTable[kPlanetNameCount] = {"Sun",     "Moon",   "Mercury", "Venus",   "Mars", "Jupiter",
                                                       "Saturn",  "Uranus", "Neptune", "Pluto",   "Earth"};
