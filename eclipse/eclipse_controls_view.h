// Output routines shared by the eclipse views: coordinates with hemisphere
// letters (degrees and decimal minutes whatever the preference), texts drawn at
// a point, and the control sets of the List, Path and Map views.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "platform/color.h"
#include "platform/types.h"

// DegToStr of |value| in degrees and decimal minutes (the declination format
// is 3 while it formats and restored after), then the letter: `positive` for a
// value of 0 or more, `negative` below 0; `separator` between them ("" or " ").
std::string CoordWithHemisphereText(double value, char positive, char negative, const char* separator);

// The latitude field 2715 and the longitude field 2716 of the eclipse form
// (west longitudes positive): "<degrees> N" / " S", "<degrees> W" / " E".
void SetLocationFields(double longitude, double latitude);

// The coordinate with its letter appended directly, drawn with DrawLabelText.
void DrawCoordWithHemisphere(double value, char positive, char negative, int x, int y);

// A text drawn with DrawLabelText at (x, y).
void DrawEclipseText(const std::string& text, int x, int y);

// A disc of diameter d pixels centred on (cx, cy) in the colour (the
// foreground is put back afterwards).
void DrawFilledDisc(int cx, int cy, int d, pl::ColorRef colour);

// printf into a string of whatever length the values need.
template <typename... Values>
std::string FormatText(const char* format, Values... values) {
    const int size = std::snprintf(nullptr, 0, format, values...);
    std::string text(size > 0 ? static_cast<std::size_t>(size) : 0, '\0');
    if (size > 0) std::snprintf(text.data(), text.size() + 1, format, values...);
    return text;
}

// A text of a view at (x, y) in a font of the font set (0 draws as
// DrawLabelText does, in font 2).
struct EclipseViewText {
    std::string text;
    int x, y;
    int font;
};

// Draws the texts, each in its font, so that they fit: a text that would run
// into the one drawn just before it, left of it on the same row, starts a
// space after it instead; one that would run past the screen's right edge
// (and fits where it should start) ends at it. The font selected before comes
// back.
void DrawEclipseTexts(const std::vector<EclipseViewText>& texts);

// The text colours of the current scheme (foreground on background).
void UseSchemeTextColours();

// The control sets of the eclipse form's views.
void ShowListViewControls(pl::Hwnd form);
void ShowPathViewControls(pl::Hwnd form);
void ShowMapViewControls(pl::Hwnd form);
// The Diagram view: every control of the other views hidden, the List button
// shown and the Map button for a solar event only.
void ShowDiagramViewControls(pl::Hwnd form, bool solar);
