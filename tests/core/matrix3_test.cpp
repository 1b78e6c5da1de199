#include "core/matrix3.h"

#include <gtest/gtest.h>

#include <cmath>

#include "support/recording_services.h"

namespace {

const char kSingular[] = "Null derterminant, cannot compute inverse matrix";

// A textbook matrix with determinant 1 and an integer inverse (checked by hand:
// the product with its inverse is the identity).
const double kIntegerMatrix[9] = {1, 2, 3, 0, 1, 4, 5, 6, 0};
const double kIntegerInverse[9] = {-24, 18, 5, 20, -15, -4, -5, 4, 1};

void ExpectMatrixNear(const double* got, const double* want, double tol) {
    for (int i = 0; i < 9; ++i) EXPECT_NEAR(got[i], want[i], tol) << "element " << i;
}

TEST(Matrix3Determinant, KnownValues) {
    const double identity[9] = {1, 0, 0, 0, 1, 0, 0, 0, 1};
    const double diag[9] = {2, 0, 0, 0, 1, 0, 0, 0, -1};
    const double m[9] = {2, -3, 1, 2, 0, -1, 1, 4, 5};  // 2(0+4) + 3(10+1) + 1(8-0) = 49
    EXPECT_EQ(Matrix3Determinant(identity), 1.0);
    EXPECT_EQ(Matrix3Determinant(diag), -2.0);
    EXPECT_EQ(Matrix3Determinant(m), 49.0);
    EXPECT_EQ(Matrix3Determinant(kIntegerMatrix), 1.0);
}

TEST(Matrix3Adjugate, SameResultInPlace) {
    double separate[9];
    Matrix3Adjugate(separate, kIntegerMatrix);
    ExpectMatrixNear(separate, kIntegerInverse, 0.0);  // det 1: adjugate = inverse
    double inPlace[9];
    for (int i = 0; i < 9; ++i) inPlace[i] = kIntegerMatrix[i];
    Matrix3Adjugate(inPlace, inPlace);
    ExpectMatrixNear(inPlace, separate, 0.0);
}

TEST(Matrix3Inverse, InvertibleMatrices) {
    RecordingServices rec;
    const double identity[9] = {1, 0, 0, 0, 1, 0, 0, 0, 1};
    double out[9];
    EXPECT_EQ(Matrix3Inverse(identity, out), 1);
    ExpectMatrixNear(out, identity, 0.0);

    EXPECT_EQ(Matrix3Inverse(kIntegerMatrix, out), 1);
    ExpectMatrixNear(out, kIntegerInverse, 1e-15);

    // Negative determinant: the threshold applies to its absolute value.
    const double diag[9] = {2, 0, 0, 0, 1, 0, 0, 0, -1};
    const double diagInverse[9] = {0.5, 0, 0, 0, 1, 0, 0, 0, -1};
    EXPECT_EQ(Matrix3Inverse(diag, out), 1);
    ExpectMatrixNear(out, diagInverse, 0.0);

    // Determinant 1e-20 is at the threshold and still inverts.
    const double tiny[9] = {1e-10, 0, 0, 0, 1e-10, 0, 0, 0, 1};
    EXPECT_EQ(Matrix3Inverse(tiny, out), 1);
    EXPECT_NEAR(out[0], 1e10, 1e-5);
    EXPECT_NEAR(out[8], 1.0, 1e-15);
    EXPECT_TRUE(rec.messages.empty());
}

TEST(Matrix3Inverse, SingularMatrixShowsMessageOnceAndKeepsAdjugate) {
    RecordingServices rec;
    const double twoEqualRows[9] = {1, 2, 3, 1, 2, 3, 4, 5, 7};
    double out[9], adjugate[9];
    Matrix3Adjugate(adjugate, twoEqualRows);
    EXPECT_EQ(Matrix3Inverse(twoEqualRows, out), 0);
    ExpectMatrixNear(out, adjugate, 0.0);
    ASSERT_EQ(rec.messages.size(), 1u);
    EXPECT_EQ(rec.messages[0].text, kSingular);
    EXPECT_EQ(rec.messages[0].detail, "");

    const double belowThreshold[9] = {3e-10, 0, 0, 0, 3e-11, 0, 0, 0, 1};  // det 9e-21
    EXPECT_EQ(Matrix3Inverse(belowThreshold, out), 0);
    EXPECT_EQ(rec.messages.size(), 2u);
}

TEST(Matrix3MulVector, PermutationMatrix) {
    const double m[9] = {0, 1, 0, 0, 0, 1, 1, 0, 0};
    const double v[3] = {1, 2, 3};
    double out[3];
    Matrix3MulVector(m, v, out);
    EXPECT_EQ(out[0], 2.0);
    EXPECT_EQ(out[1], 3.0);
    EXPECT_EQ(out[2], 1.0);
}

TEST(Matrix3Multiply, RotationTimesTransposeIsIdentity) {
    const double a = 0.7, c = std::cos(a), s = std::sin(a);
    const double rot[9] = {c, -s, 0, s, c, 0, 0, 0, 1};
    const double rotT[9] = {c, s, 0, -s, c, 0, 0, 0, 1};
    const double identity[9] = {1, 0, 0, 0, 1, 0, 0, 0, 1};
    double out[9];
    Matrix3Multiply(rot, rotT, out);
    ExpectMatrixNear(out, identity, 1e-15);
}

TEST(Matrix3Multiply, OperandsAreNotCommuted) {
    // a = shear, b = permutation; a b and b a differ (worked by hand).
    const double a[9] = {1, 2, 0, 0, 1, 0, 0, 0, 1};
    const double b[9] = {0, 1, 0, 0, 0, 1, 1, 0, 0};
    const double ab[9] = {0, 1, 2, 0, 0, 1, 1, 0, 0};
    double out[9];
    Matrix3Multiply(a, b, out);
    ExpectMatrixNear(out, ab, 0.0);
    Matrix3Multiply(kIntegerMatrix, kIntegerInverse, out);
    const double identity[9] = {1, 0, 0, 0, 1, 0, 0, 0, 1};
    ExpectMatrixNear(out, identity, 0.0);
}

}  // namespace
