#include "ui/owner_draw.h"

#include "platform/drawing.h"
#include "platform/sys_colors.h"
#include "ui/colors.h"
#include "ui/draw_window.h"

void DrawOwnerItem(pl::Hwnd window, const pl::DrawItem* item, OwnerRowRoutine routine) {
    if (!item) return;
    bool selected = (item->itemState & pl::ODS_SELECTED) != 0;
    InitDrawWindow(item->hwndItem, item->hdc);
    SetTextColorRef(selected ? GetHighlightTextColor() : GetForegroundColor());
    pl::FillRect(item->hdc, item->rcItem, selected ? GetHighlightBrush() : pl::GetSysColorBrush(pl::kColorMenu));
    // Text cells drawn opaque take the row's fill, so a selected row shows its
    // text over the highlight rather than in a white box.
    pl::SetBkColor(item->hdc, selected ? GetHighlightColor() : pl::GetSysColor(pl::kColorMenu));
    XywhRect rect;
    RectToXywh(item->rcItem, &rect);
    if (routine) routine(static_cast<int16_t>(item->itemId), rect, selected ? 1 : 0, rect.width);
    InitDrawWindowOwnDc(window);
}
