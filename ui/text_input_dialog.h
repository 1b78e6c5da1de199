// The text-input dialog (135): every tap-to-edit text field is edited in it,
// with the input panel up.
#pragma once

#include <functional>

#include "platform/types.h"

// Size of the text being edited, terminator included.
constexpr int kTextInputSize = 500;

// Decides whether an edited text, whole as typed, may be taken (what it
// accepts is then kept cut to the input's length); it shows its own message
// when it may not.
using TextInputCheck = std::function<bool(const char* text)>;

// Edits the text of field `fieldId` of `form` with `title` (empty: no title,
// the edit takes its place) and at most maxLength - 1 characters; a text left
// as the field held it is kept whole. "Cancel" gives the field back the text
// it had. With a check, "Ok" on a text the
// check refuses keeps the dialog open with the focus in its edit. Returns
// IDOK or IDCANCEL.
int RunTextInputDialog(pl::Hwnd form, int fieldId, const char* title, int maxLength, TextInputCheck check = {});

// The text of the last edit (tests).
const char* GetTextInputBuffer();
