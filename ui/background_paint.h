// The start of a paint handler that draws on the background colour.
#pragma once

#include "platform/paint.h"

// Begins painting the window and fills its client area with the colour set's
// background brush (black once the colour set is gone, at shut-down). The
// context, or null when there is nothing to paint; *client receives the client
// rectangle. End with pl::EndPaint.
pl::Hdc BeginBackgroundPaint(pl::Hwnd window, pl::PaintStruct* ps, pl::Rect* client);
