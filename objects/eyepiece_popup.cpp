#include "objects/eyepiece_popup.h"

#include "catalog/eyepieces.h"
#include "ui/control_access.h"
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

int AddEyepieceRows(pl::Hwnd form, int listId) {
    // Rows show in the reverse order of their additions.
    int count = CheckEyepieceDatabase();
    for (int i = count; i-- > 0;) {
        char text[48];
        uint32_t value = 0;
        float focal = 0;
        GetEyepieceRecord(i, &value, &focal, text, sizeof text);
        AddListRow(form, listId, text);
    }
    AddListRow(form, listId, "None");
    return count + 1;
}
