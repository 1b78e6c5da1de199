#include "core/matrix3.h"

#include <gtest/gtest.h>

#include <cmath>

#include "support/recording_services.h"

namespace {

const double kIdentity[9] = {1, 0, 0, 0, 1, 0, 0, 0, 1};
// A textbook matrix with determinant 1 and an integer inverse (checked by hand:
// the product with its inverse is the identity).
const double kIntegerMatrix[9] = {1, 2, 3, 0, 1, 4, 5, 6, 0};
const double kIntegerInverse[9] = {-24, 18, 5, 20, -15, -4, -5, 4, 1};

void ExpectMatrixNear(const double* got, const double* want, double tol) {
    for (int i = 0; i < 9; ++i) EXPECT_NEAR(got[i], want[i], tol) << "element " << i;
}

// 2(0+4) + 3(10+1) + 1(8-0) = 49; the adjugate of a determinant-1 matrix is its inverse, also
// when written over its input.
TEST(Matrix3, DeterminantAndAdjugateInPlace) {
    const double m[9] = {2, -3, 1, 2, 0, -1, 1, 4, 5};
    EXPECT_EQ(Matrix3Determinant(m), 49.0);
    EXPECT_EQ(Matrix3Determinant(kIntegerMatrix), 1.0);
    double inPlace[9];
    for (int i = 0; i < 9; ++i) inPlace[i] = kIntegerMatrix[i];
    Matrix3Adjugate(inPlace, inPlace);
    ExpectMatrixNear(inPlace, kIntegerInverse, 0.0);
}

// The threshold 1e-20 applies to the absolute value of the determinant.
TEST(Matrix3Inverse, InvertibleMatrices) {
    RecordingServices rec;
    const double diag[9] = {2, 0, 0, 0, 1, 0, 0, 0, -1}, diagInverse[9] = {0.5, 0, 0, 0, 1, 0, 0, 0, -1};
    const double tiny[9] = {1e-10, 0, 0, 0, 1e-10, 0, 0, 0, 1}, tinyInverse[9] = {1e10, 0, 0, 0, 1e10, 0, 0, 0, 1};
    const double* cases[][2] = {{kIdentity, kIdentity}, {kIntegerMatrix, kIntegerInverse}, {diag, diagInverse},
                                {tiny, tinyInverse}};
    for (const auto& c : cases) {
        double out[9];
        EXPECT_EQ(Matrix3Inverse(c[0], out), 1);
        for (int i = 0; i < 9; ++i) EXPECT_NEAR(out[i], c[1][i], 1e-15 * std::fabs(c[1][i]) + 1e-15) << i;
    }
    EXPECT_TRUE(rec.messages.empty());
}

TEST(Matrix3Inverse, SingularMatrixShowsMessageOnceAndKeepsAdjugate) {
    RecordingServices rec;
    const double twoEqualRows[9] = {1, 2, 3, 1, 2, 3, 4, 5, 7};
    double out[9], adjugate[9];
    Matrix3Adjugate(adjugate, twoEqualRows);
    EXPECT_EQ(Matrix3Inverse(twoEqualRows, out), 0);
    ExpectMatrixNear(out, adjugate, 0.0);
    EXPECT_EQ(rec.Texts(), std::vector<std::string>{"Null derterminant, cannot compute inverse matrix"});
    EXPECT_EQ(rec.messages[0].detail, "");
    const double belowThreshold[9] = {3e-10, 0, 0, 0, 3e-11, 0, 0, 0, 1};  // det 9e-21
    EXPECT_EQ(Matrix3Inverse(belowThreshold, out), 0);
    EXPECT_EQ(rec.messages.size(), 2u);
}

// A permutation times (1, 2, 3); a rotation times its transpose; a shear times a permutation
// (worked by hand: a b, not b a).
TEST(Matrix3, ProductsKeepTheOperandOrder) {
    const double perm[9] = {0, 1, 0, 0, 0, 1, 1, 0, 0}, v[3] = {1, 2, 3};
    double out[9];
    Matrix3MulVector(perm, v, out);
    EXPECT_EQ(out[0], 2.0);
    EXPECT_EQ(out[1], 3.0);
    EXPECT_EQ(out[2], 1.0);
    const double c = std::cos(0.7), s = std::sin(0.7);
    const double rot[9] = {c, -s, 0, s, c, 0, 0, 0, 1}, rotT[9] = {c, s, 0, -s, c, 0, 0, 0, 1};
    Matrix3Multiply(rot, rotT, out);
    ExpectMatrixNear(out, kIdentity, 1e-15);
    const double shear[9] = {1, 2, 0, 0, 1, 0, 0, 0, 1}, shearPerm[9] = {0, 1, 2, 0, 0, 1, 1, 0, 0};
    Matrix3Multiply(shear, perm, out);
    ExpectMatrixNear(out, shearPerm, 0.0);
}

}  // namespace
