// The saved N-star list: "userlists\nstar.nsa" in the program folder, a text
// file of one line per entry, fields separated by tabs:
//   name, kind, index, then the record's twelve numbers in their order (time,
//   ra, dec, reading1, reading2, model1, model2, measured1, measured2,
//   corrected1, corrected2, sidereal; degrees, sidereal in hours)
// so that a loaded entry keeps its reading and its predictions. Numbers are
// written with 17 significant digits and read back exactly. The file is
// written through a temporary file renamed over the old one.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "scope/alignment.h"

constexpr char kNStarFile[] = "userlists\\nstar.nsa";
constexpr char kNStarTemporaryFile[] = "userlists\\nstar.nsa.tmp";
// A file longer than this is no N-star list.
constexpr std::size_t kNStarFileLargest = 64 * 1024;

// The bytes of the file for n entries. Tabs and control characters in a name
// are written as blanks.
std::vector<uint8_t> EncodeNStarList(const AlignmentStar* list, int n);

// What a file holds: its good entries in order (all of them, even past 20),
// and the numbers (from 1) of the lines that do not read as an entry. Blank
// lines are neither. A line reads when it has the fifteen fields, a name of
// at most 19 characters, whole numbers for kind and index, and finite numbers
// with ra in 0..360, dec in -90..90 and the other angles within 1000.
struct NStarFileContents {
    std::vector<AlignmentStar> entries;
    std::vector<int> damagedLines;
};
NStarFileContents ParseNStarList(const uint8_t* bytes, std::size_t size);

// Save: the list written to the file. Nothing written and "Please add at
// least one stars." for an empty list; "Can't save the N-star list" when the
// file cannot be written (the old one is kept). Returns 1 when saved.
int SaveNStarList();

// Load: the file's entries (the first 20) replace the list, the first becoming
// current. Damaged lines are skipped and told, with the entries past the 20th;
// a file that cannot be read or holds no entry is told and leaves the list as
// it was. Returns 1 when the list was replaced.
int LoadNStarList();
