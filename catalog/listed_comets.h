// The observing list's comet and asteroid entries (designation 12) name their
// record of the comet file by the name they show. The record number an entry
// holds is only where that name was last found: a list file or a memo written
// before a record was removed holds numbers that now lead to other records.
#pragma once

#include <string>

// Finds each comet entry's record again by its name. A record's name as the
// list shows it is its first 14 characters (a shorter name whole), and an
// entry names a record that shows its name, or continues it after a space
// (a record renamed "C/2027 Z1 (PanSTARRS)" still names the entry "C/2027 Z1";
// "C/2027 Z10" does not). A record is held by one entry at most. An entry keeps
// its number while that record shows its name, and while it continues its
// name unless the record shows the own name of an entry that holds no record
// of its name (that entry has the better claim: a list kept before a record
// was removed holds numbers of the next record). Only the entries left search
// again: each takes the first record of its name that no entry holds, then
// the others the first free record that continues theirs; else it names none
// (number -1: shown, but placed and sent nowhere). An entry that takes another
// record is marked placeUnknown until the list is placed again, and its source
// index follows its number.
// `removed` >= 0: that record was just taken out of the file, and the entries
// of the records after it first move down one with them, so that each entry of
// two records of one name keeps its own.
// The comet file's names are read once per call, and only for a list that has
// comet entries. Nothing happens while the comet file is closed: the numbers
// wait for it. Otherwise selectionListChanges goes up (the places are computed
// again from the file as it is now); returns whether an entry changed record.
bool MatchListedComets(int removed = -1);

// How many records of the comet file show `name` (their first 14 characters);
// 0 while the file is closed.
int CountCometRecordsShowing(const std::string& name);
