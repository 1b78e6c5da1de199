// Fuzz target: one observer log entry's file, any bytes, read as the log
// reader reads it and written as an export line (tests/support/
// observer_log_records_entry.h). A check that fails stops the run like a
// sanitizer report.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "support/observer_log_records_entry.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (RunObserverLogRecord(data, size) != 0) std::abort();
    return 0;
}
