// Replays the saved inputs of the Meade reply fuzz target (fuzz/corpus/
// meade_replies: the seeds and every input that ever found a fault) through
// its entry, so that a fault found once stays found.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "support/meade_replies_entry.h"
#include "support/recording_window.h"

namespace {

TEST(MeadeRepliesCorpus, EverySavedInputPassesTheChecks) {
    testwin::VirtualClock clock;
    std::filesystem::path folder = std::filesystem::path(ZENDAVORI_SOURCE_DIR) / "fuzz/corpus/meade_replies";
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        std::ifstream in(entry.path(), std::ios::binary);
        std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        EXPECT_EQ(RunMeadeReplies(bytes.data(), bytes.size()), 0) << entry.path().filename();
        ++files;
    }
    EXPECT_GE(files, 8);
}

}  // namespace
