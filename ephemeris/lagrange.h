// Lagrange interpolation through n points (the eclipse Sun and Moon caches use five, the
// Saturn-moon position tables seven).
#pragma once

// Barycentric weights w[i] = 1 / prod over j != i of (x[i] - x[j]), i = 0..n-1. Nothing is
// written when n < 1. The abscissae must be distinct.
void ComputeLagrangeWeights(int n, const double* x, double* w);

// Value at x of the polynomial of degree n - 1 through (xs[i], ys[i]), i = 0..n-1; 0 when
// n < 1. With w (from ComputeLagrangeWeights) the denominators are taken from it, otherwise
// they are formed here. Within 1e-6 of a node the node's basis product is formed directly,
// without dividing by the small distance, so a node returns its value.
double EvalLagrange(double x, int n, const double* xs, const double* w, const double* ys);
