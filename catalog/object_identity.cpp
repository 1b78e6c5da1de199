#include "catalog/object_identity.h"

#include <algorithm>
#include <iterator>
#include <vector>

#include "catalog/databases.h"
#include "catalog/designations.h"
#include "catalog/object_lists.h"
#include "catalog/object_lookup.h"

namespace {

// A number table: the source code of its entries, its designation, its rows
// and the look-up of the record a row points at.
struct NumberTable {
    int source;
    int designation;
    int count;
    bool (*record)(int, ObjectRecord*);
};

const NumberTable kNumberTables[] = {
    {kSourceMessier, kDesignationMessier, kMessierCount, GetMessierObjectRecord},
    {kSourceCaldwell, kDesignationCaldwell, kCaldwellCount, GetCaldwellObjectRecord},
    {kSourceHerschel, kDesignationHerschel, kHerschelCount, GetHerschelObjectRecord},
    {kSourceBestNgc, kDesignationBestNgc, kBestNgcCount, GetBestNgcObjectRecord},
};
constexpr int kTableCount = static_cast<int>(std::size(kNumberTables));

const NumberTable* TableOfSource(int source) {
    for (const NumberTable& t : kNumberTables)
        if (t.source == source) return &t;
    return nullptr;
}

bool IsRowOf(const NumberTable* t, int row) { return t && row >= 0 && row < t->count; }

int Designation(const ObjectRecord& r) { return static_cast<int16_t>(r.designationId); }

bool HasKey(const ObjectIdentity& id, int designation, int32_t number) {
    return designation == id.designation && number == id.number;
}

void AddRow(ObjectIdentity* id, int source, int row) {
    if (id->rowCount == ObjectIdentity::kMostRows) return;
    id->rowSource[id->rowCount] = source;
    id->rowIndex[id->rowCount] = row;
    ++id->rowCount;
}

bool HasRow(const ObjectIdentity& id, int source, int row) {
    for (int i = 0; i < id.rowCount; ++i)
        if (id.rowSource[i] == source && id.rowIndex[i] == row) return true;
    return false;
}

// The record a table row points at: its designation and number, when it can be read.
struct RowRecord {
    bool read = false;
    int designation = 0;
    int32_t number = 0;
};

// A row by the key of its record.
struct KeyedRow {
    uint64_t key;
    int source;
    int row;
};

// The records of every row of the four tables in one object file (as it was
// opened, with the record ranges as they were set), and the rows by their
// records' keys. A row's record is that of its key or of its alias key, so the
// rows found under a key are those whose key or alias key matches and whose
// record holds it.
struct RowIndex {
    uint64_t fileSerial = 0;  // the object file's open serial; 0 before the first index
    uint32_t rangeChanges = 0;
    std::vector<RowRecord> records[kTableCount];
    std::vector<KeyedRow> rows;  // by key, then table and row
    KeyIndex firstRow;           // key -> its first place in rows
};

void BuildRowIndex(RowIndex* index) {
    index->rows.clear();
    index->firstRow.Clear();
    for (int t = 0; t < kTableCount; ++t) {
        const NumberTable& table = kNumberTables[t];
        index->records[t].assign(static_cast<std::size_t>(table.count), RowRecord{});
        for (int row = 0; row < table.count; ++row) {
            ObjectRecord found;
            if (!table.record(row, &found)) continue;
            index->records[t][static_cast<std::size_t>(row)] = {true, Designation(found), found.number};
            index->rows.push_back({PairKey(Designation(found), found.number), table.source, row});
        }
    }
    std::stable_sort(index->rows.begin(), index->rows.end(),
                     [](const KeyedRow& a, const KeyedRow& b) { return a.key < b.key; });
    for (std::size_t i = 0; i < index->rows.size(); ++i)
        if (i == 0 || index->rows[i].key != index->rows[i - 1].key)
            index->firstRow.Insert(index->rows[i].key, static_cast<int>(i));
    index->fileSerial = objectDb->openSerial;
    index->rangeChanges = designationRangeChanges;
}

// The index of the open object file (which must be open), made anew when the
// file or the record ranges changed since it was made.
const RowIndex& CurrentRowIndex() {
    static RowIndex index;
    if (index.fileSerial != objectDb->openSerial || index.rangeChanges != designationRangeChanges)
        BuildRowIndex(&index);
    return index;
}

// Adds to the identity the rows whose record is the identity's object.
void AddRowsOfKey(const RowIndex& index, ObjectIdentity* id) {
    const uint64_t key = PairKey(id->designation, id->number);
    const int first = index.firstRow.Find(key);
    if (first < 0) return;
    for (std::size_t i = static_cast<std::size_t>(first); i < index.rows.size() && index.rows[i].key == key; ++i)
        if (!HasRow(*id, index.rows[i].source, index.rows[i].row)) AddRow(id, index.rows[i].source, index.rows[i].row);
}

}  // namespace

int NumberTableSource(int designation) {
    for (const NumberTable& t : kNumberTables)
        if (t.designation == designation) return t.source;
    return -1;
}

ObjectIdentity IdentifyObject(const ObjectRecord& rec, int source, int sourceIndex) {
    ObjectIdentity id;
    id.designation = Designation(rec);
    id.number = rec.number;
    const NumberTable* own = TableOfSource(source);
    const bool hasRow = IsRowOf(own, sourceIndex);
    if (hasRow) AddRow(&id, source, sourceIndex);
    // Without the object file no row can be read.
    if (!objectDb) return id;
    const RowIndex& index = CurrentRowIndex();
    if (hasRow) {
        const RowRecord& found = index.records[own - kNumberTables][static_cast<std::size_t>(sourceIndex)];
        if (!found.read) return id;
        id.designation = found.designation;
        id.number = found.number;
    }
    AddRowsOfKey(index, &id);
    id.allRows = true;
    return id;
}

bool NamesObject(const SelectionEntry& entry, const ObjectIdentity& id) {
    if (HasRow(id, entry.source, entry.sourceIndex)) return true;
    return HasKey(id, entry.designation, entry.number) &&
           !(id.allRows && IsRowOf(TableOfSource(entry.source), entry.sourceIndex));
}

ListedObjects::ListedObjects(const SelectionEntry* entries, int count) {
    for (int i = 0; entries && i < count; ++i) Add(entries[i]);
}

void ListedObjects::Add(const SelectionEntry& entry) {
    const uint64_t key = PairKey(entry.designation, entry.number);
    if (!IsRowOf(TableOfSource(entry.source), entry.sourceIndex)) {
        keysWithoutRow_.Insert(key, 0);
        return;
    }
    rows_.Insert(PairKey(entry.source, entry.sourceIndex), 0);
    keysWithRow_.Insert(key, 0);
}

bool ListedObjects::Names(const ObjectIdentity& id) const {
    for (int i = 0; i < id.rowCount; ++i)
        if (rows_.Contains(PairKey(id.rowSource[i], id.rowIndex[i]))) return true;
    const uint64_t key = PairKey(id.designation, id.number);
    return keysWithoutRow_.Contains(key) || (!id.allRows && keysWithRow_.Contains(key));
}
