// The eyepiece popup of the forms that offer the eyepieces.
#pragma once

// Selects row `eyepiece` of the popup and sets its label to that eyepiece's
// text, or to `noneText` for 0.
void SetEyepiecePopupLabel(int eyepiece, int popupId, int listId, const char* noneText);
