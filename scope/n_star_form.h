// The N-star form (2100, "   N-Star   ", menu command 1006): the list of
// reference stars at the left, the current star's place, reading and
// corrected place ("Obs :", "True:", "Calc:") with the mean error, the plots
// of the errors before and after the correction with their scale popups, and
// Add, Del, Sync, Calc, Save, Load and Ok. The work is in scope/n_star.h and
// scope/n_star_file.h.
#pragma once

#include "platform/types.h"

// The form's procedure: set-up, first paint (NStarOpen), the list's rows,
// the typed fields, the commands, and the release of its controls at close.
pl::LResult NStarDialogProc(pl::Hwnd form, uint32_t message, pl::WParam wParam, pl::LParam lParam);

// The first paint: form 2100 in the history, the default stars loaded when
// needed, then RedrawNStarForm (which takes a star chosen on the chart).
void NStarOpen();
