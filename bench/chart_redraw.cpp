// Speed of the sky chart's full redraw (RedrawSkyChart) at zoom 8 on the 480 x 640 screen at
// 192 dpi (screen scale 4), latitude 51, 5 March 2026 21:10, into a 480 x 640 chart picture with
// a 480 x 640 DIB as the draw window:
// - the 1646 bright stars (random places, magnitudes -1.5 .. 6.5) and 650 figure lines;
// - zendavori_hip_110k.ppc with 110,000 stars uniform on the sphere, magnitudes 5.5 .. 10
//   ("Card Catalog" word 115 = 4, word 57 = 5: zoom 8 reads that file);
// - an object file of 1,100 objects with its index, "Obj. Drilldown" on;
// - 110 observing-list entries, the first one above the horizon at the centre.
// SkyMap, HorizonView and WholeSky redraw one view each; the first redraw of a view projects
// the list and the bright stars, the later ones (the timed ones) draw from those projections,
// as the chart does between two steps of its clock. ShiftedSkyMap draws one frame of a drag of
// that Sky Map (DrawShiftedChart) from the positions its redraw kept, each frame a few pixels
// further, as the pen moves. SkyMapAtZoom and HorizonViewAtZoom redraw the same sky at the
// widest field (step 0) and at the narrow steps 10..13, where most grid and figure lines run
// far off the picture. record_system_calls: the record layer's system calls per redraw.
#include <benchmark/benchmark.h>

#include <random>
#include <vector>

#include "catalog/constellation_lines.h"
#include "catalog/databases.h"
#include "catalog/object_catalog.h"
#include "catalog/record_db.h"
#include "catalog/record_writer.h"
#include "catalog/selection_list.h"
#include "catalog/stellar_catalog.h"
#include "chart/chart_clock.h"
#include "chart/chart_redraw.h"
#include "chart/chart_screen_lists.h"
#include "chart/chart_state.h"
#include "chart/chart_views.h"
#include "chart/chart_zoom.h"
#include "chart/horizon_passes.h"
#include "chart/horizon_projection.h"
#include "chart/shifted_chart.h"
#include "high_resolution_view.h"
#include "sky_fixture.h"

namespace {

constexpr int kCatalogueStars = 110000;
constexpr int kObjects = 1100;
constexpr int kObjectsPerRecord = kObjectIndexEntries;
constexpr int kZoom = 8;

double CatalogueMagnitude(std::mt19937& rng) { return std::uniform_real_distribution<double>(5.5, 10.0)(rng); }

// Objects of four kinds, uniform on the sphere, in index records sorted by declination.
void WriteObjects(const std::filesystem::path& data) {
    std::mt19937 rng(1100);
    std::vector<ObjectIndexEntry> entries;
    const int16_t types[] = {2, 6, 16, 25};
    for (int i = 0; i < kObjects; ++i) {
        Place p = RandomPlace(rng);
        entries.push_back(ObjectIndexEntry{static_cast<uint32_t>(i + 1), 42, static_cast<int16_t>(i),
                                           static_cast<int32_t>(p.hours * 4392264.877774095),
                                           static_cast<int32_t>(p.degrees * 292817.65851827303), types[i % 4],
                                           static_cast<int16_t>(60 + i % 60)});
    }
    std::sort(entries.begin(), entries.end(),
              [](const auto& a, const auto& b) { return a.declination < b.declination; });
    std::vector<Bytes> index;
    for (size_t i = 0; i < entries.size(); i += kObjectsPerRecord)
        index.push_back(record_writer::ObjectIndexBytes(std::vector<ObjectIndexEntry>(
            entries.begin() + static_cast<long>(i),
            entries.begin() + static_cast<long>(std::min(i + kObjectsPerRecord, entries.size())))));
    WriteFile(data / "zendavori_obj_1k_idx.ppc", record_writer::RecordDbBytes(1, 300, index));
    WriteFile(data / "zendavori_obj_1k.ppc",
              record_writer::RecordDbBytes(26, 64, std::vector<Bytes>(kObjects, record_writer::ObjectBytes({}))));
}

struct ChartRedrawBench {
    HighResolutionView view{"zendavori_bench_chart_redraw"};
    ChartRedrawBench() {
        const std::filesystem::path data = view.folder / "data";
        std::filesystem::create_directories(data);
        WriteStellarFile(data / "zendavori_hip_110k.ppc", kCatalogueStars, CatalogueMagnitude);
        WriteFigureLines(data);
        WriteObjects(data);
        SetSiteLatitude(currentSite, 51.0);
        SetHorizonRotation(0);
        const std::pair<int, int> words[] = {
            {kPrefMaxSelectedItems, 3}, {kPrefCardCatalog, 4},     {57, 5},          {kPrefStars, 0},
            {kPrefHideGrid, 0},         {kPrefConstLinesShown, 1}, {kPrefConstNames, 1}, {kPrefEcliptic, 1},
            {kPrefStarsSymbols, 1},     {kPrefObjectNames, 1},     {kPrefObjDrilldown, 1}, {kPrefConstLinesFigures, 0},
            {kPrefChartBackground, 0}};
        for (auto [word, value] : words) preferences.word[word] = value;
        OpenAllDatabases();
        FillBrightStars();
        FillList();
        selectionCurrentRow = 0;
        AllocChartScreenLists();
        ResetConstellationData();
        LoadConstellationData(0);
        chartRecord.offscreen = CreateOffscreenDib(480, 640, 16);
        SetChartDateTime(nullptr, 2026, 3, 5, 21, 10);
    }
    ~ChartRedrawBench() {
        DeleteOffscreenWindow(chartRecord.offscreen);
        chartRecord.offscreen = nullptr;
        FreeSelectionList();
        FreeChartScreenLists();
        CloseAllDatabases();
        ResetConstellationData();
    }
    // The view at a zoom step, its projections made by a first redraw.
    void Show(int view, int zoom = kZoom) {
        chartView = view;
        SetChartZoom(zoom);
        chartTimeRecord.horizonProjectionReady = 0;
        chartTimeRecord.sphereViewReady = 0;
        selectionCurrentRow = -1;
        RedrawSkyChart();
        CentreOnFirstVisibleEntry();
        RedrawSkyChart();
    }
    // The chart centred on the first entry above the horizon, as after a pick.
    static void CentreOnFirstVisibleEntry() {
        int32_t a, b;
        for (int i = 0; i < kListEntries; ++i) {
            const SelectionEntry& e = selectionList[i];
            if (!ProjectHorizonPlace(chartTimeRecord.lstHours, e.rightAscension, e.declination, e.designation, &a, &b))
                continue;
            selectionCurrentRow = i;
            return;
        }
    }
};

ChartRedrawBench& Bench() {
    static ChartRedrawBench bench;
    return bench;
}

void Redraw(benchmark::State& state, int view, bool zenith = false, int zoom = kZoom) {
    Bench().Show(view, zoom);
    if (zenith) {
        selectionCurrentRow = -1;
        chartSelection = ObjectRecord{};
        RedrawSkyChart();
    }
    const uint64_t calls = RecordDbSystemCalls();
    for (auto _ : state) {
        RedrawSkyChart();
        benchmark::ClobberMemory();
    }
    state.counters["record_system_calls"] =
        static_cast<double>(RecordDbSystemCalls() - calls) / static_cast<double>(state.iterations());
    int kept = 0;
    while (kept < kChartStarListCapacity && chartScreenLists.stars[kept].id != kStarListEnd) ++kept;
    state.counters["catalogue_stars_kept"] = kept;
    state.counters["catalogue_stars_open"] = GetHipparcosStarCount();
}

void SkyMap(benchmark::State& state) { Redraw(state, 0); }
void HorizonView(benchmark::State& state) { Redraw(state, 1); }
void WholeSky(benchmark::State& state) { Redraw(state, 2); }
// Nothing selected: the Horizon View about the zenith.
void HorizonViewZenith(benchmark::State& state) { Redraw(state, 1, true); }
void SkyMapAtZoom(benchmark::State& state) { Redraw(state, 0, false, static_cast<int>(state.range(0))); }
void HorizonViewAtZoom(benchmark::State& state) { Redraw(state, 1, false, static_cast<int>(state.range(0))); }
// A drag's frame of the Sky Map at zoom 8.
void ShiftedSkyMap(benchmark::State& state) {
    Bench().Show(0);
    int step = 0;
    for (auto _ : state) {
        step = (step + 1) % 40;
        ShiftChart(3 * step, -2 * step, false);
        benchmark::ClobberMemory();
    }
    int kept = 0;
    while (kept < kChartStarListCapacity && chartScreenLists.stars[kept].id != kStarListEnd) ++kept;
    state.counters["catalogue_stars_kept"] = kept;
}
BENCHMARK(SkyMap)->Unit(benchmark::kMillisecond);
BENCHMARK(ShiftedSkyMap)->Unit(benchmark::kMillisecond);
BENCHMARK(HorizonView)->Unit(benchmark::kMillisecond);
BENCHMARK(WholeSky)->Unit(benchmark::kMillisecond);
BENCHMARK(HorizonViewZenith)->Unit(benchmark::kMillisecond);
BENCHMARK(SkyMapAtZoom)->Arg(0)->DenseRange(10, 13)->Unit(benchmark::kMillisecond);
BENCHMARK(HorizonViewAtZoom)->Arg(0)->DenseRange(10, 13)->Unit(benchmark::kMillisecond);

}  // namespace
