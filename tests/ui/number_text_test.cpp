// Angle parts of the angle fields.
#include "ui/number_text.h"

#include <gtest/gtest.h>

namespace {

// Worked case: 10.99999 gives 11, 0, 0 (the half second carries). The others
// by hand: 12.5 = 12 30' 00" (+ half a second, truncated away); 0.0125 = 45".
TEST(SplitDegreesToDms, HalfSecondRoundsUp) {
    struct Case {
        double value;
        int d, m, s;
    } cases[] = {{10.99999, 11, 0, 0}, {12.5, 12, 30, 0}, {0.0125, 0, 0, 45}, {23.99986, 23, 59, 59}};
    for (const Case& c : cases) {
        int d, m, s;
        SplitDegreesToDms(c.value, &d, &m, &s);
        EXPECT_EQ(d, c.d) << c.value;
        EXPECT_EQ(m, c.m) << c.value;
        EXPECT_EQ(s, c.s) << c.value;
    }
}

}  // namespace
