#include "ui/screen_layout.h"

#include <algorithm>

#include "platform/drawing.h"
#include "platform/focus.h"
#include "platform/gdi.h"
#include "platform/paint.h"
#include "platform/window.h"
#include "ui/colors.h"
#include "ui/current_form.h"
#include "ui/draw_window.h"

namespace {

int screenScale = -1;

// The control's rectangle in its dialog's client coordinates; false when missing.
bool ControlRect(pl::Hwnd dialog, int id, pl::Hwnd* control, pl::Rect* rect) {
    *control = pl::GetDlgItem(dialog, id);
    if (!*control || !pl::GetWindowRect(*control, rect)) return false;
    pl::Point origin{0, 0};
    pl::ClientToScreen(dialog, &origin);
    *rect = pl::Offset(*rect, -origin.x, -origin.y);
    return true;
}

}  // namespace

int GetScreenScale() {
    if (screenScale < 0) {
        pl::Hdc screen = pl::GetDC(nullptr);
        screenScale = pl::GetDeviceCaps(screen, pl::kLogPixelsX) / 48;
        pl::ReleaseDC(nullptr, screen);
    }
    return screenScale;
}

void ResetScreenScale() { screenScale = -1; }

bool GetScreenSizeDelta(int, int width, int height, int* dx, int* dy) {
    *dx = width - ScaleX(240);
    *dy = height - ScaleY(320);
    return *dx != 0 || *dy != 0;
}

void MoveControl(pl::Hwnd dialog, int id, int dx, int dy, int dw, int dh) {
    pl::Hwnd control;
    pl::Rect r;
    if (!ControlRect(dialog, id, &control, &r)) return;
    uint32_t flags = pl::SWP_NOZORDER | pl::SWP_NOACTIVATE;
    if (dw == 0 && dh == 0) flags |= pl::SWP_NOSIZE;
    pl::SetWindowPos(control, nullptr, r.left + dx, r.top + dy, r.Width() + dw, r.Height() + dh, flags);
    pl::Invalidate(control, nullptr, true);
    pl::UpdateNow(control);
}

void SetListVisibleRows(int listId, int rows) {
    pl::Hwnd control;
    pl::Rect r;
    if (!ControlRect(GetCurrentFormWindow(), listId, &control, &r)) return;
    pl::SetWindowPos(control, nullptr, r.left, r.top, r.Width(), rows * 15, pl::SWP_NOZORDER | pl::SWP_NOACTIVATE);
}

void DrawLineUnderControl(pl::Hwnd dialog, pl::Hdc dc, int id) {
    pl::Hwnd control;
    pl::Rect r;
    pl::Rect client;
    if (!ControlRect(dialog, id, &control, &r) || !pl::GetClientRect(dialog, &client)) return;
    pl::FillRect(dc, pl::Rect{client.left, r.bottom - ScaleY(2), client.right, r.bottom}, GetHighlightBrush());
}

int RunDialogResource(int templateId, pl::DlgProc proc) {
    int result = pl::DialogBox(templateId, GetCurrentFormWindow(), proc);
    pl::Hwnd form = GetCurrentFormWindow();
    pl::Rect client;
    if (!pl::GetClientRect(form, &client)) return result;
    int height = std::min(client.Height() + ScaleX(26), pl::GetScreenInfo().height);
    pl::SetWindowPos(form, nullptr, 0, 0, client.Width(), height, pl::SWP_NOZORDER | pl::SWP_SHOWWINDOW);
    InitDrawWindowOwnDc(form);
    pl::Invalidate(form, nullptr, true);
    pl::UpdateNow(form);
    pl::SetFocus(form);
    return result;
}
