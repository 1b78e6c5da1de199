// The time and year strips of the planet detail form drawn, with the marker of
// the chosen row and the detail panel below the strip for that row's instant
// (the planet's picture, the Mars globe figures or the phase figures).
#pragma once

#include <cstdint>

// The form's date and time fields, which the detail rewrites.
constexpr int kPlanetDateField = 2465;
constexpr int kPlanetTimeField = 2459;

extern int32_t stripRow;     // the pixel row of the detail
extern int32_t keepDrawing;  // set before a strip draw; 0 stops it; 0 when a strip is complete

// Draws the strip of planetDetailMode and planetDetailView for the form's
// date (year strips from 1 January: the form's month and day become 1), the
// bands (labelled at zoom "1": "0h" "6h" "12h" "18h", or J M M J S N for the
// two-month bands of a year), the planet band and the tracks of every second
// (Jupiter, Saturn) or every row, a track broken where its moon is not drawn;
// then the detail of the form's instant.
void DrawPlanetTimeStrip();

// When (x, y) lies in the strip: moves the marker to row y (the screen under
// it saved and the previous row put back; "Can't allocate offscreen buffer"
// when that fails), draws the detail of the row's instant, writes the row's
// date and time into the date and time fields and returns 1. Else 0, nothing
// changed.
int DrawPlanetDetailView(int x, int y);

// Forgets the marker's saved bits (the screen under them is being redrawn).
void DropStripMarker();
