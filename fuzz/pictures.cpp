// Fuzz target: the picture reader, any bytes as a JPEG file
// (tests/support/search_picture_entries.h). A check that fails stops the run
// like a sanitizer report.
//
// Inputs that declare a picture larger than 4096 x 4096 pixels in any frame
// header are left out: the reader decodes such a picture whole, taking seconds
// and gigabytes for a few hundred bytes, and mutations find them at once.
// Remove this filter once the reader refuses them before decoding.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "support/search_picture_entries.h"

namespace {

// Any frame header (start-of-frame markers C0..CF but C4, C8 and CC) that
// declares more than 4096 pixels on a side.
bool DeclaresALargePicture(const uint8_t* data, size_t size) {
    for (size_t k = 0; k + 8 < size; ++k) {
        if (data[k] != 0xFF || data[k + 1] < 0xC0 || data[k + 1] > 0xCF) continue;
        if (data[k + 1] == 0xC4 || data[k + 1] == 0xC8 || data[k + 1] == 0xCC) continue;
        const unsigned height = (data[k + 5] << 8) | data[k + 6];
        const unsigned width = (data[k + 7] << 8) | data[k + 8];
        if (height > 4096 || width > 4096) return true;
    }
    return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (DeclaresALargePicture(data, size)) return -1;
    if (RunPictures(data, size) != 0) std::abort();
    return 0;
}
