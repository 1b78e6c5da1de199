// Speed of the twilight graph on the high-resolution screen (480 x 640 at 192
// dpi, 240 units wide: 380 days): the Sun's bands alone in each time base, and
// with a planet's dots, at a site with its DayLight box ticked.
#include <benchmark/benchmark.h>

#include "high_resolution_view.h"
#include "tools/night_chart.h"

namespace {

void DrawCharts(benchmark::State& state, int planet) {
    HighResolutionView view("zendavori_bench_twilight_graph");
    SetSiteLatitude(currentSite, 64.84);
    currentSite.longitude = 147.72f;
    currentSite.zoneMinutes = -480;
    currentSite.daylightSaving = 1;
    const int timeBase = static_cast<int>(state.range(0));
    for (auto _ : state) DrawNightChart("Jupiter", 0, 0, planet < 0 ? -1.0f : 0.0f, 0.0f, planet, 2027, 1, timeBase);
}

void BM_TwilightGraphBands(benchmark::State& state) { DrawCharts(state, -1); }
BENCHMARK(BM_TwilightGraphBands)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

void BM_TwilightGraphPlanet(benchmark::State& state) { DrawCharts(state, 5); }
BENCHMARK(BM_TwilightGraphPlanet)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
