// Texts and colours of the planets assistant's picture pages: texts in font 2
// (the small font), on a transparent background, in one colour for the whole
// page; colours of the day, or reds in night mode.
#pragma once

#include "platform/color.h"

// While it lives, texts drawn with DrawPageText are in font 2, transparent, in
// `colour`; the font, the transparency and the text colour in force before
// come back at its end.
class PageTextStyle {
public:
    explicit PageTextStyle(pl::ColorRef colour);
    ~PageTextStyle();
    PageTextStyle(const PageTextStyle&) = delete;
    PageTextStyle& operator=(const PageTextStyle&) = delete;

private:
    int font_;
    bool transparent_;
    pl::ColorRef colour_;
};

// The text with its cell's top-left corner at (x, y).
void DrawPageText(const char* text, int x, int y);
// The text ending at x (its cell's right edge), its top at y.
void DrawPageTextRight(const char* text, int x, int y);
// The height of a line of the current font.
int PageTextHeight();

// A colour of a page: `day` by day; in night mode the scheme's red intensity
// divided by `nightDivisor`.
pl::ColorRef PageColour(pl::ColorRef day, int nightDivisor);
