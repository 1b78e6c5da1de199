// Speed of the sky chart's full redraw (RedrawSkyChart) at zoom 8 on the 480 x 640 screen at
// 192 dpi (screen scale 4), latitude 51, 5 March 2026 21:10, into a 480 x 640 chart picture with
// a 480 x 640 DIB as the draw window:
// - the 1646 bright stars (random places, magnitudes -1.5 .. 6.5) and 650 figure lines;
// - zendavori_hip_110k.ppc with 110,000 stars uniform on the sphere, magnitudes 5.5 .. 10
//   ("Card Catalog" word 115 = 4, word 57 = 5: zoom 8 reads that file);
// - an object file of 1,100 objects with its index, "Obj. Drilldown" on;
// - 110 observing-list entries, the first one above the horizon at the centre, the last ten the
//   Sun, the Moon and the planets.
// SkyMap, HorizonView and WholeSky redraw one view each; the first redraw of a view projects
// the list and the bright stars, the later ones (the timed ones) draw from those projections,
// as the chart does between two steps of its clock. ShiftedSkyMap draws one frame of a drag of
// that Sky Map (DrawShiftedChart) from the positions its redraw kept, each frame a few pixels
// further, as the pen moves. SkyMapAtZoom and HorizonViewAtZoom redraw the same sky at the
// widest field (step 0) and at the narrow steps 10..13, where most grid and figure lines run
// far off the picture; ViewAtZoom redraws each of the five views at every zoom step, for the
// rule that no step may be slower than three times the widest. record_system_calls: the record
// layer's system calls per redraw.
// RefreshMovingEntries: the list's planets and comets moved on one minute (as the chart clock
// moves them), in a list of 500 entries: the ten bodies, 20 comets of a comet file and 470
// Messier objects.
#include <benchmark/benchmark.h>

#include <random>
#include <vector>

#include "catalog/constellation_lines.h"
#include "catalog/comet_satellite_db.h"
#include "catalog/databases.h"
#include "catalog/listed_places.h"
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
#include "orbits/comet_place.h"
#include "sky_fixture.h"

namespace {

constexpr int kCatalogueStars = 110000;
constexpr int kObjects = 1100;
constexpr int kObjectsPerRecord = kObjectIndexEntries;
constexpr int kZoom = 8;
constexpr int kBodies = 10, kComets = 20, kRefreshedEntries = 500;
constexpr int kMaxItemsRow500 = 10, kMaxItemsRow150 = 3;

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

// Comets on elliptic orbits of varied shapes and orientations, perihelion in 2026.
void WriteComets(const std::filesystem::path& data) {
    std::vector<Bytes> records;
    for (int i = 0; i < kComets; ++i) {
        CometRecord c{};
        std::snprintf(c.name, sizeof c.name, "C/2026 A%d", i + 1);
        c.kind = 13;
        c.year = 2026;
        c.month = static_cast<int16_t>(1 + i % 12);
        c.day = 1.5f + static_cast<float>(i);
        c.perihelionDistance = 0.4f + 0.15f * static_cast<float>(i);
        c.eccentricity = 0.5f + 0.02f * static_cast<float>(i);
        c.argPerihelion = 17.0f * static_cast<float>(i);
        c.node = 23.0f * static_cast<float>(i);
        c.inclination = 8.0f * static_cast<float>(i);
        c.absoluteMagnitude = 8.0f;
        c.slope = 10.0f;
        records.push_back(record_writer::CometBytes(c));
    }
    WriteFile(data / "zendavori_comet.ppc", record_writer::RecordDbBytes(1, 128, records));
}

// The entry becomes body `body`, as a search makes it (its place follows the chart's time).
void MakeBodyEntry(SelectionEntry& e, int body) {
    e.designation = 45;
    e.source = 1;
    e.objectType = 27;
    e.number = body;
    e.sourceIndex = static_cast<uint16_t>(body);
}

struct ChartRedrawBench {
    HighResolutionView view{"zendavori_bench_chart_redraw"};
    ChartRedrawBench() {
        const std::filesystem::path data = view.folder / "data";
        std::filesystem::create_directories(data);
        WriteStellarFile(data / "zendavori_hip_110k.ppc", kCatalogueStars, CatalogueMagnitude);
        WriteFigureLines(data);
        WriteObjects(data);
        WriteComets(data);
        InstallCometPlace();  // the list's comets are placed through the orbits' hook, as at start-up
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
        FillChartList();
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
    // The 110 entries of the chart, the last ten the bodies.
    static void FillChartList() {
        preferences.word[kPrefMaxSelectedItems] = kMaxItemsRow150;
        FillList();
        for (int body = 0; body < kBodies; ++body) MakeBodyEntry(selectionList[kListEntries - kBodies + body], body);
        selectionCurrentRow = 0;
    }
    // 500 entries: the ten bodies, the comets of the file, Messier objects.
    static void FillRefreshedList() {
        preferences.word[kPrefMaxSelectedItems] = kMaxItemsRow500;
        AllocSelectionList();
        for (int i = 0; i < kRefreshedEntries; ++i) {
            SelectionEntry& e = selectionList[i];
            e = SelectionEntry{};
            std::snprintf(e.name, sizeof e.name, "E%d", i);
            e.designation = 40;
            e.objectType = 16;
            e.number = i + 1;
            e.rightAscension = static_cast<float>(i % 24);
            e.declination = static_cast<float>(i % 90);
        }
        for (int body = 0; body < kBodies; ++body) MakeBodyEntry(selectionList[body], body);
        for (int k = 0; k < kComets; ++k) {
            SelectionEntry& e = selectionList[kBodies + k * 20];
            e.designation = 12;
            e.source = 12;
            e.objectType = 25;
            e.number = k;
            e.sourceIndex = static_cast<uint16_t>(k);
        }
        selectionCount = kRefreshedEntries;
        selectionShownCount = FilterSelectionByClass(0, selectionList, selectionCount);
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
            selectionCurrentRow = FindSelectionIndex(i);
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
// View range(0) at zoom step range(1).
void ViewAtZoom(benchmark::State& state) {
    Redraw(state, static_cast<int>(state.range(0)), false, static_cast<int>(state.range(1)));
}
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
// The list's moving entries moved on one minute per iteration.
void RefreshMovingEntries(benchmark::State& state) {
    Bench();
    ChartRedrawBench::FillRefreshedList();
    int minute = 0;
    for (auto _ : state) {
        minute = (minute + 1) % 600;
        RefreshMovingSelectionEntries(2026, 3, 5, 18 + minute / 60, minute % 60, 0);
        benchmark::ClobberMemory();
    }
    int placed = 0;
    for (int i = 0; i < kRefreshedEntries; ++i) {
        const SelectionEntry& e = selectionList[i];
        placed += (e.designation == 45 || e.designation == 12) && e.placeUnknown == 0 && e.distance > 0.0f;
    }
    state.counters["moving_entries_placed"] = placed;
    ChartRedrawBench::FillChartList();
}
BENCHMARK(ViewAtZoom)->ArgsProduct({benchmark::CreateDenseRange(0, 4, 1), benchmark::CreateDenseRange(0, 13, 1)})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(RefreshMovingEntries)->Unit(benchmark::kMicrosecond);

}  // namespace
