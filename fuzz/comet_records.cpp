// Fuzz target: the comet database, any bytes as the whole file, each record
// placed by CometPlaceAt (tests/support/comet_records_entry.h). A check that
// fails stops the run like a sanitizer report.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "support/comet_records_entry.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (RunCometRecords(data, size) != 0) std::abort();
    return 0;
}
