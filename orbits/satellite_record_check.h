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

// Reads `size` bytes as an element-set text to import (ReadElementSetText of
// orbits/satellite_import.h) and checks what it gave: every record's name line
// is not empty, both element lines read again as element lines (every field
// a number of its format), InitSatelliteElements takes the record, no more
// records and skipped lines than the text has lines, and every record keeps
// the propagators' contract as CheckSatelliteRecordBytes does.
bool CheckElementSetTextBytes(const uint8_t* data, std::size_t size);
