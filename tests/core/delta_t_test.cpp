#include "core/delta_t.h"

#include <gtest/gtest.h>

#include "core/preferences.h"
#include "core/shared_state.h"

namespace {

class ComputeDeltaTTest : public ::testing::Test {
protected:
    void SetUp() override { ResetSharedState(); }
    void TearDown() override { ResetSharedState(); }
};

// The table as published: 195 entries, 1620 to 2008 every second year (tenths of a second).
TEST_F(ComputeDeltaTTest, TableEntries) {
    EXPECT_EQ(kDeltaTTableSize, 195);
    const struct { int index, value; } entries[] = {{0, 1210}, {40, 70}, {140, -28}, {193, 649}, {194, 660}};
    for (const auto& e : entries) EXPECT_EQ(deltaTTable[e.index], e.value) << 1620 + 2 * e.index;
}

// Values of the table and of the long-term formulas at the dates the table and the formulas give
// directly (tolerances: the rounding of the quoted value). 1 January is already past the integer
// year, so 1900 and 1620 lie just beside the table's -2.8 s (rising) and 121.0 s (falling).
TEST_F(ComputeDeltaTTest, TableAndFormulaDates) {
    const struct { int year, month, day; double seconds, tol; } cases[] = {
        {1700, 1, 1, 7.0, 1e-12},     {2005, 12, 31, 64.9, 1e-12},  // decimal year 2006.0: entry 2006
        {1500, 1, 1, 275.596, 5e-4},  {2050, 1, 1, 140.83, 0.005},
        {500, 1, 1, 31 * 13.2 * 13.2, 1.0},                          // 31 u^2, u = -13.2
        {2150, 1, 1, 102 + 102 * 1.5 + 25.3 * 2.25, 0.01},
        {1900, 1, 1, -2.795, 0.0049}, {1620, 1, 1, 120.95, 0.049},
    };
    for (const auto& c : cases) EXPECT_NEAR(ComputeDeltaT(c.year, c.month, c.day), c.seconds, c.tol) << c.year;
}

TEST_F(ComputeDeltaTTest, CurrentDeltaTServes2006To2049) {
    EXPECT_EQ(ComputeDeltaT(2006, 1, 1), kDefaultDeltaT);
    preferences.SetFloat(kPrefCurrentDeltaT, 69.5f);
    EXPECT_EQ(ComputeDeltaT(2006, 1, 1), 69.5);
    EXPECT_EQ(ComputeDeltaT(2049, 12, 31), 69.5);
    EXPECT_NEAR(ComputeDeltaT(2005, 12, 31), 64.9, 1e-12);
    EXPECT_NEAR(ComputeDeltaT(2050, 1, 1), 140.83, 0.005);
}

}  // namespace
