// The orbit assistant's Best Dates and Brightest lists rebuilt over the whole
// comet file as the catalogue converter makes it (the Minor Planet Center's
// comets and the JPL minor planets of kstars-data), for the form at
// 01/06/2024, 05/03/2026 and 15/12/2026 at 21:00 (Best Dates; Brightest at
// the last): the time of one rebuild, without the busy indicator's drawing.
// Counter: the rows listed.
//
// Needs the source cache (ZENDAVORI_SOURCE_CACHE, default
// build/catalogue-sources) with kstars-data: run scripts/catalogues once first.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "bench_folder.h"
#include "catalog/databases.h"
#include "catalog/record_writer.h"
#include "convert/small_files.h"
#include "convert/source_files.h"
#include "core/julian_day.h"
#include "core/shared_state.h"
#include "orbits/comet_lists.h"
#include "platform/files.h"

namespace {

// Opens the converted comet file as the program's comet database; false when
// the source cache lacks kstars-data.
bool OpenConvertedComets() {
    const char* variable = std::getenv("ZENDAVORI_SOURCE_CACHE");
    const std::string kstars = std::string(variable && *variable ? variable : "build/catalogue-sources") +
                               "/kstars-data/usr/share/kstars/";
    if (!std::filesystem::exists(kstars + "asteroids.dat")) return false;
    std::ifstream jpl(kstars + "asteroids.dat", std::ios::binary);
    const std::string minorPlanets{std::istreambuf_iterator<char>(jpl), std::istreambuf_iterator<char>()};
    const record_writer::Bytes bytes = record_writer::RecordDbBytes(
        1, 128, convert::BuildCometFile(convert::ReadGzipFile(kstars + "cometels.json.gz"), minorPlanets, "bench"));
    const std::filesystem::path home = BenchFolder("brightness-lists");
    std::filesystem::create_directories(home / "data");
    std::ofstream(home / "data" / "zendavori_comet.ppc", std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    pl::SetProgramFolder(home.string());
    ResetSharedState();
    ResetCatalogState();
    return OpenRecordDb(&cometDb, "pl11", kCreatorCode, kDataFolder, "zendavori_comet.ppc");
}

// The form's date of argument 0 (2024-06-01), 1 (2026-03-05) or 2
// (2026-12-15), at 21:00 read as UT.
double FormDate(int which) {
    constexpr int kDates[][3] = {{2024, 6, 1}, {2026, 3, 5}, {2026, 12, 15}};
    return JulianDayFromDateTime(kDates[which][0], kDates[which][1], kDates[which][2], 21, 0, 0, 0);
}

template <class Rebuild>
void RebuildList(benchmark::State& state, double now, Rebuild rebuild) {
    if (!OpenConvertedComets()) {
        state.SkipWithError("no kstars-data in the source cache: run scripts/catalogues first");
        return;
    }
    int rows = 0;
    for (auto _ : state) rows = rebuild(now);
    state.counters["rows"] = rows;
    FreeCometMagList();
    ResetCatalogState();
}

void BM_BestDatesRebuild(benchmark::State& state) {
    RebuildList(state, FormDate(static_cast<int>(state.range(0))), CollectBestDates);
}
BENCHMARK(BM_BestDatesRebuild)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

void BM_BrightestRebuild(benchmark::State& state) {
    RebuildList(state, FormDate(2), [](double now) { return CollectBrightest(now, 2026, 12, 15, 21, 0); });
}
BENCHMARK(BM_BrightestRebuild)->Unit(benchmark::kMillisecond);

}  // namespace
