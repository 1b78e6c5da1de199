#include "ephemeris/lunar_libration.h"

#include <gtest/gtest.h>

#include <array>

#include "ephemeris/lunar_libration_terms.h"
#include "support/wrapped_difference.h"

namespace {

// Meeus, ch. 53: rho 10 terms, sigma 13, tau 19; rho = -0.02752 cos M' - 0.02245 sin F ...,
// sigma = -0.02816 sin M' + 0.02244 cos F ..., tau = 0.02520 E sin M + 0.00473 sin(2M' - 2F) ...
TEST(LunarLibrationTerms, CountsAndLeadingTerms) {
    EXPECT_EQ((std::array{kLibrationRhoTerms, kLibrationSigmaTerms, kLibrationTauTerms}),
              (std::array{10, 13, 19}));
    const struct { LibrationTerm t; double coefficient; int isSine, ePower, M, Mp, F; } cases[] = {
        {librationRho[0], -0.02752, 0, 0, 0, 1, 0}, {librationRho[1], -0.02245, 1, 0, 0, 0, 1},
        {librationSigma[0], -0.02816, 1, 0, 0, 1, 0}, {librationSigma[1], 0.02244, 0, 0, 0, 0, 1},
        {librationTau[0], 0.02520, 1, 1, 1, 0, 0}, {librationTau[1], 0.00473, 1, 0, 0, 2, -2}};
    for (const auto& c : cases) {
        EXPECT_EQ(c.t.coefficient, c.coefficient);
        EXPECT_TRUE(c.t.isSine == c.isSine && c.t.ePower == c.ePower && c.t.M == c.M &&
                    c.t.Mp == c.Mp && c.t.F == c.F) << c.coefficient;
    }
}

// Meeus, Astronomical Algorithms, example 53.a: 1992 April 12, 0h TD, the Moon at apparent
// longitude 133.167265 and latitude -3.229126 degrees (example 47.a):
// l' = -1.206, b' = +4.194, l'' = -0.025, b'' = +0.006 degrees.
TEST(LunarLibrations, MeeusExample53a) {
    double l1, b1, l2, b2;
    EXPECT_EQ(ComputeLunarLibrations(2448724.5, 133.167265, -3.229126, &l1, &b1, &l2, &b2), 1);
    EXPECT_NEAR(WrappedDifference(l1, -1.206, 360.0), 0.0, 0.01);
    EXPECT_NEAR(b1, 4.194, 0.01);
    EXPECT_NEAR(l2, -0.025, 0.01);
    EXPECT_NEAR(b2, 0.006, 0.01);
}

}  // namespace
