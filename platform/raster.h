// Clipped pixel writes for the graphics code, in context coordinates.
#pragma once

#include "platform/gdi_internal.h"
#include "platform/line_walk.h"

namespace pl {

inline void PlotRaw(RasterTarget& t, int x, int y, uint32_t raw) {
    int sx = x + t.originX, sy = y + t.originY;
    if (t.Visible(sx, sy)) WriteRaw(*t.surface, sx, sy, raw);
}

// Fills a rectangle given in context coordinates.
void FillRaw(RasterTarget& t, const Rect& rect, uint32_t raw);

}  // namespace pl
