// Brent's methods in one variable: the least value of a function and a zero of
// a function. The function is a plain pointer (its context, if any, lives in
// the caller's module state); the abscissa is in the caller's unit (days for
// the ephemeris searches). Both searches end after a bounded number of
// evaluations. Brent, Algorithms for Minimization without Derivatives (1973).
#pragma once

using SearchFunction = double (*)(double);

// Least value of f in the bracket ax..cx (either order) around bx, where
// f(bx) < f(ax) and f(bx) < f(cx) (not checked). Parabolic interpolation with
// golden-section steps; stops when the bracket is within 2 (tol |x| + 1e-10)
// of the best point x, or after 100 iterations (at most 101 evaluations).
// Returns f at the best point and stores the point in *xmin; with a null xmin
// it shows "null", still searches, and stores nothing.
double BrentMinimize(double* xmin, double ax, double bx, double cx, double tol, SearchFunction f);

// A zero of f between x1 and x2, where f(x1) and f(x2) should differ in sign
// (not checked). Inverse quadratic interpolation with bisection steps; returns
// once the bracket is within 2 (6e-11 |b| + tol / 2) of the estimate b (tol is
// absolute). Returns 0.0 when 100 iterations (102 evaluations) do not converge.
double BrentRoot(SearchFunction f, double x1, double x2, double tol);

// BrentRoot with f1 = f(x1) and f2 = f(x2) already known: f is evaluated only
// inside the bracket (at most 100 times).
double BrentRootFrom(SearchFunction f, double x1, double f1, double x2, double f2, double tol);
