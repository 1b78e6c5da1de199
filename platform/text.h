// Text in the context's font, text colour, background colour and background
// mode. Texts are Windows-1252 bytes (symbol letters in a character-set-2 font).
// The cell of a line is ascent + descent high; x, y name its top-left corner.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/gdi.h"

namespace pl {

// Draws one line at (x, y). In opaque mode the cell behind the text (its width
// by the font's height) is first filled with the background colour.
bool TextOut(Hdc dc, int x, int y, std::string_view text);

// Width and cell height of a line in the context's font.
bool GetTextExtent(Hdc dc, std::string_view text, Size* size);

struct TextMetrics {
    int height = 0;  // ascent + descent
    int ascent = 0;
    int descent = 0;
};
bool GetTextMetrics(Hdc dc, TextMetrics* metrics);

enum TextFormat : unsigned {
    kTextLeft = 0,
    kTextCenter = 1,       // each line centred across the rectangle
    kTextRight = 2,
    kTextVCenter = 4,      // with kTextSingleLine: the line centred vertically
    kTextWordBreak = 0x10, // lines broken between words to fit the width
    kTextSingleLine = 0x20,
    kTextBreakLongWords = 0x40,  // with kTextWordBreak: a word wider than the rectangle broken between characters
    kTextNoClip = 0x100,   // else nothing is drawn outside the rectangle
    kTextCalcRect = 0x400, // measure only: right and bottom become those of the text
};

// Text in a rectangle. Line feeds break lines (except with kTextSingleLine).
// With kTextWordBreak a line ends before the word that would pass the right
// side, and a word wider than the rectangle stands alone on its line (broken
// between characters with kTextBreakLongWords). The
// result is the height the text used (lines times the font's height); 0 when
// nothing could be drawn.
int DrawText(Hdc dc, std::string_view text, Rect* rect, unsigned format);

// The lines DrawText with kTextWordBreak makes of `text` in a rectangle
// `width` pixels wide (line feeds break lines too); none without a font.
std::vector<std::string> BreakTextLines(Hdc dc, std::string_view text, int width);

}  // namespace pl
