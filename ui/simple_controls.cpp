#include "ui/simple_controls.h"

#include <algorithm>
#include <cstdio>
#include <string>

#include "core/services.h"
#include "core/shared_buffers.h"
#include "platform/controls.h"
#include "platform/drawing.h"
#include "platform/focus.h"
#include "platform/resources.h"
#include "platform/gdi.h"
#include "platform/message_queue.h"
#include "platform/paint.h"
#include "platform/sys_colors.h"
#include "platform/text.h"
#include "platform/window.h"
#include "ui/background_paint.h"
#include "ui/colors.h"
#include "ui/control_access.h"
#include "ui/control_bitmaps.h"
#include "ui/control_records.h"
#include "ui/control_registry.h"
#include "ui/draw_window.h"
#include "ui/font_set.h"
#include "ui/forms.h"
#include "ui/input_polling.h"

namespace {

constexpr int kFieldTextMax = 512;
constexpr int kLabelTextMax = 64;

pl::LResult ListProc(pl::Hwnd list, uint32_t message, pl::WParam wParam, pl::LParam lParam) {
    ListRecord* r = RecordOf<ListRecord>(list);
    if (!r) return pl::DefWindowProc(list, message, wParam, lParam);
    switch (message) {
    case pl::WM_KEYDOWN: {
        int key = static_cast<int>(wParam);
        if (key != pl::VK_UP && key != pl::VK_DOWN) break;
        int row = pl::ListViewGetSelectionMark(list);
        int last = pl::ListViewGetItemCount(list) - 1;
        SelectListRow(list, key == pl::VK_UP ? std::max(row - 1, 0) : std::min(row + 1, last));
        pl::SendMessage(r->dialog, pl::WM_COMMAND, static_cast<pl::WParam>(r->listId), 0);
        FlushKeyEvents();
        return 0;
    }
    case pl::WM_LBUTTONDOWN:
    case pl::WM_LBUTTONDBLCLK: {
        pl::LResult result = CallPrevious<ListRecord>(list, message, wParam, lParam);
        if (pl::ListViewHitTest(list, pl::Point{pl::PointX(lParam), pl::PointY(lParam)}) >= 0)
            pl::SendMessage(r->dialog, pl::WM_COMMAND, static_cast<pl::WParam>(r->listId), 0);
        return result;
    }
    case pl::WM_DESTROY: return DestroyRecord<ListRecord>(list, message, wParam, lParam);
    default: break;
    }
    return CallPrevious<ListRecord>(list, message, wParam, lParam);
}

void ResizeToBitmap(pl::Hwnd button, int bitmapId) {
    int w = 0;
    int h = 0;
    if (!GetBitmapSize(bitmapId, &w, &h)) return;
    pl::SetWindowPos(button, nullptr, 0, 0, ScaleX(w), ScaleY(h), pl::SWP_NOMOVE | pl::SWP_NOZORDER);
}

void PaintBitmapButton(pl::Hwnd button, const BitmapButtonRecord& r) {
    pl::PaintStruct ps;
    pl::Rect c;
    pl::Hdc dc = BeginBackgroundPaint(button, &ps, &c);
    if (!dc) return;
    DrawControlBitmap(dc, r.currentBitmap, 0, 0, r.transparent != 0, ControlKeyFromColor(r.key));
    if (pl::GetFocus() == button) pl::DrawFocusRect(dc, c);
    pl::EndPaint(button, &ps);
}

void Repaint(pl::Hwnd window) {
    pl::Invalidate(window, nullptr, false);
    pl::UpdateNow(window);
}

pl::LResult ButtonProc(pl::Hwnd button, uint32_t message, pl::WParam wParam, pl::LParam lParam) {
    BitmapButtonRecord* r = RecordOf<BitmapButtonRecord>(button);
    if (!r) return pl::DefWindowProc(button, message, wParam, lParam);
    switch (message) {
    case pl::WM_LBUTTONDOWN:
    case pl::WM_LBUTTONDBLCLK: {
        pl::LResult result = CallPrevious<BitmapButtonRecord>(button, message, wParam, lParam);
        r->pressed = r->tracking = 1;
        Repaint(button);
        return result;
    }
    case pl::WM_MOUSEMOVE: {
        if (!r->tracking) break;
        uint8_t inside = PointerInside(button, lParam) ? 1 : 0;
        if (inside != r->pressed) {
            r->pressed = inside;
            Repaint(button);
        }
        return 0;
    }
    case pl::WM_LBUTTONUP:
        r->pressed = r->tracking = 0;
        Repaint(button);
        if (PointerInside(button, lParam)) break;
        pl::ReleaseCapture();
        return 0;
    case pl::WM_PAINT: PaintBitmapButton(button, *r); return 0;
    case pl::WM_ERASEBKGND: return 1;
    case pl::WM_DESTROY: return DestroyRecord<BitmapButtonRecord>(button, message, wParam, lParam);
    default: break;
    }
    return CallPrevious<BitmapButtonRecord>(button, message, wParam, lParam);
}

// The spacing of a field's ruled lines: 13 x scaleY + 1 pixels.
int RulePitch() { return ScaleY(13) + 1; }

// Ruled lines every RulePitch() pixels, at least one.
void DrawRules(pl::Hdc dc, const pl::Rect& c) {
    int step = ScaleY(13);
    int lines = std::max(1, step > 0 ? c.Height() / step : 1);
    pl::SelectObject(dc, GetColorSet().pen);
    for (int i = 1; i <= lines; ++i) {
        int y = i * RulePitch();
        const pl::Point line[2] = {{0, y}, {c.right, y}};
        pl::Polyline(dc, line, 2);
    }
}

// The text word-wrapped, each line standing on its rule (line i ends on rule
// i + 1): lines one font height apart drifted off the rules, which then ran
// through the letters of the lines below the first.
void PaintTextField(pl::Hwnd field) {
    pl::PaintStruct ps;
    pl::Rect c;
    pl::Hdc dc = BeginBackgroundPaint(field, &ps, &c);
    if (!dc) return;
    pl::SetBkColor(dc, GetBackgroundColor());
    pl::SetTextColor(dc, GetForegroundColor());
    const std::string text = pl::GetWindowText(field).substr(0, kFieldTextMax);
    pl::TextMetrics metrics;
    pl::GetTextMetrics(dc, &metrics);
    int bottom = RulePitch();
    for (const std::string& line : pl::BreakTextLines(dc, text, c.Width())) {
        pl::Rect row{c.left, bottom - metrics.height, c.right, bottom};
        pl::DrawText(dc, line, &row, pl::kTextSingleLine);
        bottom += RulePitch();
    }
    DrawRules(dc, c);
    pl::EndPaint(field, &ps);
}

pl::LResult FieldProc(pl::Hwnd field, uint32_t message, pl::WParam wParam, pl::LParam lParam) {
    TextFieldRecord* r = RecordOf<TextFieldRecord>(field);
    if (!r) return pl::DefWindowProc(field, message, wParam, lParam);
    switch (message) {
    case pl::WM_PAINT: PaintTextField(field); return 0;
    case pl::WM_LBUTTONDOWN:
    case pl::WM_LBUTTONDBLCLK:
        if (r->readOnly) break;
        pl::ReleaseCapture();
        pl::SendMessage(r->dialog, kMsgEditField, static_cast<pl::WParam>(r->fieldId), 0);
        return 0;
    case pl::WM_DESTROY: return DestroyRecord<TextFieldRecord>(field, message, wParam, lParam);
    default: break;
    }
    return CallPrevious<TextFieldRecord>(field, message, wParam, lParam);
}

void PaintLabel(pl::Hwnd label) {
    pl::PaintStruct ps;
    pl::Rect c;
    pl::Hdc dc = BeginBackgroundPaint(label, &ps, &c);
    if (!dc) return;
    // Font 1 is the context's own font in bold.
    if (pl::Hfont bold = GetFontHandle(1)) pl::SelectObject(dc, bold);
    pl::SetBkColor(dc, GetBackgroundColor());
    pl::SetTextColor(dc, GetForegroundColor());
    std::string text = pl::LabelDisplayText(pl::GetWindowText(label).substr(0, kLabelTextMax));
    pl::DrawText(dc, text, &c, pl::kTextSingleLine | pl::kTextVCenter);
    pl::EndPaint(label, &ps);
}

pl::LResult LabelProc(pl::Hwnd label, uint32_t message, pl::WParam wParam, pl::LParam lParam) {
    if (!RecordOf<LabelRecord>(label)) return pl::DefWindowProc(label, message, wParam, lParam);
    if (message == pl::WM_PAINT) {
        PaintLabel(label);
        return 0;
    }
    if (message == pl::WM_DESTROY) return DestroyRecord<LabelRecord>(label, message, wParam, lParam);
    return CallPrevious<LabelRecord>(label, message, wParam, lParam);
}

}  // namespace

void InitList(pl::Hwnd dialog, int listId, int rows, int selection, int hasScrollBar) {
    RegisterControlId(listId);
    pl::Hwnd list = pl::GetDlgItem(dialog, listId);
    if (!list) return;
    auto* r = new ListRecord{};
    r->dialog = dialog;
    r->list = list;
    r->listId = static_cast<int16_t>(listId);
    r->rows = static_cast<int16_t>(rows < 0 ? pl::ListViewGetItemCount(list) : rows);
    r->selection = static_cast<int16_t>(selection);
    AttachRecord(list, r, ListProc);
    pl::SendMessage(list, pl::LVM_SETITEMCOUNT, static_cast<pl::WParam>(r->rows), 0);
    pl::SendMessage(list, pl::LVM_SETBKCOLOR, 0, pl::GetSysColor(pl::kColorMenu));
    pl::SendMessage(list, pl::LVM_SETTEXTBKCOLOR, 0, GetBackgroundColor());
    pl::SendMessage(list, pl::LVM_SETTEXTCOLOR, 0, GetForegroundColor());
    pl::Rect c;
    pl::GetClientRect(list, &c);
    pl::LvColumn column;
    column.width = c.Width() - 4 - (hasScrollBar ? pl::GetSystemMetrics(pl::SM_CXVSCROLL) : 0);
    pl::SendMessage(list, pl::LVM_INSERTCOLUMN, 0, reinterpret_cast<pl::LParam>(&column));
    pl::SendMessage(list, pl::LVM_SETEXTENDEDSTYLE, pl::LVS_EX_FULLROWSELECT, pl::LVS_EX_FULLROWSELECT);
    if (selection >= 0) SelectListRow(list, selection);
}

void InitBitmapButton(pl::Hwnd dialog, int buttonId, int bitmapId, int transparent, pl::ColorRef key) {
    RegisterControlId(buttonId);
    pl::Hwnd button = pl::GetDlgItem(dialog, buttonId);
    if (!button) return;
    auto* r = new BitmapButtonRecord{};
    r->buttonId = static_cast<int16_t>(buttonId);
    r->bitmapId = r->currentBitmap = static_cast<int16_t>(bitmapId);
    r->transparent = static_cast<uint8_t>(transparent != 0);
    r->key = key;
    AttachRecord(button, r, ButtonProc);
    ResizeToBitmap(button, bitmapId);
}

void SetButtonIcon(pl::Hwnd dialog, int buttonId, int bitmapId, int transparent, pl::ColorRef key) {
    char local[kTxtBufferSize];
    char* text = txtBuffer ? txtBuffer : local;
    pl::Hwnd button = pl::GetDlgItem(dialog, buttonId);
    BitmapButtonRecord* r = RecordOf<BitmapButtonRecord>(button);
    if (!r) {
        std::snprintf(text, kTxtBufferSize, "SetButtonIcon\nCan't find %d", buttonId);
        ShowInformation(text, "");
        return;
    }
    int w = 0;
    int h = 0;
    if (!GetBitmapSize(bitmapId, &w, &h)) {
        std::snprintf(text, kTxtBufferSize, "SetButtonIcon\nCan't find bitmap %d for button %d", bitmapId, buttonId);
        ShowInformation(text, "");
        return;
    }
    r->bitmapId = r->currentBitmap = static_cast<int16_t>(bitmapId);
    r->transparent = static_cast<uint8_t>(transparent != 0);
    r->key = key;
    r->pressed = r->tracking = 0;
    ResizeToBitmap(button, bitmapId);
    Repaint(button);
}

void InitTextField(pl::Hwnd dialog, int fieldId, int readOnly) {
    RegisterControlId(fieldId);
    pl::Hwnd field = pl::GetDlgItem(dialog, fieldId);
    if (!field) return;
    auto* r = new TextFieldRecord{};
    r->dialog = dialog;
    r->fieldId = static_cast<int16_t>(fieldId);
    r->readOnly = static_cast<uint8_t>(readOnly != 0);
    AttachRecord(field, r, FieldProc);
}

void InitLabel(pl::Hwnd dialog, int labelId) {
    RegisterControlId(labelId);
    pl::Hwnd label = pl::GetDlgItem(dialog, labelId);
    if (!label) return;
    auto* r = new LabelRecord{};
    r->labelId = static_cast<int16_t>(labelId);
    AttachRecord(label, r, LabelProc);
}
