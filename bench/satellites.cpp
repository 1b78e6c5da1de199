// Speed of the satellite propagators on set 88888 of Spacetrack Report No. 3
// over varying times: SGP4 warm (the same element set at every call), SGP4 cold
// (a new element set at every call, decoding and initialisation included) and
// SGP. bench/satellites_yardstick.sh compares the SGP4 rates with satellite.js.
#include <benchmark/benchmark.h>

#include <cstring>
#include <string>

#include "orbits/satellite_propagation.h"

namespace {

SatelliteRecord Record(const std::string& line1, const std::string& line2) {
    SatelliteRecord record;
    std::memset(&record, ' ', sizeof record);
    std::memcpy(record.line1, line1.data(), line1.size());
    std::memcpy(record.line2, line2.data(), line2.size());
    return record;
}

// 88888 and the same set one digit of mean anomaly apart, so that consecutive
// cold calls never see the same element set.
const SatelliteRecord kRecords[2] = {
    Record("1 88888U          80275.98708465  .00073094  13844-3  66816-4 0    87",
           "2 88888  72.8435 115.9689 0086731  52.6988 110.5714 16.05824518  1058"),
    Record("1 88888U          80275.98708465  .00073094  13844-3  66816-4 0    87",
           "2 88888  72.8435 115.9689 0086731  52.6988 110.5715 16.05824518  1058"),
};

double NextTime(double t) { return t >= 1440.0 ? 0.0 : t + 1.37; }

using Propagator = bool (*)(double, double[4], double[4], const SatelliteElements*);

// One element set at every call.
void Warm(benchmark::State& state, Propagator propagate) {
    SatelliteElements elements{};
    InitSatelliteElements(&kRecords[0], &elements);
    double position[4], velocity[4], t = 0.0;
    for (auto _ : state) {
        t = NextTime(t);
        benchmark::DoNotOptimize(propagate(t, position, velocity, &elements));
        benchmark::DoNotOptimize(position[0]);
    }
}

void BM_PropagateSgp4Warm(benchmark::State& state) { Warm(state, PropagateSgp4); }
BENCHMARK(BM_PropagateSgp4Warm);

void BM_PropagateSgp4Cold(benchmark::State& state) {
    SatelliteElements elements{};
    double position[4], velocity[4], t = 0.0;
    int k = 0;
    for (auto _ : state) {
        t = NextTime(t);
        k ^= 1;
        InitSatelliteElements(&kRecords[k], &elements);
        benchmark::DoNotOptimize(PropagateSgp4(t, position, velocity, &elements));
        benchmark::DoNotOptimize(position[0]);
    }
}
BENCHMARK(BM_PropagateSgp4Cold);

void BM_PropagateSgp(benchmark::State& state) { Warm(state, PropagateSgp); }
BENCHMARK(BM_PropagateSgp);

}  // namespace
