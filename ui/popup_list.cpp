#include "ui/popup_list.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "core/preferences.h"
#include "core/services.h"
#include "platform/controls.h"
#include "platform/drawing.h"
#include "platform/focus.h"
#include "platform/fonts.h"
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
#include "ui/shell_state.h"
#include "ui/input_polling.h"

namespace {

constexpr int kDayArrow = 124;
constexpr int kNightArrow = 126;
constexpr int kRowTextMax = 32;

pl::Rect RectInDialog(pl::Hwnd control, pl::Hwnd dialog) {
    pl::Rect r;
    pl::GetWindowRect(control, &r);
    pl::Point topLeft{r.left, r.top};
    pl::ScreenToClient(dialog, &topLeft);
    return pl::Offset(r, topLeft.x - r.left, topLeft.y - r.top);
}

// Row height of the list: the dialog font's height of "Ap" plus scaleX.
int PopupRowHeight(pl::Hwnd dialog) {
    pl::Hdc dc = pl::GetDC(dialog);
    pl::Size size;
    pl::GetTextExtent(dc, "Ap", &size);
    pl::ReleaseDC(dialog, dc);
    return size.height + ScaleX(1);
}

// Below the trigger; moved up to end 22 x scaleY above the form's bottom, and
// left by what passes the form's right edge.
void PlaceList(const PopupRecord& r, int rowHeight) {
    pl::Rect trigger = RectInDialog(r.trigger, r.dialog);
    pl::Rect list = RectInDialog(r.list, r.dialog);
    pl::Rect form;
    pl::GetClientRect(r.dialog, &form);
    int width = list.Width();
    int height = r.visibleRows * rowHeight;
    int left = trigger.left;
    int top = trigger.bottom;
    if (top + height > form.bottom) top = std::max(0, form.bottom - ScaleY(22) - height);
    if (left + width > form.right) left = std::max(0, left - (left + width - form.right));
    pl::SetWindowPos(r.list, pl::HWND_TOP, left, top, width, height, pl::SWP_HIDEWINDOW | pl::SWP_NOACTIVATE);
}

void SetUpPopupListView(const PopupRecord& r, bool visibleRowsGiven) {
    pl::SendMessage(r.list, pl::LVM_SETITEMCOUNT, static_cast<pl::WParam>(r.rows), 0);
    pl::ColorRef menu = pl::GetSysColor(pl::kColorMenu);
    pl::SendMessage(r.list, pl::LVM_SETBKCOLOR, 0, menu);
    pl::SendMessage(r.list, pl::LVM_SETTEXTBKCOLOR, 0, menu);
    pl::SendMessage(r.list, pl::LVM_SETTEXTCOLOR, 0, GetForegroundColor());
    pl::Rect list;
    pl::GetClientRect(r.list, &list);
    pl::LvColumn column;
    column.width = list.Width() - 4 - (visibleRowsGiven ? pl::GetSystemMetrics(pl::SM_CXVSCROLL) : 0);
    pl::SendMessage(r.list, pl::LVM_INSERTCOLUMN, 0, reinterpret_cast<pl::LParam>(&column));
    pl::SendMessage(r.list, pl::LVM_SETEXTENDEDSTYLE, pl::LVS_EX_FULLROWSELECT, pl::LVS_EX_FULLROWSELECT);
    SelectListRow(r.list, r.selection);
}

// The trigger's content: the label, the hook or the selected row's text.
void PaintTriggerText(PopupRecord& r, pl::Hdc dc, const pl::Rect& area) {
    int mark = pl::ListViewGetSelectionMark(r.list);
    bool highlighted = mark != -1 && pl::GetFocus() == r.trigger;
    pl::SetBkColor(dc, highlighted ? GetHighlightColor() : GetBackgroundColor());
    pl::SetTextColor(dc, highlighted ? GetHighlightTextColor() : GetForegroundColor());
    std::string text;
    if (r.label[0]) {
        text = r.label;
    } else if (r.hook) {
        InitDrawWindow(r.trigger, dc);
        r.hook(mark, area.left, area.top, area.Width(), area.Height(), 0);
        InitDrawWindowOwnDc(r.dialog);
        return;
    } else if (mark != -1) {
        text = pl::ListViewGetItemText(r.list, mark).substr(0, kRowTextMax);
    }
    // The trigger is a control of the form's template: its text is in the
    // dialog font, as the labels beside it.
    pl::SelectObject(dc, pl::GetDialogFont());
    pl::Rect textRect = area;
    pl::DrawText(dc, text, &textRect, pl::kTextSingleLine | pl::kTextVCenter);
}

void PaintTrigger(PopupRecord& r) {
    pl::PaintStruct ps;
    pl::Rect c;
    pl::Hdc dc = BeginBackgroundPaint(r.trigger, &ps, &c);
    if (!dc) return;
    int w = 0;
    int h = 0;
    GetBitmapSize(r.arrowBitmap, &w, &h);
    DrawControlBitmap(dc, r.arrowBitmap, 0, 0, r.arrowTransparent != 0, ControlKeyFrom555(r.arrowKey));
    r.arrowWidth = static_cast<int16_t>(w + ScaleX(2));
    PaintTriggerText(r, dc, pl::Rect{ScaleX(r.arrowWidth), 0, c.right, c.bottom});
    pl::EndPaint(r.trigger, &ps);
}

void RepaintNow(pl::Hwnd window) {
    pl::Invalidate(window, nullptr, true);
    pl::UpdateNow(window);
}

// The row under a point of the list, hit-tested near its left edge.
int RowAt(const PopupRecord& r, pl::LParam point) {
    return pl::ListViewHitTest(r.list, pl::Point{ScaleX(5), pl::PointY(point)});
}

void ChooseRow(PopupRecord& r, int row) {
    r.selection = static_cast<int16_t>(row);
    SelectListRow(r.list, row);
    RepaintNow(r.trigger);
    pl::UpdateNow(r.list);
}

// An open popup's loop. `dropped` holds the windows whose paints the loop
// took without painting them: they are invalidated again when it ends. Open
// loops are chained, innermost first, so that a trigger destroyed while its
// loop runs (its form closed by a call that arrived inside GetMessage) can
// take its record away from the loop before freeing it.
struct PopupLoop {
    explicit PopupLoop(PopupRecord& record);
    ~PopupLoop();
    PopupLoop(const PopupLoop&) = delete;
    PopupLoop& operator=(const PopupLoop&) = delete;

    PopupRecord* r;     // null once the trigger is destroyed
    PopupLoop* outer;
    bool guard = true;       // until a pen-down lands on a row, moves and releases are ignored
    bool scrolling = false;  // a pen-down went to the list's scroll bar: its moves and release follow it
    int remembered = -1;
    std::vector<pl::Hwnd> dropped;
};

PopupLoop* openLoops = nullptr;

PopupLoop::PopupLoop(PopupRecord& record) : r(&record), outer(openLoops) { openLoops = this; }

PopupLoop::~PopupLoop() { openLoops = outer; }

// The trigger of `r` is being destroyed: its open loops end without the record.
void ForgetRecordInLoops(const PopupRecord* r) {
    for (PopupLoop* loop = openLoops; loop; loop = loop->outer)
        if (loop->r == r) loop->r = nullptr;
}

// A message taken after the loop lost its record belongs to the program:
// it is handled as the program's own loop would.
void DispatchAsProgram(pl::Msg& msg) {
    if (pl::TranslateAccelerator(msg.hwnd, accelTable, &msg)) return;
    pl::TranslateMessage(&msg);
    pl::DispatchMessage(&msg);
}

void Close(PopupLoop& loop) {
    for (pl::Hwnd w : loop.dropped)
        if (pl::IsWindow(w)) pl::Invalidate(w, nullptr, false);
}

// The list's own handling of a message: its scroll bar and its Page keys.
void PassToList(const PopupRecord& r, const pl::Msg& msg) { pl::SendMessage(r.list, msg.id, msg.wParam, msg.lParam); }

// Page Up or Down moves the list's row, and its view, by a page from the
// popup's row; the trigger follows as it does for Up and Down.
void PageRows(PopupRecord& r, const pl::Msg& msg) {
    if (r.selection >= 0) pl::ListViewSetItemState(r.list, r.selection, pl::LVIS_FOCUSED, pl::LVIS_FOCUSED);
    PassToList(r, msg);
    int mark = pl::ListViewGetSelectionMark(r.list);
    if (mark >= 0 && mark != r.selection) ChooseRow(r, mark);
    pl::UpdateNow(r.list);
}

bool OnScrollBar(const PopupRecord& r, pl::LParam point) {
    return pl::ListViewOnScrollBar(r.list, pl::Point{pl::PointX(point), pl::PointY(point)});
}

// Handles one message; true when the loop is over.
bool PopupStep(PopupLoop& loop, const pl::Msg& msg, bool* chosen) {
    PopupRecord& r = *loop.r;
    bool onList = msg.hwnd == r.list;
    switch (msg.id) {
    case pl::WM_LBUTTONDOWN:
    case pl::WM_LBUTTONDBLCLK: {
        if (!onList) return true;
        if (OnScrollBar(r, msg.lParam)) {
            loop.scrolling = true;
            PassToList(r, msg);
            pl::UpdateNow(r.list);
            return false;
        }
        int row = RowAt(r, msg.lParam);
        if (row < 0) return false;
        r.pressedInList = 1;
        loop.guard = false;
        ChooseRow(r, row);
        loop.remembered = row;
        return false;
    }
    case pl::WM_MOUSEMOVE: {
        if (loop.scrolling) {
            if (onList) PassToList(r, msg);
            pl::UpdateNow(r.list);
            return false;
        }
        if (!onList || loop.guard || !PointerInside(r.list, msg.lParam)) return false;
        int row = RowAt(r, msg.lParam);
        if (row < 0) return false;
        r.label[0] = '\0';
        if (row != loop.remembered) {
            ChooseRow(r, row);
            loop.remembered = row;
        }
        return false;
    }
    case pl::WM_LBUTTONUP: {
        if (loop.scrolling) {
            loop.scrolling = false;
            if (onList) PassToList(r, msg);
            return false;
        }
        if (!onList || !r.pressedInList || loop.guard) return false;
        int row = RowAt(r, msg.lParam);
        if (row < 0) return false;
        r.label[0] = '\0';
        if (row != r.selection) ChooseRow(r, row);
        *chosen = true;
        return true;
    }
    case pl::WM_KEYDOWN: {
        int last = pl::ListViewGetItemCount(r.list) - 1;
        if (msg.wParam == static_cast<pl::WParam>(pl::VK_UP)) ChooseRow(r, std::max(r.selection - 1, 0));
        if (msg.wParam == static_cast<pl::WParam>(pl::VK_DOWN)) ChooseRow(r, std::min(r.selection + 1, last));
        if (msg.wParam == static_cast<pl::WParam>(pl::VK_PRIOR) || msg.wParam == static_cast<pl::WParam>(pl::VK_NEXT))
            PageRows(r, msg);
        return false;
    }
    case pl::WM_PAINT:
        if (msg.hwnd == r.trigger || onList)
            pl::DispatchMessage(&msg);
        else
            loop.dropped.push_back(msg.hwnd);
        return false;
    default: return false;
    }
}

// Hides the list and, when a row was chosen, tells the form.
void CloseList(PopupRecord& r, bool chosen) {
    pl::ShowWindow(r.list, pl::SW_HIDE);
    RepaintNow(r.trigger);
    if (chosen) {
        pl::PostMessage(r.dialog, pl::WM_COMMAND, pl::MakeWParam(r.triggerId, r.listId), 0);
    } else {
        RepaintNow(r.list);
    }
    FlushPenEvents();
    pl::SetFocus(r.dialog);
}

// The nested loop of an open popup. The quit message ends it and is posted
// again. When the trigger is destroyed under it the loop ends at the next
// message without touching the freed record.
void RunPopupLoop(PopupRecord& r) {
    SelectListRow(r.list, r.selection);
    // A list scrolled away from its row when it was last open shows the row again.
    pl::ListViewEnsureVisible(r.list, r.selection);
    pl::ShowWindow(r.list, pl::SW_SHOW);
    pl::BringWindowToTop(r.list);
    pl::SetFocus(r.list);
    r.pressedInList = 0;
    FlushPenEvents();
    RepaintNow(r.trigger);
    pl::UpdateNow(r.list);
    PopupLoop loop(r);
    bool chosen = false;
    pl::Msg msg;
    while (true) {
        if (pl::GetMessage(&msg, nullptr, 0, 0) == 0) {
            pl::PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (!loop.r) {
            DispatchAsProgram(msg);
            break;
        }
        if (pl::TranslateAccelerator(msg.hwnd, accelTable, &msg)) continue;
        if (PopupStep(loop, msg, &chosen)) break;
    }
    if (loop.r) CloseList(r, chosen);
    Close(loop);
    // What the list covered is painted before the chosen row's command runs.
    pl::PaintInvalidNow();
}

pl::LResult TriggerProc(pl::Hwnd trigger, uint32_t message, pl::WParam wParam, pl::LParam lParam) {
    PopupRecord* r = RecordOf<PopupRecord>(trigger);
    if (!r) return pl::DefWindowProc(trigger, message, wParam, lParam);
    switch (message) {
    case pl::WM_PAINT: PaintTrigger(*r); return 0;
    case pl::WM_LBUTTONDOWN:
    case pl::WM_LBUTTONDBLCLK:
        if (!PointerInside(trigger, lParam)) return 0;
        if (pl::ListViewGetItemCount(r->list) >= 1) RunPopupLoop(*r);
        return 0;
    case pl::WM_DESTROY:
        ForgetRecordInLoops(r);
        if (pl::IsWindow(r->list)) pl::SetWindowUserData(r->list, 0);
        return DestroyRecord<PopupRecord>(trigger, message, wParam, lParam);
    default: return CallPrevious<PopupRecord>(trigger, message, wParam, lParam);
    }
}

// Paints like a trigger and ignores everything else.
pl::LResult CustomProc(pl::Hwnd control, uint32_t message, pl::WParam wParam, pl::LParam lParam) {
    PopupRecord* r = RecordOf<PopupRecord>(control);
    if (!r) return pl::DefWindowProc(control, message, wParam, lParam);
    if (message == pl::WM_PAINT) {
        PaintTrigger(*r);
        return 0;
    }
    if (message == pl::WM_DESTROY) {
        ForgetRecordInLoops(r);
        return DestroyRecord<PopupRecord>(control, message, wParam, lParam);
    }
    return 0;
}

PopupRecord* TriggerRecord(pl::Hwnd dialog, int id) { return RecordOf<PopupRecord>(pl::GetDlgItem(dialog, id)); }

// The trigger on the active form; a missing one is reported with its id.
pl::Hwnd ActiveTrigger(int id, const char* missingText) {
    pl::Hwnd trigger = pl::GetDlgItem(GetCurrentFormWindow(), id);
    if (!trigger) ShowInformation(missingText, std::to_string(id));
    return trigger;
}

}  // namespace

void InitPopupList(pl::Hwnd dialog, int triggerId, int listId, int rows, int visibleRows, int selection) {
    RegisterControlId(triggerId);
    pl::Hwnd trigger = pl::GetDlgItem(dialog, triggerId);
    pl::Hwnd list = pl::GetDlgItem(dialog, listId);
    if (!trigger || !list) return;
    int rowHeight = PopupRowHeight(dialog);
    auto* r = new PopupRecord{};
    r->dialog = dialog;
    r->trigger = trigger;
    r->list = list;
    r->triggerId = static_cast<int16_t>(triggerId);
    r->listId = static_cast<int16_t>(listId);
    r->selection = static_cast<int16_t>(selection);
    r->arrowBitmap = preferences.word[kPrefNightMode] != 0 ? kNightArrow : kDayArrow;
    r->rows = static_cast<int16_t>(rows < 0 ? pl::ListViewGetItemCount(list) : rows);
    r->visibleRows = static_cast<int16_t>(visibleRows < 1 ? r->rows + 1 : visibleRows);
    AttachRecord(trigger, r, TriggerProc);
    r->listPrevious = pl::GetWindowProc(list);
    pl::SetWindowUserData(list, reinterpret_cast<pl::LParam>(r));
    SetUpPopupListView(*r, visibleRows >= 1);
    PlaceList(*r, rowHeight);
}

void SetPopupDisplay(pl::Hwnd dialog, int triggerId, int arrowBitmap, int transparent, uint16_t key) {
    if (PopupRecord* r = TriggerRecord(dialog, triggerId)) {
        r->arrowBitmap = static_cast<int16_t>(arrowBitmap);
        r->arrowTransparent = static_cast<int16_t>(transparent);
        r->arrowKey = key;
    }
}

void SetControlHook(pl::Hwnd dialog, int triggerId, PopupDrawHook hook) {
    if (PopupRecord* r = TriggerRecord(dialog, triggerId)) r->hook = hook;
}

void SubclassPopupList(pl::Hwnd dialog, int id) {
    pl::Hwnd control = pl::GetDlgItem(dialog, id);
    if (RecordOf<PopupRecord>(control)) pl::SetWindowProc(control, TriggerProc);
}

void SubclassCustomControl(pl::Hwnd dialog, int id) {
    pl::Hwnd control = pl::GetDlgItem(dialog, id);
    if (RecordOf<PopupRecord>(control)) pl::SetWindowProc(control, CustomProc);
}

void SetPopupList(int popupId, int listId, int row) {
    pl::Hwnd trigger = ActiveTrigger(popupId, "SetPopupList:\nNULL popup Wnd");
    PopupRecord* r = RecordOf<PopupRecord>(trigger);
    if (!r) return;
    r->label[0] = '\0';
    r->selection = static_cast<int16_t>(row);
    pl::Invalidate(trigger, nullptr, true);
    if (row == -1)
        std::strcpy(r->label, " ");
    else
        Set(listId, row);
}

void SetPopupLabel(int popupId, const char* text) {
    pl::Hwnd trigger = ActiveTrigger(popupId, "SetPopupLabel:\nNULL popup Wnd");
    PopupRecord* r = RecordOf<PopupRecord>(trigger);
    if (!r) return;
    std::memset(r->label, 0, sizeof r->label);
    if (text && text[0])
        std::strncpy(r->label, text, sizeof r->label - 1);
    else if (text)
        std::strcpy(r->label, " ");
    RepaintNow(trigger);
}
