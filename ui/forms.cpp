#include "ui/forms.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "core/preferences.h"
#include "core/program_hooks.h"
#include "core/services.h"
#include "core/shared_buffers.h"
#include "platform/drawing.h"
#include "platform/focus.h"
#include "platform/gdi.h"
#include "platform/message_queue.h"
#include "platform/paint.h"
#include "platform/screen.h"
#include "platform/window.h"
#include "ui/control_registry.h"
#include "ui/colors.h"
#include "ui/draw_window.h"
#include "ui/primitives.h"
#include "ui/saved_screen.h"
#include "ui/shell_state.h"

int formHistory[kFormHistorySize] = {};

namespace {

pl::Hwnd currentFormDialog = nullptr;

pl::Rect ClientRect(pl::Hwnd window) {
    pl::Rect r;
    pl::GetClientRect(window, &r);
    return r;
}

// Writes the registered ids as "%d " one after the other, whole ids only.
void FormatRegisteredIds(char* out, std::size_t size) {
    out[0] = '\0';
    std::size_t used = 0;
    for (int i = 0; i < controlRegistry.Count(); ++i) {
        char idText[16];
        int n = std::snprintf(idText, sizeof idText, "%d ", static_cast<int>(controlRegistry[i]));
        if (n < 0 || used + static_cast<std::size_t>(n) >= size) break;
        std::memcpy(out + used, idText, static_cast<std::size_t>(n) + 1);
        used += static_cast<std::size_t>(n);
    }
}

}  // namespace

pl::Hwnd GetCurrentFormDialog() { return currentFormDialog; }
void SetCurrentFormDialog(pl::Hwnd form) { currentFormDialog = form; }

void GotoForm(int formId) {
    // A form that will be refused leaves the asking form open and painted
    // under the refusal box.
    if (!FormCanOpen(formId)) {
        pl::PostMessage(mainWindow, pl::WM_COMMAND, kCmdOpenForm, formId);
        return;
    }
    CloseCurrentForm();
    pl::PostMessage(mainWindow, pl::WM_COMMAND, kCmdOpenForm, formId);
    SetCurrentFormId(formId);
}

void CloseCurrentForm() {
    if (!currentFormDialog) return;
    pl::ScreenInfo screen = pl::GetScreenInfo();
    pl::SetWindowPos(currentFormDialog, nullptr, 0, 0, screen.width, screen.height,
                     pl::SWP_NOZORDER | pl::SWP_NOACTIVATE | pl::SWP_HIDEWINDOW);
    if (pl::IsWindow(mainWindow)) {
        pl::ShFullScreen(mainWindow, kFullScreenHide);
        pl::SetWindowPos(mainWindow, nullptr, 0, 0, screen.width, screen.height,
                         pl::SWP_NOZORDER | pl::SWP_SHOWWINDOW);
        pl::Invalidate(mainWindow, nullptr, true);
        pl::UpdateNow(mainWindow);
    }
    pl::SendMessage(currentFormDialog, pl::WM_COMMAND, kCmdCloseForm, 0);
}

void DestroyCurrentForm() {
    if (currentFormDialog) {
        pl::DestroyWindow(currentFormDialog);
        currentFormDialog = nullptr;
    }
    if (controlRegistry.Count() == 0) return;
    // At shut-down the shared text buffer is already freed; the list then
    // goes through a buffer of its own.
    char local[kTxtBufferSize];
    char* text = txtBuffer ? txtBuffer : local;
    FormatRegisteredIds(text, kTxtBufferSize);
    ClearControlRegistry();
    ShowInformation(text, "");
}

void PushFormHistory(int formId) {
    preferences.word[kPrefLastForm] = formId;
    if (formId == kHomeFormId) {
        for (int& entry : formHistory) entry = kHomeFormId;
        return;
    }
    for (int entry : formHistory)
        if (entry == formId) return;
    for (int i = 1; i < kFormHistorySize - 1; ++i) formHistory[i] = formHistory[i + 1];
    formHistory[kFormHistorySize - 1] = formId;
}

void PushFormHistoryNewest(int formId) {
    int* end = formHistory + kFormHistorySize;
    int* found = std::find(formHistory, end, formId);
    if (formId == kHomeFormId || found == end) {
        PushFormHistory(formId);
        return;
    }
    preferences.word[kPrefLastForm] = formId;
    std::rotate(found, found + 1, end);
}

int GetPreviousFormId() { return formHistory[kFormHistorySize - 2]; }

void PopFormHistory() {
    for (int i = kFormHistorySize - 1; i > 0; --i) formHistory[i] = formHistory[i - 1];
    formHistory[0] = kHomeFormId;
}

void GoBackToPreviousForm() {
    int previous = GetPreviousFormId();
    PopFormHistory();
    GotoForm(previous);
}

// The form's client height plus the task-bar strip (26 x scaleX), at the
// origin: what the shell's initialisation leaves below the strip becomes the
// whole screen. A form that already reaches the screen's bottom keeps its size,
// so repeated activations do not make it taller than the screen.
void SizeFormWithStrip(pl::Hwnd form) {
    pl::Rect client = ClientRect(form);
    int height = std::min(client.Height() + ScaleX(26), std::max(client.Height(), pl::GetScreenInfo().height));
    pl::SetWindowPos(form, nullptr, 0, 0, client.Width(), height, pl::SWP_NOZORDER | pl::SWP_SHOWWINDOW);
}

void InitFormWindow(pl::Hwnd form, uint32_t initFlags) {
    pl::ShInitDialog(form, initFlags);
    pl::ShFullScreen(form, kFullScreenHide);
    SizeFormWithStrip(form);
}

void ResizeFormToScreen(pl::Hwnd form) {
    SizeFormWithStrip(form);
    pl::ShFullScreen(form, kFullScreenHide);
}

void HandleFormActivate(pl::Hwnd form, pl::WParam wParam, pl::LParam lParam, pl::ShActivateInfo* info,
                        int noResize) {
    if (!pl::ShHandleWmActivate(form, wParam, lParam, info, 0)) return;
    if (pl::LoWord(wParam) == 0) return;
    SetCurrentFormWindow(form);
    if (noResize) return;
    ResizeFormToScreen(form);
    pl::SetFocus(form);
}

void HandleFormSettingChange(pl::Hwnd form, pl::WParam wParam, pl::LParam lParam, pl::ShActivateInfo* info) {
    if (wParam == pl::SETTINGCHANGE_RESET) GotoForm(GetCurrentFormId());
    pl::ShHandleWmSettingChange(form, wParam, lParam, info);
}

void DrawTitleUnderline(pl::Hwnd form, pl::Hdc dc) {
    pl::Rect strip{0, ScaleY(22), ClientRect(form).Width(), ScaleY(24)};
    pl::FillRect(dc, strip, GetHighlightBrush());
}

void EraseFormBelowTitleLine(pl::Hwnd form) {
    EraseWindow(form);
    pl::Hdc dc = pl::GetDC(form);
    DrawTitleUnderline(form, dc);
    pl::ReleaseDC(form, dc);
}

void PaintForm(pl::Hwnd form, void (*draw)(), int* firstPaint, int bottomStrip, int titleStrip) {
    pl::Rect client = ClientRect(form);
    if (titleStrip) {
        pl::Rect strip{0, ScaleY(22), client.Width(), ScaleY(24)};
        pl::Invalidate(form, &strip, false);
    }
    pl::PaintStruct ps;
    pl::Hdc dc = pl::BeginPaint(form, &ps);
    if (!dc) return;
    InitDrawWindow(form, dc);
    if (*firstPaint == 1) {
        *firstPaint = 0;
        pl::FillRect(dc, client, GetBackgroundBrush());
        if (draw) draw();
        SaveScreen();
        pl::SetFocus(form);
    } else {
        pl::FillRect(dc, pl::Rect{0, 0, client.Width(), ScaleY(22)}, GetBackgroundBrush());
        RestoreSavedScreen(bottomStrip);
        if (bottomStrip != 0) {
            pl::Rect bottom{0, client.Height() - ScaleY(22), client.Width(), client.Height()};
            pl::FillRect(dc, bottom, GetBackgroundBrush());
        }
    }
    if (titleStrip) DrawTitleUnderline(form, dc);
    pl::EndPaint(form, &ps);
    // The paint context ends with the paint; the form stays the draw window
    // through a context of its own, since forms draw at any time.
    InitDrawWindowOwnDc(form);
}

void ResetForms() {
    currentFormDialog = nullptr;
    for (int& entry : formHistory) entry = 0;
}
