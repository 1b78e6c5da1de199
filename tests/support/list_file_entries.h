// The entries of the user list and memo fuzz targets and of their replay tests:
// the input is the whole file in "userlists", read by the program's own
// functions into the observing list. Each returns 0 when every check held,
// otherwise the number of the first check that failed.
#pragma once

#include <cstddef>
#include <cstdint>

// "userlists\list.lst": its header as the list manager reads it, the list
// loaded, its rows shown and the list saved and loaded again, then saved over
// the file. 1 more entries than the list holds, 2 a name not terminated, 3 the
// saved list read back other than it was, 4 a file holding an entry name
// without its terminating zero saved over before its copy was made, 5 a file
// whose date words make no date and time loaded without its copy.
int RunUserLists(const uint8_t* data, std::size_t size);

// "userlists\memo.txt" beside a fixture object file and a comet file of like
// names (two records of one name, two alike in 14 characters): the memo read and
// imported over a list of one entry, and each of its lines parsed; the list
// then exported and imported again. 1 more entries than the list holds, 2 a
// name not terminated, 3 a line parsed past its text, 4 an entry whose place
// is no place on the sky, 5 the list read back from its export with another
// number of entries or places, 6 a memo that gives no entry changing the list,
// 7 a line given a place whose RA or Dec is a whole number beyond 32 bits, 8
// two comet entries on one record, or a comet entry back from its export on
// another record.
int RunMemos(const uint8_t* data, std::size_t size);
