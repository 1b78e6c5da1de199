// Rectangle lists: union, subtraction and clipping keep the covered area exact.
#include "platform/region.h"

#include <gtest/gtest.h>

using namespace pl;

namespace {

// Pixels of the region, counted one by one, for comparison with Area().
long CountPixels(const Region& r, const Rect& bounds) {
    long n = 0;
    for (int y = bounds.top; y < bounds.bottom; ++y)
        for (int x = bounds.left; x < bounds.right; ++x) n += r.Contains({x, y});
    return n;
}

TEST(Region, OverlappingRectanglesAreStoredOnce) {
    Region r({0, 0, 10, 10});
    r.Add({5, 5, 15, 15});
    r.Add({2, 2, 4, 4});  // already covered
    EXPECT_EQ(100L + 100 - 25, r.Area());
    EXPECT_EQ(r.Area(), CountPixels(r, {0, 0, 20, 20}));
    Rect b = r.Bounds();
    EXPECT_EQ(0, b.left);
    EXPECT_EQ(15, b.bottom);
}

TEST(Region, SubtractingAHoleLeavesAFrame) {
    Region r({0, 0, 10, 10});
    r.Subtract({3, 3, 7, 7});
    EXPECT_EQ(100L - 16, r.Area());
    EXPECT_FALSE(r.Contains({5, 5}));
    EXPECT_TRUE(r.Contains({0, 5}));
    EXPECT_EQ(r.Area(), CountPixels(r, {0, 0, 10, 10}));
    r.Subtract({-5, -5, 20, 20});
    EXPECT_TRUE(r.IsEmpty());
}

TEST(Region, ClipAndOffset) {
    Region r({0, 0, 10, 10});
    r.Add({20, 0, 30, 10});
    r.Clip({5, 0, 25, 5});
    EXPECT_EQ(5L * 5 + 5 * 5, r.Area());
    r.Offset(100, 50);
    EXPECT_TRUE(r.Contains({105, 50}));
    EXPECT_FALSE(r.Contains({5, 0}));
}

TEST(Region, EmptyRectanglesAddNothing) {
    Region r;
    r.Add({5, 5, 5, 10});
    r.Add({5, 5, 4, 10});
    EXPECT_TRUE(r.IsEmpty());
    EXPECT_TRUE(r.Bounds().IsEmpty());
}

}  // namespace
