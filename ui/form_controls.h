// Thin routines on the controls of a form: check boxes, showing and hiding,
// and report-style lists. A missing control is skipped.
#pragma once

#include <cstdint>

#include "platform/types.h"

void SetCheckbox(pl::Hwnd dialog, int id, bool on);
bool IsCheckboxOn(pl::Hwnd dialog, int id);
// Control ids serve as indices: the id itself.
int GetObjectIndex(pl::Hwnd dialog, int id);
void ShowObject(pl::Hwnd dialog, int id);
// Hides the control, fills its place on the dialog with the background brush
// and validates it there.
void HideObject(pl::Hwnd dialog, int id);

// Scrolls the last row into view and updates the list.
void ListScrollToEnd(pl::Hwnd list);
// Selection mark and selected state on the row.
void ListSelectRow(pl::Hwnd list, int row);
void ListEnsureVisible(pl::Hwnd list, int row);
// With texts: the list emptied, then the n texts appended in order. Without:
// n rows for a list whose rows are drawn on demand.
void SetListItems(pl::Hwnd list, const char* const* texts, int n);
// The row count (16-bit).
int ListGetCount(pl::Hwnd list);
// The row count of a control of the active form, 0 when it is missing.
int GetListCount(int id);
