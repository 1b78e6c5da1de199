// Message ids, virtual key codes and the flags that go with them. Key messages
// are 256..264 and pointer messages 512..522; every other platform message is
// below 1024, so the program's private messages and commands (9500 and up)
// never meet one of ours.
#pragma once

#include <cstdint>

namespace pl {

constexpr uint32_t WM_NULL = 0x0000;
constexpr uint32_t WM_CREATE = 0x0001;        // lParam: const CreateParams*; -1 refuses creation
constexpr uint32_t WM_DESTROY = 0x0002;
constexpr uint32_t WM_MOVE = 0x0003;          // lParam: new client origin in the parent (x, y)
constexpr uint32_t WM_SIZE = 0x0005;          // lParam: new client width and height
constexpr uint32_t WM_ACTIVATE = 0x0006;      // wParam: WA_*; lParam: the other window
constexpr uint32_t WM_SETFOCUS = 0x0007;      // wParam: the window that lost the focus
constexpr uint32_t WM_KILLFOCUS = 0x0008;     // wParam: the window that gets the focus
constexpr uint32_t WM_ENABLE = 0x000A;        // wParam: 1 enabled, 0 disabled
constexpr uint32_t WM_SETTEXT = 0x000C;       // lParam: const char*
constexpr uint32_t WM_GETTEXT = 0x000D;       // wParam: buffer size; lParam: char*; result: length
constexpr uint32_t WM_GETTEXTLENGTH = 0x000E;
constexpr uint32_t WM_PAINT = 0x000F;
constexpr uint32_t WM_CLOSE = 0x0010;
constexpr uint32_t WM_QUIT = 0x0012;          // wParam: the exit code
constexpr uint32_t WM_ERASEBKGND = 0x0014;    // wParam: Hdc; non-zero result: background done
constexpr uint32_t WM_SYSCOLORCHANGE = 0x0015;
constexpr uint32_t WM_SHOWWINDOW = 0x0018;    // wParam: 1 shown, 0 hidden (sent before the change)
constexpr uint32_t WM_SETTINGCHANGE = 0x001A;
constexpr uint32_t WM_FONTCHANGE = 0x001D;
constexpr uint32_t WM_CANCELMODE = 0x001F;
constexpr uint32_t WM_DRAWITEM = 0x002B;
constexpr uint32_t WM_MEASUREITEM = 0x002C;
constexpr uint32_t WM_NOTIFY = 0x004E;
constexpr uint32_t WM_NCDESTROY = 0x0082;     // last message a window gets
constexpr uint32_t WM_KEYDOWN = 0x0100;       // wParam: virtual key; lParam: see KEY_* below
constexpr uint32_t WM_KEYUP = 0x0101;
constexpr uint32_t WM_CHAR = 0x0102;          // wParam: the character (Windows-1252 byte)
constexpr uint32_t WM_KEYLAST = 0x0108;
constexpr uint32_t WM_INITDIALOG = 0x0110;
constexpr uint32_t WM_COMMAND = 0x0111;       // wParam: id | notification << 16; lParam: control
constexpr uint32_t WM_TIMER = 0x0113;         // wParam: timer id
constexpr uint32_t WM_MOUSEMOVE = 0x0200;     // lParam: client x, y (signed 16-bit each)
constexpr uint32_t WM_LBUTTONDOWN = 0x0201;
constexpr uint32_t WM_LBUTTONUP = 0x0202;
constexpr uint32_t WM_LBUTTONDBLCLK = 0x0203;
constexpr uint32_t WM_MOUSELAST = 0x020A;
constexpr uint32_t WM_CAPTURECHANGED = 0x0215;  // lParam: the new capture window
constexpr uint32_t WM_USER = 0x0400;

constexpr uint32_t WM_KEYFIRST = WM_KEYDOWN;
constexpr uint32_t WM_MOUSEFIRST = WM_MOUSEMOVE;

// WM_SETTINGCHANGE wParam sent after the screen changed size or resolution.
constexpr uint32_t SETTINGCHANGE_RESET = 12290;

// WM_ACTIVATE wParam.
constexpr uint32_t WA_INACTIVE = 0;
constexpr uint32_t WA_ACTIVE = 1;

// Pointer message wParam: the stylus is down.
constexpr uint32_t MK_LBUTTON = 0x0001;

// Key message lParam: bit 0..15 repeat count (1), bits 16..23 the character the
// key produces (0 for none; TranslateMessage turns it into WM_CHAR), bit 30 the
// key was down before, bit 31 the key is being released.
constexpr uint32_t KEY_PREVIOUS_DOWN = 1u << 30;
constexpr uint32_t KEY_RELEASED = 1u << 31;

// Virtual key codes.
constexpr int VK_LBUTTON = 0x01;  // the stylus
constexpr int VK_BACK = 0x08;
constexpr int VK_TAB = 0x09;
constexpr int VK_RETURN = 0x0D;
constexpr int VK_SHIFT = 0x10;
constexpr int VK_CONTROL = 0x11;
constexpr int VK_ESCAPE = 0x1B;
constexpr int VK_SPACE = 0x20;
constexpr int VK_PRIOR = 0x21;  // Page Up
constexpr int VK_NEXT = 0x22;   // Page Down
constexpr int VK_END = 0x23;
constexpr int VK_HOME = 0x24;
constexpr int VK_LEFT = 0x25;
constexpr int VK_UP = 0x26;
constexpr int VK_RIGHT = 0x27;
constexpr int VK_DOWN = 0x28;
constexpr int VK_DELETE = 0x2E;
// The handheld's application (hardware) keys.
constexpr int VK_APP1 = 0xC1;
constexpr int VK_APP2 = 0xC2;
constexpr int VK_APP3 = 0xC3;
constexpr int VK_APP4 = 0xC4;

}  // namespace pl
