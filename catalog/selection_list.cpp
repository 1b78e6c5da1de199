#include "catalog/selection_list.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <new>

#include "catalog/designations.h"
#include "catalog/object_display.h"
#include "catalog/object_identity.h"
#include "catalog/stars.h"
#include "catalog/stellar_catalog.h"
#include "core/preferences.h"
#include "core/program_hooks.h"
#include "core/services.h"
#include "ephemeris/planet_names.h"

SelectionEntry* selectionList = nullptr;
int32_t* selectionListIndex = nullptr;
SelectionEntry** selectionListPtr = nullptr;

int selectionCount = -1;
int selectionShownCount = -1;
int selectionCurrentRow = -1;
int selectionClassFilter = 0;
int selectionFillLimit = 0;
uint32_t selectionListChanges = 0;

namespace {

int allocated = 0;
int shownRowsAllocated = 0;

// Whether the shown rows are positions in another table than selectionList (a
// form's own), and the list's current entry (a position) while no row of the
// list holds it: as it was when that table took the rows, or since the last
// rebuild over the list did not show it (a view of the chart that hides it).
// -1 for none.
bool rowsOfOtherTable = false;
int entryHeldAside = -1;

// The position when it is an entry in use, else -1.
int EntryInUse(int position) { return position >= 0 && position < std::min(selectionCount, allocated) ? position : -1; }

// Shown rows of a form's own table (the planets assistant's sky view holds 57
// objects), whatever the list's capacity.
constexpr int kShownRowsFloor = 60;

constexpr int kItemsByRow[] = {25, 50, 100, 150, 200, 250, 300, 350, 400, 450, 500};
constexpr int kClassCodeOfFilter[] = {0, 11, 4, 5, 6, 8, 1};
constexpr int kConstellationType = 14;

// A float truncated toward zero into [lowest, highest]; 0 for a value that is not a number.
template <typename T>
T TruncatedInRange(double value, double lowest, double highest) {
    if (std::isnan(value)) return 0;
    if (value <= lowest) return static_cast<T>(lowest);
    if (value >= highest) return static_cast<T>(highest);
    return static_cast<T>(value);
}

int16_t Size16(float size) { return TruncatedInRange<int16_t>(size, -32768.0, 32767.0); }

void NameByPrefix(char* name, std::size_t size, int designation, int32_t number) {
    std::snprintf(name, size, "%s%ld", DesignationPrefix(designation), static_cast<long>(number));
}

// Name of a star or other catalogue entry (source 11).
void StarName(char* name, std::size_t size, int designation, const ObjectRecord* rec) {
    if (designation == kDesignationHr) {
        // At most 14 characters: the lookup drops the last of the 15 it takes.
        if (!FindCrossReference(kDesignationHr, rec->number, nullptr, nullptr, 0, name, kSelectionNameSize) ||
            name[0] == '\0')
            NameByPrefix(name, size, designation, rec->number);
    } else if (designation == kDesignationBrightStar) {
        std::snprintf(name, size, "%s", rec->name);
    } else if (designation == kDesignationTycho) {
        FormatTychoDesignation(name, size, static_cast<uint32_t>(rec->number));
    } else {
        NameByPrefix(name, size, designation, rec->number);
    }
}

// The display name of an entry by its source code, written into `name` (of
// `size` bytes; the caller cuts it to 14 characters).
void EntryName(char* name, std::size_t size, int sourceIndex, int source, int designation, const ObjectRecord* rec) {
    name[0] = '\0';
    switch (source) {
    case kSourcePlanet:
        // Sun to Pluto; the Earth (10) and anything beyond have no entry name.
        if (sourceIndex >= 0 && sourceIndex < 10) std::snprintf(name, size, "%s", planetNameTable[sourceIndex]);
        return;
    case kSourceMessier: std::snprintf(name, size, "M%d", sourceIndex + 1); return;
    case kSourceCaldwell: std::snprintf(name, size, "C%d", sourceIndex + 1); return;
    case kSourceHerschel: NameByPrefix(name, size, designation, rec->number); return;
    case kSourceStar: StarName(name, size, designation, rec); return;
    default: break;
    }
    if (designation >= kDesignationCount)
        std::snprintf(name, size, "NoCat%d %ld", designation, static_cast<long>(rec->number));
    else if (designation == kDesignationConstellation || (rec->objectType & 0xFFFF) == kConstellationType)
        std::snprintf(name, size, "%s", ConstellationAbbreviation(rec->number));
    else if (designation == kDesignationTycho) FormatTychoDesignation(name, size, static_cast<uint32_t>(rec->number));
    else if (rec->name[0] != '\0') std::snprintf(name, size, "%.19s", rec->name);
    else NameByPrefix(name, size, designation, rec->number);
}

// Whether the chart view lets an entry be shown (the class filter aside).
bool ShownInChartView(const SelectionEntry& e) {
    switch (preferences.word[kPrefChartType]) {
    case 0:
    case 1: return e.horizonHidden == 0;
    case 3: return e.chartZ >= 0;
    default: return true;
    }
}

bool OnNumberTableRow(const SelectionEntry& e) {
    return e.source == kSourceMessier || e.source == kSourceCaldwell || e.source == kSourceHerschel ||
           e.source == kSourceBestNgc;
}

// Position of the first entry from `from` on, below `count`, with this designation and number;
// `count` when none.
int NextWithKey(const SelectionEntry* entries, int from, int count, int designation, int32_t number) {
    for (int i = from; i < count; ++i)
        if (entries[i].number == number && entries[i].designation == designation) return i;
    return count;
}

// Position of the first of the `count` entries that names the object; -1 when
// none. Only an entry that can name it at all goes through NamesObject: one
// with the object's designation and number, or one on a number table's row
// when the object has rows. A look-up over a long list so costs about one
// comparison of keys an entry.
int FindObject(const SelectionEntry* entries, int count, const ObjectIdentity& id) {
    if (id.rowCount == 0) {
        for (int i = 0; (i = NextWithKey(entries, i, count, id.designation, id.number)) < count; ++i)
            if (NamesObject(entries[i], id)) return i;
        return -1;
    }
    for (int i = 0; i < count; ++i) {
        const SelectionEntry& e = entries[i];
        const bool sameKey = e.number == id.number && e.designation == id.designation;
        if ((sameKey || OnNumberTableRow(e)) && NamesObject(e, id)) return i;
    }
    return -1;
}

}  // namespace

bool IsListed(const SelectionEntry* entries, int count, const ObjectRecord* rec, int source, int sourceIndex) {
    return entries && rec && FindObject(entries, count, IdentifyObject(*rec, source, sourceIndex)) >= 0;
}

int GetSelectionListAllocated() { return allocated; }

int GetSelectedItemsCapacity() {
    int row = preferences.word[kPrefMaxSelectedItems];
    return row >= 0 && row <= 10 ? kItemsByRow[row] : kItemsByRow[0];
}

int GetSelectionListCapacity() { return GetBrightStarCount() + GetSelectedItemsCapacity() + 5; }

namespace {

// The three arrays of one allocation.
struct ListArrays {
    int32_t* index = nullptr;
    SelectionEntry* entries = nullptr;
    SelectionEntry** pointers = nullptr;
    int capacity = 0;
    int rows = 0;
};

void FreeArrays(ListArrays& a) {
    delete[] a.index;
    delete[] a.entries;
    delete[] a.pointers;
    a = ListArrays{};
}

// Arrays for `capacity` entries: every entry free (number -1), every shown row
// -1 and pointing at its entry. False, nothing allocated, after the message of
// the array that could not be allocated.
bool AllocateArrays(int capacity, ListArrays* a) {
    a->capacity = capacity;
    a->rows = std::max(capacity, kShownRowsFloor);
    a->index = new (std::nothrow) int32_t[a->rows];
    if (!a->index) {
        ShowInformation("Can't allocate memory during initialization for selection list index", "");
        return false;
    }
    for (int i = 0; i < a->rows; ++i) a->index[i] = -1;
    a->entries = new (std::nothrow) SelectionEntry[capacity]();
    if (!a->entries) {
        FreeArrays(*a);
        ShowInformation("Can't allocate memory during initialization for selection", "");
        return false;
    }
    for (int i = 0; i < capacity; ++i) a->entries[i].number = -1;
    a->pointers = new (std::nothrow) SelectionEntry*[a->rows];
    if (!a->pointers) {
        FreeArrays(*a);
        ShowInformation("Can't allocate memory selectionListPtr", "");
        return false;
    }
    for (int i = 0; i < a->rows; ++i) a->pointers[i] = i < capacity ? &a->entries[i] : nullptr;
    return true;
}

// Makes the arrays the list's (the old ones already freed).
void InstallArrays(const ListArrays& a) {
    selectionListIndex = a.index;
    selectionList = a.entries;
    selectionListPtr = a.pointers;
    allocated = a.capacity;
    shownRowsAllocated = a.rows;
    selectionFillLimit = GetSelectedItemsCapacity();
    ++selectionListChanges;
    InvalidateHorizonProjection();
}

// The shown rows of the old arrays that point at one of the first `kept`
// entries, carried into `a` in their order; the number of rows carried.
int CarryShownRows(int kept, ListArrays* a) {
    int rows = 0;
    const int shown = std::min(selectionShownCount, shownRowsAllocated);
    for (int row = 0; row < shown; ++row) {
        const int position = selectionListIndex[row];
        if (position < 0 || position >= kept) continue;
        a->index[rows] = position;
        a->pointers[rows] = &a->entries[position];
        ++rows;
    }
    return rows;
}

}  // namespace

int AllocSelectionList() {
    FreeSelectionList();
    ListArrays a;
    if (!AllocateArrays(GetSelectionListCapacity(), &a)) return 0;
    InstallArrays(a);
    selectionCount = 0;
    selectionShownCount = -1;
    selectionCurrentRow = -1;
    return 1;
}

int ReallocSelectionList(int* leftOut) {
    *leftOut = 0;
    if (!selectionList || selectionCount < 0) return AllocSelectionList();
    ListArrays a;
    if (!AllocateArrays(GetSelectionListCapacity(), &a)) return 0;
    const int count = std::min(selectionCount, allocated);
    const int kept = std::min(count, a.capacity - 1);  // one entry stays free for the end mark
    std::copy(selectionList, selectionList + kept, a.entries);
    *leftOut = count - kept;
    const int held = HeldSelectionEntry();
    const bool current = CurrentSelectionEntry() >= 0;
    const int shown = selectionShownCount < 0 ? -1 : CarryShownRows(kept, &a);
    int row = -1;
    for (int r = 0; r < shown && row < 0; ++r)
        if (a.index[r] == held) row = r;
    if (row < 0 && current && shown > 0) row = 0;
    FreeSelectionList();
    InstallArrays(a);
    selectionCount = kept;
    selectionShownCount = shown;
    selectionCurrentRow = row;
    if (!current && held < kept) entryHeldAside = held;
    return 1;
}

void FreeSelectionList() {
    rowsOfOtherTable = false;
    entryHeldAside = -1;
    delete[] selectionListIndex;
    delete[] selectionList;
    delete[] selectionListPtr;
    selectionListIndex = nullptr;
    selectionList = nullptr;
    selectionListPtr = nullptr;
    allocated = shownRowsAllocated = 0;
    selectionCurrentRow = -1;
    selectionShownCount = -1;
    selectionCount = -1;
}

bool SelectionFillIsFull() { return selectionShownCount >= selectionFillLimit || selectionShownCount >= allocated; }

namespace {

// Whether an entry may be made at the fill position.
bool CanMakeEntry(const SelectionEntry* entries, const ObjectRecord* rec) {
    return entries && rec && selectionShownCount >= 0 && !SelectionFillIsFull();
}

// Makes entry p of `entries` from the record.
void FillEntry(int p, int sourceIndex, int source, SelectionEntry* entries, const ObjectRecord* rec) {
    int designation = static_cast<int16_t>(rec->designationId);
    if (selectionListIndex) selectionListIndex[p] = p;
    SelectionEntry& e = entries[p];
    e = SelectionEntry{};
    e.sourceIndex = static_cast<uint16_t>(sourceIndex);
    e.designation = static_cast<int16_t>(designation);
    e.objectType = static_cast<int16_t>(rec->objectType);
    e.constellation = static_cast<int16_t>(rec->constellation);
    e.source = static_cast<uint16_t>(source);
    e.number = rec->number;
    e.rightAscension = rec->rightAscension;
    e.declination = rec->declination;
    // The product in single precision, as the magnitude is held: 5.7 gives 57, not 56.
    e.mag10 = TruncatedInRange<int32_t>(rec->magnitude * 10.0f, -2147483647.0, 2147483647.0);
    e.distance = rec->distance;
    e.size1 = Size16(rec->size1);
    e.size2 = rec->size2 == 0.0f ? e.size1 : Size16(rec->size2);
    e.smallCode = static_cast<uint8_t>(rec->objectCode);
    e.typeCode = static_cast<uint8_t>(rec->classCode);
    char name[64];
    EntryName(name, sizeof name, sourceIndex, source, designation, rec);
    std::size_t length = std::strlen(name);
    if (length > sizeof e.name - 1) length = sizeof e.name - 1;  // cut to 14 characters; byte 14 stays 0
    std::memcpy(e.name, name, length);
    ++selectionListChanges;
}

}  // namespace

int MakeSelectionEntry(int sourceIndex, int source, SelectionEntry* entries, const ObjectRecord* rec) {
    const int p = selectionShownCount;
    if (!CanMakeEntry(entries, rec) || IsListed(entries, p, rec, source, sourceIndex)) return 0;
    FillEntry(p, sourceIndex, source, entries, rec);
    return 1;
}

int MakeSelectionEntry(int sourceIndex, int source, SelectionEntry* entries, const ObjectRecord* rec,
                       const ObjectIdentity& id, ListedObjects& listed) {
    const int p = selectionShownCount;
    if (!CanMakeEntry(entries, rec) || listed.Names(id)) return 0;
    FillEntry(p, sourceIndex, source, entries, rec);
    listed.Add(entries[p]);
    return 1;
}

int RemoveSelectionEntry(int position) {
    const int count = std::min(selectionCount, allocated);
    if (!selectionList || position < 0 || position >= count) return 0;
    std::copy(selectionList + position + 1, selectionList + count, selectionList + position);
    --selectionCount;
    --selectionShownCount;
    if (entryHeldAside >= position) entryHeldAside = entryHeldAside == position ? -1 : entryHeldAside - 1;
    SelectionEntry& freed = selectionList[selectionCount];
    freed.number = -1;
    freed.name[0] = '\0';
    return 1;
}

int FilterSelectionByClass(int classFilter, SelectionEntry* entries, int n) {
    bool filtered = classFilter >= 1 && classFilter <= 6;
    for (int type = 0; type < kObjectTypeCount; ++type)
        objectTypeTable[type].shown = !filtered || MapObjectTypeCode(type) == kClassCodeOfFilter[classFilter];
    if (!entries || !selectionListIndex || !selectionListPtr) return 0;
    if (entries != selectionList && !rowsOfOtherTable) entryHeldAside = HeldSelectionEntry();
    rowsOfOtherTable = entries != selectionList;
    const int limit = entries == selectionList ? allocated : shownRowsAllocated;
    if (n > limit) n = limit;
    int rows = 0;
    for (int i = 0; i < n; ++i) {
        int type = entries[i].objectType;
        bool shown = !filtered || (type >= 0 && type < kObjectTypeCount && objectTypeTable[type].shown);
        if (!shown) continue;
        selectionListIndex[rows] = i;
        selectionListPtr[rows] = &entries[i];
        ++rows;
    }
    return rows;
}

bool IsTypeInCurrentClass(int objectType) {
    int filter = selectionClassFilter;
    if (filter < 1 || filter > 6) return true;
    return MapObjectTypeCode(objectType) == kClassCodeOfFilter[filter];
}

int IsEntryInCurrentClass(int position) {
    if (position < 0 || position >= selectionCount || !selectionList) return 1;
    return IsTypeInCurrentClass(selectionList[position].objectType) ? 1 : 0;
}

int GetSelectionIndex(int row) {
    if (row < 0 || row >= allocated || !selectionListIndex) return -1;
    return selectionListIndex[row];
}

int FindSelectionEntry(const SelectionEntry* entries, const ObjectRecord* rec, int source, int sourceIndex) {
    if (!entries || !rec) return -1;
    if (source < 0) source = NumberTableSource(static_cast<int16_t>(rec->designationId));
    if (sourceIndex < 0) sourceIndex = rec->number;
    return FindObject(entries, std::min(selectionCount, allocated), IdentifyObject(*rec, source, sourceIndex));
}

int FindSelectionIndex(int position) {
    if (position < 0 || !selectionListIndex) return -1;
    int rows = std::min(selectionShownCount, allocated);
    for (int row = 0; row < rows; ++row)
        if (selectionListIndex[row] == position) return row;
    return -1;
}

int CurrentSelectionEntry() {
    if (rowsOfOtherTable) return EntryInUse(entryHeldAside);
    const int row = selectionCurrentRow;
    if (row < 0 || row >= selectionShownCount) return -1;
    return EntryInUse(GetSelectionIndex(row));
}

void HoldSelectionEntryAside(int position) {
    if (!rowsOfOtherTable) selectionCurrentRow = -1;
    entryHeldAside = EntryInUse(position);
}

void SetCurrentSelectionRow(int row) {
    selectionCurrentRow = row;
    if (!rowsOfOtherTable) entryHeldAside = -1;
}

int HeldSelectionEntry() {
    const int current = CurrentSelectionEntry();
    return current >= 0 ? current : EntryInUse(entryHeldAside);
}

int SetCurrentSelectionEntry(int position) {
    position = EntryInUse(position);
    entryHeldAside = position;
    if (rowsOfOtherTable) return -1;
    selectionCurrentRow = FindSelectionIndex(position);
    if (selectionCurrentRow >= 0) entryHeldAside = -1;
    return selectionCurrentRow;
}

namespace {

// The end of every rebuild over the list: `rows` rows shown, the entry at
// `held` (its position, taken before the rebuild) on the current row.
int TakeRebuiltRows(int rows, int held) {
    rowsOfOtherTable = false;
    selectionShownCount = rows;
    return SetCurrentSelectionEntry(held);
}

}  // namespace

int RebuildSelectionView(int keep) {
    if (!selectionList || !selectionListIndex || !selectionListPtr) return -1;
    const int held = HeldSelectionEntry();
    bool filtered = selectionClassFilter >= 1 && selectionClassFilter <= 6;
    int count = std::min(selectionCount, allocated);
    int rows = 0;
    for (int i = 0; i < count; ++i) {
        selectionListIndex[i] = -1;
        const SelectionEntry& e = selectionList[i];
        int type = e.objectType;
        bool typeShown = type >= 0 && type < kObjectTypeCount && objectTypeTable[type].shown;
        if ((filtered && i != keep && !typeShown) || !ShownInChartView(e)) continue;
        selectionListIndex[rows] = i;
        selectionListPtr[rows] = &selectionList[i];
        ++rows;
    }
    return TakeRebuiltRows(rows, held);
}

int RebuildSelectionByClass() {
    const int held = HeldSelectionEntry();
    const int rows = selectionList ? FilterSelectionByClass(selectionClassFilter, selectionList,
                                                            std::max(selectionCount, 0))
                                   : 0;
    TakeRebuiltRows(rows, held);
    return rows;
}

int FindSameSelectionEntry(const SelectionEntry& entry) {
    static_assert(sizeof(SelectionEntry) == 80, "an entry has no padding bytes to compare");
    const int count = selectionList ? std::min(selectionCount, allocated) : 0;
    for (int i = 0; i < count; ++i)
        if (std::memcmp(&selectionList[i], &entry, sizeof entry) == 0) return i;
    return -1;
}
