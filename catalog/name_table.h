// Tables of file names found by a directory scan, one 64-byte entry a name:
// the file lists of the memo import, the list manager and the observer log.
#pragma once

#include <array>

#include "core/growable_array.h"

constexpr int kNameTableEntrySize = 64;  // a name keeps at most 63 characters

using NameTableEntry = std::array<char, kNameTableEntrySize>;
// {entries, capacity, count}: capacity 10 at start, grown to 2 x capacity + 1.
using NameTable = GrowableArray<NameTableEntry>;

// Entry i of the table. Asking at or past the count makes the count i + 1,
// the new entries empty, the capacity grown as far as needed. Null for a
// negative i.
char* GetNameTableEntry(NameTable* table, int i);

// Empties the table and fills it with the names of the entries of `folder`
// (a program path such as "userlists", made when it is missing) that match
// `pattern` ("*.txt"), in name order, "." and ".." left out, each cut to 63
// characters. Returns the count.
int ScanNameTable(NameTable* table, const char* folder, const char* pattern);
