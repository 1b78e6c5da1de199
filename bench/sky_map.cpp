// Speed of the sphere renderer drawing one frame into a 480 x 640 surface at 192 dpi (screen
// scale 4), Whole Sky facing south 40 degrees up at latitude 51:
// - ChartFrame: the chart's own picture (full 1) at zoom 5 with the 1646 bright stars (random
//   places, magnitudes -1.5 .. 6.5), 650 figure lines, 110 list entries, the grid, ecliptic and
//   constellation names and the stars of a 110,000-star stellar file ("Card Catalog" word 115 = 4,
//   words 54 = 4 and 57 = 5: stars to 7.5 at zoom 5). Zoom 5 reads the file of level 5, so the
//   110,000 stars are written under that name.
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
#include "catalog/record_writer.h"
#include "catalog/selection_list.h"
#include "catalog/stars.h"
#include "catalog/stellar_catalog.h"
#include "chart/chart_screen_lists.h"
#include "chart/chart_views.h"
#include "chart/sky_map.h"
#include "chart/sky_rotation.h"
#include "high_resolution_view.h"

namespace {

constexpr int kCatalogueStars = 110000;
constexpr int kStarsPerRecord = 42;
constexpr int kFigureLines = 650;
constexpr int kListEntries = 110;

using Bytes = record_writer::Bytes;

struct Place {
    double hours, degrees;
};

Place RandomPlace(std::mt19937& rng) {
    std::uniform_real_distribution<double> uniform(0.0, 1.0);
    return {24 * uniform(rng), std::asin(2 * uniform(rng) - 1) * 180 / M_PI};
}

// Degrees, minutes, seconds of a value, each carrying its sign.
void Sexagesimal(double v, int8_t out[3]) {
    double a = std::fabs(v);
    int whole = static_cast<int>(a), minutes = static_cast<int>((a - whole) * 60);
    int seconds = static_cast<int>(((a - whole) * 60 - minutes) * 60);
    int sign = v < 0 ? -1 : 1;
    out[0] = static_cast<int8_t>(sign * whole);
    out[1] = static_cast<int8_t>(sign * minutes);
    out[2] = static_cast<int8_t>(sign * seconds);
}

void WriteFile(const std::filesystem::path& path, const Bytes& bytes) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return;
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
}

void WriteStellarFile(const std::filesystem::path& data) {
    std::mt19937 rng(110000);
    std::uniform_real_distribution<double> uniform(1e-9, 1.0);
    std::vector<std::pair<double, record_writer::PackedStarFile>> stars;
    for (int i = 0; i < kCatalogueStars; ++i) {
        Place p = RandomPlace(rng);
        double magnitude = std::clamp(9.5 + std::log10(uniform(rng)) / 0.45, 0.0, 15.0);
        record_writer::PackedStarFile s;
        s.id = static_cast<uint32_t>(i + 1);
        Sexagesimal(p.hours, s.ra);
        Sexagesimal(p.degrees, s.dec);
        s.magnitude16 = static_cast<uint8_t>(magnitude * 16);
        s.colour = static_cast<int8_t>(i % 15 - 3);
        stars.emplace_back(p.degrees, s);
    }
    std::sort(stars.begin(), stars.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<Bytes> records;
    for (size_t i = 0; i < stars.size(); i += kStarsPerRecord) {
        std::vector<record_writer::PackedStarFile> chunk;
        for (size_t k = i; k < std::min(i + kStarsPerRecord, stars.size()); ++k) chunk.push_back(stars[k].second);
        records.push_back(record_writer::StellarRecordBytes(chunk, kStarsPerRecord));
    }
    WriteFile(data / stellarCatalogFiles[1], record_writer::RecordDbBytes(1, kStarsPerRecord * 12, records));
}

void WriteFigureLines(const std::filesystem::path& data) {
    std::mt19937 rng(650);
    std::uniform_int_distribution<int> star(0, kBrightStarCount - 1);
    std::vector<Bytes> lines;
    for (int i = 0; i < kFigureLines; ++i) {
        int16_t a = static_cast<int16_t>(star(rng));
        int16_t b = static_cast<int16_t>(std::min(a + 1 + i % 3, kBrightStarCount - 1));
        lines.push_back(record_writer::ConstellationLineBytes(0, static_cast<int16_t>(i / 8), a, b));
    }
    WriteFile(data / "zendavori_constellation.ppc", record_writer::RecordDbBytes(1, 8, lines));
}

void FillBrightStars() {
    ResetStarCatalog();
    LoadStarCatalog(0);  // no default-star file: the table below is the sky
    std::mt19937 rng(1646);
    std::uniform_real_distribution<double> uniform(0.0, 1.0);
    for (int i = 0; i < kBrightStarCount; ++i) {
        StarRecord& s = brightStarTable[i];
        Place p = RandomPlace(rng);
        s = StarRecord{};
        s.hr = static_cast<int16_t>(i + 1);
        s.rightAscension = static_cast<int32_t>(p.hours * 4392264.877774095);
        s.declination = static_cast<int32_t>(p.degrees * 292817.65851827303);
        s.magnitude16 = static_cast<int16_t>((-1.5 + 8 * std::sqrt(uniform(rng))) * 16);
        s.colour = static_cast<int16_t>(i % 17 - 3);
        s.bayer = static_cast<int8_t>(i % 3 == 0 ? 'a' + i % 24 : 0);
        s.flamsteed = static_cast<uint8_t>(i % 2 ? i % 90 : 0);
        s.hidden = 1;
    }
}

void FillList() {
    AllocSelectionList();
    std::mt19937 rng(110);
    const int types[] = {2, 6, 16, 25, 16, 6, 31, 19};
    for (int i = 0; i < kListEntries; ++i) {
        SelectionEntry& e = selectionList[i];
        Place p = RandomPlace(rng);
        std::snprintf(e.name, sizeof e.name, "M%d", i + 1);
        e.number = i + 1;
        e.sourceIndex = static_cast<uint16_t>(i);
        e.designation = 40;
        e.objectType = static_cast<int16_t>(types[i % 8]);
        e.rightAscension = static_cast<float>(p.hours);
        e.declination = static_cast<float>(p.degrees);
        e.size1 = static_cast<int16_t>(5 + i % 60);
        e.size2 = static_cast<int16_t>(3 + i % 20);
        e.source = 2;
        e.smallCode = static_cast<uint8_t>(i * 7 % 180);
        e.mag10 = 40 + i % 60;
    }
    selectionCount = kListEntries;
    selectionShownCount = FilterSelectionByClass(0, selectionList, kListEntries);
}

struct SkyMapBench {
    HighResolutionView view{"zendavori_bench_sky_map"};
    DrawWindowRecord* surface = CreateOffscreenDib(480, 640, 16);
    SkyMapBench() {
        std::filesystem::create_directories(view.folder / "data");
        WriteStellarFile(view.folder / "data");
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
    for (auto _ : state) {
        DrawSkyMap(selectionList, kListEntries, XywhRect{0, 0, 480, 640}, b.surface, 5, 180.0f, 40.0f, 1);
        benchmark::ClobberMemory();
    }
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
