// Popup menus and the shell's menu bar. A popup menu runs its own message
// loop until an item is tapped or a tap lands outside it. The menu bar is a
// strip of buttons, one per popup of its menu, made from a menu-bar resource
// (or a menu resource) of platform/resources.h.
#pragma once

#include <cstdint>

#include "platform/color.h"
#include "platform/resources.h"
#include "platform/types.h"

namespace pl {

using Hmenu = const MenuPopupTemplate*;

// Popup `index` of menu resource `menuId`; null when there is none.
Hmenu GetSubMenu(int menuId, int index);

// TrackPopupMenu flags.
constexpr uint32_t TPM_LEFTALIGN = 0x0000;
constexpr uint32_t TPM_BOTTOMALIGN = 0x0020;  // y is the menu's bottom edge
constexpr uint32_t TPM_RETURNCMD = 0x0100;    // return the command instead of posting it

inline constexpr const char* kPopupMenuClass = "PopupMenu";
inline constexpr const char* kMenuBarClass = "MenuBar";

// Shows the menu with its top-left corner (bottom-left with TPM_BOTTOMALIGN)
// at (x, y) on the screen, moved as needed to stay on it, and waits. A tap on
// an item (not a separator or a greyed one) chooses its command; a tap
// outside closes the menu with 0, and its screen position goes to
// *closingTap (when given; otherwise it is (-1, -1)); Up, Down and Enter
// choose with keys, Escape closes. The command is returned; without
// TPM_RETURNCMD it is also posted to `owner` as WM_COMMAND.
int TrackPopupMenu(Hmenu menu, uint32_t flags, int x, int y, Hwnd owner, Point* closingTap = nullptr);

// The open popup menu's window (tests); null when none is open.
Hwnd OpenPopupMenu();

// Menu-bar flags.
constexpr uint32_t SHCMBF_EMPTYBAR = 0x0001;
constexpr uint32_t SHCMBF_HIDDEN = 0x0002;
constexpr uint32_t SHCMBF_HIDESIPBUTTON = 0x0004;
constexpr uint32_t SHCMBF_COLORBK = 0x0008;  // `background` paints the bar
constexpr uint32_t SHCMBF_HMENU = 0x0010;    // the id names a menu resource: its popups are the buttons

struct ShMenuBarInfo {
    uint32_t size = 36;
    Hwnd owner = nullptr;
    uint32_t flags = 0;
    int resourceId = 0;
    ColorRef background = 0;
};

// Creates the menu bar along the bottom of the screen, ShellBarHeight() high,
// shown unless SHCMBF_HIDDEN. Button i covers x from kMenuBarEdges[i] to
// kMenuBarEdges[i + 1] times the horizontal scale (pixels per inch over 96,
// truncated per edge); its text is the menu-bar resource's string, or with
// SHCMBF_HMENU the popup's text; SHCMBF_EMPTYBAR makes a bar without buttons.
// A label wider than its button (less 2 pixels, scaled, each side) widens it
// and moves the buttons after it right by as much.
// A tap on a button opens its popup above it and posts the chosen command to
// the owner. Null when the record's size is not 36 or the resources are
// missing. Recorded in the shell-call log.
Hwnd ShCreateMenuBar(const ShMenuBarInfo& info);

inline constexpr int kMenuBarEdges[] = {0, 38, 98, 138, 198};

// Button i's rectangle in the bar's client coordinates (empty past the buttons).
Rect MenuBarButtonRect(Hwnd bar, int index);
// The popup that button `index` drops down; null when there is none.
Hmenu GetMenuBarSubMenu(Hwnd bar, int index);
int MenuBarButtonCount(Hwnd bar);

}  // namespace pl
