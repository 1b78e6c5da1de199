// The shell menu bar of the application menus, built when a form's title is
// tapped.
#pragma once

#include "platform/types.h"

// Builds the menu bar for `window`: resource 102 when the screen is taller
// than 240 x scaleX pixels, else 103 (with the Devices menu); hidden, without
// the input-panel button; in night mode the menus of the same number on a dark
// red background. Null when the shell refuses.
pl::Hwnd CreateMenuBar(pl::Hwnd window);

// The number of application menus on this screen: 3 on tall screens, else 4.
int ApplicationMenuCount();
