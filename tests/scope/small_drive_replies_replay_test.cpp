// Replays the saved inputs of the ServoCat, SkyCommander, SiderealTech and
// Takahashi reply fuzz target through its entry.
#include <gtest/gtest.h>

#include "support/corpus_replay.h"
#include "support/small_drive_replies_entry.h"

namespace {

TEST(SmallDriveRepliesCorpus, EverySavedInputPassesTheChecks) {
    ReplayCorpus("small_drive_replies", RunSmallDriveReplies, 11);
}

}  // namespace
