#include "platform/message_box.h"

#include <algorithm>
#include <memory>
#include <optional>

#include "platform/control_paint.h"
#include "platform/controls.h"
#include "platform/dialog.h"
#include "platform/drawing.h"
#include "platform/focus.h"
#include "platform/input.h"
#include "platform/message_queue.h"
#include "platform/messages.h"
#include "platform/paint.h"
#include "platform/screen.h"
#include "platform/sys_colors.h"
#include "platform/text.h"
#include "platform/window.h"

namespace pl {
namespace {

// A box's text wraps between words, and a word too long for a line (a long
// file name) between characters, so that none of it is cut off.
constexpr unsigned kBoxTextFormat = kTextWordBreak | kTextBreakLongWords;

struct OpenBox {
    MessageBoxInfo info;
    bool done = false;
    int answer = 0;
};

// Boxes open now, oldest first; each lives on its MessageBox call's stack.
std::vector<OpenBox*> openBoxes;

OpenBox* BoxOf(Hwnd hwnd) {
    for (OpenBox* b : openBoxes)
        if (b->info.hwnd == hwnd) return b;
    return nullptr;
}

// Layout in pixels of the present screen.
struct BoxLayout {
    int margin, captionHeight, buttonWidth, buttonHeight, width;
};

BoxLayout LayoutOfBox() {
    int s = PixelScale();
    int font = SystemFontHeight();
    ScreenInfo screen = GetScreenInfo();
    return BoxLayout{6 * s, font + 4 * s, 50 * s, font + 8 * s, screen.width - 16 * s};
}

Rect TextRect(const BoxLayout& l, int height) {
    return Rect{l.margin, l.captionHeight + l.margin, l.width - l.margin,
                height - l.buttonHeight - 2 * l.margin};
}

int TextHeight(const std::string& text, int width) {
    Hdc dc = CreateCompatibleDC(nullptr);
    PrepareText(dc, 0);
    Rect r{0, 0, width, 0};
    int h = DrawText(dc, text, &r, kBoxTextFormat | kTextCalcRect);
    DeleteDC(dc);
    return h;
}

void PaintBox(Hwnd h, const OpenBox& box) {
    PaintStruct ps;
    Hdc dc = BeginPaint(h, &ps);
    if (!dc) return;
    Rect c;
    GetClientRect(h, &c);
    BoxLayout l = LayoutOfBox();
    FillSolid(dc, c, GetSysColor(kColorWindow));
    Rect caption{c.left, c.top, c.right, c.top + l.captionHeight};
    FillSolid(dc, caption, GetSysColor(kColorActiveCaption));
    DrawTextIn(dc, box.info.caption, Rect{caption.left + l.margin, caption.top, caption.right, caption.bottom},
               kTextLeft | kTextVCenter | kTextSingleLine, GetSysColor(kColorCaptionText));
    DrawTextIn(dc, box.info.text, TextRect(l, c.Height()), kBoxTextFormat, GetSysColor(kColorWindowText));
    FrameSolid(dc, c, GetSysColor(kColorWindowFrame));
    EndPaint(h, &ps);
}

// Ends the box's loop; the empty message wakes a loop that waits for one.
void Finish(OpenBox* box, int answer) {
    if (box->done) return;
    box->answer = answer;
    box->done = true;
    PostMessage(nullptr, WM_NULL, 0, 0);
}

LResult MessageBoxProc(Hwnd h, uint32_t m, WParam w, LParam l) {
    OpenBox* box = BoxOf(h);
    if (!box) return DefWindowProc(h, m, w, l);
    switch (m) {
    case WM_PAINT: PaintBox(h, *box); return 0;
    case WM_ERASEBKGND: return 1;
    case WM_COMMAND:
        if (std::find(box->info.buttons.begin(), box->info.buttons.end(), LoWord(w)) != box->info.buttons.end())
            Finish(box, LoWord(w));
        return 0;
    case WM_CLOSE: Finish(box, box->info.buttons.back()); return 0;
    case WM_NCDESTROY: Finish(box, box->info.buttons.back()); return 0;
    default: return DefWindowProc(h, m, w, l);
    }
}

// Creates the box window with its buttons, centred on the screen.
// Keeps a box in openBoxes while its MessageBox call runs, also when an
// exception leaves the call.
struct Listed {
    explicit Listed(OpenBox* box) : box_(box) { openBoxes.push_back(box); }
    ~Listed() { std::erase(openBoxes, box_); }
    Listed(const Listed&) = delete;
    Listed& operator=(const Listed&) = delete;

private:
    OpenBox* box_;
};

// A box is modal to the whole program: every top-level window (the owner
// among them) is disabled while it is up, so no tap or key reaches a window
// under it, while their timers and posted messages still run in the box's
// loop. Windows made while it is up (a box over it) take input as usual. The
// windows disabled here are enabled again, and the stylus capture given back
// to the window that held it when it still may take it and the stylus is
// still down (a box closed from the keyboard): one lifted meanwhile never
// reached that window, which would otherwise take the next tap anywhere.
class ProgramDisabled {
public:
    ProgramDisabled() : capture_(GetCapture()) {
        for (Hwnd h : TopLevelWindows())
            if (IsWindowEnabled(h)) {
                EnableWindow(h, false);
                disabled_.push_back(h);
            }
    }
    ~ProgramDisabled() {
        for (Hwnd h : disabled_)
            if (IsWindow(h)) EnableWindow(h, true);
        if (capture_ && IsStylusDown() && !GetCapture() && IsWindowVisible(capture_) && IsEnabledWithAncestors(capture_))
            SetCapture(capture_);
    }
    ProgramDisabled(const ProgramDisabled&) = delete;
    ProgramDisabled& operator=(const ProgramDisabled&) = delete;

private:
    static bool IsEnabledWithAncestors(Hwnd h) {
        for (; h; h = GetParent(h))
            if (!IsWindowEnabled(h)) return false;
        return true;
    }
    Hwnd capture_;
    std::vector<Hwnd> disabled_;
};

Hwnd CreateBoxWindow(const MessageBoxInfo& info, Hwnd owner) {
    BoxLayout l = LayoutOfBox();
    int textHeight = std::max(SystemFontHeight(), TextHeight(info.text, l.width - 2 * l.margin));
    int height = l.captionHeight + textHeight + l.buttonHeight + 3 * l.margin;
    ScreenInfo screen = GetScreenInfo();
    CreateParams p;
    p.className = kMessageBoxClass;
    p.title = info.caption;
    p.style = WS_POPUP;
    p.exStyle = (info.type & MB_TOPMOST) ? WS_EX_TOPMOST : 0;
    p.x = (screen.width - l.width) / 2;
    p.y = std::max(0, (screen.height - height) / 2);
    p.width = l.width;
    p.height = height;
    p.parent = owner;
    Hwnd box = CreateWindow(p);
    if (!box) return nullptr;
    int n = static_cast<int>(info.buttons.size());
    int gap = l.margin;
    int x = (l.width - n * l.buttonWidth - (n - 1) * gap) / 2;
    for (int id : info.buttons) {
        CreateParams b;
        b.className = kButtonClass;
        b.title = id == IDOK ? "OK" : id == IDYES ? "Yes" : "No";
        b.style = WS_CHILD | WS_VISIBLE | (id == info.buttons.front() ? BS_DEFPUSHBUTTON : 0);
        b.x = x;
        b.y = height - l.margin - l.buttonHeight;
        b.width = l.buttonWidth;
        b.height = l.buttonHeight;
        b.parent = box;
        b.id = id;
        CreateWindow(b);
        x += l.buttonWidth + gap;
    }
    return box;
}

}  // namespace

int MessageBox(Hwnd owner, const std::string& text, const std::string& caption, uint32_t type) {
    RegisterControlClasses();
    RegisterClassOnce(kMessageBoxClass, MessageBoxProc);
    OpenBox box;
    box.info.text = text;
    box.info.caption = caption;
    box.info.type = type;
    box.info.buttons = (type & MB_TYPEMASK) == MB_YESNO ? std::vector<int>{IDYES, IDNO} : std::vector<int>{IDOK};
    Hwnd ownerTop = owner ? GetTopLevel(owner) : nullptr;
    box.info.owner = ownerTop;
    std::optional<Listed> listed(&box);
    std::optional<ProgramDisabled> modal(std::in_place);
    box.info.hwnd = CreateBoxWindow(box.info, ownerTop);
    if (box.info.hwnd) {
        ShowWindow(box.info.hwnd, SW_SHOW);
        if (type & MB_SETFOREGROUND) SetForegroundWindow(box.info.hwnd);
        SetFocus(GetDlgItem(box.info.hwnd, box.info.buttons.front()));
        RunModalLoop(&box.done);
    }
    if (!box.done) box.answer = box.info.buttons.back();
    modal.reset();
    listed.reset();
    if (IsWindow(box.info.hwnd)) DestroyWindow(box.info.hwnd);
    PaintInvalidNow();
    return box.answer;
}

std::vector<MessageBoxInfo> OpenMessageBoxes() {
    std::vector<MessageBoxInfo> boxes;
    for (const OpenBox* b : openBoxes) boxes.push_back(b->info);
    return boxes;
}

bool AnswerMessageBox(int button) {
    if (openBoxes.empty()) return false;
    OpenBox* box = openBoxes.back();
    Hwnd b = GetDlgItem(box->info.hwnd, button);
    if (!b) return false;
    SendMessage(b, BM_CLICK, 0, 0);
    return box->done;
}

}  // namespace pl
