// Position, size and z-order of windows, and what of them shows on the screen.
#include <algorithm>

#include "platform/core_internal.h"
#include "platform/window.h"

namespace pl {
namespace {

using detail::Find;
using detail::WindowPtr;

std::vector<Hwnd>& SiblingList(const detail::Window& w) {
    if (w.parent) {
        WindowPtr parent = Find(w.parent);
        if (parent) return parent->children;
    }
    return detail::TopLevelList();
}

bool IsTopmost(Hwnd h) {
    WindowPtr w = Find(h);
    return w && (w->exStyle & WS_EX_TOPMOST);
}

// Index where a window goes when raised to the top of its band.
size_t TopOfBand(const std::vector<Hwnd>& list, const detail::Window& w) {
    if (w.parent || (w.exStyle & WS_EX_TOPMOST)) return 0;
    size_t i = 0;
    while (i < list.size() && IsTopmost(list[i])) ++i;
    return i;
}

// Moves the window within its sibling list; true when its place changed.
bool Reorder(detail::Window& w, Hwnd insertAfter) {
    std::vector<Hwnd>& list = SiblingList(w);
    auto it = std::find(list.begin(), list.end(), w.hwnd);
    if (it == list.end()) return false;
    size_t oldIndex = static_cast<size_t>(it - list.begin());
    list.erase(it);
    if (!w.parent && insertAfter == HWND_TOPMOST) w.exStyle |= WS_EX_TOPMOST;
    if (!w.parent && insertAfter == HWND_NOTOPMOST) w.exStyle &= ~WS_EX_TOPMOST;
    size_t index;
    if (insertAfter == HWND_BOTTOM) {
        index = list.size();
    } else if (insertAfter == HWND_TOP || insertAfter == HWND_TOPMOST || insertAfter == HWND_NOTOPMOST) {
        index = TopOfBand(list, w);
    } else {
        auto after = std::find(list.begin(), list.end(), insertAfter);
        index = after == list.end() ? TopOfBand(list, w) : static_cast<size_t>(after - list.begin()) + 1;
    }
    list.insert(list.begin() + static_cast<long>(index), w.hwnd);
    return index != oldIndex;
}

// After a change of z-order: the window, and the siblings now above it where
// they overlap it, are drawn again.
void RepaintAfterReorder(const detail::Window& w) {
    detail::InvalidateTree(w.hwnd);
    Rect screen = detail::ScreenRectOf(w);
    for (Hwnd h : SiblingList(w)) {
        if (h == w.hwnd) break;
        WindowPtr s = Find(h);
        if (s && detail::IsShown(*s) && !Intersect(detail::ScreenRectOf(*s), screen).IsEmpty())
            detail::InvalidateTree(h);
    }
}

void AppendTree(Hwnd h, std::vector<Hwnd>* out) {
    out->push_back(h);
    WindowPtr w = Find(h);
    if (!w) return;
    for (auto it = w->children.rbegin(); it != w->children.rend(); ++it) AppendTree(*it, out);
}

// The deepest visible, enabled child of `w` under the screen point, or `w`.
Hwnd DescendToPoint(WindowPtr w, Point screen) {
    for (;;) {
        WindowPtr next;
        for (Hwnd c : w->children) {
            WindowPtr child = Find(c);
            if (child && (child->style & WS_VISIBLE) && detail::ScreenRectOf(*child).Contains(screen)) {
                next = child;
                break;
            }
        }
        if (!next || (next->style & WS_DISABLED)) return w->hwnd;
        w = next;
    }
}

}  // namespace

namespace detail {

Rect ScreenRectOf(const Window& w) {
    Rect r = w.rect;
    Hwnd p = w.parent;
    while (p) {
        WindowPtr parent = Find(p);
        if (!parent) break;
        r = pl::Offset(r, parent->rect.left, parent->rect.top);
        p = parent->parent;
    }
    return r;
}

std::vector<Hwnd> PaintOrder() {
    std::vector<Hwnd> order;
    const std::vector<Hwnd>& top = TopLevelList();
    for (auto it = top.rbegin(); it != top.rend(); ++it) AppendTree(*it, &order);
    return order;
}

}  // namespace detail

bool SetWindowPos(Hwnd hwnd, Hwnd insertAfter, int x, int y, int width, int height, uint32_t flags) {
    WindowPtr w = Find(hwnd);
    if (!w) return false;
    Rect old = w->rect;
    Rect oldScreen = detail::ScreenRectOf(*w);
    bool shown = detail::IsShown(*w);
    Rect r = old;
    if (!(flags & SWP_NOMOVE)) r = Offset(r, x - old.left, y - old.top);
    if (!(flags & SWP_NOSIZE)) {
        r.right = r.left + std::max(0, width);
        r.bottom = r.top + std::max(0, height);
    }
    bool moved = r.left != old.left || r.top != old.top;
    bool sized = r.Width() != old.Width() || r.Height() != old.Height();
    bool reordered = !(flags & SWP_NOZORDER) && Reorder(*w, insertAfter);
    w->rect = r;
    if (shown && (moved || sized)) {
        detail::ExposeBelow(hwnd, oldScreen);
        detail::InvalidateTree(hwnd);
    }
    if (shown && reordered) RepaintAfterReorder(*w);
    if (sized) detail::CallProc(w, WM_SIZE, 0, MakeLParam(r.Width(), r.Height()));
    if (moved && IsWindow(hwnd)) detail::CallProc(w, WM_MOVE, 0, MakeLParam(r.left, r.top));
    if ((flags & SWP_SHOWWINDOW) && IsWindow(hwnd)) ShowWindow(hwnd, (flags & SWP_NOACTIVATE) ? SW_SHOWNA : SW_SHOW);
    if ((flags & SWP_HIDEWINDOW) && IsWindow(hwnd)) ShowWindow(hwnd, SW_HIDE);
    return true;
}

bool MoveWindow(Hwnd hwnd, int x, int y, int width, int height) {
    return SetWindowPos(hwnd, HWND_TOP, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

bool BringWindowToTop(Hwnd hwnd) {
    WindowPtr w = Find(hwnd);
    if (!w) return false;
    SetWindowPos(hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    if (w->parent) return true;
    // Owned windows stay above their owner, in their present order.
    std::vector<Hwnd> owned;
    for (Hwnd h : detail::TopLevelList()) {
        WindowPtr o = Find(h);
        if (o && o->owner == hwnd) owned.push_back(h);
    }
    for (auto it = owned.rbegin(); it != owned.rend(); ++it) BringWindowToTop(*it);
    return true;
}

bool GetWindowRect(Hwnd hwnd, Rect* out) {
    WindowPtr w = Find(hwnd);
    if (!w) return false;
    *out = detail::ScreenRectOf(*w);
    return true;
}

bool GetClientRect(Hwnd hwnd, Rect* out) {
    WindowPtr w = Find(hwnd);
    if (!w) return false;
    *out = {0, 0, w->rect.Width(), w->rect.Height()};
    return true;
}

bool ClientToScreen(Hwnd hwnd, Point* p) {
    WindowPtr w = Find(hwnd);
    if (!w) return false;
    Rect r = detail::ScreenRectOf(*w);
    p->x += r.left;
    p->y += r.top;
    return true;
}

bool ScreenToClient(Hwnd hwnd, Point* p) {
    WindowPtr w = Find(hwnd);
    if (!w) return false;
    Rect r = detail::ScreenRectOf(*w);
    p->x -= r.left;
    p->y -= r.top;
    return true;
}

std::vector<Hwnd> TopLevelWindows() { return detail::TopLevelList(); }

std::vector<Hwnd> ChildWindows(Hwnd hwnd) {
    WindowPtr w = Find(hwnd);
    return w ? w->children : std::vector<Hwnd>();
}

Region VisibleRegion(Hwnd hwnd) {
    WindowPtr w = Find(hwnd);
    if (!w || !detail::IsShown(*w)) return {};
    Rect r = detail::ScreenRectOf(*w);
    for (Hwnd p = w->parent; p;) {
        WindowPtr parent = Find(p);
        if (!parent) break;
        r = Intersect(r, detail::ScreenRectOf(*parent));
        p = parent->parent;
    }
    Region region(r);
    // Everything above the window and above each of its ancestors.
    for (WindowPtr node = w; node;) {
        for (Hwnd h : SiblingList(*node)) {
            if (h == node->hwnd) break;
            WindowPtr above = Find(h);
            if (above && (above->style & WS_VISIBLE)) region.Subtract(detail::ScreenRectOf(*above));
        }
        node = node->parent ? Find(node->parent) : nullptr;
    }
    for (Hwnd c : w->children) {
        WindowPtr child = Find(c);
        if (child && (child->style & WS_VISIBLE)) region.Subtract(detail::ScreenRectOf(*child));
    }
    return region;
}

Hwnd WindowFromPoint(Point screen) {
    for (Hwnd h : detail::TopLevelList()) {
        WindowPtr w = Find(h);
        if (!w || !(w->style & WS_VISIBLE) || !detail::ScreenRectOf(*w).Contains(screen)) continue;
        if (w->style & WS_DISABLED) return h;
        return DescendToPoint(w, screen);
    }
    return nullptr;
}

}  // namespace pl
