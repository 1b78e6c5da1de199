// The visibility model against a transcription of it made apart from the
// program (scripts/reference/visibility_model.py) and against values worked
// by hand from its tables.
#include "objects/visibility.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "support/reference_table.h"

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// 3.7 + 5 log10 D and 3.375 inches of aperture rounded: 200 mm is 7.874 in.
TEST(Visibility, ScopeLimits) {
    const struct {
        double aperture, limit;
        int minPower;
    } cases[] = {{200, 15.205150, 27}, {100, 13.7, 13}};
    for (const auto& c : cases) {
        double limit = 0;
        int minPower = 0;
        EXPECT_EQ(ComputeScopeLimits(c.aperture, &limit, &minPower), c.minPower);
        EXPECT_EQ(minPower, c.minPower);
        EXPECT_NEAR(limit, c.limit, 1e-6) << c.aperture;
    }
}

// Nodes of the table, the rows 26 and 27 extended to 30, row 4 below it,
// column 1 below its abscissa, columns 6 and 7 extended to 1000'.
TEST(Visibility, ThresholdContrastByTheTable) {
    const struct {
        double angle, background, logThreshold;
    } cases[] = {
        {std::pow(10.0, 0.9859), 20.0, 0.206},
        {0.1, 30.0, 4.61 + 3 * (4.61 - 4.221)},
        {0.1, 2.0, -0.376911},
        {1000.0, 20.0, -1.137 + (3.0 - 2.0828) / (2.5563 - 2.0828) * (-1.362 + 1.137)},
        {std::pow(10.0, 1.5), 20.5, 0.5 * ((-0.321 + (1.5 - 1.2601) / (1.7419 - 1.2601) * (-0.88 + 0.321)) +
                                          (-0.13774 + (1.5 - 1.2601) / (1.7419 - 1.2601) * (-0.736142 + 0.13774)))},
    };
    for (const auto& c : cases)
        EXPECT_NEAR(std::log10(ThresholdContrast(c.angle, c.background)), c.logThreshold, 1e-9)
            << c.angle << " " << c.background;
}

// 10^1.62 at 20; 10^(0.97 + 2/5 x 0.04) in the gap between 4 and 9; above
// 27 the last segment extended, and never more than 360'.
TEST(Visibility, OptimumVisualAngle) {
    const struct {
        double background, angle;
    } cases[] = {{20, 41.686938}, {6, 9.682779}, {2, 9.332543}, {27, 117.489755}, {40, 360}};
    for (const auto& c : cases) EXPECT_NEAR(OptimumVisualAngle(c.background), c.angle, 1e-6) << c.background;
}

// Every row of the independent transcription: the same power, the rating to 1e-6.
TEST(Visibility, RatingsAgreeWithTheTranscription) {
    ReferenceTable t = ReadReferenceTable(ZENDAVORI_SOURCE_DIR, "visibility_model.csv");
    ASSERT_GE(t.rows.size(), 40u);
    for (std::size_t i = 0; i < t.rows.size(); ++i) {
        int power = -1;
        double rating = kNaN;
        RateObjectVisibility(t.Get(i, "aperture"), t.Get(i, "focal"), t.Get(i, "sky"), t.Get(i, "mag"), t.Get(i, "a"),
                             t.Get(i, "b"), &power, &rating);
        EXPECT_EQ(power, static_cast<int>(t.Get(i, "power"))) << "row " << i;
        EXPECT_NEAR(rating, t.Get(i, "rating"), 1e-6) << "row " << i;
    }
}

// Inputs that give no rating: no size, fainter than the telescope's limit
// (15.2 at 200 mm), a value that is not a finite number.
TEST(Visibility, DegenerateInputsRateZero) {
    const struct {
        const char* what;
        double mag, a, b, sky;
    } cases[] = {
        {"no size", 8.8, 0.0, 1.0, 22}, {"negative size", 8.8, -3.0, 1.0, 22}, {"magnitude 16", 16.0, 1.4, 1.0, 22},
        {"size NaN", 8.8, kNaN, 1.0, 22}, {"second size NaN", 8.8, 1.4, kNaN, 22},
        {"magnitude NaN", kNaN, 1.4, 1.0, 22}, {"sky infinite", 8.8, 1.4, 1.0, HUGE_VAL},
    };
    for (const auto& c : cases) {
        int power = -1;
        double rating = -1;
        RateObjectVisibility(200, 2000, c.sky, c.mag, c.a, c.b, &power, &rating);
        EXPECT_EQ(power, 0) << c.what;
        EXPECT_EQ(rating, 0.0) << c.what;
    }
}

// A 200 mm f/10 telescope: the power lies in [max(27, 40), min(300, 500)]
// for objects from 0.1' to 60'; at 100 mm f/100 the lower bound 0.02 F = 200
// passes the upper 1.5 D = 150, and the upper one wins.
TEST(Visibility, PowerStaysWithinTheTelescopesBounds) {
    for (double size : {0.1, 0.5, 2.0, 10.0, 60.0})
        for (double sky : {14.0, 22.0, 29.0}) {
            int power = 0;
            double rating = 0;
            RateObjectVisibility(200, 2000, sky, 8.0, size, 0, &power, &rating);
            EXPECT_GE(power, 40) << size << " " << sky;
            EXPECT_LE(power, 300) << size << " " << sky;
            RateObjectVisibility(100, 10000, sky, 8.0, size, 0, &power, &rating);
            EXPECT_EQ(power, 150) << size << " " << sky;
        }
}

// A pass that never settles (a magnification that is not a number) ends
// after its pass limit instead of hanging.
TEST(Visibility, BestPowerSearchEndsOnNaN) {
    BestPower best = FindBestPower(kNaN, 1.0, 200, 40, 300, 10.0);
    EXPECT_EQ(best.power, 40);
    best = FindBestPower(22.0, 1.0, -200, 40, 300, 10.0);
    EXPECT_GE(best.power, 40);
}

// The words by the rating in single precision; the ends of each class belong
// to the class below.
TEST(Visibility, DifficultyWords) {
    const struct {
        float rating;
        const char* word;
    } cases[] = {{-3.0f, "Too faint"},     {0.5f, "Too faint"},   {0.5000001f, "Very difficult"},
                 {1.0f, "Very difficult"}, {1.2f, "Difficult"},  {1.5f, "Difficult"},
                 {2.0f, "Easy"},           {2.01f, "Very easy"}, {std::numeric_limits<float>::quiet_NaN(), ""}};
    for (const auto& c : cases) EXPECT_STREQ(DifficultyWord(DifficultyClass(c.rating)), c.word) << c.rating;
    // 2 + 1e-9 is 2.0 in single precision: still "Easy".
    EXPECT_STREQ(DifficultyWord(DifficultyClass(static_cast<float>(2.0 + 1e-9))), "Easy");
}

}  // namespace
