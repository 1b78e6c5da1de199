// The integer line walk that polylines and the program's own pixel lines draw
// with: dx + 1 or dy + 1 points along the longer axis, the shorter axis
// stepping while the error term 2 * minor - major, accumulated as in
// Bresenham's method, is positive. The walk writes pixel memory directly and
// visits only the part of the line inside a clip rectangle, so that a line
// running mostly off the picture costs only the pixels it leaves on it.
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/types.h"

namespace pl {

// Pixel memory a line is written into, and where the line's coordinates fall
// in it: point (x, y) of the line is pixel (x + originX, y + originY).
struct PixelRows {
    uint8_t* bits = nullptr;   // the first stored row
    std::ptrdiff_t stride = 0;  // bytes per stored row
    int height = 0;            // rows
    bool bottomUp = false;     // the first stored row is the bottom row
    int bytesPerPixel = 2;     // 1, 2 or 4: the low bytes of the word, little-endian
    int originX = 0;
    int originY = 0;
};

// Writes `word` at the points of the line from (x1, y1) to (x2, y2), the end
// point only when includeLast is set, that fall inside `clip` (pixel
// coordinates, which must lie inside the memory). The pixels written are
// exactly those of the whole walk that fall inside the clip; the walk starts
// at the first of them, so the points outside are never stepped through.
void WalkLine(int x1, int y1, int x2, int y2, bool includeLast, const Rect& clip, const PixelRows& rows,
              uint32_t word);

}  // namespace pl
