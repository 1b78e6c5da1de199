// The record ranges of the catalogues in the full object file, read from the
// file itself when it is opened, so a catalogue the file does not hold lists
// nothing and no two ranges overlap.
#pragma once

#include "catalog/record_db.h"

// Sets designationTable's ranges from the open full object file: a catalogue
// with a built-in range gets the run of its records from record 1126 on
// ([first record, last record + 1)), or no records when the file holds none;
// the other catalogues have none. A record that cannot be read ends the scan.
void ReadObjectFileRanges(RecordDbHandle* objectFile);
