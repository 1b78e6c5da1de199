// Fuzz target: a memo file read, its lines parsed and imported into the
// observing list (tests/support/list_file_entries.h gives the input layout). A
// check that fails stops the run like a sanitizer report.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "support/list_file_entries.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (RunMemos(data, size) != 0) std::abort();
    return 0;
}
