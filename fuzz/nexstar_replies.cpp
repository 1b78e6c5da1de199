// Fuzz target: the NexStar driver's reply parsing, fed arbitrary replies
// through a scripted serial line (tests/support/nexstar_replies_entry.h gives
// the input layout). A check that fails stops the run like a sanitizer report.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "support/nexstar_replies_entry.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (RunNexStarReplies(data, size) != 0) std::abort();
    return 0;
}
