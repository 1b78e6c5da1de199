// Speed of finding the observing list's comet entries again in the comet file
// (MatchListedComets, run when the file opens, a list or memo loads and a
// record is saved or deleted): 500 comet entries over 4000 records whose
// names differ only after their first 8 characters. Arg 0: every entry still at
// its record (a list loaded on the file it was saved with). Arg 1: every entry
// one record off, as in a list saved before a record near the file's start was
// deleted, so that each is found by its name. Counter: entries per call.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "bench_folder.h"
#include "catalog/comet_satellite_db.h"
#include "catalog/databases.h"
#include "catalog/designations.h"
#include "catalog/listed_comets.h"
#include "catalog/record_writer.h"
#include "catalog/selection_list.h"
#include "core/preferences.h"
#include "core/shared_state.h"
#include "platform/files.h"

namespace {

constexpr int kRecords = 4000;
constexpr int kEntries = 500;
constexpr int kMaxItemsRow500 = 10;

void WriteComets(const std::filesystem::path& file) {
    std::vector<record_writer::Bytes> records;
    for (int i = 0; i < kRecords; ++i) {
        CometRecord c{};
        std::snprintf(c.name, sizeof c.name, "C/%04d A%04d (LINEAR)", 1950 + i / 80, i);
        c.kind = 13;
        records.push_back(record_writer::CometBytes(c));
    }
    const record_writer::Bytes bytes = record_writer::RecordDbBytes(1, 128, records);
    std::ofstream(file, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

// Entry i names record 8 i (its first 14 characters) and holds number 8 i + off.
void FillList(int off) {
    for (int i = 0; i < kEntries; ++i) {
        SelectionEntry& e = selectionList[i];
        e = SelectionEntry{};
        std::snprintf(e.name, sizeof e.name, "C/%04d A%04d (", 1950 + 8 * i / 80, 8 * i);
        e.designation = kDesignationComet;
        e.source = kSourceComet;
        e.number = 8 * i + off;
    }
    selectionCount = kEntries;
}

void BM_MatchListedComets(benchmark::State& state) {
    const std::filesystem::path home = BenchFolder("listed-comets");
    std::filesystem::create_directories(home / "data");
    WriteComets(home / "data" / "zendavori_comet.ppc");
    pl::SetProgramFolder(home.string());
    ResetSharedState();
    ValidatePreferences();
    ResetCatalogState();
    OpenRecordDb(&cometDb, "pl11", kCreatorCode, kDataFolder, "zendavori_comet.ppc");
    preferences.word[kPrefMaxSelectedItems] = kMaxItemsRow500;
    AllocSelectionList();
    const int off = static_cast<int>(state.range(0));
    bool found = true;
    for (auto _ : state) {
        state.PauseTiming();
        FillList(off);
        state.ResumeTiming();
        MatchListedComets();
        found = found && selectionList[kEntries - 1].number == 8 * (kEntries - 1);
    }
    state.counters["entries"] = kEntries;
    if (!found) state.SkipWithError("an entry did not find its record");
    FreeSelectionList();
    ResetCatalogState();
    pl::SetProgramFolder("");
    std::filesystem::remove_all(home);
}

BENCHMARK(BM_MatchListedComets)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
