// Speed of the Events view's search: the moon events of a local day for
// Jupiter and for Saturn, as the view runs it for a new date, over the first
// week of March 2027 at Tokyo (+9 h), one search a day.
#include <benchmark/benchmark.h>

#include "assistants/moon_events.h"
#include "assistants/planet_detail_mode.h"
#include "core/preferences.h"
#include "core/shared_state.h"

namespace {

void SearchWeek(benchmark::State& state, int mode) {
    ResetSharedState();
    ValidatePreferences();
    SetSiteLatitude(currentSite, 35.68);
    currentSite.longitude = -139.69f;
    currentSite.zoneMinutes = 540;
    planetDetailMode = mode;
    for (auto _ : state)
        for (int day = 1; day <= 7; ++day) {
            RunMoonEventSearch(mode, PlanetDetailDate{2027, 3, day, 12, 0});
            benchmark::DoNotOptimize(planetMoonState);
        }
}

void BM_JupiterEventsWeek(benchmark::State& state) { SearchWeek(state, kJupiterMode); }
BENCHMARK(BM_JupiterEventsWeek)->Unit(benchmark::kMillisecond);

void BM_SaturnEventsWeek(benchmark::State& state) { SearchWeek(state, kSaturnMode); }
BENCHMARK(BM_SaturnEventsWeek)->Unit(benchmark::kMillisecond);

}  // namespace
