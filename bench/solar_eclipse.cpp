// Speed of the solar eclipse computations on 2006-03-29: the Besselian elements (once per
// selection of an eclipse), a limit point and a central-line point (the views trace whole
// paths from them while they draw), the umbra at an instant (one per map position) and the
// search of the circumstances at a site, from the series and from the interpolation caches.
#include <benchmark/benchmark.h>

#include "core/eclipse_work.h"
#include "core/nutation.h"
#include "eclipse/besselian.h"
#include "eclipse/eclipse_path.h"
#include "eclipse/local_eclipse.h"
#include "ephemeris/eclipse_sources.h"

namespace {

BesselianElements Elements() {
    BesselianElements e{};
    BuildBesselianElements(&e, 2006, 3, 29, 10);
    return e;
}

void BM_BuildBesselianElements(benchmark::State& state) {
    BesselianElements e{};
    for (auto _ : state) {
        BuildBesselianElements(&e, 2006, 3, 29, 10);
        benchmark::DoNotOptimize(e.x0);
    }
}
BENCHMARK(BM_BuildBesselianElements)->Unit(benchmark::kMicrosecond);

void BM_ComputeLimitLatitude(benchmark::State& state) {
    const BesselianElements e = Elements();
    double longitude = -40;
    for (auto _ : state) {
        longitude = longitude > 40 ? -40 : longitude + 4;
        benchmark::DoNotOptimize(ComputeLimitLatitude(e, longitude, 0, 0.5, 66.184, 1));
    }
}
BENCHMARK(BM_ComputeLimitLatitude);

void BM_ComputeCentralLinePoint(benchmark::State& state) {
    const BesselianElements e = Elements();
    double ut = 9, latitude, longitude, duration, width;
    for (auto _ : state) {
        ut = ut > 11 ? 9 : ut + 0.01;
        benchmark::DoNotOptimize(
            ComputeCentralLinePoint(e, ut, 66.184, &latitude, &longitude, &duration, &width));
    }
}
BENCHMARK(BM_ComputeCentralLinePoint);

// The eclipse list's caches around greatest eclipse, as the eclipse form selects them.
void SelectCaches() {
    const double t = (2453823.5 + 10.19 / 24 - 2451545.0) / 36525;
    const double step = (3.2 + 0.25) * 0.2 / 24 / 36525;
    double dpsi, deps;
    ComputeNutationSeries(t, &dpsi, &deps);
    BuildSunInterpCache(t - 2 * step, step, dpsi * 4.84813681109536e-6);
    BuildMoonInterpCache(t - 2 * step, step, dpsi * 4.84813681109536e-6);
    SelectSunMoonSource(1);
}

void BM_ComputeUmbraEllipseAt(benchmark::State& state) {
    if (state.range(0)) {
        SelectCaches();
    } else {
        SelectSunMoonSource(0);
    }
    LocalEclipseResult r{};
    int minute = 0;
    for (auto _ : state) {
        minute = (minute + 5) % 120;
        benchmark::DoNotOptimize(
            ComputeUmbraEllipseAt(&r, 2006, 3, 29, 9 + minute / 60, minute % 60, 0));
    }
}
BENCHMARK(BM_ComputeUmbraEllipseAt)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

void BM_FindLocalEclipseCircumstances(benchmark::State& state) {
    if (state.range(0)) {
        SelectCaches();
    } else {
        SelectSunMoonSource(0);
    }
    LocalEclipseResult r{};
    for (auto _ : state) {
        FindLocalEclipseCircumstances(&r, 2006, 3, 29, 10, 11, 5.55, 0.20);
        benchmark::DoNotOptimize(r.secondContact);
    }
}
BENCHMARK(BM_FindLocalEclipseCircumstances)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

}  // namespace
