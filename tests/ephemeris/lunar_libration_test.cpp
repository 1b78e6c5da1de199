#include "ephemeris/lunar_libration.h"

#include <gtest/gtest.h>

#include "ephemeris/lunar_libration_terms.h"
#include "support/wrapped_difference.h"

namespace {

TEST(LunarLibrationTerms, CountsAndLeadingTerms) {
    EXPECT_EQ(kLibrationRhoTerms, 10);
    EXPECT_EQ(kLibrationSigmaTerms, 13);
    EXPECT_EQ(kLibrationTauTerms, 19);
    // rho = -0.02752 cos M' - 0.02245 sin F + ...
    EXPECT_EQ(librationRho[0].coefficient, -0.02752);
    EXPECT_EQ(librationRho[0].isSine, 0);
    EXPECT_EQ(librationRho[0].Mp, 1);
    EXPECT_EQ(librationRho[1].coefficient, -0.02245);
    EXPECT_EQ(librationRho[1].F, 1);
    // sigma = -0.02816 sin M' + 0.02244 cos F - ...
    EXPECT_EQ(librationSigma[0].coefficient, -0.02816);
    EXPECT_EQ(librationSigma[1].coefficient, 0.02244);
    EXPECT_EQ(librationSigma[1].isSine, 0);
    // tau = 0.02520 E sin M + 0.00473 sin(2M' - 2F) - ...
    EXPECT_EQ(librationTau[0].coefficient, 0.02520);
    EXPECT_EQ(librationTau[0].ePower, 1);
    EXPECT_EQ(librationTau[0].M, 1);
    EXPECT_EQ(librationTau[1].coefficient, 0.00473);
    EXPECT_EQ(librationTau[1].Mp, 2);
    EXPECT_EQ(librationTau[1].F, -2);
}

// Meeus, Astronomical Algorithms, example 53.a: 1992 April 12, 0h TD, the Moon at
// apparent longitude 133.167265 and latitude -3.229126 degrees (example 47.a):
// l' = -1.206, b' = +4.194, l'' = -0.025, b'' = +0.006 degrees.
TEST(LunarLibrations, MeeusExample53a) {
    double l1, b1, l2, b2;
    EXPECT_EQ(ComputeLunarLibrations(2448724.5, 133.167265, -3.229126, &l1, &b1, &l2, &b2), 1);
    EXPECT_NEAR(WrappedDifference(l1, -1.206, 360.0), 0.0, 0.01);
    EXPECT_NEAR(b1, 4.194, 0.01);
    EXPECT_NEAR(l2, -0.025, 0.01);
    EXPECT_NEAR(b2, 0.006, 0.01);
    EXPECT_GT(l1, -540.0);
    EXPECT_LT(l1, 540.0);
}

}  // namespace
