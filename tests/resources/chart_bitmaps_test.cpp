// The chart's bitmaps: sizes, key colours and the Moon phase icons.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "program_bitmaps.h"

namespace {

constexpr uint32_t kBlack = 0x000000, kWhite = 0xFFFFFF;

using ChartBitmapsTest = ProgramBitmapsTest;

// Each bitmap at its size, keyed by its top-left pixel and not all key; the
// Moon picture 3993 also by its first stored (bottom-left) pixel.
TEST_F(ChartBitmapsTest, EveryBitmapAtItsSizeWithItsKeyTopLeft) {
    struct Case {
        int id, width, height;
        uint32_t key;
    };
    std::vector<Case> cases = {
        {4109, 168, 42, kWhite}, {4110, 168, 42, kBlack}, {3999, 234, 18, kBlack}, {4111, 377, 29, kBlack},
        {3995, 15, 15, kBlack},  {3993, 240, 240, kBlack}, {3994, 240, 240, kBlack}, {1686, 32, 32, kBlack},
        {1687, 32, 32, kWhite},  {1688, 32, 32, kBlack},   {1689, 32, 32, kWhite},   {4107, 11, 11, kBlack},
        {4108, 11, 11, kWhite}, {4103, 173, 91, kWhite}, {4104, 173, 91, kBlack}, {4105, 173, 91, kBlack},
        {4106, 173, 91, kWhite}, {1941, 20, 20, kBlack}};
    for (int id = 6050; id <= 6063; ++id) cases.push_back({id, 14, 14, kBlack});
    for (const Case& c : cases) {
        std::vector<uint32_t> p = Pixels(c.id, c.width, c.height);
        ASSERT_FALSE(p.empty()) << c.id;
        EXPECT_EQ(p[0], c.key) << c.id;
        EXPECT_NE(std::count(p.begin(), p.end(), c.key), c.width * c.height) << c.id;
    }
    EXPECT_EQ(Pixels(3993, 240, 240)[239 * 240], kBlack);
}

// The 110 Messier thumbnails and the generic picture, 40 x 40, each its own.
TEST_F(ChartBitmapsTest, ThumbnailsOfEveryMessierObject) {
    std::vector<uint32_t> previous = Pixels(5029, 40, 40);
    ASSERT_FALSE(previous.empty());
    for (int id = 3000; id <= 3109; ++id) {
        std::vector<uint32_t> p = Pixels(id, 40, 40);
        ASSERT_FALSE(p.empty()) << id;
        EXPECT_NE(p, previous) << id;
        previous = p;
    }
}

// 6050 new; growing and lit on the right to 6057 full; then shrinking, lit on
// the left, to the thin crescent 6063.
TEST_F(ChartBitmapsTest, PhaseIconsWaxToFullAndWane) {
    int previous = -1;
    for (int id = 6050; id <= 6063; ++id) {
        std::vector<uint32_t> p = Pixels(id, 14, 14);
        int left = 0, right = 0;
        for (int i = 0; i < 14 * 14; ++i)
            if (p[i] == 0xF0F0DC) (i % 14 < 7 ? left : right)++;
        EXPECT_EQ(left + right > previous, id <= 6057) << id;
        EXPECT_EQ(left > right, id > 6057) << id;
        EXPECT_EQ(right > left, id > 6050 && id < 6057) << id;
        previous = left + right;
    }
    EXPECT_GT(previous, 0);
}

}  // namespace
