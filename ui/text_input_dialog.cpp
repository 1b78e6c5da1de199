#include "ui/text_input_dialog.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <utility>

#include "platform/controls.h"
#include "platform/dialog.h"
#include "platform/focus.h"
#include "platform/menus.h"
#include "platform/message_queue.h"
#include "platform/messages.h"
#include "platform/paint.h"
#include "platform/shell.h"
#include "platform/window.h"
#include "ui/draw_window.h"
#include "ui/forms.h"
#include "ui/modal_dialog_common.h"
#include "ui/saved_screen.h"
#include "ui/screen_layout.h"

namespace {

constexpr int kTemplate = 135;
constexpr int kTitleStatic = 136;
constexpr int kEdit = 137;
constexpr int kTitleSize = 64;

char textInputBuffer[kTextInputSize];
std::string fieldText;  // the field's text when the input opened
char titleBuffer[kTitleSize];
int maximumLength = kTextInputSize;
int closing = 0;
pl::Hwnd menuBar = nullptr;
TextInputCheck inputCheck;

// Copies at most `limit` - 1 characters of text into the buffer.
void Keep(const std::string& text, int limit) {
    std::snprintf(textInputBuffer, static_cast<std::size_t>(std::max(limit, 1)), "%s", text.c_str());
}

void InitTextInput(pl::Hwnd dialog) {
    menuBar = CreateEmptyMenuBar(dialog);
    pl::ShInitDialog(dialog, 0);
    pl::ShFullScreen(dialog, kFullScreenInDialog);
    int width = 0, height = 0;
    GetScreenSize(&width, &height);
    pl::MoveWindow(dialog, 0, height + ScaleX(113) - ScaleX(320), width, height - ScaleX(136));
    int dw = ScreenWidthDelta();
    if (static_cast<unsigned char>(titleBuffer[0]) > 0) {
        MoveControl(dialog, kEdit, 0, 0, dw, 0);
        pl::SetDlgItemText(dialog, kTitleStatic, titleBuffer);
    } else {
        pl::ShowWindow(pl::GetDlgItem(dialog, kTitleStatic), pl::SW_HIDE);
        MoveControl(dialog, kEdit, -ScaleX(70), 0, dw + ScaleX(70), 0);
    }
    MoveControl(dialog, pl::IDCANCEL, dw, 0, 0, 0);
    pl::SetDlgItemText(dialog, kEdit, textInputBuffer);
    pl::SetFocus(pl::GetDlgItem(dialog, kEdit));
    closing = 0;
}

// The edit's whole text passes the check; when it does not, the focus goes
// back into the edit, after the text.
bool Accepted(pl::Hwnd dialog) {
    if (!inputCheck) return true;
    const std::string text = pl::GetDlgItemText(dialog, kEdit);
    if (inputCheck(text.c_str())) return true;
    if (!pl::IsWindow(dialog)) return false;
    pl::Hwnd edit = pl::GetDlgItem(dialog, kEdit);
    pl::SetFocus(edit);
    pl::SendMessage(edit, pl::EM_SETSEL, 0, -1);
    return false;
}

void Close(pl::Hwnd dialog, int result) {
    closing = 1;
    pl::ShSipPreference(dialog, pl::SIP_FORCEDOWN);
    pl::EndDialog(dialog, result);
}

pl::LResult TextInputProc(pl::Hwnd dialog, uint32_t message, pl::WParam wParam, pl::LParam) {
    pl::ShInputDialog(dialog, message, wParam);
    switch (message) {
    case pl::WM_INITDIALOG: InitTextInput(dialog); return 0;
    case pl::WM_COMMAND:
        if (pl::LoWord(wParam) == pl::IDOK) {
            if (!Accepted(dialog)) return 1;
            // A text left as the field held it stays whole: Ok changes nothing.
            const std::string text = pl::GetDlgItemText(dialog, kEdit);
            Keep(text, text == fieldText ? kTextInputSize : maximumLength);
            Close(dialog, pl::IDOK);
            return 1;
        }
        if (pl::LoWord(wParam) == pl::IDCANCEL) {
            Close(dialog, pl::IDCANCEL);
            return 1;
        }
        return 0;
    case pl::WM_ACTIVATE:
        if (pl::LoWord(wParam) != pl::WA_INACTIVE) pl::ShSipPreference(dialog, pl::SIP_UP);
        else if (closing) pl::ShSipPreference(dialog, pl::SIP_DOWN);
        return 0;
    case pl::WM_DESTROY:
        if (menuBar) pl::DestroyWindow(menuBar);
        menuBar = nullptr;
        return 0;
    default: return 0;
    }
}

}  // namespace

int RunTextInputDialog(pl::Hwnd form, int fieldId, const char* title, int maxLength, TextInputCheck check) {
    maximumLength = kTextInputSize;
    // The open form keeps its picture as its back buffer, through a context
    // of its own (the one of its last paint is gone). A field of a modal
    // dialog (the position input) leaves the form's back buffer alone.
    if (form == GetCurrentFormDialog()) {
        InitDrawWindowOwnDc(form);
        SaveScreen();
    }
    fieldText = pl::GetDlgItemText(form, fieldId);
    Keep(fieldText, kTextInputSize);
    std::snprintf(titleBuffer, sizeof titleBuffer, "%s", title ? title : "");
    maximumLength = std::min(std::max(maxLength, 1), kTextInputSize);
    inputCheck = std::move(check);
    pl::ShFullScreen(form, kFullScreenTextInput);
    int result = static_cast<int>(pl::DialogBox(kTemplate, form, TextInputProc));
    inputCheck = nullptr;
    pl::ShFullScreen(form, kFullScreenHide);
    pl::Invalidate(form, nullptr, true);
    pl::SetDlgItemText(form, fieldId, textInputBuffer);
    return result == pl::IDOK ? pl::IDOK : pl::IDCANCEL;
}

const char* GetTextInputBuffer() { return textInputBuffer; }
