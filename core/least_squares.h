// Linear least squares by Householder QR decomposition, and polynomial fits.
//
// Matrices are doubles in row order: element (i, j) of an m x n matrix, both
// counted from 0, is at index i n + j. Work memory is allocated per call and
// freed before it returns; nothing is kept between calls.
// Golub and Van Loan, Matrix Computations, ch. 5 (Householder QR).
#pragma once

// Solves R x = b for the upper triangle of the first n rows of r (row stride n;
// the elements below the diagonal are not read); b (n values) receives x.
// Returns 0, or -1 for a singular system (b is then partly reduced and must not
// be used): a diagonal element below 1e-16 times the largest one, or not above
// 64 machine epsilons times the length of its column (rounding level: the
// column depends on the earlier ones), a zero diagonal element among them.
int BackSubstitute(const double* r, double* b, int n);

// Least-squares solution of the m x n system A x = b (m >= n), in place,
// columns taken in the given order (no pivoting, no scaling). On return with
// *status 0, b[0..n-1] is x and b[n..m-1] the transformed residuals; A holds R
// in its upper triangle. Returns the residual sum of squares (0 when m = n).
// *status is -1 for a singular system. With m < n (or n < 0) nothing is done
// and -1.0 is returned; when the work vector cannot be allocated *status is -1
// and -1.0 is returned, A and b untouched.
double SolveLeastSquares(double* a, double* b, int m, int n, int* status);

// Fits y = coef[0] + coef[1] x + coef[2] x^2 + ... (`coefficients` terms) to
// `points` samples by least squares. Returns 1 and fills coef, or 0 leaving
// coef untouched: more coefficients than points, fewer than one coefficient,
// no memory, or a singular system (for example all x equal).
int FitPolynomial(const double* x, const double* y, double* coef, int points, int coefficients);
