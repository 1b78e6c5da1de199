#include "objects/screen_change.h"

#include "platform/messages.h"

#include "ui/draw_window.h"
#include "ui/screen_layout.h"

void MeasureChangedScreen(pl::WParam wParam) {
    if (wParam != pl::SETTINGCHANGE_RESET) return;
    InitDisplayScale();
    ResetScreenScale();
}
