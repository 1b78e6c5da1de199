// The import of element sets into the satellite database: text in the
// export's format (a name line, then element lines 1 and 2), read from a memo
// file of "userlists", merged into "data\zendavori_satellites.ppc".
#pragma once

#include <cstddef>
#include <vector>

#include "catalog/comet_satellite_db.h"

// What a text gave: the records that read, and the skipped count.
struct ElementSetText {
    std::vector<SatelliteRecord> records;  // fields zero-filled after their text
    int skipped = 0;
};

// True when `line` (`length` characters, no line end) is an element line of
// number `lineNumber` (1 or 2): 69 to 71 printable ASCII characters, beginning
// with the digit and a blank, its 69th character the check digit (the sum of
// the digits of the first 68 characters plus 1 for each '-', modulo 10), and
// every element field holding only what its format allows (ElementFieldsRead:
// no letters, "nan" or "inf" in a number).
bool IsElementLine(const char* line, std::size_t length, int lineNumber);

// Reads `size` bytes of text. Lines end at LF (a CR before it is dropped);
// blank lines are passed over. A record is a name line (1 to 71 printable
// characters, not itself an element line) followed by element lines 1 and 2.
// Anything else is skipped and counted: a name line followed by two lines that
// begin "1 " and "2 " but do not read (a wrong check digit or length, a field
// holding a character its format does not allow), or whose fields are out of
// range (InitSatelliteElements), as one record, every other line on its own.
// Never reads past `size` bytes.
ElementSetText ReadElementSetText(const char* text, std::size_t size);

// The satellite database with `records` merged in: a record whose name line
// (trailing blanks aside) equals one of the database replaces it, any other is
// appended, up to 65535 records; *leftOut counts those refused for want of
// room. The file is written whole beside its name and then takes it, so a
// failed write leaves the old file as it was ("Error while importing
// satellites." with the file name); the database is opened again either way.
// Nothing is written when no record changes, nor when the file is there but
// cannot be read ("Error while importing satellites." with "data/<file> could
// not be read; it is left as it is."). Returns the records placed, -1 on a
// failure.
int MergeSatelliteRecords(const std::vector<SatelliteRecord>& records, int* leftOut);

// Reads `text`, merges what it holds (nothing is written when no record
// reads) and reports "%d Satellite record%s imported." ("s" above 1) with the
// detail "%d skipped." when anything was skipped and "%d left out: the
// satellite file is full (65535 sets)." when the file had no room. Returns the
// records imported.
int ImportSatelliteText(const char* text, std::size_t size);
