// The export of the satellite database as text: every record as its name line
// and its two element lines, each up to 71 characters and ended by "\n", in
// database order, written as one memo file of "userlists".
#pragma once

#include <string>

#include "catalog/comet_satellite_db.h"

// Appends the three lines of `record` to `text`: each line is the field's
// characters up to its first NUL or its 71st, then "\n". Returns 1.
int AppendSatelliteRecordLines(std::string& text, const SatelliteRecord& record);

// Writes one memo's text; returns 1.
using SatelliteMemoWriter = int (*)(const char* text);

// Every record from 0 to GetSatelliteCount() - 1 into memos written by
// `writeMemo`: the text gathered so far becomes a memo before a record
// whenever the record appended before it began after character 3596; the rest
// is the last memo (one empty memo when nothing was read). The busy indicator
// steps every fifth record and ends afterwards; a record that cannot be read
// ends the export early, keeping what was gathered. Returns the records
// exported.
int ExportSatelliteRecords(SatelliteMemoWriter writeMemo);

// ExportSatelliteRecords into one memo, written once when every record is
// gathered (EndMemoExport: under a name no other memo has), then, once it is
// written whole, "%d Satellite record%s exported.\n" in the "Information" box
// ("s" above 1). With no record read (no satellite file, an empty one):
// "Nothing to export." and no file. Returns 1.
int ExportSatellites();
