// Shared helpers of the catalogue screen tests.
#pragma once

#include <cstdio>

#include "catalog/designations.h"
#include "catalog/selection_list.h"

// Observing-list entries "E0" .. "E<n-1>" (NGC objects 0 .. n-1), all shown.
// Runs on the UI thread.
inline void FillObservingList(int n) {
    for (int i = 0; i < n; ++i) {
        SelectionEntry& e = selectionList[i];
        e = SelectionEntry{};
        std::snprintf(e.name, sizeof e.name, "E%d", i);
        e.number = i;
        e.designation = kDesignationNgc;
        e.source = kSourceNone;
    }
    selectionCount = n;
    selectionShownCount = FilterSelectionByClass(0, selectionList, n);
}
