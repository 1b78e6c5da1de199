// Double-precision 3x3 matrices and 3-vectors.
//
// A matrix is nine doubles in row order: element (row r, column c), both
// counted from 0, is at index 3r + c. A vector is three doubles read as a
// column. The caller owns every array; nothing is allocated and nothing is
// kept between calls. Units and frames are the caller's.
#pragma once

// Determinant of m, expanded along the first row.
double Matrix3Determinant(const double m[9]);

// Writes the adjugate of m (the transpose of its cofactor matrix) into out.
// All of m is read before out is written, so out may be the same array as m.
void Matrix3Adjugate(double out[9], const double m[9]);

// Writes the inverse of m into out and returns 1. When |det m| is below
// 9.999999682655225e-21 (1e-20 in single precision) it shows "Null derterminant,
// cannot compute inverse matrix", leaves the unscaled adjugate in out and
// returns 0. out must not be m. A NaN determinant passes the test and gives a
// NaN inverse with result 1.
int Matrix3Inverse(const double m[9], double out[9]);

// out = m v. out must not overlap m or v.
void Matrix3MulVector(const double m[9], const double v[3], double out[3]);

// out = a b (a on the left). out must not overlap a or b.
void Matrix3Multiply(const double a[9], const double b[9], double out[9]);
