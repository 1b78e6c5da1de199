// Fuzz target: the object descriptions, found and expanded into words; any
// bytes as the file (tests/support/record_file_entries.h). A check that fails
// stops the run like a sanitizer report.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "support/record_file_entries.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (RunDescriptions(data, size) != 0) std::abort();
    return 0;
}
