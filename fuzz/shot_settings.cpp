// Fuzz target: the camera settings file "zendavori.shots", any bytes as the
// whole file, read back as at start-up (tests/support/shot_settings_entry.h).
// A check that fails stops the run like a sanitizer report.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "support/shot_settings_entry.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (RunShotSettings(data, size) != 0) std::abort();
    return 0;
}
