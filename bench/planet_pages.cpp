// Speed of the planets assistant's computations: the event search over the
// longest period ("1 year", 370 days of approximate planets, 26 lunations and
// the refinement of the candidates) and the values behind one year chart (the
// 383 days of the Elongation curves as a 240-pixel chart samples them: every
// other pixel of 0.58 pixel a day, 110 days).
#include <benchmark/benchmark.h>

#include "assistants/planet_charts.h"
#include "assistants/planet_events.h"
#include "core/preferences.h"
#include "core/shared_state.h"

namespace {

void BM_PlanetEventSearchYear(benchmark::State& state) {
    ResetSharedState();
    ValidatePreferences();
    SetSiteLatitude(currentSite, 51.0);
    for (auto _ : state) {
        FreeEventList();
        RunPlanetEventSearch(2024, 3, 1, EventPeriodDays(3));
        benchmark::DoNotOptimize(plannerEventCount);
    }
    FreeEventList();
}
BENCHMARK(BM_PlanetEventSearchYear)->Unit(benchmark::kMillisecond);

void BM_YearChartValues(benchmark::State& state) {
    ResetSharedState();
    ValidatePreferences();
    SetSiteLatitude(currentSite, 51.0);
    for (auto _ : state) {
        double values[kChartPlanets];
        for (int d = 0; d < kChartDays; d += 3 + (d % 7 == 0)) {
            ComputeChartValues(0, 2024, 3, d, 0, 0, values);
            benchmark::DoNotOptimize(values[0]);
        }
    }
}
BENCHMARK(BM_YearChartValues)->Unit(benchmark::kMicrosecond);

}  // namespace
