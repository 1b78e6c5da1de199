// The observing list (form 1800, "VezizIvodozi", menu command 1004): the
// list's entries as symbols and names, filtered by object class and sortable,
// and the panel of the selected row. From it objects are added through the
// finder and deleted, the criteria form opened, the object shown in the sky
// chart, its picture or a new observer-log entry opened, and the list emptied
// or loaded from a file.
#pragma once

#include <cstdint>

#include "platform/types.h"

constexpr int kObservingListFormId = 1800;

// Control ids of form 1800.
constexpr int kListClassTrigger = 1801, kListClassList = 1802;
constexpr int kListSortTrigger = 1836, kListSortList = 1837;
constexpr int kListAdd = 1719, kListDelete = 1720, kListRows = 1803;
constexpr int kListBack = 1830, kListSky = 1832, kListLog = 1844, kListCriteria = 1831;
constexpr int kListRowPictures = 1840, kListTrash = 2247, kListFiles = 2248, kListInfo = 1834;

// The form's state: the entry the panel shows (-1 none), the sort popup's
// value, and the screen size read at start.
struct ObservingListState {
    int panelEntry = -1;
    int sortOrder = 0;
    int screenWidth = 0;
    int screenHeight = 0;
};
extern ObservingListState observingListState;

// Takes a finder target (added to the list and selected), brings the class
// filter into 0..6 and shows it, rebuilds the rows under it and updates the
// panel. The entry at position `keep` (an entry position, not a row) becomes
// current when it is shown; with keep -1 the current entry stays current (the
// entry on the current row of the rows another screen built, such as the
// chart's); when the rows do not show it, row 0 becomes current.
void RefreshObservingList(int keep);

// The action of a control of the form.
void ObservingListCommand(int id);

// Forgets the form's state (tests).
void ResetObservingListForm();

pl::LResult ObservingListProc(pl::Hwnd form, uint32_t message, pl::WParam wParam, pl::LParam lParam);
