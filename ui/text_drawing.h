// Text in the current draw window, in the draw context's font and colours.
// Texts are Windows-1252 bytes.
#pragma once

#include <cstdint>

// Draws the first `length` characters (fewer when the text ends first) with
// the draw context's font, text colour and background at (x, y), the top-left
// corner of the text cell.
void DrawChars(const char* text, int length, int x, int y);

// Width in pixels of the first `length` characters in the draw context's font.
int CharsWidth(const char* text, int length);
// How many of the first `length` characters fit in `room` pixels in the draw
// context's font (a text clipped there rather than run into its neighbour).
int CharsFitting(const char* text, int length, int room);
// Height of a line in the draw context's font.
int CharsHeight();

// While set, DrawPlainText, DrawLabelText and DrawSymbolChar leave the
// background behind the text as it is.
void SetTextTransparent(bool transparent);
bool IsTextTransparent();

// DrawChars, transparent while SetTextTransparent is on.
void DrawPlainText(const char* text, int length, int x, int y);
// DrawPlainText in font 2 when the current font is 0 (the previous font is
// selected again afterwards).
void DrawLabelText(const char* text, int length, int x, int y);

// Word-wrapped text in the rectangle on a transparent background; the height
// the lines took.
int DrawTextInRect(const char* text, int x, int y, int width, int height);

// One character in the symbol font (font 6), or in font 2 when that cannot be
// selected; the fonts selected before come back afterwards.
void DrawSymbolChar(char character, int x, int y);

// The orbit view's axes: the unit vectors of x, y and z, `length` pixels long,
// turned by the 8.24 matrix and drawn from (originX, originY) dropping z (the
// matrix's rows 0 and 1 give the screen offsets right and down), each labelled
// "x", "y" or "z" at its end.
void DrawXyzAxes(const int32_t* matrix, int originX, int originY, int length);
