// Moving the controls of a form as a block on screens other than the 240 x 320
// design, labels without ids included.
#pragma once

#include <initializer_list>

#include "platform/types.h"

// Moves every child window of the form by (dx, dy), except the controls whose
// ids are listed.
void MoveControlsExcept(pl::Hwnd form, std::initializer_list<int> kept, int dx, int dy);
