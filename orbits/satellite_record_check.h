// Entry point for fuzzing the element-set decoder and the propagators on
// outside bytes.
#pragma once

#include <cstddef>
#include <cstdint>

// Lays `size` bytes into a satellite record (cut at 213 bytes, the rest blank),
// decodes it and propagates it with SGP and SGP4 at times from a day before the
// epoch to years after it. True when every propagation kept its contract:
// success with finite vectors (and their lengths after ConvertStateToKm), or
// failure with x, y, z not a number.
bool CheckSatelliteRecordBytes(const uint8_t* data, std::size_t size);
