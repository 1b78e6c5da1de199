// The program state the list benchmarks start from: a program folder, the
// virtual clock at 5 March 2024 21:00, the catalogue databases opened, a site
// at 51 N and an empty observing list of "Max Selected items" row `itemsRow`
// (0: 25, 10: 500), the chart type of the search.
#pragma once

#include <string>

#include "catalog/databases.h"
#include "catalog/selection_list.h"
#include "core/preferences.h"
#include "core/shared_state.h"
#include "platform/clock.h"
#include "platform/files.h"

inline void StartListProgram(const std::string& home, int itemsRow) {
    pl::SetProgramFolder(home);
    pl::UseVirtualClock(pl::LocalTime{2024, 3, 5, 21, 0, 0});
    ResetSharedState();
    ValidatePreferences();
    ResetCatalogState();
    ReopenDatabases(0);
    SetSiteLatitude(currentSite, 51.0);
    preferences.word[kPrefMaxSelectedItems] = itemsRow;
    preferences.word[kPrefChartType] = 2;
    AllocSelectionList();
}
