// Speed of the criteria search over a full object file: BuildSelectionList
// with no catalogue chosen, "Max Selected items" 500, visibility "Very Easy"
// and elevation above 50 degrees, at 51 N on 5 March 2024 at 21:00, with no
// draw window. The 18,000 records (catalog/record_writer, fixed seed) lie
// uniformly on the sphere with magnitudes 4..16, sizes 0.1'..60' and object
// types of every class; a few hundred pass, fewer than the fill limit, so
// every record is rated (Args 1, 1). With no visibility or elevation asked
// (Args 0, 0) the list fills at 500 and each of the 17,500 records beyond is
// looked for in it to be counted. Counters: the records of the file the
// object step walks, the entries found and the record layer's system calls
// per search. Then FindSelectionEntry of an object not listed over lists of
// 500 and 5000 entries (room made by 4600 bright-star names), a third of them
// on Messier rows.
#include <benchmark/benchmark.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "bench_folder.h"
#include "catalog/databases.h"
#include "catalog/designations.h"
#include "catalog/record_db.h"
#include "catalog/record_writer.h"
#include "catalog/selection_entry.h"
#include "catalog/selection_list.h"
#include "core/preferences.h"
#include "core/shared_state.h"
#include "list_program.h"
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

// The program folder `home` with the data files and `brightStarNames` names,
// its databases open and an observing list of "Max Selected items" 500 plus
// the names; undone by CloseProgramFolder.
void OpenProgramFolder(const std::filesystem::path& home, int brightStarNames) {
    std::filesystem::create_directories(home / "data");
    WriteDataFolder(home / "data");
    const std::vector<record_writer::Bytes> names(2 * brightStarNames, record_writer::BrightStarNameBytes("Star", 0));
    if (brightStarNames > 0)
        WriteFile(home / "data" / "zendavori_brightstar.ppc", record_writer::RecordDbBytes(1, 20, names));
    StartListProgram(home.string(), 10);  // 500
}

void CloseProgramFolder(const std::filesystem::path& home) {
    FreeSelectionList();
    ResetCatalogState();
    pl::UseRealClock();
    pl::SetProgramFolder("");
    std::filesystem::remove_all(home);
}

void BM_BuildSelectionList(benchmark::State& state) {
    const std::filesystem::path home = BenchFolder("selection");
    OpenProgramFolder(home, 0);
    int found = 0;
    const uint64_t calls = RecordDbSystemCalls();
    for (auto _ : state) {
        selectionShownCount = 0;
        PrepareSelection(0, 0, 0);
        selectionCriteria.visibility = static_cast<int16_t>(state.range(0));
        if (state.range(1)) SetSelectionElevation(9);
        BuildSelectionList();
        found = selectionCount;
    }
    state.counters["record_system_calls"] =
        static_cast<double>(RecordDbSystemCalls() - calls) / static_cast<double>(state.iterations());
    state.counters["records_tested"] = objectDb ? GetRecDbCount(objectDb) : 0;
    state.counters["entries_found"] = found;
    CloseProgramFolder(home);
}
BENCHMARK(BM_BuildSelectionList)->Args({1, 1})->Args({0, 0})->Unit(benchmark::kMillisecond);

void BM_FindSelectionEntry(benchmark::State& state) {
    const std::filesystem::path home = BenchFolder("find");
    OpenProgramFolder(home, 4600);
    const int n = static_cast<int>(state.range(0));
    for (int i = 0; i < n; ++i) {
        SelectionEntry& e = selectionList[i];
        e = SelectionEntry{};
        e.designation = kDesignationNgc;
        e.number = 1001 + i;
        e.source = static_cast<uint16_t>(i % 3 == 0 ? kSourceMessier : 6);
        e.sourceIndex = static_cast<uint16_t>(i % 3 == 0 ? i % 110 : i);
    }
    selectionCount = n;
    ObjectRecord rec{};
    rec.designationId = kDesignationNgc;
    rec.number = 17999;
    for (auto _ : state) benchmark::DoNotOptimize(FindSelectionEntry(selectionList, &rec));
    CloseProgramFolder(home);
}
BENCHMARK(BM_FindSelectionEntry)->Arg(500)->Arg(5000)->Unit(benchmark::kMicrosecond);

}  // namespace
