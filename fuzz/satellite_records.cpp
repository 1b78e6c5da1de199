// Fuzz target: any bytes as a satellite record (cut at 213 bytes, blank
// after), decoded by InitSatelliteElements and propagated by SGP and SGP4, and
// the same bytes as an element-set text to import, each record it gives read
// whole (no letter in a number, every field in range) and propagated too
// (orbits/satellite_record_check.h). A broken contract stops the run like a
// sanitizer report.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "orbits/satellite_record_check.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (!CheckSatelliteRecordBytes(data, size) || !CheckElementSetTextBytes(data, size)) std::abort();
    return 0;
}
