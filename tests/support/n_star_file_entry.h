// The entry of the saved N-star list's fuzz target and of its replay test:
// the input is the whole "userlists\nstar.nsa" file.
#pragma once

#include <cstddef>
#include <cstdint>

// 0 when every check held; otherwise the number of the first that failed:
// 1 an entry was taken beyond the file's limits (name length, ra, dec, the
// other angles), 2 the entries read do not write and read back the same,
// 3 a line was counted both as an entry and as damaged, or neither.
int RunNStarFile(const uint8_t* data, std::size_t size);
