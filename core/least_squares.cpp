#include "core/least_squares.h"

#include <cfloat>
#include <cmath>
#include <cstddef>
#include <memory>
#include <new>

namespace {

// Zero-filled work array of count doubles, or null when there is no memory.
std::unique_ptr<double[]> WorkArray(std::size_t count) {
    return std::unique_ptr<double[]>(new (std::nothrow) double[count]());
}

// Applies the Householder reflection that zeroes column k of A below the
// diagonal to the later columns and to b; u is work space of m - k doubles.
void ReflectColumn(double* a, double* b, int m, int n, int k, double* u) {
    const int rows = m - k;
    if (rows < 2) return;
    double sigma = 0.0;
    for (int i = 0; i < rows; ++i) {
        u[i] = a[(k + i) * n + k];
        sigma += u[i] * u[i];
    }
    if (!(sigma > 0.0)) return;
    const double akk = a[k * n + k];
    const double s = akk < 0.0 ? -std::sqrt(sigma) : std::sqrt(sigma);
    const double beta = 1.0 / (akk * s + sigma);
    u[0] += s;
    for (int j = k + 1; j < n; ++j) {
        double sum = 0.0;
        for (int i = 0; i < rows; ++i) sum += u[i] * a[(k + i) * n + j];
        const double g = beta * sum;
        for (int i = 0; i < rows; ++i) a[(k + i) * n + j] -= g * u[i];
    }
    a[k * n + k] = -s;
    double sum = 0.0;
    for (int i = 0; i < rows; ++i) sum += b[k + i] * u[i];
    const double g = beta * sum;
    for (int i = 0; i < rows; ++i) b[k + i] -= u[i] * g;
}

// Length of column i of the upper triangle (rows 0..i), which the orthogonal
// reflections keep equal to the length of the original column.
double ColumnLength(const double* r, int n, int i) {
    double sum = 0.0;
    for (int j = 0; j <= i; ++j) sum += r[j * n + i] * r[j * n + i];
    return std::sqrt(sum);
}

// A diagonal element no larger than the rounding error of its column's length:
// the column depends on the earlier ones (condition number above about 7e13).
constexpr double kRoundingLimit = 64.0 * DBL_EPSILON;

}  // namespace

int BackSubstitute(const double* r, double* b, int n) {
    double dmax = 0.0;
    for (int i = 0; i < n; ++i) {
        const double d = std::fabs(r[i * n + i]);
        if (d > dmax) dmax = d;
    }
    const double tol = 1e-16 * dmax;
    for (int i = n - 1; i >= 0; --i) {
        for (int j = i + 1; j < n; ++j) b[i] -= r[i * n + j] * b[j];
        const double d = r[i * n + i];
        // The relative test 1e-16 dmax lies below rounding error, so a dependent
        // column is also caught by its length; a zero column is singular even
        // when every diagonal element is 0.
        if (std::fabs(d) < tol || std::fabs(d) <= kRoundingLimit * ColumnLength(r, n, i)) return -1;
        b[i] /= d;
    }
    return 0;
}

double SolveLeastSquares(double* a, double* b, int m, int n, int* status) {
    if (m < n || n < 0) return -1.0;
    std::unique_ptr<double[]> u = WorkArray(static_cast<std::size_t>(m));
    if (!u) {
        *status = -1;
        return -1.0;
    }
    for (int k = 0; k < n; ++k) ReflectColumn(a, b, m, n, k, u.get());
    *status = BackSubstitute(a, b, n);
    double residual = 0.0;
    for (int i = n; i < m; ++i) residual += b[i] * b[i];
    return residual;
}

int FitPolynomial(const double* x, const double* y, double* coef, int points, int coefficients) {
    if (coefficients > points || coefficients < 1) return 0;
    const std::size_t rows = static_cast<std::size_t>(points), columns = static_cast<std::size_t>(coefficients);
    std::unique_ptr<double[]> a = WorkArray(rows * columns);
    std::unique_ptr<double[]> b = WorkArray(rows);
    if (!a || !b) return 0;
    for (std::size_t i = 0; i < rows; ++i) {
        double* row = &a[i * columns];
        row[0] = 1.0;
        for (std::size_t j = 1; j < columns; ++j) row[j] = row[j - 1] * x[i];
        b[i] = y[i];
    }
    int status = -1;
    SolveLeastSquares(a.get(), b.get(), points, coefficients, &status);
    if (status != 0) return 0;
    for (std::size_t j = 0; j < columns; ++j) coef[j] = b[j];
    return 1;
}
