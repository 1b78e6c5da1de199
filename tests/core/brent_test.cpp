#include "core/brent.h"

#include <gtest/gtest.h>

#include <algorithm>
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
};

TEST_F(Brent, MinimizeFindsTheMinimumInsideTheBracket) {
    const struct Case { double (*f)(double); double a, c, tol, xmin, xtol; std::size_t maxEvaluations; } cases[] = {
        {Recorded<ParabolaAt2>, 0.0, 5.0, 1e-8, 2.0, 1e-8, 7},  {Recorded<ParabolaAt2>, 5.0, 0.0, 1e-8, 2.0, 1e-8, 7},
        {Recorded<Identity>, 0.0, 5.0, 1e-8, 0.0, 1e-9, 101},   {Recorded<Negated>, 0.0, 5.0, 1e-8, 5.0, 1e-7, 101},
        {Recorded<Cosine>, 0.0, 5.0, 0.0, M_PI, 1e-7, 101},     // a zero tolerance still ends
    };
    for (const Case& k : cases) {
        evaluations.clear();
        double xmin = -1.0;
        BrentMinimize(&xmin, k.a, 1.0, k.c, k.tol, k.f);
        EXPECT_NEAR(xmin, k.xmin, k.xtol) << k.a << ' ' << k.xmin;
        EXPECT_LE(evaluations.size(), k.maxEvaluations);
        for (double x : evaluations) EXPECT_TRUE(x >= 0.0 && x <= 5.0) << x;
    }
}

TEST_F(Brent, MinimizeWithoutResultSlotSaysNullAndStillSearches) {
    RecordingServices rec;
    EXPECT_LT(BrentMinimize(nullptr, 0.0, 1.0, 5.0, 1e-8, Recorded<ParabolaAt2>), 1e-15);
    EXPECT_EQ(rec.Texts(), std::vector<std::string>{"null"});
}

TEST_F(Brent, RootOfSquareMinusTwoInEitherOrder) {
    EXPECT_NEAR(BrentRoot(Recorded<SquareMinusTwo>, 0.0, 2.0, 1e-12), M_SQRT2, 1e-10);
    EXPECT_NEAR(BrentRoot(Recorded<SquareMinusTwo>, 2.0, 0.0, 1e-12), M_SQRT2, 1e-10);
}

// With the ends' values given, the same root and the same steps inside the
// bracket, without the two evaluations at its ends.
TEST_F(Brent, RootFromKnownEndsEvaluatesOnlyInside) {
    const double root = BrentRoot(Recorded<SquareMinusTwo>, 0.0, 2.0, 1e-12);
    const std::vector<double> inside(evaluations.begin() + 2, evaluations.end());
    evaluations.clear();
    EXPECT_EQ(BrentRootFrom(Recorded<SquareMinusTwo>, 0.0, -2.0, 2.0, 2.0, 1e-12), root);
    EXPECT_EQ(evaluations, inside);
}

TEST_F(Brent, RootAtAnEndNeedsNoFurtherEvaluation) {
    EXPECT_EQ(BrentRoot(Recorded<ZeroAtOneHalf>, 0.0, 0.5, 1e-12), 0.5);
    EXPECT_EQ(BrentRoot(Recorded<ZeroAtOneHalf>, 0.5, 2.0, 1e-12), 0.5);
    EXPECT_EQ(evaluations, (std::vector<double>{0.0, 0.5, 0.5, 2.0}));
}

TEST_F(Brent, RootWithoutZeroReportsNothing) {
    RecordingServices rec;
    EXPECT_LT(std::fabs(BrentRoot(Recorded<NoZero>, -1.0, 1.0, 1e-12)), 0.5);  // drifts towards the least |f|
    EXPECT_TRUE(rec.messages.empty());
}

TEST_F(Brent, RootThatNeverConvergesGivesZeroAfterBoundedEvaluations) {
    // A negative tolerance can never be met, and f is never exactly 0.
    EXPECT_EQ(BrentRoot(Recorded<SignStep>, 0.0, 1.0, -1.0), 0.0);
    EXPECT_EQ(evaluations.size(), 102u);
}

}  // namespace
