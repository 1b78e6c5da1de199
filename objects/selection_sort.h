// Sort orders of the observing list.
#pragma once

// The orders of SortSelectionList, as the list form's sort popup numbers them.
enum SelectionSortOrder {
    kSortByName = 0,     // planets, Messier, Caldwell, then by designation and number
    kSortByMagnitude,    // brightest first
    kSortBySize,         // largest first size, then smallest second size
    kSortByTransit,      // earliest transit today at the site first
    kSortByRa,           // right ascension ascending
    kSortByAltitude,     // highest now at the site first
};

// The Name order over the first `count` entries: with `firstPass`, by source
// code and then position in the source; then the entries after the leading run
// of planets, Messier and Caldwell entries (sources 1, 2, 3), when two or more,
// by designation and then number.
void SortSelectionByName(int count, bool firstPass);

// Sorts all selectionCount entries in `order` (an order outside 0..5 leaves
// them) and rebuilds the shown view under the class filter; the current entry
// stays current on its new row. Apart from the
// Name order's first pass, ties go to the designation, then the number, both
// ascending. Every order takes the list's time (ListDateTime: its own date,
// else the program's time): the planets, comets and asteroids at their places,
// magnitudes and sizes of that time (ListedPlacesAt), the transit times
// (ComputeRiseTransitSetFixed, local hours) and altitudes (degrees) for it at
// currentSite, each computed once per sort.
void SortSelectionList(int order);
