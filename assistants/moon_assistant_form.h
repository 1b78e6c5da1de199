// The Moon assistant (form 6000): the phase calendar of a month, the Moon's
// rise and set, the dark hours and the hours of good visibility of each day,
// the lunar features near the terminator and, for one feature, the Sun's rise
// and set over it; its Map view opens the Moon map (form 6020). It keeps its
// own date (moonAssistantState), apart from currentDateTime once open.
#pragma once

#include <cstdint>

#include "platform/types.h"

// The form's dialog procedure.
pl::LResult MoonAssistantProc(pl::Hwnd form, uint32_t message, pl::WParam wParam, pl::LParam lParam);

// The state of a fresh start, the feature index, the terminator list and the
// rendered map freed (tests).
void ResetMoonAssistant();
