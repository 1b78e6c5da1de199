// Fuzz target: the criteria search over an object file and a user catalogue
// (tests/support/search_picture_entries.h gives the input layout). A check
// that fails stops the run like a sanitizer report.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "support/search_picture_entries.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (RunCriteriaSearch(data, size) != 0) std::abort();
    return 0;
}
