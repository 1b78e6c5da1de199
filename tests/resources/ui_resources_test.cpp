// The 28 x 28 Moon phase frames of the calendar and the busy indicator.
#include "resources/program_resources.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

constexpr uint32_t kLit = 0xE6E6D2;
constexpr uint32_t kDark = 0x3C3C46;

struct Frame {
    int lit = 0, dark = 0, litLeft = 0, litRight = 0;
};

Frame Measure(int id) {
    const pl::BitmapTemplate* b = pl::FindBitmapTemplate(id);
    EXPECT_NE(b, nullptr) << id;
    Frame f;
    std::vector<uint32_t> pixels;
    if (!b || !pl::RenderBitmapTemplate(*b, &pixels)) return f;
    EXPECT_EQ(b->width, 28);
    EXPECT_EQ(b->height, 28);
    for (int y = 0; y < 28; ++y)
        for (int x = 0; x < 28; ++x) {
            uint32_t p = pixels[y * 28 + x];
            f.lit += p == kLit;
            f.dark += p == kDark;
            if (p == kLit) (x < 14 ? f.litLeft : f.litRight)++;
        }
    return f;
}

class UiResourcesTest : public ::testing::Test {
protected:
    void SetUp() override {
        pl::ClearResourceGroups();
        InstallProgramResources();
    }
    void TearDown() override { pl::ClearResourceGroups(); }
};

// The phase pictures 6080 + i of the date form's calendar: 6080 new (nothing
// lit), 6081..6086 wax (lit on the right, growing), 6087..6092 wane (lit on
// the left, shrinking); the lit share of the disc is near (k + 0.5) / 6. The
// busy indicator draws 6081..6090 in turn. The Moon assistant's full (6094)
// and new (6095) Moons are all lit and all dark.
TEST_F(UiResourcesTest, PhaseFramesShowTheMoonsPhases) {
    const double fraction[16] = {0,       0.5 / 6, 1.5 / 6, 2.5 / 6, 3.5 / 6, 4.5 / 6, 5.5 / 6, 5.5 / 6,
                                 4.5 / 6, 3.5 / 6, 2.5 / 6, 1.5 / 6, 0.5 / 6, -1,      1,       0};
    for (int i = 0; i < 16; ++i) {
        if (i == 13) continue;  // 6093 is not a phase frame
        Frame f = Measure(6080 + i);
        double share = static_cast<double>(f.lit) / (f.lit + f.dark);
        EXPECT_NEAR(share, fraction[i], 0.05) << 6080 + i;
        if (i >= 1 && i <= 6) {
            EXPECT_GT(f.litRight, f.litLeft) << 6080 + i;
        } else if (i > 6 && i <= 12) {
            EXPECT_GT(f.litLeft, f.litRight) << 6080 + i;
        }
    }
}

}  // namespace
