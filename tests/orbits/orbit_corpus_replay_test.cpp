// Replays the saved inputs of the orbit fuzz targets (fuzz/corpus/<target>:
// the seeds and every input that ever found a fault) through their entries,
// so that a fault found once stays found.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "core/shared_state.h"
#include "orbits/satellite_record_check.h"
#include "support/comet_records_entry.h"
#include "support/satellite_passes_entry.h"

namespace {

int RunSatelliteRecords(const uint8_t* data, std::size_t size) { return CheckSatelliteRecordBytes(data, size) ? 0 : 1; }

// Among the saved inputs: the decayed 28872, mean motions of 1e-8 to 1e-4
// revolutions a day, a set that never sets for its site, a NaN inclination,
// H = 1e30 and a perihelion of 1e-28 AU.
TEST(OrbitCorpus, EverySavedInputPassesTheChecks) {
    const struct {
        const char* target;
        int (*entry)(const uint8_t*, std::size_t);
        int seeds;
    } targets[] = {{"satellite_records", RunSatelliteRecords, 11},
                   {"satellite_passes", RunSatellitePasses, 11},
                   {"comet_records", RunCometRecords, 10}};
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
    ResetSharedState();
}

}  // namespace
