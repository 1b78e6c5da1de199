#include "ui/number_text.h"

#include <cmath>

#include "core/text_numbers.h"

void SplitDegreesToDms(double value, int* whole, int* minutes, int* seconds) {
    double v = value + 1.0 / 7200.0;
    // Not a number, or a value past the int range: no minutes or seconds to
    // show, and the whole part held at the range's end.
    if (!std::isfinite(v) || std::fabs(v) >= 2147483647.0) {
        *whole = TruncateToInt32(v);
        *minutes = *seconds = 0;
        return;
    }
    *whole = static_cast<int>(v);
    double m = (v - *whole) * 60.0;
    *minutes = static_cast<int>(m);
    *seconds = static_cast<int>((m - *minutes) * 60.0);
}
