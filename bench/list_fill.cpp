// Speed of filling the observing list from the catalogue files that scripts/run
// makes from public catalogues (the data folder of ZENDAVORI_HOME, default
// build/release; run scripts/run once first), at 51 N on 5 March 2024 at 21:00
// with no draw window:
// - the criteria search with no catalogue, type or criterion chosen past a full
//   list of "Max Selected items" 25 and 500 (Arg): every object passes, and each
//   one beyond the full list is looked for in it, to be counted;
// - the import of a memo of 500 lines: the export of the 500 entries that
//   search finds (planets, M, C and best-of-NGC rows, object-file records).
// With ZENDAVORI_LIST_DUMP set, the lists found are written to that file, one
// entry a line (designation, number, source code, source index, name), so that
// the lists of two builds can be compared entry for entry.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>

#include "bench_folder.h"
#include "catalog/databases.h"
#include "catalog/memo.h"
#include "catalog/selection_list.h"
#include "core/preferences.h"
#include "core/shared_state.h"
#include "list_program.h"
#include "objects/selection_search.h"
#include "platform/clock.h"
#include "platform/files.h"

namespace {

namespace fs = std::filesystem;

std::string Setting(const char* variable, const char* fallback) {
    const char* value = std::getenv(variable);
    return value && *value ? value : fallback;
}

// A program folder of its own whose data folder is the real one, so that the
// memo export writes nowhere else; its databases open and an observing list
// of "Max Selected items" row `itemsRow` (0: 25, 10: 500). False when the real
// data folder holds no object file.
bool OpenRealFolder(const fs::path& home, int itemsRow) {
    const fs::path data = fs::absolute(fs::path(Setting("ZENDAVORI_HOME", "build/release")) / "data");
    if (!fs::exists(data / "zendavori_obj_18k.ppc")) return false;
    fs::remove_all(home);
    fs::create_directories(home / "userlists");
    fs::create_directory_symlink(data, home / "data");
    StartListProgram(home.string(), itemsRow);
    return true;
}

void CloseRealFolder(const fs::path& home) {
    FreeSelectionList();
    ResetCatalogState();
    pl::UseRealClock();
    pl::SetProgramFolder("");
    fs::remove_all(home);
}

// The criteria search of "Criteria New": an empty list filled from the start.
void SearchAll() {
    selectionShownCount = 0;
    PrepareSelection(0, 0, 0);
    BuildSelectionList();
}

// Appends the list's entries to the dump file under a title line, once for
// each title (the library runs a case more than once).
void DumpList(const std::string& title) {
    static std::set<std::string> dumped;
    const std::string path = Setting("ZENDAVORI_LIST_DUMP", "");
    if (path.empty() || !dumped.insert(title).second) return;
    std::ofstream out(path, std::ios::app);
    out << "# " << title << ": " << selectionCount << " entries\n";
    for (int i = 0; i < selectionCount; ++i) {
        const SelectionEntry& e = selectionList[i];
        out << e.designation << ' ' << e.number << ' ' << e.source << ' ' << e.sourceIndex << ' ' << e.name << '\n';
    }
}

void BM_CriteriaSearchPastFullList(benchmark::State& state) {
    const fs::path home = BenchFolder("list-fill");
    const int items = static_cast<int>(state.range(0));
    if (!OpenRealFolder(home, items == 25 ? 0 : 10)) {
        state.SkipWithError("no object file: run scripts/run first");
        return;
    }
    for (auto _ : state) SearchAll();
    state.counters["entries_found"] = selectionCount;
    DumpList("search " + std::to_string(items));
    CloseRealFolder(home);
}
BENCHMARK(BM_CriteriaSearchPastFullList)->Arg(25)->Arg(500)->Unit(benchmark::kMillisecond);

// The memo that Export List to Memo writes of the list.
std::string ExportedMemo(const fs::path& home) {
    ExportListToMemo();
    for (const fs::directory_entry& file : fs::directory_iterator(home / "userlists"))
        if (file.path().extension() == ".txt") {
            std::ifstream in(file.path(), std::ios::binary);
            return std::string(std::istreambuf_iterator<char>(in), {});
        }
    return "";
}

void BM_MemoImport(benchmark::State& state) {
    const fs::path home = BenchFolder("memo-import");
    if (!OpenRealFolder(home, 10)) {
        state.SkipWithError("no object file: run scripts/run first");
        return;
    }
    SearchAll();
    const std::string memo = ExportedMemo(home);
    int lines = 0;
    for (char c : memo) lines += c == '\n';
    for (auto _ : state) ImportMemoText(memo.c_str());
    state.counters["memo_lines"] = lines;
    state.counters["entries_found"] = selectionCount;
    DumpList("memo import");
    CloseRealFolder(home);
}
BENCHMARK(BM_MemoImport)->Unit(benchmark::kMillisecond);

}  // namespace
