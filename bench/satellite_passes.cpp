// The pass search's stepping and root finding: FindNextPass through 10 days
// from the epoch for each of 100 near-Earth element sets seen from 51.5 N 0 E,
// each search going on a minute after the last set, as the Pass search
// does. The sets are five near-Earth sets of the verification set of Vallado
// et al. (2006) whose orbits last the 10 days under SGP, each with its node
// turned by 18-degree steps and its mean anomaly by 47-degree steps (20
// variants). Counters: the elevations computed per set and the time per
// elevation. A second run fills a result row for every pass as the searches
// do.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "core/shared_state.h"
#include "element_set_variants.h"
#include "orbits/pass_search.h"

namespace {

struct BaseSet {
    const char* line1;
    const char* line2;
};

const BaseSet kBaseSets[] = {
    {"1 00005U 58002B   00179.78495062  .00000023  00000-0  28098-4 0  4753",
     "2 00005  34.2682 348.7242 1859667 331.7664  19.3264 10.82419157413667"},
    {"1 06251U 62025E   06176.82412014  .00008885  00000-0  12808-3 0  3985",
     "2 06251  58.0579  54.0425 0030035 139.1568 221.1854 15.56387291  6774"},
    {"1 28057U 03049A   06177.78615833  .00000060  00000-0  35940-4 0  1836",
     "2 28057  98.4283 247.6961 0000884  88.1964 271.9322 14.35478080140550"},
    {"1 88888U          80275.98708465  .00073094  13844-3  66816-4 0    87",
     "2 88888  72.8435 115.9689 0086731  52.6988 110.5714 16.05824518  1058"},
    {"1 29238U 06022G   06177.28732010  .00766286  10823-4  13334-2 0   101",
     "2 29238  51.5595 213.7903 0202579  95.2503 267.9010 15.73823839  1061"},
};

std::vector<SatelliteElements> BenchmarkSets() {
    std::vector<SatelliteElements> sets;
    for (const BaseSet& base : kBaseSets) {
        for (int k = 0; k < 20; ++k) {
            SatelliteRecord record;
            std::memset(&record, ' ', sizeof record);
            std::string line2 = Shifted(base.line2, 18.0 * k, 47.0 * k);
            std::memcpy(record.line1, base.line1, std::strlen(base.line1));
            std::memcpy(record.line2, line2.data(), line2.size());
            SatelliteElements el{};
            InitSatelliteElements(&record, &el);
            sets.push_back(el);
        }
    }
    return sets;
}

// The passes of one set over 10 days; adds the elevations computed to *count.
// With `rows`, each pass also fills a result row as the searches do (its
// elevations counted with the pass's).
int PassesOverTenDays(SatelliteElements* el, long* count, bool rows = false) {
    const ObserverSite observer = ObserverFromCurrentSite(0.0);
    const double end = el->epochJd + 10.0;
    SatelliteRecord record;
    std::memset(&record, ' ', sizeof record);
    PassRow row;
    int passes = 0;
    for (double t = el->epochJd; t <= end; t = NextPassStart(el)) {
        int found = FindNextPass(t, end, &el->passRiseJd, &el->passSetJd, el, &observer, 0, 0);
        if (found && rows) FillPassRow(&row, 0, record, el);
        *count += SatelliteEvaluationCount() + 1;  // the first look angles are not counted
        if (!found) break;
        ++passes;
    }
    return passes;
}

void RunPassesOverTenDays(benchmark::State& state, bool rows) {
    ResetSharedState();
    SetSiteLatitude(currentSite, 51.5);
    currentSite.longitude = 0.0f;
    const std::vector<SatelliteElements> base = BenchmarkSets();
    long evaluations = 0, passes = 0;
    for (auto _ : state) {
        std::vector<SatelliteElements> sets = base;
        evaluations = passes = 0;
        for (SatelliteElements& el : sets) passes += PassesOverTenDays(&el, &evaluations, rows);
        benchmark::DoNotOptimize(passes);
    }
    state.counters["sets"] = static_cast<double>(base.size());
    state.counters["passes"] = static_cast<double>(passes);
    state.counters["elevations_per_set"] = static_cast<double>(evaluations) / base.size();
    state.counters["time_per_elevation"] =
        benchmark::Counter(static_cast<double>(evaluations) * state.iterations(),
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
void BM_FindNextPassTenDays(benchmark::State& state) { RunPassesOverTenDays(state, false); }
BENCHMARK(BM_FindNextPassTenDays)->Unit(benchmark::kMillisecond);

// The same with a result row filled for every pass.
void BM_PassRowsTenDays(benchmark::State& state) { RunPassesOverTenDays(state, true); }
BENCHMARK(BM_PassRowsTenDays)->Unit(benchmark::kMillisecond);

}  // namespace
