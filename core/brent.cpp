#include "core/brent.h"

#include <cmath>

#include "core/services.h"

namespace {

constexpr int kMaxIterations = 100;
constexpr double kGoldenSection = 0.381966;  // 1 - 1 / golden ratio

// The state of the minimum search: bracket a < b; x the best point, w the
// second best, v the previous w; d the last step and e the one before it.
struct MinimumSearch {
    double a, b, x, w, v, fx, fw, fv, d, e;
};

// Chooses the next step d (and e) for tolerance tol1: a parabola through x, w
// and v when it is acceptable, otherwise a golden-section step.
void ChooseStep(MinimumSearch& s, double xm, double tol1) {
    const double tol2 = 2.0 * tol1;
    if (std::fabs(s.e) > tol1) {
        const double r = (s.x - s.w) * (s.fx - s.fv);
        double q = (s.x - s.v) * (s.fx - s.fw);
        double p = (s.x - s.v) * q - (s.x - s.w) * r;
        q = 2.0 * (q - r);
        if (q > 0.0) p = -p;
        q = std::fabs(q);
        const double etemp = s.e;
        s.e = s.d;
        if (!(std::fabs(p) >= std::fabs(0.5 * q * etemp) || p <= q * (s.a - s.x) || p >= q * (s.b - s.x))) {
            s.d = p / q;
            const double u = s.x + s.d;
            if (u - s.a < tol2 || s.b - u < tol2) s.d = xm - s.x >= 0.0 ? std::fabs(tol1) : -std::fabs(tol1);
            return;
        }
    }
    s.e = s.x >= xm ? s.a - s.x : s.b - s.x;
    s.d = kGoldenSection * s.e;
}

// Narrows the bracket with the new point u and its value fu.
void TakePoint(MinimumSearch& s, double u, double fu) {
    if (fu <= s.fx) {
        if (u >= s.x) s.a = s.x;
        else s.b = s.x;
        s.v = s.w, s.w = s.x, s.x = u;
        s.fv = s.fw, s.fw = s.fx, s.fx = fu;
        return;
    }
    if (u < s.x) s.a = u;
    else s.b = u;
    if (fu <= s.fw || s.w == s.x) {
        s.v = s.w, s.w = u;
        s.fv = s.fw, s.fw = fu;
    } else if (fu <= s.fv || s.v == s.x || s.v == s.w) {
        s.v = u;
        s.fv = fu;
    }
}

// The state of the zero search: b the best estimate, a the previous b, c the
// point that brackets the zero with b; d the last step and e the one before.
struct RootSearch {
    double a, b, c, fa, fb, fc, d, e;
};

// Chooses the next step d (and e): secant or inverse quadratic interpolation
// when it stays well inside the bracket, otherwise bisection.
void ChooseRootStep(RootSearch& s, double xm, double tol1) {
    if (std::fabs(s.e) >= tol1 && std::fabs(s.fa) > std::fabs(s.fb)) {
        const double ratio = s.fb / s.fa;
        double p, q;
        if (s.a == s.c) {
            p = 2.0 * xm * ratio;
            q = 1.0 - ratio;
        } else {
            const double g = 1.0 / s.fc;
            q = s.fa * g;
            const double r = s.fb * g;
            p = ratio * (2.0 * xm * q * (q - r) - (s.b - s.a) * (r - 1.0));
            q = (q - 1.0) * (r - 1.0) * (ratio - 1.0);
        }
        if (p > 0.0) q = -q;
        p = std::fabs(p);
        const double min1 = 3.0 * xm * q - std::fabs(tol1 * q);
        const double min2 = std::fabs(s.e * q);
        if (2.0 * p < (min1 < min2 ? min1 : min2)) {
            s.e = s.d;
            s.d = p / q;
            return;
        }
    }
    s.d = xm;
    s.e = s.d;
}

}  // namespace

double BrentMinimize(double* xmin, double ax, double bx, double cx, double tol, SearchFunction f) {
    if (!xmin) ShowInformation("null", "");
    const double fb = f(bx);
    MinimumSearch s{ax < cx ? ax : cx, ax > cx ? ax : cx, bx, bx, bx, fb, fb, fb, 0.0, 0.0};
    for (int iteration = 0; iteration < kMaxIterations; ++iteration) {
        const double xm = (s.a + s.b) * 0.5;
        const double tol1 = tol * std::fabs(s.x) + 1e-10;
        if (std::fabs(s.x - xm) <= 2.0 * tol1 - 0.5 * (s.b - s.a)) break;
        ChooseStep(s, xm, tol1);
        double u;
        if (std::fabs(s.d) >= tol1) u = s.x + s.d;
        else u = s.d >= 0.0 ? s.x + std::fabs(tol1) : s.x - std::fabs(tol1);
        TakePoint(s, u, f(u));
    }
    if (xmin) *xmin = s.x;
    return s.fx;
}

double BrentRoot(SearchFunction f, double x1, double x2, double tol) {
    const double f1 = f(x1);  // f(x1) first: callers may rely on the order
    const double f2 = f(x2);
    return BrentRootFrom(f, x1, f1, x2, f2, tol);
}

double BrentRootFrom(SearchFunction f, double x1, double f1, double x2, double f2, double tol) {
    RootSearch s{x1, x2, x2, f1, f2, f2, 0.0, 0.0};
    for (int iteration = 0; iteration < kMaxIterations; ++iteration) {
        if ((s.fb > 0.0 && s.fc > 0.0) || (s.fb < 0.0 && s.fc < 0.0)) {
            s.c = s.a, s.fc = s.fa;
            s.e = s.d = s.b - s.a;
        }
        if (std::fabs(s.fc) < std::fabs(s.fb)) {  // keep b the better point
            s.a = s.b, s.b = s.c, s.c = s.a;
            s.fa = s.fb, s.fb = s.fc, s.fc = s.fa;
        }
        const double tol1 = 6e-11 * std::fabs(s.b) + 0.5 * tol;
        const double xm = 0.5 * (s.c - s.b);
        if (std::fabs(xm) <= tol1 || s.fb == 0.0) return s.b;
        ChooseRootStep(s, xm, tol1);
        s.a = s.b, s.fa = s.fb;
        if (std::fabs(s.d) > tol1) s.b += s.d;
        else s.b += xm >= 0.0 ? std::fabs(tol1) : -std::fabs(tol1);
        s.fb = f(s.b);
    }
    return 0.0;
}
