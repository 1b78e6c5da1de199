#include "core/nutation.h"

#include <gtest/gtest.h>

#include <cmath>

#include "core/nutation_tables.h"
#include "support/reference_table.h"

namespace {

class NutationTest : public ::testing::Test {
protected:
    void SetUp() override { ResetNutationCaches(); }
};

// Term counts and the amplitudes the series is defined by (IAU 1980: largest terms
// -171996 - 174.2 T on sin Omega and 92025 + 8.9 T on cos Omega, in 0.0001"); every sum runs in
// increasing absolute amplitude, and every argument is built from earlier ones.
TEST(NutationTables, TermCountsQuotedAmplitudesAndOrder) {
    EXPECT_EQ(kNutationArgumentCount, 106);
    const struct { const double* amplitude; int count, expectedCount; double largest; } lists[4] = {
        {nutationLongitudeAmplitude, kNutationLongitudeTerms, 106, -171996.0},
        {nutationLongitudeRateAmplitude, kNutationLongitudeRateTerms, 14, -174.2},
        {nutationObliquityAmplitude, kNutationObliquityTerms, 64, 92025.0},
        {nutationObliquityRateAmplitude, kNutationObliquityRateTerms, 8, 8.9}};
    for (const auto& l : lists) {
        EXPECT_EQ(l.count, l.expectedCount);
        EXPECT_EQ(l.amplitude[l.count - 1], l.largest);
        for (int k = 1; k < l.count; ++k) EXPECT_LE(std::fabs(l.amplitude[k - 1]), std::fabs(l.amplitude[k])) << k;
    }
    int next = 10;
    for (int s = 0; s < kNutationRecipeLength; ++s) {
        ASSERT_TRUE(nutationRecipe[s][0] >= 0 && nutationRecipe[s][0] <= 2) << s;
        EXPECT_LT(nutationRecipe[s][1], next);
        EXPECT_LT(nutationRecipe[s][2], next);
        next += nutationRecipe[s][0] == 2 ? 2 : 1;
    }
    EXPECT_EQ(next, kNutationArgumentCount);
}

// At T = 0 the arguments l, l', F, D, Omega are the constant terms of the IAU 1980 expressions
// (485866.733", 1287099.804", 335778.877", 1072261.307", 450160.280"); they stay in one turn.
TEST_F(NutationTest, FundamentalArgumentsAreConstantTermsAtJ2000AndStayInOneTurn) {
    const double arcsec[5] = {485866.733, 1287099.804, 335778.877, 1072261.307, 450160.280};
    double a[5];
    ComputeFundamentalArguments(0.0, a);
    for (int k = 0; k < 5; ++k) EXPECT_NEAR(a[k], arcsec[k] * M_PI / 648000, 1e-12) << k;
    for (double t : {-3.0, -1.234, 0.5, 2.99}) {
        ComputeFundamentalArguments(t, a);
        for (double x : a) EXPECT_TRUE(x >= 0.0 && x < 2 * M_PI) << t << ' ' << x;
    }
}

// Meeus, Astronomical Algorithms, Example 22.a: 1987 April 10, 0h TD. The book quotes three
// decimals from its abridged table of the same series, hence the 0.001" tolerance.
TEST_F(NutationTest, MeeusExample22a) {
    double dpsi, deps;
    EXPECT_EQ(ComputeNutationSeries((2446895.5 - 2451545.0) / 36525.0, &dpsi, &deps), 0);
    EXPECT_NEAR(dpsi, -3.788, 0.001);
    EXPECT_NEAR(deps, 9.443, 0.001);
}

// Independent IAU 1980 evaluation over 1700-2300: nutation (ERFA nut80), mean obliquity
// (ERFA obl80, 84381.448" at J2000) and the 1994 equation of the equinoxes (ERFA eqeq94).
TEST_F(NutationTest, AgreesWithIndependentSeriesTo1Microarcsecond) {
    ReferenceTable ref = ReadReferenceTable(ZENDAVORI_SOURCE_DIR, "nutation_iau1980.csv");
    ASSERT_GT(ref.rows.size(), 40u);
    double e0, e, ee, dpsi, deps;
    ComputeEarthTilt(2451545.0, &e0, &e, &ee, &dpsi, &deps);
    EXPECT_NEAR(e0 * 3600.0, 84381.448, 1e-9);
    for (std::size_t k = 0; k < ref.rows.size(); ++k) {
        double jd = ref.Get(k, "jd_tt");
        ComputeNutationSeries((jd - 2451545.0) * 2.7378507871321012e-5, &dpsi, &deps);
        EXPECT_NEAR(dpsi, ref.Get(k, "dpsi_arcsec"), 1e-6) << k;
        EXPECT_NEAR(deps, ref.Get(k, "deps_arcsec"), 1e-6) << k;
        ComputeEarthTilt(jd, &e0, &e, &ee, &dpsi, &deps);
        EXPECT_NEAR(e0 * 3600.0, ref.Get(k, "eps0_deg") * 3600.0, 1e-6) << k;
        EXPECT_NEAR((e - e0) * 3600.0, ref.Get(k, "deps_arcsec"), 1e-6) << k;
        EXPECT_NEAR(ee, ref.Get(k, "eqeq_s"), 1e-7) << k;  // seconds of time
    }
}

// The same T is served from the cache, also after FreeNutationTables; a new T sets the tables
// up again. ComputeEarthTilt reuses the nutation within a microday.
TEST_F(NutationTest, SameTIsServedFromTheCache) {
    double a1, b1, a2, b2;
    const long before = GetNutationEvaluationCount();
    ComputeNutationSeries(0.123, &a1, &b1);
    ComputeNutationSeries(0.123, &a2, &b2);
    EXPECT_EQ(GetNutationEvaluationCount(), before + 1);
    EXPECT_EQ(a1, a2);
    EXPECT_EQ(b1, b2);
    FreeNutationTables();
    ComputeNutationSeries(0.123, &a2, &b2);
    EXPECT_EQ(GetNutationEvaluationCount(), before + 1);
    EXPECT_EQ(a1, a2);
    ComputeNutationSeries(0.124, &a2, &b2);
    EXPECT_EQ(GetNutationEvaluationCount(), before + 2);
    EXPECT_NE(a1, a2);
    double e0, e, ee;
    ComputeEarthTilt(2455000.5, &e0, &e, &ee, &a1, &b1);
    ComputeEarthTilt(2455000.5 + 5e-7, &e0, &e, &ee, &a1, &b1);
    EXPECT_EQ(GetNutationEvaluationCount(), before + 3);
    ComputeEarthTilt(2455000.5 + 1e-3, &e0, &e, &ee, &a1, &b1);
    EXPECT_EQ(GetNutationEvaluationCount(), before + 4);
}

}  // namespace
