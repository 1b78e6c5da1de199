// Fuzz target: the encoder boxes' reply parsing, fed arbitrary replies through
// a scripted serial line (tests/support/encoder_replies_entry.h gives the
// input layout). A check that fails stops the run like a sanitizer report.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "support/encoder_replies_entry.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (RunEncoderReplies(data, size) != 0) std::abort();
    return 0;
}
