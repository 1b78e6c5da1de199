#include "platform/menus.h"

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "platform/control_paint.h"
#include "platform/drawing.h"
#include "platform/focus.h"
#include "platform/message_queue.h"
#include "platform/messages.h"
#include "platform/paint.h"
#include "platform/screen.h"
#include "platform/shell.h"
#include "platform/sys_colors.h"
#include "platform/text.h"
#include "platform/window.h"

namespace pl {
namespace {

// The popup menu being tracked (one at a time).
struct Tracking {
    Hwnd window = nullptr;
    Hmenu menu = nullptr;
    int hot = -1;  // highlighted item
    bool done = false;
    int command = 0;
    Point closingTap{-1, -1};
};

Tracking* tracking = nullptr;

int ItemHeight() { return SystemFontHeight() + 4 * PixelScale(); }
int SeparatorHeight() { return 5 * PixelScale(); }
int ItemMargin() { return 6 * PixelScale(); }

bool IsSeparator(const MenuItemTemplate& item) { return item.text == nullptr; }
bool Choosable(const MenuItemTemplate& item) { return !IsSeparator(item) && !(item.flags & kMenuGrayed); }

// Items' rectangles in the menu window, top to bottom.
std::vector<Rect> ItemRects(Hmenu menu, int width) {
    std::vector<Rect> rects;
    int y = 1;
    for (const MenuItemTemplate& item : menu->items) {
        int h = IsSeparator(item) ? SeparatorHeight() : ItemHeight();
        rects.push_back(Rect{1, y, width - 1, y + h});
        y += h;
    }
    return rects;
}

Size MenuSize(Hmenu menu) {
    Hdc dc = CreateCompatibleDC(nullptr);
    PrepareText(dc, 0);
    int width = 40 * PixelScale();
    int height = 2;
    for (const MenuItemTemplate& item : menu->items) {
        height += IsSeparator(item) ? SeparatorHeight() : ItemHeight();
        if (IsSeparator(item)) continue;
        Size text;
        GetTextExtent(dc, MenuDisplayText(item.text), &text);
        width = std::max(width, text.width + 2 * ItemMargin() + 2);
    }
    DeleteDC(dc);
    return Size{width, height};
}

int ItemAt(const Tracking& t, Point client) {
    Rect c;
    GetClientRect(t.window, &c);
    std::vector<Rect> rects = ItemRects(t.menu, c.Width());
    for (size_t i = 0; i < rects.size(); ++i)
        if (rects[i].Contains(client) && Choosable(t.menu->items[i])) return static_cast<int>(i);
    return -1;
}

void PaintMenu(const Tracking& t) {
    PaintStruct ps;
    Hdc dc = BeginPaint(t.window, &ps);
    if (!dc) return;
    Rect c;
    GetClientRect(t.window, &c);
    FillSolid(dc, c, GetSysColor(kColorMenu));
    std::vector<Rect> rects = ItemRects(t.menu, c.Width());
    for (size_t i = 0; i < rects.size(); ++i) {
        const MenuItemTemplate& item = t.menu->items[i];
        const Rect& r = rects[i];
        if (IsSeparator(item)) {
            int y = (r.top + r.bottom) / 2;
            FillSolid(dc, Rect{r.left + 2, y, r.right - 2, y + 1}, GetSysColor(kColorButtonShadow));
            continue;
        }
        bool hot = static_cast<int>(i) == t.hot;
        if (hot) FillSolid(dc, r, GetSysColor(kColorHighlight));
        ColorRef ink = (item.flags & kMenuGrayed) ? GetSysColor(kColorGrayText)
                       : hot                      ? GetSysColor(kColorHighlightText)
                                                  : GetSysColor(kColorMenuText);
        DrawTextIn(dc, MenuDisplayText(item.text), Rect{r.left + ItemMargin(), r.top, r.right, r.bottom},
                   kTextLeft | kTextVCenter | kTextSingleLine, ink);
    }
    FrameSolid(dc, c, GetSysColor(kColorWindowFrame));
    EndPaint(t.window, &ps);
}

void SetHot(Tracking& t, int item) {
    if (item == t.hot) return;
    t.hot = item;
    Invalidate(t.window, nullptr, false);
}

void Close(Tracking& t, int command) {
    if (t.done) return;
    t.command = command;
    t.done = true;
    PostMessage(nullptr, WM_NULL, 0, 0);  // wakes the loop when it waits for a message
}

// Moves the highlight to the next choosable item in a direction.
void Step(Tracking& t, int direction) {
    int n = static_cast<int>(t.menu->items.size());
    for (int k = 1; k <= n; ++k) {
        int i = ((t.hot < 0 ? (direction > 0 ? -1 : 0) : t.hot) + direction * k + n * 2) % n;
        if (Choosable(t.menu->items[static_cast<size_t>(i)])) {
            SetHot(t, i);
            return;
        }
    }
}

LResult PopupMenuProc(Hwnd h, uint32_t m, WParam w, LParam l) {
    if (!tracking || tracking->window != h) return DefWindowProc(h, m, w, l);
    Tracking& t = *tracking;
    Point p{PointX(l), PointY(l)};
    Rect c;
    GetClientRect(h, &c);
    switch (m) {
    case WM_PAINT: PaintMenu(t); return 0;
    case WM_ERASEBKGND: return 1;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        if (!c.Contains(p)) {
            ClientToScreen(h, &p);
            t.closingTap = p;
            Close(t, 0);
        } else {
            SetHot(t, ItemAt(t, p));
        }
        return 0;
    case WM_MOUSEMOVE: SetHot(t, c.Contains(p) ? ItemAt(t, p) : -1); return 0;
    case WM_LBUTTONUP:
        if (c.Contains(p) && ItemAt(t, p) >= 0) Close(t, t.menu->items[static_cast<size_t>(ItemAt(t, p))].command);
        return 0;
    case WM_KEYDOWN:
        if (w == static_cast<WParam>(VK_UP)) Step(t, -1);
        else if (w == static_cast<WParam>(VK_DOWN)) Step(t, 1);
        else if (w == static_cast<WParam>(VK_RETURN) && t.hot >= 0)
            Close(t, t.menu->items[static_cast<size_t>(t.hot)].command);
        else if (w == static_cast<WParam>(VK_ESCAPE)) Close(t, 0);
        return 0;
    case WM_CAPTURECHANGED:
    case WM_CANCELMODE: Close(t, 0); return 0;
    default: return DefWindowProc(h, m, w, l);
    }
}

// The menu's loop: keys go to the menu (it never takes the focus, so the
// owner stays active); everything else is dispatched. The quit message closes
// the menu and is posted again.
void RunMenuLoop(Tracking& t) {
    while (!t.done) {
        Msg msg;
        if (GetMessage(&msg, nullptr, 0, 0) == 0) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            Close(t, 0);
            break;
        }
        if (msg.id >= WM_KEYFIRST && msg.id <= WM_KEYLAST) {
            if (msg.id == WM_KEYDOWN) PopupMenuProc(t.window, msg.id, msg.wParam, msg.lParam);
            continue;
        }
        TranslateMessage(&msg);
        DispatchMessage(&msg);
    }
}

Hwnd CreateMenuWindow(Hmenu menu, uint32_t flags, int x, int y, Hwnd owner) {
    Size size = MenuSize(menu);
    ScreenInfo screen = GetScreenInfo();
    if (flags & TPM_BOTTOMALIGN) y -= size.height;
    x = std::clamp(x, 0, std::max(0, screen.width - size.width));
    y = std::clamp(y, 0, std::max(0, screen.height - size.height));
    CreateParams p;
    p.className = kPopupMenuClass;
    p.style = WS_POPUP;
    p.exStyle = WS_EX_TOPMOST;
    p.x = x;
    p.y = y;
    p.width = size.width;
    p.height = size.height;
    p.parent = owner ? GetTopLevel(owner) : nullptr;
    return CreateWindow(p);
}

// The menu bar's buttons and colours, by window.
struct MenuBarState {
    const MenuTemplate* menu = nullptr;
    std::vector<std::string> labels;
    std::vector<int> popups;  // the popup of the menu each button drops down
    bool colored = false;
    ColorRef background = 0;
    Hwnd owner = nullptr;
};

ControlStates<MenuBarState> bars;

int ScaledEdge(int units) { return static_cast<int>(units * (GetScreenInfo().dpi / 96.0)); }

void PaintBar(Hwnd h, const MenuBarState& s) {
    PaintStruct ps;
    Hdc dc = BeginPaint(h, &ps);
    if (!dc) return;
    Rect c;
    GetClientRect(h, &c);
    FillSolid(dc, c, s.colored ? s.background : GetSysColor(kColorButtonFace));
    FillSolid(dc, Rect{c.left, c.top, c.right, c.top + 1}, GetSysColor(kColorWindowFrame));
    for (int i = 0; i < static_cast<int>(s.labels.size()); ++i) {
        Rect r = MenuBarButtonRect(h, i);
        DrawTextIn(dc, MenuDisplayText(s.labels[static_cast<size_t>(i)].c_str()), r,
                   kTextCenter | kTextVCenter | kTextSingleLine, GetSysColor(kColorMenuText));
        FillSolid(dc, Rect{r.right - 1, r.top + 2, r.right, r.bottom - 2}, GetSysColor(kColorButtonShadow));
    }
    EndPaint(h, &ps);
}

void TapBar(Hwnd h, const MenuBarState& s, Point p) {
    for (int i = 0; i < static_cast<int>(s.labels.size()); ++i) {
        Rect r = MenuBarButtonRect(h, i);
        if (!r.Contains(p)) continue;
        Point corner{r.left, r.top};
        ClientToScreen(h, &corner);
        int command = TrackPopupMenu(GetMenuBarSubMenu(h, i), TPM_BOTTOMALIGN | TPM_RETURNCMD, corner.x, corner.y,
                                     s.owner);
        if (command != 0 && IsWindow(s.owner)) PostMessage(s.owner, WM_COMMAND, static_cast<WParam>(command), 0);
        return;
    }
}

LResult MenuBarProc(Hwnd h, uint32_t m, WParam w, LParam l) {
    std::shared_ptr<MenuBarState> held = bars.Hold(h);  // outlives a destruction inside the popup's loop
    MenuBarState* s = held.get();
    if (!s) return DefWindowProc(h, m, w, l);
    switch (m) {
    case WM_NCDESTROY: bars.Forget(h); return 0;
    case WM_PAINT: PaintBar(h, *s); return 0;
    case WM_ERASEBKGND: return 1;
    case WM_LBUTTONDOWN: TapBar(h, *s, Point{PointX(l), PointY(l)}); return 0;
    default: return DefWindowProc(h, m, w, l);
    }
}

// The bar's menu and button texts from the resources (none for an empty
// bar); false when missing.
bool LoadBar(const ShMenuBarInfo& info, MenuBarState* s) {
    if (info.flags & SHCMBF_EMPTYBAR) return true;  // a bar without buttons
    s->menu = FindMenu(info.resourceId);
    if (!s->menu) return false;
    if (info.flags & SHCMBF_HMENU) {
        for (const MenuPopupTemplate& popup : s->menu->popups) {
            s->popups.push_back(static_cast<int>(s->labels.size()));
            s->labels.push_back(popup.text ? popup.text : "");
        }
        return true;
    }
    const MenuBarTemplate* bar = FindMenuBar(info.resourceId);
    if (!bar) return false;
    for (const MenuBarButtonTemplate& b : bar->buttons) {
        const char* text = FindString(b.stringId);
        s->labels.push_back(text ? text : "");
        s->popups.push_back(b.popupIndex);
    }
    return true;
}

}  // namespace

Hmenu GetSubMenu(int menuId, int index) {
    const MenuTemplate* menu = FindMenu(menuId);
    if (!menu || index < 0 || index >= static_cast<int>(menu->popups.size())) return nullptr;
    return &menu->popups[static_cast<size_t>(index)];
}

int TrackPopupMenu(Hmenu menu, uint32_t flags, int x, int y, Hwnd owner, Point* closingTap) {
    if (closingTap) *closingTap = Point{-1, -1};
    if (!menu || menu->items.empty() || tracking) return 0;
    RegisterClassOnce(kPopupMenuClass, PopupMenuProc);
    Tracking t;
    t.menu = menu;
    tracking = &t;
    // No menu stays tracked when an exception leaves the call.
    struct Untrack {
        ~Untrack() { tracking = nullptr; }
    } untrack;
    t.window = CreateMenuWindow(menu, flags, x, y, owner);
    if (t.window) {
        ShowWindow(t.window, SW_SHOWNA);
        UpdateNow(t.window);
        SetCapture(t.window);
        RunMenuLoop(t);
        if (GetCapture() == t.window) ReleaseCapture();
        DestroyWindow(t.window);
        PaintInvalidNow();
    }
    tracking = nullptr;
    if (closingTap) *closingTap = t.closingTap;
    if (t.command != 0 && !(flags & TPM_RETURNCMD) && IsWindow(owner))
        PostMessage(owner, WM_COMMAND, static_cast<WParam>(t.command), 0);
    return t.command;
}

Hwnd OpenPopupMenu() { return tracking ? tracking->window : nullptr; }

Hwnd ShCreateMenuBar(const ShMenuBarInfo& info) {
    RecordShellCall("CreateMenuBar", info.owner, info.resourceId);
    MenuBarState state;
    if (info.size != 36 || !LoadBar(info, &state)) return nullptr;
    state.colored = (info.flags & SHCMBF_COLORBK) != 0;
    state.background = info.background;
    state.owner = info.owner;
    RegisterClassOnce(kMenuBarClass, MenuBarProc);
    ScreenInfo screen = GetScreenInfo();
    int height = ShellBarHeight();
    CreateParams p;
    p.className = kMenuBarClass;
    p.style = WS_POPUP;
    p.y = screen.height - height;
    p.width = screen.width;
    p.height = height;
    p.parent = info.owner ? GetTopLevel(info.owner) : nullptr;
    Hwnd bar = CreateWindow(p);
    if (!bar) return nullptr;
    bars.Make(bar) = state;
    if (!(info.flags & SHCMBF_HIDDEN)) ShowWindow(bar, SW_SHOWNA);
    return bar;
}

Rect MenuBarButtonRect(Hwnd bar, int index) {
    Rect c;
    MenuBarState* s = bars.Find(bar);
    if (!s || !GetClientRect(bar, &c) || index < 0 || index >= MenuBarButtonCount(bar)) return Rect{};
    constexpr int kLast = static_cast<int>(std::size(kMenuBarEdges)) - 1;
    // A label wider than its button widens it (with a margin each side) and
    // moves the buttons after it right, so that every label shows whole.
    Hdc dc = CreateCompatibleDC(nullptr);
    PrepareText(dc, 0);
    int shift = 0;
    Rect r;
    for (int i = 0; i <= index; ++i) {
        int left = i < kLast ? kMenuBarEdges[i] : kMenuBarEdges[kLast] + 60 * (i - kLast);
        int right = i < kLast ? kMenuBarEdges[i + 1] : left + 60;
        Size text;
        GetTextExtent(dc, MenuDisplayText(s->labels[static_cast<size_t>(i)].c_str()), &text);
        r = Rect{ScaledEdge(left) + shift, c.top, ScaledEdge(right) + shift, c.bottom};
        int need = text.width + 4 * PixelScale();
        if (r.Width() < need) {
            shift += need - r.Width();
            r.right = r.left + need;
        }
    }
    DeleteDC(dc);
    return r;
}

Hmenu GetMenuBarSubMenu(Hwnd bar, int index) {
    MenuBarState* s = bars.Find(bar);
    if (!s || index < 0 || index >= static_cast<int>(s->popups.size())) return nullptr;
    int popup = s->popups[static_cast<size_t>(index)];
    if (popup < 0 || popup >= static_cast<int>(s->menu->popups.size())) return nullptr;
    return &s->menu->popups[static_cast<size_t>(popup)];
}

int MenuBarButtonCount(Hwnd bar) {
    MenuBarState* s = bars.Find(bar);
    return s ? static_cast<int>(s->labels.size()) : 0;
}

}  // namespace pl
