// The report-style list view: rows of texts in columns, one row height, a
// vertical scroll bar when the rows do not fit. No column header is drawn.
#include <algorithm>
#include <cstring>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/control_paint.h"
#include "platform/controls.h"
#include "platform/drawing.h"
#include "platform/focus.h"
#include "platform/fonts.h"
#include "platform/message_queue.h"
#include "platform/messages.h"
#include "platform/paint.h"
#include "platform/screen.h"
#include "platform/sys_colors.h"
#include "platform/text.h"
#include "platform/window.h"

namespace pl {
namespace {

constexpr int kTextMax = 260;

struct Row {
    std::vector<std::string> texts;
    uint32_t state = 0;
    LParam param = 0;
};

struct ListState {
    std::vector<Row> rows;
    std::vector<int> columns;  // widths
    int mark = -1;
    int top = 0;
    int rowHeight = 0;
    uint32_t exStyle = 0;
    std::optional<ColorRef> bkColor, textBkColor, textColor;
    bool draggingThumb = false;
    int dragOffset = 0;
};

ControlStates<ListState> lists;

uint32_t Style(Hwnd h) { return GetWindowStyle(h); }
bool OwnerData(Hwnd h) { return Style(h) & LVS_OWNERDATA; }
bool OwnerDraw(Hwnd h) { return Style(h) & LVS_OWNERDRAWFIXED; }
int Count(const ListState& s) { return static_cast<int>(s.rows.size()); }
bool ValidRow(const ListState& s, int i) { return i >= 0 && i < Count(s); }

// Geometry of the list: the frame inset, the rows area and the scroll bar.
struct Layout {
    Rect client;
    Rect rows;
    Rect bar;  // empty without a scroll bar
    int perPage = 1;
};

Layout LayoutOf(Hwnd h, const ListState& s) {
    Layout l;
    GetClientRect(h, &l.client);
    int inset = (Style(h) & WS_BORDER) ? 1 : 0;
    l.rows = Rect{inset, inset, l.client.right - inset, l.client.bottom - inset};
    int height = std::max(1, s.rowHeight);
    l.perPage = std::max(1, l.rows.Height() / height);
    if (!(Style(h) & LVS_NOSCROLL) && Count(s) > l.perPage) {
        int w = GetSystemMetrics(SM_CXVSCROLL);
        l.bar = Rect{l.rows.right - w, l.rows.top, l.rows.right, l.rows.bottom};
        l.rows.right -= w;
    }
    return l;
}

int MaxTop(Hwnd h, const ListState& s) { return std::max(0, Count(s) - LayoutOf(h, s).perPage); }

void SetTop(Hwnd h, ListState& s, int top) {
    top = std::clamp(top, 0, MaxTop(h, s));
    if (top == s.top) return;
    s.top = top;
    Invalidate(h, nullptr, false);
}

Rect RowRect(Hwnd h, const ListState& s, int index) {
    Layout l = LayoutOf(h, s);
    int y = l.rows.top + (index - s.top) * s.rowHeight;
    return Rect{l.rows.left, y, l.rows.right, y + s.rowHeight};
}

void InvalidateRow(Hwnd h, const ListState& s, int index) {
    Rect r = RowRect(h, s, index);
    Invalidate(h, &r, false);
}

int HitRow(Hwnd h, const ListState& s, Point p) {
    Layout l = LayoutOf(h, s);
    if (!l.rows.Contains(p) || s.rowHeight <= 0) return -1;
    int row = s.top + (p.y - l.rows.top) / s.rowHeight;
    return ValidRow(s, row) ? row : -1;
}

void Notify(Hwnd h, int code) {
    NotifyHeader n{h, GetDlgCtrlID(h), code};
    SendMessage(GetParent(h), WM_NOTIFY, static_cast<WParam>(n.id), reinterpret_cast<LParam>(&n));
}

void NotifyChange(Hwnd h, int item, uint32_t oldState, uint32_t newState) {
    LvChange c;
    c.header = NotifyHeader{h, GetDlgCtrlID(h), LVN_ITEMCHANGED};
    c.item = item;
    c.oldState = oldState;
    c.newState = newState;
    SendMessage(GetParent(h), WM_NOTIFY, static_cast<WParam>(c.header.id), reinterpret_cast<LParam>(&c));
}

// Sets the state bits under mask of one row; repaints and notifies on change.
void SetRowState(Hwnd h, ListState& s, int index, uint32_t state, uint32_t mask) {
    Row& r = s.rows[static_cast<size_t>(index)];
    uint32_t next = (r.state & ~mask) | (state & mask);
    if (next == r.state) return;
    uint32_t old = r.state;
    r.state = next;
    InvalidateRow(h, s, index);
    NotifyChange(h, index, old, next);
}

void SetState(Hwnd h, ListState& s, int index, uint32_t state, uint32_t mask) {
    if (index == -1) {
        for (int i = 0; i < Count(s); ++i) SetRowState(h, s, i, state, mask);
        return;
    }
    if (!ValidRow(s, index)) return;
    // One selected and one focused row at most: taking a bit takes it from the others.
    uint32_t exclusive = state & mask & (LVIS_FOCUSED | ((Style(h) & LVS_SINGLESEL) ? LVIS_SELECTED : 0));
    if (exclusive)
        for (int i = 0; i < Count(s); ++i)
            if (i != index && (s.rows[static_cast<size_t>(i)].state & exclusive))
                SetRowState(h, s, i, 0, exclusive);
    // The parent may have deleted rows on a change notice.
    if (ValidRow(s, index)) SetRowState(h, s, index, state, mask);
}

void EnsureVisible(Hwnd h, ListState& s, int index) {
    if (!ValidRow(s, index)) return;
    int perPage = LayoutOf(h, s).perPage;
    if (index < s.top) SetTop(h, s, index);
    else if (index >= s.top + perPage) SetTop(h, s, index - perPage + 1);
}

// Selects and focuses one row as a tap or a key does: that row alone is selected.
void Choose(Hwnd h, ListState& s, int index) {
    if (!ValidRow(s, index)) return;
    for (int i = 0; i < Count(s); ++i)
        if (i != index && (s.rows[static_cast<size_t>(i)].state & LVIS_SELECTED)) SetRowState(h, s, i, 0, LVIS_SELECTED);
    if (!ValidRow(s, index)) return;
    SetState(h, s, index, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    if (!ValidRow(s, index)) return;
    s.mark = index;
    EnsureVisible(h, s, index);
}

int FocusedRow(const ListState& s) {
    for (int i = 0; i < Count(s); ++i)
        if (s.rows[static_cast<size_t>(i)].state & LVIS_FOCUSED) return i;
    return s.mark;
}

// The text of a row's column: stored, or asked of the owner for owner data.
std::string RowText(Hwnd h, ListState& s, int index, int column) {
    if (!ValidRow(s, index)) return {};
    if (OwnerData(h)) {
        char buffer[kTextMax] = {};
        LvDispInfo info;
        info.header = NotifyHeader{h, GetDlgCtrlID(h), LVN_GETDISPINFO};
        info.item.mask = LVIF_TEXT;
        info.item.item = index;
        info.item.subItem = column;
        info.item.text = buffer;
        info.item.textMax = kTextMax;
        SendMessage(GetParent(h), WM_NOTIFY, static_cast<WParam>(info.header.id), reinterpret_cast<LParam>(&info));
        buffer[kTextMax - 1] = '\0';
        return info.item.text ? std::string(info.item.text, strnlen(info.item.text, kTextMax - 1)) : std::string();
    }
    const Row& r = s.rows[static_cast<size_t>(index)];
    return column >= 0 && column < static_cast<int>(r.texts.size()) ? r.texts[static_cast<size_t>(column)] : "";
}

int DefaultRowHeight() { return DialogFontHeight() + PixelScale(); }

void MeasureRows(Hwnd h, ListState& s) {
    s.rowHeight = DefaultRowHeight();
    if (!OwnerDraw(h)) return;
    MeasureItem m;
    m.ctlId = GetDlgCtrlID(h);
    m.itemHeight = s.rowHeight;
    Rect c;
    GetClientRect(h, &c);
    m.itemWidth = c.Width();
    SendMessage(GetParent(h), WM_MEASUREITEM, static_cast<WParam>(m.ctlId), reinterpret_cast<LParam>(&m));
    if (m.itemHeight > 0) s.rowHeight = m.itemHeight;
}

void DrawOwnerRow(Hwnd h, ListState& s, Hdc dc, int index, const Rect& r) {
    DrawItem d;
    d.ctlId = GetDlgCtrlID(h);
    d.itemId = index;
    uint32_t state = s.rows[static_cast<size_t>(index)].state;
    if (state & LVIS_SELECTED) d.itemState |= ODS_SELECTED;
    if ((state & LVIS_FOCUSED) && GetFocus() == h) d.itemState |= ODS_FOCUS;
    d.hwndItem = h;
    d.hdc = dc;
    SelectObject(dc, GetDialogFont());
    d.rcItem = r;
    d.itemData = s.rows[static_cast<size_t>(index)].param;
    SendMessage(GetParent(h), WM_DRAWITEM, static_cast<WParam>(d.ctlId), reinterpret_cast<LParam>(&d));
}

void DrawTextRow(Hwnd h, ListState& s, Hdc dc, int index, const Rect& r) {
    bool selected = s.rows[static_cast<size_t>(index)].state & LVIS_SELECTED;
    ColorRef back = selected ? GetSysColor(kColorHighlight) : s.textBkColor.value_or(GetSysColor(kColorWindow));
    ColorRef fore = selected ? GetSysColor(kColorHighlightText) : s.textColor.value_or(GetSysColor(kColorWindowText));
    FillSolid(dc, r, back);
    int margin = 2 * PixelScale();
    int x = r.left;
    int columns = std::max<int>(1, static_cast<int>(s.columns.size()));
    for (int c = 0; c < columns && x < r.right; ++c) {
        int width = s.columns.empty() ? r.Width() : s.columns[static_cast<size_t>(c)];
        Rect cell{x + margin, r.top, std::min(r.right, x + width) - margin, r.bottom};
        DrawControlText(dc, RowText(h, s, index, c), cell, kTextSingleLine | kTextVCenter | kTextLeft, fore);
        x += width;
    }
}

// The scroll bar: arrow boxes at both ends and a thumb in the track between.
struct BarParts {
    Rect up, down, track, thumb;
};

BarParts BarPartsOf(Hwnd h, const ListState& s, const Rect& bar) {
    BarParts p;
    int arrow = std::min(bar.Width(), bar.Height() / 3);
    p.up = Rect{bar.left, bar.top, bar.right, bar.top + arrow};
    p.down = Rect{bar.left, bar.bottom - arrow, bar.right, bar.bottom};
    p.track = Rect{bar.left, p.up.bottom, bar.right, p.down.top};
    int count = std::max(1, Count(s));
    int perPage = LayoutOf(h, s).perPage;
    int thumb = std::max(arrow / 2 + 1, p.track.Height() * perPage / count);
    int range = std::max(1, MaxTop(h, s));
    int y = p.track.top + (p.track.Height() - thumb) * s.top / range;
    p.thumb = Rect{bar.left, y, bar.right, y + thumb};
    return p;
}

void DrawArrow(Hdc dc, const Rect& box, bool up) {
    FillSolid(dc, box, GetSysColor(kColorButtonFace));
    FrameSolid(dc, box, GetSysColor(kColorWindowFrame));
    int cx = (box.left + box.right) / 2;
    int half = std::max(1, box.Width() / 4);
    int cy = (box.top + box.bottom) / 2;
    for (int i = 0; i < half; ++i) {
        int y = up ? cy - half / 2 + i : cy + half / 2 - i;
        FillSolid(dc, Rect{cx - i, y, cx + i + 1, y + 1}, GetSysColor(kColorButtonText));
    }
}

void DrawScrollBar(Hwnd h, const ListState& s, Hdc dc, const Rect& bar) {
    BarParts p = BarPartsOf(h, s, bar);
    FillSolid(dc, p.track, GetSysColor(kColorScrollBar));
    DrawArrow(dc, p.up, true);
    DrawArrow(dc, p.down, false);
    FillSolid(dc, p.thumb, GetSysColor(kColorButtonFace));
    FrameSolid(dc, p.thumb, GetSysColor(kColorWindowFrame));
}

void Paint(Hwnd h, ListState& s) {
    PaintStruct ps;
    Hdc dc = BeginPaint(h, &ps);
    if (!dc) return;
    Layout l = LayoutOf(h, s);
    FillSolid(dc, l.client, s.bkColor.value_or(GetSysColor(kColorWindow)));
    for (int i = s.top; i < Count(s) && i < s.top + l.perPage + 1; ++i) {
        Rect r = RowRect(h, s, i);
        if (r.top >= l.rows.bottom) break;
        Rect clip = Intersect(r, l.rows);
        SelectClipRect(dc, &clip);
        if (OwnerDraw(h)) DrawOwnerRow(h, s, dc, i, r);
        else DrawTextRow(h, s, dc, i, r);
        SelectClipRect(dc, nullptr);
    }
    if (!l.bar.IsEmpty()) DrawScrollBar(h, s, dc, l.bar);
    if (Style(h) & WS_BORDER) FrameSolid(dc, l.client, GetSysColor(kColorWindowFrame));
    EndPaint(h, &ps);
}

// A tap on the scroll bar: arrows step a row, the track a page, the thumb drags.
void TapScrollBar(Hwnd h, ListState& s, const Rect& bar, Point p) {
    BarParts parts = BarPartsOf(h, s, bar);
    int perPage = LayoutOf(h, s).perPage;
    if (parts.up.Contains(p)) SetTop(h, s, s.top - 1);
    else if (parts.down.Contains(p)) SetTop(h, s, s.top + 1);
    else if (parts.thumb.Contains(p)) {
        s.draggingThumb = true;
        s.dragOffset = p.y - parts.thumb.top;
        SetCapture(h);
    } else if (p.y < parts.thumb.top) SetTop(h, s, s.top - perPage);
    else SetTop(h, s, s.top + perPage);
}

void DragThumb(Hwnd h, ListState& s, Point p) {
    Layout l = LayoutOf(h, s);
    if (l.bar.IsEmpty()) return;
    BarParts parts = BarPartsOf(h, s, l.bar);
    int room = std::max(1, parts.track.Height() - parts.thumb.Height());
    int y = p.y - s.dragOffset - parts.track.top;
    SetTop(h, s, (y * MaxTop(h, s) + room / 2) / room);
}

void PenDown(Hwnd h, ListState& s, Point p) {
    if (GetFocus() != h) SetFocus(h);
    Layout l = LayoutOf(h, s);
    if (!l.bar.IsEmpty() && l.bar.Contains(p)) {
        TapScrollBar(h, s, l.bar, p);
        return;
    }
    int row = HitRow(h, s, p);
    if (row < 0) return;
    Choose(h, s, row);
    Notify(h, NM_CLICK);
}

// Arrows step a row; the Page keys move the row by a page (from the first
// shown row when none has the focus), and the view with it when the row was
// shown, so that the row keeps its place on screen.
bool Key(Hwnd h, ListState& s, int vk) {
    int perPage = LayoutOf(h, s).perPage;
    int from = FocusedRow(s);
    int to;
    int page = 0;
    if (from < 0 && (vk == VK_PRIOR || vk == VK_NEXT)) from = s.top;
    switch (vk) {
    case VK_UP: to = from < 0 ? 0 : from - 1; break;
    case VK_DOWN: to = from + 1; break;
    case VK_PRIOR: to = from - perPage; page = -perPage; break;
    case VK_NEXT: to = from + perPage; page = perPage; break;
    case VK_HOME: to = 0; break;
    case VK_END: to = Count(s) - 1; break;
    default: return false;
    }
    if (Count(s) == 0) return true;
    if (page != 0 && from >= s.top && from < s.top + perPage) SetTop(h, s, s.top + page);
    Choose(h, s, std::clamp(to, 0, Count(s) - 1));
    return true;
}

int InsertRow(Hwnd h, ListState& s, const LvItem* item) {
    if (!item || OwnerData(h)) return -1;
    int index = std::clamp(item->item, 0, Count(s));
    Row r;
    r.texts.push_back((item->mask & LVIF_TEXT) && item->text ? item->text : "");
    if (item->mask & LVIF_PARAM) r.param = item->param;
    if (item->mask & LVIF_STATE) r.state = item->state & item->stateMask;
    s.rows.insert(s.rows.begin() + index, std::move(r));
    if (s.mark >= index) ++s.mark;
    Invalidate(h, nullptr, false);
    return index;
}

void DeleteRow(Hwnd h, ListState& s, int index) {
    if (!ValidRow(s, index)) return;
    s.rows.erase(s.rows.begin() + index);
    if (s.mark == index) s.mark = -1;
    else if (s.mark > index) --s.mark;
    s.top = std::clamp(s.top, 0, MaxTop(h, s));
    Invalidate(h, nullptr, false);
}

// Item count: an owner-data list has exactly that many rows; a list that
// keeps its rows only loses those beyond the count (more rows are not made).
void SetItemCount(Hwnd h, ListState& s, int count) {
    count = std::max(0, count);
    if (OwnerData(h)) s.rows.resize(static_cast<size_t>(count));
    else if (count < Count(s)) s.rows.resize(static_cast<size_t>(count));
    if (s.mark >= Count(s)) s.mark = -1;
    s.top = std::clamp(s.top, 0, MaxTop(h, s));
    Invalidate(h, nullptr, false);
}

int GetItemText(Hwnd h, ListState& s, int index, LvItem* item) {
    if (!item || !item->text || item->textMax <= 0) return 0;
    std::string text = RowText(h, s, index, item->subItem);
    size_t n = std::min(text.size(), static_cast<size_t>(item->textMax - 1));
    std::memcpy(item->text, text.data(), n);
    item->text[n] = '\0';
    return static_cast<int>(n);
}

void SetItemText(Hwnd h, ListState& s, int index, const LvItem* item) {
    if (!item || !ValidRow(s, index) || OwnerData(h) || item->subItem < 0) return;
    Row& r = s.rows[static_cast<size_t>(index)];
    if (r.texts.size() <= static_cast<size_t>(item->subItem)) r.texts.resize(static_cast<size_t>(item->subItem) + 1);
    r.texts[static_cast<size_t>(item->subItem)] = item->text ? item->text : "";
    InvalidateRow(h, s, index);
}

int NextItem(const ListState& s, int start, uint32_t mask) {
    for (int i = std::max(0, start + 1); i < Count(s); ++i)
        if (mask == 0 || (s.rows[static_cast<size_t>(i)].state & mask)) return i;
    return -1;
}

void SetColor(Hwnd h, std::optional<ColorRef>* slot, LParam value) {
    *slot = static_cast<ColorRef>(value);
    Invalidate(h, nullptr, false);
}

LResult ListMessage(Hwnd h, ListState& s, uint32_t m, WParam w, LParam l) {
    int index = static_cast<int>(static_cast<intptr_t>(w));
    switch (m) {
    case LVM_GETITEMCOUNT: return Count(s);
    case LVM_SETITEMCOUNT: SetItemCount(h, s, index); return 1;
    case LVM_INSERTITEM: return InsertRow(h, s, reinterpret_cast<const LvItem*>(l));
    case LVM_DELETEITEM: DeleteRow(h, s, index); return 1;
    case LVM_DELETEALLITEMS:
        s.rows.clear();
        s.mark = -1;
        s.top = 0;
        Invalidate(h, nullptr, false);
        return 1;
    case LVM_GETSELECTIONMARK: return s.mark;
    case LVM_SETSELECTIONMARK: { int old = s.mark; s.mark = static_cast<int>(l); return old; }
    case LVM_SETITEMSTATE: {
        const auto* item = reinterpret_cast<const LvItem*>(l);
        if (item) SetState(h, s, index, item->state, item->stateMask);
        return item ? 1 : 0;
    }
    case LVM_GETITEMSTATE: return ValidRow(s, index) ? s.rows[static_cast<size_t>(index)].state & l : 0;
    case LVM_ENSUREVISIBLE: EnsureVisible(h, s, index); return ValidRow(s, index);
    case LVM_HITTEST: {
        auto* hit = reinterpret_cast<LvHitTest*>(l);
        if (!hit) return -1;
        hit->item = HitRow(h, s, hit->pt);
        Layout layout = LayoutOf(h, s);
        hit->onScrollBar = !layout.bar.IsEmpty() && layout.bar.Contains(hit->pt);
        return hit->item;
    }
    case LVM_GETITEMTEXT: return GetItemText(h, s, index, reinterpret_cast<LvItem*>(l));
    case LVM_SETITEMTEXT: SetItemText(h, s, index, reinterpret_cast<const LvItem*>(l)); return 1;
    case LVM_SETBKCOLOR: SetColor(h, &s.bkColor, l); return 1;
    case LVM_SETTEXTBKCOLOR: SetColor(h, &s.textBkColor, l); return 1;
    case LVM_SETTEXTCOLOR: SetColor(h, &s.textColor, l); return 1;
    case LVM_INSERTCOLUMN: {
        const auto* c = reinterpret_cast<const LvColumn*>(l);
        int at = std::clamp(index, 0, static_cast<int>(s.columns.size()));
        s.columns.insert(s.columns.begin() + at, c ? c->width : 0);
        Invalidate(h, nullptr, false);
        return at;
    }
    case LVM_SETCOLUMNWIDTH:
        if (index < 0 || index >= static_cast<int>(s.columns.size())) return 0;
        s.columns[static_cast<size_t>(index)] = static_cast<int>(l);
        Invalidate(h, nullptr, false);
        return 1;
    case LVM_SETEXTENDEDSTYLE: {
        uint32_t old = s.exStyle;
        uint32_t mask = w ? static_cast<uint32_t>(w) : 0xFFFFFFFFu;
        s.exStyle = (s.exStyle & ~mask) | (static_cast<uint32_t>(l) & mask);
        return old;
    }
    case LVM_GETTOPINDEX: return s.top;
    case LVM_GETCOUNTPERPAGE: return LayoutOf(h, s).perPage;
    case LVM_GETITEMRECT: {
        auto* r = reinterpret_cast<Rect*>(l);
        if (!r || !ValidRow(s, index)) return 0;
        *r = RowRect(h, s, index);
        return 1;
    }
    case LVM_GETNEXTITEM: return NextItem(s, index, static_cast<uint32_t>(l));
    case LVM_SETITEMDATA:
        if (!ValidRow(s, index)) return 0;
        s.rows[static_cast<size_t>(index)].param = l;
        return 1;
    case LVM_GETITEMDATA: return ValidRow(s, index) ? s.rows[static_cast<size_t>(index)].param : 0;
    case LVM_SCROLL: SetTop(h, s, s.top + index); return 1;
    default: return DefWindowProc(h, m, w, l);
    }
}

LResult ListViewProc(Hwnd h, uint32_t m, WParam w, LParam l) {
    if (m == WM_CREATE) {
        MeasureRows(h, lists.Make(h));
        return 0;
    }
    std::shared_ptr<ListState> held = lists.Hold(h);  // outlives a destruction by the parent
    ListState* s = held.get();
    if (!s) return DefWindowProc(h, m, w, l);
    switch (m) {
    case WM_NCDESTROY: lists.Forget(h); return 0;
    case WM_PAINT: Paint(h, *s); return 0;
    case WM_ERASEBKGND: return 1;
    case WM_SIZE: s->top = std::clamp(s->top, 0, MaxTop(h, *s)); Invalidate(h, nullptr, false); return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS: Invalidate(h, nullptr, false); return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: PenDown(h, *s, Point{PointX(l), PointY(l)}); return 0;
    case WM_MOUSEMOVE:
        if (s->draggingThumb) DragThumb(h, *s, Point{PointX(l), PointY(l)});
        return 0;
    case WM_LBUTTONUP:
        if (s->draggingThumb) {
            s->draggingThumb = false;
            ReleaseCapture();
        }
        return 0;
    case WM_CAPTURECHANGED: s->draggingThumb = false; return 0;
    case WM_KEYDOWN: return Key(h, *s, static_cast<int>(w)) ? 0 : DefWindowProc(h, m, w, l);
    default: return ListMessage(h, *s, m, w, l);
    }
}

}  // namespace

void RegisterListViewClass() { RegisterClassOnce(kListViewClass, ListViewProc); }

int GetSystemMetrics(int metric) {
    if (metric == SM_CXVSCROLL) return static_cast<int>(13.0 * GetScreenInfo().dpi / 96.0);
    return 0;
}

int ListViewGetItemCount(Hwnd list) { return static_cast<int>(SendMessage(list, LVM_GETITEMCOUNT, 0, 0)); }

int ListViewInsertItem(Hwnd list, int index, const std::string& text) {
    LvItem item;
    item.mask = LVIF_TEXT;
    item.item = index;
    std::string copy = text;
    item.text = copy.data();
    return static_cast<int>(SendMessage(list, LVM_INSERTITEM, 0, reinterpret_cast<LParam>(&item)));
}

bool ListViewDeleteAllItems(Hwnd list) { return SendMessage(list, LVM_DELETEALLITEMS, 0, 0) != 0; }

int ListViewGetSelectionMark(Hwnd list) {
    return IsWindow(list) ? static_cast<int>(SendMessage(list, LVM_GETSELECTIONMARK, 0, 0)) : -1;
}

int ListViewSetSelectionMark(Hwnd list, int index) {
    return static_cast<int>(SendMessage(list, LVM_SETSELECTIONMARK, 0, index));
}

bool ListViewSetItemState(Hwnd list, int index, uint32_t state, uint32_t mask) {
    LvItem item;
    item.state = state;
    item.stateMask = mask;
    return SendMessage(list, LVM_SETITEMSTATE, static_cast<WParam>(static_cast<intptr_t>(index)),
                       reinterpret_cast<LParam>(&item)) != 0;
}

uint32_t ListViewGetItemState(Hwnd list, int index, uint32_t mask) {
    return static_cast<uint32_t>(SendMessage(list, LVM_GETITEMSTATE, static_cast<WParam>(index), mask));
}

bool ListViewEnsureVisible(Hwnd list, int index) {
    return SendMessage(list, LVM_ENSUREVISIBLE, static_cast<WParam>(index), 0) != 0;
}

int ListViewHitTest(Hwnd list, Point client) {
    LvHitTest hit;
    hit.pt = client;
    return IsWindow(list) ? static_cast<int>(SendMessage(list, LVM_HITTEST, 0, reinterpret_cast<LParam>(&hit))) : -1;
}

bool ListViewOnScrollBar(Hwnd list, Point client) {
    LvHitTest hit;
    hit.pt = client;
    if (IsWindow(list)) SendMessage(list, LVM_HITTEST, 0, reinterpret_cast<LParam>(&hit));
    return hit.onScrollBar;
}

std::string ListViewGetItemText(Hwnd list, int index, int column) {
    char buffer[kTextMax] = {};
    LvItem item;
    item.subItem = column;
    item.text = buffer;
    item.textMax = kTextMax;
    SendMessage(list, LVM_GETITEMTEXT, static_cast<WParam>(index), reinterpret_cast<LParam>(&item));
    return buffer;
}

int ListViewGetTopIndex(Hwnd list) { return static_cast<int>(SendMessage(list, LVM_GETTOPINDEX, 0, 0)); }

}  // namespace pl
