#include "ephemeris/lagrange.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

// A quartic through five points is reproduced exactly anywhere, with and without weights.
double Quartic(double x) { return ((3 * x - 1) * x * x - 2) * x + 1; }

TEST(ComputeLagrangeWeights, HandValues) {
    const double x[3] = {0, 1, 2};
    double w[3];
    ComputeLagrangeWeights(3, x, w);
    EXPECT_DOUBLE_EQ(w[0], 0.5);   // 1 / ((0-1)(0-2))
    EXPECT_DOUBLE_EQ(w[1], -1.0);  // 1 / ((1-0)(1-2))
    EXPECT_DOUBLE_EQ(w[2], 0.5);
}

TEST(ComputeLagrangeWeights, NoPointsWritesNothing) {
    double w[1] = {42.0};
    ComputeLagrangeWeights(0, nullptr, w);
    EXPECT_EQ(w[0], 42.0);
}

TEST(EvalLagrange, NoPointsGivesZero) { EXPECT_EQ(EvalLagrange(1.0, 0, nullptr, nullptr, nullptr), 0.0); }

TEST(EvalLagrange, QuarticReproducedWithAndWithoutWeights) {
    const double xs[5] = {-1.0, -0.25, 0.5, 1.25, 2.0};
    double ys[5], w[5];
    for (int i = 0; i < 5; ++i) ys[i] = Quartic(xs[i]);
    ComputeLagrangeWeights(5, xs, w);
    for (double x = -1.5; x <= 2.5; x += 0.0625) {
        EXPECT_NEAR(EvalLagrange(x, 5, xs, nullptr, ys), Quartic(x), 1e-11) << x;
        EXPECT_NEAR(EvalLagrange(x, 5, xs, w, ys), Quartic(x), 1e-11) << x;
    }
}

// At a node (and within 1e-6 of it) the node's value comes back without a division by zero;
// also for the eclipse caches' tiny steps (abscissae in Julian centuries, 6e-7 apart).
TEST(EvalLagrange, NodeReturnsItsValue) {
    const double t0 = 0.2417, step = 5.7e-7;
    double xs[5], ys[5], w[5];
    for (int i = 0; i < 5; ++i) {
        xs[i] = t0 + i * step;
        ys[i] = std::sin(1000 * i + 0.3);
    }
    ComputeLagrangeWeights(5, xs, w);
    for (int i = 0; i < 5; ++i) {
        EXPECT_NEAR(EvalLagrange(xs[i], 5, xs, nullptr, ys), ys[i], 1e-9) << i;
        EXPECT_NEAR(EvalLagrange(xs[i], 5, xs, w, ys), ys[i], 1e-9) << i;
        EXPECT_NEAR(EvalLagrange(xs[i] + 1e-9, 5, xs, nullptr, ys), ys[i], 1e-2) << i;
    }
    // A straight line through the nodes is reproduced between them.
    for (int i = 0; i < 5; ++i) ys[i] = 2.0 + 3.0 * (xs[i] - t0) / step;
    EXPECT_NEAR(EvalLagrange(t0 + 1.5 * step, 5, xs, nullptr, ys), 6.5, 1e-8);
    EXPECT_NEAR(EvalLagrange(t0 + 2.7 * step, 5, xs, w, ys), 10.1, 1e-8);
}

// Seven points (the Saturn-moon tables): sin x stays within the interpolation error bound
// |prod (x - xs[i])| / 7! (|sin^(7)| <= 1).
TEST(EvalLagrange, SevenPointsOfASine) {
    double xs[7], ys[7];
    for (int i = 0; i < 7; ++i) {
        xs[i] = 0.1 * i;
        ys[i] = std::sin(xs[i]);
    }
    for (double x = 0; x <= 0.6; x += 0.01) {
        double product = 1.0;
        for (double node : xs) product *= std::abs(x - node);
        double bound = product / 5040 + 1e-15;
        EXPECT_NEAR(EvalLagrange(x, 7, xs, nullptr, ys), std::sin(x), bound) << x;
    }
}

}  // namespace
