// Speed of the astrometry chain: the nutation series (a new T each time and cached), a
// topocentric star place for a new date, and the apparent altitude and azimuth of a screen's
// worth of objects drawn for one time.
#include <benchmark/benchmark.h>

#include "ephemeris/apparent_altaz.h"
#include "ephemeris/apparent_places.h"
#include "core/nutation.h"
#include "core/shared_state.h"
#include "ephemeris/planets_simon.h"

namespace {

void BM_NutationSeriesNewT(benchmark::State& state) {
    double t = 0.1, dpsi, deps;
    for (auto _ : state) {
        t += 1e-9;
        ComputeNutationSeries(t, &dpsi, &deps);
        benchmark::DoNotOptimize(dpsi);
    }
}
BENCHMARK(BM_NutationSeriesNewT);

void BM_NutationSeriesCached(benchmark::State& state) {
    double dpsi, deps;
    for (auto _ : state) {
        ComputeNutationSeries(0.1, &dpsi, &deps);
        benchmark::DoNotOptimize(dpsi);
    }
}
BENCHMARK(BM_NutationSeriesCached);

void BM_PlanetSimon(benchmark::State& state) {
    double pv[6], jd = 2455000.5;
    for (auto _ : state) {
        jd += 0.01;
        ComputePlanetPositionSimon(jd, 0.0, kSimonSaturn, pv, nullptr, nullptr, nullptr);
        benchmark::DoNotOptimize(pv[0]);
    }
}
BENCHMARK(BM_PlanetSimon);

void BM_TopocentricStarPlaceNewDate(benchmark::State& state) {
    BodyDescriptor earth;
    SetBody(0, kBodyEarth, "Earth", &earth);
    CatalogStar star{};
    star.ra = 6.75;
    star.dec = -16.7;
    AstroSite site{51.0, 0.0, 0.0, 10.0, 1013.0};
    double jd = 2455000.5, ra, dec;
    for (auto _ : state) {
        jd += 0.01;
        ComputeTopocentricStarPlace(jd, &earth, 66.0, &star, &site, &ra, &dec);
        benchmark::DoNotOptimize(ra);
    }
}
BENCHMARK(BM_TopocentricStarPlaceNewDate);

void BM_ApparentAltAzOneScreen(benchmark::State& state) {
    ResetSharedState();
    double ra, dec, alt, az;
    int k = 0;
    for (auto _ : state) {
        k = (k + 1) % 1000;
        ComputeApparentAltAz(k * 0.024, -60.0 + k * 0.12, &ra, &dec, &alt, &az, 1, 2012, 2, 3, 21,
                             0, 0);
        benchmark::DoNotOptimize(alt);
    }
}
BENCHMARK(BM_ApparentAltAzOneScreen);

}  // namespace
