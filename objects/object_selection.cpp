#include "objects/object_selection.h"

#include <algorithm>

#include "catalog/designations.h"
#include "catalog/listed_places.h"
#include "catalog/selection_list.h"
#include "chart/chart_clock.h"
#include "core/shared_state.h"
#include "objects/current_object.h"
#include "objects/selection_search.h"
#include "ui/preference_values.h"

namespace {

constexpr int kTelescopeLimit = 2;

void LimitComets(int catalogue) {
    selectionCriteria.magnitude = catalogue == kDesignationComet ? kTelescopeLimit : 0;
}

}  // namespace

void RunObjectSelection(int kind, int catalogue, int option) {
    int n = std::min(GetSelectionListCapacity(), GetSelectionListAllocated());
    PrepareSelection(kind, catalogue, option);
    for (int i = 0; i < n; ++i) selectionList[i].number = -1;
    selectionShownCount = 0;
    LimitComets(catalogue);
    BuildSelectionList();
    const DateTime& t = currentDateTime;
    // The first row's planet or comet at its place of the program's time, as the chart will draw it.
    if (const SelectionEntry* first = selectionShownCount > 0 ? ShownEntryAt(0, t) : nullptr) {
        currentObject.rightAscension = first->rightAscension;
        currentObject.declination = first->declination;
        SetChartDateTime(&currentObject, t.year, t.month, t.day, t.hour, t.minute);
    }
}

void RunObjectSelectionKeepIndex(int kind, int catalogue, int option) {
    // The current entry by its bytes: the search sorts the list it appends to.
    const int held = CurrentSelectionEntry();
    const SelectionEntry current = held >= 0 ? selectionList[held] : SelectionEntry{};
    PrepareSelection(kind, catalogue, option);
    selectionShownCount = std::max(selectionCount, 0);
    if (catalogue == kDesignationComet) selectionCriteria.magnitude = kTelescopeLimit;
    BuildSelectionList();
    SetCurrentSelectionEntry(held >= 0 ? FindSameSelectionEntry(current) : -1);
}
