// The entry of the comet record fuzz target and of its replay test: the input
// is the whole "data\zendavori_comet.ppc" file; every record that reads is
// placed by CometPlaceAt at two dates.
#pragma once

#include <cstddef>
#include <cstdint>

// 0 when every check held; otherwise the number of the first that failed:
// 1 a place was given whose right ascension is outside [0, 24] h, declination
// outside [-90, 90] degrees, or whose distance or magnitude is not finite,
// 2 a refused place changed the caller's place.
int RunCometRecords(const uint8_t* data, std::size_t size);
