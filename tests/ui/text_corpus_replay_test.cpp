// Replays the saved inputs of the typed-number and drawn-text fuzz targets
// through their entries.
#include <gtest/gtest.h>

#include "support/fuzz_corpus.h"
#include "support/text_entries.h"

namespace {

TEST(TextCorpus, NumberTextsPassEveryCheck) { EXPECT_GE(ReplayFuzzCorpus("number_fields", RunNumberFields), 10); }

TEST(TextCorpus, DrawnTextsPassEveryCheck) {
    EXPECT_GE(ReplayFuzzCorpus("drawn_text", RunDrawnText), 4);
    ReleaseDrawnText();
}

}  // namespace
