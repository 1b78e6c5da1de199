// Regions as lists of disjoint rectangles: the invalid area of a window and the
// visible area of a window on the screen.
#pragma once

#include <vector>

#include "platform/types.h"

namespace pl {

class Region {
public:
    Region() = default;
    explicit Region(const Rect& r) { Add(r); }

    // Adds a rectangle (only the part not already covered is stored).
    void Add(const Rect& r);
    // Removes a rectangle.
    void Subtract(const Rect& r);
    // Keeps only the part inside a rectangle.
    void Clip(const Rect& r);
    void Clear() { rects_.clear(); }
    void Offset(int dx, int dy);

    bool IsEmpty() const { return rects_.empty(); }
    bool Contains(Point p) const;
    // The smallest rectangle holding the whole region (empty for an empty region).
    Rect Bounds() const;
    // Covered area in pixels.
    long Area() const;
    const std::vector<Rect>& Rects() const { return rects_; }

private:
    std::vector<Rect> rects_;  // disjoint, none empty
};

// The parts of `r` that lie outside `cut` (up to four rectangles), appended to `out`.
void SubtractRect(const Rect& r, const Rect& cut, std::vector<Rect>* out);

}  // namespace pl
