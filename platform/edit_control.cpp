// The edit control: typed text with a caret; several word-wrapped lines with
// ES_MULTILINE (Enter starts a new line, stored as "\r\n").
#include <algorithm>
#include <string>
#include <vector>

#include "platform/control_paint.h"
#include "platform/controls.h"
#include "platform/drawing.h"
#include "platform/focus.h"
#include "platform/message_queue.h"
#include "platform/messages.h"
#include "platform/paint.h"
#include "platform/sys_colors.h"
#include "platform/text.h"
#include "platform/window.h"

namespace pl {
namespace {

struct EditState {
    size_t caret = 0;
    size_t limit = 0;  // 0: no limit
    int firstLine = 0;
    int scrollX = 0;   // single line: pixels scrolled left
};

ControlStates<EditState> edits;

// One shown line: the bytes [start, end) of the text.
struct Line {
    size_t start = 0;
    size_t end = 0;
};

bool MultiLine(Hwnd h) { return GetWindowStyle(h) & ES_MULTILINE; }
bool ReadOnly(Hwnd h) { return GetWindowStyle(h) & ES_READONLY; }

int Margin() { return 2 * PixelScale(); }

Rect TextArea(Hwnd h) {
    Rect c;
    GetClientRect(h, &c);
    int m = Margin() + ((GetWindowStyle(h) & WS_BORDER) ? 1 : 0);
    return Rect{c.left + m, c.top + m, c.right - m, c.bottom - m};
}

int Width(Hdc dc, const std::string& text, size_t from, size_t to) {
    Size size;
    GetTextExtent(dc, std::string_view(text).substr(from, to - from), &size);
    return size.width;
}

// The end of the longest run from `start` that fits `width`, broken after a
// blank when one is there, else between characters (at least one character).
size_t FitLine(Hdc dc, const std::string& text, size_t start, size_t end, int width) {
    if (Width(dc, text, start, end) <= width) return end;
    size_t fit = start + 1;
    while (fit < end && Width(dc, text, start, fit + 1) <= width) ++fit;
    for (size_t b = fit; b > start + 1; --b)
        if (text[b - 1] == ' ') return b;
    return fit;
}

// Lines of the text: paragraphs end at "\n" (a "\r" before it is dropped);
// with multi-line each paragraph is word-wrapped to the area's width.
std::vector<Line> LayoutLines(Hdc dc, const std::string& text, bool multiLine, int width) {
    std::vector<Line> lines;
    if (!multiLine) return {Line{0, text.size()}};
    size_t start = 0;
    while (true) {
        size_t nl = text.find('\n', start);
        size_t paragraphEnd = nl == std::string::npos ? text.size() : nl;
        size_t shownEnd = paragraphEnd > start && text[paragraphEnd - 1] == '\r' ? paragraphEnd - 1 : paragraphEnd;
        size_t from = start;
        do {
            size_t to = from < shownEnd ? FitLine(dc, text, from, shownEnd, width) : shownEnd;
            lines.push_back(Line{from, to});
            from = to;
        } while (from < shownEnd);
        if (nl == std::string::npos) break;
        start = nl + 1;
    }
    return lines;
}

// The line that holds the caret (the later one where a wrapped line ends).
int CaretLine(const std::vector<Line>& lines, size_t caret) {
    int line = 0;
    for (int i = 0; i < static_cast<int>(lines.size()); ++i)
        if (lines[static_cast<size_t>(i)].start <= caret) line = i;
    return line;
}

struct View {
    Hdc dc = nullptr;
    std::string text;
    std::vector<Line> lines;
    Rect area;
    int lineHeight = 1;
};

View MakeView(Hwnd h, Hdc dc) {
    View v;
    v.dc = dc;
    v.text = StoredWindowText(h);
    v.area = TextArea(h);
    PrepareControlText(dc, 0);
    TextMetrics m;
    GetTextMetrics(dc, &m);
    v.lineHeight = std::max(1, m.height);
    v.lines = LayoutLines(dc, v.text, MultiLine(h), std::max(1, v.area.Width()));
    return v;
}

// Scrolls so that the caret is in view.
void FollowCaret(Hwnd h, EditState& s, const View& v) {
    int line = CaretLine(v.lines, s.caret);
    int shown = std::max(1, v.area.Height() / v.lineHeight);
    if (line < s.firstLine) s.firstLine = line;
    if (line >= s.firstLine + shown) s.firstLine = line - shown + 1;
    if (!MultiLine(h)) {
        int x = Width(v.dc, v.text, 0, s.caret);
        if (x - s.scrollX > v.area.Width()) s.scrollX = x - v.area.Width();
        if (x < s.scrollX) s.scrollX = x;
    }
}

void Paint(Hwnd h, EditState& s) {
    PaintStruct ps;
    Hdc dc = BeginPaint(h, &ps);
    if (!dc) return;
    Rect c;
    GetClientRect(h, &c);
    FillSolid(dc, c, ReadOnly(h) ? GetSysColor(kColorStatic) : GetSysColor(kColorWindow));
    View v = MakeView(h, dc);
    FollowCaret(h, s, v);
    ColorRef ink = IsWindowEnabled(h) ? GetSysColor(kColorWindowText) : GetSysColor(kColorGrayText);
    PrepareControlText(dc, ink);
    SelectClipRect(dc, &v.area);
    int caretLine = CaretLine(v.lines, s.caret);
    for (int i = s.firstLine; i < static_cast<int>(v.lines.size()); ++i) {
        int y = v.area.top + (i - s.firstLine) * v.lineHeight;
        if (y >= v.area.bottom) break;
        const Line& line = v.lines[static_cast<size_t>(i)];
        int x = v.area.left - s.scrollX;
        TextOut(dc, x, y, std::string_view(v.text).substr(line.start, line.end - line.start));
        if (i == caretLine && GetFocus() == h && !ReadOnly(h)) {
            int cx = x + Width(dc, v.text, line.start, std::max(line.start, std::min(s.caret, line.end)));
            FillSolid(dc, Rect{cx, y, cx + 1, y + v.lineHeight}, ink);
        }
    }
    SelectClipRect(dc, nullptr);
    if (GetWindowStyle(h) & WS_BORDER) FrameSolid(dc, c, GetSysColor(kColorWindowFrame));
    EndPaint(h, &ps);
}

void SetText(Hwnd h, const std::string& text) {
    DefWindowProc(h, WM_SETTEXT, 0, reinterpret_cast<LParam>(text.c_str()));
}

// Characters the user typed: printable bytes go in at the caret, "\b"
// deletes before it and "\r" starts a new line (multi-line only).
void Type(Hwnd h, EditState& s, unsigned char c) {
    if (ReadOnly(h)) return;
    std::string text = StoredWindowText(h);
    s.caret = std::min(s.caret, text.size());
    if (c == '\b') {
        if (s.caret == 0) return;
        size_t n = s.caret >= 2 && text.compare(s.caret - 2, 2, "\r\n") == 0 ? 2 : 1;
        text.erase(s.caret - n, n);
        s.caret -= n;
    } else {
        std::string insert;
        if (c == '\r' && MultiLine(h)) insert = "\r\n";
        else if (c >= 0x20 && c != 0x7F) insert = std::string(1, static_cast<char>(c));
        if (insert.empty() || (s.limit && text.size() + insert.size() > s.limit)) return;
        text.insert(s.caret, insert);
        s.caret += insert.size();
    }
    SetText(h, text);
    Invalidate(h, nullptr, false);
}

void MoveCaret(Hwnd h, EditState& s, int vk) {
    std::string text = StoredWindowText(h);
    size_t caret = std::min(s.caret, text.size());
    switch (vk) {
    case VK_LEFT:
        if (caret > 0) caret -= caret >= 2 && text.compare(caret - 2, 2, "\r\n") == 0 ? 2 : 1;
        break;
    case VK_RIGHT:
        if (caret < text.size()) caret += text.compare(caret, 2, "\r\n") == 0 ? 2 : 1;
        break;
    case VK_HOME: caret = 0; break;
    case VK_END: caret = text.size(); break;
    case VK_DELETE:
        if (!ReadOnly(h) && caret < text.size()) {
            text.erase(caret, text.compare(caret, 2, "\r\n") == 0 ? 2 : 1);
            SetText(h, text);
        }
        break;
    default: return;
    }
    s.caret = caret;
    Invalidate(h, nullptr, false);
}

// The text position nearest to a tap.
size_t PositionAt(Hwnd h, EditState& s, Point p) {
    Hdc dc = GetDC(h);
    View v = MakeView(h, dc);
    int line = std::clamp(s.firstLine + (p.y - v.area.top) / v.lineHeight, 0, static_cast<int>(v.lines.size()) - 1);
    const Line& l = v.lines[static_cast<size_t>(line)];
    size_t best = l.start;
    int x = p.x - v.area.left + s.scrollX;
    for (size_t i = l.start; i <= l.end; ++i)
        if (std::abs(Width(dc, v.text, l.start, i) - x) < std::abs(Width(dc, v.text, l.start, best) - x)) best = i;
    ReleaseDC(h, dc);
    return best;
}

LResult EditProc(Hwnd h, uint32_t m, WParam w, LParam l) {
    if (m == WM_CREATE) {
        edits.Make(h).caret = StoredWindowText(h).size();
        return 0;
    }
    EditState* s = edits.Find(h);
    if (!s) return DefWindowProc(h, m, w, l);
    switch (m) {
    case WM_NCDESTROY: edits.Forget(h); return 0;
    case WM_PAINT: Paint(h, *s); return 0;
    case WM_ERASEBKGND: return 1;
    case WM_SETTEXT: {
        LResult r = DefWindowProc(h, m, w, l);
        s->caret = StoredWindowText(h).size();
        s->firstLine = 0;
        s->scrollX = 0;
        Invalidate(h, nullptr, false);
        return r;
    }
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_ENABLE:
    case WM_SIZE: Invalidate(h, nullptr, false); return 0;
    case WM_CHAR: Type(h, *s, static_cast<unsigned char>(w)); return 0;
    case WM_KEYDOWN: MoveCaret(h, *s, static_cast<int>(w)); return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        SetFocus(h);
        s->caret = PositionAt(h, *s, Point{PointX(l), PointY(l)});
        Invalidate(h, nullptr, false);
        return 0;
    case EM_SETSEL: {
        size_t size = StoredWindowText(h).size();
        s->caret = l < 0 ? size : std::min(static_cast<size_t>(l), size);
        Invalidate(h, nullptr, false);
        return 0;
    }
    case EM_LIMITTEXT: s->limit = static_cast<size_t>(w); return 0;
    case EM_SETREADONLY:
        SetWindowStyle(h, w ? GetWindowStyle(h) | ES_READONLY : GetWindowStyle(h) & ~ES_READONLY);
        Invalidate(h, nullptr, false);
        return 1;
    default: return DefWindowProc(h, m, w, l);
    }
}

}  // namespace

void RegisterEditClass() { RegisterClassOnce(kEditClass, EditProc); }

}  // namespace pl
