// Replays the saved inputs of the location database fuzz target
// (fuzz/corpus/location_records: the seeds and every input that ever found a
// fault) through its entry, so that a fault found once stays found.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "support/location_records_entry.h"

namespace {

TEST(LocationRecordsCorpus, EverySavedInputPassesTheChecks) {
    std::filesystem::path folder = std::filesystem::path(ZENDAVORI_SOURCE_DIR) / "fuzz/corpus/location_records";
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        std::ifstream in(entry.path(), std::ios::binary);
        std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        EXPECT_EQ(RunLocationRecords(bytes.data(), bytes.size()), 0) << entry.path().filename();
        ++files;
    }
    EXPECT_GE(files, 7);
}

}  // namespace
