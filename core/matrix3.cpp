#include "core/matrix3.h"

#include <cmath>

#include "core/services.h"

double Matrix3Determinant(const double m[9]) {
    return ((m[4] * m[8] - m[5] * m[7]) * m[0] - (m[3] * m[8] - m[6] * m[5]) * m[1]) +
           (m[3] * m[7] - m[6] * m[4]) * m[2];
}

void Matrix3Adjugate(double out[9], const double m[9]) {
    const double m00 = m[0], m01 = m[1], m02 = m[2];
    const double m10 = m[3], m11 = m[4], m12 = m[5];
    const double m20 = m[6], m21 = m[7], m22 = m[8];
    out[0] = m11 * m22 - m21 * m12;
    out[1] = -(m01 * m22 - m21 * m02);
    out[2] = m12 * m01 - m11 * m02;
    out[3] = -(m10 * m22 - m20 * m12);
    out[4] = m00 * m22 - m20 * m02;
    out[5] = -(m00 * m12 - m10 * m02);
    out[6] = m10 * m21 - m20 * m11;
    out[7] = -(m00 * m21 - m20 * m01);
    out[8] = m00 * m11 - m10 * m01;
}

int Matrix3Inverse(const double m[9], double out[9]) {
    Matrix3Adjugate(out, m);
    const double det = Matrix3Determinant(m);
    if (std::fabs(det) < 9.999999682655225e-21) {
        ShowInformation("Null derterminant, cannot compute inverse matrix", "");
        return 0;
    }
    const double inv = 1.0 / det;
    for (int i = 0; i < 9; ++i) out[i] *= inv;
    return 1;
}

void Matrix3MulVector(const double m[9], const double v[3], double out[3]) {
    for (int r = 0; r < 3; ++r) out[r] = m[3 * r] * v[0] + m[3 * r + 1] * v[1] + m[3 * r + 2] * v[2];
}

void Matrix3Multiply(const double a[9], const double b[9], double out[9]) {
    for (int r = 0; r < 3; ++r) {
        for (int c = 0; c < 3; ++c) {
            double& e = out[3 * r + c];
            e = 0.0;
            for (int k = 0; k < 3; ++k) e += a[3 * r + k] * b[3 * k + c];
        }
    }
}
