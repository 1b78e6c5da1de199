#include "ui/number_text.h"

void SplitDegreesToDms(double value, int* whole, int* minutes, int* seconds) {
    double v = value + 1.0 / 7200.0;
    *whole = static_cast<int>(v);
    double m = (v - *whole) * 60.0;
    *minutes = static_cast<int>(m);
    *seconds = static_cast<int>((m - *minutes) * 60.0);
}
