// Speed of the day and night map on the high-resolution screen (480 x 640 at
// 192 dpi, a 480 x 240 map) into a 16-bit DIB: the fine drawing (2-degree
// steps, pixels) and the coarse one drawn while the stylus drags or a key
// repeats (4-degree steps, lines), each for a time moved 5 minutes a drawing;
// and the panel's day length and twilight times, at the default site and day
// by day through a year at 71 S 10 E (midnight sun, polar night and short
// nights wholly before midnight).
#include <benchmark/benchmark.h>

#include "core/julian_day.h"
#include "high_resolution_view.h"
#include "tools/day_night.h"
#include "tools/day_night_map.h"

namespace {

void DrawMaps(benchmark::State& state, int moving) {
    HighResolutionView view("zendavori_bench_day_night");
    ResetDayNightState();
    dayNightState.moving = moving;
    DateTime t{2006, 6, 21, 12, 0, 0};
    for (auto _ : state) {
        AddMinutesToDateTime(&t.year, &t.month, &t.day, &t.hour, &t.minute, 5);
        DrawDayNightMap(0, 48, t.year, t.month, t.day, t.hour, t.minute, t.second);
    }
    ResetDayNightState();
}

void BM_DayNightMapFine(benchmark::State& state) { DrawMaps(state, 0); }
BENCHMARK(BM_DayNightMapFine)->Unit(benchmark::kMillisecond);

void BM_DayNightMapCoarse(benchmark::State& state) { DrawMaps(state, 1); }
BENCHMARK(BM_DayNightMapCoarse)->Unit(benchmark::kMillisecond);

void BM_DayNightPanel(benchmark::State& state) {
    HighResolutionView view("zendavori_bench_day_night_panel");
    DateTime t{2006, 6, 21, 12, 0, 0};
    for (auto _ : state) {
        AddDaysToDate(&t.year, &t.month, &t.day, 1);
        benchmark::DoNotOptimize(ComputeDayNightPanel(t));
    }
}
BENCHMARK(BM_DayNightPanel)->Unit(benchmark::kMicrosecond);

void BM_DayNightPanelHighLatitude(benchmark::State& state) {
    HighResolutionView view("zendavori_bench_day_night_panel_high");
    SetSiteLatitude(currentSite, -71.0);
    currentSite.longitude = -10.0f;
    DateTime t{2027, 1, 1, 12, 0, 0};
    for (auto _ : state) {
        AddDaysToDate(&t.year, &t.month, &t.day, 1);
        benchmark::DoNotOptimize(ComputeDayNightPanel(t));
    }
}
BENCHMARK(BM_DayNightPanelHighLatitude)->Unit(benchmark::kMicrosecond);

}  // namespace
