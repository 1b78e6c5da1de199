// Speed of the Moon assistant's month views: the events behind one drawing of
// a day table (the 34 shown days and one more of a 240 x 320 screen, the Moon
// and the Sun, as the DarkHours view computes them at each drawing) and the
// phase calendar of a month.
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

void BM_MoonCalendar(benchmark::State& state) {
    ResetSharedState();
    for (auto _ : state) benchmark::DoNotOptimize(ComputeMoonCalendar(2024, 1).data());
}
BENCHMARK(BM_MoonCalendar)->Unit(benchmark::kMicrosecond);

}  // namespace
