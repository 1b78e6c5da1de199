// The control registry: every control id that a form's initialisation sets up,
// so that the form can release them all when it closes and any id it forgot
// is reported when it is destroyed.
#pragma once

#include <cstdint>

#include "core/growable_array.h"
#include "platform/types.h"

extern GrowableArray<int32_t> controlRegistry;

// Appends an id (ids may repeat; nothing is checked).
void RegisterControlId(int id);

// When the control exists on the dialog, removes the first entry of its id
// from the registry; the other ids keep their order, so forgotten ids are
// reported in the order the form set them up.
void ReleaseControl(pl::Hwnd dialog, int id);

// Empties the registry (tests and the report of forgotten ids).
void ClearControlRegistry();
