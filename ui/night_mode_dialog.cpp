#include "ui/night_mode_dialog.h"

#include <cstdio>

#include "core/preferences.h"
#include "platform/dc.h"
#include "platform/dialog.h"
#include "platform/messages.h"
#include "platform/paint.h"
#include "platform/shell.h"
#include "platform/window.h"
#include "ui/control_access.h"
#include "ui/control_registry.h"
#include "ui/draw_window.h"
#include "ui/forms.h"
#include "ui/markers.h"
#include "ui/modal_dialog_common.h"
#include "ui/night_colors.h"
#include "ui/screen_layout.h"
#include "ui/shell_state.h"
#include "ui/title_control.h"

namespace {

constexpr int kTemplate = 1999;
constexpr int kTitle = 141;
constexpr int kStatus = 136;
constexpr const char* kModeNames[] = {"Normal", "Dark", "Medium", "Bright"};

void ShowMode(int mode) {
    char text[64];
    std::snprintf(text, sizeof text, "Current Mode: <%s> mode", kModeNames[mode >= 0 && mode < 4 ? mode : 0]);
    SetField(kStatus, text);
}

void SetMode(int mode, int preset) {
    preferences.word[kPrefNightMode] = mode;
    ShowMode(mode);
    if (preset) LoadPresetSystemColors(preset);
    ApplyNightModeColors(mode);
}

void InitNightMode(pl::Hwnd dialog) {
    pl::ShInitDialog(dialog, 0);
    pl::ShFullScreen(dialog, kFullScreenHide);
    int width = 0, height = 0;
    GetScreenSize(&width, &height);
    pl::MoveWindow(dialog, 0, 0, width, ScaleY(88));
    InitDialogTitle(dialog, kTitle, "NightMode Settings");
    SetCurrentFormWindow(dialog);
    ShowMode(preferences.word[kPrefNightMode]);
    int dx = ScreenWidthDelta();
    for (int id : {138, 139, 140}) MoveControl(dialog, id, dx, 0, 0, 0);
}

void Paint(pl::Hwnd dialog) {
    pl::PaintStruct ps;
    pl::Hdc dc = pl::BeginPaint(dialog, &ps);
    if (!dc) return;
    DrawLineUnderControl(dialog, dc, kTitle);
    pl::EndPaint(dialog, &ps);
}

pl::LResult NightModeProc(pl::Hwnd dialog, uint32_t message, pl::WParam wParam, pl::LParam) {
    pl::ShInputDialog(dialog, message, wParam);
    switch (message) {
    case pl::WM_INITDIALOG: InitNightMode(dialog); return 1;
    case pl::WM_PAINT: Paint(dialog); return 1;
    case pl::WM_COMMAND:
        switch (pl::LoWord(wParam)) {
        case 138: SetMode(1, 0); return 1;
        case 139: SetMode(2, 0); return 1;
        case 140: SetMode(3, 0); return 1;
        case pl::IDCANCEL: SetMode(0, 0); return 1;
        case 142: SetMode(0, 2003); return 1;
        case 143: SetMode(0, 2005); return 1;
        case pl::IDOK:
            ReleaseControl(dialog, kTitle);
            pl::EndDialog(dialog, pl::IDOK);
            return 1;
        default: return 0;
        }
    default: return 0;
    }
}

}  // namespace

void RunNightModeDialog() {
    pl::Hwnd owner = GetCurrentFormWindow();
    pl::DialogBox(kTemplate, owner, NightModeProc);
    FreeMarkerBitmaps();
    SetCurrentFormWindow(owner);
    if (owner) pl::ShFullScreen(owner, kFullScreenHide);
    GotoForm(GetCurrentFormId());
}
