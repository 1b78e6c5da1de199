// Which observing-list entries name one object, under whatever designation the
// program gave it. An object of the object file is its record there. The
// Messier, Caldwell, Herschel 400 and best-of-NGC tables point rows at records;
// their entries (source codes 2, 3, 7 and 9) keep the row as their source index
// whatever designation and number they carry (a search's entry the record's,
// the finder's "M31" Messier 40 and number 30), so the row names the object.
#pragma once

#include <cstdint>

#include "catalog/object_catalog.h"
#include "catalog/selection_entry.h"
#include "core/key_index.h"

// One object: the designation and number of its object-file record (those it
// was given when it has no table row, or its row's record cannot be read), and
// the table rows that point at that record, as (source code, row); allRows
// when these are every row that does (the object file was read).
struct ObjectIdentity {
    static constexpr int kMostRows = 8;  // a record is on at most one row of each of the four tables
    int designation = 0;
    int32_t number = 0;
    bool allRows = false;
    int rowCount = 0;
    int rowSource[kMostRows] = {};
    int rowIndex[kMostRows] = {};
};

// The source code of a number table's designation (Messier 40 gives 2, Caldwell
// 9 gives 3, Herschel 25 gives 7, best of NGC 49 gives 9); -1 for any other.
int NumberTableSource(int designation);

// The object that an entry made from `rec` with `source` and `sourceIndex`
// names: with a table source and a row inside that table, the row's record;
// else the record's own designation and number. The rows of the four tables
// that point at that record are taken from an index of every row's record,
// made from the open object file at the first identification after the file
// was opened or its record ranges set; without an open object file only the
// entry's own row counts.
ObjectIdentity IdentifyObject(const ObjectRecord& rec, int source, int sourceIndex);

// Whether the entry names the object: its table row is one of the object's, or
// its designation and number are the object's. An entry with a table row is
// that row's object alone once all the object's rows are known: a single add
// gives a Messier or Caldwell entry the table's designation and the row as its
// number, which another object's record may carry (the file's Messier 45 is
// the finder's M46). Compares numbers only, cheap enough for every entry of a
// long list.
bool NamesObject(const SelectionEntry& entry, const ObjectIdentity& id);

// The objects that a run of list entries names, for a search or an import that
// adds many entries: whether one of them names an object (NamesObject) is then
// a few look-ups, whatever the number of entries. It holds what NamesObject
// reads of each entry (table row, designation and number), not positions: it
// stays right while those entries are moved among themselves (a sort), as
// long as every entry made after them is added and none of them is removed or
// changed.
class ListedObjects {
public:
    // The objects that the first `count` of `entries` name (none for null entries).
    ListedObjects(const SelectionEntry* entries, int count);
    void Add(const SelectionEntry& entry);
    // Whether an entry given so far names the object.
    bool Names(const ObjectIdentity& id) const;

private:
    KeyIndex rows_;            // (source code, row) of the entries with a table row
    KeyIndex keysWithRow_;     // (designation, number) of those entries
    KeyIndex keysWithoutRow_;  // (designation, number) of the other entries
};
