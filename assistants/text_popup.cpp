#include "assistants/text_popup.h"

#include "ui/control_access.h"
#include "ui/popup_list.h"

void InitTextPopup(pl::Hwnd form, int trigger, int list, const char* const* rows, int count, int selection) {
    for (int i = count - 1; i >= 0; --i) AddListRow(form, list, rows[i]);
    InitPopupList(form, trigger, list, -1, 0, selection);
}
