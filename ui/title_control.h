// The title of a form or modal dialog: a rounded strip at the top-left whose
// tap opens the application menus (forms only).
#pragma once

#include <cstdint>

#include "platform/types.h"

struct TitleRecord {
    pl::Hwnd dialog;
    int16_t titleId;
    int16_t menuFlag;    // 1: a tap opens the application menus
    int16_t titleWidth;  // text width in font 1 + 12 x scaleX
    uint8_t pressed;
    uint8_t pressed2;
    char text[64];
    pl::WndProc previous;
};

// The application menu opened last from a title (0..3).
extern int lastMenu;

// Makes the dialog the open form: a form still open is first reported ("InitTitle
// Close Dialog") and destroyed. With a negative title id the dialog only
// becomes the draw window; otherwise its title control becomes a menu title at
// the top-left, as wide as its text, 24 x scaleY high, and the dialog takes the
// focus.
void InitTitle(pl::Hwnd dialog, int titleId, const char* text);

// The same title for a modal dialog: no menu, and the open form stays.
void InitDialogTitle(pl::Hwnd dialog, int titleId, const char* text);

// The application menus from a title tap: the menu bar at the top of the
// screen with the menu used last open at once; a chosen command goes to the
// main window.
void ShowTitleMenu(pl::Hwnd dialog);
