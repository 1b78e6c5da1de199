// The catalogue files made from the public catalogues: how long the converter
// takes over the whole source cache, and how long the program takes from its
// start to the home form (which opens every database) with all files installed,
// with the resident memory at that point.
//
// Needs the source cache (ZENDAVORI_SOURCE_CACHE, default build/catalogue-sources)
// and a program folder with the made files (ZENDAVORI_HOME, default build/release):
// run scripts/run once first.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include "bench_folder.h"
#include "app/application_quit.h"
#include "app/main_window.h"
#include "catalog/databases.h"
#include "convert/convert.h"
#include "core/shared_state.h"
#include "platform/files.h"
#include "platform/harness.h"
#include "platform/message_box.h"
#include "platform/shell.h"
#include "platform/window.h"
#include "ui/forms.h"

namespace {

std::string Setting(const char* variable, const char* fallback) {
    const char* value = std::getenv(variable);
    return value && *value ? value : fallback;
}

// Resident and peak resident memory of this process in MB, from the kernel's
// accounting of it.
double MemoryMb(const char* field) {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind(field, 0) == 0) return std::atof(line.c_str() + std::strlen(field)) / 1024.0;
    return 0;
}

void BM_ConvertCatalogues(benchmark::State& state) {
    std::string sources = Setting("ZENDAVORI_SOURCE_CACHE", "build/catalogue-sources");
    if (!std::filesystem::exists(sources + "/stellarium-data/VERSION")) {
        state.SkipWithError("no source cache: run scripts/catalogues first");
        return;
    }
    const std::filesystem::path data = BenchFolder("data");
    for (auto _ : state) convert::ConvertCatalogues(sources, data.string(), {});
    std::filesystem::remove_all(data);
}
BENCHMARK(BM_ConvertCatalogues)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_StartToHomeForm(benchmark::State& state) {
    std::string home = std::filesystem::absolute(Setting("ZENDAVORI_HOME", "build/release")).string();
    if (!std::filesystem::exists(home + "/data/zendavori_obj_18k.ppc")) {
        state.SkipWithError("no catalogue files: run scripts/run first");
        return;
    }
    pl::SetProgramFolder(home);
    int boxes = 0;
    for (auto _ : state) {
        pl::ResetShell();
        ResetSharedState();
        ResetCatalogState();
        pl::Harness harness;
        harness.start([] { return WinMain(nullptr, nullptr, "", pl::SW_SHOW); });
        state.PauseTiming();
        boxes += static_cast<int>(pl::OpenMessageBoxes().size());
        state.counters["resident_MB"] = MemoryMb("VmRSS:");
        state.counters["peak_resident_MB"] = MemoryMb("VmHWM:");
        state.counters["databases_open"] = databasesOpen && objectDb && defaultStarDb && moonDb;
        harness.runOnUi([] { QuitApplication(); });
        harness.stop();
        state.ResumeTiming();
    }
    state.counters["message_boxes"] = boxes;
}
BENCHMARK(BM_StartToHomeForm)->Unit(benchmark::kMillisecond)->Iterations(10);

}  // namespace
