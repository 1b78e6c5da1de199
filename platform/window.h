// Windows: classes, creation and destruction, the parent/child tree and the
// owner relation, visibility, enabling, position and size, z-order, window
// text, subclassing and the user-data slot, and the geometry the graphics side
// clips with (screen rectangles, visible regions, z-order enumeration).
//
// A window has no frame: its client area is the whole window, so the client
// rectangle is (0, 0, width, height). A child's position is in its parent's
// client coordinates; a top-level window's is on the screen. Windows are made
// and changed on the UI thread.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/messages.h"
#include "platform/region.h"
#include "platform/screen.h"
#include "platform/types.h"

namespace pl {

// Class styles.
constexpr uint32_t CS_VREDRAW = 0x0001;
constexpr uint32_t CS_HREDRAW = 0x0002;
constexpr uint32_t CS_DBLCLKS = 0x0008;  // a double tap arrives as WM_LBUTTONDBLCLK

// Window styles (the low 16 bits belong to the window's class: controls use them).
constexpr uint32_t WS_POPUP = 0x80000000u;
constexpr uint32_t WS_CHILD = 0x40000000u;
constexpr uint32_t WS_VISIBLE = 0x10000000u;
constexpr uint32_t WS_DISABLED = 0x08000000u;
constexpr uint32_t WS_BORDER = 0x00800000u;
constexpr uint32_t WS_VSCROLL = 0x00200000u;
constexpr uint32_t WS_TABSTOP = 0x00010000u;
// Extended style: the window stays above every window without it.
constexpr uint32_t WS_EX_TOPMOST = 0x00000008u;

// ShowWindow commands.
constexpr int SW_HIDE = 0;
constexpr int SW_SHOWNORMAL = 1;
constexpr int SW_SHOWNOACTIVATE = 4;
constexpr int SW_SHOW = 5;
constexpr int SW_SHOWNA = 8;

// SetWindowPos flags and z-order places.
constexpr uint32_t SWP_NOSIZE = 0x0001;
constexpr uint32_t SWP_NOMOVE = 0x0002;
constexpr uint32_t SWP_NOZORDER = 0x0004;
constexpr uint32_t SWP_NOACTIVATE = 0x0010;
constexpr uint32_t SWP_SHOWWINDOW = 0x0040;
constexpr uint32_t SWP_HIDEWINDOW = 0x0080;
inline const Hwnd HWND_TOP = nullptr;
inline const Hwnd HWND_BOTTOM = reinterpret_cast<Hwnd>(1);
inline const Hwnd HWND_TOPMOST = reinterpret_cast<Hwnd>(-1);
inline const Hwnd HWND_NOTOPMOST = reinterpret_cast<Hwnd>(-2);

struct WindowClass {
    std::string name;
    WndProc proc = nullptr;
    uint32_t style = 0;                // CS_*
    const void* background = nullptr;  // brush of the graphics side for the default erase, or null
};

// Registers a class; false when the name is taken or the procedure is missing.
bool RegisterClass(const WindowClass& windowClass);
bool GetClassInfo(const std::string& name, WindowClass* out);

struct CreateParams {
    uint32_t exStyle = 0;
    std::string className;
    std::string title;
    uint32_t style = 0;
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    Hwnd parent = nullptr;  // the parent of a WS_CHILD window, else the owner
    int id = 0;             // child id
    void* param = nullptr;  // handed on in WM_CREATE's CreateParams
};

// Creates a window: WM_CREATE (lParam points to the CreateParams; a result of
// -1 refuses), WM_SIZE and WM_MOVE, then shows it when WS_VISIBLE is given
// (a visible top-level window becomes active). Null when the class is unknown,
// a child has no valid parent, or WM_CREATE refused.
Hwnd CreateWindow(const CreateParams& params);

// Destroys a window: first its owned windows, then it is hidden, gets
// WM_DESTROY, its children are destroyed, it gets WM_NCDESTROY and its timers
// die. Safe from inside the window's own procedure: the handle becomes
// invalid, messages still queued for it are dropped, and the record is freed
// when its last running procedure returns. False for an invalid handle.
bool DestroyWindow(Hwnd hwnd);

bool IsWindow(Hwnd hwnd);

// Shows or hides (SW_*); returns whether it was visible. Hiding uncovers what
// lay below, which is invalidated; showing invalidates the window and its
// children and activates a top-level window (not with SW_SHOWNA or
// SW_SHOWNOACTIVATE). WM_SHOWWINDOW is sent before the change.
bool ShowWindow(Hwnd hwnd, int command);
// The window and all its ancestors are visible.
bool IsWindowVisible(Hwnd hwnd);

// Enables or disables (WM_ENABLE); returns whether it was disabled before.
bool EnableWindow(Hwnd hwnd, bool enable);
bool IsWindowEnabled(Hwnd hwnd);

// Moves, sizes, reorders, shows or hides (SWP_*). `insertAfter` is a window
// (placed just below it), HWND_TOP, HWND_BOTTOM, HWND_TOPMOST or HWND_NOTOPMOST.
bool SetWindowPos(Hwnd hwnd, Hwnd insertAfter, int x, int y, int width, int height, uint32_t flags);
bool MoveWindow(Hwnd hwnd, int x, int y, int width, int height);
// Raises a window to the top of its siblings; a top-level window's owned
// windows stay above it.
bool BringWindowToTop(Hwnd hwnd);

// The window's rectangle on the screen.
bool GetWindowRect(Hwnd hwnd, Rect* out);
// (0, 0, width, height).
bool GetClientRect(Hwnd hwnd, Rect* out);
bool ClientToScreen(Hwnd hwnd, Point* p);
bool ScreenToClient(Hwnd hwnd, Point* p);

Hwnd GetParent(Hwnd hwnd);
Hwnd GetWindowOwner(Hwnd hwnd);
// The top-level window that holds this one (itself when it is top-level).
Hwnd GetTopLevel(Hwnd hwnd);
// The child with this id, or null.
Hwnd GetDlgItem(Hwnd parent, int id);
int GetDlgCtrlID(Hwnd hwnd);

// Window text (Windows-1252 bytes), through WM_SETTEXT and WM_GETTEXT so that
// controls can react; the default procedure keeps it.
bool SetWindowText(Hwnd hwnd, const std::string& text);
std::string GetWindowText(Hwnd hwnd);
// The stored text read directly, without a message (for inspection by tests).
std::string StoredWindowText(Hwnd hwnd);

std::string GetClassName(Hwnd hwnd);
// The first top-level window with this class and title (an empty text matches any).
Hwnd FindWindow(const std::string& className, const std::string& title);

uint32_t GetWindowStyle(Hwnd hwnd);
// Sets the style except WS_VISIBLE, WS_DISABLED and WS_CHILD, which only their
// own calls change.
void SetWindowStyle(Hwnd hwnd, uint32_t style);
uint32_t GetWindowExStyle(Hwnd hwnd);

// Subclassing: replaces the procedure and returns the previous one, which the
// new procedure passes unhandled messages to with CallWindowProc.
WndProc SetWindowProc(Hwnd hwnd, WndProc proc);
WndProc GetWindowProc(Hwnd hwnd);
LResult CallWindowProc(WndProc proc, Hwnd hwnd, uint32_t message, WParam wParam, LParam lParam);
// Default handling: window text, painting (validates), the background fill,
// focus on activation, destruction on WM_CLOSE; 0 for everything else.
LResult DefWindowProc(Hwnd hwnd, uint32_t message, WParam wParam, LParam lParam);

// One user-data slot per window; SetWindowUserData returns the previous value.
LParam SetWindowUserData(Hwnd hwnd, LParam value);
LParam GetWindowUserData(Hwnd hwnd);

// Geometry for the graphics side.
// Top-level windows in z-order, topmost first.
std::vector<Hwnd> TopLevelWindows();
// A window's children in z-order, topmost first.
std::vector<Hwnd> ChildWindows(Hwnd hwnd);
// What of the window shows on the screen, in screen coordinates: its rectangle
// within its ancestors, less the visible windows above it (higher top-level
// windows, higher siblings of it and of its ancestors) and less its visible
// children. Empty for a hidden window.
Region VisibleRegion(Hwnd hwnd);
// The window that a tap at this screen point reaches: the topmost visible
// top-level window there, then down through its visible enabled children. A
// disabled child stops the descent (its parent is returned); a disabled
// top-level window is returned as it is. Null where there is no window.
Hwnd WindowFromPoint(Point screen);

// Drops every window, class, timer, queued message, fed input event and the
// focus, capture and activation, without messages (tests).
void ResetWindows();

}  // namespace pl
