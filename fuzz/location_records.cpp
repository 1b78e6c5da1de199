// Fuzz target: the location database, any bytes as the whole file, read
// through GetLocationRecord and taken into the site
// (tests/support/location_records_entry.h). A check that fails stops the run
// like a sanitizer report.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "support/location_records_entry.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (RunLocationRecords(data, size) != 0) std::abort();
    return 0;
}
