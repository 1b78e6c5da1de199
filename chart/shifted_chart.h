// The Sky Map and Horizon View moved by a drag or a held key: each frame is
// drawn from the screen positions the last full redraw kept (bright stars,
// constellation figures, catalogue stars, list entries) plus the shift, with
// no projection and no catalogue read; only the centre's place is computed.
// The chart is projected again once the drag or key ends.
#pragma once

#include "platform/color.h"
#include "platform/types.h"
#include "ui/draw_window.h"

// Colours of a shifted frame: the chart background, the constellation lines,
// the texts (object names, the centre's place) and the red of the Telrad.
struct ShiftedChartColours {
    pl::ColorRef background;
    pl::ColorRef line;
    pl::ColorRef label;
    pl::ColorRef red;
};

// One frame into `window` (the chart picture), then copied to the current
// draw window, within `bounds` (the chart rectangle), at zoom step `zoom`,
// everything kept moved by (dx, dy) pixels. Bottom up: the background; in the
// Sky Map below zoom 7 on a screen of GetScreenScale 2 or more the horizon
// circle about the moved zenith; with "Show Grid" (word 131) the grid (Sky Map
// below zoom 8) or the azimuth and altitude scale (Horizon View) moved; the
// constellation lines between shown stars ("Const. Lines", word 122; in the
// Horizon View wrapped by the panorama, a segment across the seam left out),
// with "More Stars" (123) off their end stars as icons or, with "Stars as
// Pixel" (132), single pixels; with More Stars on, "Stars" (28) not 1 and zoom
// 1 or more every shown bright star's icon; the kept catalogue stars as pixels
// (at most 1500); on a screen of GetScreenScale 2 or more the shown list
// entries in the class filter within the object limit (bodies and entries
// drawn whatever their magnitude always; below zoom 3 only bodies, Messier and
// star entries), their symbols (none for star entries) and, with "More
// Objects" (124) and "Obj. Names" (41) from zoom 3, their names; the Telrad
// (word 43) and the target mark at the screen centre; the centre's place
// ("%s %s" of HmsFixToStr and AngleFixToStr) on the status line; the legend.
// The first entry drawn within (-4 s, 7 s) x (-7 s, 7 s) of the screen centre
// (s = GetScreenScale) becomes the current row (none found: no row), shown in
// the object popup; the centre's place is left in chartRecord's centre words
// (right ascension hours, declination degrees). Returns that row or -1.
// Without a window: "Shift chart window null" and -1.
int DrawShiftedChart(DrawWindowRecord* window, int dx, int dy, int zoom, const ShiftedChartColours& colours,
                     const pl::Rect& bounds);

// DrawShiftedChart of the chart picture at the chart's zoom in the palette's
// colours (the label colour black on a light background when `keyColours`).
int ShiftChart(int dx, int dy, bool keyColours);

// The end of a drag or held key whose last frame returned `row`: with no row
// the chart's selection becomes the sky point at the shifted centre (type 0,
// no name) and the selection's caption is erased; a row stays the current
// row. Then the chart is drawn again in full about it (the telescope marker's
// save boxes freed first while a telescope is connected).
void FinishShiftedChart(int row);
