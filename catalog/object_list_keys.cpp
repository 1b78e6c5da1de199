#include "catalog/object_lists.h"

std::set<int32_t> NumberTableNumbers(int designation) {
    std::set<int32_t> numbers;
    auto add = [&](const CatalogueKey* table, int count) {
        for (int i = 0; i < count; ++i) {
            if (table[i].designation == designation) numbers.insert(table[i].number);
            if (table[i].altDesignation == designation) numbers.insert(table[i].altNumber);
        }
    };
    add(messierKeys, kMessierCount);
    add(caldwellKeys, kCaldwellCount);
    add(herschelKeys, kHerschelCount);
    add(bestNgcKeys, kBestNgcCount);
    return numbers;
}
