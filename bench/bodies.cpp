// Speed of the calls the screens make most: ComputeBody for every body (a new minute each
// time, as the chart's animation asks), the Sun's and the Moon's rising and setting, the
// fixed-place rise and set of a list of objects, and the limiting magnitude.
#include <benchmark/benchmark.h>

#include "core/preferences.h"
#include "core/rise_set.h"
#include "core/shared_state.h"
#include "core/sky_brightness.h"
#include "ephemeris/body_positions.h"
#include "ephemeris/sun_moon_rise_set.h"

namespace {

void Start() {
    ResetSharedState();
    ValidatePreferences();
}

void BM_ComputeBody(benchmark::State& state) {
    Start();
    const int body = static_cast<int>(state.range(0));
    BodyPosition p{};
    int minute = 0;
    for (auto _ : state) {
        ComputeBody(&p, body, 2024, 6, 1, 21, minute, 0);
        minute = (minute + 1) % 60;
        benchmark::DoNotOptimize(p.ra);
    }
}
BENCHMARK(BM_ComputeBody)->Arg(0)->Arg(1)->Arg(3)->Arg(6)->Arg(9)->Arg(13);

// The ten bodies (the Sun, the Moon, the eight planets but the Earth, Pluto) for an observer
// at 51 N 0 E in the topocentric mode, a new minute for each set: the work of one chart frame
// and the set bench/bodies_yardstick.sh times with libastro.
void BM_ComputeTenBodiesTopocentric(benchmark::State& state) {
    Start();
    preferences.word[kPrefPositionMode] = 2;
    BodyPosition p{};
    int minute = 0;
    for (auto _ : state) {
        for (int body = 0; body <= 9; ++body) {
            ComputeBody(&p, body, 2024, 6, 1, 21, minute, 0);
            benchmark::DoNotOptimize(p.ra);
        }
        minute = (minute + 1) % 60;
    }
}
BENCHMARK(BM_ComputeTenBodiesTopocentric);

void BM_SunAndMoonRiseSet(benchmark::State& state) {
    Start();
    double rise, transit, set, twilight;
    int day = 1;
    for (auto _ : state) {
        ComputeSunRiseSet(2024, 6, day, &rise, &transit, &set, &twilight);
        ComputeMoonRiseSetWrapped(2024, 6, day, &rise, &transit, &set);
        day = day % 28 + 1;
        benchmark::DoNotOptimize(set);
    }
}
BENCHMARK(BM_SunAndMoonRiseSet);

// An observing list of 500 objects for one night.
void BM_FixedRiseSetList(benchmark::State& state) {
    Start();
    double rise, transit, set;
    for (auto _ : state) {
        for (int i = 0; i < 500; ++i) {
            ComputeRiseTransitSetFixed(2024, 6, 1, 51.0, 0.0, 0, 100, 0.0, i * 0.048, i * 0.3 - 75.0,
                                       &rise, &transit, &set);
        }
        benchmark::DoNotOptimize(set);
    }
}
BENCHMARK(BM_FixedRiseSetList);

void BM_LimitingMagnitude(benchmark::State& state) {
    Start();
    SkyBrightnessRecord record{};
    int hour = 0;
    for (auto _ : state) {
        ComputeLimitingMagnitude(&record, 2024, 6, 1, hour, 0);
        hour = (hour + 1) % 24;
        benchmark::DoNotOptimize(record.limitingMagnitude);
    }
}
BENCHMARK(BM_LimitingMagnitude);

}  // namespace
