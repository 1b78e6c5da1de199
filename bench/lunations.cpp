// Speed of the per-object and per-search paths: the constellation of a position (an observing
// list runs it for every row), the integer sine and cosine of the chart, one lunation with its
// eclipse test (the eclipse list walks hundreds), and the eclipse Moon from the series against
// the interpolation cache.
#include <benchmark/benchmark.h>

#include "core/constellation.h"
#include "core/eclipse_work.h"
#include "core/fixed_trig.h"
#include "core/nutation_centuries.h"
#include "ephemeris/eclipse_sources.h"
#include "ephemeris/lunation.h"

namespace {

void BM_FindConstellation(benchmark::State& state) {
    double ra = 0.0;
    for (auto _ : state) {
        ra += 0.37;
        if (ra >= 24) ra -= 24;
        benchmark::DoNotOptimize(FindConstellation(ra, -62.5, 2451545.0));
    }
}
BENCHMARK(BM_FindConstellation);

void BM_FixSinCos24(benchmark::State& state) {
    Fix24Angle a = 0;
    int32_t c, s;
    for (auto _ : state) {
        a += 1234567;
        FixSinCos24(a, &c, &s);
        benchmark::DoNotOptimize(c);
        benchmark::DoNotOptimize(s);
    }
}
BENCHMARK(BM_FixSinCos24);

void BM_ComputeLunationWithEclipseTest(benchmark::State& state) {
    int k = 0;
    double kind, time;
    LunarEclipseContacts contacts;
    for (auto _ : state) {
        k = (k + 1) % 400;
        int kk = k;
        benchmark::DoNotOptimize(ComputeLunation(0.5, 1, &kind, &time, &kk, false, 1, 1, 2000, 0,
                                                 0, &contacts));
    }
}
BENCHMARK(BM_ComputeLunationWithEclipseTest);

void EclipseMoon(benchmark::State& state, int source) {
    const double t = 0.24, step = 6e-7;
    BuildMoonInterpCache(t - 2 * step, step, 0.0);
    SelectSunMoonSource(source);
    ComputeNutation(t, &eclipseWork.nutationLongitude, &eclipseWork.trueObliquity);
    double ra, dec, dist, dt = 0;
    for (auto _ : state) {
        dt = dt > step ? -step : dt + 1e-9;
        ComputeEclipseMoon(t + dt, &ra, &dec, &dist);
        benchmark::DoNotOptimize(ra);
    }
    FreeMoonInterpCache();
}

void BM_EclipseMoonSeries(benchmark::State& state) { EclipseMoon(state, 0); }
BENCHMARK(BM_EclipseMoonSeries);

void BM_EclipseMoonCache(benchmark::State& state) { EclipseMoon(state, 1); }
BENCHMARK(BM_EclipseMoonCache);

}  // namespace
