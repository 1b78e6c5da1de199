// Speed of the sphere renderer drawing one frame into a 480 x 640 surface at 192 dpi (screen
// scale 4), Whole Sky facing south 40 degrees up at latitude 51:
// - ChartFrame: the chart's own picture (full 1) at zoom 5 with the 1646 bright stars (random
//   places, magnitudes -1.5 .. 6.5), 650 figure lines, 110 list entries, the grid, ecliptic and
//   constellation names and the stars of a 110,000-star stellar file ("Card Catalog" word 115 = 4,
//   words 54 = 4 and 57 = 5: stars to 7.5 at zoom 5). Zoom 5 reads the file of level 5, so the
//   110,000 stars are written under that name.
//   Each frame is a batch of record reads, as in the chart's redraw; record_system_calls counts
//   the record layer's system calls per frame.
// - FormPicture: a form's simple picture (full 0) at zoom 3 of the same sky, 480 x 480.
// Stars are uniform on the sphere (fixed seeds); catalogue magnitudes follow N(< m) ~ 10^(0.45 m),
// about 14,000 stars to 7.5.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <random>
#include <vector>

#include "catalog/constellation_lines.h"
#include "catalog/databases.h"
#include "catalog/record_db.h"
#include "catalog/record_writer.h"
#include "catalog/selection_list.h"
#include "catalog/stars.h"
#include "catalog/stellar_catalog.h"
#include "chart/chart_screen_lists.h"
#include "chart/chart_views.h"
#include "chart/sky_map.h"
#include "chart/sky_rotation.h"
#include "high_resolution_view.h"
#include "sky_fixture.h"

namespace {

constexpr int kCatalogueStars = 110000;

// N(< m) ~ 10^(0.45 m), about 14,000 stars to 7.5.
double CatalogueMagnitude(std::mt19937& rng) {
    std::uniform_real_distribution<double> uniform(1e-9, 1.0);
    return std::clamp(9.5 + std::log10(uniform(rng)) / 0.45, 0.0, 15.0);
}

struct SkyMapBench {
    HighResolutionView view{"zendavori_bench_sky_map"};
    DrawWindowRecord* surface = CreateOffscreenDib(480, 640, 16);
    SkyMapBench() {
        std::filesystem::create_directories(view.folder / "data");
        WriteStellarFile(view.folder / "data" / stellarCatalogFiles[1], kCatalogueStars, CatalogueMagnitude);
        WriteFigureLines(view.folder / "data");
        SetSiteLatitude(currentSite, 51.0);
        const std::pair<int, int> words[] = {
            {kPrefMaxSelectedItems, 3}, {kPrefCardCatalog, 4}, {kPrefStarLimitFirst, 4}, {57, 5},
            {kPrefStars, 0},           {kPrefHideGrid, 0},    {kPrefConstLinesShown, 1}, {kPrefConstNames, 1},
            {kPrefEcliptic, 1},        {kPrefStarsSymbols, 1}, {kPrefObjectNames, 1},    {kPrefConstLinesFigures, 0}};
        for (auto [word, value] : words) preferences.word[word] = value;
        FillBrightStars();
        FillList();
        AllocChartScreenLists();
        ResetConstellationData();
        chartView = 2;
        SetChartView(1, 2026, 3, 5, 21, 10, 0, 1);
        ProjectObjectList(selectionList, kListEntries);
    }
    ~SkyMapBench() {
        DeleteOffscreenWindow(surface);
        FreeSelectionList();
        FreeChartScreenLists();
        CloseAllDatabases();
        ResetConstellationData();
    }
};

SkyMapBench& Bench() {
    static SkyMapBench bench;
    return bench;
}

void ChartFrame(benchmark::State& state) {
    SkyMapBench& b = Bench();
    int drawn = 0;
    const uint64_t calls = RecordDbSystemCalls();
    for (auto _ : state) {
        StartRecordBatch();
        DrawSkyMap(selectionList, kListEntries, XywhRect{0, 0, 480, 640}, b.surface, 5, 180.0f, 40.0f, 1);
        benchmark::ClobberMemory();
    }
    state.counters["record_system_calls"] =
        static_cast<double>(RecordDbSystemCalls() - calls) / static_cast<double>(state.iterations());
    for (int i = 0; i < kBrightStarCount; ++i) drawn += brightStarTable[i].hidden == 0;
    state.counters["bright_stars_drawn"] = drawn;
    int kept = 0;
    while (kept < kChartStarListCapacity && chartScreenLists.stars[kept].id != kStarListEnd) ++kept;
    state.counters["catalogue_stars_kept"] = kept;
    state.counters["catalogue_stars_open"] = GetHipparcosStarCount();
}
BENCHMARK(ChartFrame)->Unit(benchmark::kMillisecond);

void FormPicture(benchmark::State& state) {
    SkyMapBench& b = Bench();
    for (auto _ : state) {
        DrawSkyMap(selectionList, kListEntries, XywhRect{0, 0, 480, 480}, b.surface, 3, 180.0f, 40.0f, 0);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(FormPicture)->Unit(benchmark::kMillisecond);

}  // namespace
