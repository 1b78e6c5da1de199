#include "chart/hit_tests.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

#include "catalog/selection_list.h"
#include "catalog/stars.h"
#include "chart/chart_screen_lists.h"
#include "ui/screen_layout.h"

namespace {

constexpr int kNoStar = 32000;

bool Within(int64_t dx, int64_t dy, int r) { return std::llabs(dx) <= r && std::llabs(dy) <= r; }

}  // namespace

int FindNearestBrightStar(int x0, int y0, int x, int y, int r) {
    if (!IsStarCatalogLoaded()) return -1;
    const int64_t limit = int64_t{GetScreenScale()} * r * 2;
    const int64_t px = int64_t{x} - x0, py = int64_t{y} - y0;
    int64_t best = kNoStar;
    int found = -1;
    for (int i = 0; i < kBrightStarCount; ++i) {
        const StarRecord& s = brightStarTable[i];
        if (s.hidden != 0) continue;
        int64_t d = std::llabs(s.screenX - px) + std::llabs(s.screenY - py);
        if (d < limit && d < best) {
            best = d;
            found = i;
        }
    }
    return found;
}

int FindObjectInSquare(const SelectionEntry* objects, int count, int x0, int y0, int x, int y, int r) {
    if (!objects || count < 1) return -1;
    const int64_t px = int64_t{x} - x0, py = int64_t{y} - y0;
    for (int i = 0; i < count; ++i) {
        const SelectionEntry& e = objects[i];
        if (e.horizonHidden == 0 && Within(e.screenX - px, e.screenY - py, r) && IsTypeInCurrentClass(e.objectType))
            return i;
    }
    return -1;
}

int FindPointInScreenList8(int x, int y, int r) { return FindStarInScreenList(x, y, r, false, kChartStarListCapacity); }

int FindStarInScreenList(int x, int y, int r, bool strict, int maxEntries) {
    const ChartStarEntry* list = chartScreenLists.stars;
    const int limit = std::min(maxEntries, kChartStarListCapacity);
    for (int i = 0; list && i < limit && list[i].id != kStarListEnd; ++i)
        if (Within(int64_t{list[i].x} - x, int64_t{list[i].y} - y, strict ? r - 1 : r)) return i;
    return -1;
}

int FindPointInScreenList16(int x, int y, int r) {
    const ChartObjectEntry* list = chartScreenLists.objects;
    for (int i = 0; list && i < kChartObjectListCapacity && list[i].record != kObjectListEnd; ++i)
        if (Within(int64_t{list[i].x} - x, int64_t{list[i].y} - y, r)) return i;
    return -1;
}
