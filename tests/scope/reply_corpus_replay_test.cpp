// Replays the saved inputs of the drivers' reply fuzz targets (fuzz/corpus/
// <target>: the seeds and every input that ever found a fault) through their
// entries, so that a fault found once stays found.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "support/encoder_replies_entry.h"
#include "support/meade_replies_entry.h"
#include "support/nexstar_replies_entry.h"
#include "support/recording_window.h"
#include "support/small_drive_replies_entry.h"

namespace {

TEST(ReplyCorpus, EverySavedInputPassesTheChecks) {
    const struct {
        const char* target;
        int (*entry)(const uint8_t*, std::size_t);
        int seeds;
    } targets[] = {{"meade_replies", RunMeadeReplies, 11},
                   {"nexstar_replies", RunNexStarReplies, 12},
                   {"small_drive_replies", RunSmallDriveReplies, 13},
                   {"encoder_replies", RunEncoderReplies, 11}};
    testwin::VirtualClock clock;
    for (const auto& t : targets) {
        std::filesystem::path folder = std::filesystem::path(ZENDAVORI_SOURCE_DIR) / "fuzz/corpus" / t.target;
        int files = 0;
        for (const auto& entry : std::filesystem::directory_iterator(folder)) {
            std::ifstream in(entry.path(), std::ios::binary);
            std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
            EXPECT_EQ(t.entry(bytes.data(), bytes.size()), 0) << t.target << "/" << entry.path().filename();
            ++files;
        }
        EXPECT_GE(files, t.seeds) << t.target;
    }
}

}  // namespace
