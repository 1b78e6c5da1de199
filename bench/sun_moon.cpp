// Speed of the Sun and Moon series: the abridged VSOP87 Sun (195 terms), the truncated
// ELP 2000-82B Moon (about 1150 sines and cosines), the apparent places with the nutation of a
// new date, and the low-precision Sun and Moon of the rise and set searches.
#include <benchmark/benchmark.h>

#include "core/shared_state.h"
#include "ephemeris/low_precision_sun_moon.h"
#include "ephemeris/moon_elp2000.h"
#include "ephemeris/sun_vsop87.h"

namespace {

void BM_GeometricSun(benchmark::State& state) {
    double t = 0.1, lon, lat, r;
    for (auto _ : state) {
        t += 1e-7;
        ComputeGeometricSun(t, &lon, &lat, &r);
        benchmark::DoNotOptimize(lon);
    }
}
BENCHMARK(BM_GeometricSun);

void BM_GeometricMoon(benchmark::State& state) {
    double t = 0.1, lon, lat, r;
    for (auto _ : state) {
        t += 1e-7;
        benchmark::DoNotOptimize(ComputeGeometricMoon(t, &lon, &lat, &r));
    }
}
BENCHMARK(BM_GeometricMoon);

void BM_ApparentSunAndMoonNewDate(benchmark::State& state) {
    double t = 0.1;
    BodyPosition sun{}, moon{};
    for (auto _ : state) {
        t += 1e-7;
        ComputeApparentSun(&sun, t);
        ComputeApparentMoon(&moon, t, 0.0);
        benchmark::DoNotOptimize(moon.ra);
    }
}
BENCHMARK(BM_ApparentSunAndMoonNewDate);

void BM_LowPrecisionSunAndMoon(benchmark::State& state) {
    ResetSharedState();
    double ra, dec;
    int minute = 0;
    for (auto _ : state) {
        minute = (minute + 1) % 60;
        ComputeSunPosition(&ra, &dec, 2024, 6, 21, 12, minute, 0);
        ComputeMoonPosition(&ra, &dec, 2024, 6, 21, 12, minute, 0);
        benchmark::DoNotOptimize(ra);
    }
}
BENCHMARK(BM_LowPrecisionSunAndMoon);

}  // namespace
