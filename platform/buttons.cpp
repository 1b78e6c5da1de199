// Static text, push buttons and check boxes.
#include <algorithm>
#include <string>

#include "platform/control_paint.h"
#include "platform/controls.h"
#include "platform/drawing.h"
#include "platform/resources.h"
#include "platform/focus.h"
#include "platform/message_queue.h"
#include "platform/messages.h"
#include "platform/paint.h"
#include "platform/sys_colors.h"
#include "platform/text.h"
#include "platform/window.h"

namespace pl {
namespace {

unsigned AlignmentOf(uint32_t style) {
    if (style & SS_CENTER) return kTextCenter;
    if (style & SS_RIGHT) return kTextRight;
    return kTextLeft;
}

// Handling every control shares: repaint on a new text or state, no
// separate background erase (each paint fills its whole client area).
bool CommonMessage(Hwnd h, uint32_t m, WParam w, LParam l, LResult* result) {
    switch (m) {
    case WM_SETTEXT:
        *result = DefWindowProc(h, m, w, l);
        Invalidate(h, nullptr, false);
        return true;
    case WM_ENABLE:
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        Invalidate(h, nullptr, false);
        *result = 0;
        return true;
    case WM_ERASEBKGND:
        *result = 1;
        return true;
    default:
        return false;
    }
}

// Where a static's text goes: inside its border when it has one.
Rect StaticTextArea(Hwnd h, const Rect& c) {
    if (GetWindowStyle(h) & WS_BORDER) return Rect{c.left + 1, c.top + 1, c.right - 1, c.bottom - 1};
    return c;
}

// A check box's square, as high as the box allows up to 13 pixels (scaled),
// and its label right of it.
Rect CheckSquare(const Rect& c) {
    int side = std::min(c.Height(), 13 * PixelScale());
    return Rect{c.left, c.top + (c.Height() - side) / 2, c.left + side, c.top + (c.Height() - side) / 2 + side};
}
Rect CheckLabelArea(const Rect& c) { return Rect{CheckSquare(c).right + 4 * PixelScale(), c.top, c.right, c.bottom}; }

void PaintStatic(Hwnd h) {
    PaintStruct ps;
    Hdc dc = BeginPaint(h, &ps);
    if (!dc) return;
    Rect c;
    GetClientRect(h, &c);
    uint32_t style = GetWindowStyle(h);
    FillSolid(dc, c, GetSysColor(kColorStatic));
    ColorRef text = IsWindowEnabled(h) ? GetSysColor(kColorStaticText) : GetSysColor(kColorGrayText);
    DrawControlText(dc, LabelDisplayText(StoredWindowText(h)), StaticTextArea(h, c), AlignmentOf(style) | kTextWordBreak, text);
    if (style & WS_BORDER) FrameSolid(dc, c, GetSysColor(kColorWindowFrame));
    EndPaint(h, &ps);
}

LResult StaticProc(Hwnd h, uint32_t m, WParam w, LParam l) {
    LResult result = 0;
    if (CommonMessage(h, m, w, l, &result)) return result;
    if (m == WM_PAINT) {
        PaintStatic(h);
        return 0;
    }
    return DefWindowProc(h, m, w, l);
}

struct ButtonState {
    bool pressed = false;
    bool tracking = false;
    bool checked = false;
};

ControlStates<ButtonState> buttons;

bool IsCheckBox(Hwnd h) { return (GetWindowStyle(h) & BS_TYPEMASK) == BS_AUTOCHECKBOX; }

bool Inside(Hwnd h, LParam l) {
    Rect c;
    GetClientRect(h, &c);
    return c.Contains(Point{PointX(l), PointY(l)});
}

// A click: a check box toggles; the parent gets the button's command.
void Click(Hwnd h, ButtonState& s) {
    if (IsCheckBox(h)) {
        s.checked = !s.checked;
        Invalidate(h, nullptr, false);
    }
    SendMessage(GetParent(h), WM_COMMAND, MakeWParam(GetDlgCtrlID(h), BN_CLICKED), reinterpret_cast<LParam>(h));
}

void PaintPushButton(Hwnd h, Hdc dc, const ButtonState& s, const Rect& c) {
    bool enabled = IsWindowEnabled(h);
    ColorRef face = s.pressed ? GetSysColor(kColorHighlight) : GetSysColor(kColorButtonFace);
    ColorRef text = !enabled ? GetSysColor(kColorGrayText)
                    : s.pressed ? GetSysColor(kColorHighlightText)
                                : GetSysColor(kColorButtonText);
    FillSolid(dc, c, face);
    FrameSolid(dc, c, GetSysColor(kColorWindowFrame));
    if (GetWindowStyle(h) & BS_DEFPUSHBUTTON)
        FrameSolid(dc, Rect{c.left + 1, c.top + 1, c.right - 1, c.bottom - 1}, GetSysColor(kColorWindowFrame));
    DrawControlText(dc, StoredWindowText(h), c, kTextCenter | kTextVCenter | kTextSingleLine, text);
    if (GetFocus() == h) {
        int inset = 3 * PixelScale();
        DrawFocusRect(dc, Rect{c.left + inset, c.top + inset, c.right - inset, c.bottom - inset});
    }
}

// A tick: a short stroke down to the right, then a long one up to the
// right, each of squares a unit wide.
void DrawTick(Hdc dc, const Rect& box, ColorRef ink) {
    int u = std::max(1, box.Width() / 8);
    int x = box.left + 2 * u;
    int y = box.top + 4 * u;
    for (int i = 0; i <= 2 * u; ++i) FillSolid(dc, Rect{x + i, y + i, x + i + u, y + i + u}, ink);
    x += 2 * u;
    y += 2 * u;
    for (int i = 0; i <= 3 * u; ++i) FillSolid(dc, Rect{x + i, y - i, x + i + u, y - i + u}, ink);
}

void PaintCheckBox(Hwnd h, Hdc dc, const ButtonState& s, const Rect& c) {
    FillSolid(dc, c, GetSysColor(kColorStatic));
    Rect box = CheckSquare(c);
    FillSolid(dc, box, s.pressed ? GetSysColor(kColorButtonFace) : GetSysColor(kColorWindow));
    FrameSolid(dc, box, GetSysColor(kColorWindowFrame));
    if (s.checked) DrawTick(dc, box, GetSysColor(kColorWindowText));
    ColorRef text = IsWindowEnabled(h) ? GetSysColor(kColorStaticText) : GetSysColor(kColorGrayText);
    Rect label = CheckLabelArea(c);
    DrawControlText(dc, StoredWindowText(h), label, kTextLeft | kTextVCenter | kTextSingleLine, text);
    if (GetFocus() == h) DrawFocusRect(dc, label);
}

void PaintButton(Hwnd h, const ButtonState& s) {
    PaintStruct ps;
    Hdc dc = BeginPaint(h, &ps);
    if (!dc) return;
    Rect c;
    GetClientRect(h, &c);
    if (IsCheckBox(h)) PaintCheckBox(h, dc, s, c);
    else PaintPushButton(h, dc, s, c);
    EndPaint(h, &ps);
}

void SetPressed(Hwnd h, ButtonState& s, bool pressed) {
    if (s.pressed == pressed) return;
    s.pressed = pressed;
    Invalidate(h, nullptr, false);
}

LResult PenMessage(Hwnd h, ButtonState& s, uint32_t m, LParam l) {
    switch (m) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        SetFocus(h);
        SetCapture(h);
        s.tracking = true;
        SetPressed(h, s, true);
        return 0;
    case WM_MOUSEMOVE:
        if (s.tracking) SetPressed(h, s, Inside(h, l));
        return 0;
    case WM_LBUTTONUP: {
        if (!s.tracking) return 0;
        bool inside = Inside(h, l);
        s.tracking = false;
        SetPressed(h, s, false);
        if (GetCapture() == h) ReleaseCapture();
        if (inside) Click(h, s);
        return 0;
    }
    default:
        return 0;
    }
}

LResult ButtonProc(Hwnd h, uint32_t m, WParam w, LParam l) {
    if (m == WM_CREATE) {
        buttons.Make(h);
        return 0;
    }
    ButtonState* s = buttons.Find(h);
    LResult result = 0;
    if (!s || CommonMessage(h, m, w, l, &result)) return s ? result : DefWindowProc(h, m, w, l);
    switch (m) {
    case WM_NCDESTROY: buttons.Forget(h); return 0;
    case WM_PAINT: PaintButton(h, *s); return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_MOUSEMOVE:
    case WM_LBUTTONUP: return PenMessage(h, *s, m, l);
    case WM_CAPTURECHANGED:
        s->tracking = false;
        SetPressed(h, *s, false);
        return 0;
    case WM_KEYUP:
        if (w == static_cast<WParam>(VK_SPACE) || w == static_cast<WParam>(VK_RETURN)) Click(h, *s);
        return 0;
    case BM_CLICK: Click(h, *s); return 0;
    case BM_GETCHECK: return s->checked ? 1 : 0;
    case BM_SETCHECK:
        if (s->checked != (w != 0)) {
            s->checked = w != 0;
            Invalidate(h, nullptr, false);
        }
        return 0;
    default: return DefWindowProc(h, m, w, l);
    }
}

}  // namespace

bool ControlTextFits(Hwnd control) {
    std::string cls = GetClassName(control);
    if (cls != kStaticClass && cls != kButtonClass) return true;
    Rect c;
    GetClientRect(control, &c);
    // A push button's frame takes a pixel on each side.
    Rect area = cls == kStaticClass  ? StaticTextArea(control, c)
                : IsCheckBox(control) ? CheckLabelArea(c)
                                      : Rect{c.left + 1, c.top + 1, c.right - 1, c.bottom - 1};
    Rect need{0, 0, area.Width(), 0};
    Hdc dc = CreateCompatibleDC(nullptr);
    PrepareControlText(dc, 0);
    DrawText(dc, StoredWindowText(control), &need,
             kTextCalcRect | (cls == kStaticClass ? kTextWordBreak : kTextSingleLine));
    DeleteDC(dc);
    return need.Width() <= area.Width() && need.Height() <= area.Height();
}

void RegisterStaticClass() { RegisterClassOnce(kStaticClass, StaticProc); }
void RegisterButtonClass() { RegisterClassOnce(kButtonClass, ButtonProc); }

void RegisterControlClasses() {
    RegisterStaticClass();
    RegisterButtonClass();
    RegisterEditClass();
    RegisterListViewClass();
}

}  // namespace pl
