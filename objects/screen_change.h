// A form's answer to a new screen size or resolution.
#pragma once

#include "platform/types.h"

// After a display change (WM_SETTINGCHANGE 12290) the display scale and the
// layout multiplier are measured again, so that the form built anew is laid
// out for the new screen.
void MeasureChangedScreen(pl::WParam wParam);
