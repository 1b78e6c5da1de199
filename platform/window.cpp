#include "platform/window.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <map>

#include "platform/core_internal.h"
#include "platform/focus.h"
#include "platform/input.h"
#include "platform/message_queue.h"
#include "platform/paint.h"

namespace pl {
namespace {

using detail::Find;
using detail::WindowPtr;

std::map<std::string, WindowClass> classes;  // by lower-case name

std::string Lower(const std::string& s) {
    std::string out = s;
    std::transform(out.begin(), out.end(), out.begin(), [](unsigned char c) { return std::tolower(c); });
    return out;
}

// Puts a new top-level window at the top of its band (topmost windows above the rest).
void InsertTopLevel(const WindowPtr& w) {
    std::vector<Hwnd>& list = detail::TopLevelList();
    auto pos = list.begin();
    if (!(w->exStyle & WS_EX_TOPMOST)) {
        pos = std::find_if(list.begin(), list.end(), [](Hwnd h) {
            WindowPtr o = Find(h);
            return !o || !(o->exStyle & WS_EX_TOPMOST);
        });
    }
    list.insert(pos, w->hwnd);
}

void Unlink(const WindowPtr& w) {
    std::vector<Hwnd>* list = &detail::TopLevelList();
    WindowPtr parent = Find(w->parent);
    if (parent) list = &parent->children;
    list->erase(std::remove(list->begin(), list->end(), w->hwnd), list->end());
}

void SendSizeAndMove(const WindowPtr& w) {
    detail::CallProc(w, WM_SIZE, 0, MakeLParam(w->rect.Width(), w->rect.Height()));
    detail::CallProc(w, WM_MOVE, 0, MakeLParam(w->rect.left, w->rect.top));
}

std::vector<Hwnd> OwnedWindows(Hwnd owner) {
    std::vector<Hwnd> owned;
    for (Hwnd h : detail::TopLevelList()) {
        WindowPtr w = Find(h);
        if (w && w->owner == owner) owned.push_back(h);
    }
    return owned;
}

}  // namespace

bool RegisterClass(const WindowClass& windowClass) {
    if (windowClass.name.empty() || !windowClass.proc) return false;
    return classes.emplace(Lower(windowClass.name), windowClass).second;
}

bool GetClassInfo(const std::string& name, WindowClass* out) {
    auto it = classes.find(Lower(name));
    if (it == classes.end()) return false;
    *out = it->second;
    return true;
}

Hwnd CreateWindow(const CreateParams& params) {
    detail::CheckAbort();
    auto cls = classes.find(Lower(params.className));
    if (cls == classes.end()) return nullptr;
    bool child = (params.style & WS_CHILD) != 0;
    WindowPtr parent = Find(params.parent);
    if (child && !parent) return nullptr;

    auto w = std::make_shared<detail::Window>();
    w->thread = std::this_thread::get_id();
    w->className = cls->second.name;
    w->classStyle = cls->second.style;
    w->background = cls->second.background;
    w->proc = cls->second.proc;
    w->style = params.style & ~WS_VISIBLE;
    w->exStyle = params.exStyle;
    w->id = child ? params.id : 0;
    w->rect = {params.x, params.y, params.x + std::max(0, params.width), params.y + std::max(0, params.height)};
    w->text = params.title;
    if (child) w->parent = parent->hwnd;
    else if (parent) w->owner = GetTopLevel(parent->hwnd);
    Hwnd hwnd = detail::AddToTable(w);
    if (child) parent->children.insert(parent->children.begin(), hwnd);
    else InsertTopLevel(w);

    if (detail::CallProc(w, WM_CREATE, 0, reinterpret_cast<LParam>(&params)) == -1) {
        DestroyWindow(hwnd);
        return nullptr;
    }
    if (!IsWindow(hwnd)) return nullptr;
    SendSizeAndMove(w);
    if (params.style & WS_VISIBLE) ShowWindow(hwnd, SW_SHOW);
    return IsWindow(hwnd) ? hwnd : nullptr;
}

bool DestroyWindow(Hwnd hwnd) {
    WindowPtr w = Find(hwnd);
    if (!w || w->destroying) return false;
    w->destroying = true;
    for (Hwnd owned : OwnedWindows(hwnd)) DestroyWindow(owned);

    if (w->style & WS_VISIBLE) {
        bool shown = detail::IsShown(*w);
        Rect screen = detail::ScreenRectOf(*w);
        w->style &= ~WS_VISIBLE;
        if (shown) detail::ExposeBelow(hwnd, screen);
    }
    detail::OnWindowHidden(hwnd);
    detail::CallProc(w, WM_DESTROY, 0, 0);
    std::vector<Hwnd> children = w->children;
    for (Hwnd c : children) DestroyWindow(c);
    detail::CallProc(w, WM_NCDESTROY, 0, 0);

    detail::ForgetWindow(hwnd);
    {
        std::lock_guard<std::mutex> lock(detail::Mutex());
        detail::KillWindowTimers(hwnd);
    }
    Unlink(w);
    detail::RemoveFromTable(hwnd);
    return true;
}

bool IsWindow(Hwnd hwnd) { return Find(hwnd) != nullptr; }

namespace {

void PaintTreeNow(Hwnd hwnd) {
    UpdateNow(hwnd);
    for (Hwnd child : ChildWindows(hwnd))
        if (IsWindowVisible(child)) PaintTreeNow(child);
}

}  // namespace

bool ShowWindow(Hwnd hwnd, int command) {
    WindowPtr w = Find(hwnd);
    if (!w) return false;
    bool wasVisible = (w->style & WS_VISIBLE) != 0;
    bool show = command != SW_HIDE;
    bool activate = show && command != SW_SHOWNA && command != SW_SHOWNOACTIVATE && !w->parent;
    if (show != wasVisible) {
        detail::CallProc(w, WM_SHOWWINDOW, show ? 1 : 0, 0);
        if (!IsWindow(hwnd)) return wasVisible;
        if (show) {
            w->style |= WS_VISIBLE;
            detail::InvalidateTree(hwnd);
            // A child (a popup's list) is painted at once, so it shows even
            // inside a loop that takes queued paints without dispatching them.
            // A top-level window keeps its queued first paint.
            if (w->parent && detail::IsShown(*w)) PaintTreeNow(hwnd);
        } else {
            bool shown = detail::IsShown(*w);
            Rect screen = detail::ScreenRectOf(*w);
            w->style &= ~WS_VISIBLE;
            if (shown) detail::ExposeBelow(hwnd, screen);
            detail::OnWindowHidden(hwnd);
        }
    }
    if (activate && IsWindowEnabled(hwnd)) SetActiveWindow(hwnd);
    return wasVisible;
}

bool IsWindowVisible(Hwnd hwnd) {
    WindowPtr w = Find(hwnd);
    return w && detail::IsShown(*w);
}

bool EnableWindow(Hwnd hwnd, bool enable) {
    WindowPtr w = Find(hwnd);
    if (!w) return false;
    bool wasDisabled = (w->style & WS_DISABLED) != 0;
    if (wasDisabled == !enable) return wasDisabled;
    if (enable) w->style &= ~WS_DISABLED;
    else w->style |= WS_DISABLED;
    if (!enable) {
        // A disabled window keeps neither the focus nor the stylus.
        if (GetCapture() && detail::IsSelfOrDescendant(GetCapture(), hwnd)) ReleaseCapture();
        if (GetFocus() && detail::IsSelfOrDescendant(GetFocus(), hwnd)) SetFocus(nullptr);
    }
    detail::CallProc(w, WM_ENABLE, enable ? 1 : 0, 0);
    return wasDisabled;
}

bool IsWindowEnabled(Hwnd hwnd) {
    WindowPtr w = Find(hwnd);
    return w && !(w->style & WS_DISABLED);
}

Hwnd GetParent(Hwnd hwnd) {
    WindowPtr w = Find(hwnd);
    return w ? w->parent : nullptr;
}

Hwnd GetWindowOwner(Hwnd hwnd) {
    WindowPtr w = Find(hwnd);
    return w ? w->owner : nullptr;
}

Hwnd GetTopLevel(Hwnd hwnd) {
    WindowPtr w = Find(hwnd);
    while (w && w->parent) w = Find(w->parent);
    return w ? w->hwnd : nullptr;
}

Hwnd GetDlgItem(Hwnd parent, int id) {
    WindowPtr p = Find(parent);
    if (!p) return nullptr;
    for (Hwnd c : p->children) {
        WindowPtr w = Find(c);
        if (w && w->id == id) return c;
    }
    return nullptr;
}

int GetDlgCtrlID(Hwnd hwnd) {
    WindowPtr w = Find(hwnd);
    return w ? w->id : 0;
}

bool SetWindowText(Hwnd hwnd, const std::string& text) {
    if (!IsWindow(hwnd)) return false;
    return SendMessage(hwnd, WM_SETTEXT, 0, reinterpret_cast<LParam>(text.c_str())) != 0;
}

std::string GetWindowText(Hwnd hwnd) {
    if (!IsWindow(hwnd)) return {};
    LResult length = SendMessage(hwnd, WM_GETTEXTLENGTH, 0, 0);
    if (length <= 0) return {};
    std::string text(static_cast<size_t>(length) + 1, '\0');
    LResult got = SendMessage(hwnd, WM_GETTEXT, text.size(), reinterpret_cast<LParam>(text.data()));
    text.resize(static_cast<size_t>(std::clamp<LResult>(got, 0, length)));
    return text;
}

std::string StoredWindowText(Hwnd hwnd) {
    WindowPtr w = Find(hwnd);
    return w ? w->text : std::string();
}

std::string GetClassName(Hwnd hwnd) {
    WindowPtr w = Find(hwnd);
    return w ? w->className : std::string();
}

Hwnd FindWindow(const std::string& className, const std::string& title) {
    for (Hwnd h : TopLevelWindows()) {
        WindowPtr w = Find(h);
        if (!w) continue;
        if (!className.empty() && Lower(w->className) != Lower(className)) continue;
        if (!title.empty() && w->text != title) continue;
        return h;
    }
    return nullptr;
}

uint32_t GetWindowStyle(Hwnd hwnd) {
    WindowPtr w = Find(hwnd);
    return w ? w->style : 0;
}

void SetWindowStyle(Hwnd hwnd, uint32_t style) {
    WindowPtr w = Find(hwnd);
    if (!w) return;
    const uint32_t fixed = WS_VISIBLE | WS_DISABLED | WS_CHILD;
    w->style = (w->style & fixed) | (style & ~fixed);
}

uint32_t GetWindowExStyle(Hwnd hwnd) {
    WindowPtr w = Find(hwnd);
    return w ? w->exStyle : 0;
}

WndProc SetWindowProc(Hwnd hwnd, WndProc proc) {
    WindowPtr w = Find(hwnd);
    if (!w || !proc) return nullptr;
    WndProc previous = w->proc;
    w->proc = proc;
    return previous;
}

WndProc GetWindowProc(Hwnd hwnd) {
    WindowPtr w = Find(hwnd);
    return w ? w->proc : nullptr;
}

LResult CallWindowProc(WndProc proc, Hwnd hwnd, uint32_t message, WParam wParam, LParam lParam) {
    return proc ? proc(hwnd, message, wParam, lParam) : 0;
}

LParam SetWindowUserData(Hwnd hwnd, LParam value) {
    WindowPtr w = Find(hwnd);
    if (!w) return 0;
    LParam previous = w->userData;
    w->userData = value;
    return previous;
}

LParam GetWindowUserData(Hwnd hwnd) {
    WindowPtr w = Find(hwnd);
    return w ? w->userData : 0;
}

LResult DefWindowProc(Hwnd hwnd, uint32_t message, WParam wParam, LParam lParam) {
    WindowPtr w = Find(hwnd);
    if (!w) return 0;
    switch (message) {
    case WM_SETTEXT:
        w->text = lParam ? reinterpret_cast<const char*>(lParam) : "";
        return 1;
    case WM_GETTEXTLENGTH:
        return static_cast<LResult>(w->text.size());
    case WM_GETTEXT: {
        char* buffer = reinterpret_cast<char*>(lParam);
        if (!buffer || wParam == 0) return 0;
        size_t n = std::min<size_t>(w->text.size(), wParam - 1);
        std::memcpy(buffer, w->text.data(), n);
        buffer[n] = '\0';
        return static_cast<LResult>(n);
    }
    case WM_PAINT: {
        PaintStruct ps;
        BeginPaint(hwnd, &ps);
        EndPaint(hwnd, &ps);
        return 0;
    }
    case WM_ERASEBKGND:
        return detail::FillBackground(*w, reinterpret_cast<void*>(wParam)) ? 1 : 0;
    case WM_ACTIVATE:
        if (LoWord(wParam) != WA_INACTIVE && !(GetFocus() && detail::IsSelfOrDescendant(GetFocus(), hwnd)))
            SetFocus(hwnd);
        return 0;
    case WM_CLOSE:
        DestroyWindow(hwnd);
        return 0;
    default:
        return 0;
    }
}

void ResetWindows() {
    ResetMessageQueue();
    ResetInput();
    {
        std::lock_guard<std::mutex> lock(detail::Mutex());
        detail::ClearTimers();
    }
    detail::ResetFocus();
    classes.clear();
    detail::ClearTable();
}

}  // namespace pl
