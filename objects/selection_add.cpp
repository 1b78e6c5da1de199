#include "objects/selection_add.h"

#include "catalog/listed_places.h"
#include "catalog/selection_list.h"
#include "chart/sky_rotation.h"
#include "core/services.h"
#include "core/shared_state.h"
#include "objects/selected_object.h"
#include "objects/selection_search.h"

int AddObjectToSelection(const ObjectRecord* rec, int source, int sourceIndex) {
    if (!rec || !selectionList) return -1;
    if (source < 0) source = ObjectKindToCatalogCode(rec);
    if (sourceIndex < 0) sourceIndex = rec->number;
    int shown = selectionShownCount;
    if (shown < 0 || selectionCount < 0) {
        selectionCount = 0;
        shown = 0;
    }
    const bool listed = FindSelectionEntry(selectionList, rec, source, sourceIndex) >= 0;
    selectionShownCount = selectionCount;
    PrepareSelection(0, 0, 0);
    const int capacity = GetSelectedItemsCapacity();
    if (selectionCount >= capacity && !listed) selectionShownCount = selectionCount - 1;
    const int position = selectionShownCount;
    if (!MakeSelectionEntry(sourceIndex, source, selectionList, rec)) {
        const int existing = FindSelectionEntry(selectionList, rec, source, sourceIndex);
        selectionShownCount = shown;
        const int row = existing >= 0 ? SetCurrentSelectionEntry(existing) : -1;
        if (row < 0) selectionClassFilter = 0;
        return row;
    }
    // A planet or comet holds the place a refresh gives it (topocentric, of the chart's time), whatever
    // place the record had in the position mode of the form that found it.
    const DateTime& t = currentDateTime;
    RefreshMovingEntry(selectionList[position], t.year, t.month, t.day, t.hour, t.minute, t.second);
    ProjectObjectList(&selectionList[position], 1);
    if (selectionCount < capacity) ++selectionCount;
    RebuildSelectionView(position);
    return SetCurrentSelectionEntry(position);
}

bool SelectionHasNoRoomFor(const ObjectRecord* rec, int source, int sourceIndex) {
    if (source < 0) source = ObjectKindToCatalogCode(rec);
    return FindSelectionEntry(selectionList, rec, source, sourceIndex) < 0 &&
           selectionShownCount >= GetSelectedItemsCapacity();
}

namespace {

bool fullListNoted = false;

}  // namespace

void ShowSelectionListFull() {
    ShowInformation("The observing list is full: raise Max Selected items or remove an entry.", "");
}

void NoteSelectionListFull() { fullListNoted = true; }

void ShowNotedSelectionListFull() {
    if (!fullListNoted) return;
    fullListNoted = false;
    ShowSelectionListFull();
}
