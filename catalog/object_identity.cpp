#include "catalog/object_identity.h"

#include "catalog/databases.h"
#include "catalog/designations.h"
#include "catalog/object_lists.h"
#include "catalog/object_lookup.h"

namespace {

// A number table: the source code of its entries, its designation, its keys and
// the look-up of the record a row points at.
struct NumberTable {
    int source;
    int designation;
    const CatalogueKey* keys;
    int count;
    bool (*record)(int, ObjectRecord*);
};

const NumberTable kNumberTables[] = {
    {kSourceMessier, kDesignationMessier, messierKeys, kMessierCount, GetMessierObjectRecord},
    {kSourceCaldwell, kDesignationCaldwell, caldwellKeys, kCaldwellCount, GetCaldwellObjectRecord},
    {kSourceHerschel, kDesignationHerschel, herschelKeys, kHerschelCount, GetHerschelObjectRecord},
    {kSourceBestNgc, kDesignationBestNgc, bestNgcKeys, kBestNgcCount, GetBestNgcObjectRecord},
};

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
    // Without the object file no row can be read (and a read would say so).
    if (!objectDb) return id;
    ObjectRecord found;
    if (hasRow) {
        if (!own->record(sourceIndex, &found)) return id;
        id.designation = Designation(found);
        id.number = found.number;
    }
    // A row points at its key's record, or at its alias key's when the file
    // lacks the first: a matching key is confirmed by the row's record.
    for (const NumberTable& t : kNumberTables)
        for (int row = 0; row < t.count; ++row) {
            const CatalogueKey& k = t.keys[row];
            const bool keyed = HasKey(id, k.designation, k.number) ||
                               (k.altDesignation != 0 && HasKey(id, k.altDesignation, k.altNumber));
            if (!keyed || HasRow(id, t.source, row)) continue;
            if (t.record(row, &found) && HasKey(id, Designation(found), found.number)) AddRow(&id, t.source, row);
        }
    id.allRows = true;
    return id;
}

bool NamesObject(const SelectionEntry& entry, const ObjectIdentity& id) {
    if (HasRow(id, entry.source, entry.sourceIndex)) return true;
    return HasKey(id, entry.designation, entry.number) &&
           !(id.allRows && IsRowOf(TableOfSource(entry.source), entry.sourceIndex));
}
