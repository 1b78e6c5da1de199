// Short accessors of the active form's controls by id (the active form is
// GetCurrentFormWindow), with the fixed reports for a missing control.
#pragma once

#include <cstddef>

#include "platform/types.h"

// Sets the control's text; false when there is no active form. A missing
// control: "SetField: NULL Obj ptr" with the id as detail.
bool SetField(int id, const char* text);

// Reads the control's text into buffer (`length` bytes, terminator included:
// at most length - 1 characters). False when the buffer is null, length is
// below 1 or there is no active form. A missing control: a message box
// "GetField; Bad id <id>" on the active window.
bool GetField(int id, char* buffer, int length);

// Shows or hides a control. A missing control: "Show: NULL Obj ptr".
void Show(pl::Hwnd dialog, int id, bool show);

// The list's selection mark; -1 and "Get: NULL List ptr" for a missing list.
int Get(int listId);

// Selects a row of the list when it differs from the selection mark: the row
// becomes the mark, selected and scrolled into view, and the list is painted
// at once; -1 clears the selected and focused states of every row. Returns
// the previous mark. A missing list: "Set: NULL List ptr" and -1.
int Set(int listId, int row);

// Inserts a row at the top of the list, so rows show in the reverse order of
// the calls. Nothing when the text or the list is missing.
void AddListRow(pl::Hwnd dialog, int listId, const char* text);

// Invalidates the control and paints it at once.
void RedrawControl(pl::Hwnd dialog, int id);

// The default text of lists whose rows are not stored: "Item %d" for column
// 0 (image 0) and "Item %d,%d" for other columns. `notification` is the
// WM_NOTIFY lParam; 1 when it was a display-text request, else 0.
pl::LResult ListDisplayText(pl::LParam notification);

// The list-level operations of Set, on a list window.
int SelectListRow(pl::Hwnd list, int row);
