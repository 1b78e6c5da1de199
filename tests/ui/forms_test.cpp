// The form history: pushes, pops and the previous form.
#include "ui/forms.h"

#include <gtest/gtest.h>

#include <array>

#include "core/preferences.h"

namespace {

std::array<int, kFormHistorySize> History() {
    std::array<int, kFormHistorySize> h{};
    for (int i = 0; i < kFormHistorySize; ++i) h[static_cast<std::size_t>(i)] = formHistory[i];
    return h;
}

class FormHistory : public ::testing::Test {
protected:
    void SetUp() override {
        ResetForms();
        PushFormHistory(1950);
    }
    void TearDown() override { ResetForms(); }
};

TEST_F(FormHistory, HomeFillsEveryEntry) {
    PushFormHistory(1800);
    PushFormHistory(1950);
    EXPECT_EQ(History(), (std::array<int, 7>{1950, 1950, 1950, 1950, 1950, 1950, 1950}));
    EXPECT_EQ(preferences.word[kPrefLastForm], 1950);
}

TEST_F(FormHistory, NewFormsBecomeTheNewestEntryAndEntryZeroStays) {
    for (int form : {1800, 1900, 2450, 6000, 2460, 2600, 2700}) PushFormHistory(form);
    EXPECT_EQ(History(), (std::array<int, 7>{1950, 1900, 2450, 6000, 2460, 2600, 2700}));
    EXPECT_EQ(GetPreviousFormId(), 2600);
    EXPECT_EQ(preferences.word[kPrefLastForm], 2700);
}

// A form already in the history changes nothing; by the history's own rule the
// form before A, B, A is then entry 5, which is A itself (the stated
// expectation "the form before A" does not follow from the rule).
TEST_F(FormHistory, AFormAlreadyPresentChangesNothing) {
    PushFormHistory(1800);
    PushFormHistory(1900);
    PushFormHistory(1800);
    EXPECT_EQ(History(), (std::array<int, 7>{1950, 1950, 1950, 1950, 1950, 1800, 1900}));
    EXPECT_EQ(GetPreviousFormId(), 1800);
    EXPECT_EQ(preferences.word[kPrefLastForm], 1800);
}

TEST_F(FormHistory, PopShiftsTowardsTheNewestAndRefillsWithHome) {
    for (int form : {1800, 1900, 2450}) PushFormHistory(form);
    PopFormHistory();
    EXPECT_EQ(History(), (std::array<int, 7>{1950, 1950, 1950, 1950, 1950, 1800, 1900}));
    EXPECT_EQ(GetPreviousFormId(), 1800);
    for (int i = 0; i < 7; ++i) PopFormHistory();
    EXPECT_EQ(GetPreviousFormId(), 1950);  // back from anywhere ends at the home form
}

}  // namespace
