#include "objects/eyepiece_popup.h"

#include "catalog/eyepieces.h"
#include "ui/popup_list.h"

void SetEyepiecePopupLabel(int eyepiece, int popupId, int listId, const char* noneText) {
    SetPopupList(popupId, listId, eyepiece);
    if (eyepiece <= 0) {
        SetPopupLabel(popupId, noneText);
        return;
    }
    char text[48];
    uint32_t value = 0;
    float focal = 0;
    GetEyepieceRecord(eyepiece - 1, &value, &focal, text, sizeof text);
    SetPopupLabel(popupId, text);
}
