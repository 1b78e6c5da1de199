// Speed of the Moon assistant's month views: the events behind one drawing of
// a day table (the 34 shown days and one more of a 240 x 320 screen, the Moon
// and the Sun, as the DarkHours view computes them at each drawing), the
// whole DarkHours and Visibility tables with their rows, and the phase
// calendar of a month.
#include <benchmark/benchmark.h>

#include "assistants/moon_assistant.h"
#include "core/shared_state.h"

namespace {

void BM_DarkHoursTableEvents(benchmark::State& state) {
    ResetSharedState();
    SetSiteLatitude(currentSite, 45.0);
    for (auto _ : state) {
        MoonDayEvents e = ComputeMoonDayEvents(kMoonTableDarkHours, 2024, 9, 1, 34);
        benchmark::DoNotOptimize(e.moon.data());
    }
}
BENCHMARK(BM_DarkHoursTableEvents)->Unit(benchmark::kMillisecond);

// A whole night table of a 240 x 320 screen at Fairbanks in autumn, its 34
// rows' time frames with the events behind them.
void NightTable(benchmark::State& state, int mode) {
    ResetSharedState();
    SetSiteLatitude(currentSite, 64.8333);
    currentSite.longitude = 147.7167f;
    currentSite.zoneMinutes = -540;
    for (auto _ : state) {
        const MoonDayEvents e = ComputeMoonDayEvents(mode, 2027, 9, 1, 34);
        for (int i = 0; i < 34; ++i) benchmark::DoNotOptimize(MoonDayWindow(mode, e, i));
    }
}

void BM_DarkHoursTable(benchmark::State& state) { NightTable(state, kMoonTableDarkHours); }
BENCHMARK(BM_DarkHoursTable)->Unit(benchmark::kMillisecond);

void BM_VisibilityTable(benchmark::State& state) { NightTable(state, kMoonTableVisibility); }
BENCHMARK(BM_VisibilityTable)->Unit(benchmark::kMillisecond);

void BM_MoonCalendar(benchmark::State& state) {
    ResetSharedState();
    for (auto _ : state) benchmark::DoNotOptimize(ComputeMoonCalendar(2024, 1).data());
}
BENCHMARK(BM_MoonCalendar)->Unit(benchmark::kMicrosecond);

}  // namespace
