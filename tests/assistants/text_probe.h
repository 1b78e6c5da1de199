// Finding a text in a drawn 16-bit DIB: the text is drawn in the same font
// into a scratch DIB, and its ink (the pixels it sets) is looked for in the
// drawing in one colour, with no pixel of that colour in the gaps between
// the strokes.
#pragma once

#include <cstdint>
#include <cstring>
#include <utility>
#include <vector>

#include "platform/gdi.h"
#include "ui/colors.h"
#include "ui/draw_window.h"
#include "ui/font_set.h"
#include "ui/offscreen.h"
#include "ui/primitives.h"
#include "ui/text_drawing.h"

struct TextInk {
    std::vector<std::pair<int, int>> ink;  // offsets of the set pixels from the cell's top-left corner
    std::vector<std::pair<int, int>> gaps; // unset pixels inside the ink's bounding box
    int width = 0;                          // CharsWidth of the text
};

// The text's ink in font `font` (the font set must already be made).
inline TextInk InkOf(const char* text, int font) {
    constexpr int kW = 200, kH = 40;
    TextInk t;
    DrawWindowRecord* scratch = CreateOffscreenDib(kW, kH, 16);
    DrawWindowRecord* previous = SetDrawWindow(scratch);
    const int previousFont = SelectFont(font);
    SetForeColor(0xFFFFFF);
    FillRectangle(XywhRect{0, 0, kW, kH}, 0);
    const pl::ColorRef back = SetBackColor(0xFFFFFF), fore = SetTextColorRef(0x000000);
    const bool transparent = IsTextTransparent();
    SetTextTransparent(false);
    const int n = static_cast<int>(std::strlen(text));
    DrawPlainText(text, n, 0, 0);
    t.width = CharsWidth(text, n);
    int right = 0, bottom = 0;
    for (int y = 0; y < kH; ++y)
        for (int x = 0; x < kW; ++x)
            if (ReadPixel16(DibPixelAddress(*scratch, x, y)) == 0) {
                t.ink.push_back({x, y});
                right = std::max(right, x), bottom = std::max(bottom, y);
            }
    for (int y = 0; y <= bottom; ++y)
        for (int x = 0; x <= right; ++x)
            if (ReadPixel16(DibPixelAddress(*scratch, x, y)) != 0) t.gaps.push_back({x, y});
    SetTextTransparent(transparent);
    SetTextColorRef(fore);
    SetBackColor(back);
    SelectFont(previousFont);
    SetDrawWindow(previous);
    DeleteOffscreenWindow(scratch);
    return t;
}

// True when the text's cell drawn at (x, y) shows in `record` in the 5-5-5
// colour `pixel`.
inline bool TextAt(const DrawWindowRecord* record, const TextInk& t, uint16_t pixel, int x, int y) {
    auto at = [&](int px, int py) {
        if (px < 0 || py < 0 || px >= record->right || py >= record->bottom) return static_cast<uint16_t>(0xFFFF);
        return ReadPixel16(DibPixelAddress(*record, px, py));
    };
    if (t.ink.empty()) return false;
    for (const auto& [dx, dy] : t.ink)
        if (at(x + dx, y + dy) != pixel) return false;
    for (const auto& [dx, dy] : t.gaps)
        if (at(x + dx, y + dy) == pixel) return false;
    return true;
}

// The left edge of the first place in the rectangle (scanned by rows, then
// columns) where the text's cell top-left corner shows it; -1 when none.
inline int FindTextX(const DrawWindowRecord* record, const TextInk& t, uint16_t pixel, const XywhRect& where,
                     int* foundY = nullptr) {
    for (int y = where.y; y < where.y + where.height; ++y)
        for (int x = where.x; x < where.x + where.width; ++x)
            if (TextAt(record, t, pixel, x, y)) {
                if (foundY) *foundY = y;
                return x;
            }
    return -1;
}
