// The eyepiece popup of the forms that offer the eyepieces: row 0 is "None",
// row n the eyepiece of record n - 1 of the eyepiece file.
#pragma once

// Selects row `eyepiece` of the popup and sets its label to the text of
// eyepiece record eyepiece - 1, or to `noneText` for row 0.
void SetEyepiecePopupLabel(int eyepiece, int popupId, int listId, const char* noneText);
