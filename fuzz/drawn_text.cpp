// Fuzz target: text drawn into a picture in each of the program's fonts
// (tests/support/text_entries.h gives the input layout). A check that fails
// stops the run like a sanitizer report.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "support/text_entries.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (RunDrawnText(data, size) != 0) std::abort();
    return 0;
}
