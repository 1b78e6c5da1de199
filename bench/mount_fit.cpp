// Speed of the N-star form's Calc with the program's own alignment: the
// mount-error fit over a full list of 20 entries, each of its model
// evaluations rebuilding the two-star matrix and every entry's model place.
// The readings are those of an equatorial mount with mount errors z1 = 0.002,
// z2 = -0.001, z3 = 0.0005 rad, so the fit has errors to find.
#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

#include "core/preferences.h"
#include "scope/alignment.h"
#include "scope/mount_fit.h"

namespace {

constexpr double kDegToRad = 3.14159265358979323846 / 180.0;

// A star whose sky place is where the reading (degrees) points with the
// mount errors in place (an equatorial mount aligned on the pole).
AlignmentStar StarAt(double reading1, double reading2) {
    AlignmentStar s{};
    const double phi = reading1 * kDegToRad, theta = reading2 * kDegToRad;
    const double l = ScopeDirectionL(phi, theta), m = ScopeDirectionM(phi, theta);
    const double n = std::sin(theta + alignmentModel.z3);
    double ra = std::atan2(m, l) / kDegToRad;
    if (ra < 0) ra += 360.0;
    s.ra = ra;
    s.dec = std::atan2(n, std::hypot(l, m)) / kDegToRad;
    s.reading1 = s.measured1 = reading1;
    s.reading2 = s.measured2 = reading2;
    return s;
}

void BM_FitMountErrors20(benchmark::State& state) {
    preferences.word[kPrefMountType] = 0;
    preferences.word[kPrefAlignMethod] = 0;
    ResetAlignmentModel();
    alignmentModel.z1 = 0.002, alignmentModel.z2 = -0.001, alignmentModel.z3 = 0.0005;
    const AlignmentStar star1 = StarAt(90.0, 20.0), star2 = StarAt(210.0, -35.0);
    std::vector<AlignmentStar> list;
    for (int i = 0; i < 20; ++i) list.push_back(StarAt(i * 17.3 + 3.0, -60.0 + i * 6.1));
    alignmentModel.z1 = alignmentModel.z2 = alignmentModel.z3 = 0.0;
    int evaluations = 0;
    for (auto _ : state) {
        std::vector<AlignmentStar> entries = list;
        evaluations = FitMountErrors("20:00:00", &star1, &star2, entries.data(), static_cast<int>(entries.size()));
        benchmark::DoNotOptimize(entries.data());
    }
    state.counters["evaluations"] = evaluations;
    ResetAlignmentModel();
}
BENCHMARK(BM_FitMountErrors20)->Unit(benchmark::kMillisecond);

}  // namespace
