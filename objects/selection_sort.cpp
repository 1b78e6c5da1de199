#include "objects/selection_sort.h"

#include <algorithm>

#include "catalog/selection_list.h"

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
    std::stable_sort(rest, end, [](const SelectionEntry& a, const SelectionEntry& b) {
        if (a.designation != b.designation) return a.designation < b.designation;
        return a.number < b.number;
    });
}
