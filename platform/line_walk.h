// The integer line walk that polylines draw with, for drawing code that
// writes pixels itself: dx + 1 or dy + 1 points along the longer axis, the
// shorter axis stepping while the error term 2 * minor - major, accumulated as
// in Bresenham's method, is positive.
#pragma once

#include <functional>

namespace pl {

// Visits the points of the line from (x1, y1) to (x2, y2), the end point only
// when includeLast is set.
void WalkLine(int x1, int y1, int x2, int y2, bool includeLast, const std::function<void(int, int)>& visit);

}  // namespace pl
