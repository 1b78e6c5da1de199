#include "catalog/listed_comets.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <utility>
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
constexpr std::size_t kWholeName = 43;                       // the characters of a record's name

// Records by a name, in file order.
using NameIndex = std::unordered_map<std::string, std::vector<int>>;

// The comet file's names as the list shows them, by record, and the records
// of each name. The table ends before a record that does not read: no entry
// can name it or a record after it.
struct CometNames {
    std::vector<std::string> byRecord;
    NameIndex records;
};

// `whole`: also the records' whole names.
CometNames ReadCometNames(std::vector<std::string>* whole = nullptr) {
    CometNames names;
    const int count = GetCometCount();
    names.byRecord.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        const uint8_t* record = FetchRecord(cometDb, i, kCometRecordSize);
        if (!record) break;
        char name[kWholeName + 1];
        LoadText(record, kCometNameOffset, whole ? kWholeName : kShownName, name, sizeof name);
        if (whole) whole->emplace_back(name);
        std::string shown(name, strnlen(name, kShownName));
        names.records[shown].push_back(i);
        names.byRecord.push_back(std::move(shown));
    }
    return names;
}

bool IsComet(const SelectionEntry& e) { return e.designation == kDesignationComet; }

std::string ShownName(const SelectionEntry& e) { return std::string(e.name, strnlen(e.name, kShownName)); }

// How a record's shown name names an entry's stored name: the same name, or
// the name continued after a space ("C/2027 Z1 (PanSTARRS)" continues
// "C/2027 Z1"; "C/2027 Z10" does not).
enum class Naming { Same, Continued };

bool Names(const std::string& record, const std::string& entry, Naming naming) {
    if (naming == Naming::Same) return record == entry;
    return !entry.empty() && record.size() > entry.size() && record[entry.size()] == ' ' &&
           record.compare(0, entry.size(), entry) == 0;
}

bool ShowsItsRecord(const SelectionEntry& e, const CometNames& names, Naming naming) {
    return e.number >= 0 && e.number < static_cast<int>(names.byRecord.size()) &&
           Names(names.byRecord[static_cast<std::size_t>(e.number)], ShownName(e), naming);
}

// The records under each name that theirs continues after a space:
// "C/2027 Z1 (PanSTARRS)" under "C/2027" and "C/2027 Z1".
NameIndex ContinuedNames(const std::vector<std::string>& byRecord) {
    NameIndex stems;
    for (std::size_t record = 0; record < byRecord.size(); ++record) {
        const std::string& name = byRecord[record];
        for (std::size_t space = 1; space < name.size(); ++space)
            if (name[space] == ' ') stems[name.substr(0, space)].push_back(static_cast<int>(record));
    }
    return stems;
}

// The first record of `index` under the entry's name that no entry holds; -1 when none.
int FirstFreeRecord(const SelectionEntry& e, const NameIndex& index, const std::vector<bool>& held) {
    const auto found = index.find(ShownName(e));
    if (found == index.end()) return -1;
    for (int record : found->second)
        if (!held[static_cast<std::size_t>(record)]) return record;
    return -1;
}

// Calls `place` on each entry of `lost` in list order; those it places leave `lost`.
template <typename Place>
void PlaceLost(std::vector<SelectionEntry*>& lost, Place place) {
    std::vector<SelectionEntry*> left;
    for (SelectionEntry* e : lost)
        if (!place(*e)) left.push_back(e);
    lost.swap(left);
}

// The entries of `lost` whose record names them (`naming`) keep it, unless an
// entry before them does, or the record's name is the own name of an entry
// in `wanted` (which has the better claim). Those leave `lost`.
void KeepHeldRecords(std::vector<SelectionEntry*>& lost, const CometNames& names, Naming naming,
                     const std::unordered_set<std::string>& wanted, std::vector<bool>& held) {
    PlaceLost(lost, [&](SelectionEntry& e) {
        if (!ShowsItsRecord(e, names, naming)) return false;
        const auto record = static_cast<std::size_t>(e.number);
        if (held[record] || wanted.count(names.byRecord[record]) > 0) return false;
        held[record] = true;
        return true;
    });
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
    // A record is held by at most one entry. An entry keeps the record it holds while that record
    // shows its name, then while it continues its name, unless the record shows the name of an
    // entry still without one; the entries left take the first free record of their name, then
    // the first free record that continues it.
    std::vector<bool> held(names.byRecord.size());
    std::vector<SelectionEntry*> lost;
    for (SelectionEntry* e = first; e != last; ++e)
        if (IsComet(*e)) lost.push_back(e);
    KeepHeldRecords(lost, names, Naming::Same, {}, held);
    std::unordered_set<std::string> wanted;  // only asked of an entry whose record continues its name
    const auto continues = [&names](const SelectionEntry* e) { return ShowsItsRecord(*e, names, Naming::Continued); };
    if (std::any_of(lost.begin(), lost.end(), continues))
        for (const SelectionEntry* e : lost) wanted.insert(ShownName(*e));
    KeepHeldRecords(lost, names, Naming::Continued, wanted, held);
    for (Naming naming : {Naming::Same, Naming::Continued}) {
        if (lost.empty()) break;
        const NameIndex stems = naming == Naming::Continued ? ContinuedNames(names.byRecord) : NameIndex{};
        PlaceLost(lost, [&](SelectionEntry& e) {
            const int record = FirstFreeRecord(e, naming == Naming::Same ? names.records : stems, held);
            if (record < 0) return false;
            held[static_cast<std::size_t>(record)] = true;
            changed |= Renumber(e, record);
            return true;
        });
    }
    for (SelectionEntry* e : lost) changed |= Renumber(*e, -1);
    // The file may hold other orbits under the same names, and places computed while it was
    // closed are none: the list's places are computed again at their next use.
    ++selectionListChanges;
    return changed;
}

namespace {

// Whether a record's whole name shows a line's name: their first 14
// characters agree, and a longer line name is the record's whole name.
bool ShowsLineName(const std::string& record, const std::string& line) {
    if (line.size() <= kShownName) return record.compare(0, kShownName, line) == 0;
    return record == line.substr(0, kWholeName);
}

std::vector<int> Lookup(const NameIndex& index, const std::string& name) {
    const auto found = index.find(name);
    return found == index.end() ? std::vector<int>{} : found->second;
}

}  // namespace

CometLineNames::CometLineNames() : open_(cometDb != nullptr) {
    if (!open_) return;
    shown_ = ReadCometNames(&names_).records;
}

const NameIndex& CometLineNames::Continued() const {
    if (!continued_) {
        std::vector<std::string> shown;
        shown.reserve(names_.size());
        for (const std::string& name : names_) shown.push_back(name.substr(0, kShownName));
        continued_ = ContinuedNames(shown);
    }
    return *continued_;
}

std::vector<int> CometLineNames::Showing(const std::string& name) const {
    std::vector<int> records = Lookup(shown_, name.substr(0, kShownName));
    std::erase_if(records, [&](int r) { return !ShowsLineName(names_[static_cast<std::size_t>(r)], name); });
    return records;
}

bool CometLineNames::Continues(int number, const std::string& name) const {
    return number >= 0 && number < Count() && Names(names_[static_cast<std::size_t>(number)], name, Naming::Continued);
}

int CometLineNames::RecordOfNumber(int number, const std::string& name) const {
    if (number < 0 || number >= Count()) return -1;
    if (ShowsLineName(names_[static_cast<std::size_t>(number)], name)) return number;
    return Continues(number, name) && Showing(name).empty() ? number : -1;
}

std::vector<int> CometLineNames::RecordsOfName(const std::string& name, Claim* claim) const {
    const std::string shown = name.substr(0, kShownName);
    std::vector<int> records = Showing(name);
    Claim how = Claim::Shows;
    if (records.empty() && name.size() > kShownName) records = Lookup(shown_, shown), how = Claim::ShowsIn14;
    if (records.empty()) records = Lookup(Continued(), shown), how = Claim::Continues;
    if (claim) *claim = how;
    return records;
}
