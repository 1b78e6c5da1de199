// Clipped pixel writes for the graphics code, in context coordinates.
#pragma once

#include <functional>

#include "platform/gdi_internal.h"

namespace pl {

inline void PlotRaw(RasterTarget& t, int x, int y, uint32_t raw) {
    int sx = x + t.originX, sy = y + t.originY;
    if (t.Visible(sx, sy)) WriteRaw(*t.surface, sx, sy, raw);
}

// Fills a rectangle given in context coordinates.
void FillRaw(RasterTarget& t, const Rect& rect, uint32_t raw);

// Visits the points of the line from (x1, y1) to (x2, y2), the end point only
// when includeLast is set.
void WalkLine(int x1, int y1, int x2, int y2, bool includeLast, const std::function<void(int, int)>& visit);

}  // namespace pl
