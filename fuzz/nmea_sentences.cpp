// Fuzz target: what a GPS receiver sends, read and scanned for a position
// (tests/support/nmea_sentences_entry.h). A check that fails stops the run
// like a sanitizer report.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "support/nmea_sentences_entry.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (RunNmeaSentences(data, size) != 0) std::abort();
    return 0;
}
