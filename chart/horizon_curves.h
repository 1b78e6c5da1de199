// The reference curves of the horizon chart: the Sky Map's coordinate grid and
// horizon circle, its compass letters, and the ecliptic of the Sky Map and the
// Horizon View. Curves are sampled at fixed steps, projected with the horizon
// projections (chart/horizon_projection.h) at the chart's origin and scales, and
// drawn as lines between consecutive samples above the horizon into the current
// draw window. Labels use the draw context's font and text colour.
#pragma once

#include "platform/color.h"

// The Sky Map's grid at local sidereal time lstHours: the target mark on the
// zenith and the horizon circle through the north point; then, unless "Hide
// Grid" (word 42) is set, either the equatorial grid ("Alt/Az Grid", word 126,
// clear) or altitude circles every decStep degrees below 90 about the zenith,
// each labelled "%d°" at the zenith's x on its north side.
// Equatorial grid: declination circles every decStep degrees from the top
// (latitude + 90, or 90 - decStep beyond the pole, truncated to a multiple of
// 15) down to the limit (latitude - 90 less its remainder mod 15, or decStep - 91
// below -90), sampled every hourStep hours (25 samples for 1 h); the circles
// and the hour lines between them in gridColour, declination 0 and hours 0 and
// 12 in zeroColour. From zoom 3 on the declinations are labelled "%d°" along
// hour labelHour and the hours "%dh" along the circle of labelDec (truncated to
// a multiple of decStep); below, along hour 0 and declination 0.
void DrawSkyMapHorizonGrid(float lstHours, int labelHour, int labelDec, int zoom, pl::ColorRef gridColour,
                           pl::ColorRef zeroColour, int hourStep, int decStep);

// Sky Map only: "N", "S", "E", "W", "NE", "SE", "SW", "NW" on the horizon
// (unit distance, 0.72 on each axis for the diagonals) turned by the chart
// rotation, moved by (dx, dy), then 5 pixels right of their point on the right
// half of the 160 x GetScreenScale design (10 left of it on the left half) and
// 5 up on the top half, drawn with DrawLabelText.
void DrawCompassLetters(int dx, int dy);

// The ecliptic (J2000 obliquity) every 10 degrees of longitude at local sidereal
// time lstHours, in `colour`. In the Horizon View `left` and `right` bound the
// wrap: a point left of `left` is taken one panorama width W (360 degrees) to
// the right, one right of `right` one width to the left, and a segment whose
// ends then lie W / 2 or more apart (across the seam) is left out. Bounds one
// panorama wide about the screen keep every segment that crosses the screen.
void DrawHorizonEcliptic(float lstHours, pl::ColorRef colour, int left, int right);
