#include "ui/title_control.h"

#include <cstring>

#include "core/services.h"
#include "platform/drawing.h"
#include "platform/focus.h"
#include "platform/gdi.h"
#include "platform/menus.h"
#include "platform/message_queue.h"
#include "platform/paint.h"
#include "platform/text.h"
#include "platform/window.h"
#include "ui/background_paint.h"
#include "ui/colors.h"
#include "ui/control_records.h"
#include "ui/control_registry.h"
#include "ui/draw_window.h"
#include "ui/font_set.h"
#include "ui/forms.h"
#include "ui/menu_bar.h"
#include "ui/shell_state.h"
#include "ui/text_drawing.h"

int lastMenu = 0;

namespace {

void PaintTitle(pl::Hwnd title, const TitleRecord& r) {
    pl::PaintStruct ps;
    pl::Rect c;
    pl::Hdc dc = BeginBackgroundPaint(title, &ps, &c);
    if (!dc) return;
    int corner = c.Height() * 2 / 3;
    pl::SelectObject(dc, GetHighlightPen());
    pl::SelectObject(dc, GetHighlightBrush());
    pl::RoundRect(dc, 0, 0, c.right, c.bottom, corner, corner);
    pl::FillRect(dc, pl::Rect{0, c.Height() / 2, c.right, c.bottom}, GetHighlightBrush());
    if (pl::Hfont font = GetFontHandle(1)) pl::SelectObject(dc, font);
    pl::SetBkColor(dc, GetHighlightColor());
    pl::SetTextColor(dc, GetHighlightTextColor());
    pl::Rect textRect{corner / 3, 0, c.right, c.bottom};
    pl::DrawText(dc, r.text, &textRect, pl::kTextSingleLine | pl::kTextVCenter);
    pl::EndPaint(title, &ps);
    pl::Rect dialogClient;
    pl::GetClientRect(r.dialog, &dialogClient);
    pl::Rect strip{0, ScaleY(22), dialogClient.right, ScaleY(24)};
    pl::Invalidate(r.dialog, &strip, false);
}

pl::LResult TitleProc(pl::Hwnd title, uint32_t message, pl::WParam wParam, pl::LParam lParam) {
    TitleRecord* r = RecordOf<TitleRecord>(title);
    if (!r) return pl::DefWindowProc(title, message, wParam, lParam);
    switch (message) {
    case pl::WM_PAINT: PaintTitle(title, *r); return 0;
    case pl::WM_LBUTTONDOWN:
    case pl::WM_LBUTTONDBLCLK:
        if (!PointerInside(title, lParam)) break;
        r->pressed = r->pressed2 = 1;
        if (!r->menuFlag) break;
        ShowTitleMenu(r->dialog);
        return 0;
    case pl::WM_LBUTTONUP: r->pressed = r->pressed2 = 0; break;
    case pl::WM_KILLFOCUS: pl::Invalidate(title, nullptr, false); break;
    case pl::WM_DESTROY: return DestroyRecord<TitleRecord>(title, message, wParam, lParam);
    default: break;
    }
    return CallPrevious<TitleRecord>(title, message, wParam, lParam);
}

// The title text's width in font 1 plus 12 x scaleX. Making the font set may
// show a message box, during which the form may go away.
int MeasureTitle(pl::Hwnd dialog, const char* text) {
    InitDrawWindowOwnDc(dialog);
    int previousFont = SelectFont(1);
    int width = CharsWidth(text, static_cast<int>(std::strlen(text))) + ScaleX(12);
    SelectFont(previousFont);
    return width;
}

void SetUpTitle(pl::Hwnd dialog, int titleId, const char* text, int menuFlag) {
    RegisterControlId(titleId);
    if (!pl::GetDlgItem(dialog, titleId)) return;
    auto* r = new TitleRecord{};
    r->dialog = dialog;
    r->titleId = static_cast<int16_t>(titleId);
    r->menuFlag = static_cast<int16_t>(menuFlag);
    std::strncpy(r->text, text ? text : "", sizeof r->text - 1);
    r->titleWidth = static_cast<int16_t>(MeasureTitle(dialog, r->text));
    pl::Hwnd title = pl::GetDlgItem(dialog, titleId);
    if (!title) {
        delete r;
        return;
    }
    AttachRecord(title, r, TitleProc);
    lastMenu = 0;
    pl::MoveWindow(title, 0, 0, r->titleWidth, ScaleY(24));
    pl::Invalidate(title, nullptr, true);
    pl::UpdateNow(title);
    pl::SetFocus(dialog);
}

}  // namespace

void InitTitle(pl::Hwnd dialog, int titleId, const char* text) {
    if (GetCurrentFormDialog()) {
        ShowInformation("InitTitle Close Dialog", "");
        DestroyCurrentForm();
    }
    SetCurrentFormDialog(dialog);
    SetCurrentFormWindow(dialog);
    if (titleId < 0) {
        InitDrawWindowOwnDc(dialog);
        return;
    }
    SetUpTitle(dialog, titleId, text, 1);
}

void InitDialogTitle(pl::Hwnd dialog, int titleId, const char* text) {
    if (titleId < 0) {
        InitDrawWindowOwnDc(dialog);
        return;
    }
    SetUpTitle(dialog, titleId, text, 0);
}
