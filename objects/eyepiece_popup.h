// The eyepiece popup of the forms that offer the eyepieces: row 0 is "None",
// row n the eyepiece of record n - 1 of the eyepiece file.
#pragma once

#include "platform/types.h"

// Selects row `eyepiece` of the popup and sets its label to the text of
// eyepiece record eyepiece - 1, or to `noneText` for row 0.
void SetEyepiecePopupLabel(int eyepiece, int popupId, int listId, const char* noneText);

// Fills list `listId` of `form` with the popup's rows ("None" and every
// eyepiece record) and returns how many rows it has.
int AddEyepieceRows(pl::Hwnd form, int listId);
