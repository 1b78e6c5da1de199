// Values derived from the preference words: zoom limits, chart flips, horizon,
// aperture and focal length. Expected values are the rows of the preference
// pages and the worked cases of the design.
#include <gtest/gtest.h>

#include <utility>

#include "core/preferences.h"
#include "core/shared_state.h"
#include "core/text_numbers.h"
#include "ui/preference_values.h"

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

// Start rows at 45 degrees (step 5) give stars 6.5 and objects 9; wide steps
// draw stars to 5; steps above 9 use step 9; negative steps have no limit.
TEST_F(PreferenceValuesTest, ZoomStepLimits) {
    EXPECT_EQ(Limits(5), std::make_pair(6.5f, 9.0f));
    for (int step = 0; step <= 4; ++step) EXPECT_EQ(Limits(step).first, 5.0f) << step;
    preferences.word[58] = 4;  // "<12"
    preferences.word[74] = 5;  // "<13"
    for (int step = 9; step <= 13; ++step) EXPECT_EQ(Limits(step), std::make_pair(12.0f, 13.0f)) << step;
    EXPECT_EQ(Limits(-1), std::make_pair(13.0f, 100.0f));
}

// Rows as page 4 shows them: "All" first, "Scope" and "Eyes" last.
TEST_F(PreferenceValuesTest, AllScopeAndEyesRowsOfEachStep) {
    const int objectRows[10] = {6, 6, 7, 8, 8, 8, 8, 8, 8, 8};
    const int starRows[5] = {7, 8, 8, 8, 7};
    for (int step = 0; step <= 9; ++step) {
        int& word = preferences.word[65 + step];
        for (auto [row, limit] : {std::pair{0, 100.0f}, {objectRows[step] - 2, 13.4f}, {objectRows[step] - 1, 6.1f}}) {
            word = row;
            EXPECT_EQ(Limits(step).second, limit) << step << " row " << row;
        }
        if (step < 5) continue;
        int& starWord = preferences.word[54 + step - 5];
        for (auto [row, limit] : {std::pair{starRows[step - 5] - 2, 13.4f}, {starRows[step - 5] - 1, 6.1f}}) {
            starWord = row;
            EXPECT_EQ(Limits(step).first, limit) << step << " row " << row;
        }
    }
}

// Words are checked at start only against wider ranges than their popups:
// horizon word 22 allows 0..7 for a 7-row list; rows past a zoom popup read
// as its nearest row.
TEST_F(PreferenceValuesTest, RowsPastTheirListsDoNotReadPastTheTables) {
    preferences.word[65] = 40;
    preferences.word[54] = -3;
    EXPECT_EQ(Limits(0).second, 6.1f);
    EXPECT_EQ(Limits(5).first, 5.0f);
    const int degrees[] = {0, 2, 4, 5, 6, 8, 10, 0};
    for (int row = 0; row < 8; ++row) {
        preferences.word[22] = row;
        EXPECT_EQ(GetHorizonAltitude(), degrees[row]) << row;
    }
}

TEST_F(PreferenceValuesTest, ChartFlipModes) {
    const int cases[][3] = {{0, 3, -4}, {1, 3, 4}, {2, -3, 4}, {3, -3, -4}};
    for (const auto& c : cases) {
        preferences.word[147] = c[0];
        int x = 3, y = -4;
        ApplyChartFlip(7, &x, &y);
        EXPECT_EQ(std::make_pair(x, y), std::make_pair(c[1], c[2])) << c[0];
    }
    preferences.word[149] = 2;  // zoom steps past 9 take word 149
    int x = 1, y = 1;
    ApplyChartFlip(13, &x, &y);
    EXPECT_EQ(std::make_pair(x, y), std::make_pair(-1, -1));
}

TEST_F(PreferenceValuesTest, ApertureFocalLengthAndSkyCondition) {
    for (auto [word, mm] : {std::pair{14, 304}, {300, 300}}) {
        preferences.word[13] = word;
        EXPECT_EQ(GetScopeApertureMm(), mm) << word;
    }
    const int focal[][3] = {{8, 6, 1660}, {200, 63, 1260}, {0, 11, 750}};
    for (const auto& c : focal) {
        preferences.word[13] = c[0];
        preferences.word[14] = c[1];
        EXPECT_EQ(GetScopeFocalLengthMm(), c[2]) << c[0] << " " << c[1];
    }
    const int values[] = {14, 19, 22, 24, 29};
    for (int c = 0; c < 5; ++c) {
        currentSite.skyCondition = static_cast<int16_t>(c);
        EXPECT_EQ(GetSkyConditionValue(), values[c]);
    }
}

}  // namespace
