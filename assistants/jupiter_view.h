// The Galilean moons for the planet detail form: ComputeJupiterMoons with its
// picture (the turning globe with the Red Spot, the moons in front of and
// behind it, and their shadows).
#pragma once

#include <cstdint>

// The moons at a local civil date and time of the current site (universal
// time, no Delta T; see jupiter_moons.h). Outputs, each of which may be null
// (then not written): X out[i] = -xFactor X_i and Y out[i] = yFactor Y1_i in
// Jupiter radii (Y1 = 1.071374 Y), state out[i] the MoonStateCode; the module
// state table jupiterMoonTable is always filled. xFactor and yFactor are the
// orientation signs (+1 or -1). With draw non-zero the picture is drawn in
// the area from `top` (full width) to 22 units above the screen's bottom: the
// names in the moon colours, then 22 pixels a radius around the centre ((width
// - 240) / 2 + 120, top + 48 units): the far-side moons, the globe frame of
// the Red Spot's time from its first transit of the date (bitmap 1897 loaded
// once, mirrored by the signs, kept until ReleaseJupiterGlobe), the shadows
// on the disk and the near-side moons. Hidden moons (codes 4, 5) are not drawn.
void ComputeJupiterMoons(int width, int top, int year, int month, int day, int hour, int minute, double* xOut,
                         double* yOut, int32_t* stateOut, int draw, int xFactor, int yFactor);

// Frees the kept globe strip (its mirroring changes with the orientation).
void ReleaseJupiterGlobe();
