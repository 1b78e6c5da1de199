// Speed of the observing list's rebuilds of its shown rows, over 500 entries (Arg) of random
// places (fixed seed), every other one a galaxy, the rest stars, with "Max Selected items" 500
// and no program folder: the chart's rebuild for the Visible Sky (RebuildSelectionView, half of
// the entries on the visible side), and the list form's sort by right ascension with the view
// rebuilt under the class filter (SortSelectionList). The entry in the middle of the list is
// current before each run.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <random>

#include "catalog/selection_list.h"
#include "core/preferences.h"
#include "core/shared_state.h"
#include "objects/selection_sort.h"

namespace {

constexpr int kGalaxy = 16, kStar = 30;

void FillList(int n) {
    ResetSharedState();
    ValidatePreferences();
    preferences.word[kPrefMaxSelectedItems] = 10;  // 500
    AllocSelectionList();
    std::mt19937 rng(500);
    std::uniform_real_distribution<double> uniform(0.0, 1.0);
    for (int i = 0; i < n; ++i) {
        SelectionEntry& e = selectionList[i];
        e = SelectionEntry{};
        e.number = i + 1;
        e.objectType = static_cast<int16_t>(i % 2 ? kStar : kGalaxy);
        e.rightAscension = static_cast<float>(24 * uniform(rng));
        e.declination = static_cast<float>(std::asin(2 * uniform(rng) - 1) * 180 / M_PI);
        e.chartZ = uniform(rng) < 0.5 ? -1 : 1;
    }
    selectionCount = n;
    selectionShownCount = FilterSelectionByClass(0, selectionList, n);
}

void BM_RebuildSelectionView(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    FillList(n);
    preferences.word[kPrefChartType] = 3;
    for (auto _ : state) {
        selectionShownCount = FilterSelectionByClass(0, selectionList, n);
        selectionCurrentRow = n / 2;
        benchmark::DoNotOptimize(RebuildSelectionView(-1));
    }
    FreeSelectionList();
}
BENCHMARK(BM_RebuildSelectionView)->Arg(500)->Unit(benchmark::kMicrosecond);

void BM_SortSelectionList(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    FillList(n);
    for (auto _ : state) {
        selectionCurrentRow = n / 2;
        SortSelectionList(kSortByRa);
        state.PauseTiming();
        std::shuffle(selectionList, selectionList + n, std::mt19937(n));
        state.ResumeTiming();
    }
    FreeSelectionList();
}
BENCHMARK(BM_SortSelectionList)->Arg(500)->Unit(benchmark::kMicrosecond);

}  // namespace
