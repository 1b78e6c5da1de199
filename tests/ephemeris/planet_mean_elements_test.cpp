#include "ephemeris/planet_mean_elements.h"

#include <gtest/gtest.h>

#include <cmath>

#include "support/wrapped_difference.h"

namespace {

struct Elements {
    double L, a, e, i, w, N;
};

Elements Get(int body, double T) {
    Elements x{-1, -1, -1, -1, -1, -1};
    GetPlanetMeanElements(body, T, &x.L, &x.a, &x.e, &x.i, &x.w, &x.N);
    return x;
}

// T = 0 (JD 2415020.0) gives the constant terms of the polynomials, the mean elements of epoch
// 1900 (Pluto's argument of perihelion is 224.1416299 - 110); the mean longitude is not
// reduced (Mercury at T = 1: the sum of its coefficients). Bodies 0, 1, 10 and others leave
// the outputs untouched.
TEST(PlanetMeanElements, EpochValuesAreTheConstantTerms) {
    const struct { int body; Elements x; } cases[] = {
        {2, {178.179078, 0.3870986, 0.20561421, 7.002881, 28.753753, 47.145944}},
        {4, {293.737334, 1.5236883, 0.0933129, 1.850333, 285.431761, 48.786442}},
        {6, {266.564377, 9.554747, 0.05589232, 2.492519, 338.3078, 112.790414}},
        {8, {84.457994, 30.10957, 0.00899704, 1.779242, 276.045975, 130.681389}},
        {9, {NAN, 39.54034289999, 0.249005349999, 17.145104, 114.1416299, 110.318223}},
    };
    for (const auto& c : cases) {
        const Elements x = Get(c.body, 0.0);
        const double got[6] = {x.L, x.a, x.e, x.i, x.w, x.N};
        const double want[6] = {c.x.L, c.x.a, c.x.e, c.x.i, c.x.w, c.x.N};
        for (int k = std::isnan(c.x.L) ? 1 : 0; k < 6; ++k)
            EXPECT_DOUBLE_EQ(got[k], want[k]) << c.body << ' ' << k;
    }
    EXPECT_NEAR(Get(2, 1.0).L, 178.179078 + 149474.07078 + 0.0003011, 1e-9);
    for (int body : {-1, 0, 1, 10, 11, 13, 1000}) {
        const Elements x = Get(body, 0.5);
        EXPECT_TRUE(x.L == -1 && x.a == -1 && x.e == -1 && x.i == -1 && x.w == -1 && x.N == -1) << body;
    }
}

// At J2000.0 (T = 1) the elements of the equinox of date are those of the equinox J2000; the
// JPL table of elements for approximate positions (Standish, J2000 ecliptic) gives them from
// an independent fit. Tolerances: the spread between the two fits (the outer planets' mean
// elements differ most).
TEST(PlanetMeanElements, AgreeWithJ2000ElementsAtJ2000) {
    const struct {
        int body;
        double a, e, i, node, perihelion, L;  // JPL, degrees and AU
        double tolA, tolE, tolAngle, tolW;
    } cases[] = {
        {2, 0.38709893, 0.20563069, 7.00487, 48.33167, 77.45645, 252.25084, 1e-4, 2e-5, 0.01, 0.01},
        {3, 0.72333199, 0.00677323, 3.39471, 76.68069, 131.53298, 181.97973, 1e-4, 2e-5, 0.01, 0.05},
        {4, 1.52366231, 0.09341233, 1.85061, 49.57854, 336.04084, 355.45332, 1e-4, 2e-5, 0.03, 0.05},
        {5, 5.20336301, 0.04839266, 1.3053, 100.55615, 14.75385, 34.40438, 0.002, 2e-4, 0.15, 0.4},
        {6, 9.53707032, 0.0541506, 2.48446, 113.71504, 92.43194, 49.94432, 0.02, 0.002, 0.15, 0.8},
        {7, 19.19126393, 0.04716771, 0.76986, 74.22988, 170.96424, 313.23218, 0.03, 0.001, 1.0, 2.5},
        {8, 30.06896348, 0.00858587, 1.76917, 131.72169, 44.97135, 304.88003, 0.05, 0.001, 0.6, 3.5},
        {9, 39.48168677, 0.24880766, 17.14175, 110.30347, 224.06676, 238.92881, 0.07, 0.001, 1.5, 2.0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.body);
        const Elements x = Get(c.body, 1.0);
        EXPECT_NEAR(x.a, c.a, c.tolA);
        EXPECT_NEAR(x.e, c.e, c.tolE);
        EXPECT_NEAR(x.i, c.i, 0.005);
        EXPECT_NEAR(WrappedDifference(x.N, c.node, 360), 0, c.tolAngle);
        EXPECT_NEAR(WrappedDifference(x.L, c.L, 360), 0, c.tolAngle);
        EXPECT_NEAR(WrappedDifference(x.w, c.perihelion - c.node, 360), 0, c.tolW);
    }
}

}  // namespace
