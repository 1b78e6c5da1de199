// Speed of finding the observing list's comet entries again in the comet file
// (MatchListedComets, run when the file opens, a list or memo loads and a
// record is saved or deleted): 500 comet entries over 4000 records whose
// names differ only after their first 8 characters. Arg 0: every entry still at
// its record (a list loaded on the file it was saved with). Arg 1: every entry
// one record off, as in a list saved before a record near the file's start was
// deleted, so that each is found by its name. Counter: entries per call.
// The memo import (ImportMemoText) of 2000 comet lines over the same records,
// 500 of them taken into the list (its room), the others told of: Arg 0 the
// lines of every second record as the export writes them; Arg 1 the same lines
// one record off, each found by its name; Arg 2 2000 lines of one name without
// a number over 4000 records of that name (two orbits of one name, many times).
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "bench_folder.h"
#include "catalog/comet_satellite_db.h"
#include "catalog/databases.h"
#include "catalog/designations.h"
#include "catalog/listed_comets.h"
#include "catalog/memo.h"
#include "catalog/record_writer.h"
#include "catalog/selection_list.h"
#include "core/preferences.h"
#include "core/shared_state.h"
#include "platform/files.h"

namespace {

constexpr int kRecords = 4000;
constexpr int kEntries = 500;
constexpr int kMaxItemsRow500 = 10;
constexpr int kMemoLines = 2000;

// `oneName`: every record "C/2027 Z1".
void WriteComets(const std::filesystem::path& file, bool oneName = false) {
    std::vector<record_writer::Bytes> records;
    for (int i = 0; i < kRecords; ++i) {
        CometRecord c{};
        if (oneName) std::snprintf(c.name, sizeof c.name, "C/2027 Z1");
        else std::snprintf(c.name, sizeof c.name, "C/%04d A%04d (LINEAR)", 1950 + i / 80, i);
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

// A program folder `name` of the benchmark's own, its comet file written and opened, the list's
// room 500 entries.
std::filesystem::path OpenComets(const char* name, bool oneName = false) {
    const std::filesystem::path home = BenchFolder(name);
    std::filesystem::create_directories(home / "data");
    WriteComets(home / "data" / "zendavori_comet.ppc", oneName);
    pl::SetProgramFolder(home.string());
    ResetSharedState();
    ValidatePreferences();
    ResetCatalogState();
    OpenRecordDb(&cometDb, "pl11", kCreatorCode, kDataFolder, "zendavori_comet.ppc");
    preferences.word[kPrefMaxSelectedItems] = kMaxItemsRow500;
    return home;
}

void CloseComets(const std::filesystem::path& home) {
    FreeSelectionList();
    ResetCatalogState();
    pl::SetProgramFolder("");
    std::filesystem::remove_all(home);
}

void BM_MatchListedComets(benchmark::State& state) {
    const std::filesystem::path home = OpenComets("listed-comets");
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
    CloseComets(home);
}

BENCHMARK(BM_MatchListedComets)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// Line i names record 2 i by the 14 characters an entry keeps and carries number 2 i + off;
// `oneName`: every line "C/2027 Z1" without a number.
std::string CometMemo(int off, bool oneName) {
    std::string text;
    char line[128];
    for (int i = 0; i < kMemoLines; ++i) {
        if (oneName) std::snprintf(line, sizeof line, "Comet;-1;C/2027 Z1;COMET; ;01:00:00;10:00:00;9.0;0;0;0\n");
        else
            std::snprintf(line, sizeof line, "Comet;%d;C/%04d A%04d (;COMET; ;01:00:00;10:00:00;9.0;0;0;0\n",
                          2 * i + off, 1950 + 2 * i / 80, 2 * i);
        text += line;
    }
    return text;
}

void BM_ImportCometMemo(benchmark::State& state) {
    const bool oneName = state.range(0) == 2;
    const std::filesystem::path home = OpenComets(oneName ? "comet-memo-one-name" : "comet-memo", oneName);
    const std::string memo = CometMemo(oneName ? 0 : static_cast<int>(state.range(0)), oneName);
    int imported = 0;
    for (auto _ : state) imported = ImportMemoText(memo.c_str());
    state.counters["lines"] = kMemoLines;
    if (imported != kEntries) state.SkipWithError("the list was not filled");
    CloseComets(home);
}

BENCHMARK(BM_ImportCometMemo)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

}  // namespace
