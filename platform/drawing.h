// Drawing into device contexts: pixels, lines, filled and outlined shapes and
// bitmap copies. Every call is limited to the context's clip and draws the same
// pixels into a 16-bit DIB as into the screen, colours truncated to 5 bits.
#pragma once

#include "platform/gdi.h"

namespace pl {

// Writes one pixel; the result is the colour stored (after truncation to the
// target's depth), or kInvalidColor when (x, y) is clipped away.
ColorRef SetPixel(Hdc dc, int x, int y, ColorRef color);
// Colour of a pixel (5-bit channels expanded); kInvalidColor outside the clip.
ColorRef GetPixel(Hdc dc, int x, int y);

// Lines from point to point with the context's pen; the last point is not
// drawn. Each segment walks from its start along the major axis, stepping the
// minor axis when the error term 2*minor - major, accumulated as in
// Bresenham's method, is positive.
bool Polyline(Hdc dc, const Point* points, int count);

// Fills the rectangle (right and bottom excluded) with the brush.
bool FillRect(Hdc dc, const Rect& rect, Hbrush brush);

// Filled shapes: the region is the rectangle left <= x < right, top <= y < bottom
// with its corners cut by quarter ellipses of ellipseWidth by ellipseHeight
// (each at most the rectangle's side). A pixel belongs to it when its centre
// (x + 0.5, y + 0.5) lies inside or on that outline. Pixels of the region with a
// left, right, upper or lower neighbour outside it are drawn with the pen, the
// others with the brush. An ellipse is the rounded rectangle whose corner
// ellipse is the whole box. Sides given in reverse order are swapped.
bool RoundRect(Hdc dc, int left, int top, int right, int bottom, int ellipseWidth, int ellipseHeight);
bool Ellipse(Hdc dc, int left, int top, int right, int bottom);

// A raised monochrome edge on all four sides: the outermost ring of the
// rectangle in the window-frame system colour, the ring inside it in the
// window colour; the inside is left alone.
bool DrawMonoEdge(Hdc dc, const Rect& rect);

// A dotted frame: every pixel of the rectangle's outermost ring whose x + y is
// even is exclusive-ored with the window colour exclusive-ored with the window
// text colour (system colours), so that it turns from one to the other: white
// and black invert it by day, the night colours keep it red. Drawing it twice
// restores the pixels.
bool DrawFocusRect(Hdc dc, const Rect& rect);

// Copies a width x height block from src at (sx, sy) to dst at (x, y). Source
// pixels outside the source's bitmap (or screen) are not copied.
bool BitBlt(Hdc dst, int x, int y, int width, int height, Hdc src, int sx, int sy);

// Copies the source rectangle (sx, sy, sw, sh) onto the destination rectangle
// (x, y, width, height), resizing by nearest pixel: destination pixel d (along
// each axis) takes source pixel floor(sx + (d - x + 0.5) * sw / width). An
// extent's rectangle runs from its origin towards origin + extent, so extents of
// opposite signs mirror: origin x = width with extent -width mirrors exactly.
bool StretchBlt(Hdc dst, int x, int y, int width, int height, Hdc src, int sx, int sy, int sw, int sh);

// As StretchBlt, skipping the source pixels equal to key. The key is compared
// in the source's format (its 5-5-5 form for a 16-bit source).
bool TransparentBlt(Hdc dst, int x, int y, int width, int height, Hdc src, int sx, int sy, int sw, int sh,
                    ColorRef key);

}  // namespace pl
