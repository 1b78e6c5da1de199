#include "ui/home_form.h"

#include "platform/messages.h"
#include "platform/message_queue.h"
#include "platform/shell.h"
#include "ui/control_registry.h"
#include "ui/forms.h"
#include "ui/shell_state.h"
#include "ui/title_control.h"

namespace {

constexpr int kTitleId = 8001;
constexpr int kDoneCommand = 1;
constexpr int kQuitCommand = 1035;
// Done button, full-screen size, full screen without menu bar.
constexpr uint32_t kHomeInitFlags = pl::SHIDIF_DONEBUTTON | pl::SHIDIF_SIZEDLGFULLSCREEN | pl::SHIDIF_FULLSCREENNOMENUBAR;

int firstPaint = 1;
pl::ShActivateInfo homeActivateInfo{};

}  // namespace

void DrawHomeForm() { PushFormHistory(kHomeFormId); }

void ReleaseHomeForm(pl::Hwnd form) {
    firstPaint = 1;
    ReleaseControl(form, kTitleId);
}

pl::LResult HomeFormProc(pl::Hwnd form, uint32_t message, pl::WParam wParam, pl::LParam lParam) {
    switch (message) {
    case pl::WM_INITDIALOG:
        homeActivateInfo = pl::ShActivateInfo{};
        InitFormWindow(form, kHomeInitFlags);
        InitTitle(form, kTitleId, "Zendavori Menu");
        firstPaint = 1;
        return 1;
    case pl::WM_PAINT: PaintForm(form, DrawHomeForm, &firstPaint, 0, 1); return 1;
    case pl::WM_COMMAND:
        switch (pl::LoWord(wParam)) {
        case kDoneCommand: pl::PostMessage(mainWindow, pl::WM_COMMAND, kQuitCommand, 0); return 1;
        case kCmdCloseForm:
            ReleaseHomeForm(form);
            DestroyCurrentForm();
            return 1;
        default: return 0;
        }
    case pl::WM_CLOSE: ReleaseHomeForm(form); return 0;
    case pl::WM_ACTIVATE: HandleFormActivate(form, wParam, lParam, &homeActivateInfo, 0); return 1;
    case pl::WM_SETTINGCHANGE: HandleFormSettingChange(form, wParam, lParam, &homeActivateInfo); return 1;
    case pl::WM_ERASEBKGND: return 1;
    default: return 0;
    }
}
