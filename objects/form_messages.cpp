#include "objects/form_messages.h"

#include "platform/messages.h"
#include "platform/window.h"
#include "ui/draw_window.h"
#include "ui/forms.h"
#include "ui/saved_screen.h"
#include "ui/screen_layout.h"

namespace {

void CloseForm(pl::Hwnd form, const FormRoutines& r) {
    r.release(form);
    DestroyCurrentForm();
    *r.window = nullptr;
}

void ChangeScreen(pl::Hwnd form, pl::WParam wParam, pl::LParam lParam, const FormRoutines& r) {
    if (wParam == pl::SETTINGCHANGE_RESET) {
        InitDisplayScale();
        ResetScreenScale();
    }
    HandleFormSettingChange(form, wParam, lParam, r.activateInfo);
}

}  // namespace

void RunFormCommand(pl::Hwnd form, int id, void (*command)(int)) {
    InitDrawWindowOwnDc(form);
    command(id);
    if (GetCurrentFormDialog() == form && pl::IsWindow(form)) SaveScreen();
}

bool HandleCommonFormMessage(pl::Hwnd form, uint32_t message, pl::WParam wParam, pl::LParam lParam,
                             const FormRoutines& r, pl::LResult* result) {
    *result = 1;
    switch (message) {
    case pl::WM_ERASEBKGND: return true;
    case pl::WM_COMMAND: {
        const int id = pl::LoWord(wParam), list = pl::HiWord(wParam);
        if (id == kCmdCloseForm) CloseForm(form, r);
        else RunFormCommand(form, list != 0 ? list : id, r.command);
        return true;
    }
    case pl::WM_CLOSE:
        r.release(form);
        *result = 0;
        return true;
    case pl::WM_ACTIVATE: HandleFormActivate(form, wParam, lParam, r.activateInfo, 0); return true;
    case pl::WM_SETTINGCHANGE: ChangeScreen(form, wParam, lParam, r); return true;
    default: return false;
    }
}
