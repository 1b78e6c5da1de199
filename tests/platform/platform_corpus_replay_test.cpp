// Replays the saved inputs of the picture and environment fuzz targets
// through their entries.
#include <gtest/gtest.h>

#include "support/fuzz_corpus.h"
#include "support/search_picture_entries.h"
#include "support/text_entries.h"

namespace {

TEST(PlatformCorpus, PicturesPassEveryCheck) { EXPECT_GE(ReplayFuzzCorpus("pictures", RunPictures), 3); }

TEST(PlatformCorpus, EnvironmentValuesPassEveryCheck) {
    EXPECT_GE(ReplayFuzzCorpus("environment_values", RunEnvironmentValues), 3);
}

}  // namespace
