// A name beside a point of a chart or an orbit picture, shared by the sky
// chart's views and the assistants' pictures.
#pragma once

// Draws `text` with DrawLabelText 3 scaleY above the point: 5 scaleX right of
// it when x >= limit, else 20 scaleX left of it (pictures pass their centre's
// x as the limit, so labels lean away from the centre).
void DrawChartLabel(const char* text, int x, int y, int limit);
