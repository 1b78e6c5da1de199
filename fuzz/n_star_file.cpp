// Fuzz target: the saved N-star list "userlists\nstar.nsa", any bytes as the
// whole file, read as Load reads it (tests/support/n_star_file_entry.h). A
// check that fails stops the run like a sanitizer report.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "support/n_star_file_entry.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (RunNStarFile(data, size) != 0) std::abort();
    return 0;
}
