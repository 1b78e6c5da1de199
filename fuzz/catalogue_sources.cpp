// Fuzz target: the catalogue converter's source readers, any bytes as one
// source file (tests/support/catalogue_sources_entry.h gives the input layout).
// A check that fails stops the run like a sanitizer report.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "support/catalogue_sources_entry.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (RunCatalogueSources(data, size) != 0) std::abort();
    return 0;
}
