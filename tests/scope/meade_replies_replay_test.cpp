// Replays the saved inputs of the Meade reply fuzz target through its entry.
#include <gtest/gtest.h>

#include "support/corpus_replay.h"
#include "support/meade_replies_entry.h"

namespace {

TEST(MeadeRepliesCorpus, EverySavedInputPassesTheChecks) { ReplayCorpus("meade_replies", RunMeadeReplies, 8); }

}  // namespace
