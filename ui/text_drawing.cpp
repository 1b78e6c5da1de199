#include "ui/text_drawing.h"

#include <cstring>
#include <string_view>

#include "core/fixed_trig.h"
#include "platform/text.h"
#include "ui/draw_window.h"
#include "ui/font_set.h"
#include "ui/primitives.h"

namespace {

bool textTransparent = false;

std::string_view Cut(const char* text, int length) {
    if (!text || length <= 0) return {};
    return std::string_view(text, strnlen(text, static_cast<size_t>(length)));
}

// Runs `draw` with the draw context's background mode transparent when asked.
template <class F>
void WithBackground(bool transparent, F draw) {
    pl::Hdc dc = GetDrawDc();
    int previous = transparent ? pl::SetBkMode(dc, pl::kTransparent) : 0;
    draw();
    if (transparent && previous) pl::SetBkMode(dc, previous);
}

}  // namespace

void DrawChars(const char* text, int length, int x, int y) { pl::TextOut(GetDrawDc(), x, y, Cut(text, length)); }

int CharsWidth(const char* text, int length) {
    pl::Size size;
    return pl::GetTextExtent(GetDrawDc(), Cut(text, length), &size) ? size.width : 0;
}

int CharsFitting(const char* text, int length, int room) {
    int n = static_cast<int>(Cut(text, length).size());
    while (n > 0 && CharsWidth(text, n) > room) --n;
    return n;
}

int CharsHeight() {
    pl::TextMetrics metrics;
    return pl::GetTextMetrics(GetDrawDc(), &metrics) ? metrics.height : 0;
}

void SetTextTransparent(bool transparent) { textTransparent = transparent; }
bool IsTextTransparent() { return textTransparent; }

void DrawPlainText(const char* text, int length, int x, int y) {
    WithBackground(textTransparent, [&] { DrawChars(text, length, x, y); });
}

void DrawLabelText(const char* text, int length, int x, int y) {
    if (GetCurrentFontId() != 0) {
        DrawPlainText(text, length, x, y);
        return;
    }
    int previous = SelectFont(2);
    DrawPlainText(text, length, x, y);
    SelectFont(previous);
}

int DrawTextInRect(const char* text, int x, int y, int width, int height) {
    pl::Rect rect{x, y, x + width, y + height};
    int used = 0;
    WithBackground(true, [&] { used = pl::DrawText(GetDrawDc(), text ? text : "", &rect, pl::kTextWordBreak); });
    return used;
}

void DrawSymbolChar(char character, int x, int y) {
    int previous = SelectFont(6);
    if (GetCurrentFontId() != 6) SelectFont(2);
    char one[2] = {character, 0};
    DrawPlainText(one, 1, x, y);
    SelectFont(previous);
}

void DrawXyzAxes(const int32_t* matrix, int originX, int originY, int length) {
    static const char* const kLabels[3] = {"x", "y", "z"};
    for (int axis = 0; axis < 3; ++axis) {
        int32_t v[3] = {0, 0, 0};
        v[axis] = kFix24One;
        FixMatVec24(matrix, v);
        int x = originX + static_cast<int>((int64_t{v[0]} * length) >> 24);
        int y = originY + static_cast<int>((int64_t{v[1]} * length) >> 24);
        DrawLine(originX, originY, x, y);
        DrawPlainText(kLabels[axis], 1, x, y);
    }
}
