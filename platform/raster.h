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

// The target's surface as memory for WalkLine, with the target's origin.
inline PixelRows RowsOf(RasterTarget& t) {
    Surface& s = *t.surface;
    return PixelRows{s.Bits(), s.stride, s.height, s.bottomUp, s.bitsPerPixel / 8, t.originX, t.originY};
}

}  // namespace pl
