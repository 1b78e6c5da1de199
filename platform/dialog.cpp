#include "platform/dialog.h"

#include <map>

#include "platform/control_paint.h"
#include "platform/controls.h"
#include "platform/focus.h"
#include "platform/message_queue.h"
#include "platform/messages.h"
#include "platform/paint.h"
#include "platform/resources.h"
#include "platform/screen.h"
#include "platform/sys_colors.h"
#include "platform/window.h"

namespace pl {
namespace {

struct DialogState {
    DlgProc proc = nullptr;
    bool modal = false;
    bool* done = nullptr;  // the modal loop's flag
    int* result = nullptr;
};

std::map<Hwnd, DialogState> dialogs;

DialogState* StateOf(Hwnd hwnd) {
    auto it = dialogs.find(hwnd);
    return it == dialogs.end() ? nullptr : &it->second;
}

LResult DialogWndProc(Hwnd hwnd, uint32_t message, WParam wParam, LParam lParam) {
    DialogState* state = StateOf(hwnd);
    DlgProc proc = state ? state->proc : nullptr;
    if (proc && message != WM_NCDESTROY) {
        LResult r = proc(hwnd, message, wParam, lParam);
        if (r != 0) return r;
        state = StateOf(hwnd);
    }
    switch (message) {
    case WM_CLOSE:
        if (state && state->modal) {
            EndDialog(hwnd, IDCANCEL);
            return 0;
        }
        break;
    case WM_NCDESTROY:
        if (proc) proc(hwnd, message, wParam, lParam);
        if (state && state->done) *state->done = true;
        dialogs.erase(hwnd);
        break;
    default:
        break;
    }
    return DefWindowProc(hwnd, message, wParam, lParam);
}

double ScreenScale() { return GetScreenInfo().dpi / 96.0; }

struct ControlClass {
    const char* name;
    uint32_t style;
};

ControlClass ClassOf(ControlKind kind) {
    switch (kind) {
    case kButtonControl: return {kButtonClass, 0};
    case kCheckBoxControl: return {kButtonClass, BS_AUTOCHECKBOX};
    case kEditControl: return {kEditClass, 0};
    case kListViewControl: return {kListViewClass, 0};
    case kStaticControl: break;
    }
    return {kStaticClass, 0};
}

// Window style of a template control.
uint32_t WindowStyleOf(const ControlTemplate& c) {
    static constexpr struct {
        uint32_t templateBit;
        uint32_t windowBits;
    } kMap[] = {
        {kDisabled, WS_DISABLED},       {kBorder, WS_BORDER},
        {kVerticalScroll, WS_VSCROLL},  {kCenterText, SS_CENTER},
        {kRightText, SS_RIGHT},         {kDefaultButton, BS_DEFPUSHBUTTON},
        {kMultiLine, ES_MULTILINE},     {kReadOnly, ES_READONLY},
        {kOwnerData, LVS_OWNERDATA},    {kOwnerDraw, LVS_OWNERDRAWFIXED},
        {kNoHeader, LVS_NOCOLUMNHEADER}, {kSingleSelect, LVS_SINGLESEL},
        {kNoScroll, LVS_NOSCROLL},
    };
    uint32_t style = WS_CHILD | ClassOf(c.kind).style;
    if (!(c.style & kHidden)) style |= WS_VISIBLE;
    for (const auto& m : kMap)
        if (c.style & m.templateBit) style |= m.windowBits;
    return style;
}

// A control that can take the focus: not a static text, not hidden or
// disabled itself (the dialog may still be hidden).
bool TakesFocus(Hwnd control) {
    uint32_t style = GetWindowStyle(control);
    return GetClassName(control) != kStaticClass && (style & WS_VISIBLE) && !(style & WS_DISABLED);
}

// The first control in template order that can take the focus. ChildWindows
// lists the topmost (the last created) first.
Hwnd FirstFocusable(Hwnd dialog) {
    Hwnd first = nullptr;
    for (Hwnd c : ChildWindows(dialog))
        if (TakesFocus(c)) first = c;
    return first;
}

// Creates the dialog window and its controls and runs WM_INITDIALOG; shows
// it unless a modal dialog ended already. Null when the template is missing.
Hwnd Build(const DialogTemplate& t, Hwnd owner, DlgProc proc, LParam param, bool modal, bool* done, int* result) {
    RegisterClassOnce(kDialogClass, DialogWndProc, GetSysColorBrush(kColorStatic));
    RegisterControlClasses();
    CreateParams p;
    p.className = kDialogClass;
    p.title = t.caption ? t.caption : "";
    p.style = WS_POPUP;
    p.x = DialogUnitsToPixelsX(t.x);
    p.y = DialogUnitsToPixelsY(t.y);
    p.width = DialogUnitsToPixelsX(t.width);
    p.height = DialogUnitsToPixelsY(t.height);
    p.parent = owner ? GetTopLevel(owner) : nullptr;
    Hwnd dialog = CreateWindow(p);
    if (!dialog) return nullptr;
    dialogs[dialog] = DialogState{proc, modal, done, result};
    for (const ControlTemplate& c : t.controls) {
        CreateParams cp;
        cp.className = ClassOf(c.kind).name;
        cp.title = c.text ? c.text : "";
        cp.style = WindowStyleOf(c);
        cp.x = DialogUnitsToPixelsX(c.x);
        cp.y = DialogUnitsToPixelsY(c.y);
        cp.width = DialogUnitsToPixelsX(c.width);
        cp.height = DialogUnitsToPixelsY(c.height);
        cp.parent = dialog;
        cp.id = c.id;
        CreateWindow(cp);
    }
    Hwnd first = FirstFocusable(dialog);
    LResult focus = SendMessage(dialog, WM_INITDIALOG, reinterpret_cast<WParam>(first), param);
    if (!IsWindow(dialog)) return nullptr;
    if (!(modal && *done)) {
        ShowWindow(dialog, SW_SHOW);
        if (focus && IsWindow(first) && TakesFocus(first)) SetFocus(first);
    }
    return IsWindow(dialog) ? dialog : nullptr;
}

}  // namespace

int DialogUnitsToPixelsX(int units) { return DialogUnitsToPixels(units, ScreenScale()); }
int DialogUnitsToPixelsY(int units) { return DialogUnitsToPixels(units, ScreenScale()); }

Hwnd CreateDialog(int templateId, Hwnd owner, DlgProc proc, LParam param) {
    const DialogTemplate* t = FindDialogTemplate(templateId);
    if (!t) return nullptr;
    return Build(*t, owner, proc, param, false, nullptr, nullptr);
}

int DialogBox(int templateId, Hwnd owner, DlgProc proc, LParam param) {
    const DialogTemplate* t = FindDialogTemplate(templateId);
    if (!t) return -1;
    bool done = false;
    int result = 0;
    Hwnd ownerTop = owner ? GetTopLevel(owner) : nullptr;
    // The owner is disabled before the dialog shows, so the dialog takes the
    // activation and the owner gets WM_ACTIVATE again when it ends.
    bool disabled = ownerTop && IsWindowEnabled(ownerTop);
    if (disabled) EnableWindow(ownerTop, false);
    Hwnd dialog = Build(*t, ownerTop, proc, param, true, &done, &result);
    if (dialog) RunModalLoop(&done);
    if (disabled && IsWindow(ownerTop)) EnableWindow(ownerTop, true);
    if (IsWindow(dialog)) {
        if (DialogState* s = StateOf(dialog)) s->done = nullptr;
        DestroyWindow(dialog);
    }
    PaintInvalidNow();
    return result;
}

bool EndDialog(Hwnd dialog, int result) {
    DialogState* state = StateOf(dialog);
    if (!state) return false;
    if (!state->modal) return DestroyWindow(dialog);
    if (state->result) *state->result = result;
    if (state->done) *state->done = true;
    PostMessage(nullptr, WM_NULL, 0, 0);  // wakes the loop when it waits for a message
    return true;
}

bool IsDialog(Hwnd hwnd) { return StateOf(hwnd) != nullptr; }

bool IsModalDialog(Hwnd hwnd) {
    DialogState* state = StateOf(hwnd);
    return state && state->modal && state->done && !*state->done;
}

bool SetDlgItemText(Hwnd dialog, int id, const std::string& text) {
    Hwnd c = GetDlgItem(dialog, id);
    return c && SetWindowText(c, text);
}

std::string GetDlgItemText(Hwnd dialog, int id) {
    Hwnd c = GetDlgItem(dialog, id);
    return c ? GetWindowText(c) : std::string();
}

LResult SendDlgItemMessage(Hwnd dialog, int id, uint32_t message, WParam wParam, LParam lParam) {
    Hwnd c = GetDlgItem(dialog, id);
    return c ? SendMessage(c, message, wParam, lParam) : 0;
}

bool CheckDlgButton(Hwnd dialog, int id, bool checked) {
    Hwnd c = GetDlgItem(dialog, id);
    if (!c) return false;
    SendMessage(c, BM_SETCHECK, checked ? 1 : 0, 0);
    return true;
}

bool IsDlgButtonChecked(Hwnd dialog, int id) { return SendDlgItemMessage(dialog, id, BM_GETCHECK, 0, 0) == 1; }

}  // namespace pl
