// Speed of the criteria search over a full object file: BuildSelectionList
// with no catalogue chosen, "Max Selected items" 500, visibility "Very Easy"
// and elevation above 50 degrees, at 51 N on 5 March 2024 at 21:00, with no
// draw window. The 18,000 records (catalog/record_writer, fixed seed) lie
// uniformly on the sphere with magnitudes 4..16, sizes 0.1'..60' and object
// types of every class; a few hundred pass, fewer than the fill limit, so
// every record is rated. Counters: the records of the file the object step
// walks, the entries found and the record layer's system calls per search.
#include <benchmark/benchmark.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "catalog/databases.h"
#include "catalog/designations.h"
#include "catalog/record_db.h"
#include "catalog/record_writer.h"
#include "catalog/selection_list.h"
#include "core/preferences.h"
#include "core/shared_state.h"
#include "objects/selection_search.h"
#include "platform/clock.h"
#include "platform/files.h"

namespace {

constexpr int kRecords = 18000;
constexpr int kTypes[] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 15, 16, 17, 19, 20, 21, 22, 23, 24, 25, 26};

void WriteFile(const std::filesystem::path& path, const record_writer::Bytes& bytes) {
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                static_cast<std::streamsize>(bytes.size()));
}

// The object file, and the default-star and Moon files that opening it needs.
void WriteDataFolder(const std::filesystem::path& data) {
    std::mt19937 rng(18000);
    std::uniform_real_distribution<double> uniform(0.0, 1.0);
    std::vector<record_writer::Bytes> records;
    for (int i = 0; i < kRecords; ++i) {
        ObjectRecord o{};
        o.designationId = i < 1000 ? kDesignationIc : kDesignationNgc;
        o.number = i + 1;
        o.objectType = static_cast<uint32_t>(kTypes[i % std::size(kTypes)]);
        o.rightAscension = static_cast<float>(24 * uniform(rng));
        o.declination = static_cast<float>(std::asin(2 * uniform(rng) - 1) * 180 / M_PI);
        o.magnitude = static_cast<float>(4 + 12 * uniform(rng));
        o.size1 = static_cast<float>(0.1 + 59.9 * uniform(rng));
        o.size2 = static_cast<float>(o.size1 * (0.2 + 0.8 * uniform(rng)));
        records.push_back(record_writer::ObjectBytes(o));
    }
    WriteFile(data / "zendavori_obj_18k.ppc", record_writer::RecordDbBytes(26, 64, records));
    WriteFile(data / "zendavori_default_stars.ppc", record_writer::RecordDbBytes(1, 44, {record_writer::Bytes(44)}));
    WriteFile(data / "zendavori_moon.ppc",
              record_writer::RecordDbBytes(24, 44, {record_writer::Bytes(44), record_writer::Bytes(44)}));
}

void BM_BuildSelectionList(benchmark::State& state) {
    const std::filesystem::path home = std::filesystem::temp_directory_path() / "zendavori-bench-selection";
    std::filesystem::create_directories(home / "data");
    WriteDataFolder(home / "data");
    pl::SetProgramFolder(home.string());
    pl::UseVirtualClock(pl::LocalTime{2024, 3, 5, 21, 0, 0});
    ResetSharedState();
    ValidatePreferences();
    ResetCatalogState();
    ReopenDatabases(0);
    SetSiteLatitude(currentSite, 51.0);
    preferences.word[kPrefMaxSelectedItems] = 10;  // 500
    preferences.word[kPrefChartType] = 2;
    AllocSelectionList();
    int found = 0;
    const uint64_t calls = RecordDbSystemCalls();
    for (auto _ : state) {
        selectionShownCount = 0;
        PrepareSelection(0, 0, 0);
        selectionCriteria.visibility = 1;
        SetSelectionElevation(9);
        BuildSelectionList();
        found = selectionCount;
    }
    state.counters["record_system_calls"] =
        static_cast<double>(RecordDbSystemCalls() - calls) / static_cast<double>(state.iterations());
    state.counters["records_tested"] = objectDb ? GetRecDbCount(objectDb) : 0;
    state.counters["entries_found"] = found;
    FreeSelectionList();
    ResetCatalogState();
    pl::UseRealClock();
    pl::SetProgramFolder("");
    std::filesystem::remove_all(home);
}
BENCHMARK(BM_BuildSelectionList)->Unit(benchmark::kMillisecond);

}  // namespace
