// Fuzz target: the picture reader, any bytes as a JPEG file
// (tests/support/search_picture_entries.h). A check that fails stops the run
// like a sanitizer report.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "support/search_picture_entries.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (RunPictures(data, size) != 0) std::abort();
    return 0;
}
