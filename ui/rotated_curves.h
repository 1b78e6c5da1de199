// Orbits of the orbit view: an ellipse and a parabola in the plane z = 0,
// turned in space by a 3 x 3 matrix of 8.24 integers and drawn at (cx, cy)
// dropping z (orthographic). Segments with a negative screen offset y (above
// the centre line) are drawn in colourAbove, the others in colourBelow.
// Angles are 8.24 fixed-point radians; the curves are drawn from 4 or 12
// degree steps with FixSinCos24 and FixTan24.
#pragma once

#include <cstdint>

// The ellipse with semi-axes a and b (pixels) centred on (cx, cy): 12 degree
// steps when a and b are equal in integer ratio, else 4 degree steps, over the
// half from 270 to 90 degrees and its point reflection through the centre.
// Nothing when a or b is 0.
void DrawRotatedRing(const int32_t* matrix, int cx, int cy, int a, int b, uint32_t colourAbove,
                     uint32_t colourBelow);

// The parabola with its focus at (cx, cy) and its vertex q / 4096 pixels away:
// x = q (1 - t^2), y = +-2 q t for t = tan(phi), phi = 0 to 80 degrees in 4
// degree steps, each branch a polyline.
void DrawRotatedParabola(const int32_t* matrix, int cx, int cy, int32_t q, uint32_t colourAbove,
                         uint32_t colourBelow);
