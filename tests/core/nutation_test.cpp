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

// Tables: term counts and the amplitudes the series is defined by (IAU 1980: largest terms
// -171996 - 174.2 T on sin Omega and 92025 + 8.9 T on cos Omega, in 0.0001").
TEST(NutationTables, TermCountsAndQuotedAmplitudes) {
    EXPECT_EQ(kNutationArgumentCount, 106);
    EXPECT_EQ(kNutationLongitudeTerms, 106);
    EXPECT_EQ(kNutationLongitudeRateTerms, 14);
    EXPECT_EQ(kNutationObliquityTerms, 64);
    EXPECT_EQ(kNutationObliquityRateTerms, 8);
    EXPECT_EQ(nutationLongitudeAmplitude[kNutationLongitudeTerms - 1], -171996.0);
    EXPECT_EQ(nutationObliquityAmplitude[kNutationObliquityTerms - 1], 92025.0);
    const double lonRates[14] = {0.1, -0.1, 0.1, 0.1, 0.1, 0.1, 0.2,
                                 -0.2, -0.4, 0.5, 1.2, -1.6, -3.4, -174.2};
    const double oblRates[8] = {-0.1, -0.1, 0.3, 0.5, -0.5, -0.6, -3.1, 8.9};
    for (int k = 0; k < 14; ++k) EXPECT_EQ(nutationLongitudeRateAmplitude[k], lonRates[k]) << k;
    for (int k = 0; k < 8; ++k) EXPECT_EQ(nutationObliquityRateAmplitude[k], oblRates[k]) << k;
}

TEST(NutationTables, SumsRunInIncreasingAbsoluteAmplitude) {
    struct List { const double* amplitude; int count; };
    const List lists[4] = {{nutationLongitudeAmplitude, kNutationLongitudeTerms},
                           {nutationLongitudeRateAmplitude, kNutationLongitudeRateTerms},
                           {nutationObliquityAmplitude, kNutationObliquityTerms},
                           {nutationObliquityRateAmplitude, kNutationObliquityRateTerms}};
    for (const List& l : lists) {
        for (int k = 1; k < l.count; ++k) {
            EXPECT_LE(std::fabs(l.amplitude[k - 1]), std::fabs(l.amplitude[k])) << k;
        }
    }
}

TEST(NutationTables, RecipeBuildsEveryEntryFromEarlierOnes) {
    int next = 10;
    for (int s = 0; s < kNutationRecipeLength; ++s) {
        int op = nutationRecipe[s][0];
        ASSERT_GE(op, 0);
        ASSERT_LE(op, 2);
        EXPECT_LT(nutationRecipe[s][1], next);
        EXPECT_LT(nutationRecipe[s][2], next);
        next += op == 2 ? 2 : 1;
    }
    EXPECT_EQ(next, kNutationArgumentCount);
}

// At T = 0 the arguments are the constant terms of the IAU 1980 expressions.
TEST_F(NutationTest, FundamentalArgumentsAtJ2000AreTheConstantTerms) {
    double a[5];
    ComputeFundamentalArguments(0.0, a);
    EXPECT_DOUBLE_EQ(a[0], 2.3555483935439407);
    EXPECT_DOUBLE_EQ(a[1], 6.240035939326023);
    EXPECT_DOUBLE_EQ(a[2], 1.6279019339719611);
    EXPECT_DOUBLE_EQ(a[3], 5.198469513579922);
    EXPECT_DOUBLE_EQ(a[4], 2.1824386243609943);
}

TEST_F(NutationTest, FundamentalArgumentsStayInOneTurn) {
    for (double t : {-3.0, -1.234, 0.5, 2.99}) {
        double a[5];
        ComputeFundamentalArguments(t, a);
        for (double x : a) {
            EXPECT_GE(x, 0.0);
            EXPECT_LT(x, 6.283185307179586);
        }
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

// Independent IAU 1980 evaluation (ERFA nut80) over 1700-2300.
TEST_F(NutationTest, AgreesWithIndependentSeriesTo1Microarcsecond) {
    ReferenceTable ref = ReadReferenceTable(ZENDAVORI_SOURCE_DIR, "nutation_iau1980.csv");
    ASSERT_GT(ref.rows.size(), 40u);
    for (std::size_t k = 0; k < ref.rows.size(); ++k) {
        double t = (ref.Get(k, "jd_tt") - 2451545.0) * 2.7378507871321012e-5;
        double dpsi, deps;
        ComputeNutationSeries(t, &dpsi, &deps);
        EXPECT_NEAR(dpsi, ref.Get(k, "dpsi_arcsec"), 1e-6) << k;
        EXPECT_NEAR(deps, ref.Get(k, "deps_arcsec"), 1e-6) << k;
    }
}

TEST_F(NutationTest, SameTIsServedFromTheCache) {
    double a1, b1, a2, b2;
    long before = GetNutationEvaluationCount();
    ComputeNutationSeries(0.123, &a1, &b1);
    ComputeNutationSeries(0.123, &a2, &b2);
    EXPECT_EQ(GetNutationEvaluationCount(), before + 1);
    EXPECT_EQ(a1, a2);
    EXPECT_EQ(b1, b2);
    FreeNutationTables();
    ComputeNutationSeries(0.123, &a2, &b2);
    EXPECT_EQ(GetNutationEvaluationCount(), before + 1);
    EXPECT_EQ(a1, a2);
    ComputeNutationSeries(0.124, &a2, &b2);  // a new T sets the tables up again
    EXPECT_EQ(GetNutationEvaluationCount(), before + 2);
    EXPECT_NE(a1, a2);
}

TEST_F(NutationTest, EarthTiltAtJ2000) {
    double e0, e, ee, dpsi, deps;
    ComputeEarthTilt(2451545.0, &e0, &e, &ee, &dpsi, &deps);
    EXPECT_DOUBLE_EQ(e0, 84381.448 / 3600.0);  // 23.439291 degrees
    EXPECT_NEAR(e0, 23.439291, 1e-6);
    EXPECT_DOUBLE_EQ(e, e0 + deps / 3600.0);
}

// Mean obliquity (ERFA obl80) and the 1994 equation of the equinoxes (ERFA eqeq94).
TEST_F(NutationTest, EarthTiltAgreesWithIndependentValues) {
    ReferenceTable ref = ReadReferenceTable(ZENDAVORI_SOURCE_DIR, "nutation_iau1980.csv");
    ASSERT_FALSE(ref.rows.empty());
    for (std::size_t k = 0; k < ref.rows.size(); ++k) {
        double e0, e, ee, dpsi, deps;
        ComputeEarthTilt(ref.Get(k, "jd_tt"), &e0, &e, &ee, &dpsi, &deps);
        EXPECT_NEAR(e0 * 3600.0, ref.Get(k, "eps0_deg") * 3600.0, 1e-6) << k;
        EXPECT_NEAR((e - e0) * 3600.0, ref.Get(k, "deps_arcsec"), 1e-6) << k;
        EXPECT_NEAR(ee, ref.Get(k, "eqeq_s"), 1e-7) << k;  // seconds of time
    }
}

TEST_F(NutationTest, EarthTiltReusesNutationWithinAMicroday) {
    double e0, e, ee, dpsi, deps;
    ComputeEarthTilt(2455000.5, &e0, &e, &ee, &dpsi, &deps);
    long count = GetNutationEvaluationCount();
    ComputeEarthTilt(2455000.5 + 5e-7, &e0, &e, &ee, &dpsi, &deps);
    EXPECT_EQ(GetNutationEvaluationCount(), count);
    ComputeEarthTilt(2455000.5 + 1e-3, &e0, &e, &ee, &dpsi, &deps);
    EXPECT_EQ(GetNutationEvaluationCount(), count + 1);
}

}  // namespace
