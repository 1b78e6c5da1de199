// Replays the saved inputs of the catalogue fuzz targets (the record
// databases, user lists, memos and object descriptions) through their entries.
#include <gtest/gtest.h>

#include "support/fuzz_corpus.h"
#include "support/list_file_entries.h"
#include "support/record_file_entries.h"
#include "support/text_entries.h"

namespace {

struct Target {
    const char* name;
    int (*entry)(const uint8_t*, std::size_t);
    int seeds;  // the seeds the fixture writers made; found faults come on top
};

void ReplayAll(std::initializer_list<Target> targets) {
    for (const Target& t : targets) EXPECT_GE(ReplayFuzzCorpus(t.name, t.entry), t.seeds) << t.name;
}

TEST(CatalogCorpus, ObjectFilesPassEveryCheck) {
    ReplayAll({{"object_file", RunObjectFile, 4},
               {"object_index", RunObjectIndex, 2},
               {"cross_references", RunCrossReferences, 2},
               {"descriptions", RunDescriptions, 2},
               {"user_catalog", RunUserCatalog, 2}});
}

TEST(CatalogCorpus, StarFilesPassEveryCheck) {
    ReplayAll({{"default_stars", RunDefaultStars, 2},
               {"bright_star_names", RunBrightStarNames, 1},
               {"constellation_lines", RunConstellationLines, 1},
               {"stellar_catalog", RunStellarCatalog, 3},
               {"stellar_indexes", RunStellarIndexes, 3}});
}

TEST(CatalogCorpus, FeatureAndSmallFilesPassEveryCheck) {
    ReplayAll({{"moon_features", RunMoonFeatures, 1},
               {"mars_features", RunMarsFeatures, 1},
               {"eyepieces", RunEyepieces, 1},
               {"satellite_database", RunSatelliteDatabase, 1}});
}

TEST(CatalogCorpus, ListsMemosAndDescriptionsPassEveryCheck) {
    ReplayAll({{"user_lists", RunUserLists, 4}, {"memos", RunMemos, 8}, {"dreyer_text", RunDreyerText, 5}});
}

}  // namespace
