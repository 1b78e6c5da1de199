// Replays the saved inputs of the orbit fuzz targets through their entries.
#include <gtest/gtest.h>

#include <cstdint>

#include "core/shared_state.h"
#include "orbits/satellite_record_check.h"
#include "support/comet_element_texts_entry.h"
#include "support/comet_records_entry.h"
#include "support/corpus_replay.h"
#include "support/satellite_passes_entry.h"

namespace {

int RunSatelliteRecords(const uint8_t* data, std::size_t size) {
    return CheckSatelliteRecordBytes(data, size) && CheckElementSetTextBytes(data, size) ? 0 : 1;
}

// Among the saved inputs: the decayed 28872, mean motions of 1e-8 to 1e-4
// revolutions a day, a set that never sets for its site, element lines out of
// place (an epoch some 30 million years on) whose passes ran on past the
// window for years at 67.5 S and a reported record of that kind (an epoch of
// JD 3.5e8, a node of 71,416 degrees), a NaN inclination, numbers holding
// "nan", "inf" or letters (the drag "102inf"), a set of 2055 searched 29
// years before its epoch whose passes rose before the previous one set,
// H = 1e30 and a perihelion of 1e-28 AU; element texts of real records, of
// a node of 73 digits, an inclination of 4.4e23 and q of 1.25e19 AU.
TEST(OrbitCorpus, EverySavedInputPassesTheChecks) {
    const struct {
        const char* target;
        FuzzEntry entry;
        int seeds;
    } targets[] = {{"satellite_records", RunSatelliteRecords, 11},
                   {"satellite_passes", RunSatellitePasses, 13},
                   {"comet_records", RunCometRecords, 11},
                   {"comet_element_texts", RunCometElementTexts, 9}};
    for (const auto& t : targets) EXPECT_GE(ReplayCorpus(ZENDAVORI_SOURCE_DIR, t.target, t.entry), t.seeds) << t.target;
    ResetSharedState();
}

}  // namespace
