// The font record behind Hfont and its glyph cache, for the text code.
#pragma once

#include <ft2build.h>
#include FT_FREETYPE_H

#include <cstdint>
#include <unordered_map>
#include <vector>

#include "platform/fonts.h"
#include "platform/gdi_internal.h"

namespace pl {

// A rendered glyph: a 0/1 mask of width x rows, its top-left corner at
// (pen + left, baseline - top), and the pen advance, all in pixels.
struct Glyph {
    int left = 0;
    int top = 0;
    int width = 0;
    int rows = 0;
    int advance = 0;
    std::vector<uint8_t> mask;
};

struct Font {
    GdiObjectState state;
    FontDesc desc;
    FT_Face face = nullptr;
    bool emboldened = false;
    int ascent = 0;
    int descent = 0;
    std::unordered_map<char32_t, Glyph> glyphs;

    ~Font();
};

// The glyph of a code point (an empty one for control characters or when the
// face cannot render it).
const Glyph& GetGlyph(Font* font, char32_t codePoint);

}  // namespace pl
