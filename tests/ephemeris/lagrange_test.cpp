#include "ephemeris/lagrange.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

// A quartic through five points is reproduced anywhere, with and without weights; no points
// give 0 and write no weight.
TEST(EvalLagrange, QuarticReproducedWithAndWithoutWeights) {
    auto quartic = [](double x) { return ((3 * x - 1) * x * x - 2) * x + 1; };
    const double xs[5] = {-1.0, -0.25, 0.5, 1.25, 2.0};
    double ys[5], w[5] = {42.0};
    ComputeLagrangeWeights(0, nullptr, w);
    EXPECT_EQ(w[0], 42.0);
    EXPECT_EQ(EvalLagrange(1.0, 0, nullptr, nullptr, nullptr), 0.0);
    for (int i = 0; i < 5; ++i) ys[i] = quartic(xs[i]);
    ComputeLagrangeWeights(5, xs, w);
    for (double x = -1.5; x <= 2.5; x += 0.0625) {
        EXPECT_NEAR(EvalLagrange(x, 5, xs, nullptr, ys), quartic(x), 1e-11) << x;
        EXPECT_NEAR(EvalLagrange(x, 5, xs, w, ys), quartic(x), 1e-11) << x;
    }
}

// At a node (and within 1e-6 of it) the node's value comes back without a division by zero,
// also for the eclipse caches' tiny steps (abscissae in Julian centuries, 6e-7 apart); a
// straight line through the nodes is reproduced between them.
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
    for (int i = 0; i < 5; ++i) ys[i] = 2.0 + 3.0 * (xs[i] - t0) / step;
    EXPECT_NEAR(EvalLagrange(t0 + 1.5 * step, 5, xs, nullptr, ys), 6.5, 1e-8);
    EXPECT_NEAR(EvalLagrange(t0 + 2.7 * step, 5, xs, w, ys), 10.1, 1e-8);
}

}  // namespace
