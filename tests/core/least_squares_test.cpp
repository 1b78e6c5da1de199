#include "core/least_squares.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

TEST(FitPolynomial, ExactAndOverdeterminedFits) {
    struct Case {
        std::vector<double> x, y, expected;
        double tol;
        const char* source;
    } cases[] = {
        {{0, 1, 2}, {1, 3, 7}, {1, 1, 1}, 1e-14, "square system through 1 + x + x^2"},
        {{0, 1, 2, 3, 4}, {2, 5, 8, 11, 14}, {2, 3}, 1e-14, "five points on 2 + 3x"},
        {{-4, -3, -2, -1, 0, 1, 2, 3, 4}, {-55, -20, -3, 2, 1, 0, 5, 22, 57}, {1, -2, 0, 1}, 1e-12,
         "nine points on t^3 - 2t + 1"},
        {{1, 2, 3, 4}, {6, 5, 7, 10}, {3.5, 1.4}, 1e-14, "textbook line fit: 3.5 + 1.4x"},
    };
    for (const Case& k : cases) {
        std::vector<double> coef(k.expected.size(), -99.0);
        ASSERT_EQ(FitPolynomial(k.x.data(), k.y.data(), coef.data(), static_cast<int>(k.x.size()),
                                static_cast<int>(coef.size())),
                  1)
            << k.source;
        for (std::size_t j = 0; j < coef.size(); ++j) EXPECT_NEAR(coef[j], k.expected[j], k.tol) << k.source << j;
    }
}

TEST(FitPolynomial, RefusedFitsLeaveCoefficientsUntouched) {
    const double y[3] = {1, 2, 3};
    for (double same : {0.0, 3.0}) {  // all x equal: the second column is a multiple of the first
        const double x[3] = {same, same, same};
        double coef[2] = {-99, -99};
        EXPECT_EQ(FitPolynomial(x, y, coef, 3, 2), 0);
        EXPECT_EQ(coef[0], -99);
        EXPECT_EQ(coef[1], -99);
    }
    const double x[3] = {0, 1, 2};
    double coef[4] = {-99, -99, -99, -99};
    EXPECT_EQ(FitPolynomial(x, y, coef, 3, 4), 0);   // more coefficients than points
    EXPECT_EQ(FitPolynomial(x, y, coef, 3, 0), 0);   // nothing to fit
    EXPECT_EQ(FitPolynomial(x, y, coef, 3, -2), 0);  // a negative count
    for (double c : coef) EXPECT_EQ(c, -99);
}

TEST(SolveLeastSquares, ConstantFitGivesMeanAndResidual) {
    double a[3] = {1, 1, 1};
    double b[3] = {1, 2, 3};
    int status = 5;
    EXPECT_NEAR(SolveLeastSquares(a, b, 3, 1, &status), 2.0, 1e-14);  // (1-2)^2 + 0 + (3-2)^2
    EXPECT_EQ(status, 0);
    EXPECT_NEAR(b[0], 2.0, 1e-14);
}

TEST(SolveLeastSquares, LineFitResidualSumOfSquares) {
    // (1,6), (2,5), (3,7), (4,10): residuals 1.1, -1.3, -0.7, 0.9, sum of squares 4.2.
    double a[8] = {1, 1, 1, 2, 1, 3, 1, 4};
    double b[4] = {6, 5, 7, 10};
    int status = 5;
    EXPECT_NEAR(SolveLeastSquares(a, b, 4, 2, &status), 4.2, 1e-13);
    EXPECT_EQ(status, 0);
}

TEST(SolveLeastSquares, SquareSystemHasZeroResidual) {
    double a[4] = {2, 1, 1, 3};
    double b[2] = {3, 5};  // x = 0.8, y = 1.4
    int status = 5;
    EXPECT_EQ(SolveLeastSquares(a, b, 2, 2, &status), 0.0);
    EXPECT_EQ(status, 0);
    EXPECT_NEAR(b[0], 0.8, 1e-15);
    EXPECT_NEAR(b[1], 1.4, 1e-15);
}

TEST(SolveLeastSquares, FewerRowsThanColumnsTouchesNothing) {
    double a[2] = {1, 2};
    double b[1] = {3};
    int status = 7;
    EXPECT_EQ(SolveLeastSquares(a, b, 1, 2, &status), -1.0);
    EXPECT_EQ(a[0], 1);
    EXPECT_EQ(a[1], 2);
    EXPECT_EQ(b[0], 3);
    EXPECT_EQ(status, 7);
}

TEST(BackSubstitute, UpperTriangle) {
    const double r[4] = {2, 1, 123, 4};  // the element below the diagonal is not read
    double b[2] = {5, 8};
    EXPECT_EQ(BackSubstitute(r, b, 2), 0);
    EXPECT_EQ(b[1], 2.0);
    EXPECT_EQ(b[0], 1.5);
}

TEST(BackSubstitute, ZeroMatrixIsSingularNotInfinite) {
    const double r[4] = {0, 0, 0, 0};
    double b[2] = {1, 1};
    EXPECT_EQ(BackSubstitute(r, b, 2), -1);
    double a[4] = {0, 0, 0, 0};
    double rhs[2] = {1, 1};
    int status = 5;
    SolveLeastSquares(a, rhs, 2, 2, &status);
    EXPECT_EQ(status, -1);
}

TEST(FitPolynomial, EqualAbscissaeAreSingularWhateverTheirValue) {
    // Rounding leaves a diagonal element of about 1e-16 for the dependent
    // column, above 1e-16 times the largest diagonal element for x = 3.
    for (double same : {0.1, 1.5, 3.0, -3.0, 7.0, 100.0, 12345.678}) {
        for (int points = 3; points <= 12; ++points) {
            for (int coefficients = 2; coefficients <= 3; ++coefficients) {
                std::vector<double> x(points, same), y(points), coef(coefficients, -99.0);
                for (int i = 0; i < points; ++i) y[i] = i;
                EXPECT_EQ(FitPolynomial(x.data(), y.data(), coef.data(), points, coefficients), 0)
                    << same << " " << points << " " << coefficients;
            }
        }
    }
}

TEST(BackSubstitute, TinyDiagonalIsSingular) {
    const double r[4] = {1, 0, 0, 1e-17};
    double b[2] = {1, 1};
    EXPECT_EQ(BackSubstitute(r, b, 2), -1);
}

}  // namespace
