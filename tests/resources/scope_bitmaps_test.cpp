// The direction pad of the scope control form: at rest (5084) and with each
// side pressed (5085 west, 5086 east, 5087 north, 5088 south).
#include <gtest/gtest.h>

#include <vector>

#include "program_bitmaps.h"

namespace {

constexpr int kPad = 64;
constexpr uint32_t kKey = 0x00FF00;

using ScopeBitmapsTest = ProgramBitmapsTest;

bool Red(uint32_t p) { return (p >> 16) > 0xC0 && ((p >> 8) & 0xFF) < 0x40 && (p & 0xFF) < 0x40; }

// The red pixels' mean place, or (-1, -1) when there are none.
void RedCentre(const std::vector<uint32_t>& p, double* x, double* y) {
    double sx = 0, sy = 0;
    int n = 0;
    for (int i = 0; i < kPad * kPad; ++i)
        if (Red(p[i])) {
            sx += i % kPad;
            sy += i / kPad;
            ++n;
        }
    *x = n ? sx / n : -1;
    *y = n ? sy / n : -1;
}

// Each pad keyed green at its corner, with the same outline as the pad at
// rest (drawn over each other, no pixel of the last one stays), and its
// pressed side red where the arrow key is: the pad at rest has no red.
TEST_F(ScopeBitmapsTest, PressedSideIsLitOnItsSide) {
    const std::vector<uint32_t> rest = Pixels(5084, kPad, kPad);
    ASSERT_FALSE(rest.empty());
    EXPECT_EQ(rest[0], kKey);
    double x, y;
    RedCentre(rest, &x, &y);
    EXPECT_EQ(x, -1);
    const struct {
        int id;
        double x, y;  // where the red lies: the side's arrow
    } cases[] = {{5085, 10, 31.5}, {5086, 53, 31.5}, {5087, 31.5, 10}, {5088, 31.5, 53}};
    for (const auto& c : cases) {
        const std::vector<uint32_t> p = Pixels(c.id, kPad, kPad);
        ASSERT_FALSE(p.empty()) << c.id;
        for (int i = 0; i < kPad * kPad; ++i) ASSERT_EQ(p[i] == kKey, rest[i] == kKey) << c.id << " at " << i;
        RedCentre(p, &x, &y);
        EXPECT_NEAR(x, c.x, 3.0) << c.id;
        EXPECT_NEAR(y, c.y, 3.0) << c.id;
    }
}

}  // namespace
