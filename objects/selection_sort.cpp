#include "objects/selection_sort.h"

#include <algorithm>
#include <vector>

#include "catalog/listed_places.h"
#include "catalog/selection_list.h"
#include "core/horizontal.h"
#include "core/list_date.h"
#include "core/rise_set.h"
#include "core/shared_state.h"
#include "core/sidereal_time.h"

namespace {

bool ByDesignationThenNumber(const SelectionEntry& a, const SelectionEntry& b) {
    if (a.designation != b.designation) return a.designation < b.designation;
    return a.number < b.number;
}

// The key an entry is sorted by, smaller first.
double Key(int order, const SelectionEntry& e, const DateTime& t, double lst) {
    switch (order) {
    case kSortByMagnitude: return e.mag10;
    case kSortByRa: return e.rightAscension;
    case kSortByTransit: {
        double rise = 0.0, transit = 0.0, set = 0.0;
        ComputeRiseTransitSetFixed(t.year, t.month, t.day, currentSite.latitude, currentSite.longitude,
                                   currentSite.zoneMinutes, currentSite.elevation, 0.0, e.rightAscension,
                                   e.declination, &rise, &transit, &set);
        return transit;
    }
    case kSortByAltitude: return -ComputeAltitude(lst, e.rightAscension, e.declination, currentSite.latitude);
    default: return 0.0;
    }
}

// Sorts the entries by a key computed once for each, for local time t.
void SortByKey(int order, int count, const DateTime& t) {
    const double lst = GetLocalSiderealTime(t.year, t.month, t.day, t.hour, t.minute, t.second,
                                            currentSite.longitude, currentSite.zoneMinutes);
    struct Keyed {
        double key;
        SelectionEntry entry;
    };
    std::vector<Keyed> keyed;
    keyed.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) keyed.push_back({Key(order, selectionList[i], t, lst), selectionList[i]});
    std::sort(keyed.begin(), keyed.end(), [](const Keyed& a, const Keyed& b) {
        if (a.key != b.key) return a.key < b.key;
        return ByDesignationThenNumber(a.entry, b.entry);
    });
    for (int i = 0; i < count; ++i) selectionList[i] = keyed[static_cast<std::size_t>(i)].entry;
}

void SortBySize(int count) {
    std::sort(selectionList, selectionList + count, [](const SelectionEntry& a, const SelectionEntry& b) {
        if (a.size1 != b.size1) return a.size1 > b.size1;
        if (a.size2 != b.size2) return a.size2 < b.size2;
        return ByDesignationThenNumber(a, b);
    });
}

}  // namespace

void SortSelectionByName(int count, bool firstPass) {
    if (!selectionList || count < 1) return;
    SelectionEntry* begin = selectionList;
    SelectionEntry* end = selectionList + count;
    if (firstPass)
        std::stable_sort(begin, end, [](const SelectionEntry& a, const SelectionEntry& b) {
            if (a.source != b.source) return a.source < b.source;
            return a.sourceIndex < b.sourceIndex;
        });
    SelectionEntry* rest = begin;
    while (rest != end && rest->source >= kSourcePlanet && rest->source <= kSourceCaldwell) ++rest;
    if (end - rest < 2) return;
    std::stable_sort(rest, end, ByDesignationThenNumber);
}

void SortSelectionList(int order) {
    const int count = std::min(selectionCount, GetSelectionListAllocated());
    if (!selectionList || count < 1 || order < kSortByName || order > kSortByAltitude) return;
    // The planets, comets and asteroids at their magnitudes, sizes and places of the list's time.
    const DateTime when = ListDateTime();
    ListedPlacesAt(when);
    // The current entry by its bytes: the sort moves it to another position.
    const int held = CurrentSelectionEntry();
    const SelectionEntry current = held >= 0 ? selectionList[held] : SelectionEntry{};
    if (order == kSortByName) SortSelectionByName(count, true);
    else if (order == kSortBySize) SortBySize(count);
    else SortByKey(order, count, when);
    RebuildSelectionByClass();
    SetCurrentSelectionEntry(held >= 0 ? FindSameSelectionEntry(current) : -1);
}
