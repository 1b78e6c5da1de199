// The time and year strips of the planet detail form, computed: the strip's
// geometry for a mode, view and zoom, the instant of each pixel row, and the
// offsets of the moons' tracks or the curves of a row. Time runs downwards.
#pragma once

#include <cstdint>

#include "assistants/planet_detail_mode.h"

// Year strips: Saturn Rings, Mars Size and every Phase view; the other strip
// views (every mode's view 0) are time strips.
bool IsYearStrip(int mode, int view);
bool IsStripView(int mode, int view);

// The strip of a view on a screen `formHeight` pixels high.
struct StripLayout {
    int top;            // 24 units below the screen's top
    int height;         // H: the screen less the detail panel (86 units), the bottom strip (22) and the top (24);
                        // Mars Size 23 units less, Phase 20 more
    int pixelsPerUnit;  // pixels a day (time strips) or a year: H / 1, 2, 4 by zoom, 14 units at "Max"
    int rows;           // (H / pixelsPerUnit) x pixelsPerUnit: the rows drawn
    int step;           // pixels between computed rows: 2 for Jupiter and Saturn, 1 else
    bool yearStrip;
};
StripLayout ComputeStripLayout(int mode, int view, int zoom, int formHeight);

// The instant of pixel row y: time strips add (y - top) x 1440 / pixelsPerUnit
// minutes to `start` at 00:00; year strips add (y - top) x 365.25 /
// pixelsPerUnit days (truncated) to `start` at 00:00.
PlanetDetailDate StripRowInstant(const StripLayout& strip, const PlanetDetailDate& start, int y);

// The row of an instant of the start day (time strips: top + minutes of the
// day x pixelsPerUnit / 1440) or of the start year (year strips: top + days
// since 1 January x pixelsPerUnit / 365.25).
int StripRowOfInstant(const StripLayout& strip, const PlanetDetailDate& instant);

// One computed row: the tracks' x offsets from the screen's vertical axis in
// pixels, whether each is drawn in this row, and the index of its colour in
// moonColors.
struct StripTracks {
    int count;
    double offset[5];
    bool drawn[5];
    int colour[5];
};

// The tracks of the mode and view at a local civil date and time, with the
// horizontal orientation sign:
// - Jupiter: offset = 2 GetScreenScale X (signed west by xFactor, Jupiter
//   radii); moons in eclipse or occultation are not drawn;
// - Saturn Satellites: 2 GetScreenScale x of each moon; hidden ones not drawn;
//   Saturn Rings: 2 GetScreenScale (+B, -B) with B in degrees (colours 0, 1);
// - Mars Satellites: Phobos and Deimos in pixels (ComputeMarsMoons), x
//   signed by xFactor; those behind the disk not drawn;
// - Mars Size: +-round(80 x the apparent diameter in arcminutes) x
//   GetScreenScale, colour 1;
// - Phase (Mercury, Venus, Mars by view): +-the diameter in arcseconds
//   (colour 3) and +-60 x the illuminated fraction (colour 1), rounded.
StripTracks ComputeStripTracks(int mode, int view, const PlanetDetailDate& t, int xFactor);

// The body (BodyIndex) of a Phase view: 2 Mercury, 3 Venus, 4 Mars.
int PhaseViewBody(int view);
