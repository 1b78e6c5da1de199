// The application menus opened from a form's title: a nested message loop
// over the shell menu bar moved to the top of the screen.
#include <vector>

#include "platform/focus.h"
#include "platform/menus.h"
#include "platform/message_queue.h"
#include "platform/messages.h"
#include "platform/paint.h"
#include "platform/window.h"
#include "ui/menu_bar.h"
#include "ui/shell_state.h"
#include "ui/title_control.h"

namespace {

struct MenuBarLayout {
    pl::Hwnd bar = nullptr;
    std::vector<pl::Rect> buttons;  // bar client coordinates
};

// The index of the button at a point of the bar's client area, or -1.
int ButtonAt(const MenuBarLayout& layout, pl::Point p) {
    for (int i = 0; i < static_cast<int>(layout.buttons.size()); ++i)
        if (layout.buttons[i].Contains(p)) return i;
    return -1;
}

MenuBarLayout PlaceMenuBar(pl::Hwnd bar) {
    MenuBarLayout layout;
    layout.bar = bar;
    pl::Rect r;
    pl::GetWindowRect(bar, &r);
    int height = r.Height() - 2;
    pl::SetWindowPos(bar, pl::HWND_TOP, 0, 0, r.Width(), height, pl::SWP_SHOWWINDOW);
    // The buttons where the bar draws them (a label wider than its button widens it).
    for (int i = 0; i < ApplicationMenuCount(); ++i) {
        pl::Rect button = pl::MenuBarButtonRect(bar, i);
        layout.buttons.push_back(pl::Rect{button.left, 0, button.right, height - 1});
    }
    return layout;
}

// Opens menu `index` below its button; the chosen command, or 0 with the
// closing tap in bar coordinates.
int OpenMenu(const MenuBarLayout& layout, int index, pl::Point* closingTap) {
    lastMenu = index;
    pl::Point corner{layout.buttons[index].left, layout.buttons[index].bottom};
    pl::ClientToScreen(layout.bar, &corner);
    pl::Point tap{-1, -1};
    int command = pl::TrackPopupMenu(pl::GetMenuBarSubMenu(layout.bar, index), pl::TPM_LEFTALIGN | pl::TPM_RETURNCMD,
                                     corner.x, corner.y, mainWindow, &tap);
    if (tap.x >= 0) pl::ScreenToClient(layout.bar, &tap);
    *closingTap = tap;
    return command;
}

// A pen-down on the bar: menus open until one gives a command or a tap lands
// on no button. Returns the command, 0 for none.
int MenusFromTap(const MenuBarLayout& layout, int index) {
    while (index >= 0) {
        pl::Point tap;
        int command = OpenMenu(layout, index, &tap);
        if (command != 0) return command;
        index = tap.x < 0 ? -1 : ButtonAt(layout, tap);
    }
    return 0;
}

// Runs the loop; the chosen command, 0 when the menus were left without one.
int RunMenuLoop(const MenuBarLayout& layout) {
    pl::Msg msg;
    while (true) {
        if (pl::GetMessage(&msg, nullptr, 0, 0) == 0) {
            pl::PostQuitMessage(static_cast<int>(msg.wParam));
            return 0;
        }
        if (pl::TranslateAccelerator(msg.hwnd, accelTable, &msg)) continue;
        if (msg.id == pl::WM_LBUTTONDOWN && msg.hwnd == layout.bar) {
            pl::Point p{pl::PointX(msg.lParam), pl::PointY(msg.lParam)};
            pl::Rect client;
            pl::GetClientRect(layout.bar, &client);
            if (!client.Contains(p)) return 0;
            int index = ButtonAt(layout, p);
            if (index < 0) continue;
            if (int command = MenusFromTap(layout, index)) return command;
            return 0;
        }
        pl::TranslateMessage(&msg);
        pl::DispatchMessage(&msg);
    }
}

}  // namespace

void ShowTitleMenu(pl::Hwnd dialog) {
    pl::Hwnd bar = CreateMenuBar(dialog);
    if (!bar) return;
    MenuBarLayout layout = PlaceMenuBar(bar);
    pl::SetCapture(bar);
    if (lastMenu < 0 || lastMenu >= static_cast<int>(layout.buttons.size())) lastMenu = 0;
    const pl::Rect& last = layout.buttons[lastMenu];
    pl::PostMessage(bar, pl::WM_LBUTTONDOWN, pl::MK_LBUTTON, pl::MakeLParam(last.left + 3, last.top + 3));
    int command = RunMenuLoop(layout);
    pl::ReleaseCapture();
    pl::DestroyWindow(bar);
    if (command != 0) {
        pl::SetForegroundWindow(mainWindow);
        pl::SendMessage(mainWindow, pl::WM_COMMAND, static_cast<pl::WParam>(command), 0);
    } else if (pl::IsWindow(dialog)) {
        pl::SetActiveWindow(dialog);
        pl::Invalidate(dialog, nullptr, true);
    }
}
