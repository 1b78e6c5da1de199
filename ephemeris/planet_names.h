// The names of the bodies by body index.
#pragma once

constexpr int kPlanetNameCount = 11;

// "Sun", "Moon", "Mercury" .. "Pluto", "Earth" for body indexes 0..10.
extern const char* const planetNameTable[kPlanetNameCount];
