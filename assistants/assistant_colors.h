// The colours of the planet detail form and its views (day, or the red of the
// night mode), and the five moon colours that the object information form
// copies.
#pragma once

#include "platform/color.h"

struct AssistantColorTable {
    pl::ColorRef text;
    pl::ColorRef highlightRed;
    pl::ColorRef lightBand;       // odd strip bands
    pl::ColorRef alternateBand;   // even strip bands and even table rows
    pl::ColorRef planetBand;
    pl::ColorRef darkBackground;
    pl::ColorRef oddRow;          // odd strip bands and table rows: lightBand, the dark background at night
};

extern AssistantColorTable assistantColors;
// The moons' colours: day (205, 205, 40), (0, 40, 220), (220, 0, 0),
// (0, 210, 40), (155, 150, 140); at night reds (I - 7 k) mod 256 for k = 0..4
// (0 stored as 1), I the night intensity (GetSchemeColor).
extern pl::ColorRef moonColors[5];

// Builds the table for the night mode in force (preference word 24): text
// (0, 0, 0) or (I - I/4, 0, 0); highlight (220, 0, 0); light band (255, 255,
// 255) or (I/2, 0, 120); alternate band (180, 180, 250) or (I/4, 0, 0); planet
// band (0, 0, 120) or (I/2, 0, 120); dark background black.
void InitAssistantColors();

// Copies the five moon colours (as last built) to `out`.
void CopyAssistantColors(pl::ColorRef out[5]);
