// The orbit picture of the orbit forms: the planets' orbits and one highlighted small body
// seen from a direction given by three angles, the bodies at their places, and the small
// body's distances from the Earth and the Sun.
#pragma once

#include <cstdint>

#include "ui/draw_window.h"
#include "ui/xywh_rect.h"

// One body of the picture (116 bytes); the caller's array, filled by the orbit forms. Slot 0 is
// the Sun, slot 1 the highlighted small body, the others planets (their small icon is their
// slot number). Lengths are integers of the zoom `z` the form draws with (1..7).
struct SolarSystemBody {
    char name[40];            // drawn beside the body
    int32_t orientation[9];   // orbit plane to ecliptic, row-major, unit x 2^24
    int32_t position[3];      // ecliptic x, y, z: AU x 2^(12 + z)
    int32_t perihelion;       // q: AU x 2^24, for kind 1 and 2
    int32_t focusOffset;      // centre of the ellipse to the Sun: e a x 4096 AU
    float earthDistance;      // AU (slot 1)
    float sunDistance;        // AU (slot 1)
    int32_t orbitSize;        // semi-major axis, pixels (a x 2^z)
    int32_t orbitSecondSize;  // semi-minor axis, pixels
    int32_t kind;             // 0 ellipse; 1 near-parabolic, 2 hyperbolic: drawn as the parabola of q
};
static_assert(sizeof(SolarSystemBody) == 116);

// Draws the picture into `rect` {x, y, width, height} of the current draw window, or of
// `surface` (then copied to the same place of the current draw window), centred on the
// rectangle's middle:
//   - the background dark blue (0, 0, 70), or the chart background in night mode;
//   - the axes seen through V = FixRotationMatrix24 of the three angles (whole degrees);
//   - each orbit through V x its orientation, split at the centre line into its front and back
//     colours: an ellipse about the point -focusOffset along its major axis, or the parabola of
//     its perihelion about the Sun; scale shift z draws lengths of 2^(12 - z) units a pixel.
//     Orbits larger than 400 pixels are left out (not slot 1's), and ellipses up to 10 pixels
//     (not the Sun's);
//   - each body's small icon at its place (icon 11 for slot 1) and its name beside it;
//   - "Earth (AU): d.ddd" and "Sun (AU): d.ddd" of slot 1 along the bottom.
// Texts are in font 0, transparent.
// Day colours: orbits and texts (200, 200, 200), ellipses (0, 0, 133) in front and
// (0, 0, 203) behind, slot 1's (133, 0, 0) and (204, 0, 0); night mode: (I, 0, 0), (203, 0, 0)
// and (255, 0, 0), I the night mode's red. Afterwards the foreground is entry 6 of
// chartColours and the text background black.
void DrawSolarSystemView(DrawWindowRecord* surface, const XywhRect& rect, const SolarSystemBody* bodies, int count,
                         int angle1, int angle2, int angle3, int scaleShift);
