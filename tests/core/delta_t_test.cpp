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

// The table as published: 195 entries, 1620 to 2008 every second year.
TEST_F(ComputeDeltaTTest, TableEntries) {
    EXPECT_EQ(kDeltaTTableSize, 195);
    EXPECT_EQ(deltaTTable[0], 1210);    // 1620
    EXPECT_EQ(deltaTTable[40], 70);     // 1700
    EXPECT_EQ(deltaTTable[140], -28);   // 1900
    EXPECT_EQ(deltaTTable[193], 649);   // 2006
    EXPECT_EQ(deltaTTable[194], 660);   // 2008
}

// Values of the table and of the long-term formulas at the dates the table
// and the formulas give directly (tolerances: the rounding of the quoted value).
TEST_F(ComputeDeltaTTest, TableAndFormulaDates) {
    EXPECT_NEAR(ComputeDeltaT(1700, 1, 1), 7.0, 1e-12);    // entries 1700 and 1702 are both 7.0
    EXPECT_NEAR(ComputeDeltaT(2005, 12, 31), 64.9, 1e-12); // decimal year 2006.0: entry 2006
    EXPECT_NEAR(ComputeDeltaT(1500, 1, 1), 275.596, 0.0005);
    EXPECT_NEAR(ComputeDeltaT(2050, 1, 1), 140.83, 0.005);
    EXPECT_NEAR(ComputeDeltaT(500, 1, 1), 31 * 13.2 * 13.2, 1.0);  // 31 u^2, u = -13.2
    EXPECT_NEAR(ComputeDeltaT(2150, 1, 1), 102 + 102 * 1.5 + 25.3 * 2.25, 0.01);
}

// 1 January is already past the integer year, so these lie just beside the
// table's own values (-2.8 s for 1900 rising to -0.1 s; 121.0 s for 1620 falling).
TEST_F(ComputeDeltaTTest, JustPastTheTableYear) {
    double dt1900 = ComputeDeltaT(1900, 1, 1);
    EXPECT_GT(dt1900, -2.8);
    EXPECT_LT(dt1900, -2.79);
    double dt1620 = ComputeDeltaT(1620, 1, 1);
    EXPECT_LT(dt1620, 121.0);
    EXPECT_GT(dt1620, 120.9);
}

TEST_F(ComputeDeltaTTest, CurrentDeltaTServes2006To2049) {
    EXPECT_EQ(ComputeDeltaT(2006, 1, 1), kDefaultDeltaT);
    EXPECT_EQ(ComputeDeltaT(2049, 12, 31), kDefaultDeltaT);
    preferences.SetFloat(kPrefCurrentDeltaT, 69.5f);
    EXPECT_EQ(ComputeDeltaT(2006, 1, 1), 69.5);
    EXPECT_EQ(ComputeDeltaT(2025, 6, 15), 69.5);
    EXPECT_EQ(ComputeDeltaT(2049, 12, 31), 69.5);
    EXPECT_NEAR(ComputeDeltaT(2005, 12, 31), 64.9, 1e-12);
    EXPECT_NEAR(ComputeDeltaT(2050, 1, 1), 140.83, 0.005);
}

}  // namespace
