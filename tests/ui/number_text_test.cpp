// Angle parts of the angle fields.
#include "ui/number_text.h"

#include <gtest/gtest.h>

#include <array>

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

}  // namespace
