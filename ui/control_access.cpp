#include "ui/control_access.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "core/services.h"
#include "platform/controls.h"
#include "platform/paint.h"
#include "platform/window.h"
#include "ui/info_box.h"
#include "ui/shell_state.h"

namespace {

pl::Hwnd ActiveControl(int id, const char* missingText) {
    pl::Hwnd control = pl::GetDlgItem(GetCurrentFormWindow(), id);
    if (!control && missingText) ShowInformation(missingText, std::to_string(id));
    return control;
}

}  // namespace

bool SetField(int id, const char* text) {
    if (!GetCurrentFormWindow()) return false;
    pl::Hwnd control = ActiveControl(id, "SetField: NULL Obj ptr");
    if (!control) return false;
    pl::SetWindowText(control, text ? text : "");
    return true;
}

bool GetField(int id, char* buffer, int length) {
    if (!buffer || length < 1 || !GetCurrentFormWindow()) return false;
    std::memset(buffer, 0, static_cast<std::size_t>(length));
    pl::Hwnd control = pl::GetDlgItem(GetCurrentFormWindow(), id);
    if (!control) {
        ShowMessageBox("GetField; Bad id " + std::to_string(id), "");
        return false;
    }
    std::string text = pl::GetWindowText(control);
    std::size_t n = std::min(text.size(), static_cast<std::size_t>(length - 1));
    std::memcpy(buffer, text.data(), n);
    return true;
}

void Show(pl::Hwnd dialog, int id, bool show) {
    pl::Hwnd control = pl::GetDlgItem(dialog, id);
    if (!control) {
        ShowInformation("Show: NULL Obj ptr", std::to_string(id));
        return;
    }
    pl::ShowWindow(control, show ? pl::SW_SHOW : pl::SW_HIDE);
}

int Get(int listId) {
    pl::Hwnd list = ActiveControl(listId, "Get: NULL List ptr");
    return list ? pl::ListViewGetSelectionMark(list) : -1;
}

int SelectListRow(pl::Hwnd list, int row) {
    int previous = pl::ListViewGetSelectionMark(list);
    if (row == previous) return previous;
    if (row == -1) {
        pl::ListViewSetItemState(list, -1, 0, pl::LVIS_SELECTED | pl::LVIS_FOCUSED);
        return previous;
    }
    // The row becomes the one highlighted row: a selection left on another row
    // (by an earlier mark or a tap) is taken away first.
    pl::ListViewSetItemState(list, -1, 0, pl::LVIS_SELECTED);
    pl::ListViewSetSelectionMark(list, row);
    pl::ListViewSetItemState(list, row, pl::LVIS_SELECTED, pl::LVIS_SELECTED);
    pl::ListViewEnsureVisible(list, row);
    pl::UpdateNow(list);
    return previous;
}

int Set(int listId, int row) {
    pl::Hwnd list = ActiveControl(listId, "Set: NULL List ptr");
    return list ? SelectListRow(list, row) : -1;
}

void AddListRow(pl::Hwnd dialog, int listId, const char* text) {
    pl::Hwnd list = pl::GetDlgItem(dialog, listId);
    if (!text || !list) return;
    pl::ListViewInsertItem(list, 0, text);
}

void RedrawControl(pl::Hwnd dialog, int id) {
    pl::Hwnd control = pl::GetDlgItem(dialog, id);
    if (!control) return;
    pl::Invalidate(control, nullptr, true);
    pl::UpdateNow(control);
}

pl::LResult ListDisplayText(pl::LParam notification) {
    auto* info = reinterpret_cast<pl::LvDispInfo*>(notification);
    if (!info || info->header.code != pl::LVN_GETDISPINFO) return 0;
    pl::LvItem& item = info->item;
    if (item.text && item.textMax > 0) {
        if (item.subItem == 0)
            std::snprintf(item.text, static_cast<std::size_t>(item.textMax), "Item %d", item.item);
        else
            std::snprintf(item.text, static_cast<std::size_t>(item.textMax), "Item %d,%d", item.item, item.subItem);
    }
    if (item.subItem == 0) item.image = 0;
    return 1;
}
