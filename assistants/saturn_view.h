// The Saturn picture of the planet detail form and the values of its strip
// rows.
#pragma once

#include <cstdint>

// What DrawSaturnMoons does.
enum SaturnMoonsKind {
    kSaturnPicture = 0,     // compute and draw the picture
    kSaturnSatellites = 2,  // the moons of a "Satellites" strip row
    kSaturnRings = 4,       // the curves of a "Rings" strip row
};

// Saturn at a local civil date and time of the current site (saturn_moons.h).
// Outputs, each of which may be null: kinds 0 and 2 give per moon x out =
// xFactor x (Saturn radii, positive west before the sign), y out = yFactor y
// and the state (5 hidden behind the disk, else 0); kind 4 gives two curves,
// x out = +B and -B (the tilt in degrees, state 0) and state 5 for the other
// three. Kind 0 also draws, in the area from `top` (full width) to 22 units
// above the screen's bottom: the five names in their moon colours on two
// lines, "Tilt ..." at the right, and around the centre (width / 2, top + 48
// units) at 6.8 pixels a Saturn radius the moons behind the planet, the
// ringed planet (frame SaturnRingFrame(B) of bitmap 6008 at (centre x - 16,
// centre y - 7), upside down when the south face is seen, once more when
// yFactor is -1) and the other visible moons.
void DrawSaturnMoons(int year, int month, int day, int hour, int minute, int width, int top, int kind,
                     double* xOut, double* yOut, int32_t* stateOut, int xFactor, int yFactor);

// Frees the ringed planet's strip.
void ReleaseSaturnPicture();
