// Replays the saved inputs of the drivers' reply fuzz targets (fuzz/corpus/
// <target>: the seeds and every input that ever found a fault) through their
// entries, so that a fault found once stays found.
#include <gtest/gtest.h>

#include <cstdint>

#include "support/corpus_replay.h"
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
                   {"small_drive_replies", RunSmallDriveReplies, 15},
                   {"encoder_replies", RunEncoderReplies, 11}};
    testwin::VirtualClock clock;
    for (const auto& t : targets) EXPECT_GE(ReplayCorpus(ZENDAVORI_SOURCE_DIR, t.target, t.entry), t.seeds) << t.target;
}

}  // namespace
