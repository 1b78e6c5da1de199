// Drawing and measuring text.
#include "platform/text.h"

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "platform/font_internal.h"
#include "platform/raster.h"
#include "platform/text_encoding.h"
#include "platform/text_log.h"

namespace pl {
namespace {

struct Line {
    size_t begin = 0;
    size_t end = 0;
};

std::u32string Codes(Hdc dc, std::string_view text) {
    return DecodeText(text, dc->font->desc.charSet == kSymbolCharset);
}

int Measure(Font* font, const std::u32string& codes, size_t begin, size_t end) {
    int width = 0;
    for (size_t i = begin; i < end; ++i) width += GetGlyph(font, codes[i]).advance;
    return width;
}

// Hands a drawn line to the text log: its cell, the bounds of the pixels the
// clip let through and whether the clip held some back.
void LogRun(Hdc dc, const RasterTarget& t, std::string_view text, const Rect& cell, const Rect& ink, bool cut) {
    TextRun run;
    run.surface = t.surface->serial;
    run.window = dc->kind == DcKind::Window ? dc->window : nullptr;
    run.text = std::string(text);
    run.cell = Offset(cell, t.originX, t.originY);
    run.ink = ink;
    run.cut = cut;
    run.opaque = dc->bkMode == kOpaque;
    LogTextRun(std::move(run));
}

void DrawRun(Hdc dc, RasterTarget& t, std::string_view text, const std::u32string& codes, size_t begin, size_t end,
             int x, int y) {
    Font* font = dc->font;
    Rect cell{x, y, x + Measure(font, codes, begin, end), y + font->ascent + font->descent};
    if (dc->bkMode == kOpaque) FillRaw(t, cell, RawFromColor(*t.surface, dc->bkColor));
    const bool logging = TextLogRunning();
    Rect ink{};
    bool cut = false;
    uint32_t raw = RawFromColor(*t.surface, dc->textColor);
    int pen = x, baseline = y + font->ascent;
    for (size_t i = begin; i < end; ++i) {
        const Glyph& g = GetGlyph(font, codes[i]);
        for (int r = 0; r < g.rows; ++r)
            for (int c = 0; c < g.width; ++c) {
                if (!g.mask[static_cast<size_t>(r) * static_cast<size_t>(g.width) + static_cast<size_t>(c)]) continue;
                int px = pen + g.left + c, py = baseline - g.top + r;
                PlotRaw(t, px, py, raw);
                if (!logging) continue;
                int sx = px + t.originX, sy = py + t.originY;
                if (!t.Visible(sx, sy)) {
                    cut = true;
                } else {
                    ink = ink.IsEmpty() ? Rect{sx, sy, sx + 1, sy + 1}
                                        : Rect{std::min(ink.left, sx), std::min(ink.top, sy),
                                               std::max(ink.right, sx + 1), std::max(ink.bottom, sy + 1)};
                }
            }
        pen += g.advance;
    }
    if (logging) LogRun(dc, t, text.substr(begin, end - begin), cell, ink, cut);
}

size_t SkipSpaces(const std::u32string& codes, size_t i, size_t end) {
    while (i < end && codes[i] == U' ') ++i;
    return i;
}

// The end of the longest run of characters from `begin` (one at least, before
// `end`) that fits in width.
size_t FittingCharacters(Font* font, const std::u32string& codes, size_t begin, size_t end, int width) {
    size_t k = begin + 1;
    int used = GetGlyph(font, codes[begin]).advance;
    while (k < end && (used += GetGlyph(font, codes[k]).advance) <= width) ++k;
    return k;
}

// Breaks one paragraph into lines no wider than width where words allow; a
// word wider than the rectangle stands alone, or with breakLongWords is broken
// between characters.
void WrapParagraph(Font* font, const std::u32string& codes, size_t begin, size_t end, int width,
                   bool breakLongWords, std::vector<Line>* lines) {
    size_t pos = begin;
    do {
        size_t lineEnd = pos, j = pos;
        int used = 0;
        while (j < end) {
            size_t k = SkipSpaces(codes, j, end);
            while (k < end && codes[k] != U' ') ++k;
            int w = used + Measure(font, codes, j, k);
            if (w > width && lineEnd != pos) break;
            const size_t word = SkipSpaces(codes, j, k);
            if (w > width && breakLongWords && word < k) k = FittingCharacters(font, codes, word, k, width);
            lineEnd = j = k;
            used = w;
            if (w > width) break;
        }
        size_t trimmed = lineEnd;
        while (trimmed > pos && codes[trimmed - 1] == U' ') --trimmed;
        lines->push_back(Line{pos, trimmed});
        pos = SkipSpaces(codes, lineEnd, end);
    } while (pos < end);
}

std::vector<Line> BreakLines(Font* font, const std::u32string& codes, int width, unsigned format) {
    std::vector<Line> lines;
    if (format & kTextSingleLine) {
        lines.push_back(Line{0, codes.size()});
        return lines;
    }
    size_t begin = 0;
    while (true) {
        size_t end = codes.find(U'\n', begin);
        if (end == std::u32string::npos) end = codes.size();
        if (format & kTextWordBreak)
            WrapParagraph(font, codes, begin, end, width, (format & kTextBreakLongWords) != 0, &lines);
        else lines.push_back(Line{begin, end});
        if (end == codes.size()) break;
        begin = end + 1;
    }
    return lines;
}

}  // namespace

bool TextOut(Hdc dc, int x, int y, std::string_view text) {
    RasterTarget t;
    if (!ResolveTarget(dc, &t) || !dc->font) return false;
    std::u32string codes = Codes(dc, text);
    DrawRun(dc, t, text, codes, 0, codes.size(), x, y);
    return true;
}

bool GetTextExtent(Hdc dc, std::string_view text, Size* size) {
    if (!dc || !dc->font || !size) return false;
    std::u32string codes = Codes(dc, text);
    size->width = Measure(dc->font, codes, 0, codes.size());
    size->height = dc->font->ascent + dc->font->descent;
    return true;
}

bool GetTextMetrics(Hdc dc, TextMetrics* metrics) {
    if (!dc || !dc->font || !metrics) return false;
    metrics->ascent = dc->font->ascent;
    metrics->descent = dc->font->descent;
    metrics->height = metrics->ascent + metrics->descent;
    return true;
}

int DrawText(Hdc dc, std::string_view text, Rect* rect, unsigned format) {
    if (!dc || !dc->font || !rect) return 0;
    Font* font = dc->font;
    std::u32string codes = Codes(dc, text);
    std::vector<Line> lines = BreakLines(font, codes, rect->Width(), format);
    int lineHeight = font->ascent + font->descent;
    int height = lineHeight * static_cast<int>(lines.size());
    if (format & kTextCalcRect) {
        int widest = 0;
        for (const Line& l : lines) widest = std::max(widest, Measure(font, codes, l.begin, l.end));
        rect->right = rect->left + widest;
        rect->bottom = rect->top + height;
        return height;
    }
    RasterTarget t;
    if (!ResolveTarget(dc, &t)) return 0;
    if (!(format & kTextNoClip)) {
        Rect limit = Offset(*rect, t.originX, t.originY);
        for (Rect& c : t.clip) c = Intersect(c, limit);
    }
    int y = rect->top;
    if ((format & kTextSingleLine) && (format & kTextVCenter)) y += (rect->Height() - lineHeight) / 2;
    for (const Line& l : lines) {
        int w = Measure(font, codes, l.begin, l.end);
        int x = rect->left;
        if (format & kTextCenter) x += (rect->Width() - w) / 2;
        else if (format & kTextRight) x = rect->right - w;
        DrawRun(dc, t, text, codes, l.begin, l.end, x, y);
        y += lineHeight;
    }
    return height;
}

std::vector<std::string> BreakTextLines(Hdc dc, std::string_view text, int width) {
    std::vector<std::string> lines;
    if (!dc || !dc->font) return lines;
    const std::u32string codes = Codes(dc, text);
    for (const Line& l : BreakLines(dc->font, codes, width, kTextWordBreak))
        lines.emplace_back(text.substr(l.begin, l.end - l.begin));
    return lines;
}

}  // namespace pl
