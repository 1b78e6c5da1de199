// The band of a solar eclipse on the Earth globe of the eclipse form's
// Diagram view: on each side of the path five lines of equal magnitude (0,
// 0.25, 0.5, 0.75 and 1, the last the limit of the central eclipse, in red),
// traced every 6 degrees of longitude from the central line's start to its
// end, and the grey lines that close the band at its ends. The globe's
// rotation is built in 16-bit fixed point with 11 fraction bits exactly as the
// texture globe's (assistants/globe_transform.h), so that a point of the band
// lands where the globe shows that place: the globe drawn with the angles
// (a1, a2, -a3) shows it at ProjectOnGlobe of the place.
#pragma once

#include <vector>

#include "eclipse/besselian.h"

// One line of the band: its end points (pixels) and whether it belongs to a
// limit of the central eclipse; slot 0..4 the lines of magnitude 0 .. 1 on
// side -1 (south), 5..9 on side +1, -1 a closing line; the west longitude of
// its second point (a line of a slot runs from one longitude to the next).
struct GlobeBandLine {
    int x1, y1, x2, y2;
    bool central;
    int slot;
    int longitude;
};

// The band's lines for a globe of `radius` pixels centred on (centreX,
// centreY) turned by the angles a1, a2, a3 (degrees; a3 is negated, as the
// band's latitudes are): each limit latitude (ComputeLimitLatitude, truncated
// to a whole degree; a missing limit lies at the pole of its side) at each
// longitude, drawn only on the near side; successive visible points of a line
// joined when they lie less than 80 pixels apart in x, a hidden point
// breaking the line. deltaT in seconds. Nothing when the shadow axis misses
// the Earth.
std::vector<GlobeBandLine> EclipseBandOnGlobeLines(const BesselianElements& elements, int centreX, int centreY,
                                                   float a1, float a2, float a3, int radius, double deltaT);

// Draws those lines into the current draw window: the central limits red
// (255, 0, 0), the others and the closing lines light grey (203, 203, 203),
// in night mode the night pen's red (GetForegroundColor).
void DrawEclipseBandOnGlobe(const BesselianElements& elements, int centreX, int centreY, float a1, float a2,
                            float a3, int radius, double deltaT);
