// The home form (form 1950, "Zendavori Menu"): the first screen and the
// "Wizard" menu entry.
#pragma once

#include "platform/types.h"

// The form's dialog procedure.
pl::LResult HomeFormProc(pl::Hwnd form, uint32_t message, pl::WParam wParam, pl::LParam lParam);

// Releases what the form set up: its controls, and the first-paint flag set again.
void ReleaseHomeForm(pl::Hwnd form);

// The first full drawing of the form.
void DrawHomeForm();
