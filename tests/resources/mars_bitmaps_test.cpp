// The Mars map halves and the turning globe strip.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "program_bitmaps.h"
#include "resources/mars_bitmaps.h"

namespace {

using MarsBitmapsTest = ProgramBitmapsTest;

// Two 320 x 320 halves with no black pixel (the globe's transparent value);
// the cap colour exactly on the rows beyond 81 degrees of latitude (rows whose
// centre latitude 90 - (y + 0.5) 180 / 320 is 81 or more: 16 at each pole).
TEST_F(MarsBitmapsTest, MapHalvesHaveCapsAndNoBlack) {
    for (int id : {6012, 6013}) {
        std::vector<uint32_t> p = Pixels(id, 320, 320);
        ASSERT_EQ(p.size(), 320u * 320u) << id;
        EXPECT_EQ(std::count(p.begin(), p.end(), 0u), 0) << id;
        for (int y = 0; y < 320; ++y) {
            bool capRow = y < 16 || y >= 304;
            int caps = static_cast<int>(std::count(p.begin() + y * 320, p.begin() + (y + 1) * 320, kMarsCapColour));
            EXPECT_EQ(caps, capRow ? 320 : 0) << id << " row " << y;
        }
    }
}

// 24 frames of 22 x 20 keyed black at the top-left; each frame a disc of
// radius 10 about (10, 10): black outside, map colours inside.
TEST_F(MarsBitmapsTest, RotationStripHoldsTwentyFourDiscs) {
    std::vector<uint32_t> p = Pixels(6014, 24 * 22, 20);
    ASSERT_EQ(p.size(), 24u * 22u * 20u);
    EXPECT_EQ(p[0], 0u);
    for (int frame = 0; frame < 24; ++frame) {
        int inside = 0, bad = 0;
        for (int j = 0; j < 20; ++j)
            for (int i = 0; i < 22; ++i) {
                double r = std::hypot(i + 0.5 - 10, j + 0.5 - 10);
                uint32_t v = p[j * 24 * 22 + frame * 22 + i];
                if (r < 9.5) inside += v != 0;
                if (r > 10.5) bad += v != 0;
            }
        EXPECT_EQ(bad, 0) << frame;
        EXPECT_GE(inside, 270) << frame;  // pi 9.5^2 = 283 pixels
    }
}

}  // namespace
