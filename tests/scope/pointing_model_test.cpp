// Pointing-error model: entries made from known error terms by an independent
// writing of the classic mount model (scripts/reference/alignment_erfa.py)
// are fitted back.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <numbers>
#include <string>
#include <vector>

#include "core/preferences.h"
#include "core/shared_state.h"
#include "scope/pointing_model.h"
#include "support/recording_services.h"
#include "support/reference_table.h"

namespace {

constexpr double kDegToRad = std::numbers::pi / 180.0;

AlignmentStar Entry(double reading1, double reading2, double measured1, double measured2) {
    AlignmentStar e{};
    e.reading1 = reading1;
    e.reading2 = reading2;
    e.measured1 = measured1;
    e.measured2 = measured2;
    return e;
}

class PointingModelTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetSharedState();
        ResetPointingModel();
    }
    void TearDown() override { ResetPointingModel(); }
    static std::vector<AlignmentStar> Entries(const std::string& name) {
        ReferenceTable t = ReadReferenceTable(ZENDAVORI_SOURCE_DIR, "pointing_model_entries.csv");
        std::vector<AlignmentStar> entries;
        for (std::size_t i = 0; i < t.rows.size(); ++i)
            if (t.Text(i, "case") == name)
                entries.push_back(Entry(t.Get(i, "reading1"), t.Get(i, "reading2"), t.Get(i, "measured1"),
                                        t.Get(i, "measured2")));
        return entries;
    }
    static std::vector<double> Known(const std::string& name) {
        ReferenceTable t = ReadReferenceTable(ZENDAVORI_SOURCE_DIR, "pointing_model_coefficients.csv");
        for (std::size_t i = 0; i < t.rows.size(); ++i)
            if (t.Text(i, "case") == name) return {t.rows[i].begin() + 1, t.rows[i].end()};
        ADD_FAILURE() << "no coefficients for " << name;
        return std::vector<double>(7, 0.0);
    }
    // Fits a case and checks the coefficients and each entry's corrected position.
    static void ExpectFitRecovers(const std::string& name, int terms) {
        std::vector<AlignmentStar> entries = Entries(name);
        ASSERT_EQ(FitPointingModel(entries.data(), static_cast<int>(entries.size())), 0);
        EXPECT_EQ(pointingTermCount, terms);
        std::vector<double> known = Known(name);
        for (int i = 0; i < 7; ++i) EXPECT_NEAR(pointingCoefficients[i], known[i], 1e-9) << "term " << i + 1;
        EXPECT_EQ(pointingCoefficients[7], 0.0);
        for (const AlignmentStar& e : entries) {
            EXPECT_EQ(e.model1, e.corrected1);
            EXPECT_EQ(e.model2, e.corrected2);
            EXPECT_NEAR(e.corrected1, e.measured1, 1e-9);
            EXPECT_NEAR(e.corrected2, e.measured2, 1e-9);
        }
        EXPECT_LT(PointingModelResidual(entries.data(), static_cast<int>(entries.size())), 1e-9);
    }
    RecordingServices services;
};

// Ten stars give seven terms, three stars four; AZ rows also serve Encoder output.
TEST_F(PointingModelTest, FitRecoversTheTermsTheEntriesWereMadeFrom) {
    const struct {
        const char* name;
        int mountType;
        int terms;
    } cases[] = {{"az", 1, 7}, {"az", 2, 7}, {"eq3", 0, 4}, {"az3", 1, 4}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        preferences.word[kPrefMountType] = c.mountType;
        ResetPointingModel();
        ExpectFitRecovers(c.name, c.terms);
    }
}

// Term 7 has no equatorial row, so its column was all zeros and every
// equatorial fit of four stars or more failed as singular.
TEST_F(PointingModelTest, EquatorialSevenTermFitIsNotSingular) {
    preferences.word[kPrefMountType] = 0;
    ExpectFitRecovers("eq", 7);
}

// One or two entries: the mean offsets, 0.4 and -0.3 deg by hand; the term count is kept.
TEST_F(PointingModelTest, OneOrTwoEntriesGiveTheMeanOffsets) {
    preferences.word[kPrefMountType] = 1;
    pointingTermCount = 4;
    std::vector<AlignmentStar> entries = {Entry(10.0, 20.0, 10.5, 19.0), Entry(200.0, 50.0, 200.3, 50.4)};
    const struct {
        int count;
        double offset1, offset2;
    } cases[] = {{1, 0.5, -1.0}, {2, 0.4, -0.3}};
    for (const auto& c : cases) {
        pointingCoefficients[4] = 1.0;
        ASSERT_EQ(FitPointingModel(entries.data(), c.count), 0);
        EXPECT_EQ(pointingTermCount, 4);
        EXPECT_NEAR(pointingCoefficients[0], c.offset1 * kDegToRad, 1e-15);
        EXPECT_NEAR(pointingCoefficients[1], c.offset2 * kDegToRad, 1e-15);
        EXPECT_EQ(pointingCoefficients[4], 0.0);
        EXPECT_NEAR(entries[0].model1, 10.0 + c.offset1, 1e-12);
        EXPECT_NEAR(entries[0].corrected2, 20.0 + c.offset2, 1e-12);
    }
}

// Square root of the summed squares over the count: sqrt(9 + 16) / 2.
TEST_F(PointingModelTest, ResidualIsRootOfSumOverCount) {
    AlignmentStar off = Entry(0, 0, 3.0, 4.0), on = Entry(0, 0, 0, 0);
    std::vector<AlignmentStar> entries = {off, on};
    EXPECT_DOUBLE_EQ(PointingModelResidual(entries.data(), 2), 2.5);
    EXPECT_EQ(PointingModelResidual(entries.data(), 0), 0.0);
}

TEST_F(PointingModelTest, TooManyTermsAreRefused) {
    pointingTermCount = 9;
    double a = 12.0, b = 34.0;
    EXPECT_EQ(ApplyPointingModel(&a, &b), -1);
    EXPECT_EQ(services.Texts(), std::vector<std::string>{"Too much errors parameters"});
    EXPECT_EQ(a, 12.0);
    EXPECT_EQ(b, 34.0);
}

// An AZ entry on the horizon (1/sin 0) or an EQ entry at the pole (1/cos 90,
// tan 90) made every coefficient NaN: it is left out of the fit and its
// position stays uncorrected. With two usable entries of three, fewer
// equations than terms remain: a failure, every coefficient 0, entries untouched.
TEST_F(PointingModelTest, EntryWhereARowIsUndefinedIsLeftOutOfTheFit) {
    const struct {
        const char* name;
        int mountType;
        double theta;
    } cases[] = {{"az", 1, 0.0}, {"eq", 0, 90.0}, {"eq", 0, -90.0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        preferences.word[kPrefMountType] = c.mountType;
        std::vector<AlignmentStar> five = Entries(c.name);
        five.resize(5);
        ASSERT_EQ(FitPointingModel(five.data(), 5), 0);
        double expected[8];
        std::memcpy(expected, pointingCoefficients, sizeof expected);

        std::vector<AlignmentStar> six = five;
        six.push_back(Entry(45.0, c.theta, 45.5, c.theta + 0.5));
        ASSERT_EQ(FitPointingModel(six.data(), 6), 0);
        for (int i = 0; i < 8; ++i) EXPECT_NEAR(pointingCoefficients[i], expected[i], 1e-15) << i;
        EXPECT_EQ(six[5].model1, 45.0);
        EXPECT_EQ(six[5].model2, c.theta);
        double a = 45.0, b = c.theta;
        EXPECT_EQ(ApplyPointingModel(&a, &b), -1);
        EXPECT_EQ(a, 45.0);
        EXPECT_EQ(b, c.theta);
        EXPECT_TRUE(services.messages.empty());

        std::vector<AlignmentStar> two = {five[0], five[1], six[5]};
        two[0].model1 = -1.0;
        EXPECT_NE(FitPointingModel(two.data(), 3), 0);
        for (double coefficient : pointingCoefficients) EXPECT_EQ(coefficient, 0.0);
        EXPECT_EQ(two[0].model1, -1.0);
    }
}

}  // namespace
