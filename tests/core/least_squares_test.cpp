#include "core/least_squares.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

TEST(FitPolynomial, ExactAndOverdeterminedFits) {
    struct Case { std::vector<double> x, y, expected; double tol; const char* source; } cases[] = {
        {{0, 1, 2}, {1, 3, 7}, {1, 1, 1}, 1e-14, "square system through 1 + x + x^2"},
        {{0, 1, 2, 3, 4}, {2, 5, 8, 11, 14}, {2, 3}, 1e-14, "five points on 2 + 3x"},
        {{-4, -3, -2, -1, 0, 1, 2, 3, 4}, {-55, -20, -3, 2, 1, 0, 5, 22, 57}, {1, -2, 0, 1}, 1e-12,
         "nine points on t^3 - 2t + 1"},
        {{1, 2, 3, 4}, {6, 5, 7, 10}, {3.5, 1.4}, 1e-14, "textbook line fit: 3.5 + 1.4x"},
    };
    for (const Case& k : cases) {
        std::vector<double> coef(k.expected.size(), -99.0);
        const int points = static_cast<int>(k.x.size()), n = static_cast<int>(coef.size());
        ASSERT_EQ(FitPolynomial(k.x.data(), k.y.data(), coef.data(), points, n), 1) << k.source;
        for (int j = 0; j < n; ++j) EXPECT_NEAR(coef[j], k.expected[j], k.tol) << k.source << j;
    }
}

// All x equal makes the second column a multiple of the first: rounding leaves a diagonal
// element of about 1e-16 for it, which must still count as singular whatever the value. Too
// many coefficients, none or a negative count are refused too; coef stays untouched.
TEST(FitPolynomial, EqualAbscissaeWhateverTheirValueAndBadCountsAreRefused) {
    for (double same : {0.0, 0.1, 3.0, -3.0, 12345.678}) {
        for (int points : {3, 7, 12}) {
            for (int n : {2, 3}) {
                std::vector<double> x(points, same), y(points), coef(n, -99.0);
                for (int i = 0; i < points; ++i) y[i] = i;
                EXPECT_EQ(FitPolynomial(x.data(), y.data(), coef.data(), points, n), 0) << same << ' ' << points;
                EXPECT_EQ(coef, std::vector<double>(n, -99.0));
            }
        }
    }
    const double x[3] = {0, 1, 2}, y[3] = {1, 2, 3};
    double coef[4] = {-99, -99, -99, -99};
    for (int n : {4, 0, -2}) EXPECT_EQ(FitPolynomial(x, y, coef, 3, n), 0) << n;
    for (double c : coef) EXPECT_EQ(c, -99);
}

// A constant fit gives the mean and the residual sum of squares (1 + 0 + 1); the line through
// (1,6), (2,5), (3,7), (4,10) leaves residuals 1.1, -1.3, -0.7, 0.9 (sum of squares 4.2); a
// square system x = 0.8, y = 1.4 leaves none.
TEST(SolveLeastSquares, SolutionsAndResidualSumOfSquares) {
    const struct Case { std::vector<double> a, b; int m, n; double rss; std::vector<double> solution; } cases[] = {
        {{1, 1, 1}, {1, 2, 3}, 3, 1, 2.0, {2.0}},
        {{1, 1, 1, 2, 1, 3, 1, 4}, {6, 5, 7, 10}, 4, 2, 4.2, {3.5, 1.4}},
        {{2, 1, 1, 3}, {3, 5}, 2, 2, 0.0, {0.8, 1.4}},
    };
    for (Case k : cases) {
        int status = 5;
        EXPECT_NEAR(SolveLeastSquares(k.a.data(), k.b.data(), k.m, k.n, &status), k.rss, 1e-13) << k.m;
        EXPECT_EQ(status, 0);
        for (int j = 0; j < k.n; ++j) EXPECT_NEAR(k.b[j], k.solution[j], 1e-14) << k.m << ' ' << j;
    }
}

TEST(SolveLeastSquares, FewerRowsThanColumnsTouchesNothing) {
    double a[2] = {1, 2}, b[1] = {3};
    int status = 7;
    EXPECT_EQ(SolveLeastSquares(a, b, 1, 2, &status), -1.0);
    EXPECT_EQ(a[0], 1);
    EXPECT_EQ(a[1], 2);
    EXPECT_EQ(b[0], 3);
    EXPECT_EQ(status, 7);
}

// An upper triangle is solved without reading below the diagonal; a zero or tiny diagonal
// reports the system singular instead of a success with infinities.
TEST(BackSubstitute, ZeroDiagonalIsSingularNotInfinite) {
    const double r[4] = {2, 1, 123, 4};
    double b[2] = {5, 8};
    EXPECT_EQ(BackSubstitute(r, b, 2), 0);
    EXPECT_EQ(b[0], 1.5);
    EXPECT_EQ(b[1], 2.0);
    const double zero[4] = {0, 0, 0, 0}, tiny[4] = {1, 0, 0, 1e-17};
    EXPECT_EQ(BackSubstitute(zero, b, 2), -1);
    EXPECT_EQ(BackSubstitute(tiny, b, 2), -1);
    double a[4] = {0, 0, 0, 0}, rhs[2] = {1, 1};
    int status = 5;
    SolveLeastSquares(a, rhs, 2, 2, &status);
    EXPECT_EQ(status, -1);
}

}  // namespace
