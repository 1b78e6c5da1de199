#include "core/brent.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "support/recording_services.h"

namespace {

// Every abscissa at which the searched function was evaluated.
std::vector<double> evaluations;

// The searched function F, recording where it is evaluated.
template <double (*F)(double)>
double Recorded(double x) {
    evaluations.push_back(x);
    return F(x);
}

double ParabolaAt2(double x) { return (x - 2.0) * (x - 2.0); }
double Identity(double x) { return x; }
double Negated(double x) { return -x; }
double SquareMinusTwo(double x) { return x * x - 2.0; }
double NoZero(double x) { return 1.0 + x * x; }
double ZeroAtOneHalf(double x) { return x - 0.5; }
double SignStep(double x) { return x < 0.5 ? -1.0 : 1.0; }  // changes sign at 0.5, never 0
double Cosine(double x) { return std::cos(x); }

class Brent : public ::testing::Test {
protected:
    void SetUp() override { evaluations.clear(); }
    bool AllEvaluationsWithin(double lo, double hi) const {
        for (double x : evaluations)
            if (x < lo || x > hi) return false;
        return true;
    }
};

TEST_F(Brent, MinimizeParabolaInEitherBracketOrder) {
    for (const double ends : {0.0, 5.0}) {
        evaluations.clear();
        double xmin = 0.0;
        const double fmin = BrentMinimize(&xmin, ends, 1.0, 5.0 - ends, 1e-8, Recorded<ParabolaAt2>);
        EXPECT_NEAR(xmin, 2.0, 1e-8);
        EXPECT_LT(fmin, 1e-15);
        EXPECT_LE(evaluations.size(), 7u);
    }
}

TEST_F(Brent, MinimizeCosineFindsPi) {
    double xmin = 0.0;
    const double fmin = BrentMinimize(&xmin, 2.0, 3.0, 4.5, 1e-9, Recorded<Cosine>);
    EXPECT_NEAR(xmin, M_PI, 1e-7);  // sqrt(machine epsilon) bounds a minimum's abscissa
    EXPECT_NEAR(fmin, -1.0, 1e-14);
}

TEST_F(Brent, MinimumAtBracketEndStaysInside) {
    double xmin = -1.0;
    BrentMinimize(&xmin, 0.0, 1.0, 5.0, 1e-8, Recorded<Identity>);
    EXPECT_NEAR(xmin, 0.0, 1e-9);
    EXPECT_TRUE(AllEvaluationsWithin(0.0, 5.0));
    evaluations.clear();
    BrentMinimize(&xmin, 0.0, 1.0, 5.0, 1e-8, Recorded<Negated>);
    EXPECT_NEAR(xmin, 5.0, 1e-7);
    EXPECT_TRUE(AllEvaluationsWithin(0.0, 5.0));
}

TEST_F(Brent, MinimizeWithZeroToleranceEnds) {
    double xmin = 0.0;
    BrentMinimize(&xmin, 0.0, 1.0, 5.0, 0.0, Recorded<Cosine>);
    EXPECT_NEAR(xmin, M_PI, 1e-7);
    EXPECT_LE(evaluations.size(), 101u);
}

TEST_F(Brent, MinimizeWithoutResultSlotSaysNullAndStillSearches) {
    RecordingServices rec;
    const double fmin = BrentMinimize(nullptr, 0.0, 1.0, 5.0, 1e-8, Recorded<ParabolaAt2>);
    EXPECT_LT(fmin, 1e-15);
    ASSERT_EQ(rec.messages.size(), 1u);
    EXPECT_EQ(rec.messages[0].text, "null");
    EXPECT_EQ(rec.messages[0].detail, "");
}

TEST_F(Brent, RootOfSquareMinusTwoInEitherOrder) {
    EXPECT_NEAR(BrentRoot(Recorded<SquareMinusTwo>, 0.0, 2.0, 1e-12), M_SQRT2, 1e-10);
    EXPECT_NEAR(BrentRoot(Recorded<SquareMinusTwo>, 2.0, 0.0, 1e-12), M_SQRT2, 1e-10);
    EXPECT_LE(evaluations.size(), 2u * 102u);
}

TEST_F(Brent, RootAtAnEndNeedsNoFurtherEvaluation) {
    EXPECT_EQ(BrentRoot(Recorded<ZeroAtOneHalf>, 0.0, 0.5, 1e-12), 0.5);
    EXPECT_EQ(evaluations.size(), 2u);
    evaluations.clear();
    EXPECT_EQ(BrentRoot(Recorded<ZeroAtOneHalf>, 0.5, 2.0, 1e-12), 0.5);
    EXPECT_EQ(evaluations.size(), 2u);
    EXPECT_EQ(evaluations[0], 0.5);  // f(x1) is evaluated first
}

TEST_F(Brent, RootWithoutZeroReportsNothing) {
    RecordingServices rec;
    const double x = BrentRoot(Recorded<NoZero>, -1.0, 1.0, 1e-12);
    EXPECT_LT(std::fabs(x), 0.5);  // drifts towards the least |f|
    EXPECT_TRUE(rec.messages.empty());
}

TEST_F(Brent, RootThatNeverConvergesGivesZeroAfterBoundedEvaluations) {
    // A negative tolerance can never be met, and f is never exactly 0.
    EXPECT_EQ(BrentRoot(Recorded<SignStep>, 0.0, 1.0, -1.0), 0.0);
    EXPECT_EQ(evaluations.size(), 102u);
}

}  // namespace
