// Steps the modal input dialogs share: the shell's empty menu bar, the screen
// size and the width difference to the 240-pixel design.
#pragma once

#include "platform/types.h"

// An empty shell menu bar (menu-bar resource 102) for the dialog.
pl::Hwnd CreateEmptyMenuBar(pl::Hwnd dialog);

// Screen width less 240 x scaleX.
int ScreenWidthDelta();

// Full-screen states of the modal dialogs: 38 around the text input (task bar
// and start icon hidden, input-panel button shown) and 37 inside them (start
// icon hidden, input-panel button and task bar shown).
constexpr uint32_t kFullScreenTextInput = 38;
constexpr uint32_t kFullScreenInDialog = 37;
