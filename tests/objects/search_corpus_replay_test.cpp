// Replays the saved inputs of the criteria search fuzz target through its
// entry.
#include <gtest/gtest.h>

#include "support/fuzz_corpus.h"
#include "support/search_picture_entries.h"

namespace {

TEST(SearchCorpus, SearchesPassEveryCheck) { EXPECT_GE(ReplayFuzzCorpus("criteria_search", RunCriteriaSearch), 3); }

}  // namespace
