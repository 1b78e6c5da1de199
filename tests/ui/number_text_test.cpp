// Angle parts of the angle fields.
#include "ui/number_text.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>

namespace {

// Worked case: 10.99999 gives 11, 0, 0 (the half second carries). The others
// by hand: 12.5 = 12 30' 00" (+ half a second, truncated away); 0.0125 = 45".
TEST(SplitDegreesToDms, HalfSecondRoundsUp) {
    const struct {
        double value;
        std::array<int, 3> dms;
    } cases[] = {{10.99999, {11, 0, 0}}, {12.5, {12, 30, 0}}, {0.0125, {0, 0, 45}}, {23.99986, {23, 59, 59}}};
    for (const auto& c : cases) {
        std::array<int, 3> dms;
        SplitDegreesToDms(c.value, &dms[0], &dms[1], &dms[2]);
        EXPECT_EQ(dms, c.dms) << c.value;
    }
}

// Values no angle field can show convert to nothing undefined: not a number
// gives zeros, and 1e305 or -1e305 hold the whole part at the int range's end.
TEST(SplitDegreesToDms, NotANumberOrHugeValuesGiveDefinedFields) {
    const struct {
        double value;
        std::array<int, 3> dms;
    } cases[] = {{NAN, {0, 0, 0}},
                 {INFINITY, {2147483647, 0, 0}},
                 {1e305, {2147483647, 0, 0}},
                 {-1e305, {-2147483647 - 1, 0, 0}}};
    for (const auto& c : cases) {
        std::array<int, 3> dms;
        SplitDegreesToDms(c.value, &dms[0], &dms[1], &dms[2]);
        EXPECT_EQ(dms, c.dms) << c.value;
    }
}

}  // namespace
