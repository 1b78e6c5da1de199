// Fuzz target: any bytes as a satellite record and a site, propagated and
// searched for passes over a day (tests/support/satellite_passes_entry.h). A
// check that fails stops the run like a sanitizer report.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "support/satellite_passes_entry.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (RunSatellitePasses(data, size) != 0) std::abort();
    return 0;
}
