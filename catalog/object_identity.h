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
// that point at that record are found by their keys (the object file read only
// for rows whose keys match); without an open object file only the entry's own
// row counts.
ObjectIdentity IdentifyObject(const ObjectRecord& rec, int source, int sourceIndex);

// Whether the entry names the object: its table row is one of the object's, or
// its designation and number are the object's. An entry with a table row is
// that row's object alone once all the object's rows are known: a single add
// gives a Messier or Caldwell entry the table's designation and the row as its
// number, which another object's record may carry (the file's Messier 45 is
// the finder's M46). Compares numbers only, cheap enough for every entry of a
// long list.
bool NamesObject(const SelectionEntry& entry, const ObjectIdentity& id);
