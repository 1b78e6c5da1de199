// The text-input dialog (135): every tap-to-edit text field is edited in it,
// with the input panel up.
#pragma once

#include "platform/types.h"

// Size of the text being edited, terminator included.
constexpr int kTextInputSize = 500;

// Edits the text of field `fieldId` of `form` with `title` (empty: no title,
// the edit takes its place) and at most maxLength - 1 characters. "Cancel"
// gives the field back the text it had.
void RunTextInputDialog(pl::Hwnd form, int fieldId, const char* title, int maxLength);

// The text of the last edit (tests).
const char* GetTextInputBuffer();
