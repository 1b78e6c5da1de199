// Values derived from the preference words: zoom limits, chart flips, horizon,
// aperture and focal length. Expected values are the rows of the preference
// pages and the worked cases of the design.
#include <gtest/gtest.h>

#include "app/preference_values.h"
#include "core/preferences.h"
#include "core/shared_state.h"
#include "core/text_numbers.h"

namespace {

class PreferenceValuesTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetSharedState();
        for (int w = 54; w <= 58; ++w) preferences.word[w] = 2;  // start values of the page 4 rows
        for (int w = 65; w <= 74; ++w) preferences.word[w] = 3;
        selectionCriteria.scopeLimit = 13.4f;
        selectionCriteria.eyeLimit = 6.1f;
    }
    static std::pair<float, float> Limits(int step) {
        float star = 0, object = 0;
        GetZoomMagnitudeLimits(step, &star, &object);
        return {star, object};
    }
};

TEST_F(PreferenceValuesTest, StartRowsAt45DegreesGiveStars65AndObjects9) {
    EXPECT_EQ(Limits(5), std::make_pair(6.5f, 9.0f));
}

TEST_F(PreferenceValuesTest, StepsAbove9UseStep9AndNegativeStepsHaveNoLimit) {
    preferences.word[58] = 4;  // "<12"
    preferences.word[74] = 5;  // "<13"
    for (int step = 9; step <= 13; ++step) EXPECT_EQ(Limits(step), std::make_pair(12.0f, 13.0f)) << step;
    EXPECT_EQ(Limits(-1), std::make_pair(13.0f, 100.0f));
}

TEST_F(PreferenceValuesTest, WideStepsDrawStarsTo5) {
    for (int step = 0; step <= 4; ++step) EXPECT_EQ(Limits(step).first, 5.0f) << step;
}

// Rows as page 4 shows them: "All" first, "Scope" and "Eyes" last.
TEST_F(PreferenceValuesTest, AllScopeAndEyesRowsOfEachStep) {
    const int objectRows[10] = {6, 6, 7, 8, 8, 8, 8, 8, 8, 8};
    const int starRows[5] = {7, 8, 8, 8, 7};
    for (int step = 0; step <= 9; ++step) {
        preferences.word[65 + step] = 0;
        EXPECT_EQ(Limits(step).second, 100.0f) << step;
        preferences.word[65 + step] = objectRows[step] - 2;
        EXPECT_EQ(Limits(step).second, 13.4f) << step;
        preferences.word[65 + step] = objectRows[step] - 1;
        EXPECT_EQ(Limits(step).second, 6.1f) << step;
    }
    for (int step = 5; step <= 9; ++step) {
        preferences.word[54 + step - 5] = starRows[step - 5] - 2;
        EXPECT_EQ(Limits(step).first, 13.4f) << step;
        preferences.word[54 + step - 5] = starRows[step - 5] - 1;
        EXPECT_EQ(Limits(step).first, 6.1f) << step;
    }
}

TEST_F(PreferenceValuesTest, RowPastThePopupDoesNotReadPastTheTable) {
    preferences.word[65] = 40;
    preferences.word[54] = -3;
    EXPECT_EQ(Limits(0).second, 6.1f);
    EXPECT_EQ(Limits(5).first, 5.0f);
}

TEST_F(PreferenceValuesTest, ChartFlipModes) {
    struct Case {
        int mode, x, y;
    } cases[] = {{0, 3, -4}, {1, 3, 4}, {2, -3, 4}, {3, -3, -4}};
    for (const Case& c : cases) {
        preferences.word[147] = c.mode;
        int x = 3, y = -4;
        ApplyChartFlip(7, &x, &y);
        EXPECT_EQ(x, c.x) << c.mode;
        EXPECT_EQ(y, c.y) << c.mode;
    }
    preferences.word[149] = 2;  // zoom steps past 9 take word 149
    int x = 1, y = 1;
    ApplyChartFlip(13, &x, &y);
    EXPECT_EQ(x, -1);
    EXPECT_EQ(y, -1);
}

TEST_F(PreferenceValuesTest, HorizonRows) {
    const int degrees[] = {0, 2, 4, 5, 6, 8, 10};
    for (int row = 0; row < 7; ++row) {
        preferences.word[22] = row;
        EXPECT_EQ(GetHorizonAltitude(), degrees[row]);
    }
}

// Word 22 is allowed 0..7 by the start check, one more than the list holds.
TEST_F(PreferenceValuesTest, HorizonRow7DoesNotReadPastTheList) {
    preferences.word[22] = 7;
    EXPECT_EQ(GetHorizonAltitude(), 0);
}

TEST_F(PreferenceValuesTest, ApertureAndFocalLength) {
    preferences.word[13] = 14;
    EXPECT_EQ(GetScopeApertureMm(), 304);
    preferences.word[13] = 300;
    EXPECT_EQ(GetScopeApertureMm(), 300);
    preferences.word[13] = 8;
    preferences.word[14] = 6;
    EXPECT_EQ(GetScopeFocalLengthMm(), 1660);
    preferences.word[13] = 200;
    preferences.word[14] = 63;
    EXPECT_EQ(GetScopeFocalLengthMm(), 1260);
    preferences.word[13] = 0;
    preferences.word[14] = 11;
    EXPECT_EQ(GetScopeFocalLengthMm(), 750);
}

TEST_F(PreferenceValuesTest, SkyCondition3Gives24) {
    const int values[] = {14, 19, 22, 24, 29};
    for (int c = 0; c < 5; ++c) {
        currentSite.skyCondition = static_cast<int16_t>(c);
        EXPECT_EQ(GetSkyConditionValue(), values[c]);
    }
}

}  // namespace
