#include "catalog/listed_comets.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <unordered_map>
#include <vector>

#include "catalog/comet_satellite_db.h"
#include "catalog/databases.h"
#include "catalog/designations.h"
#include "catalog/record_db.h"
#include "catalog/selection_list.h"

namespace {

constexpr std::size_t kCometRecordSize = 128;
constexpr std::size_t kCometNameOffset = 4;
constexpr std::size_t kShownName = kSelectionNameSize - 1;  // the characters of a name an entry keeps

// The comet file's names as the list shows them, by record, and the records
// of each name in file order. The table ends before a record that does not
// read: no entry can name it or a record after it.
struct CometNames {
    std::vector<std::string> byRecord;
    std::unordered_map<std::string, std::vector<int>> records;
};

CometNames ReadCometNames() {
    CometNames names;
    const int count = GetCometCount();
    names.byRecord.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        const uint8_t* record = FetchRecord(cometDb, i, kCometRecordSize);
        if (!record) break;
        char name[kShownName + 1];
        LoadText(record, kCometNameOffset, kShownName, name, sizeof name);
        names.byRecord.emplace_back(name);
        names.records[name].push_back(i);
    }
    return names;
}

bool IsComet(const SelectionEntry& e) { return e.designation == kDesignationComet; }

std::string ShownName(const SelectionEntry& e) { return std::string(e.name, strnlen(e.name, kShownName)); }

bool ShowsItsRecord(const SelectionEntry& e, const CometNames& names) {
    return e.number >= 0 && e.number < static_cast<int>(names.byRecord.size()) &&
           names.byRecord[static_cast<std::size_t>(e.number)] == ShownName(e);
}

// The first record of the entry's name that no entry holds; -1 when none.
int FirstFreeRecord(const SelectionEntry& e, const CometNames& names, const std::vector<bool>& held) {
    const auto found = names.records.find(ShownName(e));
    if (found == names.records.end()) return -1;
    for (int record : found->second)
        if (!held[static_cast<std::size_t>(record)]) return record;
    return -1;
}

// The entry names record `number` (-1: none); an entry that changed record, or
// names none, has no place until the list is placed again. Whether it changed.
bool Renumber(SelectionEntry& e, int number) {
    const bool changed = e.number != number;
    if (changed || number < 0) e.placeUnknown = 1;
    e.number = number;
    if (number >= 0) e.sourceIndex = static_cast<uint16_t>(number);
    return changed;
}

// The comet entries of the records after `removed` move down one; those of
// `removed` name none.
bool FollowRemovedRecord(SelectionEntry* first, SelectionEntry* last, int removed) {
    bool changed = false;
    for (SelectionEntry* e = first; e != last; ++e)
        if (IsComet(*e) && e->number >= removed) changed |= Renumber(*e, e->number == removed ? -1 : e->number - 1);
    return changed;
}

}  // namespace

bool MatchListedComets(int removed) {
    const int count = selectionList ? std::min(selectionCount, GetSelectionListAllocated()) : 0;
    SelectionEntry* const first = selectionList;
    SelectionEntry* const last = selectionList + std::max(count, 0);
    if (!cometDb || std::none_of(first, last, IsComet)) return false;
    bool changed = removed >= 0 && FollowRemovedRecord(first, last, removed);
    const CometNames names = ReadCometNames();
    // First every entry that still shows its record holds it, so that no other takes it.
    std::vector<bool> held(names.byRecord.size());
    std::vector<SelectionEntry*> lost;
    for (SelectionEntry* e = first; e != last; ++e) {
        if (!IsComet(*e)) continue;
        if (ShowsItsRecord(*e, names)) held[static_cast<std::size_t>(e->number)] = true;
        else lost.push_back(e);
    }
    for (SelectionEntry* e : lost) {
        const int record = FirstFreeRecord(*e, names, held);
        if (record >= 0) held[static_cast<std::size_t>(record)] = true;
        changed |= Renumber(*e, record);
    }
    // The file may hold other orbits under the same names, and places computed while it was
    // closed are none: the list's places are computed again at their next use.
    ++selectionListChanges;
    return changed;
}
