// Sort orders of the observing list.
#pragma once

// The Name order over the first `count` entries: with `firstPass`, by source
// code and then position in the source; then the entries after the leading run
// of planets, Messier and Caldwell entries (sources 1, 2, 3), when two or more,
// by designation and then number.
void SortSelectionByName(int count, bool firstPass);
