#include "ephemeris/lagrange.h"

#include <cmath>

namespace {

// Product over j != skip of (x - xs[j]).
double ProductWithout(double x, int n, const double* xs, int skip) {
    double p = 1.0;
    for (int j = 0; j < n; ++j)
        if (j != skip) p *= x - xs[j];
    return p;
}

}  // namespace

void ComputeLagrangeWeights(int n, const double* x, double* w) {
    for (int i = 0; i < n; ++i) w[i] = 1.0 / ProductWithout(x[i], n, x, i);
}

double EvalLagrange(double x, int n, const double* xs, const double* w, const double* ys) {
    if (n < 1) return 0.0;
    double all = ProductWithout(x, n, xs, -1);
    double sum = 0.0;
    for (int i = 0; i < n; ++i) {
        double d = x - xs[i];
        double basis = std::abs(d) > 1e-6 ? all / d : ProductWithout(x, n, xs, i);
        double c = w ? w[i] * basis : basis / ProductWithout(xs[i], n, xs, i);
        sum += ys[i] * c;
    }
    return sum;
}
