// The observing (selection) list: the one list of objects of the running
// program, its shown view under the class filter, and the naming of entries.
// The capacity is fixed at allocation (GetSelectionListCapacity).
#pragma once

#include <cstdint>

#include "catalog/object_catalog.h"
#include "catalog/object_identity.h"
#include "catalog/selection_entry.h"

// Entries (capacity of them), and for each shown row its entry's position and address.
extern SelectionEntry* selectionList;
extern int32_t* selectionListIndex;
extern SelectionEntry** selectionListPtr;

extern int selectionCount;        // entries in use; -1 before allocation
extern int selectionShownCount;   // rows shown; while a list is built, the next entry's position
// The current row: a row of the shown rows as the last rebuild made them (the list form's view,
// the chart's), never an entry position; -1 for none. A rebuild keeps the entry on it current;
// while the rows do not show the current entry, no row is current and the entry is held aside
// (HeldSelectionEntry) until a rebuild shows it again.
extern int selectionCurrentRow;
extern int selectionClassFilter;  // 0 All, 1 Star, 2 Cluster, 3 Double Star, 4 Galaxy, 5 Nebula, 6 Planet
extern int selectionFillLimit;    // entries a search or a single add may fill
// Goes up whenever entries may hold other objects or places than before: an entry made
// (MakeSelectionEntry), the arrays allocated, a list file loaded, the comet file rewritten, a comet
// entry moved to another record (MatchListedComets). Places computed for the list before it changed
// are not those of its entries after.
extern uint32_t selectionListChanges;

// Entries of the allocated arrays; 0 before allocation.
int GetSelectionListAllocated();

// The "Max Selected items" preference: 25, 50, 100, 150, ... 500 objects.
int GetSelectedItemsCapacity();

// Entries of the observing-list allocation: the named bright stars, the "Max
// Selected items" preference and 5 more (one of them for a list file's end mark).
int GetSelectionListCapacity();

// Frees and allocates again the three arrays for GetSelectionListCapacity()
// entries (every entry free, number -1; every shown row -1; the shown-row
// arrays hold at least 60 rows, for the tables of other forms), marks the chart's
// horizon positions stale and empties the list (count 0, shown count -1, no
// current row); the fill limit becomes GetSelectedItemsCapacity(). On a
// failure shows which array could not be allocated and returns 0.
int AllocSelectionList();

// Allocates the arrays again for GetSelectionListCapacity() entries (a changed
// "Max Selected items") and carries the list into them: the first entries that
// fit (the allocation less the end entry), in their order, the shown rows that
// point at them and the current row, which follows its entry (row 0 when that
// entry was left out, -1 with no row left), or the entry held aside. *leftOut gets the entries that did
// not fit. Without a list it is AllocSelectionList. On an allocation failure
// shows which array could not be allocated, keeps the list in its old arrays
// and returns 0.
int ReallocSelectionList(int* leftOut);

// Frees the arrays and sets the counts and the current row to -1.
void FreeSelectionList();

// Fills entry selectionShownCount of `entries` from the record: 1, or 0 when the
// fill limit is reached or an entry before it names the same object (IsListed).
// The name follows the source code (planet names, "M%d" and "C%d" of
// sourceIndex + 1, prefix and number, cross-reference names of HR stars, Tycho
// numbers, the record's own name), cut to 14 characters. The caller advances
// selectionShownCount.
int MakeSelectionEntry(int sourceIndex, int source, SelectionEntry* entries, const ObjectRecord* rec);

// MakeSelectionEntry for a run that fills the list (a search, an import) and
// keeps what its first selectionShownCount entries name in `listed`: the object
// `id` (IdentifyObject of the record, source and source index) is looked for
// there instead of in the entries, and the entry made is added to it.
int MakeSelectionEntry(int sourceIndex, int source, SelectionEntry* entries, const ObjectRecord* rec,
                       const ObjectIdentity& id, ListedObjects& listed);

// Whether one of the first `count` entries names the object that an entry made
// from the record with `source` and `sourceIndex` would name, under any of its
// designations: the object file's record, which a Messier, Caldwell, Herschel
// or best-of-NGC entry gives by its table row (see IdentifyObject).
bool IsListed(const SelectionEntry* entries, int count, const ObjectRecord* rec, int source, int sourceIndex);

// True when MakeSelectionEntry would refuse any record for want of room: the
// fill position has reached the fill limit or the list's allocation.
bool SelectionFillIsFull();

// Removes entry `position` of selectionList: the entries after it move down
// one slot, the counts go down by one and the slot freed at the end is marked
// free (number -1, empty name); the entry held aside follows its entry (none
// when it is the one removed). 0, changing nothing, for a position that is
// not an entry in use. The caller clears the finder target and rebuilds the view.
int RemoveSelectionEntry(int position);

// Rebuilds the shown rows over the first n of `entries` for a class filter
// (0 or any value outside 1..6 keeps all) and returns their number; the shown
// flags of objectTypeTable follow the filter. n is cut to the allocated
// entries for selectionList, to the shown rows (60 at least) for another table.
// The rows are then positions in `entries`: while another table (a form's own)
// holds them, the list's current entry is kept aside (CurrentSelectionEntry)
// for the next rebuild over the list. The current row is left as it is.
int FilterSelectionByClass(int classFilter, SelectionEntry* entries, int n);

// Whether objects of this type pass the class filter (selectionClassFilter;
// a filter outside 1..6 passes everything).
bool IsTypeInCurrentClass(int objectType);

// 1 when entry `position` of selectionList passes the class filter, or when
// the position is not an entry in use (negative, or selectionCount or more).
int IsEntryInCurrentClass(int position);

// Position in selectionList of the entry on shown row `row`; -1 for a negative
// row or one past the allocated rows.
int GetSelectionIndex(int row);

// Position of the first of the selectionCount entries of `entries` that names
// the record's object (IsListed), the record taken as a single add lists it:
// with source code `source` (negative: that of a number table's designation,
// NumberTableSource) and source index `sourceIndex` (negative: its number).
// -1 when none.
int FindSelectionEntry(const SelectionEntry* entries, const ObjectRecord* rec, int source = -1, int sourceIndex = -1);

// Shown row that holds entry `position`; -1 when no shown row does.
int FindSelectionIndex(int position);

// Position in selectionList of the current entry: the entry on the current row,
// or, while another table holds the shown rows, the entry that was current when
// it took them; -1 for none, and while the list's rows do not show the current
// entry (the chart shows no selection then).
int CurrentSelectionEntry();

// The current entry as a rebuild keeps it: CurrentSelectionEntry, or when no
// row is current the entry held aside because the rows did not show it; -1
// for none.
int HeldSelectionEntry();

// Makes the entry at `position` current: selectionCurrentRow becomes the shown
// row that holds it; when no row does, it is -1 and the entry is held aside
// for the next rebuild that shows it (while another table holds the rows, it
// is only held aside and the row is left). -1, or a position that is no entry
// in use, leaves no current entry. Returns the row (-1 for none).
int SetCurrentSelectionEntry(int position);

// Makes shown row `row` current (-1 none); the entry held aside is dropped.
void SetCurrentSelectionRow(int row);

// No row current, the entry at `position` held aside (it stays the current entry).
void HoldSelectionEntryAside(int position);

// Rebuilds the shown rows over all selectionCount entries: an entry is shown
// when no class filter is set, when it is the entry at position `keep`, or
// when its type passes the filter; and, by the chart view (preference word
// 117), in the Visible Sky (3) when chartZ >= 0, in the Sky Map and Horizon
// View (0, 1) when the chart could place it (horizonHidden 0), in the other
// views always. The current entry stays current: its position is taken before
// the rebuild (HeldSelectionEntry), its row after (-1 when the new rows do not
// show it; then it is held aside). Returns the new current row.
int RebuildSelectionView(int keep);

// The list's own view: rebuilds the shown rows over all selectionCount entries
// under selectionClassFilter (FilterSelectionByClass), their number into
// selectionShownCount, and keeps the current entry current as
// RebuildSelectionView does. Returns the number of rows (0 without a list).
int RebuildSelectionByClass();

// Position of the first of the selectionCount entries equal to `entry` byte for
// byte: where an entry copied before a reorder went; -1 when none is.
int FindSameSelectionEntry(const SelectionEntry& entry);
