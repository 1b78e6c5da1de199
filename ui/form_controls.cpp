#include "ui/form_controls.h"

#include "platform/controls.h"
#include "platform/dialog.h"
#include "platform/drawing.h"
#include "platform/message_queue.h"
#include "platform/paint.h"
#include "platform/window.h"
#include "ui/colors.h"
#include "ui/current_form.h"

void SetCheckbox(pl::Hwnd dialog, int id, bool on) { pl::CheckDlgButton(dialog, id, on); }

bool IsCheckboxOn(pl::Hwnd dialog, int id) { return pl::IsDlgButtonChecked(dialog, id); }

int GetObjectIndex(pl::Hwnd, int id) { return id; }

void ShowObject(pl::Hwnd dialog, int id) {
    if (pl::Hwnd control = pl::GetDlgItem(dialog, id)) pl::ShowWindow(control, pl::SW_SHOW);
}

void HideObject(pl::Hwnd dialog, int id) {
    pl::Hwnd control = pl::GetDlgItem(dialog, id);
    pl::Rect r;
    if (!control || !pl::GetWindowRect(control, &r)) return;
    pl::ShowWindow(control, pl::SW_HIDE);
    pl::Point origin{0, 0};
    pl::ClientToScreen(dialog, &origin);
    r = pl::Offset(r, -origin.x, -origin.y);
    pl::Hdc dc = pl::GetDC(dialog);
    pl::FillRect(dc, r, GetBackgroundBrush());
    pl::ReleaseDC(dialog, dc);
    pl::Validate(dialog, &r);
}

void ListScrollToEnd(pl::Hwnd list) {
    pl::ListViewEnsureVisible(list, pl::ListViewGetItemCount(list) - 1);
    pl::UpdateNow(list);
}

void ListSelectRow(pl::Hwnd list, int row) {
    pl::ListViewSetSelectionMark(list, row);
    pl::ListViewSetItemState(list, row, pl::LVIS_SELECTED, pl::LVIS_SELECTED);
}

void ListEnsureVisible(pl::Hwnd list, int row) { pl::ListViewEnsureVisible(list, row); }

void SetListItems(pl::Hwnd list, const char* const* texts, int n) {
    if (!texts) {
        pl::SendMessage(list, pl::LVM_SETITEMCOUNT, static_cast<pl::WParam>(n), 0);
        return;
    }
    pl::SendMessage(list, pl::LVM_SETITEMCOUNT, 0, 0);
    for (int i = 0; i < n; ++i) pl::ListViewInsertItem(list, pl::ListViewGetItemCount(list), texts[i] ? texts[i] : "");
}

int ListGetCount(pl::Hwnd list) { return static_cast<int16_t>(pl::ListViewGetItemCount(list)); }

int GetListCount(int id) {
    pl::Hwnd list = pl::GetDlgItem(GetCurrentFormWindow(), id);
    return list ? ListGetCount(list) : 0;
}
