// Colours of the drawing layer: the colour set of the current scheme (day, or
// one of the three red night modes), the foreground colour kept both as a
// COLORREF (0x00BBGGRR) and as a 5-5-5 pixel word for direct DIB writes, and
// the text colours of the draw context.
#pragma once

#include <cstdint>

#include "platform/gdi.h"

// The brushes, pens and colours of the current scheme.
struct ColorSet {
    pl::Hbrush backgroundBrush = nullptr;
    pl::ColorRef backgroundColor = 0;
    pl::Hpen pen = nullptr;
    pl::ColorRef penColor = 0;
    pl::Hbrush highlightBrush = nullptr;
    pl::ColorRef highlightColor = 0;
    pl::Hpen highlightPen = nullptr;
    pl::ColorRef highlightPenColor = 0;
};

// The night mode of preference word 24: 0 "Normal", 1 "Dark", 2 "Medium",
// 3 "Bright"; a value outside 0..3 counts as 0.
int GetNightMode();

// Red intensity of the current night mode: 255, 102, 140 or 204.
int GetSchemeColor();

// Rebuilds the colour set for the current night mode (day: white background,
// black pen, highlight 0xC8413E with white text; night: black background, pen
// and highlight red at the night intensity, black highlight text).
void InitColorSet();
// Deletes the brushes and pens of the colour set.
void DeleteColorSet();

const ColorSet& GetColorSet();
pl::Hbrush GetBackgroundBrush();
pl::ColorRef GetBackgroundColor();
pl::ColorRef GetForegroundColor();  // the pen colour of the set
pl::Hbrush GetHighlightBrush();
pl::ColorRef GetHighlightColor();
pl::Hpen GetHighlightPen();
pl::ColorRef GetHighlightTextColor();

// Makes the colour the foreground: a solid brush and a one-pixel pen of it,
// the pen selected into the draw context. Returns the previous foreground
// colour, or the background colour when there was none.
pl::ColorRef SetForeColor(pl::ColorRef color);

// The foreground: its COLORREF (0xFFFFFFFF after a new draw window) and its
// pixel word (low 16 bits the 5-5-5 pixel).
pl::ColorRef GetForeColorRef();
uint32_t GetForePixel();
// Replaces only the pixel word (direct DIB writes in another colour).
void SetForePixel(uint32_t pixel);
pl::Hpen GetForegroundPen();
pl::Hbrush GetForegroundBrush();

// Drops the foreground pen and brush for a new draw window: with a brush the
// colour and pixel word become 0xFFFFFFFF, without one the colour becomes the
// background colour. True when there was a brush.
bool ResetForeground();

// Gives a new context the scheme's text colours: the pen colour on the
// background colour (black on white by day, as a context starts; the night red
// on black at night, so that no text box of a view lights white). Nothing
// before the colour set is built.
void UseSchemeTextColors(pl::Hdc dc);

// Text background and text colour of the draw context; each returns the previous one.
pl::ColorRef SetBackColor(pl::ColorRef color);
pl::ColorRef SetTextColorRef(pl::ColorRef color);

// A colour record: palette index, red, green, blue.
struct RgbRecord {
    uint8_t index = 0;
    uint8_t red = 0;
    uint8_t green = 0;
    uint8_t blue = 0;
};

// red | green << 8 | blue << 16.
pl::ColorRef RgbToColorRef(const RgbRecord& rgb);
