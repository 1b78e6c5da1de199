// Fuzz target: the texts of the orbit element editor's fields read into a
// record, shown again and read back (tests/support/comet_element_texts_entry.h).
// A check that fails stops the run like a sanitizer report.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "support/comet_element_texts_entry.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (RunCometElementTexts(data, size) != 0) std::abort();
    return 0;
}
