// The sky chart's colour table for its colour schemes and night mode.
#pragma once

#include <cstdint>

#include "platform/color.h"

struct ChartColour {
    uint8_t index;  // the entry's own number (7 background, 8 ink)
    uint8_t red;
    uint8_t green;
    uint8_t blue;
};

// Entries by role: 0 catalogue stars and default foreground, 1 constellation lines,
// 2 constellation names, 3 grid curves, 4 text, labels and object tracks, 5 the Sun's disc and
// the centre-object pointer, 6 ellipses, ecliptic, overlays and the target mark.
struct ChartColours {
    ChartColour entry[7];
    ChartColour background;
    ChartColour ink;  // black, for text and marks on the white background of scheme 2
};

extern ChartColours chartColours;

inline pl::ColorRef ChartColourRef(const ChartColour& c) { return pl::Rgb(c.red, c.green, c.blue); }

// Fills chartColours for the colour scheme ("Background", preference word 26: 0 black,
// 1 dark blue, 2 white; other values change nothing of it), the constellation-line colour
// ("Line Color", word 27: 0 purple, 1 dark red, 2 grey, 3 black; others none) and night mode
// (word 24: red shades on black), and selects the chart's bitmap set to match
// (SelectChartBitmapSet: the light set for scheme 2 by day, else the dark one). Returns the
// bitmap set of the last selection, or the current one when nothing was selected. Called at
// every chart redraw and set-up and when the colour preferences change.
int SetChartColours();

// The start values (tests).
void ResetChartColours();
